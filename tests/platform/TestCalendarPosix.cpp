#include "app/Settings.h"
#include "app/UpdateReminder.h"
#include "platform/Backends.h"
#include "platform/Calendar_posix.h"
#include "support/FakeServices.h"

#include <QDate>
#include <QTest>

#include <ctime>
#include <locale.h>
#include <memory>
#include <type_traits>

using platform::CivilDate;

Q_DECLARE_METATYPE(CivilDate)

namespace
{

// LC_ALL for the life of the object.
class LocaleOverride
{
  public:
    explicit LocaleOverride(const QByteArray &name) : m_saved(qgetenv("LC_ALL")) { qputenv("LC_ALL", name); }
    ~LocaleOverride()
    {
        if (m_saved.isNull())
            qunsetenv("LC_ALL");
        else
            qputenv("LC_ALL", m_saved);
    }

  private:
    QByteArray m_saved;
};

// The calendar a locale gives, with today fixed.
class FixedDayCalendar final : public platform::PosixCalendar
{
  public:
    CivilDate today() override { return date; }
    CivilDate date{2026, 12, 7};
};

std::unique_ptr<FixedDayCalendar> calendarOf(const QByteArray &locale)
{
    const LocaleOverride scope(locale);
    return std::make_unique<FixedDayCalendar>();
}

using Locale = std::unique_ptr<std::remove_pointer_t<locale_t>, decltype(&::freelocale)>;

// The locale by name, or "C" where it is not installed, as the calendar takes it.
Locale timeLocale(const QByteArray &name)
{
    const locale_t l = ::newlocale(LC_TIME_MASK, name.constData(), locale_t(nullptr));
    return Locale(l ? l : ::newlocale(LC_TIME_MASK, "C", locale_t(nullptr)), &::freelocale);
}

// What earlier versions wrote: the locale's short date.
std::string shortDate(locale_t locale, const CivilDate &d)
{
    std::tm tm{};
    tm.tm_year = d.year - 1900;
    tm.tm_mon = d.month - 1;
    tm.tm_mday = d.day;
    char buf[128];
    return std::string(buf, ::strftime_l(buf, sizeof buf, "%x", &tm, locale));
}

bool installed(const QByteArray &name)
{
    const locale_t l = ::newlocale(LC_TIME_MASK, name.constData(), locale_t(nullptr));
    if (l)
        ::freelocale(l);
    return l != nullptr;
}

CivilDate civil(const QDate &d)
{
    return {d.year(), d.month(), d.day()};
}

// The locales the tests compile, and one that is not installed.
void addLocaleRows()
{
    QTest::addColumn<QByteArray>("locale");
    for (const char *l : {"C", "C.UTF-8", "xx_XX.UTF-8", "en_US.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8",
                          "ko_KR.UTF-8", "ar_EG.UTF-8", "fa_IR.UTF-8"})
        QTest::newRow(l) << QByteArray(l);
}

} // namespace

class TestCalendarPosix : public QObject
{
    Q_OBJECT
  private slots:
    // What the reminder writes (ISO 8601) reads back through the store's
    // encoding, and the short date earlier versions wrote, in the locale of
    // the calendar's making, read on its day is that day: every date from
    // 1900 to 2100. A date that does not exist is none.
    void everyDateReadsBack_data() { addLocaleRows(); }
    void everyDateReadsBack()
    {
        QFETCH(QByteArray, locale);
        if (!locale.startsWith("xx") && !installed(locale))
            QSKIP("locale not installed");
        const auto calendar = calendarOf(locale);
        const LocaleOverride later(locale.startsWith("de") ? "en_US.UTF-8" : "de_DE.UTF-8");
        const Locale written = timeLocale(locale);
        QCOMPARE(app::durationText(*calendar, {2026, 12, 7}), std::string("2026-12-07"));
        int wrong = 0;
        for (CivilDate d{1900, 1, 1}; d.year <= 2100; d = civil(QDate(d.year, d.month, d.day).addDays(1))) {
            calendar->date = d;
            const std::string stored = app::decodeText(app::encodeText(app::durationText(*calendar, d)));
            if ((calendar->parseDate(stored) != d || calendar->parseDate(shortDate(written.get(), d)) != d) &&
                ++wrong == 1)
                qWarning("%d-%d-%d does not read back", d.year, d.month, d.day);
        }
        QCOMPARE(wrong, 0);
        std::string bad = shortDate(written.get(), {2026, 2, 28});
        if (const auto at = bad.find("28"); at != std::string::npos)
            QCOMPARE(calendar->parseDate(bad.replace(at, 2, "30")), std::nullopt);
    }

    // Asked at the first start 15 days or more after the last, in every
    // locale, from a date the reminder wrote or an earlier version did.
    void fifteenDayCycle_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QDate>("start");
        const QDate start(2026, 12, 7);
        for (const char *l :
             {"C", "en_US.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "zh_CN.UTF-8", "ko_KR.UTF-8", "ar_EG.UTF-8"})
            QTest::newRow(l) << QByteArray(l) << start;
        QTest::newRow("C, from 2069") << QByteArray("C") << QDate(2069, 12, 20);
    }
    void fifteenDayCycle()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QDate, start);
        if (!installed(locale))
            QSKIP("locale not installed");
        fakes::All f;
        const auto calendar = calendarOf(locale);
        platform::services().calendar = calendar.get();
        f.messageBoxes.answers = {3, platform::MsgAnswer::No};
        const auto startOn = [&](int day) {
            calendar->date = civil(start.addDays(day));
            app::checkUpdateReminder();
            return f.messageBoxes.shown.size();
        };

        QCOMPARE(startOn(0), 0u); // first start
        QCOMPARE(startOn(14), 0u);
        QCOMPARE(startOn(15), 1u);
        QCOMPARE(startOn(29), 1u);
        QCOMPARE(startOn(30), 2u);

        // Earlier versions kept a short date only where the encoding keeps
        // all of its bytes.
        const std::string earlier = shortDate(timeLocale(locale).get(), civil(start));
        if (app::decodeText(app::encodeText(earlier)) != earlier)
            return;
        app::writeSetting("Duration", earlier);
        QCOMPARE(startOn(-14), 2u);
        QCOMPARE(startOn(14), 2u);
        QCOMPARE(startOn(15), 3u);
    }

    void readInTheCLocale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<CivilDate>("date");
        QTest::newRow("plain") << "2026-12-07" << true << CivilDate{2026, 12, 7};
        QTest::newRow("leap day") << "2024-02-29" << true << CivilDate{2024, 2, 29};
        QTest::newRow("no leap day") << "2026-02-29" << false << CivilDate{};
        QTest::newRow("1900 no leap day") << "1900-02-29" << false << CivilDate{};
        QTest::newRow("30 April") << "2024-04-30" << true << CivilDate{2024, 4, 30};
        QTest::newRow("no 31 April") << "2024-04-31" << false << CivilDate{};
        QTest::newRow("month 13") << "2026-13-01" << false << CivilDate{};
        QTest::newRow("day 0") << "2026-12-00" << false << CivilDate{};
        QTest::newRow("short fields") << "2026-1-5" << false << CivilDate{};
        QTest::newRow("blank before") << " 2026-12-07" << false << CivilDate{};
        QTest::newRow("trailing text") << "2026-12-07x" << false << CivilDate{};
        QTest::newRow("empty") << "" << false << CivilDate{};
        QTest::newRow("words") << "yesterday" << false << CivilDate{};
        // Short dates of earlier versions in the C locale's form, read on 7
        // December 2026: a two-digit year is the one in the hundred years from 1976.
        QTest::newRow("first of the hundred years") << "12/07/76" << true << CivilDate{1976, 12, 7};
        QTest::newRow("last of the hundred years") << "12/07/75" << true << CivilDate{2075, 12, 7};
        QTest::newRow("short date, trailing text") << "12/07/26x" << false << CivilDate{};
    }
    // The clock's day, read either side of the calendar's.
    void todayIsTheClocksDay()
    {
        const QDate before = QDate::currentDate();
        const CivilDate today = platform::hostCalendar().today();
        QVERIFY(today == civil(before) || today == civil(QDate::currentDate()));
    }

    void readInTheCLocale()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(CivilDate, date);
        const auto parsed = calendarOf("C")->parseDate(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, date);
    }
};

QTEST_GUILESS_MAIN(TestCalendarPosix)
#include "TestCalendarPosix.moc"
