#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

class PropertyBag;
class QLabel;

// A reusable counter control: shows a whole number as a centred row of digit
// glyphs taken from a strip of ten, with a minus label for negative numbers, and
// passes the mouse events of its surface on to its container.
//
// The control is its own surface: it keeps a persistent image of what is drawn on
// it and paints from that. Positions are worked out in the surface's twips (15 to
// the pixel) and converted to the nearest pixel only for drawing.
class DisplayCounter : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("ProgId", "Tessaly.DisplayCounter")
    Q_CLASSINFO("Description:Enabled",
                "Returns/sets a value that determines whether an object can respond to user-generated events.")
    Q_CLASSINFO("Description:Refresh", "Forces a complete repaint of a object.")
    Q_CLASSINFO("Description:Click",
                "Occurs when the user presses and then releases a mouse button over an object.")
    Q_CLASSINFO("Description:DblClick",
                "Occurs when the user presses and releases a mouse button and then presses and releases it again over an object.")
    Q_CLASSINFO("Description:MouseDown",
                "Occurs when the user presses the mouse button while an object has the focus.")
    Q_CLASSINFO("Description:MouseMove", "Occurs when the user moves the mouse.")
    Q_CLASSINFO("Description:MouseUp",
                "Occurs when the user releases the mouse button while an object has the focus.")
    Q_PROPERTY(qint16 value READ value WRITE setValue)
    Q_PROPERTY(qint16 NumDigits READ NumDigits WRITE setNumDigits)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    // A new control as a designer places it: NumDigits 2, value 0, nothing drawn yet.
    explicit DisplayCounter(QWidget *parent = nullptr);

    static constexpr qint16 maxValue = 999;

    qint16 value() const { return miValue; }
    // Values above 999 become 999; negative values are taken as they are.
    void setValue(qint16 New_Value);

    qint16 NumDigits() const { return miNumDigits; }
    void setNumDigits(qint16 New_NumDigits);

    // The surface's own enabled state; a disabled control raises no events.
    // (Hides QWidget::setEnabled so that the container is told of the change.)
    bool Enabled() const;
    void setEnabled(bool New_Enabled);

    // Repaints the surface from its persistent image, then draws the value again.
    void Refresh();

    // The number the digits show, none until they are first drawn. Assistive
    // technology reads it, and hears of each new one.
    std::optional<qint16> shownValue() const { return m_shownValue; }

    // The container's property bag: loading draws nothing and applies no limit;
    // saving leaves out values equal to their defaults.
    void ReadProperties(const PropertyBag &PropBag);
    void WriteProperties(PropertyBag &PropBag) const;

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    // Button and Shift are the bit codes vbLeftButton.. and vbShiftMask..; X and Y
    // are in the surface's twips.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    // The container is told that the named property ("Value", "NumDigits", "Enabled") changed.
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void DrawValue();
    void DrawDigit(qint16 Digit);
    // Keeps the persistent image the size of the surface, keeping what it holds.
    void fitImage();

    QImage imgNumbers;   // the glyph strip: ten cells, 1 to 9 then 0
    QImage pic;          // persistent image of the hidden scratch surface
    QImage m_image;      // persistent image of the control's surface
    QLabel *lblMinus{};
    qint16 miValue{0};
    qint16 miNumDigits{2};
    qint16 miDigitWidth{0};   // twips
    qint16 miDigitHeight{0};  // twips
    std::optional<qint16> m_shownValue;
    Qt::MouseButtons m_pressedButtons;
    Qt::MouseButtons m_doubleClickButtons;
};
