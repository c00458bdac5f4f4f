#pragma once

#include <QFont>
#include <QRect>
#include <QString>

// Window designs are given in twips and point sizes at 96 dots per inch; these
// convert them so that layouts come out the same whatever DPI the screen reports.
namespace Twips {

constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    // Rounds half away from zero, as the designs' coordinates are whole pixels but for a few.
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

// A font of the given family and point size, sized in pixels as at 96 DPI.
QFont font(const QString &family, double points, bool bold = false, bool italic = false);

// Maps the designs' font names to fonts this desktop has (call once at start).
void installFontSubstitutes();

} // namespace Twips
