#include <QtTest>

#include "platform/store/PropertyBag.h"

class TestPropertyBag : public QObject
{
    Q_OBJECT

private slots:
    void missingNameReadsAsItsDefault();
    void writtenValueReadsBack_data();
    void writtenValueReadsBack();
    void valueEqualToDefaultIsLeftOut();
    void namesKeepTheOrderOfTheLastWrites();
};

void TestPropertyBag::missingNameReadsAsItsDefault()
{
    // A name never stored reads as the default the reader gives.
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("Value"), 7, 0);
    QCOMPARE(bag.readProperty(QStringLiteral("NumDigits"), 2), QVariant(2));
    QCOMPARE(bag.readProperty(QStringLiteral("value"), 0), QVariant(0));  // names are exact
    QVERIFY(!bag.readProperty(QStringLiteral("Enabled")).isValid());
}

void TestPropertyBag::writtenValueReadsBack_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::newRow("number") << QVariant(-250) << QVariant(0);
    QTest::newRow("false") << QVariant(false) << QVariant(true);
    QTest::newRow("text") << QVariant(QStringLiteral("x")) << QVariant(QString());
}

void TestPropertyBag::writtenValueReadsBack()
{
    // A value that differs from its default is stored and read back as written.
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("Key"), value, defaultValue);
    QVERIFY(bag.contains(QStringLiteral("Key")));
    QCOMPARE(bag.readProperty(QStringLiteral("Key"), defaultValue), value);
}

void TestPropertyBag::valueEqualToDefaultIsLeftOut()
{
    // A default value is not stored, and writing one drops what was stored before.
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("Enabled"), true, true);
    QVERIFY(bag.isEmpty());

    bag.writeProperty(QStringLiteral("Value"), 12, 0);
    bag.writeProperty(QStringLiteral("Value"), 0, 0);
    QVERIFY(!bag.contains(QStringLiteral("Value")));
    QCOMPARE(bag.readProperty(QStringLiteral("Value"), 0), QVariant(0));
}

void TestPropertyBag::namesKeepTheOrderOfTheLastWrites()
{
    // Names come back in the order written; a rewritten name moves to the end.
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("Enabled"), false, true);
    bag.writeProperty(QStringLiteral("Value"), 3, 0);
    bag.writeProperty(QStringLiteral("NumDigits"), 4, 2);
    QCOMPARE(bag.names(), (QStringList{"Enabled", "Value", "NumDigits"}));

    bag.writeProperty(QStringLiteral("Enabled"), false, true);
    QCOMPARE(bag.names(), (QStringList{"Value", "NumDigits", "Enabled"}));
    QCOMPARE(bag.readProperty(QStringLiteral("Value"), 0), QVariant(3));
}

QTEST_MAIN(TestPropertyBag)
#include "tst_propertybag.moc"
