// The services Qt gives on every host: the message boxes, as every message of
// the program is shown, and the program's name.

#include "platform/MessageBox.h"
#include "platform/Services.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestServices : public QObject
{
    Q_OBJECT

  private slots:
    void messageBoxBreaksLineAtCarriageReturn();
    void programNameIsTheFileLessItsExtension_data();
    void programNameIsTheFileLessItsExtension();
};

void TestServices::messageBoxBreaksLineAtCarriageReturn()
{
    std::unique_ptr<QMessageBox> box(platform::createMessageBox("There maybe an update\rDo you want to check?",
                                                                platform::MsgIcon::Information,
                                                                platform::MsgButtons::YesNo, nullptr));
    QCOMPARE(box->windowTitle(), QStringLiteral("Starbond"));
    QCOMPARE(box->text(), QStringLiteral("There maybe an update\nDo you want to check?"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));

    // A text that looks like markup is shown as it stands.
    box.reset(platform::createMessageBox("<b>First Name</b>", platform::MsgIcon::Critical, platform::MsgButtons::Ok,
                                         nullptr));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
}

void TestServices::programNameIsTheFileLessItsExtension_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "/usr/games/starbond"
                           << "starbond";
    QTest::newRow("an extension") << "C:/Programs/starbond.exe"
                                  << "starbond";
    QTest::newRow("two dots") << "/opt/star.bond.bin"
                              << "star.bond";
    QTest::newRow("a leading dot alone") << "/home/u/.starbond"
                                         << ".starbond";
    QTest::newRow("leaving dots") << "/tmp/..."
                                  << "starbond";
    QTest::newRow("leaving a dot") << "/tmp/.."
                                   << "starbond";
    QTest::newRow("no file") << ""
                             << "starbond";
}

void TestServices::programNameIsTheFileLessItsExtension()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QCOMPARE(platform::programNameOf(file), name);
}

QTEST_MAIN(TestServices)
#include "TestServices.moc"
