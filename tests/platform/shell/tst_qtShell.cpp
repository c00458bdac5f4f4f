#include "platform/shell/QtShell.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The real shell's program start and file test (opening addresses needs a desktop
// and is tested with the games page).
class TestQtShell : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void startsAProgramByItsFileName();
    void nameIsNeverACommandLine();
    void programsThatCannotStartAreReported_data();
    void programsThatCannotStartAreReported();
    void fileExistsOnlyForFiles_data();
    void fileExistsOnlyForFiles();
    void verbsOtherThanOpenAreRefused();

private:
    QString writeProgram(const QString &name, const QByteArray &body);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQtShell::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestQtShell::writeProgram(const QString &name, const QByteArray &body)
{
    return TestFiles::writeProgram(m_dir->filePath(name), body);
}

void TestQtShell::startsAProgramByItsFileName()
{
    // The program runs on its own and the call returns true, spaces in its name and all.
    const QString mark = m_dir->filePath(QStringLiteral("mark"));
    const QString program = writeProgram(QStringLiteral("my tool"),
                                         "sleep 1; echo ran > '" + QFile::encodeName(mark) + "'\n");
    QtShell shell;
    QVERIFY(shell.startProgram(program));
    QVERIFY(!QFile::exists(mark)); // returned without waiting for it
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);
}

void TestQtShell::nameIsNeverACommandLine()
{
    // A name holding shell syntax is a file name, not a command to run.
    const QString mark = m_dir->filePath(QStringLiteral("injected"));
    QtShell shell;
    QVERIFY(!shell.startProgram(QStringLiteral("/bin/true; touch ") + mark));
    QVERIFY(!shell.startProgram(QStringLiteral("touch ") + mark));
    QTest::qWait(300);
    QVERIFY(!QFile::exists(mark));
}

void TestQtShell::programsThatCannotStartAreReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("missing") << QStringLiteral("missing-tool");
    QTest::newRow("folder") << QStringLiteral(".");
    QTest::newRow("not executable") << QStringLiteral("plain.txt");
}

void TestQtShell::programsThatCannotStartAreReported()
{
    // Whatever cannot be started gives false, so the caller can say so.
    QFETCH(QString, name);
    QVERIFY(TestFiles::write(m_dir->filePath(QStringLiteral("plain.txt")), {}));
    QtShell shell;
    QVERIFY(!shell.startProgram(name.isEmpty() ? name : m_dir->filePath(name)));
}

void TestQtShell::fileExistsOnlyForFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("exists");
    QTest::newRow("file") << QStringLiteral("MSINFO32.EXE") << true;
    QTest::newRow("folder") << QStringLiteral("folder") << false;
    QTest::newRow("missing") << QStringLiteral("other.exe") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestQtShell::fileExistsOnlyForFiles()
{
    // Ordinary files count; folders and missing names do not.
    QFETCH(QString, name);
    QFETCH(bool, exists);
    QVERIFY(!writeProgram(QStringLiteral("MSINFO32.EXE"), "").isEmpty());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    QtShell shell;
    QCOMPARE(shell.fileExists(name.isEmpty() ? name : m_dir->filePath(name)), exists);
}

void TestQtShell::verbsOtherThanOpenAreRefused()
{
    // Only "open" has a meaning here; other verbs, and an empty address, do nothing.
    QtShell shell;
    QVERIFY(!shell.shellExecute(nullptr, "print", "http://www.brindlecove.example/", {}, {}, 1));
    QVERIFY(!shell.shellExecute(nullptr, "open", "", {}, {}, 1));
}

QTEST_MAIN(TestQtShell)
#include "tst_qtShell.moc"
