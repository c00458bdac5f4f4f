#pragma once

#include <QImage>
#include <QRect>

// Counting what a picture shows: the tests' way of telling what was drawn.
namespace Pixels {

// Pixels inside rect (the whole picture when it is null) whose red, green and blue are
// each within tolerance of colour's; alpha is not looked at.
int count(const QImage &image, QRgb colour, const QRect &rect = {}, int tolerance = 0);
// Width of the text drawn in a label's rect: the span of columns holding any pixel that
// is not the rect's background (its most common colour).
int inkWidth(const QImage &image, const QRect &rect);

} // namespace Pixels
