// The board's drawing: every picture is a masked stamp into the window's persistent
// image, followed by one synchronous refresh where a light or the button changes.
#include "board/frmMain.h"

#include "platform/input/HotSpot.h"
#include "platform/session/App.h"
#include "platform/widgets/Surface.h"

#include <QResource>

#include <cmath>
#include <cstring>

namespace {

QImage artwork(const char *name)
{
    // Raw 32-bit pixels (the format the raster operations work in, bit by bit),
    // embedded uncompressed: the picture is used in place, nothing is decoded. A
    // picture with words on it (the New Game button) comes in the game's language.
    const QResource raw(App::localized(QStringLiteral(":/art/%1.rgb32").arg(QLatin1String(name))));
    quint32 extent[2]{};
    if (raw.compressionAlgorithm() != QResource::NoCompression || raw.size() < qint64(sizeof extent))
        return {};
    std::memcpy(extent, raw.data(), sizeof extent);
    const uchar *pixels = raw.data() + sizeof extent;
    if (raw.size() != qint64(sizeof extent) + qint64(extent[0]) * extent[1] * 4)
        return {};
    if (quintptr(pixels) % alignof(quint32) == 0)
        return QImage(pixels, int(extent[0]), int(extent[1]), QImage::Format_RGB32);
    // The resource data carries no alignment promise; pixels off their word
    // boundary are copied rather than read unaligned.
    QImage copy{int(extent[0]), int(extent[1]), QImage::Format_RGB32};
    std::memcpy(copy.bits(), pixels, size_t(copy.sizeInBytes()));
    return copy;
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
        // Told to assistive technology too, so the playback can be followed without the board.
        imgClick[std::size_t(index)]->setAccessibleDescription(tr("Lit"));
    }
    m_surface->refresh();
}

void frmMain::LightOff(qint16 index)
{
    if (index >= 0 && index <= 3) {
        const QPoint at = lightPosition(index);
        stamp(lightPicture(index, false), picLightMask, at.x(), at.y(), picRedOn.size());
        imgClick[std::size_t(index)]->setAccessibleDescription({});
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
