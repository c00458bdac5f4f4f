#include "platform/widgets/Twips.h"
#include "scores/frmNewHighScore.h"
#include "support/FakeScoreTable.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

template <typename T>
T *control(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

// Shows the dialog and waits until it has the keyboard, as the player sees it.
bool showActive(QWidget &dialog)
{
    dialog.show();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

} // namespace

class tst_frmNewHighScore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Opening
    void nameBoxOpensWithTheLastNameFullySelected_data();
    void nameBoxOpensWithTheLastNameFullySelected();
    void layoutFollowsTheDesign();
    void tabGoesFromTheNameToOK();

    // Storing the name
    void everyWayOfClosingStoresTheName_data();
    void everyWayOfClosingStoresTheName();
    void typingReplacesTheOfferedName();
    void emptyNameIsStored();
    void longNameIsStoredWhole();
    void nameGoesToTheNewEntryOnly_data();
    void nameGoesToTheNewEntryOnly();
    void withNoNewEntryItClosesWithoutStoring();
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
    // The box offers the last name entered, all of it selected, so typing replaces it.
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

void tst_frmNewHighScore::tabGoesFromTheNameToOK()
{
    // The name box comes first in tab order, OK second.
    FakeScoreTable table;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(dialog, "cmdOK"));
}

void tst_frmNewHighScore::everyWayOfClosingStoresTheName_data()
{
    QTest::addColumn<std::function<void(QDialog &)>>("close");
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return std::function<void(QDialog &)>([k, m](QDialog &) { QTest::keyClick(QApplication::focusWidget(), k, m); });
    };
    QTest::newRow("Enter") << key(Qt::Key_Return);
    QTest::newRow("keypad Enter") << key(Qt::Key_Enter, Qt::KeypadModifier);
    QTest::newRow("Escape") << key(Qt::Key_Escape);
    QTest::newRow("Alt+O") << key(Qt::Key_O, Qt::AltModifier);
    QTest::newRow("click OK") << std::function<void(QDialog &)>([](QDialog &d) {
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
    QTest::newRow("Space on OK") << std::function<void(QDialog &)>([](QDialog &d) {
        auto *ok = d.findChild<QPushButton *>(QStringLiteral("cmdOK"));
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Space);
    });
    QTest::newRow("window closed") << std::function<void(QDialog &)>([](QDialog &d) { d.close(); });
}

void tst_frmNewHighScore::everyWayOfClosingStoresTheName()
{
    // Enter, Escape, OK and closing the window all store the offered name and close.
    QFETCH(std::function<void(QDialog &)>, close);
    FakeScoreTable table;
    table.lastName = QStringLiteral("Previous");
    table.scorePos = 2;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    close(dialog);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(table.names[2], QStringLiteral("Previous"));
    QCOMPARE(table.lastName, QStringLiteral("Previous"));
    QCOMPARE(table.nameWrites, 1);
}

void tst_frmNewHighScore::typingReplacesTheOfferedName()
{
    // Typed letters replace the selected name, and Enter stores what was typed.
    FakeScoreTable table;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Jo, \"Ace\""));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(table.names[0], QStringLiteral("Jo, \"Ace\""));
    QCOMPARE(table.lastName, QStringLiteral("Jo, \"Ace\""));
}

void tst_frmNewHighScore::emptyNameIsStored()
{
    // Deleting the name and pressing Enter stores the empty name as it is.
    FakeScoreTable table;
    table.scorePos = 1;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(table.names[1], QString());
    QCOMPARE(table.lastName, QString());
    QCOMPARE(table.nameWrites, 1);
}

void tst_frmNewHighScore::longNameIsStoredWhole()
{
    // The name box has no length limit.
    FakeScoreTable table;
    table.lastName = QString(40000, u'n');
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(table.names[0].size(), 40001);
}

void tst_frmNewHighScore::nameGoesToTheNewEntryOnly_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("first place") << 0;
    QTest::newRow("fifth place") << 4;
}

void tst_frmNewHighScore::nameGoesToTheNewEntryOnly()
{
    // The name is written at the new entry's place and nowhere else.
    QFETCH(int, position);
    FakeScoreTable table;
    table.scorePos = qint16(position);
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kim"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(table.names[std::size_t(i)], i == position ? QStringLiteral("Kim") : QStringLiteral("Anonymous"));
}

void tst_frmNewHighScore::withNoNewEntryItClosesWithoutStoring()
{
    // Shown when no entry was taken, it still closes and changes nothing.
    FakeScoreTable table;
    table.scorePos = -1;
    frmNewHighScore dialog(table, nullptr);
    QVERIFY(showActive(dialog));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(table.nameWrites, 0);
    QCOMPARE(table.lastName, QStringLiteral("Anonymous"));
}

void tst_frmNewHighScore::modalShowReturnsOnceTheNameIsStored()
{
    // Shown modally over its owner, the dialog returns to the caller after Enter.
    QWidget owner;
    owner.show();
    FakeScoreTable table;
    table.lastName = QStringLiteral("Lee");
    QPointer<QWidget> seen;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        if (seen)
            QTest::keyClick(seen->focusWidget(), Qt::Key_Return);
    });
    QTimer::singleShot(5000, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    frmNewHighScore dialog(table, &owner);
    dialog.exec();
    QCOMPARE(seen.data(), &dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
    QCOMPARE(table.names[0], QStringLiteral("Lee"));
}

QTEST_MAIN(tst_frmNewHighScore)
#include "tst_frmnewhighscore.moc"
