#include "platform/session/AfterFirstFrame.h"

#include <QTest>
#include <QWidget>

#include <memory>

namespace {

class PaintedWindow final : public QWidget
{
public:
    int paints{};

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

} // namespace

// Work that the first sight of the window does not need comes after its first frame.
class TestAfterFirstFrame : public QObject
{
    Q_OBJECT

private slots:
    void theTaskRunsOnceAfterTheFirstWindowHasBeenPainted()
    {
        // Not while the window is only built; once it has painted, and only once.
        PaintedWindow window;
        int runs = 0;
        int paintsBeforeTheTask = -1;
        const AfterFirstFrame after([&] {
            ++runs;
            paintsBeforeTheTask = window.paints;
        });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(runs, 1);
        QVERIFY(paintsBeforeTheTask > 0);

        PaintedWindow second;
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&second));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void droppedBeforeTheFirstFrameItRunsNothing()
    {
        // Its owner gone, the task must not run on what the owner left behind.
        int runs = 0;
        std::make_unique<AfterFirstFrame>([&] { ++runs; }).reset();
        PaintedWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestAfterFirstFrame)
#include "tst_afterfirstframe.moc"
