#include "AppIcon.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTextStream>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>

namespace {

constexpr int svgSize = 256;

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

// SVG's gradients in user space take Qt's geometry as it is: a linear one its two
// ends, a radial one its centre, radius and focal point; both pad beyond their ends.
void writeGradient(QXmlStreamWriter &xml, const QGradient &gradient, const QString &id)
{
    const bool linear = gradient.type() == QGradient::LinearGradient;
    xml.writeStartElement(linear ? QStringLiteral("linearGradient") : QStringLiteral("radialGradient"));
    xml.writeAttribute(QStringLiteral("id"), id);
    xml.writeAttribute(QStringLiteral("gradientUnits"), QStringLiteral("userSpaceOnUse"));
    if (linear) {
        const auto &line = static_cast<const QLinearGradient &>(gradient);
        xml.writeAttribute(QStringLiteral("x1"), number(line.start().x()));
        xml.writeAttribute(QStringLiteral("y1"), number(line.start().y()));
        xml.writeAttribute(QStringLiteral("x2"), number(line.finalStop().x()));
        xml.writeAttribute(QStringLiteral("y2"), number(line.finalStop().y()));
    } else {
        const auto &radial = static_cast<const QRadialGradient &>(gradient);
        xml.writeAttribute(QStringLiteral("cx"), number(radial.center().x()));
        xml.writeAttribute(QStringLiteral("cy"), number(radial.center().y()));
        xml.writeAttribute(QStringLiteral("r"), number(radial.radius()));
        xml.writeAttribute(QStringLiteral("fx"), number(radial.focalPoint().x()));
        xml.writeAttribute(QStringLiteral("fy"), number(radial.focalPoint().y()));
    }
    for (const auto &[at, colour] : gradient.stops()) {
        xml.writeEmptyElement(QStringLiteral("stop"));
        xml.writeAttribute(QStringLiteral("offset"), number(at));
        xml.writeAttribute(QStringLiteral("stop-color"), colour.name(QColor::HexRgb));
        if (colour.alpha() != 255)
            xml.writeAttribute(QStringLiteral("stop-opacity"), number(colour.alphaF()));
    }
    xml.writeEndElement();
}

} // namespace

const std::vector<int> &AppIcon::sizes()
{
    static const std::vector<int> all{16, 32, 48, 64, 128, 256};
    return all;
}

std::vector<AppIcon::Disc> AppIcon::discs(double size)
{
    // Below 32 px, gaps and rims stay a whole pixel and the glint, which would only
    // blur the colour, is left out.
    const bool small = size < 32;
    const double cell = size / 2.0;
    const double gap = std::max(1.0, size / 32.0);
    const double rim = std::max(1.0, size / 28.0);
    const double socket = (cell - gap) / 2.0;
    const double r = socket - rim;
    const std::array<QColor, 4> colours{QColor(255, 0, 0), QColor(255, 230, 0), QColor(0, 70, 255),
                                        QColor(0, 230, 0)};
    std::vector<Disc> shapes;
    for (int i = 0; i < 4; ++i) {
        const QPointF c((i % 2) * cell + cell / 2.0, (i / 2) * cell + cell / 2.0);

        // The socket's wall, in shadow at the top left and lit at the bottom right as
        // on the board; its dark and light sides outline the light on any ground.
        const QPointF reach(0.7 * socket, 0.7 * socket);
        QLinearGradient wall(c - reach, c + reach);
        wall.setColorAt(0.0, QColor(34, 35, 38));
        wall.setColorAt(0.5, QColor(92, 94, 100));
        wall.setColorAt(1.0, QColor(192, 194, 202));
        shapes.push_back({c, socket, QBrush(wall)});

        QRadialGradient body(c, r, c + QPointF(-0.3 * r, -0.3 * r));
        body.setColorAt(0.0, colours[i].lighter(small ? 130 : 160));
        body.setColorAt(0.55, colours[i]);
        body.setColorAt(1.0, colours[i].darker(small ? 140 : 220));
        shapes.push_back({c, r, QBrush(body)});

        if (!small) {
            const QPointF glint = c + QPointF(-0.38 * r, -0.42 * r);
            QRadialGradient spot(glint, 0.3 * r);
            spot.setColorAt(0.0, QColor(255, 255, 255, 230));
            spot.setColorAt(1.0, QColor(255, 255, 255, 0));
            shapes.push_back({glint, 0.3 * r, QBrush(spot)});
        }
    }
    return shapes;
}

QImage AppIcon::picture(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const Disc &disc : discs(size)) {
        p.setBrush(disc.fill);
        p.drawEllipse(disc.centre, disc.radius, disc.radius);
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray AppIcon::svg()
{
    const std::vector<Disc> shapes = discs(svgSize);
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeAttribute(QStringLiteral("width"), number(svgSize));
    xml.writeAttribute(QStringLiteral("height"), number(svgSize));
    xml.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 %1 %1").arg(svgSize));
    xml.writeStartElement(QStringLiteral("defs"));
    for (size_t i = 0; i < shapes.size(); ++i)
        writeGradient(xml, *shapes[i].fill.gradient(), QStringLiteral("fill%1").arg(i));
    xml.writeEndElement();
    for (size_t i = 0; i < shapes.size(); ++i) {
        xml.writeEmptyElement(QStringLiteral("circle"));
        xml.writeAttribute(QStringLiteral("cx"), number(shapes[i].centre.x()));
        xml.writeAttribute(QStringLiteral("cy"), number(shapes[i].centre.y()));
        xml.writeAttribute(QStringLiteral("r"), number(shapes[i].radius));
        xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("url(#fill%1)").arg(i));
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

bool AppIcon::write(const QString &folder, QTextStream &err)
{
    bool ok = QDir().mkpath(folder);
    for (int size : sizes()) {
        const QString path = folder + QStringLiteral("/tessaly-%1.png").arg(size);
        if (!picture(size).save(path, "PNG")) {
            err << "cannot write " << path << "\n";
            ok = false;
        }
    }
    QFile file(folder + QStringLiteral("/tessaly.svg"));
    const QByteArray text = svg();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() || !file.flush()) {
        err << "cannot write " << file.fileName() << "\n";
        ok = false;
    }
    return ok;
}
