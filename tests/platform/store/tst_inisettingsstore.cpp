#include "platform/store/IniSettingsStore.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <memory>

namespace {

const QString app = QStringLiteral("Tessaly");
const QString scores = QStringLiteral("Scores");
const QString settings = QStringLiteral("Settings");

// Environment variable that turns this executable into the unprivileged writer of
// readOnlyFolderLeavesThePreviousFileWhole.
const char childFolderVariable[] = "TESSALY_STORE_CHILD_FOLDER";
constexpr int childCannotDropPrivileges = 77;
constexpr int childCanStillWrite = 78;

using TestFiles::settingsFile;

// A later run of the game: the file's bytes in a folder of their own, so that nothing
// a store or QSettings read from the first folder can be reused.
std::unique_ptr<QTemporaryDir> laterRun(const QString &file)
{
    auto folder = std::make_unique<QTemporaryDir>();
    QDir().mkpath(folder->filePath(app));
    if (!QFile::copy(file, settingsFile(folder->path())))
        qFatal("cannot copy %s", qPrintable(file));
    return folder;
}

// The example of a table that must survive whatever else its file holds.
const QByteArray storedTable = "[Scores]\nScore1=42\nName1=Alice\n";

void verifyStoredTable(IniSettingsStore &store)
{
    QCOMPARE(store.get(app, scores, QStringLiteral("Score1"), QStringLiteral("0")), QStringLiteral("42"));
    QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QStringLiteral("Anonymous")), QStringLiteral("Alice"));
    QCOMPARE(store.get(app, settings, QStringLiteral("Speed"), QStringLiteral("1")), QStringLiteral("2"));
}

// The twelve values a shut-down writes, with the name given for "Name1".
void saveShutDownValues(SettingsStore &store, const QString &name)
{
    for (int i = 1; i <= 5; ++i)
        store.save(app, scores, QStringLiteral("Score%1").arg(i), QString::number(60 - 10 * i));
    for (int i = 1; i <= 5; ++i)
        store.save(app, scores, QStringLiteral("Name%1").arg(i), i == 1 ? name : QStringLiteral("P%1").arg(i));
    store.save(app, scores, QStringLiteral("Last Name Entered"), name);
    store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("2"));
}

// The settings file after a shut-down by "Before" in folder, the store closed again.
QString savedBefore(const QString &folder)
{
    IniSettingsStore store(folder);
    saveShutDownValues(store, QStringLiteral("Before"));
    return store.fileName(app);
}

int writeAsChild(int argc, char *argv[], const QString &folder)
{
    QCoreApplication application(argc, argv);
    IniSettingsStore store(folder);
    if (::access(QFile::encodeName(store.fileName(app)).constData(), W_OK) == 0)
        return childCanStillWrite;
    saveShutDownValues(store, QStringLiteral("Child"));
    return 0;
}

} // namespace

class tst_IniSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    // First run
    void firstRunGivesTheDefaults();
    void fileLivesInTheUserConfigFolder();

    // Round trips
    void namesReadBackExactly_data();
    void namesReadBackExactly();
    void everyReadableKeyIsReadAndTheOriginalIsKept_data();
    void everyReadableKeyIsReadAndTheOriginalIsKept();
    void keysKeepTheirMeaningAcrossARewrite_data();
    void keysKeepTheirMeaningAcrossARewrite();
    void fileIsIniWithSectionsAndKeysAsSpelled();
    void filesWrittenByQtIniFormatAreRead();
    void otherSectionsSurviveASave();

    // When the file is written
    void shutDownSavesLandTogether();
    void flushWritesTheSavesNowAndNothingBefore();

    // Where the file lives, and what may stand there instead
    void userConfigFolderFollowsTheXdgRules_data();
    void userConfigFolderFollowsTheXdgRules();
    void storeWithoutAFolderReadsAndWritesNothing();
    void whatIsNoFileToReadGivesTheDefaultsAndStays_data();
    void whatIsNoFileToReadGivesTheDefaultsAndStays();
    void aLockThatCannotBeTakenDoesNotHoldTheWrite();

    // Writes that fail
    void aFileOrFolderInTheWayStaysAsItIs_data();
    void aFileOrFolderInTheWayStaysAsItIs();
    void fullDiskLeavesThePreviousFileWhole_data();
    void fullDiskLeavesThePreviousFileWhole();
    void readOnlyFolderLeavesThePreviousFileWhole();

private:
    std::unique_ptr<QTemporaryDir> mDir;
};

void tst_IniSettingsStore::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
}

void tst_IniSettingsStore::firstRunGivesTheDefaults()
{
    // With nothing stored, every read gives its default and reading creates no file.
    IniSettingsStore store(mDir->path());
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(store.get(app, scores, QStringLiteral("Score%1").arg(i), QStringLiteral("0")), QStringLiteral("0"));
        QCOMPARE(store.get(app, scores, QStringLiteral("Name%1").arg(i), QStringLiteral("Anonymous")),
                 QStringLiteral("Anonymous"));
    }
    QCOMPARE(store.get(app, scores, QStringLiteral("Last Name Entered"), QStringLiteral("Anonymous")),
             QStringLiteral("Anonymous"));
    QCOMPARE(store.get(app, settings, QStringLiteral("Speed"), QStringLiteral("1")), QStringLiteral("1"));
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(store.fileName(app)));
}

void tst_IniSettingsStore::fileLivesInTheUserConfigFolder()
{
    // Without a folder given, the file is $XDG_CONFIG_HOME/Tessaly/Tessaly.ini.
    {
        const auto xdg = TestFiles::setVariable("XDG_CONFIG_HOME", QFile::encodeName(mDir->path()));
        IniSettingsStore store;
        QCOMPARE(store.fileName(app), settingsFile(mDir->path()));
        store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("0"));
    }
    QVERIFY(TestFiles::read(settingsFile(mDir->path())).contains("Speed=0"));
}

void tst_IniSettingsStore::namesReadBackExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("plain") << QStringLiteral("Anonymous");
    QTest::newRow("commas") << QStringLiteral("Smith, John, Jr.");
    QTest::newRow("quotes") << QStringLiteral("\"Ace\" O'Neil \"");
    QTest::newRow("leading at") << QStringLiteral("@home");
    QTest::newRow("double at") << QStringLiteral("@@");
    QTest::newRow("typed-value look-alike") << QStringLiteral("@Variant(\\0\\0\\0\\x7f)");
    QTest::newRow("string look-alike") << QStringLiteral("@String(x)");
    QTest::newRow("invalid look-alike") << QStringLiteral("@Invalid()");
    QTest::newRow("equals") << QStringLiteral("a=b=");
    QTest::newRow("semicolon") << QStringLiteral("; not a comment");
    QTest::newRow("hash") << QStringLiteral("# not a comment");
    QTest::newRow("section look-alike") << QStringLiteral("[Settings]");
    QTest::newRow("newlines") << QStringLiteral("line one\nline two\r\nline three\r");
    QTest::newRow("tabs and edge blanks") << QStringLiteral("  \tpadded\t  ");
    QTest::newRow("backslashes") << QStringLiteral("C:\\games\\x41\\");
    QTest::newRow("percent") << QStringLiteral("100% %20 %U0041");
    QTest::newRow("non-ASCII") << QStringLiteral("Zoë Ørsted 日本語 Ω");
    QTest::newRow("outside the BMP") << QStringLiteral("🎮 player 𝄞");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("x");
    QTest::newRow("control then hex digit") << QStringLiteral("\x01" "ab\x7f" "0F");
    QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("a") + QString(QChar(0)) + QStringLiteral("7");
    QTest::newRow("10000 characters") << QString(10000, u'n');
    QTest::newRow("markup") << QStringLiteral("<b>x</b>");
    QTest::newRow("byte-order mark first") << QString(QChar(0xFEFF)) + QStringLiteral("Ann");
    QTest::newRow("byte-order mark after an escape") << QStringLiteral("a\n") + QChar(0xFEFF) + QStringLiteral("b");
    QTest::newRow("byte-order mark alone") << QString(QChar(0xFEFF));
    QTest::newRow("every tricky character") << QStringLiteral("\"Ann\"; a=b, @c\\d\ne ") + QChar(0xFEFF)
                                                     + QStringLiteral("é 名 🎮");
}

void tst_IniSettingsStore::namesReadBackExactly()
{
    // Any name comes back exactly from a later run, and Qt's own INI reader agrees.
    QFETCH(QString, name);
    {
        IniSettingsStore store(mDir->path());
        saveShutDownValues(store, name);
    }
    const auto later = laterRun(IniSettingsStore(mDir->path()).fileName(app));
    IniSettingsStore store(later->path());
    QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QStringLiteral("Anonymous")), name);
    QCOMPARE(store.get(app, scores, QStringLiteral("Last Name Entered"), QStringLiteral("Anonymous")), name);
    QCOMPARE(store.get(app, scores, QStringLiteral("Name2"), QString()), QStringLiteral("P2"));
    QCOMPARE(store.get(app, settings, QStringLiteral("Speed"), QString()), QStringLiteral("2"));

    QSettings qt(store.fileName(app), QSettings::IniFormat);
    QCOMPARE(qt.value(QStringLiteral("Scores/Name1")).toString(), name);
    QCOMPARE(qt.value(QStringLiteral("Scores/Last Name Entered")).toString(), name);
}

void tst_IniSettingsStore::everyReadableKeyIsReadAndTheOriginalIsKept_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("copied");
    const QByteArray speed = "[Settings]\nSpeed=2\n";
    QTest::newRow("hash comment") << storedTable + "# comment\n" + speed << true;
    QTest::newRow("stray word") << storedTable + "stray\n" + speed << true;
    QTest::newRow("nul byte") << storedTable + QByteArray("\0\n", 2) + speed << true;
    QTest::newRow("section without bracket") << "[Scores\nScore1=42\nName1=Alice\n" + speed << true;
    QTest::newRow("bytes that are not UTF-8") << storedTable + "\xff\xfe=x\n" + speed << true;
    // Qt's own INI reader would build this nest of 50,000 lists and overflow the stack.
    QByteArray nested = "Deep=@Variant(";
    for (int i = 0; i < 50000; ++i)
        nested += "\\0\\0\\0\\t\\0\\0\\0\\x1";
    QTest::newRow("typed value") << storedTable + nested + ")\n" + speed << true;
    // Written back as it stood, the open quote would swallow the lines after it.
    QTest::newRow("quote left open at the end") << storedTable + speed + "Name2=\"open\n" << true;
    QTest::newRow("escaped line break last") << storedTable + "[Settings]\nSpeed=2\rName2=a\\\r\r" << true;
    QTest::newRow("semicolon comment") << "; comment\n" + storedTable + speed << false;
}

void tst_IniSettingsStore::everyReadableKeyIsReadAndTheOriginalIsKept()
{
    // A line the store cannot read loses no other value, and the file it came from is
    // kept as Tessaly.ini.bad, byte for byte, before it is first replaced.
    QFETCH(QByteArray, file);
    QFETCH(bool, copied);
    const QString path = settingsFile(mDir->path());
    QVERIFY(TestFiles::write(path, file));
    {
        IniSettingsStore store(mDir->path());
        verifyStoredTable(store);
        store.save(app, scores, QStringLiteral("Name2"), QStringLiteral("Bob"));
    }
    QCOMPARE(QFileInfo::exists(path + QStringLiteral(".bad")), copied);
    if (copied)
        QCOMPARE(TestFiles::read(path + QStringLiteral(".bad")), file);
    IniSettingsStore store(mDir->path());
    verifyStoredTable(store);
    QCOMPARE(store.get(app, scores, QStringLiteral("Name2"), QString()), QStringLiteral("Bob"));
}

void tst_IniSettingsStore::keysKeepTheirMeaningAcrossARewrite_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QString absent = QStringLiteral("(default)");
    // Empty text is not the default.
    QTest::newRow("empty value") << QByteArray("x=") << QStringLiteral("x") << QString();
    QTest::newRow("key ending in a slash") << QByteArray("x/=1") << QStringLiteral("x/") << QStringLiteral("1");
    QTest::newRow("slash spelled as backslash") << QByteArray("a\\b=2") << QStringLiteral("a/b") << QStringLiteral("2");
    QTest::newRow("no value") << QByteArray("x=@Invalid()") << QStringLiteral("x") << absent;
    QTest::newRow("unquoted list") << QByteArray("x=a,  b") << QStringLiteral("x") << QStringLiteral("a, b");
    QTest::newRow("escaped key") << QByteArray("Last%20Name%20Entered=Lee") << QStringLiteral("Last Name Entered")
                                 << QStringLiteral("Lee");
    QTest::newRow("continued line") << QByteArray("x=a\\\nb") << QStringLiteral("x") << QStringLiteral("ab");
    // Typed into the file by hand: an unquoted comma and a comment after the value.
    QTest::newRow("thousands comma") << QByteArray("x=1,000") << QStringLiteral("x") << QStringLiteral("1, 000");
    QTest::newRow("trailing comment") << QByteArray("x = Bo ; trailing comment") << QStringLiteral("x") << QStringLiteral("Bo");
}

void tst_IniSettingsStore::keysKeepTheirMeaningAcrossARewrite()
{
    // A key written by hand reads the same before and after the game rewrites its file,
    // and the rewritten file is one the store reads whole.
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString path = settingsFile(mDir->path());
    QVERIFY(TestFiles::write(path, "[Scores]\n" + line + "\nName1=Alice\n"));
    {
        IniSettingsStore store(mDir->path());
        QCOMPARE(store.get(app, scores, key, QStringLiteral("(default)")), value);
        store.save(app, scores, QStringLiteral("Name2"), QStringLiteral("Bob"));
    }
    const auto later = laterRun(path);
    {
        IniSettingsStore store(later->path());
        QCOMPARE(store.get(app, scores, key, QStringLiteral("(default)")), value);
        QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QString()), QStringLiteral("Alice"));
        QCOMPARE(store.get(app, scores, QStringLiteral("Name2"), QString()), QStringLiteral("Bob"));
        store.save(app, scores, QStringLiteral("Name2"), QStringLiteral("Cy"));
    }
    QVERIFY(!QFileInfo::exists(later->filePath(QStringLiteral("Tessaly/Tessaly.ini.bad"))));
}

void tst_IniSettingsStore::fileIsIniWithSectionsAndKeysAsSpelled()
{
    // The file is plain INI: [Scores] and [Settings], the keys exactly as the game names them.
    QString path;
    {
        IniSettingsStore store(mDir->path());
        saveShutDownValues(store, QStringLiteral("Ann"));
        path = store.fileName(app);
    }
    const QList<QByteArray> lines = TestFiles::read(path).split('\n');
    QVERIFY(lines.contains("[Scores]"));
    QVERIFY(lines.contains("[Settings]"));
    QVERIFY(lines.contains("Score1=50"));
    QVERIFY(lines.contains("Score5=10"));
    QVERIFY(lines.contains("Name1=Ann"));
    QVERIFY(lines.contains("Last Name Entered=Ann"));
    QVERIFY(lines.contains("Speed=2"));
    QVERIFY(lines.indexOf("Speed=2") > lines.indexOf("[Settings]"));
    QVERIFY(lines.indexOf("[Settings]") > lines.indexOf("Score5=10"));
}

void tst_IniSettingsStore::filesWrittenByQtIniFormatAreRead()
{
    // A file in Qt's own INI spelling (escaped key, quoted and escaped values) reads the same.
    const QString path = settingsFile(mDir->path());
    const QStringList names = {QStringLiteral("a, b"), QStringLiteral("@x"), QStringLiteral("tab\there"),
                               QStringLiteral(" lead"), QStringLiteral("日本"), QString(QChar(0)) + u'1'};
    {
        QSettings qt(path, QSettings::IniFormat);
        for (int i = 0; i < names.size(); ++i)
            qt.setValue(QStringLiteral("Scores/Name%1").arg(i + 1), names.at(i));
        qt.setValue(QStringLiteral("Scores/Last Name Entered"), QStringLiteral("Lee"));
    }
    QVERIFY(TestFiles::read(path).contains("Last%20Name%20Entered"));
    IniSettingsStore store(mDir->path());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(store.get(app, scores, QStringLiteral("Name%1").arg(i + 1), QString()), names.at(i));
    QCOMPARE(store.get(app, scores, QStringLiteral("Last Name Entered"), QString()), QStringLiteral("Lee"));
}

void tst_IniSettingsStore::otherSectionsSurviveASave()
{
    // A save replaces its own key only: other keys and sections in the file are kept.
    QVERIFY(TestFiles::write(settingsFile(mDir->path()), "[Window]\nLeft=12\n\n[Scores]\nName1=Old\nName2=Kept\n"));
    {
        IniSettingsStore store(mDir->path());
        store.save(app, scores, QStringLiteral("Name1"), QStringLiteral("New"));
    }
    IniSettingsStore store(mDir->path());
    QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QString()), QStringLiteral("New"));
    QCOMPARE(store.get(app, scores, QStringLiteral("Name2"), QString()), QStringLiteral("Kept"));
    QCOMPARE(store.get(app, QStringLiteral("Window"), QStringLiteral("Left"), QString()), QStringLiteral("12"));
}

void tst_IniSettingsStore::shutDownSavesLandTogether()
{
    // The twelve saves of a shut-down replace the file as one: midway it still holds the old run.
    QString path;
    {
        IniSettingsStore store(mDir->path());
        saveShutDownValues(store, QStringLiteral("First"));
        path = store.fileName(app);
    }
    const QByteArray before = TestFiles::read(path);
    {
        IniSettingsStore store(mDir->path());
        for (int i = 1; i <= 5; ++i)
            store.save(app, scores, QStringLiteral("Score%1").arg(i), QStringLiteral("7"));
        QCOMPARE(TestFiles::read(path), before);
        store.save(app, scores, QStringLiteral("Name1"), QStringLiteral("Second"));
        QCOMPARE(TestFiles::read(path), before);
    }
    IniSettingsStore store(mDir->path());
    QCOMPARE(store.get(app, scores, QStringLiteral("Score5"), QString()), QStringLiteral("7"));
    QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QString()), QStringLiteral("Second"));
}

void tst_IniSettingsStore::flushWritesTheSavesNowAndNothingBefore()
{
    // Saves stay in memory, event loop or not, until flush() writes them all at once;
    // reload() drops those not written and reads what another copy wrote since.
    IniSettingsStore store(mDir->path());
    store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("0"));
    QCoreApplication::processEvents();
    QVERIFY(!QFile::exists(store.fileName(app)));
    QVERIFY(store.flush());
    QVERIFY(TestFiles::read(store.fileName(app)).contains("Speed=0"));
    QVERIFY(store.flush());
    store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("2"));
    QVERIFY(TestFiles::read(store.fileName(app)).contains("Speed=0"));
    QVERIFY(store.flush());
    QVERIFY(TestFiles::read(store.fileName(app)).contains("Speed=2"));
    store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("1"));
    IniSettingsStore other(mDir->path());
    other.save(app, scores, QStringLiteral("Name2"), QStringLiteral("Them"));
    QVERIFY(other.flush());
    store.reload();
    QCOMPARE(store.get(app, settings, QStringLiteral("Speed"), QString()), QStringLiteral("2"));
    QCOMPARE(store.get(app, scores, QStringLiteral("Name2"), QString()), QStringLiteral("Them"));
}

void tst_IniSettingsStore::userConfigFolderFollowsTheXdgRules_data()
{
    // "-" leaves the variable unset; "<account>" is the account's home folder.
    QTest::addColumn<QByteArray>("xdgConfigHome");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("folder");
    QTest::newRow("absolute XDG_CONFIG_HOME") << QByteArray("/tmp/cfg") << QByteArray("/home/p") << "/tmp/cfg";
    QTest::newRow("relative XDG_CONFIG_HOME") << QByteArray("rel/cfg") << QByteArray("/home/p") << "/home/p/.config";
    QTest::newRow("empty XDG_CONFIG_HOME") << QByteArray("") << QByteArray("/home/p") << "/home/p/.config";
    QTest::newRow("XDG_CONFIG_HOME is the root") << QByteArray("/") << QByteArray("/home/p") << "/home/p/.config";
    QTest::newRow("no HOME") << QByteArray("-") << QByteArray("-") << "<account>/.config";
    QTest::newRow("relative HOME") << QByteArray("-") << QByteArray("p") << "<account>/.config";
    QTest::newRow("HOME is the root") << QByteArray("-") << QByteArray("/") << "<account>/.config";
}

void tst_IniSettingsStore::userConfigFolderFollowsTheXdgRules()
{
    // A relative XDG_CONFIG_HOME is ignored, and without a usable HOME the account's home
    // is taken: the file never lands in the working folder or under the root folder.
    QFETCH(QByteArray, xdgConfigHome);
    QFETCH(QByteArray, home);
    QFETCH(QString, folder);
    const passwd *account = ::getpwuid(::getuid());
    QVERIFY(account && QByteArray(account->pw_dir).startsWith("/") && QByteArray(account->pw_dir) != "/");
    folder.replace(QStringLiteral("<account>"), QFile::decodeName(account->pw_dir));
    const auto value = [](const QByteArray &v) { return v == "-" ? std::nullopt : std::optional(v); };
    const auto xdg = TestFiles::setVariable("XDG_CONFIG_HOME", value(xdgConfigHome));
    const auto homeVariable = TestFiles::setVariable("HOME", value(home));
    const QString fileName = IniSettingsStore().fileName(app);
    QCOMPARE(fileName, folder + QStringLiteral("/Tessaly/Tessaly.ini"));
}

void tst_IniSettingsStore::storeWithoutAFolderReadsAndWritesNothing()
{
    // With no folder to keep it in, the store gives the defaults and its flush fails.
    IniSettingsStore store{QString()};
    QCOMPARE(store.fileName(app), QString());
    store.save(app, settings, QStringLiteral("Speed"), QStringLiteral("0"));
    QCOMPARE(store.get(app, settings, QStringLiteral("Speed"), QStringLiteral("1")), QStringLiteral("0"));
    QVERIFY(!store.flush());
}

void tst_IniSettingsStore::whatIsNoFileToReadGivesTheDefaultsAndStays_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << QStringLiteral("pipe");
    QTest::newRow("link to a pipe") << QStringLiteral("link");
    QTest::newRow("file larger than any the store writes") << QStringLiteral("large");
}

void tst_IniSettingsStore::whatIsNoFileToReadGivesTheDefaultsAndStays()
{
    // A pipe at the settings path neither holds up the start nor is replaced, and a file
    // too large to read is not overwritten with the defaults.
    QFETCH(QString, kind);
    const QString path = settingsFile(mDir->path());
    const QString pipe = mDir->filePath(QStringLiteral("pipe"));
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (kind == QLatin1String("large")) {
        QVERIFY(TestFiles::write(path, storedTable));
        QVERIFY(QFile::resize(path, IniSettingsStore::maxFileSize + 1));
    } else {
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(kind == QLatin1String("pipe") ? QFile::rename(pipe, path) : QFile::link(pipe, path));
    }
    const QFileInfo before(path);
    {
        IniSettingsStore store(mDir->path());
        QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QStringLiteral("Anonymous")),
                 QStringLiteral("Anonymous"));
        saveShutDownValues(store, QStringLiteral("Lost"));
    }
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.size(), before.size());
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bad")));
}

void tst_IniSettingsStore::aLockThatCannotBeTakenDoesNotHoldTheWrite()
{
    // A lock file that can never be taken (here a folder) does not hold up the write.
    QVERIFY(QDir().mkpath(mDir->filePath(QStringLiteral("Tessaly/Tessaly.ini.lock"))));
    {
        IniSettingsStore store(mDir->path());
        saveShutDownValues(store, QStringLiteral("Kept"));
    }
    IniSettingsStore store(mDir->path());
    QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QString()), QStringLiteral("Kept"));
}

void tst_IniSettingsStore::aFileOrFolderInTheWayStaysAsItIs_data()
{
    QTest::addColumn<bool>("folderForTheFile");
    // The config folder cannot be made: its parent is a file.
    QTest::newRow("file for the config folder") << false;
    QTest::newRow("folder for the file") << true;
}

void tst_IniSettingsStore::aFileOrFolderInTheWayStaysAsItIs()
{
    // What stands where the store would write is neither replaced nor waited on: saving
    // returns at once, says nothing, keeps the values in memory, and its flush fails.
    QFETCH(bool, folderForTheFile);
    const QString blocker = mDir->filePath(QStringLiteral("config"));
    const QString path = settingsFile(folderForTheFile ? mDir->path() : blocker);
    if (folderForTheFile)
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    else
        QVERIFY(TestFiles::write(blocker, "not a folder"));
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QElapsedTimer timer;
    timer.start();
    {
        IniSettingsStore store(folderForTheFile ? mDir->path() : blocker);
        saveShutDownValues(store, QStringLiteral("Lost"));
        QCoreApplication::processEvents();
        QCOMPARE(store.get(app, scores, QStringLiteral("Name1"), QString()), QStringLiteral("Lost"));
        QVERIFY(!store.flush());
    }
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    if (folderForTheFile)
        QVERIFY(QFileInfo::exists(path + QStringLiteral("/inside")));
    else
        QCOMPARE(TestFiles::read(blocker), QByteArray("not a folder"));
}

void tst_IniSettingsStore::fullDiskLeavesThePreviousFileWhole_data()
{
    // Qt buffers up to 16 KiB: a short text fails only when flushed, a long one at once.
    QTest::addColumn<int>("nameLength");
    QTest::newRow("cut short when flushed") << 3000;
    QTest::newRow("cut short when written") << 10000;
}

void tst_IniSettingsStore::fullDiskLeavesThePreviousFileWhole()
{
    // A write cut short (here by a file-size limit, which binds root too, as a full disk
    // would) keeps the previous file byte for byte and leaves no temporary file behind.
    const QString path = savedBefore(mDir->path());
    const QByteArray before = TestFiles::read(path);
    QVERIFY(before.size() > 100 && before.size() < 4096);

    rlimit previous{};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    QElapsedTimer timer;
    timer.start();
    {
        IniSettingsStore store(mDir->path());
        QFETCH(int, nameLength);
        saveShutDownValues(store, QString(nameLength, u'x'));
    }
    const qint64 elapsed = timer.elapsed();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    ::signal(SIGXFSZ, oldHandler);

    QVERIFY(elapsed < 2000);
    QCOMPARE(TestFiles::read(path), before);
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Tessaly.ini")});
}

void tst_IniSettingsStore::readOnlyFolderLeavesThePreviousFileWhole()
{
    // A folder and file the player may not write keep the previous file; root may write
    // anywhere, so the save runs in a child process as the unprivileged "nobody".
    const QString path = savedBefore(mDir->path());
    const QByteArray before = TestFiles::read(path);
    const QString appFolder = QFileInfo(path).path();
    const QString child = mDir->filePath(QStringLiteral("child"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), child));
    QVERIFY(QFile::setPermissions(child, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(mDir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                    | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(appFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childFolderVariable), mDir->path());
    process.setProcessEnvironment(environment);
    if (::geteuid() == 0) {
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(childCannotDropPrivileges);
            // Changing user makes a process undumpable, which would stop sanitizers' leak checks.
            ::prctl(PR_SET_DUMPABLE, 1);
        });
    }
    QElapsedTimer timer;
    timer.start();
    process.start(child, {});
    QVERIFY2(process.waitForFinished(10000), qPrintable(process.errorString()));
    const qint64 elapsed = timer.elapsed();
    QFile::setPermissions(appFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (process.exitCode() == childCannotDropPrivileges)
        QSKIP("This system does not let the test drop root privileges.");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() != childCanStillWrite, "the unprivileged child could still write the file");
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(elapsed < 5000);
    QCOMPARE(TestFiles::read(path), before);
}

int main(int argc, char *argv[])
{
    const QString childFolder = qEnvironmentVariable(childFolderVariable);
    if (!childFolder.isEmpty())
        return writeAsChild(argc, argv, childFolder);
    QCoreApplication application(argc, argv);
    tst_IniSettingsStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inisettingsstore.moc"
