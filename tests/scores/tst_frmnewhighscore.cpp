#include "platform/widgets/Twips.h"
#include "scores/frmNewHighScore.h"
#include "support/FakeScoreTable.h"
#include "support/ModalAnswer.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using Gesture = std::function<void(QDialog &)>;

class tst_frmNewHighScore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Opening
    void nameBoxOpensWithTheLastNameFullySelected_data();
    void nameBoxOpensWithTheLastNameFullySelected();
    void layoutFollowsTheDesign();

    // Storing the name
    void theNameShownWhenTheWindowClosesGoesToTheNewEntry_data();
    void theNameShownWhenTheWindowClosesGoesToTheNewEntry();
    void modalShowReturnsOnceTheNameIsStored();
};

void tst_frmNewHighScore::initTestCase()
{
    Twips::installFontSubstitutes();
}

void tst_frmNewHighScore::nameBoxOpensWithTheLastNameFullySelected_data()
{
    QTest::addColumn<QString>("lastName");
    QTest::newRow("first run") << QStringLiteral("Anonymous");
    QTest::newRow("previous player") << QStringLiteral("Zoë <b>Ørsted</b>");
}

void tst_frmNewHighScore::nameBoxOpensWithTheLastNameFullySelected()
{
    // The box offers the last name entered, all of it selected, so typing replaces it;
    // OK comes next in tab order.
    QFETCH(QString, lastName);
    FakeScoreTable table;
    table.lastName = lastName;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    auto *txtName = control<QLineEdit>(dialog, "txtName");
    QVERIFY(txtName);
    QCOMPARE(QApplication::focusWidget(), txtName);
    QCOMPARE(txtName->text(), lastName);
    QCOMPARE(txtName->selectedText(), lastName);
    QCOMPARE(txtName->selectionStart(), 0);
    QTest::keyClick(txtName, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(dialog, "cmdOK"));
}

void tst_frmNewHighScore::layoutFollowsTheDesign()
{
    // A title-less 292 x 140 window with the designed captions, font and positions.
    FakeScoreTable table;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QCOMPARE(dialog.size(), QSize(292, 140));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.isModal());
    auto *label1 = control<QLabel>(dialog, "Label1");
    auto *label2 = control<QLabel>(dialog, "Label2");
    auto *cmdOK = control<QPushButton>(dialog, "cmdOK");
    auto *txtName = control<QLineEdit>(dialog, "txtName");
    QVERIFY(label1 && label2 && cmdOK && txtName);
    QCOMPARE(label1->text(), QStringLiteral("You have acheived a new High Score!!!"));
    QCOMPARE(label1->geometry(), QRect(8, 12, 277, 21));
    QVERIFY(label1->font().bold());
    QCOMPARE(label1->font().pixelSize(), 13);
    QCOMPARE(label2->text(), QStringLiteral("Enter in your name for the record books"));
    QCOMPARE(label2->geometry(), QRect(12, 40, 269, 21));
    QVERIFY(label2->alignment() & Qt::AlignHCenter);
    QCOMPARE(txtName->geometry(), QRect(84, 72, 125, 21));
    // A screen reader names the window by its title and the field by its question.
    QCOMPARE(dialog.windowTitle(), QStringLiteral("New High Score"));
    QCOMPARE(QAccessible::queryAccessibleInterface(txtName)->text(QAccessible::Name), label2->text());
    QCOMPARE(cmdOK->text(), QStringLiteral("&OK"));
    QCOMPARE(cmdOK->geometry(), QRect(116, 104, 65, 25));
    QCOMPARE(cmdOK->accessibleName(), QStringLiteral("OK"));
    // The whole first caption fits its label.
    QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(label1->text()) <= label1->width());
}

void tst_frmNewHighScore::theNameShownWhenTheWindowClosesGoesToTheNewEntry_data()
{
    QTest::addColumn<QString>("offered");
    QTest::addColumn<int>("position");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("stored");
    const auto keys = [](QList<QKeyCombination> keys, const QString &typed = {}) {
        return Gesture([keys, typed](QDialog &) {
            QTest::keyClicks(QApplication::focusWidget(), typed);
            for (const QKeyCombination key : keys)
                QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        });
    };
    const QString previous = QStringLiteral("Previous");
    // Enter, Escape, OK and closing the window all store the offered name.
    QTest::newRow("Enter") << previous << 2 << keys({Qt::Key_Return}) << previous;
    QTest::newRow("keypad Enter") << previous << 2 << keys({Qt::KeypadModifier | Qt::Key_Enter}) << previous;
    QTest::newRow("Escape") << previous << 2 << keys({Qt::Key_Escape}) << previous;
    QTest::newRow("Alt+O") << previous << 2 << keys({Qt::AltModifier | Qt::Key_O}) << previous;
    QTest::newRow("click OK") << previous << 2 << Gesture([](QDialog &d) {
        QTest::mouseClick(control<QPushButton>(d, "cmdOK"), Qt::LeftButton);
    }) << previous;
    QTest::newRow("Space on OK") << previous << 2 << Gesture([](QDialog &d) {
        control<QPushButton>(d, "cmdOK")->setFocus();
        QTest::keyClick(control<QPushButton>(d, "cmdOK"), Qt::Key_Space);
    }) << previous;
    QTest::newRow("window closed") << previous << 2 << Gesture([](QDialog &d) { d.close(); }) << previous;
    // Typed letters replace the selected name; a deleted one is stored empty; the box
    // has no length limit.
    QTest::newRow("typed") << QStringLiteral("Anonymous") << 0 << keys({Qt::Key_Return}, QStringLiteral("Jo, \"Ace\""))
                           << QStringLiteral("Jo, \"Ace\"");
    QTest::newRow("deleted") << QStringLiteral("Anonymous") << 1 << keys({Qt::Key_Delete, Qt::Key_Return}) << QString();
    QTest::newRow("40000 letters and one more")
        << QString(40000, u'n') << 0 << keys({Qt::Key_End, Qt::Key_Z, Qt::Key_Return}) << QString(40000, u'n') + u'z';
    QTest::newRow("fifth place") << QStringLiteral("Anonymous") << 4 << keys({Qt::Key_Return}, QStringLiteral("Kim"))
                                 << QStringLiteral("Kim");
    // Shown when no entry was taken, it still closes and changes nothing.
    QTest::newRow("no new entry") << QStringLiteral("Anonymous") << -1 << keys({Qt::Key_Return}) << QString();
}

void tst_frmNewHighScore::theNameShownWhenTheWindowClosesGoesToTheNewEntry()
{
    // However the window closes, the name in the box is written once, at the new entry's
    // place and nowhere else, and becomes the last name entered.
    QFETCH(QString, offered);
    QFETCH(int, position);
    QFETCH(Gesture, gesture);
    QFETCH(QString, stored);
    FakeScoreTable table;
    table.lastName = offered;
    table.scorePos = qint16(position);
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    gesture(dialog);
    QTRY_VERIFY(!dialog.isVisible());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(table.names[std::size_t(i)], i == position ? stored : QStringLiteral("Anonymous"));
    QCOMPARE(table.lastName, position < 0 ? offered : stored);
    QCOMPARE(table.nameWrites, position < 0 ? 0 : 1);
}

void tst_frmNewHighScore::modalShowReturnsOnceTheNameIsStored()
{
    // Shown modally over its owner, the dialog returns to the caller after Enter.
    QWidget owner;
    owner.show();
    FakeScoreTable table;
    table.lastName = QStringLiteral("Lee");
    const ModalAnswer answer;
    frmNewHighScore dialog(table, &owner);
    dialog.exec();
    QCOMPARE(answer.first(), &dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
    QCOMPARE(table.names[0], QStringLiteral("Lee"));
}

QTEST_MAIN(tst_frmNewHighScore)
#include "tst_frmnewhighscore.moc"
