#include "support/Pixels.h"
#include "support/TestFiles.h"
#include "support/XSession.h"

#include <QImage>
#include <QTest>

namespace {

QImage asset(const QString &name)
{
    return QImage(TestFiles::source(QStringLiteral("assets/art/") + name)).convertToFormat(QImage::Format_RGB32);
}

// How many of the button's pixels the board shows as the picture has them, at the
// button's place give or take a pixel of rounding.
int matchingButtonPixels(const QImage &board, const QImage &button)
{
    const QImage mask = asset(QStringLiteral("picNewGameMask.png"));
    const QPoint designed(167, 194);
    int best = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint at = designed + QPoint(dx, dy);
            int same = 0;
            for (int y = 0; y < mask.height(); ++y) {
                for (int x = 0; x < mask.width(); ++x)
                    same += mask.pixel(x, y) == qRgb(0, 0, 0) && board.pixel(at + QPoint(x, y)) == button.pixel(x, y);
            }
            best = std::max(best, same);
        }
    }
    return best;
}

} // namespace

// The real game under Xvfb speaks its locale's language, as a player's desktop sets it.
class TestLocaleEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void captionsAreInTheLocalesLanguage_data();
    void captionsAreInTheLocalesLanguage();
};

void TestLocaleEndToEnd::captionsAreInTheLocalesLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("otherButton");
    QTest::addColumn<QString>("helpMenuKey");
    QTest::addColumn<QString>("aboutKey");
    QTest::addColumn<QString>("aboutTitle");
    QTest::addColumn<QString>("helpTitle");
    QTest::newRow("German") << QStringLiteral("de_DE.UTF-8") << QStringLiteral("picNewUp_de.png")
                            << QStringLiteral("picNewUp.png") << QStringLiteral("alt+h") << QStringLiteral("b")
                            << QStringLiteral("^.ber Tessaly$") << QStringLiteral("^Tessaly-Hilfe$");
    QTest::newRow("French") << QStringLiteral("fr_FR.UTF-8") << QStringLiteral("picNewUp_fr.png")
                            << QStringLiteral("picNewUp.png") << QStringLiteral("alt+a") << QStringLiteral("p")
                            << QStringLiteral("^. propos de Tessaly$") << QStringLiteral("^Aide de Tessaly$");
    QTest::newRow("Spanish") << QStringLiteral("es_ES.UTF-8") << QStringLiteral("picNewUp_es.png")
                             << QStringLiteral("picNewUp.png") << QStringLiteral("alt+a") << QStringLiteral("a")
                             << QStringLiteral("^Acerca de Tessaly$") << QStringLiteral("^Ayuda de Tessaly$");
    QTest::newRow("C") << QStringLiteral("C.UTF-8") << QStringLiteral("picNewUp.png")
                       << QStringLiteral("picNewUp_de.png") << QStringLiteral("alt+h") << QStringLiteral("a")
                       << QStringLiteral("^About Tessaly$") << QStringLiteral("^Tessaly Help$");
}

void TestLocaleEndToEnd::captionsAreInTheLocalesLanguage()
{
    // The board's button, the About window's title and the help file are in the language
    // of LC_ALL (even where the C library has no such locale), English in C.
    QFETCH(QString, locale);
    QFETCH(QString, button);
    QFETCH(QString, otherButton);
    QFETCH(QString, helpMenuKey);
    QFETCH(QString, aboutKey);
    QFETCH(QString, aboutTitle);
    QFETCH(QString, helpTitle);
    QProcessEnvironment env;
    env.insert(QStringLiteral("LC_ALL"), locale);
    // An empty LANGUAGE leaves the choice to LC_ALL, as an unset one does.
    env.insert(QStringLiteral("LANGUAGE"), QString());
    XSession game;
    QVERIFY2(game.start({}, env), qPrintable(game.error()));

    const QImage board = game.grabBoard();
    const int shown = matchingButtonPixels(board, asset(button));
    const int maskArea = Pixels::count(asset(QStringLiteral("picNewGameMask.png")), qRgb(0, 0, 0));
    QVERIFY2(shown > maskArea * 95 / 100, qPrintable(QStringLiteral("%1 of %2").arg(shown).arg(maskArea)));
    QVERIFY(shown > matchingButtonPixels(board, asset(otherButton)));

    game.focusBoard();
    game.keys({QStringLiteral("F1")});
    QVERIFY2(!game.waitForWindowTitled(helpTitle).isEmpty(), qPrintable(helpTitle));

    game.focusBoard();
    game.keys({helpMenuKey, aboutKey});
    QVERIFY2(!game.waitForWindowTitled(aboutTitle).isEmpty(), qPrintable(aboutTitle));
}

QTEST_MAIN(TestLocaleEndToEnd)
#include "tst_locale_e2e.moc"
