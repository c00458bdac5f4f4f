// The board's drawing: every picture is a masked stamp into the window's persistent
// image, followed by one synchronous refresh where a light or the button changes.
#include "board/frmMain.h"

#include "platform/HotSpot.h"
#include "platform/Surface.h"

#include <cmath>

namespace {

QImage artwork(const char *name)
{
    // Raster operations work per bit on 32-bit pixels; converting once here keeps
    // every later transfer free of format conversions.
    return QImage(QStringLiteral(":/art/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

void frmMain::loadArtwork()
{
    picRedOff = artwork("picRedOff");
    picRedOn = artwork("picRedOn");
    picYellowOff = artwork("picYellowOff");
    picYellowOn = artwork("picYellowOn");
    picBlueOff = artwork("picBlueOff");
    picBlueOn = artwork("picBlueOn");
    picGreenOff = artwork("picGreenOff");
    picGreenOn = artwork("picGreenOn");
    picLightMask = artwork("picLightMask");
    picIndent = artwork("picIndent");
    picIndentMask = artwork("picIndentMask");
    picNewUp = artwork("picNewUp");
    picNewDown = artwork("picNewDown");
    picNewGameMask = artwork("picNewGameMask");
}

void frmMain::stamp(const QImage &sprite, const QImage &mask, int x, int y, QSize size)
{
    m_surface->blt(x, y, size.width(), size.height(), mask, Surface::Rop::SrcAnd);
    m_surface->blt(x, y, size.width(), size.height(), sprite, Surface::Rop::SrcPaint);
}

const QImage &frmMain::lightPicture(qint16 index, bool lit) const
{
    switch (index) {
    case 0:
        return lit ? picRedOn : picRedOff;
    case 1:
        return lit ? picYellowOn : picYellowOff;
    case 2:
        return lit ? picBlueOn : picBlueOff;
    default:
        return lit ? picGreenOn : picGreenOff;
    }
}

QPoint frmMain::lightPosition(qint16 index) const
{
    const int x = (index == 0 || index == 2) ? miLeftX : miRightX;
    const int y = (index == 0 || index == 1) ? miTopY : miBottomY;
    return {x - 6, y - 6};
}

QPointF frmMain::newButtonPosition() const
{
    return {miRightX - picNewUp.width() / 2.0 - 4, miBottomY - picNewUp.height() / 2.0 - 4};
}

void frmMain::DrawBoard()
{
    for (const QPoint origin : {QPoint(miLeftX, miTopY), QPoint(miRightX, miTopY),
                                QPoint(miLeftX, miBottomY), QPoint(miRightX, miBottomY)})
        stamp(picIndent, picIndentMask, origin.x(), origin.y(), picIndent.size());

    for (qint16 index = 0; index < 4; ++index) {
        const QPoint at = lightPosition(index);
        stamp(lightPicture(index, false), picLightMask, at.x(), at.y(), picRedOn.size());
    }
    stampNewButton(picNewUp);
}

void frmMain::stampNewButton(const QImage &picture)
{
    // The button's top falls on a half pixel; drawing rounds it half to even.
    const QPointF at = newButtonPosition();
    stamp(picture, picNewGameMask, int(std::nearbyint(at.x())), int(std::nearbyint(at.y())),
          picNewUp.size());
}

void frmMain::PlaceHotSpots()
{
    for (HotSpot *spot : imgClick) {
        spot->setWidth(picRedOn.width() - 40);
        spot->setHeight(picRedOn.height() - 40);
    }
    imgClick[0]->move(miLeftX + 20, miTopY + 20);
    imgClick[1]->move(miRightX + 20, miTopY + 20);
    imgClick[2]->move(miLeftX + 20, miBottomY + 20);
    imgClick[3]->move(miRightX + 20, miBottomY + 20);
    const QPointF at = newButtonPosition();
    imgNew->move(at.x(), at.y());
    imgNew->setWidth(picNewUp.width());
    imgNew->setHeight(picNewUp.height());
}

void frmMain::LightOn(qint16 index)
{
    if (index >= 0 && index <= 3) {
        const QPoint at = lightPosition(index);
        stamp(lightPicture(index, true), picLightMask, at.x(), at.y(), picRedOn.size());
    }
    m_surface->refresh();
}

void frmMain::LightOff(qint16 index)
{
    if (index >= 0 && index <= 3) {
        const QPoint at = lightPosition(index);
        stamp(lightPicture(index, false), picLightMask, at.x(), at.y(), picRedOn.size());
    }
    m_surface->refresh();
}

void frmMain::DrawNewButtonDown()
{
    stampNewButton(picNewDown);
    m_surface->refresh();
}

void frmMain::DrawNewButtonUp()
{
    stampNewButton(picNewUp);
    m_surface->refresh();
}
