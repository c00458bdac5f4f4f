#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotRouter.h"
#include "platform/store/IniSettingsStore.h"
#include "platform/shell/LinuxRegistry.h"
#include "platform/help/QtHelpViewer.h"
#include "platform/widgets/QtMessageBox.h"
#include "platform/widgets/Surface.h"
#include "support/BoardProbe.h"
#include "support/FakeMessagePump.h"
#include "support/RecordingShell.h"
#include "support/RecordingSound.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <malloc.h>
#include <map>
#include <random>

namespace {

// The physical keys of the lights, and one that is none of them: the key code each
// sends, the code it sends with Num Lock the other way, and its X scan code.
struct Key
{
    QKeyCombination code, otherCode;
    quint32 scanCode;
};
const Key keys[] = {
    {Qt::Key_1, Qt::Key_1, 10},
    {Qt::Key_2, Qt::Key_2, 11},
    {Qt::Key_3, Qt::Key_3, 12},
    {Qt::Key_4, Qt::Key_4, 13},
    {Qt::KeypadModifier | Qt::Key_7, Qt::KeypadModifier | Qt::Key_Home, 79},
    {Qt::KeypadModifier | Qt::Key_9, Qt::KeypadModifier | Qt::Key_PageUp, 81},
    {Qt::KeypadModifier | Qt::Key_1, Qt::KeypadModifier | Qt::Key_End, 87},
    {Qt::KeypadModifier | Qt::Key_3, Qt::KeypadModifier | Qt::Key_PageDown, 89},
    {Qt::Key_5, Qt::Key_5, 14},
};

// The real INI store in a folder of its own, opened afresh for each board as at a start
// of the game, counting the values saved to it and the writes of the file.
class StressStore final : public SettingsStore
{
public:
    QString get(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override
    {
        return mStore->get(app, section, key, defaultValue);
    }
    void save(const QString &app, const QString &section, const QString &key, const QString &text) override
    {
        ++saves;
        mStore->save(app, section, key, text);
    }
    bool flush() override
    {
        ++flushes;
        return mStore->flush();
    }
    void reload() override { mStore->reload(); }

    void reopen() { mStore = std::make_unique<IniSettingsStore>(mFolder.path()); }
    // The values in the file now, as a later start of the game reads them.
    QString stored(const QString &section, const QString &key) const
    {
        return IniSettingsStore(mFolder.path()).get(QStringLiteral("Tessaly"), section, key, QStringLiteral("(absent)"));
    }

    int saves{0};
    int flushes{0};

private:
    QTemporaryDir mFolder;
    std::unique_ptr<IniSettingsStore> mStore;
};

// The five rows of the score table: score and name.
using Table = std::array<std::pair<qint16, QString>, 5>;

// The interruptions that matter most, which random play must go on reaching.
const char *const rareEvents[] = {
    "New Game in a dark gap", "New Game in a hold", "New Game over a held press", "modal window in a dark gap",
    "modal window in a hold", "modal window over a held press", "time passing behind a modal window",
};

} // namespace

// Random play against the real board window: thousands of seeded interleavings of
// presses and releases by mouse and keys, double clicks, New Game, ticks, the ends
// of waits, dialogs and closing, inside yields, behind dialogs and between events,
// checking the game's invariants after every event.
class TestStress : public QObject
{
    Q_OBJECT

    std::mt19937 m_rng;
    FakeMessagePump m_pump;
    RecordingSound m_sound;
    StressStore m_store;
    QtMessageBox m_box;
    RecordingShell m_shell;
    QtHelpViewer m_help{&m_shell};
    LinuxRegistry m_registry;
    std::unique_ptr<frmMain> m_board;
    std::unique_ptr<BoardProbe> m_probe;
    QTimer m_modalHandler;
    QList<Qt::MouseButton> m_held;
    QList<const Key *> m_heldKeys;
    QPoint m_heldAt;
    int m_depth{0};
    int m_events{0};
    int m_limit{0};
    int m_closes{0};
    bool m_answering{false};
    // The driver is giving a release now; a hot-spot must never see one it did not give.
    bool m_releasing{false};
    // A wrong release is being held: Game Over must follow unless the window closes.
    bool m_gameOverDue{false};
    QStringList m_broken;
    QStringList m_trace;
    QStringList m_firstTrace;
    Table m_table;
    qint16 m_lastScore{0};
    int m_repeated{0}; // lights of the current round repeated in order, -1 after a wrong one
    // How often the cases that matter most came up.
    std::map<QString, int> m_seen;

    int chance(int n) { return int(m_rng() % unsigned(n)); }
    Surface &surface() { return m_probe->surface(); }

    void openBoard()
    {
        m_store.reopen();
        m_board = std::make_unique<frmMain>(
            Platform{&m_pump, &m_sound, &m_store, &m_help, &m_shell, &m_registry, &m_box}, m_rng());
        m_probe = std::make_unique<BoardProbe>(*m_board);
        m_board->show();
        m_held.clear();
        m_heldKeys.clear();
        m_gameOverDue = false;
        connect(&m_probe->surface(), &Surface::refreshed, this,
                [this] { trace(QStringLiteral("  refreshed, lit %1").arg(m_probe->litLights())); });
        for (HotSpot *spot : m_probe->router().spots()) {
            connect(spot, &HotSpot::mouseUp, this, [this] {
                breaks(m_releasing, "a hot-spot is released only by a release the player gave");
            });
        }
        // Connected after the board's own handler, so this sees the game it started.
        connect(&m_probe->imgNew(), &HotSpot::mouseUp, this, &TestStress::checkNewGame);
        m_probe->lblGameOver().installEventFilter(this);
        m_pump.onWait = [this](double) { noteWrongRelease(); };
        m_table = table();
        m_lastScore = m_probe->score();
        m_repeated = 0;
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == &m_probe->lblGameOver())
            m_gameOverDue = false;
        return QObject::eventFilter(watched, event);
    }

    void noteWrongRelease()
    {
        // A release's hold has begun: busy and no longer down.
        if (!m_probe->clickBusy() || m_probe->lightDown())
            return;
        const auto &sequence = m_probe->sequence();
        const int player = m_probe->playerIndex();
        if (player >= 0 && std::size_t(player) < sequence.size() && sequence[std::size_t(player)] != m_probe->pressIndex())
            m_gameOverDue = true;
    }

    // Right after New Game: unless a press or release being judged holds it back, the
    // board shows a fresh one-light playback with nothing of the old game lit.
    void checkNewGame()
    {
        if (m_probe->clickBusy() || !m_board->isVisible())
            return;
        breaks(m_probe->litLights() == 0, "New Game leaves no light of the old game lit");
        breaks(m_probe->sequence().size() == 1 && m_probe->tmrShowLights().isActive()
                   && m_probe->lblGameOver().isHidden() && !m_probe->lightDown(),
               "New Game starts a one-light playback");
    }

    Table table() const
    {
        Table rows;
        for (qint16 i = 0; i < 5; ++i)
            rows[std::size_t(i)] = {m_probe->scores()[std::size_t(i)], m_board->PlayerName(i)};
        return rows;
    }

    // Each tone of the player's is the next light of the round, or the round can no longer rise.
    void heard(const QByteArray &tone)
    {
        if (!m_probe)
            return;
        int light = 0;
        while (light < 4 && m_probe->tone(light) != tone)
            ++light;
        if (m_probe->tmrShowLights().isActive()) {
            if (m_probe->showIndex() == 0)
                m_repeated = 0; // a playback from its start opens a round
            return;
        }
        const int index = m_probe->playerIndex();
        const auto &sequence = m_probe->sequence();
        const bool next = m_repeated >= 0 && index == m_repeated && std::size_t(index) < sequence.size()
                          && sequence[std::size_t(index)] == light;
        m_repeated = next ? m_repeated + 1 : -1;
    }

    // A score rises by one after the whole sequence was repeated, and the table changes only
    // by a score inserted below every better one and above its equals (moving the rows under
    // it down, name with score), by a name given to a row, or by clearing.
    void checkScores()
    {
        const qint16 score = m_probe->score();
        if (score > m_lastScore) {
            breaks(score == m_lastScore + 1, "a score rises by one");
            breaks(m_repeated == score, "a score rises only after a full repeat");
        } else if (score < m_lastScore) {
            breaks(score == 0, "a score falls only to 0, at a new game");
        }
        m_lastScore = score;

        const Table now = table();
        if (now == m_table)
            return;
        const bool cleared = std::all_of(now.begin(), now.end(), [](const auto &row) {
            return row == std::pair<qint16, QString>(0, QStringLiteral("Anonymous"));
        });
        int renamed = 0;
        for (std::size_t i = 0; i < 5; ++i)
            renamed += now[i].first == m_table[i].first && now[i].second != m_table[i].second ? 1 : 0;
        const bool sameScores = std::equal(now.begin(), now.end(), m_table.begin(),
                                           [](const auto &a, const auto &b) { return a.first == b.first; });
        if (!cleared && !(sameScores && renamed == 1)) {
            std::size_t at = 0;
            while (at < 5 && now[at] == m_table[at])
                ++at;
            const bool shifted = at < 5 && std::equal(now.begin() + at + 1, now.end(), m_table.begin() + at);
            breaks(shifted, "a name stays with its score");
            // Where the new score belongs: below every better one, above its equals.
            std::size_t place = 0;
            while (shifted && place < 5 && m_table[place].first > now[at].first)
                ++place;
            if (shifted && place < 5) {
                Table expected = m_table;
                std::copy_backward(expected.begin() + place, expected.end() - 1, expected.end());
                expected[place] = now[at];
                breaks(expected == now, "a tie goes above the older entry");
            }
            breaks(!shifted || place < 5, "a score below the whole table stays out of it");
        }
        m_table = now;
    }

    // What the closing wrote is what the table showed, and what the next start reads.
    void checkClosing()
    {
        const QString scoresSection = QStringLiteral("Scores");
        bool same = m_store.stored(QStringLiteral("Settings"), QStringLiteral("Speed")) == QString::number(modGlobals::giSpeed)
                    && m_store.stored(scoresSection, QStringLiteral("Last Name Entered")) == m_board->msLastNameEntered;
        for (qint16 i = 0; i < 5; ++i) {
            same = same && m_store.stored(scoresSection, QStringLiteral("Score%1").arg(i + 1)) == QString::number(m_table[std::size_t(i)].first)
                   && m_store.stored(scoresSection, QStringLiteral("Name%1").arg(i + 1)) == m_table[std::size_t(i)].second;
        }
        breaks(same, "the stored values are the table shown at closing");
        const Table shown = m_table;
        openBoard();
        breaks(m_table == shown, "a new start shows the table shown at closing");
    }

    void breaks(bool ok, const char *invariant)
    {
        if (ok)
            return;
        if (m_broken.isEmpty())
            m_firstTrace = m_trace;
        m_broken << QStringLiteral("event %1: %2").arg(m_events).arg(QLatin1String(invariant));
    }

    // The latest events, so that a broken invariant can be replayed as a named case.
    void trace(const QString &what)
    {
        m_trace << QStringLiteral("%1%2 %3").arg(QString(m_depth * 2, ' ')).arg(m_events).arg(what);
        if (m_trace.size() > 60)
            m_trace.removeFirst();
    }

    void check()
    {
        const auto &sequence = m_probe->sequence();
        if (!sequence.empty()) {
            breaks(int(sequence.size()) == m_probe->score() + 1, "the sequence has score + 1 lights");
            breaks(std::all_of(sequence.begin(), sequence.end(), [](qint16 l) { return l >= 0 && l <= 3; }),
                   "every light of the sequence is 0..3");
        }
        const auto &scores = m_probe->scores();
        breaks(std::is_sorted(scores.rbegin(), scores.rend()), "the table is ordered best first");
        checkScores();
        if (m_depth > 0 || !m_board->isVisible())
            return;
        breaks(!m_gameOverDue || m_pump.hasPending(), "a wrong release ends its game with Game Over");
        // Between events, with nothing held and no step waiting, no press is being judged.
        if (m_held.isEmpty() && m_heldKeys.isEmpty() && !m_pump.hasPending()) {
            breaks(!m_probe->clickBusy(), "mbClickBusy is clear when no press is judged");
            breaks(!m_probe->lightDown(), "mbLightDown is clear when no press is held");
            if (!m_probe->tmrShowLights().isActive())
                breaks(m_probe->litLights() == 0, "no light stays lit when the board is idle");
        }
        breaks(modGlobals::giCurrentScorePos == -1, "giCurrentScorePos is -1 outside CheckHighScore");
    }

    QPoint pointIn(const HotSpot &spot)
    {
        const QRectF r = spot.geometry();
        return QPoint(int(r.left()) + 1 + chance(int(r.width()) - 2), int(r.top()) + 1 + chance(int(r.height()) - 2));
    }

    void triggerMenu(const char *name)
    {
        m_board->menuBar()->findChild<QAction *>(QLatin1String(name))->trigger();
    }

    void press(QPoint at)
    {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[chance(3)];
        if (m_held.contains(button))
            return;
        if (m_held.isEmpty())
            m_heldAt = at;
        m_held.append(button);
        trace(QStringLiteral("  press %1 at %2,%3").arg(int(button)).arg(m_heldAt.x()).arg(m_heldAt.y()));
        QTest::mousePress(&surface(), button, {}, m_heldAt);
    }

    void release()
    {
        if (m_held.isEmpty())
            return;
        const Qt::MouseButton button = m_held.takeAt(chance(int(m_held.size())));
        trace(QStringLiteral("  release %1").arg(int(button)));
        const QScopedValueRollback releasing(m_releasing, true);
        QTest::mouseRelease(&surface(), button, {}, m_heldAt + QPoint(chance(200) - 100, chance(200) - 100));
    }

    // A key of a light goes down; one already down repeats instead.
    void pressKey()
    {
        const Key *key = &keys[chance(std::size(keys))];
        const QKeyCombination code = chance(2) ? key->code : key->otherCode;
        const bool repeat = m_heldKeys.contains(key);
        trace(QStringLiteral("  key %1 down%2").arg(code.toCombined(), 0, 16).arg(repeat ? " (repeat)" : ""));
        if (repeat) {
            const QScopedValueRollback releasing(m_releasing, true);
            m_probe->sendKey(QEvent::KeyRelease, code, true, key->scanCode);
        } else {
            m_heldKeys.append(key);
        }
        m_probe->sendKey(QEvent::KeyPress, code, repeat, key->scanCode);
    }

    // A key comes up, sometimes under its other name (Num Lock toggled meanwhile).
    void releaseKey()
    {
        if (m_heldKeys.isEmpty())
            return;
        const Key *key = m_heldKeys.takeAt(chance(int(m_heldKeys.size())));
        const QKeyCombination code = chance(2) ? key->code : key->otherCode;
        trace(QStringLiteral("  key %1 up").arg(code.toCombined(), 0, 16));
        const QScopedValueRollback releasing(m_releasing, true);
        m_probe->sendKey(QEvent::KeyRelease, code, false, key->scanCode);
    }

    // Time passes on: the playback's next tick, or the end of the step that waits.
    void timePasses()
    {
        if (m_pump.hasPending() && chance(3) != 0) {
            trace(QStringLiteral("  a wait ends"));
            m_pump.runNext();
        } else if (m_probe->tmrShowLights().isActive()) {
            trace(QStringLiteral("  tick"));
            m_board->tmrShowLights_Timer();
        }
    }

    void newGame()
    {
        if (m_pump.hasPending())
            ++m_seen[m_probe->tmrShowLights().isActive() ? "New Game in a dark gap" : "New Game in a hold"];
        else if (m_probe->lightDown())
            ++m_seen["New Game over a held press"];
        switch (chance(3)) {
        case 0:
            triggerMenu("mnuGameNew");
            break;
        case 1:
            // The key is a shortcut of the board's window, which has to be the active one.
            QApplication::setActiveWindow(m_board.get());
            QTest::keyClick(m_board.get(), Qt::Key_F2);
            break;
        default:
            if (m_held.isEmpty()) {
                press(pointIn(m_probe->imgNew()));
                release();
            }
            return;
        }
        checkNewGame();
    }

    // A modal window from the menus, counted by what the board is in the middle of.
    void openDialog(const char *item)
    {
        if (m_probe->clickBusy() && m_probe->lightDown())
            ++m_seen["modal window over a held press"];
        if (m_pump.hasPending())
            ++m_seen[m_probe->tmrShowLights().isActive() ? "modal window in a dark gap" : "modal window in a hold"];
        triggerMenu(item);
    }

    // A menu opened from the keyboard (Alt+G) takes the mouse, and so the release, from a held press.
    void menuOverAPress()
    {
        ++m_seen["menu over a held press"];
        trace(QStringLiteral("  menu over the press"));
        QApplication::setActiveWindow(m_board.get());
        auto *menu = m_board->menuBar()->findChild<QMenu *>(QStringLiteral("mnuGame"));
        menu->popup(m_board->pos());
        menu->close();
        m_held.clear();
    }

    void doubleClick(QPoint at)
    {
        if (!m_held.isEmpty())
            return;
        m_heldAt = at;
        trace(QStringLiteral("  double click at %1,%2").arg(at.x()).arg(at.y()));
        QTest::mousePress(&surface(), Qt::LeftButton, {}, at);
        {
            const QScopedValueRollback releasing(m_releasing, true);
            QTest::mouseRelease(&surface(), Qt::LeftButton, {}, at);
        }
        m_held.append(Qt::LeftButton);
        QTest::mouseDClick(&surface(), Qt::LeftButton, {}, at);
        release();
    }

    // One random event; inside a dialog only the timer goes on behind it.
    void step()
    {
        ++m_events;
        ++m_depth;
        const int kind = chance(100);
        trace(QStringLiteral("kind %1 held %2 keys %3 busy %4 down %5 timer %6 waits %7 lit %8 seq %9 player %10")
                  .arg(kind).arg(m_held.size()).arg(m_heldKeys.size()).arg(m_probe->clickBusy())
                  .arg(m_probe->lightDown()).arg(m_probe->tmrShowLights().isActive()).arg(m_pump.hasPending())
                  .arg(m_probe->litLights()).arg(m_probe->sequence().size()).arg(m_probe->playerIndex()));
        if (kind < 14)
            press(pointIn(m_probe->imgClick(chance(4))));
        else if (kind < 30)
            release();
        else if (kind < 33)
            doubleClick(pointIn(m_probe->imgClick(chance(4))));
        else if (kind < 36)
            press(pointIn(m_probe->imgNew()));
        else if (kind < 38)
            press(QPoint(chance(426), chance(447)));
        else if (kind < 46)
            pressKey();
        else if (kind < 54)
            releaseKey();
        else if (kind < 58)
            newGame();
        else if (kind < 60 && m_pump.hasPending())
            newGame();
        else if (kind < 62 && m_pump.hasPending())
            openDialog(chance(2) ? "mnuGameSpeed" : "mnuHelpAbout");
        else if (kind < 88)
            timePasses();
        else if (kind < 90)
            openDialog("mnuGameSpeed");
        else if (kind < 92)
            openDialog("mnuGameScores");
        else if (kind < 94)
            QTest::keyClick(m_board.get(), Qt::Key_F1);
        else if (kind < 95)
            openDialog("mnuHelpAbout");
        else if (kind < 96)
            triggerMenu("mnuHelpBCGames");
        else if (kind < 97)
            modGlobals::giSpeed = qint16(chance(5) - 1);
        else if (kind < 98 && chance(4) == 0)
            m_board->close();
        else if (kind >= 98 && !m_held.isEmpty())
            menuOverAPress();
        --m_depth;
        check();
    }

    void insideYield()
    {
        // Events come inside waits and yields too, a few levels deep at most.
        if (m_depth >= 3 || m_events >= m_limit || !m_board || !m_board->isVisible() || chance(3) != 0)
            return;
        if (QApplication::activeModalWidget())
            return;
        step();
    }

    // Answers whatever modal window is up, as a player would, in a random way. The
    // answer is queued: it may open another modal window, and a timer does not fire
    // again inside its own handler.
    void answerModal()
    {
        if (m_answering || !QApplication::activeModalWidget())
            return;
        m_answering = true;
        QMetaObject::invokeMethod(this, &TestStress::answer, Qt::QueuedConnection);
    }

    void answer()
    {
        m_answering = false;
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        // A modal window is up inside some handler: only the structural invariants hold.
        const QScopedValueRollback nested(m_depth, m_depth + 1);
        // The playback goes on behind it for a while first.
        for (int behind = chance(4); behind > 0 && m_events < m_limit; --behind) {
            ++m_events;
            ++m_seen["time passing behind a modal window"];
            timePasses();
            check();
        }
        if (QApplication::activeModalWidget() != modal) {
            answerModal();
            return;
        }
        ++m_events;
        trace(QStringLiteral("answer %1").arg(modal->objectName()));
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            const auto buttons = box->buttons();
            buttons.at(chance(int(buttons.size())))->click();
        } else if (modal->objectName() == QLatin1String("frmNewHighScore")) {
            static const QString names[] = {"Ada", "", "<b>x</b>", QString::fromUtf8("Zoë 名前"), QString(300, 'n'),
                                            "a=b;c#d,\"e\""};
            modal->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(names[chance(6)]);
            QTest::keyClick(modal->focusWidget(), chance(2) ? Qt::Key_Return : Qt::Key_Escape);
        } else if (modal->objectName() == QLatin1String("frmScores")) {
            const char *button = chance(3) == 0 ? "cmdClear" : "Command1";
            modal->findChild<QAbstractButton *>(QLatin1String(button))->click();
        } else if (modal->objectName() == QLatin1String("frmSpeed")) {
            const auto options = modal->findChildren<QRadioButton *>();
            options.at(chance(int(options.size())))->click();
            if (chance(2))
                modal->findChild<QAbstractButton *>(QStringLiteral("cmdOK"))->click();
        } else if (modal->objectName() == QLatin1String("frmAbout")) {
            const char *button = chance(4) == 0 ? "cmdSysInfo" : "cmdOK";
            modal->findChild<QAbstractButton *>(QLatin1String(button))->click();
        } else {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        check();
    }

    void play(quint32 seed, int events)
    {
        m_rng.seed(seed);
        m_limit = events;
        m_events = 0;
        m_broken.clear();
        for (const char *what : rareEvents)
            m_seen[QLatin1String(what)] = 0;
        m_pump.onYield = [this] { insideYield(); };
        m_sound.onPlay = [this](const QByteArray &tone) { heard(tone); };
        m_modalHandler.setInterval(0);
        connect(&m_modalHandler, &QTimer::timeout, this, &TestStress::answerModal, Qt::UniqueConnection);
        m_modalHandler.start();
        openBoard();
        while (m_events < m_limit) {
            step();
            if (!m_board->isVisible()) {
                ++m_closes;
                // Decisions (a name, a cleared table, a new speed) are written as they are made.
                breaks(m_store.saves == 12 * m_store.flushes && m_store.flushes >= m_closes,
                       "every write is of the twelve values together, and each closing writes them");
                checkClosing();
            }
        }
        m_modalHandler.stop();
        m_board.reset();
    }

    // One short game that ends at the first press, with its name entry and scores
    // window, and the speed window, the About window and the help on the way.
    void playOneGameWithDialogs()
    {
        m_board->mnuGameNew_Click();
        m_board->tmrShowLights_Timer();
        m_board->tmrShowLights_Timer();
        m_pump.runPending();
        const qint16 wrong = qint16((m_probe->sequence().at(0) + 1) % 4);
        m_board->imgClick_MouseDown(wrong, HotSpot::vbLeftButton, 0, 0, 0);
        m_board->imgClick_MouseUp(wrong, HotSpot::vbLeftButton, 0, 0, 0);
        m_pump.runPending();
        triggerMenu("mnuGameSpeed");
        triggerMenu("mnuHelpAbout");
        triggerMenu("mnuHelpContents");
    }

private slots:
    void randomPlayKeepsTheInvariants()
    {
        // Thousands of random events keep every invariant of the game, and reach each of
        // the rare interruptions (a shorter run than the default may miss one).
        constexpr int defaultEvents = 3000;
        const int events = qEnvironmentVariableIntValue("TESSALY_STRESS_EVENTS") > 0
                               ? qEnvironmentVariableIntValue("TESSALY_STRESS_EVENTS")
                               : defaultEvents;
        const quint32 seed = quint32(qEnvironmentVariableIntValue("TESSALY_STRESS_SEED")) + 20261207u;
        play(seed, events);
        qInfo("stress: %d events, %d broken invariants, %d closings", m_events, int(m_broken.size()), m_closes);
        for (const auto &[what, count] : m_seen)
            qInfo("  %s: %d", qPrintable(what), count);
        for (const QString &line : std::as_const(m_firstTrace))
            qInfo("%s", qPrintable(line));
        QVERIFY2(m_broken.isEmpty(), qPrintable(m_broken.mid(0, 5).join(QLatin1Char('\n'))));
        for (const auto &[what, count] : m_seen)
            QVERIFY2(count > 0 || events < defaultEvents, qPrintable(what + QStringLiteral(" never came up")));
    }

    void fiveHundredGamesWithDialogsLeaveNoGrowth()
    {
        // Games and dialogs come and go without the heap growing: after a warm-up, 500
        // more games hold on to less than a kilobyte each on average.
        m_rng.seed(500);
        m_limit = 0;
        m_pump.onYield = [] {};
        connect(&m_modalHandler, &QTimer::timeout, this, &TestStress::answerModal, Qt::UniqueConnection);
        m_modalHandler.start();
        openBoard();
        for (int game = 0; game < 50; ++game)
            playOneGameWithDialogs();
        const size_t before = mallinfo2().uordblks;
        for (int game = 0; game < 500; ++game)
            playOneGameWithDialogs();
        const size_t after = mallinfo2().uordblks;
        m_modalHandler.stop();
        m_board.reset();
        qInfo("heap in use: %zu bytes before, %zu after 500 games", before, after);
        QVERIFY2(after < before + 500 * 1024, qPrintable(QString::number(qint64(after) - qint64(before))));
        QVERIFY2(m_broken.isEmpty(), qPrintable(m_broken.mid(0, 5).join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
