#include "Hosts.h"
#include "outreach/Links.h"
#include "support/FakeServices.h"

#include <QTest>

using outreach::Page;
Q_DECLARE_METATYPE(outreach::Page)

namespace
{
QString http(const char *host, const char *path)
{
    return QString("http://") + host + path;
}
} // namespace

class TestLinks : public QObject
{
    Q_OBJECT
  private slots:
    // The home page's address ends with the host name, no "/" after it.
    void eachPageHandsOneUrlToTheShell_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QString>("url");
        QTest::newRow("home") << Page::Home << http(hosts::BoardHome, "");
        QTest::newRow("softwares") << Page::SoftwaresSite << http(hosts::Board, "/velmorasoftwares");
        QTest::newRow("help") << Page::OnlineHelp << http(hosts::Product, "/qz-free-starbond-help.html");
        QTest::newRow("download") << Page::Download << http(hosts::Product, "/download-qz-free-starbond.html");
        QTest::newRow("donate") << Page::Donation << http(hosts::Help, "/donate.html");
        QTest::newRow("full brand") << Page::FullBrand << http(hosts::Help, "/fully-branded.html");
        QTest::newRow("co-brand") << Page::CoBrand << http(hosts::Help, "/co-brand.html");
    }
    void eachPageHandsOneUrlToTheShell()
    {
        QFETCH(Page, page);
        QFETCH(QString, url);
        fakes::All f;
        outreach::openPage(page);
        outreach::openPage(page);
        QCOMPARE(f.shell.opened, std::vector<std::string>(2, url.toStdString()));
        QVERIFY(f.messageBoxes.shown.empty());
    }
};

QTEST_GUILESS_MAIN(TestLinks)
#include "TestLinks.moc"
