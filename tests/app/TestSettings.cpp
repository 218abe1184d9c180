#include "app/Settings.h"
#include "support/FakeServices.h"

#include <QTest>

using app::decodeText;
using app::encodeText;

namespace
{
std::string bytes(const QByteArray &b)
{
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}
std::string codes(std::initializer_list<int> list)
{
    std::string s;
    for (int c : list)
        s.push_back(static_cast<char>(c));
    return s;
}
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
  private slots:
    void encode_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("one") << QByteArray("1") << QByteArray("\x86");
        QTest::newRow("Install") << QByteArray("Install")
                                 << QByteArray::fromStdString(codes({158, 195, 200, 201, 182, 193, 193}));
        QTest::newRow("Duration") << QByteArray("Duration")
                                  << QByteArray::fromStdString(codes({153, 202, 199, 182, 201, 190, 196, 195}));
        QTest::newRow("date separators") << QByteArray("1/2.3-4 5")
                                         << QByteArray("\x86\x84\x87\x83\x88\x82\x89\x75\x8a");
        QTest::newRow("171 and 255 dropped, order kept") << QByteArray("a\xab"
                                                                       "b\xff"
                                                                       "c")
                                                         << QByteArray("\xb6\xb7\xb8");
    }
    void encode()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, encoded);
        QCOMPARE(encodeText(bytes(plain)), bytes(encoded));
    }

    void decodeDropsCodesBelow85()
    {
        QCOMPARE(decodeText("\x86"
                            "A\x86"),
                 std::string("11"));
        std::string low;
        for (int c = 0; c < 85; ++c)
            low.push_back(static_cast<char>(c));
        QCOMPARE(decodeText(low), std::string());
        QCOMPARE(decodeText(""), std::string());
    }

    void everyCodeUpTo170SurvivesTheRoundTrip()
    {
        std::string all;
        for (int c = 0; c <= 170; ++c)
            all.push_back(static_cast<char>(c));
        QCOMPARE(encodeText(all).size(), all.size());
        QCOMPARE(decodeText(encodeText(all)), all);
        std::string high;
        for (int c = 171; c <= 255; ++c)
            high.push_back(static_cast<char>(c));
        QCOMPARE(encodeText(high), std::string());
    }

    void storesEncodedNamesAndValuesInSettings()
    {
        fakes::All f;
        QVERIFY(app::writeSetting("Install", "1"));
        QCOMPARE(f.store.values.size(), std::size_t(1));
        QCOMPARE(f.store.values.begin()->first.first, std::string("Settings"));
        QCOMPARE(f.store.values.begin()->first.second, codes({158, 195, 200, 201, 182, 193, 193}));
        QCOMPARE(f.store.values.begin()->second, std::string("\x86"));
        QCOMPARE(app::readSetting("Install"), std::string("1"));
    }

    void missingValueReadsEmpty()
    {
        fakes::All f;
        QCOMPARE(app::readSetting("Duration"), std::string());
    }

    void refusedWriteIsReported()
    {
        fakes::All f;
        f.store.writesLeft = 0;
        QVERIFY(!app::writeSetting("Install", "1"));
        QVERIFY(f.store.values.empty());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
