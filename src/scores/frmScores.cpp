#include "scores/frmScores.h"

#include "globals/modGlobals.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/Twips.h"
#include "scores/ScoreTable.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace {

constexpr int rowTop(int row)
{
    return 1140 + 360 * row;
}

QLabel *rowLabel(QWidget *parent, const QString &name, const QRect &geometry, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(Twips::font(QStringLiteral("Arial"), 9.75, true));
    label->setAlignment(alignment | Qt::AlignTop);
    // Names are typed by players: shown as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A name too long for its label ends in an ellipsis rather than being cut mid-letter;
// the whole name stays in the tool tip.
void showName(QLabel *label, const QString &name)
{
    const QString shown = label->fontMetrics().elidedText(name, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == name ? QString() : name);
}

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

frmScores::frmScores(ScoreTable &table, MessageBox &box, QWidget *owner)
    : FixedDialog(owner, Twips::rect(0, 0, 3555, 3975))
    , mTable{table}
    , mBox{box}
{
    setObjectName(QStringLiteral("frmScores"));
    // No title bar shows it, but a screen reader names the window by it.
    setWindowTitle(tr("High Scores"));

    Label1 = new QLabel(tr("High Scores"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(180, 180, 3195, 495));
    Label1->setFont(Twips::font(QStringLiteral("Arial"), 20.25, true, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setAutoFillBackground(true);

    // Made before the row labels, so it lies behind their transparent backgrounds.
    shpHighlight = new QWidget(this);
    shpHighlight->setObjectName(QStringLiteral("shpHighlight"));
    shpHighlight->setGeometry(Twips::rect(120, rowTop(0), 3315, 255));
    QPalette magenta = shpHighlight->palette();
    magenta.setColor(QPalette::Window, QColor(255, 0, 255));
    shpHighlight->setPalette(magenta);
    shpHighlight->setAutoFillBackground(true);

    for (int i = 0; i < rowCount; ++i) {
        Label2[i] = rowLabel(this, indexed("Label2", i), Twips::rect(180, rowTop(i), 255, 315), Qt::AlignLeft);
        Label2[i]->setText(QStringLiteral("%1)").arg(i + 1));
        lblName[i] = rowLabel(this, indexed("lblName", i), Twips::rect(420, rowTop(i), 1995, 255), Qt::AlignLeft);
        lblScore[i] = rowLabel(this, indexed("lblScore", i), Twips::rect(2580, rowTop(i), 855, 255), Qt::AlignHCenter);
    }

    Command1 = new QPushButton(tr("&Return to Tessaly"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(600, 3120, 2355, 375));
    Command1->setAccessibleName(tr("Return to Tessaly"));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmScores::Command1_Click);

    cmdClear = new QPushButton(tr("Clear High Scores"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setGeometry(Twips::rect(600, 3600, 2355, 315));
    cmdClear->setAccessibleName(tr("Clear High Scores"));
    connect(cmdClear, &QPushButton::clicked, this, &frmScores::cmdClear_Click);

    setTabOrder(Command1, cmdClear);
    Command1->setFocus();

    Form_Load();
}

void frmScores::Form_Load()
{
    for (int i = 0; i < rowCount; ++i) {
        showName(lblName[i], mTable.PlayerName(qint16(i)));
        lblScore[i]->setText(QString::number(mTable.Score(qint16(i))));
    }
    const qint16 row = modGlobals::giCurrentScorePos;
    // Only rows 0..4 exist; any other position marks nothing.
    if (row < 0 || row >= rowCount) {
        shpHighlight->hide();
        return;
    }
    shpHighlight->move(shpHighlight->x(), lblName[row]->y());
    shpHighlight->show();
}

void frmScores::cmdClear_Click()
{
    const int answer = mBox.msgBox(this, tr("Are you sure you want to clear all of the scores?"),
                                   MessageBox::vbYesNo + MessageBox::vbQuestion,
                                   tr("Clear High Scores?"));
    if (answer != MessageBox::vbYes)
        return;
    for (int i = 0; i < rowCount; ++i) {
        mTable.setScore(qint16(i), 0);
        mTable.setPlayerName(qint16(i), ScoreTable::anonymous());
        showName(lblName[i], ScoreTable::anonymous());
        lblScore[i]->setText(QStringLiteral("0"));
    }
    mTable.saveTable();
}

void frmScores::Command1_Click()
{
    accept();
}

void frmScores::reject()
{
    Command1_Click();
}
