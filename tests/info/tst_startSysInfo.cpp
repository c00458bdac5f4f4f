#include "info/frmAbout.h"
#include "platform/shell/LinuxRegistry.h"
#include "platform/shell/QtShell.h"
#include "platform/shell/Registry.h"
#include "support/FakeRegistry.h"
#include "support/RecordingShell.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

constexpr Registry::HKEY hklm = Registry::HKEY_LOCAL_MACHINE;
const QByteArray msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString unavailable = QStringLiteral("System Information Is Unavailable At This Time");

// A program that leaves a mark file when it runs.
QString writeMarkingProgram(const QString &path, const QString &mark)
{
    return TestFiles::writeProgram(path, "echo ran > '" + QFile::encodeName(mark) + "'\n");
}

} // namespace

// Finding and starting the system-information tool from the registry's answers.
class TestStartSysInfo : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void startsTheToolTheRegistryNames_data();
    void startsTheToolTheRegistryNames();
    void getKeyValueReadsValuesAsText_data();
    void getKeyValueReadsValuesAsText();
    void getKeyValueOpensWithTheClassicRightsAndClosesTheKey();

    void realShellStartsTheProgramDetached_data();
    void realShellStartsTheProgramDetached();
    void thisMachinesToolIsFoundOnThePath_data();
    void thisMachinesToolIsFoundOnThePath();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeRegistry m_registry;
    RecordingShell m_shell;
    ScriptedMessageBox m_box{{}, MessageBox::vbOK};
};

void TestStartSysInfo::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_registry = FakeRegistry();
    m_shell = RecordingShell();
    m_box = ScriptedMessageBox({}, MessageBox::vbOK);
}

void TestStartSysInfo::startsTheToolTheRegistryNames_data()
{
    QTest::addColumn<quint32>("pathType");
    QTest::addColumn<QByteArray>("pathBytes");
    QTest::addColumn<quint32>("granted");
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("startable");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("tested");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("/opt/sys/tool");
    const QString folderTool = QStringLiteral("/opt/msinfo/MSINFO32.EXE");
    const QByteArray folder = "/opt/msinfo";
    const quint32 all = 0xFFFFFFFFu;
    const QString long1023(1023, u'x');

    QTest::newRow("PATH names a program: started without a file test")
        << Registry::REG_SZ << QByteArray("/opt/sys/tool\0", 14) << all << QByteArray() << QStringList()
        << QStringList{tool} << QStringList{tool} << QStringList() << false;
    QTest::newRow("PATH names a missing program")
        << Registry::REG_SZ << QByteArray("/opt/sys/tool\0", 14) << all << QByteArray() << QStringList()
        << QStringList() << QStringList{tool} << QStringList() << true;
    QTest::newRow("PATH comes before the folder")
        << Registry::REG_SZ << QByteArray("/opt/sys/tool\0", 14) << all << folder << QStringList{folderTool}
        << QStringList{tool, folderTool} << QStringList{tool} << QStringList() << false;
    QTest::newRow("PATH without its terminating zero")
        << Registry::REG_SZ << QByteArray("/opt/sys/tool") << all << QByteArray() << QStringList()
        << QStringList{tool} << QStringList{tool} << QStringList() << false;
    QTest::newRow("folder holding MSINFO32.EXE")
        << quint32(0) << QByteArray() << all << folder << QStringList{folderTool}
        << QStringList{folderTool} << QStringList{folderTool} << QStringList{folderTool} << false;
    QTest::newRow("folder without MSINFO32.EXE")
        << quint32(0) << QByteArray() << all << folder << QStringList()
        << QStringList{folderTool} << QStringList() << QStringList{folderTool} << true;
    QTest::newRow("folder whose MSINFO32.EXE will not start")
        << quint32(0) << QByteArray() << all << folder << QStringList{folderTool}
        << QStringList() << QStringList{folderTool} << QStringList{folderTool} << true;
    QTest::newRow("neither value")
        << quint32(0) << QByteArray() << all << QByteArray() << QStringList()
        << QStringList() << QStringList() << QStringList() << true;
    // Read, but of a type with no text: an empty name, which cannot start.
    QTest::newRow("PATH of another type")
        << Registry::REG_EXPAND_SZ << QByteArray("/opt/sys/tool\0", 14) << all << QByteArray() << QStringList()
        << QStringList{tool} << QStringList{QString()} << QStringList() << true;
    QTest::newRow("PATH of exactly 1024 bytes")
        << Registry::REG_SZ << long1023.toLatin1() + QByteArray(1, '\0') << all << QByteArray() << QStringList()
        << QStringList{long1023} << QStringList{long1023} << QStringList() << false;
    QTest::newRow("PATH over 1024 bytes, no folder")
        << Registry::REG_SZ << QByteArray(1100, 'x') + QByteArray(1, '\0') << all << QByteArray() << QStringList()
        << QStringList() << QStringList() << QStringList() << true;
    QTest::newRow("PATH over 1024 bytes, folder used instead")
        << Registry::REG_SZ << QByteArray(1100, 'x') + QByteArray(1, '\0') << all << folder
        << QStringList{folderTool} << QStringList{folderTool} << QStringList{folderTool}
        << QStringList{folderTool} << false;
    // A key that will not open with every right asked for counts as absent.
    QTest::newRow("MSINFO key open for reading only")
        << Registry::REG_SZ << QByteArray("/opt/sys/tool\0", 14) << quint32(0x20019) << QByteArray()
        << QStringList() << QStringList{tool} << QStringList() << QStringList() << true;
}

void TestStartSysInfo::startsTheToolTheRegistryNames()
{
    // The PATH value is started as it is; else MSINFO32.EXE in the folder value if it
    // exists; when nothing starts, one plain message, and every key opened is closed.
    QFETCH(quint32, pathType);
    QFETCH(QByteArray, pathBytes);
    QFETCH(quint32, granted);
    QFETCH(QByteArray, folder);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, startable);
    QFETCH(QStringList, started);
    QFETCH(QStringList, tested);
    QFETCH(bool, message);

    if (pathType != 0) {
        m_registry.addKey(hklm, msinfoKey, granted);
        m_registry.setValue(hklm, msinfoKey, "PATH", pathType, pathBytes);
    }
    if (!folder.isEmpty())
        m_registry.setString(hklm, locationKey, "MSINFO", folder);
    for (const QString &file : std::as_const(existing))
        m_shell.existingFiles.insert(file);
    for (const QString &program : std::as_const(startable))
        m_shell.startable.insert(program);

    frmAbout about(m_registry, m_shell, m_box, nullptr);
    about.StartSysInfo();

    QCOMPARE(m_shell.started, started);
    QCOMPARE(m_shell.existenceTests, tested);
    QCOMPARE(m_box.calls.size(), message ? 1 : 0);
    if (message) {
        QCOMPARE(m_box.calls.first().prompt, unavailable);
        QCOMPARE(m_box.calls.first().style, int(MessageBox::vbOKOnly));
        QCOMPARE(m_box.calls.first().title, QString());
        QCOMPARE(m_box.calls.first().owner.data(), &about);
    }
    QCOMPARE(m_registry.openHandles(), 0);
}

void TestStartSysInfo::getKeyValueReadsValuesAsText_data()
{
    QTest::addColumn<bool>("keyExists");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text");

    const QString keep = QStringLiteral("caller's text");
    QTest::newRow("string") << true << Registry::REG_SZ << QByteArray("abc\0", 4) << true << QStringLiteral("abc");
    QTest::newRow("string without zero") << true << Registry::REG_SZ << QByteArray("abc") << true << QStringLiteral("abc");
    QTest::newRow("empty string") << true << Registry::REG_SZ << QByteArray("\0", 1) << true << QString();
    QTest::newRow("no bytes at all") << true << Registry::REG_SZ << QByteArray() << true << QString();
    QTest::newRow("eight-bit string") << true << Registry::REG_SZ
                                      << QStringLiteral("Gr\u00fc\u00dfe").toLocal8Bit() + QByteArray(1, '\0')
                                      << true << QStringLiteral("Gr\u00fc\u00dfe");
    QTest::newRow("number 1234") << true << Registry::REG_DWORD << QByteArray("\xd2\x04\x00\x00", 4) << true
                                 << QStringLiteral("1234");
    QTest::newRow("number 0") << true << Registry::REG_DWORD << QByteArray(4, '\0') << true << QStringLiteral("0");
    QTest::newRow("largest number") << true << Registry::REG_DWORD << QByteArray(4, '\xff') << true
                                    << QStringLiteral("4294967295");
    QTest::newRow("expandable string") << true << Registry::REG_EXPAND_SZ << QByteArray("%x%\0", 4) << true << keep;
    QTest::newRow("binary") << true << Registry::REG_BINARY << QByteArray("\x01\x02", 2) << true << keep;
    QTest::newRow("1024 bytes") << true << Registry::REG_SZ << QByteArray(1023, 'y') + QByteArray(1, '\0') << true
                                << QString(1023, u'y');
    QTest::newRow("1025 bytes") << true << Registry::REG_SZ << QByteArray(1024, 'y') + QByteArray(1, '\0') << false
                                << QString();
    QTest::newRow("no such value") << true << quint32(0) << QByteArray() << false << QString();
    QTest::newRow("no such key") << false << quint32(0) << QByteArray() << false << QString();
}

void TestStartSysInfo::getKeyValueReadsValuesAsText()
{
    // Strings lose their terminating zero, numbers become decimal text, other types
    // leave the caller's text; a failed read empties it.
    QFETCH(bool, keyExists);
    QFETCH(quint32, type);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, read);
    QFETCH(QString, text);

    if (keyExists)
        m_registry.addKey(hklm, "SOFTWARE\\Test");
    if (type != 0)
        m_registry.setValue(hklm, "SOFTWARE\\Test", "Value", type, bytes);
    frmAbout about(m_registry, m_shell, m_box, nullptr);
    QString value = QStringLiteral("caller's text");
    QCOMPARE(about.GetKeyValue(hklm, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Value"), value), read);
    QCOMPARE(value, text);
    QCOMPARE(m_registry.openHandles(), 0);
}

void TestStartSysInfo::getKeyValueOpensWithTheClassicRightsAndClosesTheKey()
{
    // The key is opened once, with access mask 0x2003F, and closed after the read.
    m_registry.setString(hklm, "SOFTWARE\\Test", "Value", "v");
    frmAbout about(m_registry, m_shell, m_box, nullptr);
    QString value;
    QVERIFY(about.GetKeyValue(hklm, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Value"), value));
    QCOMPARE(m_registry.opens.size(), 1);
    QCOMPARE(m_registry.opens.first().root, hklm);
    QCOMPARE(m_registry.opens.first().subKey, QByteArray("SOFTWARE\\Test"));
    QCOMPARE(m_registry.opens.first().accessMask, quint32(0x2003F));
    QCOMPARE(m_registry.queries, QList<QByteArray>{"Value"});
    QCOMPARE(m_registry.closes, 1);
}

void TestStartSysInfo::realShellStartsTheProgramDetached_data()
{
    QTest::addColumn<bool>("byFolder");
    QTest::addColumn<bool>("there");
    QTest::newRow("named by PATH") << false << true;
    QTest::newRow("MSINFO32.EXE in the folder") << true << true;
    // A PATH value naming no file cannot start, and the message says so.
    QTest::newRow("PATH naming no file") << false << false;
}

void TestStartSysInfo::realShellStartsTheProgramDetached()
{
    // The tool really runs, on its own, straight from its file name (spaces and all).
    QFETCH(bool, byFolder);
    QFETCH(bool, there);
    const QString folder = m_dir->filePath(QStringLiteral("Shared Tools"));
    const QString mark = m_dir->filePath(QStringLiteral("ran.mark"));
    const QString program = folder + (byFolder ? QStringLiteral("/MSINFO32.EXE") : QStringLiteral("/sys info"));
    QVERIFY(!there || !writeMarkingProgram(program, mark).isEmpty());
    if (byFolder)
        m_registry.setString(hklm, locationKey, "MSINFO", folder.toLocal8Bit());
    else
        m_registry.setString(hklm, msinfoKey, "PATH", program.toLocal8Bit());

    QtShell shell;
    frmAbout about(m_registry, shell, m_box, nullptr);
    about.StartSysInfo();
    if (there)
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);
    QCOMPARE(m_box.calls.size(), there ? 0 : 1);
    if (!there)
        QCOMPARE(m_box.calls.first().prompt, unavailable);
}

void TestStartSysInfo::thisMachinesToolIsFoundOnThePath_data()
{
    QTest::addColumn<bool>("installed");
    QTest::newRow("an information tool") << true;
    QTest::newRow("none") << false;
}

void TestStartSysInfo::thisMachinesToolIsFoundOnThePath()
{
    // On this system the About window starts the first information tool on the PATH;
    // with none installed the message is shown and nothing starts.
    QFETCH(bool, installed);
    const QString mark = m_dir->filePath(QStringLiteral("kinfo.mark"));
    QVERIFY(!installed || !writeMarkingProgram(m_dir->filePath(QStringLiteral("kinfocenter")), mark).isEmpty());
    {
        const auto path = TestFiles::setVariable("PATH", QFile::encodeName(m_dir->path()));
        LinuxRegistry registry;
        QtShell shell;
        frmAbout about(registry, shell, m_box, nullptr);
        about.StartSysInfo();
    }
    if (installed)
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(mark), 10000);
    QCOMPARE(m_box.calls.size(), installed ? 0 : 1);
    if (!installed)
        QCOMPARE(m_box.calls.first().prompt, unavailable);
}

QTEST_MAIN(TestStartSysInfo)
#include "tst_startSysInfo.moc"
