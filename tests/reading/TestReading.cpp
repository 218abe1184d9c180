#include "reading/Archetypes.h"
#include "reading/Reading.h"
#include "reading/Text.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTest>

using namespace reading;

namespace
{

const QStringList kMonths{"January", "February", "March",     "April",   "May",      "June",
                          "July",    "August",   "September", "October", "November", "December"};

const QString kFebruaryFault = "Please Enter Correct Date Or Month!";
const QString kThirtyDayFault = "Please Enter Correct Date Or Month !";

// "10 August 1990" as the pick-lists would hold it.
BirthInput Input(const QString &name, const QString &date)
{
    const QStringList parts = date.split(' ');
    BirthInput in;
    in.nameText = name.toStdString();
    in.dayPosition = parts[0].toInt() - 1;
    in.monthPosition = static_cast<int>(kMonths.indexOf(parts[1]));
    in.monthText = parts[1].toStdString();
    in.yearText = parts[2].toStdString();
    return in;
}

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const Archetype &row(int code)
{
    return archetypeOf(static_cast<Planet>(code));
}

QString focusOf(const InputFault &fault)
{
    if (!fault.focus)
        return {};
    return *fault.focus == Whose::User ? QStringLiteral("user") : QStringLiteral("partner");
}

// Message of the first fault, or empty when the input passes.
QString FaultText(const std::optional<InputFault> &fault)
{
    return fault ? Q(fault->message) : QString();
}

} // namespace

class TestReading : public QObject
{
    Q_OBJECT

  private slots:
    void checkOrder_data();
    void checkOrder();
    void dateChecks_data();
    void dateChecks();

    void trimBlanks_data();
    void trimBlanks();
    void sunSignAndRuler_data();
    void sunSignAndRuler();
    void readingOfTheInput();
    void records_data();
    void records();

    void paragraphs_data();
    void paragraphs();
    void unreachedRowsAreNA();

    void cardOfEachRuler_data();
    void cardOfEachRuler();
    void personCardNeedsAPlanet_data();
    void personCardNeedsAPlanet();
    void compatibilityOfAnnAndBob();
    void compatibilityWithTheSamePlanet();
    void compatibilitySkipsEmptySlots();
};

// --- validation -------------------------------------------------------------

void TestReading::checkOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("missingName");
    QTest::addColumn<QString>("focus"); // whose name box takes it; empty: it stays

    const auto row = [](const char *tag, QStringList names, QStringList dates, QString message, bool missingName,
                        QString focus) { QTest::newRow(tag) << names << dates << message << missingName << focus; };
    const QStringList fine{"10 August 1990", "15 May 1985"};
    const QString noName = "Please Enter Your Name";

    row("all fine", {"Ann", "Bob"}, fine, "", false, "");
    row("both names empty", {"", ""}, fine, noName, true, "user");
    row("blanks only is empty", {"   ", "Bob"}, fine, noName, true, "user");
    row("tab is not a blank", {"\t", "Bob"}, fine, "", false, "");
    row("user name before dates", {"", "Bob"}, {"31 April 1990", "30 February 1990"}, noName, true, "user");
    row("partner name before user date", {"Ann", "  "}, {"31 April 1990", "15 May 1985"},
        "Please Enter Your Partner's Name", true, "partner");
    row("both dates wrong: user's wins", {"Ann", "Bob"}, {"31 June 1990", "30 February 1990"}, kThirtyDayFault, false,
        "");
    row("both dates wrong: user's February", {"Ann", "Bob"}, {"29 February 1901", "31 April 1990"}, kFebruaryFault,
        false, "");
    row("partner date", {"Ann", "Bob"}, {"10 August 1990", "29 February 2001"}, kFebruaryFault, false, "");
}

void TestReading::checkOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, dates);
    QFETCH(QString, message);
    QFETCH(bool, missingName);
    QFETCH(QString, focus);

    const auto fault = firstInputFault({Input(names[0], dates[0]), Input(names[1], dates[1])});
    QCOMPARE(FaultText(fault), message);
    if (!fault)
        return;
    QCOMPARE(fault->kind, missingName ? FaultKind::MissingName : FaultKind::WrongDate);
    QCOMPARE(focusOf(*fault), focus);
}

void TestReading::dateChecks_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("message");

    const QString accepted;
    QTest::newRow("29 Feb 1900, century") << "29 February 1900" << kFebruaryFault;
    QTest::newRow("29 Feb 2000, fourth century") << "29 February 2000" << accepted;
    QTest::newRow("29 Feb 2048") << "29 February 2048" << accepted;
    QTest::newRow("29 Feb 1904") << "29 February 1904" << accepted;
    QTest::newRow("29 Feb 1901") << "29 February 1901" << kFebruaryFault;
    QTest::newRow("29 Feb 2001") << "29 February 2001" << kFebruaryFault;
    QTest::newRow("28 Feb 1901") << "28 February 1901" << accepted;
    QTest::newRow("29 Feb, year not a number") << "29 February abc" << kFebruaryFault;
    QTest::newRow("29 Feb, year with tail") << "29 February 2000x" << kFebruaryFault;
    for (const char *year : {"2000", "1901"}) {
        for (const char *day : {"30", "31"}) {
            const QString date = QString("%1 February %2").arg(day, year);
            QTest::newRow(qPrintable(date)) << date << kFebruaryFault;
        }
    }
    for (const QString &month : kMonths) {
        if (month == "February")
            continue;
        const bool short30 = month == "April" || month == "June" || month == "September" || month == "November";
        QTest::newRow(qPrintable("31 " + month)) << "31 " + month + " 1990" << (short30 ? kThirtyDayFault : accepted);
        QTest::newRow(qPrintable("30 " + month)) << "30 " + month + " 1990" << accepted;
    }
}

// Each date is checked once as the user's and once as the partner's.
void TestReading::dateChecks()
{
    QFETCH(QString, date);
    QFETCH(QString, message);

    const BirthInput good = Input("Bob", "1 January 1900");
    const auto asUser = firstInputFault({Input("Ann", date), good});
    const auto asPartner = firstInputFault({good, Input("Ann", date)});
    QCOMPARE(FaultText(asUser), message);
    QCOMPARE(FaultText(asPartner), message);
    if (asUser) {
        QCOMPARE(asUser->kind, FaultKind::WrongDate);
        QVERIFY(!asUser->focus);
    }
}

// --- signs and persons --------------------------------------------------------

void TestReading::trimBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");

    const char *const cases[][3] = {
        {"empty", "", ""},
        {"blanks only", "    ", ""},
        {"both ends", "  Ann Lee  ", "Ann Lee"},
        {"tabs and line breaks stay", "\tAnn\r\n", "\tAnn\r\n"},
        {"blank after tab", " \t Ann ", "\t Ann"},
    };
    for (const auto &[tag, text, trimmed] : cases)
        QTest::newRow(tag) << QString(text) << QString(trimmed);
}

void TestReading::trimBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(Q(reading::trimBlanks(text.toStdString())), trimmed);
}

void TestReading::sunSignAndRuler_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("ruler"); // the ruling planet's name

    // Each month: the day before its cut-off, then the cut-off day.
    const char *const boundaries[][3] = {
        {"19 January", "Capricorn", "Saturn"},
        {"20 January", "Aquarius", "Saturn"},
        {"18 February", "Aquarius", "Saturn"},
        {"19 February", "Pisces", "Jupiter"},
        {"20 March", "Pisces", "Jupiter"},
        {"21 March", "Aries", "Mars"},
        {"20 April", "Aries", "Mars"},
        {"21 April", "Taurus", "Venus"},
        {"20 May", "Taurus", "Venus"},
        {"21 May", "Gemini", "Mercury"},
        {"20 June", "Gemini", "Mercury"},
        {"21 June", "Cancer", "Moon"},
        {"20 July", "Cancer", "Moon"},
        {"21 July", "Leo", "Sun"},
        {"20 August", "Leo", "Sun"},
        {"21 August", "Virgo", "Mercury"},
        {"20 September", "Virgo", "Mercury"},
        {"21 September", "Libra", "Venus"},
        {"20 October", "Libra", "Venus"},
        {"21 October", "Scorpio", "Mars"},
        {"20 November", "Scorpio", "Mars"},
        {"21 November", "Sagittarius", "Jupiter"},
        {"20 December", "Sagittarius", "Jupiter"},
        {"21 December", "Capricorn", "Saturn"},
        {"1 January", "Capricorn", "Saturn"},
        {"29 February", "Pisces", "Jupiter"},
        {"31 December", "Capricorn", "Saturn"},
    };
    for (const auto &[date, sign, ruler] : boundaries) {
        const QStringList parts = QString(date).split(' ');
        QTest::newRow(date) << parts[1] << parts[0].toInt() << sign << ruler;
    }
    QTest::newRow("lower case month") << "january" << 5 << ""
                                      << "";
    QTest::newRow("untrimmed month") << " May" << 5 << ""
                                     << "";
    QTest::newRow("empty month") << "" << 5 << ""
                                 << "";
}

void TestReading::sunSignAndRuler()
{
    QFETCH(QString, month);
    QFETCH(int, day);
    QFETCH(QString, sign);
    QFETCH(QString, ruler);
    const std::string_view found = reading::sunSign(month.toStdString(), day);
    QCOMPARE(Q(found), sign);
    const auto planet = reading::rulingPlanet(found);
    QCOMPARE(planet ? Q(archetypeOf(*planet).planetName) : QString(), ruler);
}

void TestReading::readingOfTheInput()
{
    BirthInput bob = Input("Bob", "15 May 1985");
    bob.monthText = " May "; // as shown by a padded pick-list entry
    const Reading reading = readingOf({Input("  Ann Lee ", "10 August 1990"), bob});

    const Person &ann = reading.people.user;
    QCOMPARE(Q(ann.name), QString("Ann Lee"));
    QCOMPARE(ann.day, 10);
    QCOMPARE(Q(ann.monthName), QString("August"));
    QCOMPARE(Q(ann.sunSign), QString("Leo"));
    // The list ends after the ruler; slot 2 is never written.
    QVERIFY(ann.planets == (std::array<std::optional<Planet>, 3>{Planet::Sun, std::nullopt, std::nullopt}));

    QCOMPARE(Q(reading.people.partner.monthName), QString("May"));
    QCOMPARE(Q(reading.people.partner.sunSign), QString("Taurus"));
    QVERIFY(reading.people.partner.planets[0] == Planet::Venus);
    QCOMPARE(Q(reading.cards.partner->planet), QString("VENUS"));
    QVERIFY(reading.compatibility == compatibilityOf(reading.people.user, reading.people.partner));
}

void TestReading::records_data()
{
    QTest::addColumn<int>("step"); // -1 back, +1 next
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("move");

    QTest::newRow("back from the first") << -1 << 0 << 0 << int(RecordMove::AtFirst);
    QTest::newRow("back to the first") << -1 << 1 << 0 << int(RecordMove::Moved);
    QTest::newRow("next onto the list's end") << 1 << 0 << 1 << int(RecordMove::AtLast);
    QTest::newRow("next past the last slot shown") << 1 << 1 << 1 << int(RecordMove::AtLast);
}

// As a reading leaves a person: one planet, then the end of the list.
void TestReading::records()
{
    QFETCH(int, step);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, move);
    const Person person = readingOf({Input("Ann", "10 August 1990"), Input("Bob", "15 May 1985")}).people.user;
    int slot = from;
    QCOMPARE(int(step < 0 ? previousRecord(slot) : nextRecord(person, slot)), move);
    QCOMPARE(slot, to);
}

// --- archetypes ---------------------------------------------------------------

void TestReading::paragraphs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("voice"); // a word every paragraph of its column uses

    struct Row {
        const char *characteristics;
        int characteristicsLength;
        const char *romancing;
        int romancingLength;
    };
    const Row rows[] = {
        {"You like to be the center of attraction and in the limelight.", 289, "The Sun Person loves to be worshiped.",
         308},
        {"You are the silent types who think before they talk.", 240,
         "You may have to take the first step in this relationship.", 386},
        {"You have a lot of energy and enthusiasm to do things.", 273,
         "The Mars person is always looking for challenges.", 289},
        {"You are the fun people who love enjoying and partying at a moment's notice.", 247,
         "They are very sensitive and emotional.", 378},
        {"You are very methodical and go by the facts more than the figures.", 250, "They are very meticulous people.",
         458},
        {"You will know the answers to all the questions irrespective of whether you are asked or not.", 272,
         "You will be caught up in all their humanitarian and heal the world projects.", 295},
        {"You are very reliable and solid people.", 213,
         "They are very difficult to romance and love but only till they get started.", 369},
    };
    for (int code = 0; code < 7; ++code) {
        const Row &expected = rows[code];
        QTest::addRow("characteristics %d", code)
            << Q(row(code).characteristics) << expected.characteristics << expected.characteristicsLength << "You";
        QTest::addRow("romancing %d", code)
            << Q(row(code).romancing) << expected.romancing << expected.romancingLength << "they";
    }
}

void TestReading::paragraphs()
{
    QFETCH(QString, text);
    QFETCH(QString, opening);
    QFETCH(int, length);
    QFETCH(QString, voice);

    QVERIFY2(text.startsWith(opening + ' '), qPrintable(text));
    QVERIFY2(qAbs(text.size() - length) <= length / 10, qPrintable(QString::number(text.size())));
    QVERIFY(!text.contains('\r') && !text.contains('\n'));
    QVERIFY(!text.contains("  "));
    QVERIFY(text.endsWith('.'));
    for (QChar c : text)
        QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7f, qPrintable(text));
    QVERIFY(text.mid(opening.size()).contains(QRegularExpression("\\b" + voice + "\\b")));
}

void TestReading::unreachedRowsAreNA()
{
    for (int code = 7; code < 10; ++code) {
        QCOMPARE(Q(row(code).characteristics), QString("NA"));
        QCOMPARE(Q(row(code).romancing), QString("NA"));
        QCOMPARE(row(code).keywords, row(code).planetName);
    }
}

// --- composition ----------------------------------------------------------------

// The card a reading shows for a sign, with its odd texts as they stand.
void TestReading::cardOfEachRuler_data()
{
    QTest::addColumn<QString>("date");
    // planet | archetype | also known as | keywords | ruler | tarot card | detriment
    QTest::addColumn<QString>("texts");

    QTest::newRow("Leo, the Sun") << "10 August 1990"
                                  << "SUN|The King|The Leader, The Star|Happy, Enthusiastic, Confident, Positive|Leo|"
                                     "The Sun|Aquarius";
    QTest::newRow("Taurus, Venus") << "15 May 1985"
                                   << "VENUS|The Diplomat|The Lover, The Artist|Loving, Warm, Affectionate, Artistic, "
                                      "Sensual|Taurus And Libra|The Empress|Scorpio And Aries";
    QTest::newRow("Scorpio, Mars") << "1 November 1990"
                                   << "MARS|The Warrior|The Go-Getter, The Doer|Bold, Passionate, Adventurous, "
                                      "Focused|Aries, Scorpio|The Tower|Libra (Taurus)";
    QTest::newRow("Virgo, Mercury") << "1 September 1990"
                                    << "MERCURY|The Prince|The Bean Counter, The Thinker|Intellectual, Communicative, "
                                       "Spiritual|Gemini And virgo|The Magician|Sagittarius And Pisces";
    QTest::newRow("Pisces, Jupiter") << "1 March 1990"
                                     << "JUPITER|The Counselor|The Cheerleader, The Guru|Decisive, Respected, Wise, "
                                        "Easy Going|Sagittarius And Pisces|The Wheel|Gemini And Virgo";
    QTest::newRow("Aquarius, Saturn") << "1 February 1990"
                                      << "SATURN|The Servant|The Perfectionist, The Curmudgeon|Patient, Diplomatic, "
                                         "Reliable, Practical|Capricorn|The World|Cancer";
    QTest::newRow("Cancer, the Moon") << "1 July 1990"
                                      << "MOON|The Queen|The Feeler, The Nurturer|Emotional, Clairvoyant, Creative, "
                                         "Sensitive|Cancer|The High Priestess|Capricorn";
}

void TestReading::cardOfEachRuler()
{
    QFETCH(QString, date);
    QFETCH(QString, texts);

    const auto card = readingOf({Input("Ann", date), Input("Bob", "15 May 1985")}).cards.user;
    QVERIFY(card);
    const QStringList actual{Q(card->planet), Q(card->archetype), Q(card->alsoKnownAs), Q(card->keywords),
                             Q(card->ruler),  Q(card->tarotCard), Q(card->detriment)};
    QCOMPARE(actual.join('|'), texts);
}

void TestReading::personCardNeedsAPlanet_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("planet"); // empty: no card

    QTest::newRow("slot 0") << 0 << "MERCURY";
    QTest::newRow("slot 1 empty") << 1 << "";
    QTest::newRow("slot 2, a row no sign reaches") << 2 << "NEPTUNE";
    QTest::newRow("before the list") << -1 << "";
    QTest::newRow("after the list") << 3 << "";
}

void TestReading::personCardNeedsAPlanet()
{
    QFETCH(int, slot);
    QFETCH(QString, planet);

    Person person;
    person.planets = {Planet::Mercury, std::nullopt, Planet::Neptune};
    const auto card = cardOf(person, slot);
    QCOMPARE(card ? Q(card->planet) : QString(), planet);
}

void TestReading::compatibilityOfAnnAndBob()
{
    const auto runs = readingOf({Input(" Ann ", "10 August 1990"), Input("Bob", "15 May 1985")}).compatibility;
    const std::string sun(row(0).romancing);
    const std::string venus(row(3).romancing);
    QVERIFY(!sun.empty() && !venus.empty());
    const std::vector<TextRun> expected{
        {"Compatibility of Ann with Bob\r\n", true},
        {"Romancing the Sun person.\r\n", true},
        {sun + "\r\n\r\n", false},
        {"Compatibility of Bob with Ann\r\n", true},
        {"Romancing the Venus person.\r\n", true},
        {venus + "\r\n\r\n", false},
    };
    QVERIFY(runs == expected);
}

void TestReading::compatibilityWithTheSamePlanet()
{
    const Reading reading = readingOf({Input("Gem", "1 June 1990"), Input("Vir", "1 September 1990")});
    QCOMPARE(Q(reading.people.user.sunSign), QString("Gemini"));
    QCOMPARE(Q(reading.people.partner.sunSign), QString("Virgo"));
    const auto &runs = reading.compatibility;
    QCOMPARE(runs.size(), std::size_t{6});
    QCOMPARE(Q(runs[0].text), QString("Compatibility of Gem with Vir\r\n"));
    QCOMPARE(Q(runs[3].text), QString("Compatibility of Vir with Gem\r\n"));
    QCOMPARE(Q(runs[1].text), QString("Romancing the Mercury person.\r\n"));
    QVERIFY(runs[1] == runs[4]);
    QVERIFY(runs[2] == runs[5]);
    QCOMPARE(runs[2].text, std::string(row(4).romancing) + "\r\n\r\n");
}

void TestReading::compatibilitySkipsEmptySlots()
{
    Person user;
    user.name = "Ann";
    user.planets = {std::nullopt, Planet::Moon, Planet::Sun}; // slot 2 is never visited
    Person partner;
    partner.name = "Bob";
    partner.planets = {std::nullopt, std::nullopt, Planet::Mars};

    const auto runs = compatibilityOf(user, partner);
    QCOMPARE(runs.size(), std::size_t{4});
    QCOMPARE(Q(runs[1].text), QString("Romancing the Moon person.\r\n"));
    QVERIFY(!runs[2].bold);
    QCOMPARE(Q(runs[3].text), QString("Compatibility of Bob with Ann\r\n"));
    QVERIFY(runs[3].bold);
}

QTEST_APPLESS_MAIN(TestReading)
#include "TestReading.moc"
