#include "settings/frmSpeed.h"

#include "globals/modGlobals.h"
#include "platform/widgets/OptionButton.h"
#include "platform/widgets/Twips.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

frmSpeed::frmSpeed(QWidget *owner)
    : FixedDialog(owner, Twips::rect(0, 0, 2310, 2595))
{
    setObjectName(QStringLiteral("frmSpeed"));
    // No title bar shows it, but a screen reader names the window by it.
    setWindowTitle(tr("Speed"));

    Label1 = new QLabel(tr("Select the speed in which the lights will flash."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(180, 60, 1935, 615));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);

    static const char *const captions[optionCount] = {QT_TR_NOOP("&Slow"), QT_TR_NOOP("&Normal"), QT_TR_NOOP("&Fast")};
    static const char *const names[optionCount] = {QT_TR_NOOP("Slow"), QT_TR_NOOP("Normal"), QT_TR_NOOP("Fast")};
    mOptions = new QButtonGroup(this);
    for (int i = 0; i < optionCount; ++i) {
        optSpeed[i] = new OptionButton(tr(captions[i]), this);
        optSpeed[i]->setObjectName(QStringLiteral("optSpeed(%1)").arg(i));
        optSpeed[i]->setGeometry(Twips::rect(300, 780 + 420 * i, 1695, 255));
        optSpeed[i]->setAccessibleName(tr(names[i]));
        mOptions->addButton(optSpeed[i], i);
    }
    connect(mOptions, &QButtonGroup::idClicked, this, [this](int id) { optSpeed_Click(qint16(id)); });

    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(600, 2100, 1095, 375));
    cmdOK->setAccessibleName(tr("OK"));
    // Not even the default while focused: Enter is handled in eventFilter instead, so that
    // the dialog never adopts OK as its default button when it is shown.
    cmdOK->setAutoDefault(false);
    cmdOK->setDefault(false);
    cmdOK->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmSpeed::cmdOK_Click);

    setTabOrder(optSpeed[0], optSpeed[1]);
    setTabOrder(optSpeed[1], optSpeed[2]);
    setTabOrder(optSpeed[2], cmdOK);
    optSpeed[0]->setFocus();

    Form_Load();
}

void frmSpeed::Form_Load()
{
    const qint16 code = modGlobals::giSpeed;
    // A code with no option (only from an edited settings file) selects none; the group
    // must stop being exclusive for a moment to let go of the designed selection.
    mOptions->setExclusive(false);
    for (int i = 0; i < optionCount; ++i)
        optSpeed[i]->setChecked(i == code);
    mOptions->setExclusive(true);
    if (code >= 0 && code < optionCount)
        optSpeed[code]->setFocus();
}

void frmSpeed::optSpeed_Click(qint16 Index)
{
    modGlobals::giSpeed = Index;
}

void frmSpeed::cmdOK_Click()
{
    accept();
}

bool frmSpeed::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmdOK && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdOK->click();
            return true;
        }
    }
    return FixedDialog::eventFilter(watched, event);
}

void frmSpeed::keyPressEvent(QKeyEvent *event)
{
    // OK is not the cancel button: Escape does nothing here.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    FixedDialog::keyPressEvent(event);
}
