// Real window-system mouse handling, so that a disabled control gets no input and
// a double click is recognised as the toolkit recognises it.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "counter/DisplayCounter.h"
#include "platform/store/PropertyBag.h"
#include "platform/widgets/Twips.h"
#include "support/Pixels.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>

#include <memory>

namespace {

const QSize boardSize{73, 29};
const QSize defaultSize{100, 37};
const QColor minusColour{192, 64, 0};
constexpr int cellWidth = 20;
constexpr int cellHeight = 30;

// The control's own pixels, without the minus label drawn over them.
QImage surfacePixels(DisplayCounter &counter)
{
    QImage image(counter.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    counter.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

// What the screen shows: the surface with the label on top.
QImage screenPixels(DisplayCounter &counter)
{
    return counter.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool showsColour(const QImage &image, const QColor &colour)
{
    return Pixels::count(image, colour.rgb()) > 0;
}

// Where the surface is not black outside the row; empty if nowhere.
QString paintedOutside(const QImage &surface, const QRect &row)
{
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (!row.contains(x, y) && surface.pixelColor(x, y) != QColor(Qt::black))
                return QStringLiteral("pixel %1,%2 outside the row is not black").arg(x).arg(y);
        }
    }
    return {};
}

} // namespace

// Fails the test with the helper's description of what differs.
#define VERIFY_NONE(mismatch)                                                                      \
    do {                                                                                           \
        const QString found = (mismatch);                                                          \
        QVERIFY2(found.isEmpty(), qPrintable(found));                                              \
    } while (false)

class TestDisplayCounter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExamplesShowTheirCells_data();
    void workedExamplesShowTheirCells();
    void minusLabelShowsOnlyForNegativeValues();
    void shorterRowLeavesTheOldRowsOuterPixels();
    void numDigitsWidensAndNarrowsTheRowAtOnce();
    void showingAndResizingDrawNothing();
    void refreshDrawsTheCurrentValue();

    void valueIsDrawnBeforeTheContainerIsToldAndNumDigitsAfter_data();
    void valueIsDrawnBeforeTheContainerIsToldAndNumDigitsAfter();
    void enabledTellsTheContainer();

    void savingLeavesOutDefaultValues_data();
    void savingLeavesOutDefaultValues();
    void loadingTakesStoredValuesWithoutDrawing_data();
    void loadingTakesStoredValuesWithoutDrawing();

    void pressAndReleaseReachTheContainer_data();
    void pressAndReleaseReachTheContainer();
    void moveReportsTheHeldButtons();
    void clickAndDoubleClickComeInTheToolkitOrder();
    void releaseAwayFromTheControlIsNoClick();
    void disabledControlRaisesNoEvents_data();
    void disabledControlRaisesNoEvents();

    void classIsPublishedUnderItsIdentifier();
    void screenReadersReadTheNumberShown();

private:
    // Where the row's cells (digits as shown, left to right) at the given pixel
    // position differ from the strip, looking only inside `within`; empty if nowhere.
    QString cellsMismatch(const QImage &surface, int left, int top, const QString &digits,
                          const QRect &within = QRect(0, 0, 10000, 10000)) const;
    void place(QSize size);
    QLabel *minusLabel() const;

    QImage m_strip;
    std::unique_ptr<QWidget> m_window;
    DisplayCounter *m_counter{};
};

void TestDisplayCounter::initTestCase()
{
    Twips::installFontSubstitutes();
    m_strip = QImage(QStringLiteral(":/counter/digits.png")).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(m_strip.size(), QSize(200, 30));
    // Checking which glyph landed where needs cells that differ from each other.
    for (int a = 0; a < 10; ++a) {
        for (int b = a + 1; b < 10; ++b)
            QVERIFY(m_strip.copy(a * cellWidth, 0, cellWidth, cellHeight)
                    != m_strip.copy(b * cellWidth, 0, cellWidth, cellHeight));
    }
}

void TestDisplayCounter::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(426, 447);
    m_counter = new DisplayCounter(m_window.get());
    place(boardSize);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestDisplayCounter::cleanup()
{
    m_window.reset();
    m_counter = nullptr;
}

void TestDisplayCounter::place(QSize size)
{
    m_counter->setGeometry(QRect(QPoint(344, 412), size));
}

QLabel *TestDisplayCounter::minusLabel() const
{
    return m_counter->findChild<QLabel *>(QStringLiteral("lblMinus"));
}

QString TestDisplayCounter::cellsMismatch(const QImage &surface, int left, int top, const QString &digits,
                                          const QRect &within) const
{
    const QRect clip = within & surface.rect();
    for (int i = 0; i < digits.size(); ++i) {
        const int digit = digits.at(i).digitValue();
        const int cell = digit == 0 ? 9 : digit - 1;
        for (int row = 0; row < cellHeight; ++row) {
            for (int col = 0; col < cellWidth; ++col) {
                const QPoint at(left + i * cellWidth + col, top + row);
                if (!clip.contains(at))
                    continue;
                if (surface.pixel(at) != m_strip.pixel(cell * cellWidth + col, row))
                    return QStringLiteral("cell %1 (digit %2) differs at %3,%4")
                        .arg(i).arg(digit).arg(at.x()).arg(at.y());
            }
        }
    }
    return {};
}

void TestDisplayCounter::workedExamplesShowTheirCells_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qint16>("value");
    QTest::addColumn<qint16>("numDigits");
    QTest::addColumn<qint16>("kept");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("minus");

    // Pixel positions worked out by hand from the twips centring (ties to even).
    struct Example { qint16 value; qint16 numDigits; const char *cells; bool minus; };
    const Example examples[] = {{0, 2, "00", false},  {7, 2, "07", false},   {42, 2, "42", false},
                                {123, 2, "123", false}, {-5, 2, "05", true}, {-5, 3, "005", true},
                                {42, 0, "42", false}};
    for (const Example &e : examples) {
        const int n = int(qstrlen(e.cells));
        const int boardLeft = n == 2 ? 17 : 7;
        const int defaultLeft = n == 2 ? 30 : 20;
        QTest::addRow("board %d/%d", e.value, e.numDigits)
            << boardSize << e.value << e.numDigits << e.value << QString::fromLatin1(e.cells) << boardLeft << -1 << e.minus;
        QTest::addRow("default %d/%d", e.value, e.numDigits)
            << defaultSize << e.value << e.numDigits << e.value << QString::fromLatin1(e.cells) << defaultLeft << 3 << e.minus;
    }
    // Values above 999 are shown, and read back, as 999.
    for (const qint16 value : {qint16(1000), qint16(5000), qint16(32767)})
        QTest::addRow("board %d", value) << boardSize << value << qint16(2) << qint16(999) << "999" << 7 << -1 << false;
}

void TestDisplayCounter::workedExamplesShowTheirCells()
{
    // Each worked example shows exactly its cells, centred, and nothing else.
    QFETCH(QSize, size);
    QFETCH(qint16, value);
    QFETCH(qint16, numDigits);
    QFETCH(qint16, kept);
    QFETCH(QString, cells);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, minus);

    place(size);
    m_counter->setNumDigits(numDigits);
    m_counter->setValue(value);

    QCOMPARE(m_counter->value(), kept);
    const QImage surface = surfacePixels(*m_counter);
    VERIFY_NONE(cellsMismatch(surface, left, top, cells));
    VERIFY_NONE(paintedOutside(surface, QRect(left, top, int(cells.size()) * cellWidth, cellHeight)));
    QCOMPARE(!minusLabel()->isHidden(), minus);
}

void TestDisplayCounter::minusLabelShowsOnlyForNegativeValues()
{
    // A negative value shows the minus label at the top-left corner; a positive one hides it.
    const QRect corner(0, 0, 17, 18);  // the label's part of the surface
    QVERIFY(!showsColour(screenPixels(*m_counter).copy(corner), minusColour));

    m_counter->setValue(-1);
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), 17, -1, QStringLiteral("01")));
    QVERIFY(showsColour(screenPixels(*m_counter).copy(corner), minusColour));

    m_counter->setValue(3);
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), 17, -1, QStringLiteral("03")));
    QVERIFY(!showsColour(screenPixels(*m_counter), minusColour));
}

void TestDisplayCounter::shorterRowLeavesTheOldRowsOuterPixels()
{
    // The surface is not cleared: from 123 to 4 the outer halves of 1 and 3 remain.
    m_counter->setValue(123);
    m_counter->setValue(4);
    const QImage surface = surfacePixels(*m_counter);
    VERIFY_NONE(cellsMismatch(surface, 17, -1, QStringLiteral("04")));
    VERIFY_NONE(cellsMismatch(surface, 7, -1, QStringLiteral("123"), QRect(7, 0, 10, 29)));
    VERIFY_NONE(cellsMismatch(surface, 7, -1, QStringLiteral("123"), QRect(57, 0, 10, 29)));
    VERIFY_NONE(paintedOutside(surface, QRect(7, -1, 60, 30)));
}

void TestDisplayCounter::numDigitsWidensAndNarrowsTheRowAtOnce()
{
    // Setting NumDigits redraws at once: 5 pads 42 to 00042, 0 shows 42 over it.
    m_counter->setValue(42);
    m_counter->setNumDigits(5);
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), -13, -1, QStringLiteral("00042")));

    m_counter->setNumDigits(0);
    const QImage surface = surfacePixels(*m_counter);
    VERIFY_NONE(cellsMismatch(surface, 17, -1, QStringLiteral("42")));
    VERIFY_NONE(cellsMismatch(surface, -13, -1, QStringLiteral("00042"), QRect(0, 0, 17, 29)));
    VERIFY_NONE(cellsMismatch(surface, -13, -1, QStringLiteral("00042"), QRect(57, 0, 16, 29)));
}

void TestDisplayCounter::showingAndResizingDrawNothing()
{
    // Until a property is set the control is black; a resize keeps what was drawn.
    VERIFY_NONE(paintedOutside(surfacePixels(*m_counter), QRect()));
    place(defaultSize);
    QCoreApplication::processEvents();
    VERIFY_NONE(paintedOutside(surfacePixels(*m_counter), QRect()));

    m_counter->setValue(42);
    place(QSize(60, 37));
    QCoreApplication::processEvents();
    const QImage surface = surfacePixels(*m_counter);
    QCOMPARE(surface.size(), QSize(60, 37));
    VERIFY_NONE(cellsMismatch(surface, 30, 3, QStringLiteral("42")));
}

void TestDisplayCounter::refreshDrawsTheCurrentValue()
{
    // Refresh draws the value again, centred for the surface's current size.
    m_counter->setValue(7);
    place(defaultSize);
    m_counter->Refresh();
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), 30, 3, QStringLiteral("07")));
}

void TestDisplayCounter::valueIsDrawnBeforeTheContainerIsToldAndNumDigitsAfter_data()
{
    QTest::addColumn<bool>("numDigits");
    // When the container hears of a new value, the value is already drawn.
    QTest::newRow("Value 42") << false;
    // The container hears of a new NumDigits before the row is drawn again.
    QTest::newRow("NumDigits 3 for 42") << true;
}

void TestDisplayCounter::valueIsDrawnBeforeTheContainerIsToldAndNumDigitsAfter()
{
    // What the surface shows when the container is told of each property.
    QFETCH(bool, numDigits);
    if (numDigits)
        m_counter->setValue(42);
    QImage seen;
    QStringList names;
    connect(m_counter, &DisplayCounter::propertyChanged, this, [&](const QString &name) {
        names << name;
        seen = surfacePixels(*m_counter);
    });
    numDigits ? m_counter->setNumDigits(3) : m_counter->setValue(42);
    QCOMPARE(names, QStringList{numDigits ? QStringLiteral("NumDigits") : QStringLiteral("Value")});
    VERIFY_NONE(cellsMismatch(seen, 17, -1, QStringLiteral("42")));
    VERIFY_NONE(paintedOutside(seen, QRect(17, -1, 40, 30)));
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), numDigits ? 7 : 17, -1,
                              numDigits ? QStringLiteral("042") : QStringLiteral("42")));
}

void TestDisplayCounter::enabledTellsTheContainer()
{
    // Changing Enabled tells the container and is read back.
    QSignalSpy changed(m_counter, &DisplayCounter::propertyChanged);
    m_counter->setEnabled(false);
    QVERIFY(!m_counter->Enabled());
    m_counter->setEnabled(true);
    QVERIFY(m_counter->Enabled());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Enabled"));
}

void TestDisplayCounter::savingLeavesOutDefaultValues_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qint16>("value");
    QTest::addColumn<qint16>("numDigits");
    QTest::addColumn<QStringList>("saved");

    QTest::newRow("all defaults") << true << qint16(0) << qint16(2) << QStringList{};
    QTest::newRow("value only") << true << qint16(7) << qint16(2) << QStringList{"Value"};
    QTest::newRow("negative value") << true << qint16(-5) << qint16(2) << QStringList{"Value"};
    QTest::newRow("disabled only") << false << qint16(0) << qint16(2) << QStringList{"Enabled"};
    QTest::newRow("all, in order") << false << qint16(3) << qint16(4)
                                   << QStringList{"Enabled", "Value", "NumDigits"};
}

void TestDisplayCounter::savingLeavesOutDefaultValues()
{
    // Saving writes Enabled, Value, NumDigits in that order, leaving out defaults.
    QFETCH(bool, enabled);
    QFETCH(qint16, value);
    QFETCH(qint16, numDigits);
    QFETCH(QStringList, saved);

    m_counter->setEnabled(enabled);
    m_counter->setNumDigits(numDigits);
    m_counter->setValue(value);
    PropertyBag bag;
    m_counter->WriteProperties(bag);
    QCOMPARE(bag.names(), saved);
    if (bag.contains(QStringLiteral("Value")))
        QCOMPARE(bag.readProperty(QStringLiteral("Value")).toInt(), int(value));
}

void TestDisplayCounter::loadingTakesStoredValuesWithoutDrawing_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<qint16>("value");
    QTest::addColumn<qint16>("numDigits");
    QTest::addColumn<QString>("cells");
    QTest::addColumn<int>("left");

    QTest::newRow("empty bag") << QVariantMap{} << true << qint16(0) << qint16(2) << "00" << 17;
    QTest::newRow("above the limit")
        << QVariantMap{{"Value", 5000}, {"NumDigits", 3}} << true << qint16(5000) << qint16(3) << "5000" << -3;
    QTest::newRow("negative, disabled")
        << QVariantMap{{"Enabled", false}, {"Value", -7}} << false << qint16(-7) << qint16(2) << "07" << 17;
    QTest::newRow("unreadable values")
        << QVariantMap{{"Enabled", "maybe"}, {"Value", "lots"}, {"NumDigits", 40000}}
        << true << qint16(0) << qint16(2) << "00" << 17;
}

void TestDisplayCounter::loadingTakesStoredValuesWithoutDrawing()
{
    // Loading takes values as stored (defaults when missing or unreadable) and draws nothing.
    QFETCH(QVariantMap, stored);
    QFETCH(bool, enabled);
    QFETCH(qint16, value);
    QFETCH(qint16, numDigits);
    QFETCH(QString, cells);
    QFETCH(int, left);

    m_window->hide();
    delete m_counter;
    m_counter = new DisplayCounter(m_window.get());
    m_counter->setEnabled(!enabled);  // loading must overwrite it
    place(boardSize);
    PropertyBag bag;
    for (auto it = stored.cbegin(); it != stored.cend(); ++it)
        bag.writeProperty(it.key(), it.value());
    m_counter->ReadProperties(bag);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    QCOMPARE(m_counter->Enabled(), enabled);
    QCOMPARE(m_counter->value(), value);
    QCOMPARE(m_counter->NumDigits(), numDigits);
    VERIFY_NONE(paintedOutside(surfacePixels(*m_counter), QRect()));
    QVERIFY(minusLabel()->isHidden());

    m_counter->Refresh();
    VERIFY_NONE(cellsMismatch(surfacePixels(*m_counter), left, -1, cells));
    QCOMPARE(!minusLabel()->isHidden(), value < 0);
}

void TestDisplayCounter::pressAndReleaseReachTheContainer_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("buttonCode");
    QTest::addColumn<int>("shiftCode");

    QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers() << QPoint(5, 6) << 1 << 0;
    QTest::newRow("right with shift") << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                      << QPoint(0, 1) << 2 << 1;  // (0, 0) would mean "the centre"
    QTest::newRow("middle with ctrl+alt")
        << Qt::MiddleButton << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << QPoint(72, 28) << 4 << 6;
    QTest::newRow("left with all") << Qt::LeftButton
                                   << Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)
                                   << QPoint(40, 11) << 1 << 7;
}

void TestDisplayCounter::pressAndReleaseReachTheContainer()
{
    // MouseDown and MouseUp reach the container with Button, Shift and X, Y in twips.
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, at);
    QFETCH(int, buttonCode);
    QFETCH(int, shiftCode);

    QSignalSpy down(m_counter, &DisplayCounter::MouseDown);
    QSignalSpy up(m_counter, &DisplayCounter::MouseUp);
    QTest::mousePress(m_counter, button, modifiers, at);
    QCOMPARE(down.count(), 1);
    QCOMPARE(up.count(), 0);
    const QVariantList expected{buttonCode, shiftCode, float(at.x() * 15), float(at.y() * 15)};
    QCOMPARE(down.at(0), expected);
    QTest::mouseRelease(m_counter, button, modifiers, at);
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0), expected);
}

void TestDisplayCounter::moveReportsTheHeldButtons()
{
    // MouseMove comes with and without a button held, Button telling which are held.
    QSignalSpy moved(m_counter, &DisplayCounter::MouseMove);
    QTest::mouseMove(m_counter, QPoint(3, 4));
    QVERIFY(!moved.isEmpty());
    QCOMPARE(moved.last(), (QVariantList{0, 0, 45.0f, 60.0f}));

    QTest::mousePress(m_counter, Qt::RightButton, {}, QPoint(3, 4));
    moved.clear();
    QTest::mouseMove(m_counter, QPoint(10, 20));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.at(0), (QVariantList{2, 0, 150.0f, 300.0f}));
    QTest::mouseRelease(m_counter, Qt::RightButton, {}, QPoint(10, 20));
}

void TestDisplayCounter::clickAndDoubleClickComeInTheToolkitOrder()
{
    // A double click raises MouseDown, MouseUp, Click, DblClick, MouseUp, in that order.
    QStringList log;
    connect(m_counter, &DisplayCounter::MouseDown, this, [&] { log << "MouseDown"; });
    connect(m_counter, &DisplayCounter::MouseUp, this, [&] { log << "MouseUp"; });
    connect(m_counter, &DisplayCounter::Click, this, [&] { log << "Click"; });
    connect(m_counter, &DisplayCounter::DblClick, this, [&] { log << "DblClick"; });

    QTest::mouseClick(m_counter, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(log, (QStringList{"MouseDown", "MouseUp", "Click"}));
    log.clear();
    QTest::mouseDClick(m_counter, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(log, (QStringList{"MouseDown", "MouseUp", "Click", "DblClick", "MouseUp"}));
}

void TestDisplayCounter::releaseAwayFromTheControlIsNoClick()
{
    // A press released away from the control raises MouseUp there but no Click.
    QSignalSpy up(m_counter, &DisplayCounter::MouseUp);
    QSignalSpy click(m_counter, &DisplayCounter::Click);
    QTest::mousePress(m_counter, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(m_counter, Qt::LeftButton, {}, QPoint(-20, 10));
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.at(0).at(2).toFloat(), -300.0f);
    QCOMPARE(click.count(), 0);
}

void TestDisplayCounter::disabledControlRaisesNoEvents_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::newRow("click") << "click";
    QTest::newRow("double click") << "double click";
    QTest::newRow("move") << "move";
    QTest::newRow("drag") << "drag";
}

void TestDisplayCounter::disabledControlRaisesNoEvents()
{
    // With Enabled False no mouse event of any kind reaches the container.
    QFETCH(QString, gesture);
    int events = 0;
    const auto count = [&] { ++events; };
    connect(m_counter, &DisplayCounter::Click, this, count);
    connect(m_counter, &DisplayCounter::DblClick, this, count);
    connect(m_counter, &DisplayCounter::MouseDown, this, count);
    connect(m_counter, &DisplayCounter::MouseMove, this, count);
    connect(m_counter, &DisplayCounter::MouseUp, this, count);

    m_counter->setEnabled(false);
    const QPoint at(30, 12);
    if (gesture == "click") {
        QTest::mouseClick(m_counter, Qt::LeftButton, {}, at);
    } else if (gesture == "double click") {
        QTest::mouseDClick(m_counter, Qt::LeftButton, {}, at);
    } else if (gesture == "move") {
        QTest::mouseMove(m_counter, at);
        QTest::mouseMove(m_counter, at + QPoint(5, 5));
    } else {
        QTest::mousePress(m_counter, Qt::LeftButton, {}, at);
        QTest::mouseMove(m_counter, at + QPoint(5, 5));
        QTest::mouseRelease(m_counter, Qt::LeftButton, {}, at + QPoint(5, 5));
    }
    QCOMPARE(events, 0);

    // The same gesture is heard once the control is enabled again.
    m_counter->setEnabled(true);
    QTest::mouseClick(m_counter, Qt::LeftButton, {}, at);
    QVERIFY(events > 0);
}

void TestDisplayCounter::classIsPublishedUnderItsIdentifier()
{
    // A window design finds the control's class by its published identifier.
    const QMetaObject &meta = DisplayCounter::staticMetaObject;
    const int index = meta.indexOfClassInfo("ProgId");
    QVERIFY(index >= 0);
    QCOMPARE(QString::fromLatin1(meta.classInfo(index).value()), QStringLiteral("Tessaly.DisplayCounter"));
}

void TestDisplayCounter::screenReadersReadTheNumberShown()
{
    // The number shown is the value and is in the name, with no minus label of its
    // own; before the first drawing the name says there is none yet.
    m_counter->setAccessibleName(QStringLiteral("Level"));
    QAccessibleInterface *counter = QAccessible::queryAccessibleInterface(m_counter);
    QCOMPARE(counter->text(QAccessible::Name), QStringLiteral("Level: none yet"));
    QCOMPARE(counter->valueInterface()->currentValue(), QVariant());
    m_counter->setValue(-5);
    QCOMPARE(counter->text(QAccessible::Name), QStringLiteral("Level -5"));
    QCOMPARE(counter->valueInterface()->currentValue(), QVariant(-5));
    QCOMPARE(counter->childCount(), 0);
}

QTEST_MAIN(TestDisplayCounter)
#include "tst_displaycounter.moc"
