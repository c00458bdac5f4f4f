#include "info/modHyperlink.h"
#include "platform/shell/QtShell.h"

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
    void cleanupTestCase();
    void pageAddressReachesTheDefaultBrowser();

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    QString m_record;
};

void TestGamesPageBrowser::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    // A stand-in for xdg-open that writes down what it was asked to open.
    m_record = m_dir.filePath(QStringLiteral("opened.txt"));
    QFile opener(m_dir.filePath(QStringLiteral("xdg-open")));
    QVERIFY(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + m_record.toLocal8Bit() + ".part'\nmv '"
                 + m_record.toLocal8Bit() + ".part' '" + m_record.toLocal8Bit() + "'\n");
    opener.close();
    QVERIFY(opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    m_oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_dir.path()) + ":/usr/bin:/bin");
    // No desktop session: the toolkit goes straight to xdg-open.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    qunsetenv("BROWSER");
    qunsetenv("DEFAULT_BROWSER");
}

void TestGamesPageBrowser::cleanupTestCase()
{
    qputenv("PATH", m_oldPath);
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
    QFile record(m_record);
    QVERIFY(record.open(QIODevice::ReadOnly));
    QCOMPARE(record.readAll(), QByteArray("http://www.brindlecove.example/games/index.htm"));
}

QTEST_MAIN(TestGamesPageBrowser)
#include "tst_gamesPageBrowser.moc"
