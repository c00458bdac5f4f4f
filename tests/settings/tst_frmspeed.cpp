#include "globals/modGlobals.h"
#include "platform/widgets/Twips.h"
#include "settings/frmSpeed.h"
#include "support/ModalAnswer.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QRadioButton *option(QWidget &dialog, int index)
{
    return dialog.findChild<QRadioButton *>(QStringLiteral("optSpeed(%1)").arg(index));
}

QPushButton *okButton(QWidget &dialog)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("cmdOK"));
}

int selected(QWidget &dialog)
{
    int found = -1;
    for (int i = 0; i < 3; ++i) {
        if (option(dialog, i)->isChecked()) {
            if (found >= 0)
                return -2;
            found = i;
        }
    }
    return found;
}

} // namespace

class tst_frmSpeed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Opening
    void opensWithTheCurrentCodeSelected_data();
    void opensWithTheCurrentCodeSelected();
    void layoutFollowsTheDesign();

    // Choosing
    void clicksSetTheSpeedAtOnceAndOKKeepsIt_data();
    void clicksSetTheSpeedAtOnceAndOKKeepsIt();
    void keysSetTheSpeedAtOnce_data();
    void keysSetTheSpeedAtOnce();

    // Closing
    void onlyEnterOnOKCloses_data();
    void onlyEnterOnOKCloses();
    void modalShowReturnsAfterOK();
};

void tst_frmSpeed::initTestCase()
{
    Twips::installFontSubstitutes();
}

void tst_frmSpeed::cleanup()
{
    modGlobals::giSpeed = 1;
}

void tst_frmSpeed::opensWithTheCurrentCodeSelected_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("selection");
    QTest::newRow("slow") << 0 << 0;
    QTest::newRow("normal") << 1 << 1;
    QTest::newRow("fast") << 2 << 2;
    QTest::newRow("edited to 7") << 7 << -1;
    QTest::newRow("edited to -1") << -1 << -1;
}

void tst_frmSpeed::opensWithTheCurrentCodeSelected()
{
    // The option of the current code is selected; a code with no option selects none
    // and is left as it is.
    QFETCH(int, code);
    QFETCH(int, selection);
    modGlobals::giSpeed = qint16(code);
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QCOMPARE(selected(dialog), selection);
    QCOMPARE(int(modGlobals::giSpeed), code);
}

void tst_frmSpeed::layoutFollowsTheDesign()
{
    // A title-less 154 x 173 window: the wrapped prompt, three options and OK, in tab order.
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QCOMPARE(dialog.size(), QSize(154, 173));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Speed"));  // what a screen reader names it
    QVERIFY(dialog.isModal());
    auto *label1 = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label1->text(), QStringLiteral("Select the speed in which the lights will flash."));
    QCOMPARE(label1->geometry(), QRect(12, 4, 129, 41));
    QVERIFY(label1->wordWrap());
    QVERIFY(label1->heightForWidth(label1->width()) <= label1->height());
    const QStringList captions = {QStringLiteral("&Slow"), QStringLiteral("&Normal"), QStringLiteral("&Fast")};
    const QStringList names = {QStringLiteral("Slow"), QStringLiteral("Normal"), QStringLiteral("Fast")};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(option(dialog, i)->text(), captions.at(i));
        QCOMPARE(option(dialog, i)->accessibleName(), names.at(i));
        QCOMPARE(option(dialog, i)->geometry(), QRect(20, 52 + 28 * i, 113, 17));
    }
    QCOMPARE(okButton(dialog)->text(), QStringLiteral("&OK"));
    QCOMPARE(okButton(dialog)->geometry(), QRect(40, 140, 73, 25));
    QCOMPARE(option(dialog, 0)->nextInFocusChain(), option(dialog, 1));
    QCOMPARE(option(dialog, 1)->nextInFocusChain(), option(dialog, 2));
    QCOMPARE(option(dialog, 2)->nextInFocusChain(), okButton(dialog));
}

void tst_frmSpeed::clicksSetTheSpeedAtOnceAndOKKeepsIt_data()
{
    // The options clicked in turn, 3 standing for OK.
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("code");
    QTest::newRow("Fast") << 1 << QList<int>{2} << 2;
    QTest::newRow("Fast, then Slow") << 1 << QList<int>{2, 0} << 0;
    // There is nothing to apply or cancel.
    QTest::newRow("Slow then Normal before OK") << 2 << QList<int>{0, 1, 3} << 1;
    // An out-of-range code survives opening and OK, and gives way to the first choice.
    QTest::newRow("OK on a code with no option") << 7 << QList<int>{3} << 7;
    QTest::newRow("Normal on a code with no option") << 7 << QList<int>{1} << 1;
}

void tst_frmSpeed::clicksSetTheSpeedAtOnceAndOKKeepsIt()
{
    // A click on an option sets the code before anything else happens; OK closes the
    // window on the last choice.
    QFETCH(int, start);
    QFETCH(QList<int>, clicks);
    QFETCH(int, code);
    modGlobals::giSpeed = qint16(start);
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    for (const int click : clicks) {
        QTest::mouseClick(click == 3 ? static_cast<QWidget *>(okButton(dialog)) : option(dialog, click), Qt::LeftButton);
        if (click < 3)
            QCOMPARE(int(modGlobals::giSpeed), click);
    }
    QCOMPARE(int(modGlobals::giSpeed), code);
    QCOMPARE(dialog.isVisible(), clicks.last() != 3);
    if (dialog.isVisible())
        QCOMPARE(selected(dialog), code);
}

void tst_frmSpeed::keysSetTheSpeedAtOnce_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("code");
    // An option's access key selects it.
    QTest::newRow("Alt+S") << 7 << (Qt::AltModifier | Qt::Key_S) << 0;
    QTest::newRow("Alt+N") << 7 << (Qt::AltModifier | Qt::Key_N) << 1;
    QTest::newRow("Alt+F") << 7 << (Qt::AltModifier | Qt::Key_F) << 2;
    QTest::newRow("S alone") << 7 << QKeyCombination(Qt::Key_S) << 0;
    QTest::newRow("F alone") << 7 << QKeyCombination(Qt::Key_F) << 2;
    // Arrow keys move through the group, selecting as they go.
    QTest::newRow("down from slow") << 0 << QKeyCombination(Qt::Key_Down) << 1;
    QTest::newRow("right from normal") << 1 << QKeyCombination(Qt::Key_Right) << 2;
    QTest::newRow("up from fast") << 2 << QKeyCombination(Qt::Key_Up) << 1;
    QTest::newRow("left from normal") << 1 << QKeyCombination(Qt::Key_Left) << 0;
    QTest::newRow("down with none selected") << 7 << QKeyCombination(Qt::Key_Down) << 1;
}

void tst_frmSpeed::keysSetTheSpeedAtOnce()
{
    // A key that selects an option, with the keyboard on the options, sets the code
    // before it is released, and the window stays open.
    QFETCH(int, start);
    QFETCH(QKeyCombination, key);
    QFETCH(int, code);
    modGlobals::giSpeed = qint16(start);
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QVERIFY(qobject_cast<QRadioButton *>(QApplication::focusWidget()));
    QTest::keyPress(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QCOMPARE(int(modGlobals::giSpeed), code);
    QCOMPARE(selected(dialog), code);
    QCOMPARE(QApplication::focusWidget(), option(dialog, code));
    QTest::keyRelease(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QVERIFY(dialog.isVisible());
}

void tst_frmSpeed::onlyEnterOnOKCloses_data()
{
    QTest::addColumn<bool>("onOK");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<bool>("closes");
    // OK is not the cancel button: Escape neither closes the dialog nor changes the code.
    QTest::newRow("Escape on an option") << false << QKeyCombination(Qt::Key_Escape) << false;
    QTest::newRow("Escape on OK") << true << QKeyCombination(Qt::Key_Escape) << false;
    // OK is not the default button: Enter on an option does nothing.
    QTest::newRow("Enter on an option") << false << QKeyCombination(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter on an option") << false << (Qt::KeypadModifier | Qt::Key_Enter) << false;
    QTest::newRow("Enter on OK") << true << QKeyCombination(Qt::Key_Return) << true;
}

void tst_frmSpeed::onlyEnterOnOKCloses()
{
    // Only Enter with the focus on OK closes the window, and no key changes the code.
    QFETCH(bool, onOK);
    QFETCH(QKeyCombination, key);
    QFETCH(bool, closes);
    modGlobals::giSpeed = 0;
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    if (onOK) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), okButton(dialog));
    }
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    QTest::qWait(50);
    QCOMPARE(dialog.isVisible(), !closes);
    QCOMPARE(int(modGlobals::giSpeed), 0);
}

void tst_frmSpeed::modalShowReturnsAfterOK()
{
    // Shown modally over its owner, the dialog returns to the caller after OK.
    QWidget owner;
    owner.show();
    const ModalAnswer answer([](QWidget &window) {
        QTest::mouseClick(option(window, 2), Qt::LeftButton);
        QTest::mouseClick(okButton(window), Qt::LeftButton);
    });
    frmSpeed dialog(&owner);
    dialog.exec();
    QCOMPARE(answer.first(), &dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
    QCOMPARE(int(modGlobals::giSpeed), 2);
}

QTEST_MAIN(tst_frmSpeed)
#include "tst_frmspeed.moc"
