#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>

class HotSpot;
class QKeyEvent;
class QWidget;

// Routes the mouse and keys of a host widget to its hot-spots. A press goes to the
// topmost enabled hot-spot under the pointer, or to the hot-spot of its key, and
// captures it: its release comes to that hot-spot even when it was disabled
// meanwhile. Every button counts, the second press of a double click is a press
// like any other, and key auto-repeat is no press. The enabled state is the
// hot-spots' own flag, since Qt drops the release of a widget disabled mid-press.
// A press whose release can no longer come (a modal window or a menu took the mouse,
// or the keyboard went elsewhere) is cancelled, never handed an invented release.
class HotSpotRouter : public QObject
{
    Q_OBJECT
public:
    explicit HotSpotRouter(QWidget *host);

    // Hot-spots added later lie on top of those added before.
    void add(HotSpot *spot);
    // key (with Qt::KeypadModifier for a keypad key) presses spot while it is down;
    // other modifiers are not looked at. The host takes the keyboard focus.
    void addKey(QKeyCombination key, HotSpot *spot);
    // The physical key of that native scan code presses spot when its key code is
    // none of those added (a layout that puts other characters on it).
    void addPhysicalKey(quint32 scanCode, HotSpot *spot);
    HotSpot *hotSpotAt(QPointF position) const;
    // A left click at the middle of spot, through the path a mouse click takes, so it
    // is ignored where that click would be: spot disabled, or another press held.
    void click(HotSpot *spot);
    HotSpot *captured() const { return m_captured; }
    const QList<HotSpot *> &spots() const { return m_spots; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A key held down: the physical key (its scan code, when the platform gives one)
    // and the key code it was pressed as.
    struct HeldKey
    {
        quint32 scanCode;
        int code;
        bool operator==(const HeldKey &other) const
        {
            // Num Lock toggled while a keypad key is down changes its code, not the key.
            return scanCode != 0 ? scanCode == other.scanCode : code == other.code;
        }
    };

    void pressMouse(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void releaseMouse(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    bool key(QKeyEvent *event);
    // Tells the captured hot-spot of a release, ending the capture when nothing holds it.
    void release(int button, Qt::KeyboardModifiers modifiers, QPointF at);
    // Ends the capture held by keys, or by keys and mouse buttons alike.
    void cancel(bool mouseToo);

    QWidget *m_host;
    QList<HotSpot *> m_spots;
    QHash<int, HotSpot *> m_keys;
    QHash<quint32, HotSpot *> m_physicalKeys;
    QPointer<HotSpot> m_captured;
    int m_capturedButtons{0};
    QList<HeldKey> m_capturedKeys;
};
