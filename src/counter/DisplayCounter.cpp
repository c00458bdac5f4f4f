#include "counter/DisplayCounter.h"

#include "counter/DisplayCounterAccessible.h"
#include "platform/input/MouseCodes.h"
#include "platform/store/PropertyBag.h"
#include "platform/widgets/Twips.h"

#include <QAccessible>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>
#include <limits>

namespace {

constexpr QSize defaultSize{100, 37};
// The scratch surface's designed size, 375 x 555 twips.
constexpr QSize picSize{25, 37};
const QColor minusColour{192, 64, 0};

constexpr bool defaultEnabled = true;
constexpr qint16 defaultValue = 0;
constexpr qint16 defaultNumDigits = 2;

// Twips are whole numbers; a half-way result goes to the even one, as the
// designs' integer conversion does. The default FP rounding mode is exactly that.
int roundHalfEven(double twips)
{
    return int(std::nearbyint(twips));
}

float toTwips(qreal pixels)
{
    return float(pixels * Twips::perPixel);
}

// A stored 16-bit value; anything that is not one (text, out of range) reads as the default.
qint16 readInt16(const PropertyBag &bag, const QString &name, qint16 fallback)
{
    bool ok = false;
    const qlonglong stored = bag.readProperty(name, fallback).toLongLong(&ok);
    if (!ok || stored < std::numeric_limits<qint16>::min() || stored > std::numeric_limits<qint16>::max())
        return fallback;
    return qint16(stored);
}

bool readBool(const PropertyBag &bag, const QString &name, bool fallback)
{
    const QVariant stored = bag.readProperty(name, fallback);
    if (stored.typeId() == QMetaType::Bool)
        return stored.toBool();
    bool ok = false;
    const qlonglong number = stored.toLongLong(&ok);
    if (ok)
        return number != 0;
    const QString text = stored.toString().trimmed();
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return fallback;
}

} // namespace

DisplayCounter::DisplayCounter(QWidget *parent)
    : QWidget(parent)
    , imgNumbers(QImage(QStringLiteral(":/counter/digits.png")).convertToFormat(QImage::Format_RGB32))
    , lblMinus(new QLabel(QStringLiteral("-"), this))
{
    DisplayCounterAccessible::install();
    setAttribute(Qt::WA_OpaquePaintEvent);
    // MouseMove is raised with no button held too.
    setMouseTracking(true);

    // Cell size from the strip, before any property is set.
    const int stripWidthTwips = imgNumbers.width() * Twips::perPixel;
    const int stripHeightTwips = imgNumbers.height() * Twips::perPixel;
    miDigitWidth = qint16(roundHalfEven(stripWidthTwips / 10.0));
    miDigitHeight = qint16(stripHeightTwips);

    // The scratch surface must hold a whole cell, whatever strip is in use.
    const QRect cell = Twips::rect(0, 0, miDigitWidth, miDigitHeight);
    pic = QImage(picSize.expandedTo(cell.size()), QImage::Format_RGB32);
    pic.fill(Qt::black);

    lblMinus->setObjectName(QStringLiteral("lblMinus"));
    lblMinus->setGeometry(Twips::rect(-60, -40, 315, 315));
    lblMinus->setFont(Twips::font(QStringLiteral("Courier New"), 21.75, true));
    QPalette palette = lblMinus->palette();
    palette.setColor(QPalette::WindowText, minusColour);
    lblMinus->setPalette(palette);
    lblMinus->setAutoFillBackground(false);
    lblMinus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMinus->setTextFormat(Qt::PlainText);
    // A decoration only: the whole surface raises the mouse events.
    lblMinus->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblMinus->hide();

    resize(defaultSize);
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(Qt::black);
}

void DisplayCounter::setValue(qint16 New_Value)
{
    miValue = New_Value <= maxValue ? New_Value : maxValue;
    DrawValue();
    emit propertyChanged(QStringLiteral("Value"));
}

void DisplayCounter::setNumDigits(qint16 New_NumDigits)
{
    miNumDigits = New_NumDigits;
    QPointer<DisplayCounter> self(this);
    emit propertyChanged(QStringLiteral("NumDigits"));
    if (self)
        DrawValue();
}

bool DisplayCounter::Enabled() const
{
    // The control's own state, not whether a disabled container disables it too.
    return !testAttribute(Qt::WA_ForceDisabled);
}

void DisplayCounter::setEnabled(bool New_Enabled)
{
    QWidget::setEnabled(New_Enabled);
    emit propertyChanged(QStringLiteral("Enabled"));
}

void DisplayCounter::Refresh()
{
    repaint();
    DrawValue();
}

void DisplayCounter::ReadProperties(const PropertyBag &PropBag)
{
    QWidget::setEnabled(readBool(PropBag, QStringLiteral("Enabled"), defaultEnabled));
    miValue = readInt16(PropBag, QStringLiteral("Value"), defaultValue);
    miNumDigits = readInt16(PropBag, QStringLiteral("NumDigits"), defaultNumDigits);
}

void DisplayCounter::WriteProperties(PropertyBag &PropBag) const
{
    PropBag.writeProperty(QStringLiteral("Enabled"), Enabled(), defaultEnabled);
    PropBag.writeProperty(QStringLiteral("Value"), int(miValue), int(defaultValue));
    PropBag.writeProperty(QStringLiteral("NumDigits"), int(miNumDigits), int(defaultNumDigits));
}

QSize DisplayCounter::sizeHint() const
{
    return defaultSize;
}

void DisplayCounter::DrawValue()
{
    fitImage();

    QString text = QString::number(miValue);
    if (text.size() < miNumDigits)
        text.prepend(QString(miNumDigits - text.size(), QLatin1Char('0')));
    const qsizetype n = text.size();

    lblMinus->setVisible(miValue < 0);

    // Centred in the surface's twips; the row may start above or left of the
    // surface, which clips it.
    const int insideWidth = width() * Twips::perPixel;
    const int insideHeight = height() * Twips::perPixel;
    const int top = roundHalfEven(insideHeight / 2.0 - miDigitHeight / 2.0);
    int left = roundHalfEven(insideWidth / 2.0 - double(n) * miDigitWidth / 2.0);

    if (!m_image.isNull()) {
        QPainter painter(&m_image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QChar character : std::as_const(text)) {
            const QRect cell = Twips::rect(left, top, miDigitWidth, miDigitHeight);
            if (cell.left() >= m_image.width())
                break;  // this cell and all after it lie right of the surface
            // Cells wholly outside would leave no mark, so a huge NumDigits costs nothing.
            if (cell.intersects(m_image.rect())) {
                const int digit = character.isDigit() ? character.digitValue() : 0;
                DrawDigit(qint16(digit));
                painter.drawImage(cell.topLeft(), pic, QRect(QPoint(0, 0), cell.size()));
            }
            left += miDigitWidth;
        }
    }
    update();

    if (m_shownValue != miValue) {
        m_shownValue = miValue;
        QAccessibleValueChangeEvent valueChanged(this, miValue);
        QAccessible::updateAccessibility(&valueChanged);
        // The name carries the number too.
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
}

void DisplayCounter::DrawDigit(qint16 Digit)
{
    if (Digit < 0 || Digit > 9)
        return;
    const int k = Digit == 0 ? 9 : Digit - 1;
    QPainter painter(&pic);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), imgNumbers, Twips::rect(k * miDigitWidth, 0, miDigitWidth, miDigitHeight));
}

void DisplayCounter::fitImage()
{
    if (m_image.size() == size())
        return;
    QImage resized;
    if (!size().isEmpty()) {
        resized = QImage(size(), QImage::Format_RGB32);
        resized.fill(Qt::black);
        if (!m_image.isNull()) {
            QPainter painter(&resized);
            painter.drawImage(QPoint(0, 0), m_image);
        }
    }
    m_image = resized;
}

void DisplayCounter::paintEvent(QPaintEvent *)
{
    fitImage();
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(QPoint(0, 0), m_image);
}

void DisplayCounter::resizeEvent(QResizeEvent *event)
{
    // A resize keeps what was drawn and draws nothing new.
    fitImage();
    QWidget::resizeEvent(event);
}

void DisplayCounter::changeEvent(QEvent *event)
{
    // Qt drops the release of a press made before disabling; forget that press.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressedButtons = {};
        m_doubleClickButtons = {};
    }
    QWidget::changeEvent(event);
}

void DisplayCounter::mousePressEvent(QMouseEvent *event)
{
    const int button = MouseCodes::button(event->button());
    if (button == 0)
        return;
    m_pressedButtons |= event->button();
    const QPointF at = event->position();
    emit MouseDown(button, MouseCodes::shift(event->modifiers()), toTwips(at.x()), toTwips(at.y()));
}

void DisplayCounter::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click raises DblClick in place of MouseDown.
    if (MouseCodes::button(event->button()) == 0)
        return;
    m_pressedButtons |= event->button();
    m_doubleClickButtons |= event->button();
    emit DblClick();
}

void DisplayCounter::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    emit MouseMove(MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()), toTwips(at.x()),
                   toTwips(at.y()));
}

void DisplayCounter::mouseReleaseEvent(QMouseEvent *event)
{
    const int button = MouseCodes::button(event->button());
    if (button == 0)
        return;
    const bool pressedHere = m_pressedButtons & event->button();
    const bool endsDoubleClick = m_doubleClickButtons & event->button();
    m_pressedButtons &= ~event->button();
    m_doubleClickButtons &= ~event->button();
    const QPointF at = event->position();
    const bool over = rect().contains(at.toPoint());

    // A handler of MouseUp may delete the control.
    QPointer<DisplayCounter> self(this);
    emit MouseUp(button, MouseCodes::shift(event->modifiers()), toTwips(at.x()), toTwips(at.y()));
    if (self && pressedHere && !endsDoubleClick && over)
        emit Click();
}
