#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>

class HotSpot;
class QMouseEvent;
class QWidget;

// Routes the mouse of a host widget to its hot-spots. A press goes to the topmost
// enabled hot-spot under the pointer and captures the mouse: its release comes to
// that hot-spot even when it was disabled meanwhile. Every button counts, and the
// second press of a double click is a press like any other. The enabled state is
// the hot-spots' own flag, since Qt drops the release of a widget disabled mid-press.
class HotSpotRouter : public QObject
{
    Q_OBJECT
public:
    explicit HotSpotRouter(QWidget *host);

    // Hot-spots added later lie on top of those added before.
    void add(HotSpot *spot);
    HotSpot *hotSpotAt(QPointF position) const;
    HotSpot *captured() const { return m_captured; }
    const QList<HotSpot *> &spots() const { return m_spots; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(QMouseEvent *event);
    void release(QMouseEvent *event);
    void releaseCapture();

    QWidget *m_host;
    QList<HotSpot *> m_spots;
    QPointer<HotSpot> m_captured;
    int m_capturedButtons{0};
};
