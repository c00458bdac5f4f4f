#include "platform/widgets/Surface.h"

#include <QPainter>
#include <QPaintEvent>

Surface::Surface(QSize imageSize, QWidget *parent)
    : QWidget(parent)
    , m_image(imageSize, QImage::Format_RGB32)
{
    m_image.fill(Qt::black);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(imageSize);
}

void Surface::blt(int x, int y, int w, int h, const QImage &source, Rop op)
{
    const QRect target = QRect(x, y, w, h) & m_image.rect();
    if (target.isEmpty())
        return;
    QPainter painter(&m_image);
    painter.setCompositionMode(op == Rop::SrcAnd ? QPainter::RasterOp_SourceAndDestination
                                                 : QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(QPoint(x, y), source, QRect(0, 0, w, h));
    m_dirty |= target;
}

void Surface::refresh()
{
    // Only what changed since the last refresh needs to reach the screen.
    if (m_dirty.isEmpty())
        repaint();
    else
        repaint(m_dirty);
    m_dirty = QRect();
    emit refreshed();
}

void Surface::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::black);
    const QRect fromImage = exposed & m_image.rect();
    if (!fromImage.isEmpty())
        painter.drawImage(fromImage, m_image, fromImage);
}
