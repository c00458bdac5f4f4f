#include "scores/frmNewHighScore.h"

#include "platform/widgets/Twips.h"
#include "scores/ScoreTable.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

frmNewHighScore::frmNewHighScore(ScoreTable &table, QWidget *owner)
    : FixedDialog(owner, Twips::rect(0, 0, 4380, 2100))
    , mTable{table}
{
    setObjectName(QStringLiteral("frmNewHighScore"));
    // No title bar shows it, but a screen reader names the window by it.
    setWindowTitle(tr("New High Score"));

    Label1 = new QLabel(tr("You have acheived a new High Score!!!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 180, 4155, 315));
    Label1->setFont(Twips::font(QStringLiteral("MS Sans Serif"), 9.75, true));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label2 = new QLabel(tr("Enter in your name for the record books"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(180, 600, 4035, 315));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setGeometry(Twips::rect(1260, 1080, 1875, 315));
    txtName->setMaxLength(std::numeric_limits<int>::max());
    // The question names the field for a screen reader.
    Label2->setBuddy(txtName);

    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(Twips::rect(1740, 1560, 975, 375));
    cmdOK->setAccessibleName(tr("OK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmNewHighScore::cmdOK_Click);

    setTabOrder(txtName, cmdOK);
    txtName->setFocus();

    Form_Load();
}

void frmNewHighScore::Form_Load()
{
    txtName->setText(mTable.lastNameEntered());
    // Typing replaces the offered name and Enter keeps it.
    txtName->selectAll();
}

void frmNewHighScore::cmdOK_Click()
{
    storeName();
    accept();
}

void frmNewHighScore::done(int result)
{
    // Escape, closing the window and OK all end here, so none of them skips the name.
    storeName();
    FixedDialog::done(result);
}

void frmNewHighScore::storeName()
{
    if (mbNameStored)
        return;
    mbNameStored = true;
    try {
        mTable.setPlayerName(mTable.currentScorePos(), txtName->text());
    } catch (const SubscriptOutOfRange &) {
        // Shown with no new entry to name: there is nothing to store, and a fault thrown
        // from here would cross the event loop.
    }
}
