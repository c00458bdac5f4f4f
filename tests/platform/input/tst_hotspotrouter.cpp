#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotRouter.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

// Transparent mouse targets: who takes a press, and where its release goes.
class TestHotSpotRouter : public QObject
{
    Q_OBJECT

    struct Host
    {
        QWidget window;
        QWidget *surface{new QWidget(&window)};
        HotSpotRouter *router{new HotSpotRouter(surface)};
        HotSpot below;
        HotSpot above;
        QStringList log;

        Host()
        {
            window.resize(300, 300);
            surface->setGeometry(0, 0, 300, 300);
            below.move(40, 40);
            below.setWidth(160);
            below.setHeight(160);
            above.move(167, 194.5);
            above.setWidth(98);
            above.setHeight(43);
            router->add(&below);
            router->add(&above);
            router->addKey(Qt::Key_1, &below);
            router->addKey(Qt::KeypadModifier | Qt::Key_7, &above);
            router->addPhysicalKey(10, &below);
            router->addPhysicalKey(11, &above);
            for (auto [spot, name] : {std::pair{&below, "below"}, std::pair{&above, "above"}}) {
                const QString n = QLatin1String(name);
                QObject::connect(spot, &HotSpot::mouseDown, [this, n](int b, int s, float x, float y) {
                    log << QStringLiteral("%1 down %2 %3 %4 %5").arg(n).arg(b).arg(s).arg(x).arg(y);
                });
                QObject::connect(spot, &HotSpot::mouseUp, [this, n](int b, int s, float, float) {
                    log << QStringLiteral("%1 up %2 %3").arg(n).arg(b).arg(s);
                });
                QObject::connect(spot, &HotSpot::mouseCancel, [this, n] { log << n + QStringLiteral(" cancel"); });
            }
            window.show();
        }

        void key(QEvent::Type type, QKeyCombination combination, bool autoRepeat = false)
        {
            QKeyEvent event(type, combination.key(), combination.keyboardModifiers(), QString(), autoRepeat);
            QApplication::sendEvent(surface, &event);
        }
    };

private slots:
    void hotSpotAtHonoursEdgesOverlapsAndEnabledState_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("expected");
        QTest::newRow("top-left corner is inside") << QPointF(40, 40) << "below";
        QTest::newRow("last pixel is inside") << QPointF(199, 199) << "above";
        QTest::newRow("last column outside the overlap") << QPointF(199, 100) << "below";
        QTest::newRow("right edge is outside") << QPointF(200, 100) << "";
        QTest::newRow("left of it") << QPointF(39, 100) << "";
        QTest::newRow("overlap goes to the one on top") << QPointF(170, 196) << "above";
        QTest::newRow("half-pixel top of the upper one") << QPointF(170, 194) << "below";
    }
    void hotSpotAtHonoursEdgesOverlapsAndEnabledState()
    {
        // Left and top edges belong to a hot-spot, right and bottom do not; later ones lie on top.
        QFETCH(QPointF, point);
        QFETCH(QString, expected);
        Host host;
        HotSpot *found = host.router->hotSpotAt(point);
        QCOMPARE(found == &host.below ? "below" : found == &host.above ? "above" : "", expected);
    }

    void disabledHotSpotsTakeNoPress()
    {
        // A disabled hot-spot lets the press fall through to nothing.
        Host host;
        host.below.setEnabled(false);
        QTest::mousePress(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(host.log.isEmpty());
    }

    void releaseReachesTheHotSpotThatTookThePress()
    {
        // Disabled during its press and released elsewhere, the hot-spot still gets the release.
        Host host;
        connect(&host.below, &HotSpot::mouseDown, [&] { host.below.setEnabled(false); });
        QTest::mousePress(host.surface, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 60));
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(250, 250));
        QCOMPARE(host.log, (QStringList{"below down 1 1 10 20", "below up 1 0"}));
    }

    void everyButtonCounts_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("left") << Qt::LeftButton << 1;
        QTest::newRow("right") << Qt::RightButton << 2;
        QTest::newRow("middle") << Qt::MiddleButton << 4;
    }
    void everyButtonCounts()
    {
        // Any mouse button presses a hot-spot, with its own button code.
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, code);
        Host host;
        QTest::mousePress(host.surface, button, Qt::ControlModifier | Qt::AltModifier, QPoint(100, 100));
        QTest::mouseRelease(host.surface, button, {}, QPoint(100, 100));
        QCOMPARE(host.log, (QStringList{QStringLiteral("below down %1 6 60 60").arg(code),
                                        QStringLiteral("below up %1 0").arg(code)}));
    }

    void theSecondPressOfADoubleClickIsAPress()
    {
        // A quick double click is two presses and two releases.
        Host host;
        // What Qt delivers for one: press, release, double-click event, release.
        QTest::mousePress(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseDClick(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(host.log.filter(" down ").size(), 2);
        QCOMPARE(host.log.filter(" up ").size(), 2);
    }

    void aWindowOrMenuTakingTheMouseEndsTheCapture_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("taker");
        QTest::newRow("mouse, modal window") << false << "modal window";
        QTest::newRow("key, modal window") << true << "modal window";
        QTest::newRow("mouse, menu (Alt+G)") << false << "menu";
        QTest::newRow("mouse, menu bar (Alt, then G)") << false << "menu bar";
    }
    void aWindowOrMenuTakingTheMouseEndsTheCapture()
    {
        // When a modal window, a menu or the menu bar takes the mouse or keyboard mid-press,
        // the press is cancelled at once, and the release that comes after is no one's.
        QFETCH(bool, byKey);
        QFETCH(QString, taker);
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        if (byKey)
            host.key(QEvent::KeyPress, Qt::Key_1);
        else
            QTest::mousePress(host.surface, Qt::RightButton, {}, QPoint(100, 100));
        QDialog dialog(&host.window);
        dialog.setModal(true);
        QMenu menu(&host.window);
        menu.addAction(QStringLiteral("New Game"));
        QMenuBar bar(&host.window);
        (taker == u"menu" ? &menu : taker == u"menu bar" ? static_cast<QWidget *>(&bar) : &dialog)->show();
        if (taker == u"menu bar")
            bar.setFocus(Qt::MenuBarFocusReason);
        QCOMPARE(host.log, (QStringList{byKey ? "below down 0 0 0 0" : "below down 2 0 60 60", "below cancel"}));
        QVERIFY(!host.router->captured());
        dialog.close();
        menu.close();
        if (byKey)
            host.key(QEvent::KeyRelease, Qt::Key_1);
        else
            QTest::mouseRelease(host.surface, Qt::RightButton, {}, QPoint(100, 100));
        QCOMPARE(host.log.size(), 2);
    }

    void keyAutoRepeatPressesAndReleasesNothing()
    {
        // Repeats of a held key are neither presses nor releases, nor is a lone repeat.
        Host host;
        host.key(QEvent::KeyPress, Qt::Key_1);
        host.key(QEvent::KeyRelease, Qt::Key_1, true);
        host.key(QEvent::KeyPress, Qt::Key_1, true);
        host.key(QEvent::KeyRelease, Qt::Key_1);
        host.key(QEvent::KeyPress, Qt::KeypadModifier | Qt::Key_7, true);
        QCOMPARE(host.log, (QStringList{"below down 0 0 0 0", "below up 0 0"}));
    }

    void physicalKeysPressWhatTheirKeyCodesDoNot_data()
    {
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<QStringList>("log");
        const auto keys = [](QKeyCombination down, QKeyCombination up) {
            return std::pair{down.toCombined(), up.toCombined()};
        };
        const auto row = [](const char *name, std::pair<int, int> keys, quint32 scanCode, QStringList log) {
            QTest::newRow(name) << keys.first << keys.second << scanCode << log;
        };
        const QStringList below{"below down 0 0 0 0", "below up 0 0"};
        row("unshifted key of a layout with shifted digits", keys(Qt::Key_Ampersand, Qt::Key_Ampersand), 10, below);
        row("Shift pressed while the key is down", keys(Qt::Key_Ampersand, Qt::ShiftModifier | Qt::Key_1), 10,
            {"below down 0 0 0 0", "below up 0 1"});
        row("Shift let go while the key is down", keys(Qt::ShiftModifier | Qt::Key_1, Qt::Key_Ampersand), 10,
            {"below down 0 1 0 0", "below up 0 0"});
        row("a key code wins over the place", keys(Qt::Key_1, Qt::Key_1), 11, below);
        row("no scan code, no place", keys(Qt::Key_Ampersand, Qt::Key_Ampersand), 0, {});
        row("another place", keys(Qt::Key_Ampersand, Qt::Key_Ampersand), 12, {});
        // Num Lock toggled while keypad 7 is down: it comes up as Home, the same physical key.
        row("a key released under another name", keys(Qt::KeypadModifier | Qt::Key_7, Qt::KeypadModifier | Qt::Key_Home),
            79, {"above down 0 0 0 0", "above up 0 0"});
    }
    void physicalKeysPressWhatTheirKeyCodesDoNot()
    {
        // A key is known by its key code first, then by its scan code; its release is
        // matched by the physical key whatever character it comes up as.
        QFETCH(int, down);
        QFETCH(int, up);
        QFETCH(quint32, scanCode);
        QFETCH(QStringList, log);
        Host host;
        const auto send = [&](QEvent::Type type, int combined) {
            const QKeyCombination key = QKeyCombination::fromCombined(combined);
            QKeyEvent event(type, key.key(), key.keyboardModifiers(), scanCode, 0, 0);
            QApplication::sendEvent(host.surface, &event);
        };
        send(QEvent::KeyPress, down);
        send(QEvent::KeyRelease, up);
        QCOMPARE(host.log, log);
        QVERIFY(!host.router->captured());
    }

    void whileOneHotSpotIsHeldAnotherTakesNoPress()
    {
        // The capture holds: another hot-spot's key presses nothing, and a mouse press
        // goes to the held hot-spot, disabled or not, as a second button would.
        Host host;
        connect(&host.below, &HotSpot::mouseDown, [&] { host.below.setEnabled(false); });
        host.key(QEvent::KeyPress, Qt::Key_1);
        host.key(QEvent::KeyPress, Qt::KeypadModifier | Qt::Key_7);
        QTest::mousePress(host.surface, Qt::LeftButton, {}, QPoint(200, 220));
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(200, 220));
        host.key(QEvent::KeyRelease, Qt::KeypadModifier | Qt::Key_7);
        host.key(QEvent::KeyRelease, Qt::Key_1);
        QCOMPARE(host.log, (QStringList{"below down 0 0 0 0", "below up 0 0"}));
    }

    void losingTheKeyboardCancelsAKeyPressButNotAMousePress()
    {
        // Key releases go where the focus went, so a key press ends there; the mouse
        // keeps its grab, so a mouse press still gets its own release.
        Host host;
        QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        host.key(QEvent::KeyPress, Qt::Key_1);
        QApplication::sendEvent(host.surface, &focusOut);
        host.key(QEvent::KeyRelease, Qt::Key_1);
        QTest::mousePress(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QApplication::sendEvent(host.surface, &focusOut);
        QTest::mouseRelease(host.surface, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(host.log, (QStringList{"below down 0 0 0 0", "below cancel", "below down 1 0 60 60", "below up 1 0"}));
    }

    void hotSpotsAreAccessibleButtons()
    {
        // Assistive technology sees each hot-spot as a named button on its host,
        // unavailable while disabled.
        Host host;
        host.below.setAccessibleName(QStringLiteral("Red light"));
        host.above.setAccessibleName(QStringLiteral("New Game"));
        host.below.setEnabled(false);
        QAccessibleInterface *surface = QAccessible::queryAccessibleInterface(host.surface);
        QVERIFY(surface);
        QCOMPARE(surface->childCount(), 2);
        QAccessibleInterface *red = surface->child(0);
        QAccessibleInterface *newGame = surface->child(1);
        QCOMPARE(red->text(QAccessible::Name), QStringLiteral("Red light"));
        QCOMPARE(red->role(), QAccessible::Button);
        QVERIFY(red->state().disabled);
        QVERIFY(!newGame->state().disabled);
        QCOMPARE(newGame->text(QAccessible::Name), QStringLiteral("New Game"));
        QCOMPARE(newGame->rect().size(), QSize(98, 44));
        QCOMPARE(surface->indexOfChild(newGame), 1);
        QCOMPARE(red->parent(), surface);
        const QPoint overlap = host.surface->mapToGlobal(QPoint(170, 196));
        QCOMPARE(surface->childAt(overlap.x(), overlap.y()), newGame);
        host.below.setAccessibleDescription(QStringLiteral("Lit"));
        QCOMPARE(red->text(QAccessible::Description), QStringLiteral("Lit"));
        QCOMPARE(newGame->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    }

    void pressActionClicksAsTheMouseWould_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("enabled") << QString() << QStringList{"below down 1 0 80 80", "below up 1 0"};
        QTest::newRow("disabled") << "disabled" << QStringList{};
        QTest::newRow("another held") << "another held" << QStringList{"above down 0 0 0 0"};
    }
    void pressActionClicksAsTheMouseWould()
    {
        // A screen reader's press is a left click at the hot-spot's middle, ignored
        // where that click would be.
        QFETCH(QString, before);
        QFETCH(QStringList, log);
        Host host;
        host.below.setEnabled(before != u"disabled");
        if (before == u"another held")
            host.key(QEvent::KeyPress, Qt::KeypadModifier | Qt::Key_7);
        QAccessible::queryAccessibleInterface(&host.below)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        QCOMPARE(host.log, log);
    }
};

QTEST_MAIN(TestHotSpotRouter)
#include "tst_hotspotrouter.moc"
