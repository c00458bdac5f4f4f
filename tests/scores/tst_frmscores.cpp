#include "globals/modGlobals.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/Twips.h"
#include "scores/frmScores.h"
#include "support/FakeScoreTable.h"
#include "support/ModalAnswer.h"
#include "support/Pixels.h"
#include "support/ScriptedMessageBox.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

QLabel *rowLabel(QWidget &dialog, const char *name, int row)
{
    return control<QLabel>(dialog, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(row));
}

FakeScoreTable sampleTable()
{
    FakeScoreTable table;
    table.scores = {50, 40, 30, 20, 10};
    table.names = {QStringLiteral("Ann"), QStringLiteral("Bo"), QString(), QStringLiteral("Dee"), QStringLiteral("Eve")};
    table.lastName = QStringLiteral("Eve");
    return table;
}

const QColor magenta(255, 0, 255);

} // namespace

class tst_frmScores : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    // Showing the table
    void rowsShowTheTableBestFirst();
    void namesWithMarkupShowAsTyped();
    void longNamesEndInAnEllipsis_data();
    void longNamesEndInAnEllipsis();
    void highlightMarksTheNewRow_data();
    void highlightMarksTheNewRow();
    void layoutFollowsTheDesign();

    // Clearing
    void clearAsksFirstAndYesClearsTableAndLastName_data();
    void clearAsksFirstAndYesClearsTableAndLastName();

    // Closing
    void returnClosesTheWindow_data();
    void returnClosesTheWindow();
    void modalShowReturnsAfterReturn();
};

void tst_frmScores::initTestCase()
{
    Twips::installFontSubstitutes();
}

void tst_frmScores::cleanup()
{
    modGlobals::giCurrentScorePos = -1;
}

void tst_frmScores::rowsShowTheTableBestFirst()
{
    // Each row shows its rank, the entry's name and its score in decimal.
    FakeScoreTable table = sampleTable();
    table.scores[4] = -32768;
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(rowLabel(dialog, "Label2", i)->text(), QStringLiteral("%1)").arg(i + 1));
        QCOMPARE(rowLabel(dialog, "lblName", i)->text(), table.names[std::size_t(i)]);
    }
    QCOMPARE(rowLabel(dialog, "lblScore", 0)->text(), QStringLiteral("50"));
    QCOMPARE(rowLabel(dialog, "lblScore", 3)->text(), QStringLiteral("20"));
    QCOMPARE(rowLabel(dialog, "lblScore", 4)->text(), QStringLiteral("-32768"));
    QCOMPARE(control<QLabel>(dialog, QStringLiteral("Label1"))->text(), QStringLiteral("High Scores"));
}

void tst_frmScores::namesWithMarkupShowAsTyped()
{
    // A name that looks like markup is drawn as its characters, not as formatted text.
    FakeScoreTable table;
    table.names[0] = QStringLiteral("<b>x</b>");
    table.names[1] = QStringLiteral("x");
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    QVERIFY(showActive(dialog));
    const auto inkWidth = [](QLabel *label) {
        const QImage image = label->grab().toImage();
        return Pixels::inkWidth(image, image.rect());
    };
    const int markup = inkWidth(rowLabel(dialog, "lblName", 0));
    const int single = inkWidth(rowLabel(dialog, "lblName", 1));
    QVERIFY(single > 0);
    QVERIFY2(markup > 4 * single, qPrintable(QStringLiteral("%1 vs %2").arg(markup).arg(single)));
}

void tst_frmScores::longNamesEndInAnEllipsis_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("elided");
    QTest::newRow("short") << QStringLiteral("Ann") << false;
    QTest::newRow("long") << QStringLiteral("Bartholomew Featherstonehaugh") << true;
    QTest::newRow("wide letters") << QString(40, u'W') << true;
}

void tst_frmScores::longNamesEndInAnEllipsis()
{
    // A name wider than its label is shown up to an ellipsis that fits; the table keeps it whole.
    QFETCH(QString, name);
    QFETCH(bool, elided);
    FakeScoreTable table = sampleTable();
    table.names[1] = name;
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    QLabel *label = rowLabel(dialog, "lblName", 1);
    const QString shown = label->text();
    QCOMPARE(shown.endsWith(QChar(0x2026)), elided);
    QCOMPARE(shown == name, !elided);
    QVERIFY(name.startsWith(elided ? shown.chopped(1) : shown));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->width());
    QCOMPARE(label->toolTip(), elided ? name : QString());
    QCOMPARE(table.names[1], name);
    QCOMPARE(table.nameWrites, 0);
}

void tst_frmScores::highlightMarksTheNewRow_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("top");
    QTest::newRow("first place") << 0 << true << 76;
    QTest::newRow("third place") << 2 << true << 124;
    QTest::newRow("fifth place") << 4 << true << 172;
    QTest::newRow("opened from the menu") << -1 << false << 0;
    QTest::newRow("no such row") << 5 << false << 0;
}

void tst_frmScores::highlightMarksTheNewRow()
{
    // A magenta bar lies behind the row just entered, seen through the row's labels.
    QFETCH(int, position);
    QFETCH(bool, shown);
    QFETCH(int, top);
    modGlobals::giCurrentScorePos = qint16(position);
    FakeScoreTable table = sampleTable();
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    QVERIFY(showActive(dialog));
    auto *bar = control<QWidget>(dialog, QStringLiteral("shpHighlight"));
    QVERIFY(bar);
    QCOMPARE(bar->isVisible(), shown);
    const QImage image = dialog.grab().toImage();
    const int magentaRows = Pixels::count(image, magenta.rgb(), QRect(10, 70, 1, 130));
    if (!shown) {
        QCOMPARE(magentaRows, 0);
        return;
    }
    QCOMPARE(bar->geometry(), QRect(8, top, 221, 17));
    QCOMPARE(magentaRows, 17);
    QCOMPARE(image.pixelColor(10, top), magenta);
    QCOMPARE(image.pixelColor(10, top + 16), magenta);
    // Inside the score label but clear of its centred digits: the bar shows through.
    QCOMPARE(image.pixelColor(226, top + 2), magenta);
    QCOMPARE(image.pixelColor(30, top + 1), magenta);
}

void tst_frmScores::layoutFollowsTheDesign()
{
    // A title-less 237 x 265 window with the designed fonts, positions and focus.
    FakeScoreTable table;
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    QVERIFY(showActive(dialog));
    QCOMPARE(dialog.size(), QSize(237, 265));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("High Scores"));  // what a screen reader names it
    auto *label1 = control<QLabel>(dialog, QStringLiteral("Label1"));
    QCOMPARE(label1->geometry(), QRect(12, 12, 213, 33));
    QVERIFY(label1->font().bold() && label1->font().italic());
    QCOMPARE(label1->font().pixelSize(), 27);
    QCOMPARE(label1->font().family(), QStringLiteral("Arial"));
    QVERIFY(QFontMetrics(label1->font()).horizontalAdvance(label1->text()) <= label1->width());
    QCOMPARE(rowLabel(dialog, "Label2", 0)->geometry(), QRect(12, 76, 17, 21));
    QCOMPARE(rowLabel(dialog, "lblName", 1)->geometry(), QRect(28, 100, 133, 17));
    QCOMPARE(rowLabel(dialog, "lblScore", 4)->geometry(), QRect(172, 172, 57, 17));
    QVERIFY(rowLabel(dialog, "lblScore", 4)->alignment() & Qt::AlignHCenter);
    QVERIFY(rowLabel(dialog, "lblName", 2)->font().bold());
    QCOMPARE(rowLabel(dialog, "lblName", 2)->font().pixelSize(), 13);
    auto *command1 = control<QPushButton>(dialog, QStringLiteral("Command1"));
    auto *cmdClear = control<QPushButton>(dialog, QStringLiteral("cmdClear"));
    QCOMPARE(command1->text(), QStringLiteral("&Return to Tessaly"));
    QCOMPARE(command1->geometry(), QRect(40, 208, 157, 25));
    QCOMPARE(command1->accessibleName(), QStringLiteral("Return to Tessaly"));
    QCOMPARE(cmdClear->text(), QStringLiteral("Clear High Scores"));
    QCOMPARE(cmdClear->geometry(), QRect(40, 240, 157, 21));
    QCOMPARE(QApplication::focusWidget(), command1);
    QTest::keyClick(command1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), cmdClear);
}

void tst_frmScores::clearAsksFirstAndYesClearsTableAndLastName_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("bar");
    QTest::newRow("clicked, No") << false << int(MessageBox::vbNo) << 1;
    QTest::newRow("clicked, Yes") << false << int(MessageBox::vbYes) << 3;
    // Enter on the focused Clear button presses Clear, not Return.
    QTest::newRow("Enter on the focused button, No") << true << int(MessageBox::vbNo) << 2;
}

void tst_frmScores::clearAsksFirstAndYesClearsTableAndLastName()
{
    // Clearing asks first; answered No, neither the table nor the window changes; answered
    // Yes, every entry becomes 0 "Anonymous", so does the last name, the bar stays, and the
    // cleared table is made lasting at once. The window stays open either way.
    QFETCH(bool, byEnter);
    QFETCH(int, answer);
    QFETCH(int, bar);
    modGlobals::giCurrentScorePos = qint16(bar);
    const FakeScoreTable before = sampleTable();
    FakeScoreTable table = sampleTable();
    ScriptedMessageBox box({answer});
    frmScores dialog(table, box, nullptr);
    QVERIFY(showActive(dialog));
    auto *clear = control<QPushButton>(dialog, QStringLiteral("cmdClear"));
    if (byEnter) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), clear);
        QTest::keyClick(clear, Qt::Key_Return);
    } else {
        QTest::mouseClick(clear, Qt::LeftButton);
    }
    QCOMPARE(box.calls.size(), 1);
    QCOMPARE(box.calls[0].prompt, QStringLiteral("Are you sure you want to clear all of the scores?"));
    QCOMPARE(box.calls[0].title, QStringLiteral("Clear High Scores?"));
    QCOMPARE(box.calls[0].style, 36);
    QCOMPARE(box.calls[0].owner.data(), &dialog);
    const bool cleared = answer == MessageBox::vbYes;
    for (int i = 0; i < 5; ++i) {
        const std::size_t row = std::size_t(i);
        QCOMPARE(table.scores[row], cleared ? qint16(0) : before.scores[row]);
        QCOMPARE(table.names[row], cleared ? QStringLiteral("Anonymous") : before.names[row]);
        QCOMPARE(rowLabel(dialog, "lblName", i)->text(), table.names[row]);
        QCOMPARE(rowLabel(dialog, "lblScore", i)->text(), QString::number(table.scores[row]));
    }
    QCOMPARE(table.lastName, cleared ? QStringLiteral("Anonymous") : before.lastName);
    QCOMPARE(table.saves, cleared ? 1 : 0);
    if (!cleared)
        QCOMPARE(table.nameWrites, 0);
    auto *highlight = control<QWidget>(dialog, QStringLiteral("shpHighlight"));
    QVERIFY(highlight->isVisible());
    QCOMPARE(highlight->y(), 76 + 24 * bar);
    QVERIFY(dialog.isVisible());
}

void tst_frmScores::returnClosesTheWindow_data()
{
    QTest::addColumn<std::function<void(QDialog &)>>("close");
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return std::function<void(QDialog &)>([k, m](QDialog &) { QTest::keyClick(QApplication::focusWidget(), k, m); });
    };
    QTest::newRow("click") << std::function<void(QDialog &)>([](QDialog &d) {
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    QTest::newRow("Enter") << key(Qt::Key_Return);
    QTest::newRow("Escape") << key(Qt::Key_Escape);
    QTest::newRow("Escape from Clear") << std::function<void(QDialog &)>([](QDialog &d) {
        auto *clear = d.findChild<QPushButton *>(QStringLiteral("cmdClear"));
        clear->setFocus();
        QTest::keyClick(clear, Qt::Key_Escape);
    });
    QTest::newRow("Alt+R") << key(Qt::Key_R, Qt::AltModifier);
    QTest::newRow("R alone") << key(Qt::Key_R);
}

void tst_frmScores::returnClosesTheWindow()
{
    // Return by click, Enter, Escape or its access key closes the window and asks nothing.
    QFETCH(std::function<void(QDialog &)>, close);
    FakeScoreTable table = sampleTable();
    ScriptedMessageBox box;
    frmScores dialog(table, box, nullptr);
    QVERIFY(showActive(dialog));
    close(dialog);
    QTRY_VERIFY(!dialog.isVisible());
    QVERIFY(box.calls.isEmpty());
    QCOMPARE(table.nameWrites, 0);
}

void tst_frmScores::modalShowReturnsAfterReturn()
{
    // Shown modally over its owner, the window returns to the caller when Return is pressed.
    QWidget owner;
    owner.show();
    FakeScoreTable table = sampleTable();
    ScriptedMessageBox box;
    const ModalAnswer answer([](QWidget &window) {
        QTest::mouseClick(control<QPushButton>(window, QStringLiteral("Command1")), Qt::LeftButton);
    });
    frmScores dialog(table, box, &owner);
    dialog.exec();
    QCOMPARE(answer.first(), &dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
}

QTEST_MAIN(tst_frmScores)
#include "tst_frmscores.moc"
