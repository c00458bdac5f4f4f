#include "info/modHyperlink.h"
#include "platform/shell/QtShell.h"
#include "support/TestFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// The real shell on a desktop: the games page reaches the system's URL opener.
class TestGamesPageBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageAddressReachesTheDefaultBrowser();

private:
    QTemporaryDir m_dir;
    QString m_record;
};

void TestGamesPageBrowser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    // A stand-in for xdg-open that writes down what it was asked to open.
    m_record = m_dir.filePath(QStringLiteral("opened.txt"));
    const QByteArray record = m_record.toLocal8Bit();
    QVERIFY(!TestFiles::writeProgram(m_dir.filePath(QStringLiteral("xdg-open")),
                                     "printf '%s' \"$1\" > '" + record + ".part'\nmv '" + record + ".part' '" + record + "'\n")
                 .isEmpty());
    // For the whole run, which is this test alone.
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ":/usr/bin:/bin");
    // No desktop session: the toolkit goes straight to xdg-open.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
}

void TestGamesPageBrowser::pageAddressReachesTheDefaultBrowser()
{
    // The call returns at once, and the opener receives the games page address.
    QtShell shell;
    QWidget board;
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QElapsedTimer clock;
    clock.start();
    modHyperlink::OpenGamesWebPage(shell, &board);
    QVERIFY(clock.elapsed() < 2000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_record), 10000);
    QCOMPARE(TestFiles::read(m_record), QByteArray("http://www.brindlecove.example/games/index.htm"));
}

QTEST_MAIN(TestGamesPageBrowser)
#include "tst_gamesPageBrowser.moc"
