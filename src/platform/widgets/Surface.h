#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

// A window's persistent image: everything is drawn into an off-screen image, the
// widget repaints from it when exposed, and refresh() puts it on screen at once.
class Surface : public QWidget
{
    Q_OBJECT
public:
    // Per-bit raster operations of a transfer.
    enum class Rop { SrcAnd, SrcPaint };

    explicit Surface(QSize imageSize, QWidget *parent = nullptr);

    // Transfers the top-left w x h of source to (x, y) with the raster operation;
    // whatever falls outside the image is clipped.
    void blt(int x, int y, int w, int h, const QImage &source, Rop op);
    // Repaints synchronously: the pixels are on screen when this returns.
    void refresh();

    const QImage &image() const { return m_image; }

signals:
    void refreshed();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    QRect m_dirty;
};
