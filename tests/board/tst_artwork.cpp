// The committed artwork: sizes, the black-shape / white-elsewhere mask
// convention the board's AND/OR stamps rely on, the lights' colours, the
// socket and button shading, the icon and the counter's digit strip.

#include "platform/session/App.h"
#include "support/BoardProbe.h"
#include "support/Pixels.h"
#include "support/TestBoard.h"
#include "support/TestFiles.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

QString assetPath(const QString &relative)
{
    return TestFiles::source(QStringLiteral("assets/") + relative);
}

QImage loadAsset(const QString &relative, QImage::Format format = QImage::Format_RGB32)
{
    return QImage(assetPath(relative)).convertToFormat(format);
}

QImage art(const QString &name) { return loadAsset(QStringLiteral("art/%1.png").arg(name)); }

double luminance(QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); }

// Bounding box of a mask's black shape.
QRect shapeOf(const QImage &mask)
{
    QRect box;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.pixel(x, y) == qRgb(0, 0, 0))
                box |= QRect(x, y, 1, 1);
    return box;
}

double meanLuminanceInside(const QImage &sprite, const QImage &mask)
{
    double sum = 0;
    int count = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            if (mask.pixel(x, y) == qRgb(0, 0, 0)) {
                sum += luminance(sprite.pixel(x, y));
                ++count;
            }
    return count ? sum / count : 0;
}

// Mean luminance of a picture where its mask is black and ring allows, over the top-left
// and over the bottom-right quarter round centre; ring takes the pixel's offset from it.
std::pair<double, double> cornerLuminance(const QImage &picture, const QImage &mask, QPointF centre,
                                          const std::function<bool(double dx, double dy)> &ring)
{
    double topLeft = 0, bottomRight = 0;
    int nTopLeft = 0, nBottomRight = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
            if (mask.pixel(x, y) != qRgb(0, 0, 0) || !ring(dx, dy))
                continue;
            if (dx < 0 && dy < 0) {
                topLeft += luminance(picture.pixel(x, y));
                ++nTopLeft;
            } else if (dx > 0 && dy > 0) {
                bottomRight += luminance(picture.pixel(x, y));
                ++nBottomRight;
            }
        }
    return {nTopLeft ? topLeft / nTopLeft : 0, nBottomRight ? bottomRight / nBottomRight : 0};
}

bool isGreenLettering(QRgb c) { return qGreen(c) > qRed(c) + 40 && qGreen(c) > qBlue(c) + 40; }

const QList<int> iconSizes{16, 32, 48, 64, 128, 256};

// The scalable icon as a desktop's SVG renderer draws it at a size.
QImage renderedSvg(const QString &file, int size)
{
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"), {QStringLiteral("--width"), QString::number(size),
                                                 QStringLiteral("--height"), QString::number(size), file});
    if (!rsvg.waitForFinished(30000) || rsvg.exitStatus() != QProcess::NormalExit || rsvg.exitCode() != 0)
        return {};
    return QImage::fromData(rsvg.readAllStandardOutput(), "PNG");
}

const QStringList lightNames{QStringLiteral("picRedOff"),    QStringLiteral("picRedOn"),
                             QStringLiteral("picYellowOff"), QStringLiteral("picYellowOn"),
                             QStringLiteral("picBlueOff"),   QStringLiteral("picBlueOn"),
                             QStringLiteral("picGreenOff"),  QStringLiteral("picGreenOn")};

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPictureHasItsSizeAndIsOpaque_data();
    void everyPictureHasItsSizeAndIsOpaque();
    void theBoardEmbedsEveryPictureAsCommitted_data();
    void theBoardEmbedsEveryPictureAsCommitted();
    void masksHoldOnlyPureBlackAndWhite_data();
    void masksHoldOnlyPureBlackAndWhite();
    void maskShapesAreSolidOvalsWhereTheBoardExpectsThem_data();
    void maskShapesAreSolidOvalsWhereTheBoardExpectsThem();
    void spritesAreBlackWhereverTheirMaskIsWhite_data();
    void spritesAreBlackWhereverTheirMaskIsWhite();
    void lightCentresHaveTheirColours_data();
    void lightCentresHaveTheirColours();
    void litLightsGlowAtLeastTwiceAsBrightAsUnlit_data();
    void litLightsGlowAtLeastTwiceAsBrightAsUnlit();
    void lightSitsConcentricallyInsideItsSocket();
    void socketWallIsDarkTopLeftAndLightBottomRight();
    void buttonIsLitFromOppositeCornersUpAndDown_data();
    void buttonIsLitFromOppositeCornersUpAndDown();
    void pressedButtonLetteringMovesOnePixelDownRight();
    void digitStripHoldsOnlyOrangeRedGlyphsInsideTheirBounds();
    void digitCellsAreTenDistinctGlyphsInTheOrderOneToNineThenZero();
    void iconShowsTheFourLightsInBoardOrder_data();
    void iconShowsTheFourLightsInBoardOrder();
    void iconIsTransparentAroundTheLightsAndOpaqueOnThem_data();
    void iconIsTransparentAroundTheLightsAndOpaqueOnThem();
    void scalableIconLooksLikeThePictures_data();
    void scalableIconLooksLikeThePictures();
};

void TestArtwork::initTestCase()
{
    // The committed files are found through the source tree that ctest names.
    QVERIFY2(QFile::exists(assetPath(QStringLiteral("digits.png"))),
             "TESSALY_SOURCE_DIR must name the source tree (run through ctest)");
}

void TestArtwork::everyPictureHasItsSizeAndIsOpaque_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    for (const QString &name : lightNames)
        QTest::newRow(qPrintable(name)) << QStringLiteral("art/%1.png").arg(name) << QSize(200, 200);
    for (const char *name : {"picLightMask", "picIndent", "picIndentMask"})
        QTest::newRow(name) << QStringLiteral("art/%1.png").arg(QLatin1String(name)) << QSize(200, 200);
    for (const char *name : {"picNewUp", "picNewDown", "picNewGameMask", "picNewUp_de", "picNewDown_de", "picNewUp_fr",
                             "picNewDown_fr", "picNewUp_es", "picNewDown_es"})
        QTest::newRow(name) << QStringLiteral("art/%1.png").arg(QLatin1String(name)) << QSize(98, 43);
    QTest::newRow("digits") << QStringLiteral("digits.png") << QSize(200, 30);
}

void TestArtwork::everyPictureHasItsSizeAndIsOpaque()
{
    // Pictures are taken at full size from (0, 0), so a wrong size shifts the board.
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const QImage image(assetPath(file));
    QVERIFY2(!image.isNull(), qPrintable(assetPath(file)));
    QCOMPARE(image.size(), size);
    QVERIFY(!image.hasAlphaChannel());
}

void TestArtwork::theBoardEmbedsEveryPictureAsCommitted_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("language");
    for (const QString &name : lightNames)
        QTest::newRow(qPrintable(name)) << QStringLiteral("art/%1.png").arg(name) << QString();
    for (const char *name : {"picLightMask", "picIndent", "picIndentMask", "picNewUp", "picNewDown",
                             "picNewGameMask"})
        QTest::newRow(name) << QStringLiteral("art/%1.png").arg(QLatin1String(name)) << QString();
    // The button's caption is part of its picture: a translated board takes its language's.
    for (const char *language : {"de", "fr", "es"}) {
        for (const char *name : {"picNewUp", "picNewDown"})
            QTest::addRow("%s_%s", name, language)
                << QStringLiteral("art/%1_%2.png").arg(QLatin1String(name), QLatin1String(language))
                << QString::fromLatin1(language);
    }
    for (const char *file : {"tessaly-16.png", "tessaly-32.png"})
        QTest::newRow(file) << QStringLiteral("icon/%1").arg(QLatin1String(file)) << QString();
}

void TestArtwork::theBoardEmbedsEveryPictureAsCommitted()
{
    // The game reads its pictures from the resources, not from the source tree: the
    // artwork as raw pixels made from the committed PNGs at build time, in the board's
    // language, the icons as they are.
    QFETCH(QString, file);
    QFETCH(QString, language);
    if (file.startsWith(QLatin1String("art/"))) {
        App::setLanguage(language);
        const TestBoard board;
        App::setLanguage({});
        const QString base = QFileInfo(file).completeBaseName();
        const QString picture = language.isEmpty() ? base : base.chopped(language.size() + 1);
        QCOMPARE(board.probe->picture(qPrintable(picture)), loadAsset(file));
        return;
    }
    const QByteArray embedded = TestFiles::read(QStringLiteral(":/") + file);
    QVERIFY2(!embedded.isEmpty(), qPrintable(file));
    QVERIFY(embedded == TestFiles::read(assetPath(file)));
}

void TestArtwork::masksHoldOnlyPureBlackAndWhite_data()
{
    QTest::addColumn<QString>("mask");
    QTest::newRow("light") << QStringLiteral("picLightMask");
    QTest::newRow("indent") << QStringLiteral("picIndentMask");
    QTest::newRow("button") << QStringLiteral("picNewGameMask");
}

void TestArtwork::masksHoldOnlyPureBlackAndWhite()
{
    // A grey mask pixel would leave part of the board's old colour under the sprite.
    QFETCH(QString, mask);
    const QImage image = art(mask);
    const int grey = image.width() * image.height() - Pixels::count(image, qRgb(0, 0, 0)) - Pixels::count(image, qRgb(255, 255, 255));
    QVERIFY2(grey == 0, qPrintable(QStringLiteral("%1 grey pixels").arg(grey)));
}

void TestArtwork::maskShapesAreSolidOvalsWhereTheBoardExpectsThem_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("light") << QStringLiteral("picLightMask") << QRect(QPoint(25, 25), QPoint(172, 180)) << 6;
    QTest::newRow("indent") << QStringLiteral("picIndentMask") << QRect(QPoint(0, 0), QPoint(187, 187)) << 1;
    QTest::newRow("button") << QStringLiteral("picNewGameMask") << QRect(0, 0, 98, 43) << 0;
}

void TestArtwork::maskShapesAreSolidOvalsWhereTheBoardExpectsThem()
{
    // The hot-spots and the ring round each light assume these shapes.
    QFETCH(QString, mask);
    QFETCH(QRect, expected);
    QFETCH(int, tolerance);
    const QImage image = art(mask);
    const QRect shape = shapeOf(image);
    QVERIFY2(std::abs(shape.left() - expected.left()) <= tolerance, qPrintable(QString::number(shape.left())));
    QVERIFY2(std::abs(shape.right() - expected.right()) <= tolerance, qPrintable(QString::number(shape.right())));
    QVERIFY2(std::abs(shape.top() - expected.top()) <= tolerance, qPrintable(QString::number(shape.top())));
    QVERIFY2(std::abs(shape.bottom() - expected.bottom()) <= tolerance, qPrintable(QString::number(shape.bottom())));
    // Solid and oval: one black run a row, widest in the middle, white corners.
    int widest = 0;
    for (int y = shape.top(); y <= shape.bottom(); ++y) {
        int runs = 0, width = 0;
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = image.pixel(x, y) == qRgb(0, 0, 0);
            if (inside && (x == 0 || image.pixel(x - 1, y) != qRgb(0, 0, 0)))
                ++runs;
            width += inside;
        }
        QCOMPARE(runs, 1);
        widest = std::max(widest, width);
        if (y == shape.center().y())
            QCOMPARE(width, widest);
    }
    for (QPoint corner : {shape.topLeft(), shape.topRight(), shape.bottomLeft(), shape.bottomRight()})
        QCOMPARE(image.pixel(corner), qRgb(255, 255, 255));
}

void TestArtwork::spritesAreBlackWhereverTheirMaskIsWhite_data()
{
    QTest::addColumn<QString>("sprite");
    QTest::addColumn<QString>("mask");
    for (const QString &name : lightNames)
        QTest::newRow(qPrintable(name)) << name << QStringLiteral("picLightMask");
    QTest::newRow("picIndent") << QStringLiteral("picIndent") << QStringLiteral("picIndentMask");
    for (const char *name : {"picNewUp", "picNewDown", "picNewUp_de", "picNewDown_de", "picNewUp_fr", "picNewDown_fr",
                             "picNewUp_es", "picNewDown_es"})
        QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("picNewGameMask");
}

void TestArtwork::spritesAreBlackWhereverTheirMaskIsWhite()
{
    // Any colour there would be ORed onto the board around the shape.
    QFETCH(QString, sprite);
    QFETCH(QString, mask);
    const QImage picture = art(sprite);
    const QImage shape = art(mask);
    QCOMPARE(picture.size(), shape.size());
    int drawn = 0, inside = 0;
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x) {
            if (shape.pixel(x, y) == qRgb(255, 255, 255)) {
                if (picture.pixel(x, y) != qRgb(0, 0, 0))
                    QFAIL(qPrintable(QStringLiteral("(%1, %2) is not black").arg(x).arg(y)));
            } else {
                ++inside;
                drawn += picture.pixel(x, y) != qRgb(0, 0, 0);
            }
        }
    // And the shape itself is painted, not left black.
    QVERIFY2(drawn > inside * 95 / 100, qPrintable(QStringLiteral("%1 of %2").arg(drawn).arg(inside)));
}

void TestArtwork::lightCentresHaveTheirColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("centre");
    const QList<QColor> colours{QColor(51, 0, 0),  QColor(255, 0, 0), QColor(102, 51, 0), QColor(255, 255, 0),
                                QColor(0, 0, 102), QColor(0, 0, 255), QColor(0, 51, 0),   QColor(0, 255, 0)};
    for (int i = 0; i < lightNames.size(); ++i)
        QTest::newRow(qPrintable(lightNames[i])) << lightNames[i] << colours[i];
}

void TestArtwork::lightCentresHaveTheirColours()
{
    // The player tells the four lights, lit and unlit, apart by these colours.
    QFETCH(QString, name);
    QFETCH(QColor, centre);
    const QImage picture = art(name);
    const QPoint middle = shapeOf(art(QStringLiteral("picLightMask"))).center();
    double r = 0, g = 0, b = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QRgb c = picture.pixel(middle + QPoint(dx, dy));
            r += qRed(c) / 25.0;
            g += qGreen(c) / 25.0;
            b += qBlue(c) / 25.0;
        }
    const QString seen = QStringLiteral("%1, %2, %3").arg(r).arg(g).arg(b);
    QVERIFY2(std::abs(r - centre.red()) <= 45, qPrintable(seen));
    QVERIFY2(std::abs(g - centre.green()) <= 45, qPrintable(seen));
    QVERIFY2(std::abs(b - centre.blue()) <= 45, qPrintable(seen));
}

void TestArtwork::litLightsGlowAtLeastTwiceAsBrightAsUnlit_data()
{
    QTest::addColumn<QString>("colour");
    for (const char *colour : {"Red", "Yellow", "Blue", "Green"})
        QTest::newRow(colour) << QString::fromLatin1(colour);
}

void TestArtwork::litLightsGlowAtLeastTwiceAsBrightAsUnlit()
{
    // A press or a playback step must be plain to see.
    QFETCH(QString, colour);
    const QImage mask = art(QStringLiteral("picLightMask"));
    const double lit = meanLuminanceInside(art(QStringLiteral("pic%1On").arg(colour)), mask);
    const double unlit = meanLuminanceInside(art(QStringLiteral("pic%1Off").arg(colour)), mask);
    QVERIFY(unlit > 0);
    QVERIFY2(lit >= 2 * unlit, qPrintable(QStringLiteral("lit %1, unlit %2").arg(lit).arg(unlit)));
}

void TestArtwork::lightSitsConcentricallyInsideItsSocket()
{
    // The light is stamped 6 px up-left of its socket and must leave an even ring.
    const QRectF light = QRectF(shapeOf(art(QStringLiteral("picLightMask")))).translated(14, 14);
    const QRectF socket = QRectF(shapeOf(art(QStringLiteral("picIndentMask")))).translated(20, 20);
    QVERIFY(std::abs(light.center().x() - socket.center().x()) <= 2.0);
    QVERIFY(std::abs(light.center().y() - socket.center().y()) <= 2.0);
    QVERIFY(light.left() - socket.left() >= 8);
    QVERIFY(light.top() - socket.top() >= 8);
    QVERIFY(socket.right() - light.right() >= 8);
    QVERIFY(socket.bottom() - light.bottom() >= 8);
}

void TestArtwork::socketWallIsDarkTopLeftAndLightBottomRight()
{
    // A hole lit from the top left: its far (bottom-right) wall catches the light.
    const QImage mask = art(QStringLiteral("picIndentMask"));
    // Only the ring the light leaves visible.
    const auto [topLeft, bottomRight] = cornerLuminance(art(QStringLiteral("picIndent")), mask,
                                                        QRectF(shapeOf(mask)).center() + QPointF(0.5, 0.5),
                                                        [](double dx, double dy) { return std::hypot(dx, dy) >= 80; });
    QVERIFY(topLeft > 0 && bottomRight > 0);
    QVERIFY2(bottomRight > 1.5 * topLeft, qPrintable(QStringLiteral("%1 vs %2").arg(topLeft).arg(bottomRight)));
}

void TestArtwork::buttonIsLitFromOppositeCornersUpAndDown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("topLeftBrighter");
    QTest::newRow("released") << QStringLiteral("picNewUp") << true;
    QTest::newRow("pressed") << QStringLiteral("picNewDown") << false;
}

void TestArtwork::buttonIsLitFromOppositeCornersUpAndDown()
{
    // The bevel flips when pressed, which is what makes the press visible.
    QFETCH(QString, name);
    QFETCH(bool, topLeftBrighter);
    const QImage button = art(name);
    // The bevel: the outer band of the oval, away from the lettering.
    const double rx = button.width() / 2.0, ry = button.height() / 2.0;
    const auto [topLeft, bottomRight] =
        cornerLuminance(button, art(QStringLiteral("picNewGameMask")), QPointF(rx, ry),
                        [rx, ry](double dx, double dy) { return (dx / rx) * (dx / rx) + (dy / ry) * (dy / ry) >= 0.75; });
    QVERIFY2(topLeftBrighter ? topLeft > bottomRight * 1.3 : bottomRight > topLeft * 1.3,
             qPrintable(QStringLiteral("%1 vs %2").arg(topLeft).arg(bottomRight)));
}

void TestArtwork::pressedButtonLetteringMovesOnePixelDownRight()
{
    // "New Game" in green, nudged down-right when pressed like a real key.
    QPointF centroid[2];
    int count[2]{};
    const QImage buttons[2]{art(QStringLiteral("picNewUp")), art(QStringLiteral("picNewDown"))};
    for (int i = 0; i < 2; ++i) {
        for (int y = 0; y < buttons[i].height(); ++y)
            for (int x = 0; x < buttons[i].width(); ++x)
                if (isGreenLettering(buttons[i].pixel(x, y))) {
                    centroid[i] += QPointF(x, y);
                    ++count[i];
                }
        QVERIFY2(count[i] >= 80, qPrintable(QString::number(count[i])));
        centroid[i] /= count[i];
    }
    const QPointF moved = centroid[1] - centroid[0];
    QVERIFY2(moved.x() > 0.5 && moved.x() < 1.5 && moved.y() > 0.5 && moved.y() < 1.5,
             qPrintable(QStringLiteral("%1, %2").arg(moved.x()).arg(moved.y())));
    // Centred on the button.
    QVERIFY(std::abs(centroid[0].x() - 49) < 4);
    QVERIFY(std::abs(centroid[0].y() - 21.5) < 4);
}

void TestArtwork::digitStripHoldsOnlyOrangeRedGlyphsInsideTheirBounds()
{
    // The counter copies whole cells; stray pixels would show between digits.
    const QImage strip = loadAsset(QStringLiteral("digits.png"));
    QCOMPARE(strip.size(), QSize(200, 30));
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb c = strip.pixel(x, y);
            if (c == qRgb(0, 0, 0))
                continue;
            const int cx = x % 20;
            const QString where = QStringLiteral("(%1, %2) %3").arg(x).arg(y).arg(c, 8, 16);
            QVERIFY2(cx >= 2 && cx <= 17 && y >= 5 && y <= 24, qPrintable(where));
            QVERIFY2(qRed(c) == 255 && qBlue(c) == 0 && qGreen(c) >= 7 && qGreen(c) <= 208, qPrintable(where));
        }
}

void TestArtwork::digitCellsAreTenDistinctGlyphsInTheOrderOneToNineThenZero()
{
    // DrawDigit picks cell d - 1 for 1..9 and cell 9 for 0.
    const QImage strip = loadAsset(QStringLiteral("digits.png"));
    QList<QImage> cells;
    QList<int> litCount;
    for (int k = 0; k < 10; ++k) {
        cells << strip.copy(k * 20, 0, 20, 30);
        litCount << 20 * 30 - Pixels::count(cells[k], qRgb(0, 0, 0));
    }
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
            QVERIFY2(cells[a] != cells[b], qPrintable(QStringLiteral("cells %1 and %2").arg(a).arg(b)));
    // "1" has the fewest lit pixels and "8" the most.
    QCOMPARE(std::min_element(litCount.begin(), litCount.end()) - litCount.begin(), 0);
    QCOMPARE(std::max_element(litCount.begin(), litCount.end()) - litCount.begin(), 7);
}

void TestArtwork::iconShowsTheFourLightsInBoardOrder_data()
{
    QTest::addColumn<int>("size");
    for (int size : iconSizes)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestArtwork::iconShowsTheFourLightsInBoardOrder()
{
    // Red, yellow / blue, green, as on the board, even at 16 px.
    QFETCH(int, size);
    const QImage icon = loadAsset(QStringLiteral("icon/tessaly-%1.png").arg(size));
    QCOMPARE(icon.size(), QSize(size, size));
    const int q = size / 4;
    const QRgb red = icon.pixel(q, q), yellow = icon.pixel(3 * q, q);
    const QRgb blue = icon.pixel(q, 3 * q), green = icon.pixel(3 * q, 3 * q);
    QVERIFY(qRed(red) > 180 && qGreen(red) < 100 && qBlue(red) < 100);
    QVERIFY(qRed(yellow) > 180 && qGreen(yellow) > 150 && qBlue(yellow) < 100);
    QVERIFY(qBlue(blue) > 180 && qRed(blue) < 100 && qGreen(blue) < 140);
    QVERIFY(qGreen(green) > 180 && qRed(green) < 100 && qBlue(green) < 100);
}

void TestArtwork::iconIsTransparentAroundTheLightsAndOpaqueOnThem_data()
{
    iconShowsTheFourLightsInBoardOrder_data();
}

void TestArtwork::iconIsTransparentAroundTheLightsAndOpaqueOnThem()
{
    // A menu, dock or task bar shows its own ground around the lights, not a square.
    QFETCH(int, size);
    const QImage icon = QImage(assetPath(QStringLiteral("icon/tessaly-%1.png").arg(size)));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    const int last = size - 1, half = size / 2, q = size / 4;
    for (const QPoint around : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last),
                                QPoint(half, half), QPoint(half, 0), QPoint(0, half)})
        QVERIFY2(qAlpha(icon.pixel(around)) == 0, qPrintable(QStringLiteral("at %1,%2").arg(around.x()).arg(around.y())));
    for (const QPoint light : {QPoint(q, q), QPoint(3 * q, q), QPoint(q, 3 * q), QPoint(3 * q, 3 * q)})
        QCOMPARE(qAlpha(icon.pixel(light)), 255);
}

void TestArtwork::scalableIconLooksLikeThePictures_data()
{
    QTest::addColumn<int>("size");
    // 16 px keeps whole-pixel gaps and rims of its own.
    for (int size : iconSizes.mid(1))
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestArtwork::scalableIconLooksLikeThePictures()
{
    // Drawn at a picture's size, the scalable icon shows that picture: the same lights,
    // sockets and transparent ground, whichever one a desktop picks.
    QFETCH(int, size);
    const QImage picture = loadAsset(QStringLiteral("icon/tessaly-%1.png").arg(size), QImage::Format_ARGB32_Premultiplied);
    const QImage drawn = renderedSvg(assetPath(QStringLiteral("icon/tessaly.svg")), size)
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY2(!drawn.isNull(), "rsvg-convert could not draw the scalable icon");
    QCOMPARE(drawn.size(), picture.size());
    double difference = 0;
    int far = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb a = picture.pixel(x, y), b = drawn.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                    std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            difference += d;
            far += d > 48;
        }
    }
    const double mean = difference / (size * size);
    QVERIFY2(mean < 1.5, qPrintable(QStringLiteral("mean difference %1").arg(mean)));
    QVERIFY2(far <= size * size / 200, qPrintable(QStringLiteral("%1 pixels far apart").arg(far)));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
