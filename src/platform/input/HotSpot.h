#pragma once

#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QWidget>

// A transparent mouse target laid over a drawing: a rectangle that may be enabled.
// The HotSpotRouter of its host widget delivers the events.
class HotSpot : public QObject
{
    Q_OBJECT
public:
    // Mouse button bits and shift-state bits, as the handlers receive them.
    enum Button { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
    enum Shift { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

    using QObject::QObject;

    QRectF geometry() const { return m_geometry; }
    // Left and top edges belong to the hot-spot, right and bottom edges do not.
    bool contains(QPointF p) const
    {
        return p.x() >= m_geometry.left() && p.x() < m_geometry.right()
            && p.y() >= m_geometry.top() && p.y() < m_geometry.bottom();
    }
    void setWidth(qreal width) { m_geometry.setWidth(width); }
    void setHeight(qreal height) { m_geometry.setHeight(height); }
    void move(qreal left, qreal top) { m_geometry.moveTo(left, top); }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // The widget the hot-spot lies on, once a router has taken it.
    QWidget *host() const { return m_host; }
    void setHost(QWidget *host) { m_host = host; }

    QString accessibleName() const { return m_accessibleName; }
    void setAccessibleName(const QString &name) { m_accessibleName = name; }
    // What assistive technology is told besides the name; it hears of each change.
    QString accessibleDescription() const { return m_accessibleDescription; }
    void setAccessibleDescription(const QString &description)
    {
        if (description == m_accessibleDescription)
            return;
        m_accessibleDescription = description;
        // Only a hot-spot on a host has an accessible interface to tell of it.
        if (m_host) {
            QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }

signals:
    // x and y are relative to the hot-spot's top-left corner, in pixels.
    void mouseDown(int button, int shift, float x, float y);
    void mouseUp(int button, int shift, float x, float y);
    // The press ended without a release: a modal window or a menu took the mouse or
    // the keyboard away, so the release the player gives will never come here.
    void mouseCancel();

private:
    QRectF m_geometry;
    bool m_enabled{true};
    QString m_accessibleName;
    QString m_accessibleDescription;
    QPointer<QWidget> m_host;
};
