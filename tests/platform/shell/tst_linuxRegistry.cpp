#include "platform/shell/LinuxRegistry.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
constexpr Registry::HKEY hklm = Registry::HKEY_LOCAL_MACHINE;
const QByteArray msinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
} // namespace

// The registry's one answer on this system: where a system-information tool lives.
class TestLinuxRegistry : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pathNamesTheFirstToolInstalled_data();
    void pathNamesTheFirstToolInstalled();
    void onlyTheMsinfoKeyExists_data();
    void onlyTheMsinfoKeyExists();
    void keyAndValueNamesIgnoreCase();
    void aSmallBufferIsToldTheSizeNeeded();
    void closedOrUnknownHandlesAreRefused();

private:
    QString install(const QString &name, bool executable = true);
    Registry::HKEY open(LinuxRegistry &registry);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::optional<QScopeGuard<std::function<void()>>> m_path;
};

void TestLinuxRegistry::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path.emplace(TestFiles::setVariable("PATH", QFile::encodeName(m_dir->path())));
}

void TestLinuxRegistry::cleanup()
{
    m_path.reset();
    m_dir.reset();
}

QString TestLinuxRegistry::install(const QString &name, bool executable)
{
    return TestFiles::writeProgram(m_dir->filePath(name), {}, executable);
}

Registry::HKEY TestLinuxRegistry::open(LinuxRegistry &registry)
{
    Registry::HKEY key = 0;
    if (registry.regOpenKeyEx(hklm, msinfoKey, 0, 0x2003F, &key) != Registry::ERROR_SUCCESS)
        return 0;
    return key;
}

void TestLinuxRegistry::pathNamesTheFirstToolInstalled_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("notExecutable");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one tool") << QStringList{QStringLiteral("kinfocenter")} << QStringList()
                              << QStringLiteral("kinfocenter");
    QTest::newRow("best of several") << QStringList{QStringLiteral("gnome-system-monitor"), QStringLiteral("hardinfo")}
                                     << QStringList() << QStringLiteral("hardinfo");
    QTest::newRow("unrunnable file skipped") << QStringList{QStringLiteral("gnome-system-monitor")}
                                             << QStringList{QStringLiteral("hardinfo")}
                                             << QStringLiteral("gnome-system-monitor");
    QTest::newRow("none") << QStringList() << QStringList{QStringLiteral("hardinfo")} << QString();
}

void TestLinuxRegistry::pathNamesTheFirstToolInstalled()
{
    // "PATH" is the full name of the best tool on the PATH, as a string with its zero;
    // with no tool installed the value does not exist.
    QFETCH(QStringList, installed);
    QFETCH(QStringList, notExecutable);
    QFETCH(QString, expected);
    for (const QString &name : std::as_const(installed))
        QVERIFY(!install(name).isEmpty());
    for (const QString &name : std::as_const(notExecutable))
        QVERIFY(!install(name, false).isEmpty());

    LinuxRegistry registry;
    const Registry::HKEY key = open(registry);
    QVERIFY(key != 0);
    char buffer[1024] = {};
    quint32 size = sizeof buffer;
    quint32 type = 0;
    const qint32 result = registry.regQueryValueEx(key, "PATH", &type, buffer, &size);
    if (expected.isEmpty()) {
        QCOMPARE(result, Registry::ERROR_FILE_NOT_FOUND);
    } else {
        QCOMPARE(result, Registry::ERROR_SUCCESS);
        QCOMPARE(type, Registry::REG_SZ);
        const QByteArray path = QFile::encodeName(m_dir->filePath(expected));
        QCOMPARE(size, quint32(path.size() + 1));
        QCOMPARE(QByteArray(buffer, int(size)), path + QByteArray(1, '\0'));
    }
    QCOMPARE(registry.regCloseKey(key), Registry::ERROR_SUCCESS);
}

void TestLinuxRegistry::onlyTheMsinfoKeyExists_data()
{
    QTest::addColumn<quint32>("root");
    QTest::addColumn<QByteArray>("subKey");

    QTest::newRow("folder key") << quint32(hklm) << QByteArray("SOFTWARE\\Microsoft\\Shared Tools Location");
    QTest::newRow("other root") << quint32(0x80000001u) << msinfoKey;
    QTest::newRow("parent key") << quint32(hklm) << QByteArray("SOFTWARE\\Microsoft\\Shared Tools");
    QTest::newRow("empty") << quint32(hklm) << QByteArray();
}

void TestLinuxRegistry::onlyTheMsinfoKeyExists()
{
    // Every key but the one asked about is absent, whatever is installed.
    QFETCH(quint32, root);
    QFETCH(QByteArray, subKey);
    install(QStringLiteral("hardinfo"));
    LinuxRegistry registry;
    Registry::HKEY key = 42;
    QCOMPARE(registry.regOpenKeyEx(root, subKey, 0, 0x2003F, &key), Registry::ERROR_FILE_NOT_FOUND);
    QCOMPARE(key, Registry::HKEY(0));
}

void TestLinuxRegistry::keyAndValueNamesIgnoreCase()
{
    // Names match whatever their case, as the system's registry does.
    install(QStringLiteral("hardinfo"));
    LinuxRegistry registry;
    Registry::HKEY key = 0;
    QCOMPARE(registry.regOpenKeyEx(hklm, "software\\MICROSOFT\\shared tools\\MsInfo", 0, 0x2003F, &key),
             Registry::ERROR_SUCCESS);
    char buffer[1024] = {};
    quint32 size = sizeof buffer;
    QCOMPARE(registry.regQueryValueEx(key, "Path", nullptr, buffer, &size), Registry::ERROR_SUCCESS);
    QCOMPARE(registry.regQueryValueEx(key, "MSINFO", nullptr, buffer, &size), Registry::ERROR_FILE_NOT_FOUND);
    registry.regCloseKey(key);
}

void TestLinuxRegistry::aSmallBufferIsToldTheSizeNeeded()
{
    // A value that does not fit is refused with the size it needs, and nothing is written.
    const QString tool = install(QStringLiteral("hardinfo"));
    LinuxRegistry registry;
    const Registry::HKEY key = open(registry);
    char buffer[4] = {'a', 'b', 'c', 'd'};
    quint32 size = sizeof buffer;
    QCOMPARE(registry.regQueryValueEx(key, "PATH", nullptr, buffer, &size), Registry::ERROR_MORE_DATA);
    QCOMPARE(size, quint32(QFile::encodeName(tool).size() + 1));
    QCOMPARE(QByteArray(buffer, 4), QByteArray("abcd"));
    registry.regCloseKey(key);
}

void TestLinuxRegistry::closedOrUnknownHandlesAreRefused()
{
    // A handle is good from its open to its close, and never after.
    install(QStringLiteral("hardinfo"));
    LinuxRegistry registry;
    const Registry::HKEY key = open(registry);
    QCOMPARE(registry.regCloseKey(key), Registry::ERROR_SUCCESS);
    char buffer[1024] = {};
    quint32 size = sizeof buffer;
    QCOMPARE(registry.regQueryValueEx(key, "PATH", nullptr, buffer, &size), Registry::ERROR_INVALID_HANDLE);
    QCOMPARE(registry.regCloseKey(key), Registry::ERROR_INVALID_HANDLE);
    QCOMPARE(registry.regQueryValueEx(hklm, "PATH", nullptr, buffer, &size), Registry::ERROR_INVALID_HANDLE);
}

QTEST_MAIN(TestLinuxRegistry)
#include "tst_linuxRegistry.moc"
