// Draws the board's artwork, the program icon and the counter's digit strip.
// Usage: make_art <assets folder>   (writes art/*.png, icon/*.png and *.svg, digits.png)
// Output is deterministic: no clock, no random seed, fixed fonts and geometry.

#include "AppIcon.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

// Light pictures: a disc centred so that, drawn 6 px up-left of the socket,
// it is concentric with the socket's disc.
constexpr int lightSize = 200;
constexpr QPointF lightCentre{100.0, 100.0};
constexpr double lightRadius = 76.0;

// Socket: a disc touching the picture's top and left edges.
constexpr int indentSize = 200;
constexpr QPointF indentCentre{94.0, 94.0};
constexpr double indentRadius = 94.0;

constexpr QSize buttonSize{98, 43};

QImage blank(QSize size, QRgb fill = black)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor shade(const QColor &c, double f) { return mix(QColor(Qt::black), c, f); }

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// Masks are decided per pixel centre, never antialiased, so the board's AND
// leaves either untouched or fully black pixels.
QImage ellipseMask(QSize size, QPointF centre, double rx, double ry)
{
    QImage mask = blank(size, white);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double dx = (x + 0.5 - centre.x()) / rx;
            const double dy = (y + 0.5 - centre.y()) / ry;
            if (dx * dx + dy * dy <= 1.0)
                line[x] = black;
        }
    }
    return mask;
}

// Whatever antialiasing spilled past the shape would be ORed onto the board.
void clipToMask(QImage &sprite, const QImage &mask)
{
    for (int y = 0; y < sprite.height(); ++y) {
        auto *s = reinterpret_cast<QRgb *>(sprite.scanLine(y));
        const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < sprite.width(); ++x)
            if (m[x] == white)
                s[x] = black;
    }
}

QRectF around(QPointF centre, double rx, double ry)
{
    return {centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry};
}

// A glass dome: body gradient darkening to a rim, a soft sheen and a sharp
// glint from the top left, a faint reflection along the bottom right.
QImage light(const QColor &core, bool lit, const QImage &mask)
{
    QImage image = blank({lightSize, lightSize});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF c = lightCentre;
    const double r = lightRadius;
    const QRectF disc = around(c, r, r);

    QRadialGradient body(c, r, c + QPointF(-0.22 * r, -0.26 * r));
    if (lit) {
        body.setColorAt(0.0, mix(core, Qt::white, 0.30));
        body.setColorAt(0.30, mix(core, Qt::white, 0.08));
        body.setColorAt(0.62, core);
        body.setColorAt(0.86, shade(core, 0.78));
        body.setColorAt(0.96, shade(core, 0.45));
        body.setColorAt(1.0, shade(core, 0.22));
    } else {
        body.setColorAt(0.0, shade(core, 1.12));
        body.setColorAt(0.55, core);
        body.setColorAt(0.85, shade(core, 0.72));
        body.setColorAt(0.96, shade(core, 0.40));
        body.setColorAt(1.0, shade(core, 0.18));
    }
    p.setBrush(body);
    p.drawEllipse(disc);

    // Reflection of the surroundings inside the lower right of the glass.
    QRadialGradient bounce(c + QPointF(-0.16 * r, -0.16 * r), r * 1.05);
    const QColor tint = mix(core, Qt::white, lit ? 0.45 : 0.35);
    bounce.setColorAt(0.78, withAlpha(tint, 0));
    bounce.setColorAt(0.93, withAlpha(tint, lit ? 95 : 60));
    bounce.setColorAt(1.0, withAlpha(tint, 0));
    p.setBrush(bounce);
    p.drawEllipse(around(c, r - 3, r - 3));

    // Soft sheen, an ellipse tilted along the light's direction.
    p.save();
    p.translate(c + QPointF(-0.30 * r, -0.36 * r));
    p.rotate(-40);
    QRadialGradient sheen(QPointF(0, 0), 1.0);
    sheen.setCoordinateMode(QGradient::ObjectMode);
    sheen.setCenter(0.5, 0.5);
    sheen.setFocalPoint(0.5, 0.5);
    sheen.setRadius(0.5);
    sheen.setColorAt(0.0, QColor(255, 255, 255, lit ? 200 : 120));
    sheen.setColorAt(0.45, QColor(255, 255, 255, lit ? 110 : 55));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawEllipse(QRectF(-0.48 * r, -0.27 * r, 0.96 * r, 0.54 * r));
    p.restore();

    // The sharp glint.
    const QPointF glint = c + QPointF(-0.40 * r, -0.46 * r);
    QRadialGradient spot(glint, 0.12 * r);
    spot.setColorAt(0.0, QColor(255, 255, 255, lit ? 250 : 215));
    spot.setColorAt(0.5, QColor(255, 255, 255, lit ? 170 : 120));
    spot.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(spot);
    p.drawEllipse(around(glint, 0.12 * r, 0.12 * r));
    p.end();

    clipToMask(image, mask);
    return image;
}

// The socket is a hole: its wall facing the top-left light (the bottom right)
// is bright, the wall in its own shadow (the top left) is dark, and the floor
// ring just outside the light is nearly black.
QImage indent(const QImage &mask)
{
    QImage image = blank({indentSize, indentSize});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF c = indentCentre;
    const double r = indentRadius;

    // Lip of the hole: a thin chamfer lit from the top left.
    QLinearGradient lip(c + QPointF(-0.7 * r, -0.7 * r), c + QPointF(0.7 * r, 0.7 * r));
    lip.setColorAt(0.0, QColor(150, 152, 160));
    lip.setColorAt(0.5, QColor(78, 80, 86));
    lip.setColorAt(1.0, QColor(34, 35, 38));
    p.setBrush(lip);
    p.drawEllipse(around(c, r, r));

    // Wall: shaded the other way round.
    const double wallR = r - 3.5;
    QLinearGradient wall(c + QPointF(-0.7 * r, -0.7 * r), c + QPointF(0.7 * r, 0.7 * r));
    wall.setColorAt(0.0, QColor(22, 22, 25));
    wall.setColorAt(0.40, QColor(52, 53, 58));
    wall.setColorAt(0.75, QColor(118, 120, 128));
    wall.setColorAt(1.0, QColor(178, 180, 188));
    p.setBrush(wall);
    p.drawEllipse(around(c, wallR, wallR));

    // Brushed-metal sheen around the ring.
    QConicalGradient brushed(c, 45);
    for (int i = 0; i <= 8; ++i)
        brushed.setColorAt(i / 8.0, QColor(255, 255, 255, (i % 2) ? 22 : 0));
    p.setBrush(brushed);
    p.drawEllipse(around(c, wallR, wallR));

    // The wall darkens as it goes down into the hole.
    QRadialGradient depth(c, wallR);
    const double floorR = lightRadius + 3.0;
    depth.setColorAt(floorR / wallR - 0.02, QColor(0, 0, 0, 200));
    depth.setColorAt((floorR + 6) / wallR, QColor(0, 0, 0, 90));
    depth.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(depth);
    p.drawEllipse(around(c, wallR, wallR));

    // Floor, hidden under the light but for a shadow line round it.
    QRadialGradient floor(c, floorR);
    floor.setColorAt(0.0, QColor(14, 14, 16));
    floor.setColorAt(1.0, QColor(6, 6, 7));
    p.setBrush(floor);
    p.drawEllipse(around(c, floorR, floorR));
    p.end();

    clipToMask(image, mask);
    return image;
}

// An oval button: a bevel ring round a flat face with green lettering; down
// flips the lighting and moves the face's content 1 px down-right.
QImage newButton(bool down, const QImage &mask, const QFont &font, const QString &caption)
{
    QImage image = blank(buttonSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::NoPen);
    const QRectF outer(0, 0, buttonSize.width(), buttonSize.height());

    const QColor bright(222, 224, 228), dark(62, 63, 68);
    QLinearGradient bevel(0, 0, outer.width() * 0.55, outer.height());
    bevel.setColorAt(0.0, down ? dark : bright);
    bevel.setColorAt(1.0, down ? bright : dark);
    p.setBrush(bevel);
    p.drawEllipse(outer);

    const QRectF face = outer.adjusted(3.5, 3.0, -3.5, -3.0);
    QLinearGradient faceFill(face.topLeft(), face.bottomLeft());
    faceFill.setColorAt(0.0, down ? QColor(150, 152, 156) : QColor(196, 198, 202));
    faceFill.setColorAt(1.0, down ? QColor(176, 178, 182) : QColor(156, 158, 162));
    p.setBrush(faceFill);
    p.drawEllipse(face);

    const QPointF shift = down ? QPointF(1, 1) : QPointF(0, 0);
    const QRectF textBox = outer.translated(shift).adjusted(0, 0, 0, -1);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 150));
    p.drawText(textBox.translated(0.6, 0.8), Qt::AlignCenter, caption);
    p.setPen(QColor(0, 118, 16));
    p.drawText(textBox, Qt::AlignCenter, caption);
    p.end();

    clipToMask(image, mask);
    return image;
}

// Seven-segment glyphs, lit pixels only in full-strength orange-red so the
// strip holds nothing but the stated colours and black.
namespace digits {

constexpr int cellW = 20, cellH = 30;
constexpr int left = 2, right = 17, top = 5, bottom = 23;
constexpr double slant = 0.0; // x shift per pixel of height above the bottom
constexpr int maxShift = int(slant * (bottom - top) + 0.5); // the slant at the top row

// Centre lines of the segments a..g in unslanted glyph pixel coordinates;
// every stroke is three pixels wide.
struct Segment { int x0, y0, x1, y1; };
constexpr int xl = left + 1, xr = right - 1 - maxShift;
constexpr int yt = top + 1, yb = bottom - 1, ym = (yt + yb) / 2;
constexpr std::array<Segment, 7> segments{{
    {xl + 2, yt, xr - 2, yt}, // a: top
    {xr, yt + 2, xr, ym - 2}, // b: upper right
    {xr, ym + 2, xr, yb - 2}, // c: lower right
    {xl + 2, yb, xr - 2, yb}, // d: bottom
    {xl, ym + 2, xl, yb - 2}, // e: lower left
    {xl, yt + 2, xl, ym - 2}, // f: upper left
    {xl + 2, ym, xr - 2, ym}, // g: middle
}};
// Segments lit for 0..9, bit 0 = a; 6 and 9 keep their tails for legibility.
constexpr std::array<int, 10> patterns{0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};

// Inside a segment: at most one pixel off its centre line, the ends pointed
// so that neighbouring segments only touch at a corner.
bool inSegment(const Segment &s, int x, int y)
{
    const bool horizontal = s.y0 == s.y1;
    const int across = horizontal ? std::abs(y - s.y0) : std::abs(x - s.x0);
    const int along = horizontal ? x : y;
    const int from = horizontal ? s.x0 : s.y0, to = horizontal ? s.x1 : s.y1;
    const int beyond = std::max({0, from - along, along - to});
    return across + beyond <= 1;
}

bool lit(int digit, int x, int y)
{
    // The glyph leans right as it rises, in whole-pixel steps so every
    // stroke stays three pixels wide.
    const int ux = x - int(std::lround(slant * (bottom - y)));
    for (int s = 0; s < 7; ++s)
        if ((patterns[digit] >> s & 1) && inSegment(segments[s], ux, y))
            return true;
    return false;
}

QImage strip()
{
    QImage image = blank({10 * cellW, cellH});
    QPainter p(&image);
    for (int cell = 0; cell < 10; ++cell) {
        const int digit = (cell + 1) % 10;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                if (!lit(digit, x, y))
                    continue;
                // Hot core of each stroke, redder edges, warmer at the top.
                int inner = 0;
                for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                    inner += lit(digit, x + dx, y + dy);
                const double rise = double(bottom - y) / (bottom - top);
                int green = int(std::lround(70 + 60 * rise)) + (inner == 4 ? 75 : -45);
                green = std::clamp(green, 7, 208);
                p.setPen(QColor(255, green, 0));
                p.drawPoint(cell * cellW + x, y);
            }
        }
    }
    return image;
}

} // namespace digits

bool isBlackOrWhite(QRgb c) { return c == black || c == white; }

// The conventions the board's compositing relies on, checked before saving.
bool checkPair(const QString &name, const QImage &sprite, const QImage &mask, QTextStream &err)
{
    bool ok = sprite.size() == mask.size();
    for (int y = 0; ok && y < mask.height(); ++y)
        for (int x = 0; ok && x < mask.width(); ++x) {
            const QRgb m = mask.pixel(x, y);
            if (!isBlackOrWhite(m) || (m == white && sprite.pixel(x, y) != black)) {
                err << name << ": mask or sprite wrong at " << x << "," << y << "\n";
                ok = false;
            }
        }
    return ok;
}

bool save(const QImage &image, const QString &path, QTextStream &err)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    if (image.convertToFormat(QImage::Format_RGB32).save(path, "PNG"))
        return true;
    err << "cannot write " << path << "\n";
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_art <assets folder>\n";
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    if (QFontInfo(font).family() != QLatin1String("Liberation Sans")) {
        err << "Liberation Sans is needed (package fonts-liberation)\n";
        return 1;
    }

    bool ok = true;
    const QImage lightMask = ellipseMask({lightSize, lightSize}, lightCentre, lightRadius, lightRadius);
    struct Lamp { const char *name; QColor unlit, lit; };
    const std::array<Lamp, 4> lamps{{{"Red", QColor(51, 0, 0), QColor(255, 0, 0)},
                                     {"Yellow", QColor(102, 51, 0), QColor(255, 255, 0)},
                                     {"Blue", QColor(0, 0, 102), QColor(0, 0, 255)},
                                     {"Green", QColor(0, 51, 0), QColor(0, 255, 0)}}};
    for (const Lamp &lamp : lamps) {
        for (bool on : {false, true}) {
            const QString name = QStringLiteral("pic%1%2").arg(QLatin1String(lamp.name),
                                                                on ? QLatin1String("On") : QLatin1String("Off"));
            const QImage picture = light(on ? lamp.lit : lamp.unlit, on, lightMask);
            ok = checkPair(name, picture, lightMask, err) && ok;
            ok = save(picture, out + "/art/" + name + ".png", err) && ok;
        }
    }
    ok = save(lightMask, out + "/art/picLightMask.png", err) && ok;

    const QImage indentMask = ellipseMask({indentSize, indentSize}, indentCentre, indentRadius, indentRadius);
    const QImage socket = indent(indentMask);
    ok = checkPair(QStringLiteral("picIndent"), socket, indentMask, err) && ok;
    ok = save(socket, out + "/art/picIndent.png", err) && ok;
    ok = save(indentMask, out + "/art/picIndentMask.png", err) && ok;

    const QImage buttonMask = ellipseMask(buttonSize, QPointF(buttonSize.width() / 2.0, buttonSize.height() / 2.0),
                                          buttonSize.width() / 2.0, buttonSize.height() / 2.0);
    // The button in English and, named with a language suffix, in each translation's
    // language; the board takes the one of the language it speaks.
    struct Caption { const char *suffix, *text; };
    for (const Caption &caption : {Caption{"", "New Game"}, Caption{"_de", "Neues Spiel"},
                                   Caption{"_es", "Nueva\npartida"}, Caption{"_fr", "Nouvelle\npartie"}}) {
        for (bool down : {false, true}) {
            const QString name = (down ? QStringLiteral("picNewDown") : QStringLiteral("picNewUp"))
                                 + QLatin1String(caption.suffix);
            const QImage button = newButton(down, buttonMask, font, QString::fromUtf8(caption.text));
            ok = checkPair(name, button, buttonMask, err) && ok;
            ok = save(button, out + "/art/" + name + ".png", err) && ok;
        }
    }
    ok = save(buttonMask, out + "/art/picNewGameMask.png", err) && ok;

    ok = AppIcon::write(out + QStringLiteral("/icon"), err) && ok;

    ok = save(digits::strip(), out + "/digits.png", err) && ok;
    return ok ? 0 : 1;
}
