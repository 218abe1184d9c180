#include "platform/Backends.h"
#include "platform/Calendar_posix.h"

#include <QTest>

#include <locale.h>

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

bool installed(const QByteArray &name)
{
    const locale_t l = ::newlocale(LC_TIME_MASK, name.constData(), locale_t(nullptr));
    if (l)
        ::freelocale(l);
    return l != nullptr;
}

} // namespace

class TestCalendarPosix : public QObject
{
    Q_OBJECT
  private slots:
    void shortDateRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("expected"); // the form of 2026-12-07
        QTest::newRow("C") << QByteArray("C") << "12/07/26";
        QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8") << "12/07/26";
        QTest::newRow("not installed falls back to C") << QByteArray("xx_XX.UTF-8") << "12/07/26";
        QTest::newRow("en_US") << QByteArray("en_US.UTF-8") << "12/07/2026";
        QTest::newRow("de_DE") << QByteArray("de_DE.UTF-8") << "07.12.2026";
        QTest::newRow("ja_JP") << QByteArray("ja_JP.UTF-8")
                               << "2026\xe5\xb9\xb4"
                                  "12\xe6\x9c\x88"
                                  "07\xe6\x97\xa5";
    }
    void shortDateRoundTrip()
    {
        QFETCH(QByteArray, locale);
        QFETCH(QString, expected);
        if (!locale.startsWith("xx") && !installed(locale))
            QSKIP("locale not installed");
        std::optional<platform::PosixCalendar> made;
        {
            const LocaleOverride scope(locale);
            made.emplace();
        }
        // The form is the one the environment gave when the calendar was made.
        const LocaleOverride later(locale.startsWith("de") ? "en_US.UTF-8" : "de_DE.UTF-8");
        platform::Calendar &calendar = *made;

        QCOMPARE(QString::fromStdString(calendar.formatShortDate({2026, 12, 7})), expected);
        for (const CivilDate d : {CivilDate{2026, 12, 7}, CivilDate{2024, 2, 29}, CivilDate{1999, 1, 31},
                                  CivilDate{2030, 6, 1}, calendar.today()}) {
            const auto back = calendar.parseShortDate(calendar.formatShortDate(d));
            QVERIFY(back);
            QCOMPARE(*back, d);
        }
        // A day the month does not have, written in the locale's own form.
        std::string bad = calendar.formatShortDate({2026, 2, 28});
        QVERIFY(bad.find("28") != std::string::npos);
        QCOMPARE(calendar.parseShortDate(bad.replace(bad.find("28"), 2, "30")), std::nullopt);
    }

    void isoAcceptedInEveryLocale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<CivilDate>("date");
        QTest::newRow("plain") << "2026-12-07" << true << CivilDate{2026, 12, 7};
        QTest::newRow("leap day") << "2024-02-29" << true << CivilDate{2024, 2, 29};
        QTest::newRow("no leap day") << "2026-02-29" << false << CivilDate{};
        QTest::newRow("1900 no leap day") << "1900-02-29" << false << CivilDate{};
        QTest::newRow("month 13") << "2026-13-01" << false << CivilDate{};
        QTest::newRow("day 0") << "2026-12-00" << false << CivilDate{};
        QTest::newRow("short fields") << "2026-1-5" << false << CivilDate{};
        QTest::newRow("blank before") << " 2026-12-07" << false << CivilDate{};
        QTest::newRow("trailing text") << "2026-12-07x" << false << CivilDate{};
        QTest::newRow("empty") << "" << false << CivilDate{};
        QTest::newRow("words") << "yesterday" << false << CivilDate{};
    }
    void isoAcceptedInEveryLocale()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(CivilDate, date);
        const LocaleOverride scope("C");
        const auto parsed = platform::hostCalendar().parseShortDate(text.toStdString());
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, date);
    }
};

QTEST_GUILESS_MAIN(TestCalendarPosix)
#include "TestCalendarPosix.moc"
