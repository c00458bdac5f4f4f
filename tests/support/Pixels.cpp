#include "support/Pixels.h"

#include <QHash>

int Pixels::count(const QImage &image, QRgb colour, const QRect &rect, int tolerance)
{
    const QRect area = rect.isNull() ? image.rect() : rect & image.rect();
    const auto near = [tolerance](int a, int b) { return qAbs(a - b) <= tolerance; };
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            found += near(qRed(c), qRed(colour)) && near(qGreen(c), qGreen(colour)) && near(qBlue(c), qBlue(colour));
        }
    }
    return found;
}

int Pixels::inkWidth(const QImage &image, const QRect &rect)
{
    QHash<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    int first = -1, last = -1;
    for (int x = rect.left(); x <= rect.right(); ++x) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            if (image.pixel(x, y) != background) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}
