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
    return *archetypeOf(static_cast<PlanetCode>(code));
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
    void sunSign_data();
    void sunSign();
    void rulingPlanet_data();
    void rulingPlanet();
    void readingOfTheInput();
    void records_data();
    void records();

    void shortTexts_data();
    void shortTexts();
    void paragraphs_data();
    void paragraphs();
    void unreachedRowsAreNA();
    void archetypeOfRefusesOtherCodes();

    void personCard();
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
    QTest::addColumn<int>("focus"); // -1: focus stays

    const auto row = [](const char *tag, QStringList names, QStringList dates, QString message, bool missingName,
                        int focus) { QTest::newRow(tag) << names << dates << message << missingName << focus; };
    const QStringList fine{"10 August 1990", "15 May 1985"};
    const QString noName = "Please Enter Your Name";

    row("all fine", {"Ann", "Bob"}, fine, "", false, -1);
    row("both names empty", {"", ""}, fine, noName, true, 0);
    row("blanks only is empty", {"   ", "Bob"}, fine, noName, true, 0);
    row("tab is not a blank", {"\t", "Bob"}, fine, "", false, -1);
    row("user name before dates", {"", "Bob"}, {"31 April 1990", "30 February 1990"}, noName, true, 0);
    row("partner name before user date", {"Ann", "  "}, {"31 April 1990", "15 May 1985"},
        "Please Enter Your Partner's Name", true, 1);
    row("both dates wrong: user's wins", {"Ann", "Bob"}, {"31 June 1990", "30 February 1990"}, kThirtyDayFault, false,
        -1);
    row("both dates wrong: user's February", {"Ann", "Bob"}, {"29 February 1901", "31 April 1990"}, kFebruaryFault,
        false, -1);
    row("partner date", {"Ann", "Bob"}, {"10 August 1990", "29 February 2001"}, kFebruaryFault, false, -1);
}

void TestReading::checkOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, dates);
    QFETCH(QString, message);
    QFETCH(bool, missingName);
    QFETCH(int, focus);

    const auto fault = firstInputFault({Input(names[0], dates[0]), Input(names[1], dates[1])});
    QCOMPARE(FaultText(fault), message);
    if (!fault)
        return;
    QCOMPARE(fault->kind, missingName ? FaultKind::MissingName : FaultKind::WrongDate);
    QCOMPARE(fault->focusPerson.value_or(-1), focus);
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
        QVERIFY(!asUser->focusPerson);
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

void TestReading::sunSign_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("sign");

    // Each month: the day before its cut-off, then the cut-off day.
    const char *const boundaries[][2] = {
        {"19 January", "Capricorn"},    {"20 January", "Aquarius"},
        {"18 February", "Aquarius"},    {"19 February", "Pisces"},
        {"20 March", "Pisces"},         {"21 March", "Aries"},
        {"20 April", "Aries"},          {"21 April", "Taurus"},
        {"20 May", "Taurus"},           {"21 May", "Gemini"},
        {"20 June", "Gemini"},          {"21 June", "Cancer"},
        {"20 July", "Cancer"},          {"21 July", "Leo"},
        {"20 August", "Leo"},           {"21 August", "Virgo"},
        {"20 September", "Virgo"},      {"21 September", "Libra"},
        {"20 October", "Libra"},        {"21 October", "Scorpio"},
        {"20 November", "Scorpio"},     {"21 November", "Sagittarius"},
        {"20 December", "Sagittarius"}, {"21 December", "Capricorn"},
        {"1 January", "Capricorn"},     {"29 February", "Pisces"},
        {"31 December", "Capricorn"},
    };
    for (const auto &[date, sign] : boundaries) {
        const QStringList parts = QString(date).split(' ');
        QTest::newRow(date) << parts[1] << parts[0].toInt() << sign;
    }
    QTest::newRow("lower case month") << "january" << 5 << "";
    QTest::newRow("untrimmed month") << " May" << 5 << "";
    QTest::newRow("empty month") << "" << 5 << "";
}

void TestReading::sunSign()
{
    QFETCH(QString, month);
    QFETCH(int, day);
    QFETCH(QString, sign);
    QCOMPARE(Q(reading::sunSign(month.toStdString(), day)), sign);
}

void TestReading::rulingPlanet_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<int>("planet");

    QTest::newRow("Aries") << "Aries" << 2;
    QTest::newRow("Taurus") << "Taurus" << 3;
    QTest::newRow("Gemini") << "Gemini" << 4;
    QTest::newRow("Cancer") << "Cancer" << 1;
    QTest::newRow("Leo") << "Leo" << 0;
    QTest::newRow("Virgo") << "Virgo" << 4;
    QTest::newRow("Libra") << "Libra" << 3;
    QTest::newRow("Scorpio") << "Scorpio" << 2;
    QTest::newRow("Sagittarius") << "Sagittarius" << 5;
    QTest::newRow("Capricorn") << "Capricorn" << 6;
    QTest::newRow("Aquarius") << "Aquarius" << 6;
    QTest::newRow("Pisces") << "Pisces" << 5;
    QTest::newRow("lower case") << "leo" << int{NoPlanet};
    QTest::newRow("empty") << "" << int{NoPlanet};
}

void TestReading::rulingPlanet()
{
    QFETCH(QString, sign);
    QFETCH(int, planet);
    QCOMPARE(int{reading::rulingPlanet(sign.toStdString())}, planet);
}

void TestReading::readingOfTheInput()
{
    BirthInput bob = Input("Bob", "15 May 1985");
    bob.monthText = " May "; // as shown by a padded pick-list entry
    const Reading reading = readingOf({Input("  Ann Lee ", "10 August 1990"), bob});

    const Person &ann = reading.people[0];
    QCOMPARE(Q(ann.name), QString("Ann Lee"));
    QCOMPARE(ann.day, 10);
    QCOMPARE(Q(ann.monthName), QString("August"));
    QCOMPARE(Q(ann.sunSign), QString("Leo"));
    QCOMPARE(ann.planets, (std::array<PlanetCode, 3>{0, NoPlanet, 0})); // slot 2 is never written
    QCOMPARE(ann.planetPos, 0);

    QCOMPARE(Q(reading.people[1].monthName), QString("May"));
    QCOMPARE(Q(reading.people[1].sunSign), QString("Taurus"));
    QCOMPARE(reading.people[1].planets[0], 3);
    QCOMPARE(Q(reading.cards[1]->planet), QString("VENUS"));
    QVERIFY(reading.compatibility == compatibilityOf(reading.people[0], reading.people[1]));
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
    Person person = readingOf({Input("Ann", "10 August 1990"), Input("Bob", "15 May 1985")}).people[0];
    person.planetPos = static_cast<std::int16_t>(from);
    QCOMPARE(int(step < 0 ? previousRecord(person) : nextRecord(person)), move);
    QCOMPARE(person.planetPos, to);
}

// --- archetypes ---------------------------------------------------------------

void TestReading::shortTexts_data()
{
    QTest::addColumn<int>("code");
    // name | archetype | also known as | keywords | ruler | tarot card | detriment
    QTest::addColumn<QString>("texts");

    QTest::newRow("Mars") << 2
                          << "Mars|The Warrior|The Go-Getter, The Doer|Bold, Passionate, Adventurous, Focused|"
                             "Aries, Scorpio|The Tower|Libra (Taurus)";
    QTest::newRow("Mercury") << 4
                             << "Mercury|The Prince|The Bean Counter, The Thinker|Intellectual, Communicative, "
                                "Spiritual|Gemini And virgo|The Magician|Sagittarius And Pisces";
    QTest::newRow("Jupiter") << 5
                             << "Jupiter|The Counselor|The Cheerleader, The Guru|Decisive, Respected, Wise, Easy "
                                "Going|Sagittarius And Pisces|The Wheel|Gemini And Virgo";
    QTest::newRow("Saturn") << 6
                            << "Saturn|The Servant|The Perfectionist, The Curmudgeon|Patient, Diplomatic, Reliable, "
                               "Practical|Capricorn|The World|Cancer";
    QTest::newRow("Pluto")
        << 9 << "Pluto|The Transformer|The Soul Essence|Pluto|Scorpio|The Fool, The Death (Scorpio)|Taurus";
}

void TestReading::shortTexts()
{
    QFETCH(int, code);
    QFETCH(QString, texts);

    const Archetype &r = row(code);
    const QStringList actual{Q(r.planetName), Q(r.archetype), Q(r.alsoKnownAs), Q(r.keywords),
                             Q(r.ruler),      Q(r.tarotCard), Q(r.detriment)};
    QCOMPARE(actual.join('|'), texts);
}

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

void TestReading::archetypeOfRefusesOtherCodes()
{
    QCOMPARE(archetypeOf(NoPlanet), nullptr);
    QCOMPARE(archetypeOf(10), nullptr);
    QCOMPARE(archetypeOf(-32768), nullptr);
    QCOMPARE(Q(archetypeOf(0)->planetName), QString("Sun"));
    QCOMPARE(Q(archetypeOf(9)->planetName), QString("Pluto"));
}

// --- composition ----------------------------------------------------------------

void TestReading::personCard()
{
    const Reading reading = readingOf({Input("Ann", "10 August 1990"), Input("Bob", "15 May 1985")});
    const auto &card = reading.cards[0];
    QVERIFY(card);
    QCOMPARE(Q(card->planet), QString("SUN"));
    QCOMPARE(Q(card->archetype), QString("The King"));
    QCOMPARE(card->characteristics, row(0).characteristics);
    QCOMPARE(Q(card->alsoKnownAs), QString("The Leader, The Star"));
    QCOMPARE(Q(card->keywords), QString("Happy, Enthusiastic, Confident, Positive"));
    QCOMPARE(Q(card->ruler), QString("Leo"));
    QCOMPARE(Q(card->tarotCard), QString("The Sun"));
    QCOMPARE(Q(card->detriment), QString("Aquarius"));

    const auto &partner = reading.cards[1];
    QVERIFY(partner);
    QCOMPARE(Q(partner->planet), QString("VENUS"));
    QCOMPARE(Q(partner->ruler), QString("Taurus And Libra"));
}

void TestReading::personCardNeedsAPlanet_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("planet"); // empty: no card

    QTest::newRow("slot 0") << 0 << "MERCURY";
    QTest::newRow("slot 1 empty") << 1 << "";
    QTest::newRow("slot 2, a row no sign reaches") << 2 << "NEPTUNE";
    QTest::newRow("before the list") << -1 << "";
    QTest::newRow("after the list") << 3 << "";
}

void TestReading::personCardNeedsAPlanet()
{
    QFETCH(int, pos);
    QFETCH(QString, planet);

    Person person;
    person.planets = {4, NoPlanet, 8};
    person.planetPos = static_cast<std::int16_t>(pos);
    const auto card = cardOf(person);
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
    QCOMPARE(Q(reading.people[0].sunSign), QString("Gemini"));
    QCOMPARE(Q(reading.people[1].sunSign), QString("Virgo"));
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
    user.planets = {NoPlanet, 1, 0}; // slot 2 is never visited
    Person partner;
    partner.name = "Bob";
    partner.planets = {12, NoPlanet, 2};

    const auto runs = compatibilityOf(user, partner);
    QCOMPARE(runs.size(), std::size_t{4});
    QCOMPARE(Q(runs[1].text), QString("Romancing the Moon person.\r\n"));
    QVERIFY(!runs[2].bold);
    QCOMPARE(Q(runs[3].text), QString("Compatibility of Bob with Ann\r\n"));
    QVERIFY(runs[3].bold);
}

QTEST_APPLESS_MAIN(TestReading)
#include "TestReading.moc"
