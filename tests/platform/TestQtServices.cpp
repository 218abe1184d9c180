// The Qt-backed message boxes, as every message of the program is shown.

#include "platform/qt/QtServices.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestQtServices : public QObject
{
    Q_OBJECT

  private slots:
    void messageBoxBreaksLineAtCarriageReturn();
};

void TestQtServices::messageBoxBreaksLineAtCarriageReturn()
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

QTEST_MAIN(TestQtServices)
#include "TestQtServices.moc"
