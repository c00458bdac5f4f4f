#pragma once

#include <QBrush>
#include <QByteArray>
#include <QPointF>

#include <vector>

class QImage;
class QString;
class QTextStream;

// The program icon: the four lit lights in their sockets, in the board's order, on a
// transparent ground. The pictures and the scalable version are drawn from the same
// shapes, so that they look alike at every size.
class AppIcon
{
public:
    // The sizes a desktop theme looks up; writes tessaly-<size>.png and tessaly.svg.
    static const std::vector<int> &sizes();
    static bool write(const QString &folder, QTextStream &err);

    static QImage picture(int size);
    static QByteArray svg();

private:
    struct Disc
    {
        QPointF centre;
        double radius{0};
        QBrush fill;
    };
    // In the pixels of a size x size picture.
    static std::vector<Disc> discs(double size);
};
