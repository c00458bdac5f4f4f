#include "globals/modGlobals.h"
#include "platform/widgets/Twips.h"
#include "settings/frmSpeed.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

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

bool showActive(QWidget &dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
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
    void clickingAnOptionSetsTheSpeedAtOnce();
    void accessKeysSetTheSpeedAtOnce_data();
    void accessKeysSetTheSpeedAtOnce();
    void arrowKeysMoveTheSelection_data();
    void arrowKeysMoveTheSelection();
    void codeWithNoOptionStaysUntilAChoice();
    void lastChoiceBeforeOKIsKept();

    // Closing
    void escapeDoesNothing();
    void enterClosesOnlyFromOK();
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

void tst_frmSpeed::clickingAnOptionSetsTheSpeedAtOnce()
{
    // A click on an option sets the code before anything else happens.
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QTest::mouseClick(option(dialog, 2), Qt::LeftButton);
    QCOMPARE(int(modGlobals::giSpeed), 2);
    QTest::mouseClick(option(dialog, 0), Qt::LeftButton);
    QCOMPARE(int(modGlobals::giSpeed), 0);
    QCOMPARE(selected(dialog), 0);
}

void tst_frmSpeed::accessKeysSetTheSpeedAtOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::newRow("Alt+S") << int(Qt::Key_S) << int(Qt::AltModifier) << 0;
    QTest::newRow("Alt+N") << int(Qt::Key_N) << int(Qt::AltModifier) << 1;
    QTest::newRow("Alt+F") << int(Qt::Key_F) << int(Qt::AltModifier) << 2;
    QTest::newRow("S alone") << int(Qt::Key_S) << int(Qt::NoModifier) << 0;
    QTest::newRow("F alone") << int(Qt::Key_F) << int(Qt::NoModifier) << 2;
}

void tst_frmSpeed::accessKeysSetTheSpeedAtOnce()
{
    // An option's access key selects it and sets the code before the key is released.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    modGlobals::giSpeed = 7;
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyPress(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(modGlobals::giSpeed), code);
    QCOMPARE(selected(dialog), code);
    QCOMPARE(QApplication::focusWidget(), option(dialog, code));
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(dialog.isVisible());
}

void tst_frmSpeed::arrowKeysMoveTheSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("down from slow") << 0 << int(Qt::Key_Down) << 1;
    QTest::newRow("right from normal") << 1 << int(Qt::Key_Right) << 2;
    QTest::newRow("up from fast") << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("left from normal") << 1 << int(Qt::Key_Left) << 0;
    QTest::newRow("down with none selected") << 7 << int(Qt::Key_Down) << 1;
}

void tst_frmSpeed::arrowKeysMoveTheSelection()
{
    // Arrow keys move through the group, selecting as they go and setting the code at once.
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, code);
    modGlobals::giSpeed = qint16(start);
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QVERIFY(qobject_cast<QRadioButton *>(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(int(modGlobals::giSpeed), code);
    QCOMPARE(selected(dialog), code);
}

void tst_frmSpeed::codeWithNoOptionStaysUntilAChoice()
{
    // An out-of-range code survives opening and OK, and gives way to the first choice.
    modGlobals::giSpeed = 7;
    {
        frmSpeed dialog(nullptr);
        QVERIFY(showActive(dialog));
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
    QCOMPARE(int(modGlobals::giSpeed), 7);
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QCOMPARE(selected(dialog), -1);
    QTest::mouseClick(option(dialog, 1), Qt::LeftButton);
    QCOMPARE(int(modGlobals::giSpeed), 1);
}

void tst_frmSpeed::lastChoiceBeforeOKIsKept()
{
    // Slow then Normal before OK leaves Normal; there is nothing to apply or cancel.
    modGlobals::giSpeed = 2;
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QTest::mouseClick(option(dialog, 0), Qt::LeftButton);
    QTest::mouseClick(option(dialog, 1), Qt::LeftButton);
    QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(modGlobals::giSpeed), 1);
}

void tst_frmSpeed::escapeDoesNothing()
{
    // OK is not the cancel button: Escape neither closes the dialog nor changes the code.
    modGlobals::giSpeed = 0;
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    okButton(dialog)->setFocus();
    QTest::keyClick(okButton(dialog), Qt::Key_Escape);
    QTest::qWait(50);
    QVERIFY(dialog.isVisible());
    QCOMPARE(int(modGlobals::giSpeed), 0);
}

void tst_frmSpeed::enterClosesOnlyFromOK()
{
    // OK is not the default button: Enter on an option does nothing, Enter on OK closes.
    frmSpeed dialog(nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), okButton(dialog));
    QTest::keyClick(okButton(dialog), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(int(modGlobals::giSpeed), 1);
}

void tst_frmSpeed::modalShowReturnsAfterOK()
{
    // Shown modally over its owner, the dialog returns to the caller after OK.
    QWidget owner;
    owner.show();
    QPointer<QWidget> seen;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        if (!seen)
            return;
        QTest::mouseClick(seen->findChild<QRadioButton *>(QStringLiteral("optSpeed(2)")), Qt::LeftButton);
        QTest::mouseClick(seen->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QTimer::singleShot(5000, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    frmSpeed dialog(&owner);
    dialog.exec();
    QCOMPARE(seen.data(), &dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
    QCOMPARE(int(modGlobals::giSpeed), 2);
}

QTEST_MAIN(tst_frmSpeed)
#include "tst_frmspeed.moc"
