#include "board/frmMain.h"

#include "counter/DisplayCounter.h"
#include "globals/modGlobals.h"
#include "info/clsWinHelp.h"
#include "info/frmAbout.h"
#include "info/modHyperlink.h"
#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotRouter.h"
#include "platform/session/App.h"
#include "platform/sound/Sound.h"
#include "platform/widgets/NoticeLabel.h"
#include "platform/widgets/Surface.h"
#include "platform/widgets/Twips.h"
#include "scores/frmScores.h"
#include "settings/frmSpeed.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace {

constexpr QSize clientSize{426, 447};

QLabel *designLabel(QLabel *label, QRect geometry, QColor colour, Qt::Alignment alignment)
{
    label->setGeometry(geometry);
    label->setFont(Twips::font(QStringLiteral("Arial"), 15.75, true));
    label->setAlignment(alignment | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

frmMain::frmMain(const Platform &platform, std::optional<quint32> seed, QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_seed(seed)
{
    createControls();
    createMenus();
    loadArtwork();
    Form_Load();
}

frmMain::~frmMain()
{
    // Destroying the window hides it, which would hand a held press its release;
    // nothing of the round may run while the window is being taken apart.
    for (HotSpot *spot : imgClick)
        spot->disconnect(this);
    imgNew->disconnect(this);
    tmrShowLights->stop();
    m_platform.pump->cancel(m_pendingStep);
}

void frmMain::createControls()
{
    m_surface = new Surface(clientSize, this);
    setCentralWidget(m_surface);
    m_router = new HotSpotRouter(m_surface);

    static const char *const lightNames[] = {QT_TR_NOOP("Red light"), QT_TR_NOOP("Yellow light"),
                                             QT_TR_NOOP("Blue light"), QT_TR_NOOP("Green light")};
    for (qint16 i = 0; i < 4; ++i) {
        imgClick[i] = new HotSpot(this);
        imgClick[i]->setObjectName(QStringLiteral("imgClick%1").arg(i));
        imgClick[i]->setAccessibleName(tr(lightNames[i]));
        m_router->add(imgClick[i]);
        connect(imgClick[i], &HotSpot::mouseDown, this,
                [this, i](int button, int shift, float x, float y) { imgClick_MouseDown(i, button, shift, x, y); });
        connect(imgClick[i], &HotSpot::mouseUp, this,
                [this, i](int button, int shift, float x, float y) { imgClick_MouseUp(i, button, shift, x, y); });
        // A light's press was judged when it went down (a wrong one shows the due
        // light), so it cannot be taken back: it ends as if released now.
        connect(imgClick[i], &HotSpot::mouseCancel, this, [this, i] { imgClick_MouseUp(i, 0, 0, 0.0f, 0.0f); });
    }
    // Added last, so in the two small overlaps with the top lights the button, drawn
    // on top of them, takes the press.
    imgNew = new HotSpot(this);
    imgNew->setObjectName(QStringLiteral("imgNew"));
    imgNew->setAccessibleName(tr("New Game"));
    m_router->add(imgNew);
    connect(imgNew, &HotSpot::mouseDown, this, &frmMain::imgNew_MouseDown);
    connect(imgNew, &HotSpot::mouseUp, this, &frmMain::imgNew_MouseUp);
    connect(imgNew, &HotSpot::mouseCancel, this, &frmMain::imgNew_MouseCancel);

    // Keys for the lights: 1 to 4 in the lights' order, and the keypad keys at their
    // places on the board, with Num Lock on or off. Where a layout needs Shift for the
    // digits (AZERTY), the top-row keys 1 to 4 are also known by where they are: by
    // their XKB key codes (evdev code + 8), the scan codes X11 and Wayland report.
    const struct
    {
        qint16 light;
        Qt::Key key, keypadKey, keypadKeyNumLockOff;
        quint32 topRowKeyCode;
    } keys[] = {
        {0, Qt::Key_1, Qt::Key_7, Qt::Key_Home, 10},
        {1, Qt::Key_2, Qt::Key_9, Qt::Key_PageUp, 11},
        {2, Qt::Key_3, Qt::Key_1, Qt::Key_End, 12},
        {3, Qt::Key_4, Qt::Key_3, Qt::Key_PageDown, 13},
    };
    const QString platform = QGuiApplication::platformName();
    const bool xkbKeyCodes = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
    for (const auto &k : keys) {
        HotSpot *light = imgClick[std::size_t(k.light)];
        m_router->addKey(k.key, light);
        m_router->addKey(Qt::KeypadModifier | k.keypadKey, light);
        m_router->addKey(Qt::KeypadModifier | k.keypadKeyNumLockOff, light);
        if (xkbKeyCodes)
            m_router->addPhysicalKey(k.topRowKeyCode, light);
    }

    // A notice, so that a player who cannot see the board hears when a game has ended.
    lblGameOver = designLabel(new NoticeLabel(tr("Game Over"), m_surface), QRect(20, 416, 121, 33),
                              QColor(192, 0, 0), Qt::AlignLeft);
    lblGameOver->setObjectName(QStringLiteral("lblGameOver"));
    Label1 = designLabel(new QLabel(tr("Level:"), m_surface), QRect(220, 416, 121, 33), QColor(255, 255, 0),
                         Qt::AlignRight);
    Label1->setObjectName(QStringLiteral("Label1"));

    dcLevel = new DisplayCounter(m_surface);
    dcLevel->setObjectName(QStringLiteral("dcLevel"));
    dcLevel->setGeometry(344, 412, 73, 29);
    dcLevel->setAccessibleName(tr("Level"));

    tmrShowLights = new QTimer(this);
    tmrShowLights->setObjectName(QStringLiteral("tmrShowLights"));
    tmrShowLights->setTimerType(Qt::PreciseTimer);
    tmrShowLights->setInterval(500);
    connect(tmrShowLights, &QTimer::timeout, this, &frmMain::tmrShowLights_Timer);

    setWindowTitle(App::title());
}

void frmMain::createMenus()
{
    struct Item
    {
        QMenu *menu;
        const char *name;
        QString caption;
        QKeySequence shortcut;
        void (frmMain::*handler)();
    };
    QMenu *mnuGame = menuBar()->addMenu(tr("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    QMenu *mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    const Item items[] = {
        {mnuGame, "mnuGameNew", tr("&New Game"), QKeySequence(Qt::Key_F2), &frmMain::mnuGameNew_Click},
        {mnuGame, "mnuDash1", {}, {}, nullptr},
        {mnuGame, "mnuGameSpeed", tr("&Adjust Speed..."), {}, &frmMain::mnuGameSpeed_Click},
        {mnuGame, "mnuGameScores", tr("&High Scores..."), {}, &frmMain::mnuGameScores_Click},
        {mnuGame, "mnuDash2", {}, {}, nullptr},
        {mnuGame, "mnuGameExit", tr("E&xit Tessaly"), {}, &frmMain::mnuGameExit_Click},
        {mnuHelp, "mnuHelpContents", tr("&Contents..."), QKeySequence(Qt::Key_F1), &frmMain::mnuHelpContents_Click},
        {mnuHelp, "mnuDash3", {}, {}, nullptr},
        {mnuHelp, "mnuHelpBCGames", tr("&Brindlecove Games Web Site..."), {}, &frmMain::mnuHelpBCGames_Click},
        {mnuHelp, "mnuHelpAbout", tr("&About Tessaly"), {}, &frmMain::mnuHelpAbout_Click},
    };
    for (const Item &item : items) {
        QAction *action = item.handler ? item.menu->addAction(item.caption) : item.menu->addSeparator();
        action->setObjectName(QLatin1String(item.name));
        if (!item.shortcut.isEmpty()) {
            action->setShortcut(item.shortcut);
            // The keys work from any state of the board, menus closed or not.
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (item.handler)
            connect(action, &QAction::triggered, this, item.handler);
    }
}

void frmMain::Form_Load()
{
    m_generator.seed(m_seed.value_or(quint32(QDateTime::currentMSecsSinceEpoch())));
    App::setHelpFile(App::localized(App::path() + QStringLiteral("/Tessaly.hlp")));
    for (int i = 0; i < 4; ++i) {
        QFile clip(QStringLiteral(":/WAVE/%1").arg(101 + i));
        if (clip.open(QIODevice::ReadOnly))
            mabTone[std::size_t(i)] = clip.readAll();
    }
    modGlobals::giCurrentScorePos = -1;
    miRowSpacing = 200;
    miColSpacing = 200;
    DisableLights();
    ReadSettings();
    miTopY = 20;
    miBottomY = miRowSpacing + 20;
    miLeftX = 20;
    miRightX = miColSpacing + 20;
    DrawBoard();
    PlaceHotSpots();
    setWindowTitle(App::title());

    // The menu bar's height is known only now; the client area below it is fixed.
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // The game under way is abandoned: no step of it runs again.
    abandonRound();
    tmrShowLights->stop();
    moWinHelp.reset();
    WriteSettings();
}

void frmMain::mnuGameExit_Click()
{
    close();
}

void frmMain::imgNew_MouseDown(int, int, float, float)
{
    DrawNewButtonDown();
}

void frmMain::imgNew_MouseUp(int, int, float, float)
{
    DrawNewButtonUp();
    mnuGameNew_Click();
}

void frmMain::imgNew_MouseCancel()
{
    // The player never let go of the button, so no game starts.
    DrawNewButtonUp();
}

void frmMain::PlayTone(qint16 index)
{
    if (index < 0 || index > 3 || !m_platform.sound)
        return;
    m_platform.sound->play(mabTone[std::size_t(index)]);
}

void frmMain::mnuGameSpeed_Click()
{
    const qint16 before = modGlobals::giSpeed;
    {
        frmSpeed dialog(this);
        showPlayerWindow(dialog);
    }
    if (modGlobals::giSpeed != before)
        saveTable();
}

void frmMain::mnuGameScores_Click()
{
    frmScores dialog(*this, *m_platform.messageBox, this);
    showPlayerWindow(dialog);
}

void frmMain::mnuHelpContents_Click()
{
    if (!moWinHelp)
        moWinHelp = std::make_unique<clsWinHelp>(*m_platform.helpViewer, this);
    moWinHelp->ShowHelpContents();
}

void frmMain::mnuHelpBCGames_Click()
{
    modHyperlink::OpenGamesWebPage(*m_platform.shell, this);
}

void frmMain::mnuHelpAbout_Click()
{
    frmAbout dialog(*m_platform.registry, *m_platform.shell, *m_platform.messageBox, this);
    showPlayerWindow(dialog);
}
