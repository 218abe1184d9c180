#include "Hosts.h"
#include "outreach/Links.h"
#include "support/FakeServices.h"

#include <QTest>

using Opener = void (*)();
Q_DECLARE_METATYPE(Opener)

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
    void eachOpenerHandsOneUrlToTheShell_data()
    {
        QTest::addColumn<Opener>("opener");
        QTest::addColumn<QString>("url");
        QTest::newRow("home") << Opener(modHelp::OpenHomePage) << http(hosts::BoardHome, "");
        QTest::newRow("softwares") << Opener(modHelp::OpenSoftwaresSite) << http(hosts::Board, "/velmorasoftwares");
        QTest::newRow("help") << Opener(modHelp::OpenOnlineHelp) << http(hosts::Product, "/qz-free-starbond-help.html");
        QTest::newRow("download") << Opener(modHelp::OpenDownloadPage)
                                  << http(hosts::Product, "/download-qz-free-starbond.html");
        QTest::newRow("donate") << Opener(modHelp::OpenDonationPage) << http(hosts::Help, "/donate.html");
        QTest::newRow("full brand") << Opener(modHelp::OpenFullBrandPage) << http(hosts::Help, "/fully-branded.html");
        QTest::newRow("co-brand") << Opener(modHelp::OpenCoBrandPage) << http(hosts::Help, "/co-brand.html");
    }
    void eachOpenerHandsOneUrlToTheShell()
    {
        QFETCH(Opener, opener);
        QFETCH(QString, url);
        fakes::All f;
        opener();
        opener();
        QCOMPARE(f.shell.opened, std::vector<std::string>(2, url.toStdString()));
        QVERIFY(f.messageBoxes.shown.empty());
    }

    void homePageUrlEndsWithTheHostName()
    {
        QCOMPARE(QString::fromStdString(modHelp::HomePageUrl()), http(hosts::BoardHome, ""));
        QVERIFY(!modHelp::HomePageUrl().ends_with('/'));
    }

    void referralUrlGoesOutUnescaped()
    {
        fakes::All f;
        modTellAFriend::ReferralUrl = "http://x.example/r.php?taf1=A B&taf3=Your Message\r\n&taf6=http://y/";
        modTellAFriend::OpenReferralUrl();
        QCOMPARE(f.shell.opened, std::vector<std::string>{modTellAFriend::ReferralUrl});
        modTellAFriend::ReferralUrl.clear();
    }
};

QTEST_GUILESS_MAIN(TestLinks)
#include "TestLinks.moc"
