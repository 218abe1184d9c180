#include "Hosts.h"
#include "outreach/Referral.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>

using namespace outreach;

namespace
{

std::string boardUrl(const std::string &query)
{
    return std::string("http://") + hosts::Board + "/qzvs-refer-a-friend.php?" + query;
}

std::string productRootEncoded()
{
    return "http%3A%2F%2F" + std::string(hosts::Product) + "%2F";
}

} // namespace

class TestReferral : public QObject
{
    Q_OBJECT

  private slots:
    void checksInOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("expected");

        // clang-format off
        QTest::newRow("same addresses before missing entries") << "" << "  a@b.c " << "" << "" << "a@b.c"
            << "Please Enter Distinct Email Addresses";
        QTest::newRow("both empty count as the same") << "Ann" << "" << "Hi" << "Bob" << "   "
            << "Please Enter Distinct Email Addresses";
        QTest::newRow("placeholders lack the at sign") << "Your Name" << "Your Email Address" << "Your Message"
            << "Friend's Name" << "Friend's Email Address"
            << "Please Enter Proper Email Address";
        QTest::newRow("case differs: distinct, then checked") << "" << "A@B.C" << "" << "" << "a@b.c"
            << "Please Enter Your Name";
        QTest::newRow("friend lacks at sign") << "Ann" << "a@b.c" << "Hi" << "Bob" << "b.c"
            << "Please Enter Proper Email Address";
        QTest::newRow("user lacks dot") << "Ann" << "a@bc" << "Hi" << "Bob" << "b@c.d"
            << "Please Enter Proper Email Address";
        QTest::newRow("friend lacks dot") << "Ann" << "a@b.c" << "Hi" << "Bob" << "b@cd"
            << "Please Enter Proper Email Address";
        QTest::newRow("at and dot alone pass") << "" << "@." << "" << "" << ".@" << "Please Enter Your Name";
        QTest::newRow("name placeholder") << "Your Name" << "a@b.c" << "Hi" << "Bob" << "b@c.d"
            << "Please Enter Your Name";
        QTest::newRow("name blanks") << "   " << "a@b.c" << "Hi" << "Bob" << "b@c.d" << "Please Enter Your Name";
        QTest::newRow("name placeholder other case passes") << "your name" << "a@b.c" << "" << "Bob" << "b@c.d"
            << "Please Enter Your Message";
        QTest::newRow("message placeholder") << "Ann" << "a@b.c" << " Your Message " << "Bob" << "b@c.d"
            << "Please Enter Your Message";
        QTest::newRow("friend name placeholder") << "Ann" << "a@b.c" << "Hi" << "Friend's Name" << "b@c.d"
            << "Please Enter Your Friend's Name";
        QTest::newRow("friend name empty") << "Ann" << "a@b.c" << "Hi" << "" << "b@c.d"
            << "Please Enter Your Friend's Name";
        // The request's length is checked last: what is missing is said first.
        const auto fill = [](std::size_t extra) {
            const std::size_t base = referralUrl({"Ann", "a@b.c", "", "Bob", "b@c.d"}).size();
            return QString(int(MaxReferralUrlLength - base + extra), u'x');
        };
        QTest::newRow("request at the length bound") << "Ann" << "a@b.c" << fill(0) << "Bob" << "b@c.d" << "";
        QTest::newRow("request over the length bound") << "Ann" << "a@b.c" << fill(1) << "Bob" << "b@c.d"
            << "Your Referral Is Too Long To Send. Please Shorten Your Message";
        QTest::newRow("missing name before the length") << "" << "a@b.c" << fill(1) << "Bob" << "b@c.d"
            << "Please Enter Your Name";
        // clang-format on
    }

    void checksInOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, message);
        QFETCH(QString, friendName);
        QFETCH(QString, friendEmail);
        QFETCH(QString, expected);
        const Referral entries = trimmed({name.toStdString(), email.toStdString(), message.toStdString(),
                                          friendName.toStdString(), friendEmail.toStdString()});
        QCOMPARE(QString::fromStdString(entries.email), email.trimmed());
        QCOMPARE(QString::fromStdString(entries.friendName), friendName.trimmed());

        const auto fault = firstReferralFault(entries);
        QCOMPARE(QString::fromStdString(std::string(fault.value_or(""))), expected);
    }

    // The address checks come first, so the form never meets these.
    void missingAddresses_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("user empty") << "" << "b@c.d" << "Please Enter Your Email";
        QTest::newRow("user placeholder") << "Your Email Address" << "b@c.d" << "Please Enter Your Email";
        QTest::newRow("friend empty") << "a@b.c" << "" << "Please Enter Your Friend's Email";
        QTest::newRow("friend placeholder") << "a@b.c" << "Friend's Email Address"
            << "Please Enter Your Friend's Email";
        // clang-format on
    }

    void missingAddresses()
    {
        QFETCH(QString, email);
        QFETCH(QString, friendEmail);
        QFETCH(QString, expected);
        const auto missing = missingEntry({"Ann", email.toStdString(), "Hi", "Bob", friendEmail.toStdString()});
        QCOMPARE(QString::fromUtf8(missing.data(), qsizetype(missing.size())), expected);
    }

    void validEntriesGiveTheExactUrl()
    {
        const Referral entries =
            trimmed({"  Ann Lee ", "ann@mail.example", "Your Message\r\n", "Bob", " bob@mail.example"});
        QVERIFY(!firstReferralFault(entries));

        const std::string expected =
            boardUrl("taf1=Ann%20Lee&taf2=ann%40mail.example&taf3=Your%20Message%0D%0A&taf4=Bob"
                     "&taf5=bob%40mail.example&taf6=" +
                     productRootEncoded());
        QCOMPARE(referralUrl(entries), expected);
    }

    void hostileEntriesArriveIntact_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("query injection") << "a&taf6=x";
        QTest::newRow("fragment") << "#";
        QTest::newRow("line breaks and tab") << "one\r\ntwo\n\tthree";
        QTest::newRow("non-ASCII") << QStringLiteral("Ren\u00e9e \u00e9 \u2019 \U0001F600");
        QTest::newRow("percent and plus") << "100% + 1 = ?/";
        QTest::newRow("unreserved kept") << "AZaz09-._~";
    }

    void hostileEntriesArriveIntact()
    {
        QFETCH(QString, value);
        const std::string v = value.toStdString();
        const Referral entries = trimmed({"x" + v, "a@b.c" + v, v + "x", "y" + v, "b@c.d" + v});
        QVERIFY(!firstReferralFault(entries));
        const std::string sent = referralUrl(entries);
        QVERIFY(sent.find_first_of(" \r\n\t#") == std::string::npos);
        QVERIFY(std::all_of(sent.begin(), sent.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));

        const QUrl url(QString::fromStdString(sent), QUrl::StrictMode);
        QVERIFY(url.isValid());
        QCOMPARE(url.host(), QString::fromLatin1(hosts::Board));
        QCOMPARE(url.path(), QStringLiteral("/qzvs-refer-a-friend.php"));
        const QUrlQuery query(url);
        const auto items = query.queryItems(QUrl::FullyDecoded);
        QCOMPARE(items.size(), 6);
        const QStringList keys{"taf1", "taf2", "taf3", "taf4", "taf5", "taf6"};
        const QStringList values{
            "x" + value, "a@b.c" + value, value + "x",
            "y" + value, "b@c.d" + value, QStringLiteral("http://%1/").arg(QString::fromLatin1(hosts::Product))};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(items[i].first, keys[i]);
            QCOMPARE(items[i].second, values[i]);
        }
    }

    void percentEncodeUsesUppercaseHexOfUtf8()
    {
        QCOMPARE(percentEncoded("\xC3\xA9 ~"), std::string("%C3%A9%20~"));
        QCOMPARE(percentEncoded(""), std::string());
        QCOMPARE(percentEncoded(std::string("\0/", 2)), std::string("%00%2F"));
    }
};

QTEST_GUILESS_MAIN(TestReferral)
#include "TestReferral.moc"
