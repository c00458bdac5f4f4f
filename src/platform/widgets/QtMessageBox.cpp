#include "platform/widgets/QtMessageBox.h"

#include "platform/session/App.h"

#include <QAbstractButton>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <utility>

namespace {

// Result codes the interface does not name, for the button sets that have them.
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;

struct ButtonChoice
{
    QMessageBox::StandardButton button;
    int result;
};

// The buttons of each style's low three bits, left to right, and which one Escape presses
// (-1: none, as the classic box allows no escape from Abort/Retry/Ignore).
struct ButtonSet
{
    QList<ButtonChoice> buttons;
    int escape;
};

ButtonSet buttonSet(int style)
{
    using MB = MessageBox;
    switch (style & 0x7) {
    case 1:
        return {{{QMessageBox::Ok, MB::vbOK}, {QMessageBox::Cancel, MB::vbCancel}}, 1};
    case 2:
        return {{{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry},
                 {QMessageBox::Ignore, vbIgnore}}, -1};
    case 3:
        return {{{QMessageBox::Yes, MB::vbYes}, {QMessageBox::No, MB::vbNo},
                 {QMessageBox::Cancel, MB::vbCancel}}, 2};
    case 4:
        return {{{QMessageBox::Yes, MB::vbYes}, {QMessageBox::No, MB::vbNo}}, 1};
    case 5:
        return {{{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, MB::vbCancel}}, 1};
    default:
        return {{{QMessageBox::Ok, MB::vbOK}}, 0};
    }
}

QMessageBox::Icon icon(int style)
{
    switch (style & 0x70) {
    case MessageBox::vbCritical:
        return QMessageBox::Critical;
    case MessageBox::vbQuestion:
        return QMessageBox::Question;
    case MessageBox::vbExclamation:
        return QMessageBox::Warning;
    case MessageBox::vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int QtMessageBox::msgBox(QWidget *owner, const QString &prompt, int style, const QString &title)
{
    QMessageBox box(owner);
    box.setWindowTitle(title.isEmpty() ? App::title() : title);
    box.setTextFormat(Qt::PlainText);
    box.setText(prompt);
    box.setIcon(icon(style));

    const ButtonSet set = buttonSet(style);
    QList<std::pair<QPushButton *, int>> results;
    for (const ButtonChoice &choice : set.buttons)
        results.append({box.addButton(choice.button), choice.result});

    // Bits 8 and 9 choose the default button; one past the last falls back to the first.
    const qsizetype defaultIndex = (style >> 8) & 0x3;
    box.setDefaultButton(results.at(defaultIndex < results.size() ? defaultIndex : 0).first);
    if (set.escape >= 0)
        box.setEscapeButton(results.at(set.escape).first);

    box.exec();

    QAbstractButton *pressed = box.clickedButton();
    for (const auto &[button, result] : results) {
        if (button == pressed)
            return result;
    }
    // Closed without a button (its owner went away): the answer Escape would have given.
    return set.escape >= 0 ? results.at(set.escape).second : set.buttons.constLast().result;
}
