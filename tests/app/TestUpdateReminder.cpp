#include "app/Settings.h"
#include "app/UpdateReminder.h"
#include "outreach/Links.h"
#include "support/FakeServices.h"

#include <QTest>

using platform::MsgAnswer;

namespace
{

const char *const Question = "There maybe an update to this software available\rDo you want to check for an update?";

std::string downloadUrl()
{
    return outreach::pageUrl(outreach::Page::Download);
}

QDate iso(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

// Puts a value in the store as an earlier start would have left it.
void given(fakes::All &f, const std::string &name, const std::string &value)
{
    app::writeSetting(name, value);
    f.store.writes = 0;
}

bool stored(fakes::All &f, const std::string &name)
{
    return f.store.values.count({"Settings", app::encodeText(name)}) != 0;
}

} // namespace

class TestUpdateReminder : public QObject
{
    Q_OBJECT
  private slots:
    // State: a stored "Duration" some days from today. Expected: asked or not.
    void asksOnlyFifteenDaysOrMoreAway_data()
    {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<bool>("asked");
        QTest::newRow("same day") << "2026-12-07"
                                  << "2026-12-07" << false;
        QTest::newRow("14 days past") << "2026-12-07"
                                      << "2026-11-23" << false;
        QTest::newRow("15 days past") << "2026-12-07"
                                      << "2026-11-22" << true;
        QTest::newRow("14 days future") << "2026-12-07"
                                        << "2026-12-21" << false;
        QTest::newRow("15 days future") << "2026-12-07"
                                        << "2026-12-22" << true;
        QTest::newRow("14 across new year") << "2027-01-04"
                                            << "2026-12-21" << false;
        QTest::newRow("15 across new year") << "2027-01-05"
                                            << "2026-12-21" << true;
        QTest::newRow("14 across leap day") << "2024-03-01"
                                            << "2024-02-16" << false;
        QTest::newRow("15 across leap day") << "2024-03-01"
                                            << "2024-02-15" << true;
        QTest::newRow("years past") << "2026-12-07"
                                    << "2019-06-30" << true;
    }
    void asksOnlyFifteenDaysOrMoreAway()
    {
        QFETCH(QString, today);
        QFETCH(QString, duration);
        QFETCH(bool, asked);
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
            fakes::All f;
            f.calendar.date = iso(today);
            given(f, "Install", "3");
            given(f, "Duration", duration.toStdString());
            f.messageBoxes.answers = {answer};

            app::checkUpdateReminder();

            if (!asked) {
                QVERIFY(f.messageBoxes.shown.empty());
                QCOMPARE(f.store.writes, 0);
                QVERIFY(f.shell.opened.empty());
                continue;
            }
            QCOMPARE(f.messageBoxes.shown.size(), std::size_t(1));
            QCOMPARE(f.messageBoxes.shown[0].text, std::string(Question));
            QCOMPARE(f.messageBoxes.shown[0].icon, platform::MsgIcon::Information);
            QCOMPARE(f.messageBoxes.shown[0].buttons, platform::MsgButtons::YesNo);
            QCOMPARE(app::readSetting("Install"), std::string("3"));
            QCOMPARE(app::readSetting("Duration"), today.toStdString());
            const auto expectOpened =
                answer == MsgAnswer::Yes ? std::vector<std::string>{downloadUrl()} : std::vector<std::string>{};
            QCOMPARE(f.shell.opened, expectOpened);
        }
    }

    // A missing "Duration", an empty one, or one that is no date: first start.
    void firstStartStoresOneAndTodayWithoutAsking_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("duration");
        QTest::newRow("never written") << false << "";
        QTest::newRow("empty") << true << "";
        QTest::newRow("not a date") << true << "soon";
        QTest::newRow("half a date") << true << "2026-12";
    }
    void firstStartStoresOneAndTodayWithoutAsking()
    {
        QFETCH(bool, present);
        QFETCH(QString, duration);
        fakes::All f;
        if (present)
            given(f, "Duration", duration.toStdString());
        given(f, "Install", "9");

        app::checkUpdateReminder();

        QVERIFY(f.messageBoxes.shown.empty());
        QVERIFY(f.shell.opened.empty());
        QCOMPARE(app::readSetting("Install"), std::string("1"));
        QCOMPARE(app::readSetting("Duration"), std::string("2026-12-07"));

        // The next start that day is quiet.
        app::checkUpdateReminder();
        QVERIFY(f.messageBoxes.shown.empty());
        QCOMPARE(f.store.writes, 2);
    }

    // Today goes into "Duration" in the calendar's form where that reads back
    // through the store's encoding, else as ISO 8601; the next start is quiet.
    void durationWrittenInAFormThatReadsBack_data()
    {
        QTest::addColumn<QString>("form"); // the calendar's, of 2026-12-07
        QTest::addColumn<QString>("written");
        QTest::newRow("short date") << "07.12.2026"
                                    << "07.12.2026";
        QTest::newRow("short date the encoding drops bytes of") << QStringLiteral("2026年12月07日") << "2026-12-07";
    }
    void durationWrittenInAFormThatReadsBack()
    {
        QFETCH(QString, form);
        QFETCH(QString, written);
        fakes::All f;
        f.calendar.form = [text = form.toStdString()](QDate) { return text; };
        for (const bool due : {false, true}) {
            if (due)
                given(f, "Duration", "2026-10-01");
            app::checkUpdateReminder();
            QCOMPARE(f.messageBoxes.shown.size(), std::size_t(due ? 1 : 0));
            QCOMPARE(app::readSetting("Duration"), written.toStdString());
            app::checkUpdateReminder();
            QCOMPARE(f.messageBoxes.shown.size(), std::size_t(due ? 1 : 0));
        }
    }

    // State: due, with this "Install". Expected: the count written back.
    void installCountWrittenBackAfterTheQuestion_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("install");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << true << "7"
                               << "7";
        QTest::newRow("negative") << true << "-7"
                                  << "7";
        QTest::newRow("blanks and sign") << true << "  +12 "
                                         << "12";
        QTest::newRow("leading zeros") << true << "007"
                                       << "7";
        QTest::newRow("largest") << true << "2147483647"
                                 << "2147483647";
        QTest::newRow("smallest with an absolute value") << true << "-2147483647"
                                                         << "2147483647";
        QTest::newRow("int32 min") << true << "-2147483648"
                                   << "1";
        QTest::newRow("beyond 32 bits") << true << "2147483648"
                                        << "1";
        QTest::newRow("very long") << true << "99999999999999999999999"
                                   << "1";
        QTest::newRow("not a number") << true << "abc"
                                      << "1";
        QTest::newRow("trailing letters") << true << "12abc"
                                          << "1";
        QTest::newRow("sign only") << true << "-"
                                   << "1";
        QTest::newRow("empty") << true << ""
                               << "1";
        QTest::newRow("missing") << false << ""
                                 << "1";
    }
    void installCountWrittenBackAfterTheQuestion()
    {
        QFETCH(bool, present);
        QFETCH(QString, install);
        QFETCH(QString, written);
        fakes::All f;
        given(f, "Duration", "2026-10-01");
        if (present)
            given(f, "Install", install.toStdString());

        app::checkUpdateReminder();

        QCOMPARE(f.messageBoxes.shown.size(), std::size_t(1));
        QCOMPARE(app::readSetting("Install"), written.toStdString());
        QCOMPARE(app::readSetting("Duration"), std::string("2026-12-07"));
        QCOMPARE(f.shell.opened, std::vector<std::string>{downloadUrl()});
    }

    // The store refuses the write after `writesLeft` writes (and only that one
    // where `once`, as when another writer holds its lock a moment): the
    // reminder stops there, keeps what it wrote, and opens nothing.
    void refusedWriteEndsTheReminder_data()
    {
        QTest::addColumn<bool>("due");
        QTest::addColumn<int>("writesLeft");
        QTest::addColumn<bool>("once");
        QTest::addColumn<QString>("install");
        QTest::addColumn<QString>("duration");
        // clang-format off
        QTest::newRow("first start, first write") << false << 0 << false << "" << "";
        QTest::newRow("first start, second write") << false << 1 << false << "1" << "";
        QTest::newRow("due, first write") << true << 0 << false << "-4" << "2026-10-01";
        QTest::newRow("due, second write") << true << 1 << false << "4" << "2026-10-01";
        QTest::newRow("due, the first write alone") << true << 0 << true << "-4" << "2026-10-01";
        // clang-format on
    }
    void refusedWriteEndsTheReminder()
    {
        QFETCH(bool, due);
        QFETCH(int, writesLeft);
        QFETCH(bool, once);
        QFETCH(QString, install);
        QFETCH(QString, duration);
        fakes::All f;
        if (due) {
            given(f, "Install", "-4");
            given(f, "Duration", "2026-10-01");
        }
        f.store.writesLeft = writesLeft;
        f.store.refusesOnce = once;

        app::checkUpdateReminder();

        QCOMPARE(f.messageBoxes.shown.size(), std::size_t(due ? 1 : 0));
        QVERIFY(f.shell.opened.empty());
        QCOMPARE(app::readSetting("Install"), install.toStdString());
        QCOMPARE(app::readSetting("Duration"), duration.toStdString());
        QCOMPARE(stored(f, "Duration"), due);
    }
};

QTEST_GUILESS_MAIN(TestUpdateReminder)
#include "TestUpdateReminder.moc"
