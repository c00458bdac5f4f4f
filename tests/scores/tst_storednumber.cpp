#include "platform/store/IniSettingsStore.h"
#include "scores/StoredNumber.h"

#include <QTemporaryDir>
#include <QTest>

class tst_StoredNumber : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumbersConvert_data();
    void wholeNumbersConvert();
    void otherTextsAreRefused_data();
    void otherTextsAreRefused();
    void everyValueRoundTrips();
    void malformedStoredValuesStartUpWithDefaults_data();
    void malformedStoredValuesStartUpWithDefaults();
};

void tst_StoredNumber::wholeNumbersConvert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("positive") << QStringLiteral("42") << 42;
    QTest::newRow("negative") << QStringLiteral("-7") << -7;
    QTest::newRow("largest") << QStringLiteral("32767") << 32767;
    QTest::newRow("smallest") << QStringLiteral("-32768") << -32768;
    QTest::newRow("leading zeros") << QStringLiteral("007") << 7;
    QTest::newRow("many leading zeros") << QString(40, u'0') + QStringLiteral("12") << 12;
    QTest::newRow("minus zero") << QStringLiteral("-0") << 0;
}

void tst_StoredNumber::wholeNumbersConvert()
{
    // Decimal digits with an optional leading minus, within 16 bits, give their value.
    QFETCH(QString, text);
    QFETCH(int, value);
    const std::optional<qint16> number = StoredNumber::toInt16(text);
    QVERIFY(number.has_value());
    QCOMPARE(int(*number), value);
}

void tst_StoredNumber::otherTextsAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("digits then letters") << QStringLiteral("12abc");
    QTest::newRow("exponent") << QStringLiteral("1e3");
    QTest::newRow("decimal point") << QStringLiteral("1.0");
    QTest::newRow("too big") << QStringLiteral("99999");
    QTest::newRow("one past largest") << QStringLiteral("32768");
    QTest::newRow("one past smallest") << QStringLiteral("-32769");
    QTest::newRow("leading blank") << QStringLiteral(" 5");
    QTest::newRow("trailing blank") << QStringLiteral("5 ");
    QTest::newRow("leading tab") << QStringLiteral("\t5");
    QTest::newRow("hexadecimal") << QStringLiteral("0x10");
    QTest::newRow("plus sign") << QStringLiteral("+5");
    QTest::newRow("minus alone") << QStringLiteral("-");
    QTest::newRow("two minus signs") << QStringLiteral("--5");
    QTest::newRow("thousands separator") << QStringLiteral("1,000");
    QTest::newRow("Arabic-Indic digit") << QString(QChar(0x0665));
    QTest::newRow("full-width digit") << QString(QChar(0xFF15));
    QTest::newRow("unicode minus") << QString(QChar(0x2212)) + u'5';
    QTest::newRow("huge") << QString(10000, u'9');
    QTest::newRow("huge negative") << u'-' + QString(10000, u'9');
    QTest::newRow("would wrap to 1 in 32 bits") << QStringLiteral("4294967297");
}

void tst_StoredNumber::otherTextsAreRefused()
{
    // Anything else is no number at all, however close it comes.
    QFETCH(QString, text);
    QVERIFY(!StoredNumber::toInt16(text).has_value());
}

void tst_StoredNumber::everyValueRoundTrips()
{
    // The stored form of every 16-bit value reads back as that value.
    for (int v = -32768; v <= 32767; ++v) {
        const std::optional<qint16> back = StoredNumber::toInt16(StoredNumber::fromInt16(qint16(v)));
        if (!back || *back != v)
            QFAIL(qPrintable(QStringLiteral("value %1 came back wrong").arg(v)));
    }
    QCOMPARE(StoredNumber::fromInt16(-32768), QStringLiteral("-32768"));
    QCOMPARE(StoredNumber::fromInt16(5), QStringLiteral("5"));
}

void tst_StoredNumber::malformedStoredValuesStartUpWithDefaults_data()
{
    otherTextsAreRefused_data();
}

void tst_StoredNumber::malformedStoredValuesStartUpWithDefaults()
{
    // A score or speed edited into nonsense reads as 0 or 1 and is written back well-formed.
    QFETCH(QString, text);
    const QString app = QStringLiteral("Tessaly");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    {
        IniSettingsStore store(dir.path());
        store.save(app, QStringLiteral("Scores"), QStringLiteral("Score3"), text);
        store.save(app, QStringLiteral("Settings"), QStringLiteral("Speed"), text);
    }
    {
        IniSettingsStore store(dir.path());
        const qint16 score =
            StoredNumber::toInt16(store.get(app, QStringLiteral("Scores"), QStringLiteral("Score3"), QStringLiteral("0")))
                .value_or(0);
        const qint16 speed =
            StoredNumber::toInt16(store.get(app, QStringLiteral("Settings"), QStringLiteral("Speed"), QStringLiteral("1")))
                .value_or(1);
        QCOMPARE(score, qint16(0));
        QCOMPARE(speed, qint16(1));
        store.save(app, QStringLiteral("Scores"), QStringLiteral("Score3"), StoredNumber::fromInt16(score));
        store.save(app, QStringLiteral("Settings"), QStringLiteral("Speed"), StoredNumber::fromInt16(speed));
    }
    IniSettingsStore store(dir.path());
    QCOMPARE(store.get(app, QStringLiteral("Scores"), QStringLiteral("Score3"), QString()), QStringLiteral("0"));
    QCOMPARE(store.get(app, QStringLiteral("Settings"), QStringLiteral("Speed"), QString()), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(tst_StoredNumber)
#include "tst_storednumber.moc"
