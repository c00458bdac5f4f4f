#include "platform/widgets/QtMessageBox.h"
#include "support/ModalAnswer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <functional>

namespace {

// What the open box looked like when the test's timer found it.
struct Seen
{
    bool found{false};
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon{QMessageBox::NoIcon};
    QMessageBox::StandardButton defaultButton{QMessageBox::NoButton};
    QString title;
    QString text;
    Qt::TextFormat textFormat{Qt::AutoText};
    QWidget *owner{};
};

using Answer = std::function<void(QMessageBox &)>;

// Opens a box through the layer; once it is up, records it and lets act answer it.
int openAndAnswer(const QString &prompt, int style, const QString &title, QWidget *owner, Seen &seen,
                  const Answer &act)
{
    const ModalAnswer answer([&](QWidget &window) {
        auto *box = qobject_cast<QMessageBox *>(&window);
        if (!box)
            return;
        seen.found = true;
        seen.buttons = box->standardButtons();
        seen.icon = box->icon();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.textFormat = box->textFormat();
        seen.owner = box->parentWidget();
        act(*box);
    });
    QtMessageBox layer;
    return layer.msgBox(owner, prompt, style, title);
}

} // namespace

class tst_QtMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void styleChoosesButtonsIconAndDefault_data();
    void styleChoosesButtonsIconAndDefault();
    void answerIsTheClassicCodeOfHowTheBoxWasAnswered_data();
    void answerIsTheClassicCodeOfHowTheBoxWasAnswered();
    void emptyTitleIsTheApplicationTitle_data();
    void emptyTitleIsTheApplicationTitle();
    void promptIsShownAsPlainTextOverTheOwner();
};

void tst_QtMessageBox::styleChoosesButtonsIconAndDefault_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::newRow("36: Yes/No, question") << 36 << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Question
                                          << QMessageBox::Yes;
    QTest::newRow("0: OK only") << 0 << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::NoIcon
                                << QMessageBox::Ok;
    QTest::newRow("1: OK/Cancel") << 1 << (QMessageBox::Ok | QMessageBox::Cancel) << QMessageBox::NoIcon
                                  << QMessageBox::Ok;
    QTest::newRow("2+16: Abort/Retry/Ignore, critical")
        << 18 << (QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore) << QMessageBox::Critical
        << QMessageBox::Abort;
    QTest::newRow("3+64+512: Yes/No/Cancel, information, third default")
        << 579 << (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) << QMessageBox::Information
        << QMessageBox::Cancel;
    QTest::newRow("4+48+256: Yes/No, exclamation, second default")
        << 308 << (QMessageBox::Yes | QMessageBox::No) << QMessageBox::Warning << QMessageBox::No;
    QTest::newRow("5: Retry/Cancel") << 5 << (QMessageBox::Retry | QMessageBox::Cancel) << QMessageBox::NoIcon
                                     << QMessageBox::Retry;
    QTest::newRow("0+256: no second button, first default")
        << 256 << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::NoIcon << QMessageBox::Ok;
}

void tst_QtMessageBox::styleChoosesButtonsIconAndDefault()
{
    // The style word picks the buttons, the icon and the default button.
    QFETCH(int, style);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    Seen seen;
    openAndAnswer(QStringLiteral("Question?"), style, QStringLiteral("Title"), nullptr, seen,
                  [](QMessageBox &box) { box.buttons().constFirst()->click(); });
    QVERIFY(seen.found);
    QCOMPARE(seen.buttons, buttons);
    QCOMPARE(seen.icon, icon);
    QCOMPARE(seen.defaultButton, defaultButton);
}

void tst_QtMessageBox::answerIsTheClassicCodeOfHowTheBoxWasAnswered_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<Answer>("act");
    QTest::addColumn<int>("answer");
    const auto press = [](QMessageBox::StandardButton button) {
        return Answer([button](QMessageBox &box) { QTest::mouseClick(box.button(button), Qt::LeftButton); });
    };
    const auto key = [](Qt::Key key) { return Answer([key](QMessageBox &box) { QTest::keyClick(&box, key); }); };
    // The button the player pressed.
    QTest::newRow("Yes") << 36 << press(QMessageBox::Yes) << 6;
    QTest::newRow("No") << 36 << press(QMessageBox::No) << 7;
    QTest::newRow("OK") << 0 << press(QMessageBox::Ok) << 1;
    QTest::newRow("Cancel") << 1 << press(QMessageBox::Cancel) << 2;
    QTest::newRow("Abort") << 2 << press(QMessageBox::Abort) << 3;
    QTest::newRow("Retry") << 5 << press(QMessageBox::Retry) << 4;
    QTest::newRow("Ignore") << 2 << press(QMessageBox::Ignore) << 5;
    QTest::newRow("Cancel of three") << 3 << press(QMessageBox::Cancel) << 2;
    // Enter presses the default button; Escape gives the box's way out.
    QTest::newRow("Escape on Yes/No is No") << 36 << key(Qt::Key_Escape) << 7;
    QTest::newRow("Enter on Yes/No is Yes") << 36 << key(Qt::Key_Return) << 6;
    QTest::newRow("Enter with second default is No") << 36 + 256 << key(Qt::Key_Return) << 7;
    QTest::newRow("Escape on OK only is OK") << 0 << key(Qt::Key_Escape) << 1;
    QTest::newRow("Escape on OK/Cancel is Cancel") << 1 << key(Qt::Key_Escape) << 2;
    QTest::newRow("Escape on Yes/No/Cancel is Cancel") << 3 << key(Qt::Key_Escape) << 2;
    // Closed by the program (its session ending), a question is never taken for a Yes.
    const Answer closed([](QMessageBox &box) { box.reject(); });
    QTest::newRow("Yes/No closed unanswered is No") << 36 << closed << 7;
    QTest::newRow("OK only closed unanswered is OK") << 0 << closed << 1;
}

void tst_QtMessageBox::answerIsTheClassicCodeOfHowTheBoxWasAnswered()
{
    // A button, a key or the box closed unanswered gives the classic result code.
    QFETCH(int, style);
    QFETCH(Answer, act);
    QFETCH(int, answer);
    Seen seen;
    const int result = openAndAnswer(QStringLiteral("Question?"), style, QString(), nullptr, seen, act);
    QVERIFY(seen.found);
    QCOMPARE(result, answer);
}

void tst_QtMessageBox::emptyTitleIsTheApplicationTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << QString() << QStringLiteral("Tessaly");
    QTest::newRow("given") << QStringLiteral("Clear High Scores?") << QStringLiteral("Clear High Scores?");
}

void tst_QtMessageBox::emptyTitleIsTheApplicationTitle()
{
    // A box asked for without a title carries the application's.
    QFETCH(QString, title);
    QFETCH(QString, shown);
    Seen seen;
    openAndAnswer(QStringLiteral("Hello"), 0, title, nullptr, seen,
                  [](QMessageBox &box) { box.button(QMessageBox::Ok)->click(); });
    QVERIFY(seen.found);
    QCOMPARE(seen.title, shown);
}

void tst_QtMessageBox::promptIsShownAsPlainTextOverTheOwner()
{
    // The prompt is shown as written, never as markup, in a box owned by the given window.
    QWidget owner;
    owner.show();
    Seen seen;
    openAndAnswer(QStringLiteral("<b>x</b> & y"), 0, QString(), &owner, seen,
                  [](QMessageBox &box) { box.button(QMessageBox::Ok)->click(); });
    QVERIFY(seen.found);
    QCOMPARE(seen.text, QStringLiteral("<b>x</b> & y"));
    QCOMPARE(seen.textFormat, Qt::PlainText);
    QCOMPARE(seen.owner, &owner);
}

QTEST_MAIN(tst_QtMessageBox)
#include "tst_qtmessagebox.moc"
