#include "platform/session/App.h"
#include "support/Pixels.h"
#include "support/TestFiles.h"
#include "support/XSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <filesystem>

#include <unistd.h>

namespace {

struct Run
{
    bool finished{false};
    int exitCode{-1};
    QString output;  // stdout and stderr together
};

Run run(const QString &program, const QStringList &arguments, const QString &workingDir = {},
        int msecs = 60000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    Run result;
    result.finished = process.waitForFinished(msecs) && process.exitStatus() == QProcess::NormalExit;
    if (!result.finished)
        process.kill();
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

// apt-get without questions, waiting for the package database if another apt holds
// it; as root, directly or through sudo, which must not ask for a password.
Run aptGetAsRoot(const QStringList &arguments, int msecs)
{
    const QStringList sudo = geteuid() == 0 ? QStringList{} : QStringList{QStringLiteral("sudo"), QStringLiteral("-n")};
    QStringList command = sudo
        + QStringList{QStringLiteral("env"), QStringLiteral("DEBIAN_FRONTEND=noninteractive"), QStringLiteral("apt-get"),
                      QStringLiteral("-y"), QStringLiteral("-q"), QStringLiteral("-o"),
                      QStringLiteral("DPkg::Lock::Timeout=300")}
        + arguments;
    const QString program = command.takeFirst();
    return run(program, command, {}, msecs);
}

// Whether dpkg knows the tessaly package as more than "not installed".
bool packageIsOnTheSystem()
{
    const Run query = run(QStringLiteral("dpkg-query"), {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Status}"),
                                                          QStringLiteral("tessaly")});
    const QString state = query.output.trimmed();
    return query.finished && query.exitCode == 0 && !state.isEmpty() && state != QLatin1String("not-installed");
}

QString version()
{
    return QStringLiteral("%1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision());
}

// The package that owns a file, as dpkg knows it ("" when none does).
QString owningPackage(const QString &fileName)
{
    const Run dpkg = run(QStringLiteral("dpkg"), {QStringLiteral("-S"), QFileInfo(fileName).canonicalFilePath()});
    if (!dpkg.finished || dpkg.exitCode != 0)
        return {};
    return dpkg.output.section(QLatin1Char(':'), 0, 0).trimmed();
}

} // namespace

// Installing the game: the tree `cmake --install` lays down, and the Debian package
// built from debian/: its layout, lintian's verdict, installing it, its game started
// from /usr/games, and purging it. Building the package takes minutes, so that part
// (the debianPackage* functions and "Debian package" rows) runs on its own in
// `make package-test`, with TESSALY_PACKAGE_TEST set, and `make test` runs the rest.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void installedTreeHasEveryFile_data();
    void installedTreeHasEveryFile();
    void launcherIsARelativeLinkToTheGame();
    void helpFileBesideTheGameIsTheOneFromTheSources();
    void iconsComeInEverySizeAtThatSize_data();
    void iconsComeInEverySizeAtThatSize();
    void desktopEntryStartsTheGameFromThePath();
    void metainfoNamesTheDesktopEntryAndThisVersion();
    void validatorsAcceptDesktopEntryAndMetainfo_data();
    void validatorsAcceptDesktopEntryAndMetainfo();
    void installedGameStartsFromTheLauncherAndFindsItsHelp_data();
    void installedGameStartsFromTheLauncherAndFindsItsHelp();

    void debianPackageNamesTheGameAndThisVersion();
    void debianPackageDependsOnWhatQtNeedsAtRunTime_data();
    void debianPackageDependsOnWhatQtNeedsAtRunTime();
    void debianPackageHoldsTheInstalledTreeUnderUsr_data();
    void debianPackageHoldsTheInstalledTreeUnderUsr();
    void debianPackagePassesLintianWithNoErrorOrWarning();
    void debianPackageGameIsHardenedAndStripped_data();
    void debianPackageGameIsHardenedAndStripped();
    void debianPackagePurgesWithoutATrace();

private:
    QString installed(const QString &relative) const { return m_prefix + QLatin1Char('/') + relative; }
    QString metainfoFile() const;
    // Builds the .deb once, on first use; "" (and a failed check) when it cannot.
    QString debianPackage();
    QString packageField(const QString &field);
    // Installs the package once, on first use; false (with m_installError) when it cannot.
    bool installPackage();

    QString m_buildDir;
    QString m_sourceDir;
    QTemporaryDir m_root;
    QString m_prefix;
    QString m_package;
    QString m_debugPackage;
    QString m_packageError;
    bool m_packagePart{false};
    bool m_packageWasThere{false};  // installed before the test: it is left alone
    bool m_installed{false};
    QString m_installError;
};

void TestInstall::initTestCase()
{
    m_buildDir = qEnvironmentVariable("TESSALY_BUILD_DIR");
    m_sourceDir = qEnvironmentVariable("TESSALY_SOURCE_DIR");
    QVERIFY2(QFileInfo::exists(m_buildDir + QStringLiteral("/cmake_install.cmake")),
             "TESSALY_BUILD_DIR must name a configured build folder");
    QVERIFY(m_root.isValid());

    // Installed in one place and then moved: nothing may point back to where it was put.
    const QString first = m_root.filePath(QStringLiteral("first"));
    const Run install = run(QStringLiteral("cmake"), {QStringLiteral("--install"), m_buildDir,
                                                      QStringLiteral("--prefix"), first});
    QVERIFY2(install.finished && install.exitCode == 0, qPrintable(install.output));
    m_prefix = m_root.filePath(QStringLiteral("moved"));
    QVERIFY(QDir().rename(first, m_prefix));
    m_packagePart = qEnvironmentVariableIsSet("TESSALY_PACKAGE_TEST");
    m_packageWasThere = packageIsOnTheSystem();
}

void TestInstall::init()
{
    const bool packageTest = QByteArray(QTest::currentTestFunction()).startsWith("debianPackage")
        || QByteArray(QTest::currentDataTag()).startsWith("Debian package");
    if (packageTest && !m_packagePart)
        QSKIP("runs in make package-test");
    if (!packageTest && m_packagePart)
        QSKIP("runs in make test");
}

void TestInstall::cleanupTestCase()
{
    if (m_installed)
        aptGetAsRoot({QStringLiteral("purge"), QStringLiteral("tessaly")}, 300000);
}

QString TestInstall::metainfoFile() const
{
    const QStringList files = QDir(installed(QStringLiteral("share/metainfo")))
                                  .entryList({QStringLiteral("*.metainfo.xml")}, QDir::Files);
    return files.size() == 1 ? installed(QStringLiteral("share/metainfo/") + files.first()) : QString();
}

void TestInstall::installedTreeHasEveryFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("game") << QStringLiteral("libexec/tessaly/tessaly") << true;
    QTest::newRow("help file") << QStringLiteral("libexec/tessaly/Tessaly.hlp") << false;
    for (const char *language : {"de", "fr", "es"}) {
        QTest::addRow("%s help file", language)
            << QStringLiteral("libexec/tessaly/Tessaly_%1.hlp").arg(QLatin1String(language)) << false;
        QTest::addRow("%s translation", language)
            << QStringLiteral("libexec/tessaly/translations/tessaly_%1.qm").arg(QLatin1String(language)) << false;
    }
    QTest::newRow("launcher") << QStringLiteral("bin/tessaly") << true;
    QTest::newRow("desktop entry") << QStringLiteral("share/applications/tessaly.desktop") << false;
    QTest::newRow("scalable icon") << QStringLiteral("share/icons/hicolor/scalable/apps/tessaly.svg") << false;
    QTest::newRow("manual page") << QStringLiteral("share/man/man6/tessaly.6") << false;
}

void TestInstall::installedTreeHasEveryFile()
{
    // Each piece of the desktop install is where menus, shells and the game look for it.
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo file(installed(path));
    QVERIFY2(file.isFile(), qPrintable(path));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
}

void TestInstall::launcherIsARelativeLinkToTheGame()
{
    // The launcher on the PATH is a link the game resolves to its own folder, and it
    // still leads there after the tree has moved (DESTDIR, the package, a new prefix).
    const QFileInfo launcher(installed(QStringLiteral("bin/tessaly")));
    QVERIFY(launcher.isSymLink());
    const QString linkText = QString::fromStdString(std::filesystem::read_symlink(launcher.filePath().toStdString()).string());
    QVERIFY2(QDir::isRelativePath(linkText), qPrintable(linkText));
    QCOMPARE(launcher.canonicalFilePath(), QFileInfo(installed(QStringLiteral("libexec/tessaly/tessaly"))).canonicalFilePath());
}

void TestInstall::helpFileBesideTheGameIsTheOneFromTheSources()
{
    // The game reads the help from its own folder; a stale or empty copy would be shown.
    const QByteArray installedHelp = TestFiles::read(installed(QStringLiteral("libexec/tessaly/Tessaly.hlp")));
    QVERIFY(!installedHelp.isEmpty());
    QVERIFY(installedHelp == TestFiles::read(TestFiles::source(QStringLiteral("assets/help/Tessaly.hlp"))));
}

void TestInstall::iconsComeInEverySizeAtThatSize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void TestInstall::iconsComeInEverySizeAtThatSize()
{
    // The icon theme picks a file by its folder's size; a wrong size there is shown blurred.
    QFETCH(int, size);
    const QString path = installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/tessaly.png").arg(size));
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
}

void TestInstall::desktopEntryStartsTheGameFromThePath()
{
    // The menu entry runs the installed launcher by name, shows the installed icon, files
    // the game under games, is found by its keywords and shows the game is starting.
    QHash<QString, QString> entry;
    const QHash<QString, QString> file = TestFiles::readIni(installed(QStringLiteral("share/applications/tessaly.desktop")));
    for (auto it = file.cbegin(); it != file.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("Desktop Entry/")))
            entry.insert(it.key().section(QLatin1Char('/'), 1), it.value());
    }
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), App::title());
    QCOMPARE(entry.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
    QCOMPARE(entry.value(QStringLiteral("Keywords")), QStringLiteral("memory;sequence;colour;tone;"));
    QCOMPARE(entry.value(QStringLiteral("StartupNotify")), QStringLiteral("true"));
    const QString exec = entry.value(QStringLiteral("Exec"));
    QVERIFY2(QFileInfo(installed(QStringLiteral("bin/") + exec)).isExecutable(), qPrintable(exec));
    const QString icon = entry.value(QStringLiteral("Icon"));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(icon))));
    const QStringList categories = entry.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QVERIFY(categories.contains(QStringLiteral("Game")));
    QVERIFY(categories.contains(QStringLiteral("LogicGame")));
}

void TestInstall::metainfoNamesTheDesktopEntryAndThisVersion()
{
    // Software centres join the metainfo to the menu entry through its launchable, list
    // the release the program itself reports and the licence of the sources.
    const QString fileName = metainfoFile();
    QVERIFY2(!fileName.isEmpty(), "exactly one metainfo file");
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString id, launchable, name, developer, licence;
    QStringList releases;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto element = xml.name();
        if (element == QLatin1String("id"))
            id = xml.readElementText();
        else if (element == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (element == QLatin1String("name") && name.isEmpty())
            name = xml.readElementText();
        else if (element == QLatin1String("developer_name"))
            developer = xml.readElementText();
        else if (element == QLatin1String("project_license"))
            licence = xml.readElementText();
        else if (element == QLatin1String("release"))
            releases << xml.attributes().value(QLatin1String("version")).toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(QFileInfo(fileName).fileName(), id + QStringLiteral(".metainfo.xml"));
    QCOMPARE(launchable, QStringLiteral("tessaly.desktop"));
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/applications/") + launchable)));
    QCOMPARE(name, App::title());
    QCOMPARE(developer, QStringLiteral("Brindlecove Games"));
    QCOMPARE(releases.value(0), version());
    QFile licenceFile(m_sourceDir + QStringLiteral("/LICENSE"));
    QVERIFY(licenceFile.open(QIODevice::ReadOnly));
    QCOMPARE(licence + QStringLiteral(" License"), QString::fromUtf8(licenceFile.readLine()).trimmed());
}

void TestInstall::validatorsAcceptDesktopEntryAndMetainfo_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop-file-validate")
        << QStringLiteral("desktop-file-validate") << QStringList{QStringLiteral("share/applications/tessaly.desktop")};
    QTest::newRow("appstreamcli validate")
        << QStringLiteral("appstreamcli")
        << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--pedantic"),
                       QStringLiteral("share/metainfo/*")};
    QTest::newRow("appstreamcli validate-tree")
        << QStringLiteral("appstreamcli")
        << QStringList{QStringLiteral("validate-tree"), QStringLiteral("--no-net"), QStringLiteral("--pedantic"),
                       QStringLiteral(".")};
}

void TestInstall::validatorsAcceptDesktopEntryAndMetainfo()
{
    // The freedesktop and AppStream checkers pass the installed files with no error,
    // no warning and no hint about our own files.
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    for (QString &argument : arguments) {
        if (argument == QLatin1String("share/metainfo/*"))
            argument = metainfoFile();
    }
    const Run check = run(program, arguments, m_prefix);
    QVERIFY2(check.finished && check.exitCode == 0, qPrintable(check.output));
    if (program == QLatin1String("desktop-file-validate")) {
        QVERIFY2(check.output.trimmed().isEmpty(), qPrintable(check.output));
    } else {
        // Only the note that the ".example" domain is no known top-level domain may remain.
        const QRegularExpression issue(QStringLiteral("^\\s*([EWIP]): \\S+: (\\S+)"),
                                       QRegularExpression::MultilineOption);
        for (auto it = issue.globalMatch(check.output); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            QVERIFY2(m.captured(2) == QLatin1String("cid-maybe-not-rdns"), qPrintable(check.output));
        }
    }
}

void TestInstall::installedGameStartsFromTheLauncherAndFindsItsHelp_data()
{
    QTest::addColumn<bool>("fromPackage");
    QTest::newRow("cmake --install, bin/tessaly") << false;
    QTest::newRow("Debian package, /usr/games/tessaly") << true;
}

void TestInstall::installedGameStartsFromTheLauncherAndFindsItsHelp()
{
    // Started from its launcher, the game opens its window and its help shows the
    // installed help file's own pages (its blue headings), not the page for a missing file.
    QFETCH(bool, fromPackage);
    if (fromPackage && m_packageWasThere)
        QSKIP("a tessaly package was installed before the test; it is left alone");
    QVERIFY2(!fromPackage || installPackage(), qPrintable(m_installError));
    const QString launcher = fromPackage ? QStringLiteral("/usr/games/tessaly") : installed(QStringLiteral("bin/tessaly"));
    qputenv("TESSALY_BINARY", launcher.toLocal8Bit());
    XSession game;
    QVERIFY2(game.start(), qPrintable(game.error()));

    game.focusBoard();
    game.keys({QStringLiteral("F1")});
    const QString helpWindow = game.waitForWindowTitled(QStringLiteral("^Tessaly Help$"));
    QVERIFY2(!helpWindow.isEmpty(), "no help window appeared");
    const QRect frame = XSession::windowRect(helpWindow);
    QVERIFY(!frame.isEmpty());
    const QRgb headingBlue = qRgb(0x1a, 0x4f, 0x8b);  // the help file's own style sheet
    QTRY_VERIFY_WITH_TIMEOUT(Pixels::count(XSession::grabScreen(frame), headingBlue, {}, 10) > 30, 5000);

    // Still running with its help open; the session ends it.
    QVERIFY(!game.waitForExit(0));
}

QString TestInstall::debianPackage()
{
    if (!m_package.isEmpty() || !m_packageError.isEmpty())
        return m_package;
    // In the build folder, always the same place, so that ccache knows the compilations.
    const Run build = run(m_sourceDir + QStringLiteral("/packaging/build-deb.sh"),
                          {m_sourceDir, m_buildDir + QStringLiteral("/package-test")}, {}, 1200000);
    for (const QString &line : build.output.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1String(".deb")))
            (line.contains(QLatin1String("-dbgsym_")) ? m_debugPackage : m_package) = line;
    }
    if (!build.finished || build.exitCode != 0 || m_package.isEmpty() || m_debugPackage.isEmpty()) {
        m_package.clear();
        m_packageError = QStringLiteral("the package build failed:\n") + build.output;
    }
    return m_package;
}

bool TestInstall::installPackage()
{
    if (m_installed)
        return true;
    if (debianPackage().isEmpty()) {
        m_installError = m_packageError;
        return false;
    }
    const Run apt = aptGetAsRoot({QStringLiteral("install"), QStringLiteral("--no-install-recommends"), debianPackage()},
                                 600000);
    m_installed = apt.finished && apt.exitCode == 0 && packageIsOnTheSystem();
    if (!m_installed)
        m_installError = QStringLiteral("apt-get install failed (root or sudo without a password is needed):\n")
            + apt.output;
    return m_installed;
}

QString TestInstall::packageField(const QString &field)
{
    return run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), debianPackage(), field}).output.trimmed();
}

void TestInstall::debianPackageNamesTheGameAndThisVersion()
{
    // The package carries the program's own version (debian/changelog repeats it) and
    // files itself under games; its debug symbols come in a package of their own.
    QVERIFY2(!debianPackage().isEmpty(), qPrintable(m_packageError));
    const QString architecture = run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).output.trimmed();
    QCOMPARE(QFileInfo(debianPackage()).fileName(), QStringLiteral("tessaly_%1_%2.deb").arg(version(), architecture));
    QCOMPARE(packageField(QStringLiteral("Package")), QStringLiteral("tessaly"));
    QCOMPARE(packageField(QStringLiteral("Version")), version());
    QCOMPARE(packageField(QStringLiteral("Section")), QStringLiteral("games"));
    QVERIFY(!packageField(QStringLiteral("Maintainer")).isEmpty());
    QVERIFY(!packageField(QStringLiteral("Homepage")).isEmpty());
    QCOMPARE(packageField(QStringLiteral("Recommends")), QStringLiteral("qt6-wayland"));
    QCOMPARE(QFileInfo(m_debugPackage).fileName(), QStringLiteral("tessaly-dbgsym_%1_%2.deb").arg(version(), architecture));
}

void TestInstall::debianPackageDependsOnWhatQtNeedsAtRunTime_data()
{
    QTest::addColumn<QString>("file");
    const QString libs = QLibraryInfo::path(QLibraryInfo::LibrariesPath);
    for (const char *module : {"Core", "Gui", "Widgets"})
        QTest::addRow("Qt %s", module) << QStringLiteral("%1/libQt6%2.so.6").arg(libs, QLatin1String(module));
    // Opened at run time, not linked, so nothing but the packaging names it.
    QTest::newRow("PulseAudio client library") << libs + QStringLiteral("/libpulse.so.0");
    QTest::newRow("X11 platform plugin")
        << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so");
    QTest::newRow("Qt's own translations")
        << QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    QTest::newRow("Liberation fonts") << QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
}

void TestInstall::debianPackageDependsOnWhatQtNeedsAtRunTime()
{
    // Installing the package brings every library the game links or opens, the platform
    // plugin Qt loads at run time and the fonts its windows are laid out for.
    QFETCH(QString, file);
    QVERIFY2(!debianPackage().isEmpty(), qPrintable(m_packageError));
    const QString owner = owningPackage(file);
    if (owner.isEmpty())
        QSKIP(qPrintable(file + QStringLiteral(" does not belong to an installed package here")));
    const QStringList depends = packageField(QStringLiteral("Depends")).split(QLatin1Char(','));
    bool found = false;
    for (const QString &dependency : depends)
        found = found || dependency.trimmed().section(QLatin1Char(' '), 0, 0) == owner;
    QVERIFY2(found, qPrintable(owner + QStringLiteral(" missing from ") + depends.join(QLatin1Char(','))));
}

void TestInstall::debianPackageHoldsTheInstalledTreeUnderUsr_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("linkTarget");
    QTest::newRow("launcher") << QStringLiteral("./usr/games/tessaly") << QStringLiteral("../libexec/tessaly/tessaly");
    QTest::newRow("game") << QStringLiteral("./usr/libexec/tessaly/tessaly") << QString();
    QTest::newRow("help file beside the game")
        << QStringLiteral("./usr/libexec/tessaly/Tessaly.hlp") << QStringLiteral("../../share/games/tessaly/Tessaly.hlp");
    QTest::newRow("help file") << QStringLiteral("./usr/share/games/tessaly/Tessaly.hlp") << QString();
    for (const char *language : {"de", "fr", "es"}) {
        const QString help = QStringLiteral("Tessaly_%1.hlp").arg(QLatin1String(language));
        QTest::addRow("%s help file", language) << QStringLiteral("./usr/share/games/tessaly/") + help << QString();
        QTest::addRow("%s help file beside the game", language)
            << QStringLiteral("./usr/libexec/tessaly/") + help << QStringLiteral("../../share/games/tessaly/") + help;
        QTest::addRow("%s translation", language)
            << QStringLiteral("./usr/share/games/tessaly/translations/tessaly_%1.qm").arg(QLatin1String(language))
            << QString();
    }
    QTest::newRow("translations beside the game")
        << QStringLiteral("./usr/libexec/tessaly/translations") << QStringLiteral("../../share/games/tessaly/translations");
    QTest::newRow("desktop entry") << QStringLiteral("./usr/share/applications/tessaly.desktop") << QString();
    for (int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("icon %d", size) << QStringLiteral("./usr/share/icons/hicolor/%1x%1/apps/tessaly.png").arg(size)
                                       << QString();
    QTest::newRow("scalable icon") << QStringLiteral("./usr/share/icons/hicolor/scalable/apps/tessaly.svg") << QString();
    QTest::newRow("metainfo") << QStringLiteral("./usr/share/metainfo/") << QString();
    QTest::newRow("manual page") << QStringLiteral("./usr/share/man/man6/tessaly.6.gz") << QString();
    QTest::newRow("copyright") << QStringLiteral("./usr/share/doc/tessaly/copyright") << QString();
}

void TestInstall::debianPackageHoldsTheInstalledTreeUnderUsr()
{
    // The package lays the game out as Debian games are: the launcher in /usr/games, the
    // help file as data in /usr/share/games, reached through a link beside the binary.
    QFETCH(QString, path);
    QFETCH(QString, linkTarget);
    QVERIFY2(!debianPackage().isEmpty(), qPrintable(m_packageError));
    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), debianPackage()});
    QVERIFY(contents.finished && contents.exitCode == 0);
    // A line ends in the path, or in "path -> target" for a link; the metainfo row
    // names only its folder, since the file is named after the component id.
    const QRegularExpression row(QStringLiteral(" %1%2( -> .*)?$")
                                     .arg(QRegularExpression::escape(path),
                                          path.endsWith(QLatin1Char('/')) ? QStringLiteral("[^/ ]+\\.metainfo\\.xml")
                                                                          : QString()));
    QString entry;
    for (const QString &line : contents.output.split(QLatin1Char('\n'))) {
        if (row.match(line).hasMatch())
            entry = line;
    }
    QVERIFY2(!entry.isEmpty(), qPrintable(path + QStringLiteral(" not in\n") + contents.output));
    if (linkTarget.isEmpty()) {
        QVERIFY2(entry.startsWith(QLatin1Char('-')), qPrintable(entry));
    } else {
        QVERIFY2(entry.startsWith(QLatin1Char('l')), qPrintable(entry));
        QVERIFY2(entry.endsWith(QStringLiteral(" -> ") + linkTarget), qPrintable(entry));
    }
}

void TestInstall::debianPackagePassesLintianWithNoErrorOrWarning()
{
    // Debian's own checker, at its pickiest, finds nothing worse than a note in either package.
    QVERIFY2(!debianPackage().isEmpty(), qPrintable(m_packageError));
    const Run lintian = run(QStringLiteral("lintian"), {QStringLiteral("--pedantic"), QStringLiteral("--fail-on"),
                                                         QStringLiteral("error,warning"), m_package, m_debugPackage},
                            {}, 600000);
    QVERIFY2(lintian.finished && lintian.exitCode == 0, qPrintable(lintian.output));
    const QRegularExpression complaint(QStringLiteral("^[EW]: "), QRegularExpression::MultilineOption);
    QVERIFY2(!complaint.match(lintian.output).hasMatch(), qPrintable(lintian.output));
}

void TestInstall::debianPackageGameIsHardenedAndStripped_data()
{
    QTest::addColumn<QStringList>("readelf");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("found");
    QTest::newRow("position independent") << QStringList{QStringLiteral("-h")} << QStringLiteral("Type:\\s+DYN") << true;
    QTest::newRow("read-only relocations") << QStringList{QStringLiteral("-l")} << QStringLiteral("GNU_RELRO") << true;
    QTest::newRow("immediate binding")
        << QStringList{QStringLiteral("-d")} << QStringLiteral("\\(FLAGS\\)\\s+BIND_NOW|\\(FLAGS_1\\).*\\bNOW\\b") << true;
    QTest::newRow("stack protector") << QStringList{QStringLiteral("--dyn-syms")} << QStringLiteral("__stack_chk_fail") << true;
    QTest::newRow("no debug information")
        << QStringList{QStringLiteral("-S")} << QStringLiteral("\\.debug_|\\.symtab|\\.comment") << false;
}

void TestInstall::debianPackageGameIsHardenedAndStripped()
{
    // The game is built with Debian's hardening flags and shipped stripped (its debug
    // symbols go to the -dbgsym package).
    QFETCH(QStringList, readelf);
    QFETCH(QString, pattern);
    QFETCH(bool, found);
    QVERIFY2(!debianPackage().isEmpty(), qPrintable(m_packageError));
    const QString unpacked = m_root.filePath(QStringLiteral("unpacked"));
    if (!QFileInfo::exists(unpacked))
        QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), m_package, unpacked}).exitCode, 0);
    const Run elf = run(QStringLiteral("readelf"),
                        readelf + QStringList{QStringLiteral("-W"), unpacked + QStringLiteral("/usr/libexec/tessaly/tessaly")});
    QVERIFY2(elf.finished && elf.exitCode == 0, qPrintable(elf.output));
    QVERIFY2(QRegularExpression(pattern, QRegularExpression::MultilineOption).match(elf.output).hasMatch() == found,
             qPrintable(elf.output));
}

void TestInstall::debianPackagePurgesWithoutATrace()
{
    // Purging the installed package takes away every file and link it brought, and
    // dpkg no longer knows it.
    if (m_packageWasThere)
        QSKIP("a tessaly package was installed before the test; it is left alone");
    QVERIFY2(installPackage(), qPrintable(m_installError));
    QStringList files;
    for (const QString &path : run(QStringLiteral("dpkg-query"), {QStringLiteral("-L"), QStringLiteral("tessaly")})
                                   .output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (QFileInfo(path).isSymLink() || QFileInfo(path).isFile())
            files << path;
    }
    QVERIFY2(files.contains(QStringLiteral("/usr/games/tessaly")), qPrintable(files.join(QLatin1Char('\n'))));
    const Run apt = aptGetAsRoot({QStringLiteral("purge"), QStringLiteral("tessaly")}, 300000);
    m_installed = packageIsOnTheSystem();
    QVERIFY2(apt.finished && apt.exitCode == 0 && !m_installed, qPrintable(apt.output));
    for (const QString &path : files + QStringList{QStringLiteral("/usr/libexec/tessaly"), QStringLiteral("/usr/share/games/tessaly")})
        QVERIFY2(!QFileInfo(path).exists() && !QFileInfo(path).isSymLink(), qPrintable(path));
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
