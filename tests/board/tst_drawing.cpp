#include "board/frmMain.h"
#include "platform/input/HotSpot.h"
#include "platform/input/HotSpotRouter.h"
#include "platform/widgets/Surface.h"
#include "support/BoardProbe.h"
#include "support/TestBoard.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

// The board picture: masked stamps into the persistent image, and where things lie.
class TestDrawing : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBoard> t;
    BoardProbe &probe() { return *t->probe; }
    const QImage &image() { return probe().surface().image(); }
    const QImage &mask() { return probe().picture("picLightMask"); }

    // Pixels where two images differ, in board coordinates.
    static QList<QPoint> differences(const QImage &a, const QImage &b)
    {
        QList<QPoint> out;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    out.append(QPoint(x, y));
        return out;
    }

private slots:
    void init() { t = std::make_unique<TestBoard>(); }
    void cleanup() { t.reset(); }

    void lightStampsChangeOnlyTheirShapeAndLightOffRestoresIt_data()
    {
        QTest::addColumn<qint16>("index");
        QTest::addColumn<QString>("lit");
        const char *pictures[] = {"picRedOn", "picYellowOn", "picBlueOn", "picGreenOn"};
        for (qint16 i = 0; i < 4; ++i)
            QTest::addRow("light %d", i) << i << QString::fromLatin1(pictures[i]);
    }
    void lightStampsChangeOnlyTheirShapeAndLightOffRestoresIt()
    {
        // Stamps replace the pixels inside the mask, so repeating one changes nothing;
        // outside the mask's black shape a stamp only ORs in non-black sprite pixels.
        QFETCH(qint16, index);
        QFETCH(QString, lit);
        const QImage unlit = image().copy();
        probe().lightOn(index);
        const QImage once = image().copy();
        const QPoint at = probe().lightPosition(index);
        for (const QPoint &p : differences(once, unlit)) {
            const QPoint local = p - at;
            QVERIFY(QRect(QPoint(0, 0), mask().size()).contains(local));
            if (mask().pixel(local) == qRgb(255, 255, 255))
                QCOMPARE(once.pixel(p), unlit.pixel(p) | probe().picture(qPrintable(lit)).pixel(local));
        }
        probe().lightOn(index);
        QCOMPARE(image(), once);
        QVERIFY(once != unlit);
        probe().lightOff(index);
        for (const QPoint &p : differences(image(), unlit)) {
            // Only non-black lit pixels outside the mask's shape may have stayed.
            QCOMPARE(mask().pixel(p - at), qRgb(255, 255, 255));
        }
        for (int y = 0; y < mask().height(); ++y)
            for (int x = 0; x < mask().width(); ++x)
                if (mask().pixel(x, y) == qRgb(0, 0, 0))
                    QCOMPARE(image().pixel(at + QPoint(x, y)), unlit.pixel(at + QPoint(x, y)));
    }

    void indexOutsideTheLightsDrawsNothingButRefreshes_data()
    {
        QTest::addColumn<qint16>("index");
        QTest::addColumn<bool>("on");
        QTest::newRow("LightOff -1") << qint16(-1) << false;
        QTest::newRow("LightOn 4") << qint16(4) << true;
        QTest::newRow("LightOn -32768") << qint16(-32768) << true;
    }
    void indexOutsideTheLightsDrawsNothingButRefreshes()
    {
        // Any other index changes no pixel, yet the window is refreshed.
        QFETCH(qint16, index);
        QFETCH(bool, on);
        const QImage before = image().copy();
        QSignalSpy refreshed(&probe().surface(), &Surface::refreshed);
        on ? probe().lightOn(index) : probe().lightOff(index);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(image(), before);
    }

    void theNewGameButtonShowsPressedWhileHeldAndKeepsItsCorners()
    {
        // Press and release on the button: down picture while held, up after, and the
        // corners outside the oval keep the board's pixels.
        const QImage before = image().copy();
        const QRect button(167, 194, 98, 43);
        const QImage &buttonMask = probe().picture("picNewGameMask");
        QTest::mousePress(&probe().surface(), Qt::LeftButton, {}, QPoint(200, 215));
        const QImage down = image().copy();
        QVERIFY(down != before);
        for (const QPoint &p : differences(down, before)) {
            QVERIFY(button.contains(p));
            QCOMPARE(buttonMask.pixel(p - button.topLeft()), qRgb(0, 0, 0));
            QCOMPARE(down.pixel(p), probe().picture("picNewDown").pixel(p - button.topLeft()));
        }
        QCOMPARE(down.pixel(button.topLeft()), before.pixel(button.topLeft()));
        QTest::mouseRelease(&probe().surface(), Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(image(), before);
        // The release started a game.
        QVERIFY(probe().lblGameOver().isHidden());
    }

    void boardIsComposedBeforeItIsShown()
    {
        // Start-up draws sockets, unlit lights and the released button into the image.
        QVERIFY(!t->board->isVisible());
        QCOMPARE(probe().litLights(), 0);
        const QImage &indent = probe().picture("picIndent");
        const QImage &indentMask = probe().picture("picIndentMask");
        // A socket pixel outside the light's shape shows the socket picture.
        const QPoint ring(8, 94);
        QCOMPARE(indentMask.pixel(ring), qRgb(0, 0, 0));
        QCOMPARE(mask().pixel(ring + QPoint(6, 6)), qRgb(255, 255, 255));
        for (const QPoint cell : {QPoint(20, 20), QPoint(220, 20), QPoint(20, 220), QPoint(220, 220)})
            QCOMPARE(image().pixel(cell + ring), indent.pixel(ring));
        QCOMPARE(image().pixel(200, 215), probe().picture("picNewUp").pixel(200 - 167, 215 - 194));
        QCOMPARE(image().pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image().size(), QSize(426, 447));
    }

    void hotSpotsLieWhereTheBoardGeometrySays_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRectF>("geometry");
        QTest::addColumn<QString>("name");
        QTest::newRow("red") << 0 << QRectF(40, 40, 160, 160) << "Red light";
        QTest::newRow("yellow") << 1 << QRectF(240, 40, 160, 160) << "Yellow light";
        QTest::newRow("blue") << 2 << QRectF(40, 240, 160, 160) << "Blue light";
        QTest::newRow("green") << 3 << QRectF(240, 240, 160, 160) << "Green light";
        QTest::newRow("New Game") << 4 << QRectF(167, 194.5, 98, 43) << "New Game";
    }
    void hotSpotsLieWhereTheBoardGeometrySays()
    {
        // PlaceHotSpots: 20 in from each cell, 40 smaller than a light; the button on its
        // half pixel. Each carries its accessible name.
        QFETCH(int, index);
        QFETCH(QRectF, geometry);
        QFETCH(QString, name);
        const HotSpot &spot = index < 4 ? probe().imgClick(index) : probe().imgNew();
        QCOMPARE(spot.geometry(), geometry);
        QCOMPARE(spot.accessibleName(), name);
    }

    void labelsAndCounterSitAtTheirDesignedPlaces()
    {
        // The fixed design of the board: nothing follows the window's size.
        QCOMPARE(probe().lblGameOver().geometry(), QRect(20, 416, 121, 33));
        QCOMPARE(probe().label1().geometry(), QRect(220, 416, 121, 33));
        QCOMPARE(probe().lblGameOver().text(), QStringLiteral("Game Over"));
        QCOMPARE(probe().label1().text(), QStringLiteral("Level:"));
        QCOMPARE(probe().lblGameOver().palette().color(QPalette::WindowText), QColor(192, 0, 0));
        QCOMPARE(probe().label1().palette().color(QPalette::WindowText), QColor(255, 255, 0));
        t->board->show();
        t->board->resize(900, 900);
        QCOMPARE(probe().lblGameOver().geometry(), QRect(20, 416, 121, 33));
        QCOMPARE(probe().surface().mapTo(t->board.get(), QPoint(0, 0)).x(), 0);
    }

    void aClickOnTheSocketRingReachesNoHotSpot()
    {
        // Light 0's hot-spot covers 40..199; the ring around it takes nothing.
        QCOMPARE(probe().router().hotSpotAt(QPointF(39, 100)), nullptr);
        probe().imgClick(0).setEnabled(true);
        QCOMPARE(probe().router().hotSpotAt(QPointF(40, 40)), &probe().imgClick(0));
        QCOMPARE(probe().router().hotSpotAt(QPointF(199, 150)), &probe().imgClick(0));
        QCOMPARE(probe().router().hotSpotAt(QPointF(199, 199)), &probe().imgNew());
    }
};

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
