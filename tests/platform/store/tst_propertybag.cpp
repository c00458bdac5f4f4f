#include <QtTest>

#include "platform/store/PropertyBag.h"

class TestPropertyBag : public QObject
{
    Q_OBJECT

private slots:
    void missingNameReadsAsItsDefault();
    void onlyAValueOtherThanItsDefaultIsStored_data();
    void onlyAValueOtherThanItsDefaultIsStored();
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

void TestPropertyBag::onlyAValueOtherThanItsDefaultIsStored_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QVariant>("before");  // stored first, if valid
    QTest::addColumn<bool>("stored");
    QTest::newRow("number") << QVariant(-250) << QVariant(0) << QVariant() << true;
    QTest::newRow("false") << QVariant(false) << QVariant(true) << QVariant() << true;
    QTest::newRow("text") << QVariant(QStringLiteral("x")) << QVariant(QString()) << QVariant() << true;
    QTest::newRow("the default") << QVariant(true) << QVariant(true) << QVariant() << false;
    QTest::newRow("the default over a value") << QVariant(0) << QVariant(0) << QVariant(12) << false;
}

void TestPropertyBag::onlyAValueOtherThanItsDefaultIsStored()
{
    // A value that differs from its default is stored and read back as written; a
    // default value is not stored, and writing one drops what was stored before.
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    QFETCH(QVariant, before);
    QFETCH(bool, stored);
    PropertyBag bag;
    if (before.isValid())
        bag.writeProperty(QStringLiteral("Key"), before, defaultValue);
    bag.writeProperty(QStringLiteral("Key"), value, defaultValue);
    QCOMPARE(bag.contains(QStringLiteral("Key")), stored);
    QCOMPARE(bag.isEmpty(), !stored);
    QCOMPARE(bag.readProperty(QStringLiteral("Key"), defaultValue), value);
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
