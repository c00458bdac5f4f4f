#include "platform/help/HelpViewer.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/QtHelpViewer.h"
#include "support/Pixels.h"
#include "support/RecordingShell.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWindow>

#include <memory>

#include <sys/stat.h>

namespace {

const char sample[] =
    "<html><head><title>Sample Help</title>\n"
    "<style>h2 { color: #123456; }</style></head>\n"
    "<body>\n"
    "<!-- topic id=\"contents\" context=\"1\" title=\"Contents\" -->\n"
    "<h1>Sample contents</h1><p><a href=\"#rules\">Rules</a> <a href=\"#nowhere\">Gone</a>\n"
    "<a href=\"http://example.org/more.htm\">Web</a> <a href=\"file:///etc/hostname\">File</a>\n"
    "<a href=\"https://example.org/secure\">Secure</a></p>\n"
    "<!-- topic id=\"rules\" context=\"2\" title=\"Rules\" -->\n"
    "<h2>Rules topic</h2><p>Repeat the lights.</p>\n"
    "<!-- topic id=\"odd\" context=\"-1\" title=\"Odd\" -->\n"
    "<h2>Odd topic</h2>\n"
    "</body></html>\n";

QString shownText(HelpWindow *window)
{
    return window->findChild<QTextBrowser *>(QStringLiteral("helpText"))->toPlainText();
}

} // namespace

// The real help viewer: an in-process window per help file, beside the program.
class TestQtHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void eachCommandShowsItsPageInAWindowTitledForTheFile_data();
    void eachCommandShowsItsPageInAWindowTitledForTheFile();
    void theWindowIsNotModalAndStaysAboveItsOwner();
    void unusableFileIsReportedInTheWindow_data();
    void unusableFileIsReportedInTheWindow();
    void quitClosesOnlyThatFilesWindow();
    void commandsWithoutAPageOpenNothing_data();
    void commandsWithoutAPageOpenNothing();
    void theFileIsReadAfreshAtEveryCommand();
    void topicLinksNavigateAndBackAndForwardRetrace();
    void onlyWebLinksLeaveAndOnlyThroughTheShell();
    void nothingIsLoadedFromDiskForAPage_data();
    void nothingIsLoadedFromDiskForAPage();
    void anOpenHelpWindowDoesNotKeepTheProgramRunning();
    void topicsBeyondTheLimitsAreNotHandedToTheTextEngine_data();
    void topicsBeyondTheLimitsAreNotHandedToTheTextEngine();
    void aFileFullOfMarkersIsSplitInOnePass();
    void pagesStayLightUnderADarkTheme();

private:
    QByteArray writeFile(const QString &name, const QByteArray &content);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_owner;
    RecordingShell m_shell;
    std::unique_ptr<QtHelpViewer> m_viewer;
    QByteArray m_file;
};

QByteArray TestQtHelpViewer::writeFile(const QString &name, const QByteArray &content)
{
    if (!TestFiles::write(m_dir->filePath(name), content))
        qFatal("cannot write %s", qPrintable(name));
    return m_dir->filePath(name).toLocal8Bit();
}

void TestQtHelpViewer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_file = writeFile(QStringLiteral("Sample.hlp"), sample);
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(200, 200);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    m_shell = RecordingShell();
    m_viewer = std::make_unique<QtHelpViewer>(&m_shell);
}

void TestQtHelpViewer::cleanup()
{
    m_viewer.reset();
    m_owner.reset();
    m_dir.reset();
}

void TestQtHelpViewer::eachCommandShowsItsPageInAWindowTitledForTheFile_data()
{
    QTest::addColumn<quint32>("command");
    QTest::addColumn<quint32>("context");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("notShown");
    const quint32 context = HelpViewer::HELP_CONTEXT;
    QTest::newRow("contents: the first topic alone")
        << HelpViewer::HELP_CONTENTS << 0u << QStringLiteral("Sample contents") << QStringLiteral("Rules topic");
    // A context number shows its topic; a number with none shows the viewer's own page.
    QTest::newRow("contents by number") << context << 1u << QStringLiteral("Sample contents") << QString();
    QTest::newRow("a topic") << context << 2u << QStringLiteral("Rules topic") << QString();
    QTest::newRow("all bits set") << context << 0xFFFFFFFFu << QStringLiteral("Odd topic") << QString();
    QTest::newRow("unknown number") << context << 99u << QStringLiteral("Topic Not Found") << QString();
    QTest::newRow("zero") << context << 0u << QStringLiteral("Topic Not Found") << QString();
    // Help on help explains the viewer itself, whatever the file holds.
    QTest::newRow("help on help")
        << HelpViewer::HELP_HELPONHELP << 0u << QStringLiteral("Using Help") << QStringLiteral("Sample contents");
}

void TestQtHelpViewer::eachCommandShowsItsPageInAWindowTitledForTheFile()
{
    // A command opens a window named after the file, showing the page it asks for.
    QFETCH(quint32, command);
    QFETCH(quint32, context);
    QFETCH(QString, shown);
    QFETCH(QString, notShown);
    m_viewer->winHelp(m_owner.get(), m_file, command, context);
    HelpWindow *window = m_viewer->window(m_file);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Sample Help"));
    QVERIFY2(shownText(window).contains(shown), qPrintable(shownText(window)));
    QVERIFY(notShown.isEmpty() || !shownText(window).contains(notShown));
    if (shown == QLatin1String("Topic Not Found"))
        QVERIFY(shownText(window).contains(QString::number(qint32(context))));
}

void TestQtHelpViewer::theWindowIsNotModalAndStaysAboveItsOwner()
{
    // The player goes on playing while the help is open: no modality, no parent.
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(m_file);
    QVERIFY(window);
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->windowHandle()->transientParent(), m_owner->windowHandle());

    auto *button = new QPushButton(QStringLiteral("Play"), m_owner.get());
    button->show();
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
}

void TestQtHelpViewer::unusableFileIsReportedInTheWindow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<quint32>("command");

    QTest::newRow("missing, contents") << QStringLiteral("missing") << HelpViewer::HELP_CONTENTS;
    QTest::newRow("missing, context") << QStringLiteral("missing") << HelpViewer::HELP_CONTEXT;
    QTest::newRow("empty") << QStringLiteral("empty") << HelpViewer::HELP_CONTENTS;
    QTest::newRow("unreadable") << QStringLiteral("unreadable") << HelpViewer::HELP_CONTENTS;
    QTest::newRow("a folder") << QStringLiteral("folder") << HelpViewer::HELP_CONTENTS;
    // A pipe would block a plain read for ever.
    QTest::newRow("a pipe") << QStringLiteral("pipe") << HelpViewer::HELP_CONTENTS;
}

void TestQtHelpViewer::unusableFileIsReportedInTheWindow()
{
    // A help file that cannot be used is reported by the viewer, naming the file.
    QFETCH(QString, kind);
    QFETCH(quint32, command);
    const QByteArray file = m_dir->filePath(QStringLiteral("Broken.hlp")).toLocal8Bit();
    if (kind == QLatin1String("empty"))
        writeFile(QStringLiteral("Broken.hlp"), " \n");
    if (kind == QLatin1String("unreadable")) {
        writeFile(QStringLiteral("Broken.hlp"), sample);
        QFile::setPermissions(QString::fromLocal8Bit(file), {});
        if (QFile(QString::fromLocal8Bit(file)).open(QIODevice::ReadOnly))
            QSKIP("running with rights that read any file");
    }
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Broken.hlp")));
    if (kind == QLatin1String("pipe"))
        QCOMPARE(::mkfifo(file.constData(), 0600), 0);
    m_viewer->winHelp(m_owner.get(), file, command, 2);
    HelpWindow *window = m_viewer->window(file);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Broken Help"));
    QVERIFY(shownText(window).contains(QStringLiteral("cannot be opened")));
    QVERIFY(shownText(window).contains(QString::fromLocal8Bit(file)));
}

void TestQtHelpViewer::quitClosesOnlyThatFilesWindow()
{
    // Quit closes the window of the file named, and leaves another file's window open.
    const QByteArray other = writeFile(QStringLiteral("Other.hlp"), sample);
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    m_viewer->winHelp(m_owner.get(), other, HelpViewer::HELP_CONTENTS, 0);
    QPointer<HelpWindow> window = m_viewer->window(m_file);
    QPointer<HelpWindow> otherWindow = m_viewer->window(other);
    QVERIFY(window && otherWindow && window != otherWindow);

    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_QUIT, 0);
    QVERIFY(window.isNull());
    QCOMPARE(m_viewer->window(m_file), nullptr);
    QVERIFY(otherWindow && otherWindow->isVisible());
}

void TestQtHelpViewer::commandsWithoutAPageOpenNothing_data()
{
    QTest::addColumn<quint32>("command");
    // Quit for a file never shown.
    QTest::newRow("quit without a window") << HelpViewer::HELP_QUIT;
    // Commands without a counterpart here are ignored quietly.
    for (const quint32 command : {0u, 5u, 0x101u, 0xFFFFFFFFu})
        QTest::addRow("unknown command %u", command) << command;
}

void TestQtHelpViewer::commandsWithoutAPageOpenNothing()
{
    // No window for the file, nor any other.
    QFETCH(quint32, command);
    m_viewer->winHelp(m_owner.get(), m_file, command, 0);
    QCOMPARE(m_viewer->window(m_file), nullptr);
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

void TestQtHelpViewer::theFileIsReadAfreshAtEveryCommand()
{
    // A help file replaced while the window is open is what the next command shows.
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    writeFile(QStringLiteral("Sample.hlp"),
              "<html><head><title>Mended</title></head><body>"
              "<!-- topic id=\"c\" context=\"1\" title=\"C\" --><p>New contents</p></body></html>");
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(m_file);
    QCOMPARE(window->windowTitle(), QStringLiteral("Mended"));
    QVERIFY(shownText(window).contains(QStringLiteral("New contents")));
}

void TestQtHelpViewer::topicLinksNavigateAndBackAndForwardRetrace()
{
    // A topic link shows that topic; Back and Forward walk the pages seen.
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(m_file);
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("helpText"));
    auto *back = window->findChild<QPushButton *>(QStringLiteral("backButton"));
    auto *forward = window->findChild<QPushButton *>(QStringLiteral("forwardButton"));
    QVERIFY(!back->isEnabled());

    emit browser->anchorClicked(QUrl(QStringLiteral("#rules")));
    QVERIFY(shownText(window).contains(QStringLiteral("Rules topic")));
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());

    // A link to no topic leaves the page as it is.
    emit browser->anchorClicked(QUrl(QStringLiteral("#nowhere")));
    QVERIFY(shownText(window).contains(QStringLiteral("Rules topic")));

    back->click();
    QVERIFY(shownText(window).contains(QStringLiteral("Sample contents")));
    QVERIFY(forward->isEnabled());
    forward->click();
    QVERIFY(shownText(window).contains(QStringLiteral("Rules topic")));

    window->findChild<QPushButton *>(QStringLiteral("contentsButton"))->click();
    QVERIFY(shownText(window).contains(QStringLiteral("Sample contents")));
    window->findChild<QPushButton *>(QStringLiteral("usingHelpButton"))->click();
    QVERIFY(shownText(window).contains(QStringLiteral("Using Help")));
}

void TestQtHelpViewer::onlyWebLinksLeaveAndOnlyThroughTheShell()
{
    // Web links go to the shell's "open"; file links and other schemes go nowhere.
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(m_file);
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("helpText"));
    for (const char *link : {"file:///etc/hostname", "javascript:alert(1)", "tessaly.sh",
                             "http://example.org/more.htm", "https://example.org/secure"})
        emit browser->anchorClicked(QUrl(QString::fromLatin1(link)));

    QCOMPARE(m_shell.executed.size(), 2);
    QCOMPARE(m_shell.executed.at(0).verb, QByteArray("open"));
    QCOMPARE(m_shell.executed.at(0).file, QByteArray("http://example.org/more.htm"));
    QCOMPARE(m_shell.executed.at(1).file, QByteArray("https://example.org/secure"));
    QVERIFY(m_shell.started.isEmpty());
    QVERIFY(shownText(window).contains(QStringLiteral("Sample contents")));
}

void TestQtHelpViewer::nothingIsLoadedFromDiskForAPage_data()
{
    // %1 is a red picture's path, %2 a pipe's.
    QTest::addColumn<QString>("markup");
    QTest::newRow("picture by file URL") << QStringLiteral("<img src=\"file://%1\" width=\"40\" height=\"40\">");
    QTest::newRow("picture by path") << QStringLiteral("<img src=\"%1\" width=\"40\" height=\"40\">");
    QTest::newRow("background by path") << QStringLiteral("<table background=\"%1\" width=\"80\"><tr><td>x</td></tr></table>");
    QTest::newRow("picture naming a pipe") << QStringLiteral("<img src=\"%2\">");
    QTest::newRow("style sheet naming a pipe") << QStringLiteral("<link rel=\"stylesheet\" href=\"%2\">");
    QTest::newRow("background naming a pipe") << QStringLiteral("<p style=\"background-image: url(%2)\">x</p>");
}

void TestQtHelpViewer::nothingIsLoadedFromDiskForAPage()
{
    // A picture, background or style sheet named by a topic is neither read nor shown:
    // a pipe named there would freeze the game.
    QFETCH(QString, markup);
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString picture = m_dir->filePath(QStringLiteral("red.png"));
    QVERIFY(red.save(picture));
    const QString pipe = m_dir->filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QByteArray file = writeFile(
        QStringLiteral("Pictures.hlp"),
        QStringLiteral("<html><body><!-- topic id=\"p\" context=\"1\" title=\"P\" -->"
                       "<p>Picture</p>%1</body></html>")
            .arg(markup.arg(picture, pipe))
            .toUtf8());
    m_viewer->winHelp(m_owner.get(), file, HelpViewer::HELP_CONTENTS, 0);
    auto *browser = m_viewer->window(file)->findChild<QTextBrowser *>(QStringLiteral("helpText"));
    QCOMPARE(Pixels::count(browser->viewport()->grab().toImage(), qRgb(255, 0, 0)), 0);
    for (const QUrl &url : {QUrl::fromLocalFile(picture), QUrl(picture)}) {
        const QVariant loaded = browser->document()->resource(QTextDocument::ImageResource, url);
        QVERIFY(qvariant_cast<QImage>(loaded).pixelColor(0, 0) != QColor(Qt::red));
    }
}

void TestQtHelpViewer::anOpenHelpWindowDoesNotKeepTheProgramRunning()
{
    // Closing the program's last window ends the event loop even with the help open.
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    QVERIFY(m_viewer->window(m_file)->isVisible());
    bool stillRunning = false;
    QTimer::singleShot(0, m_owner.get(), [this] { m_owner->close(); });
    // The watchdog must not outlive this test: it writes to a variable of its frame.
    QObject watchdogScope;
    QTimer::singleShot(3000, &watchdogScope, [&stillRunning] {
        stillRunning = true;
        QCoreApplication::quit();
    });
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QCoreApplication::exec();
    QVERIFY(!stillRunning);
}

void TestQtHelpViewer::topicsBeyondTheLimitsAreNotHandedToTheTextEngine_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("shown");
    const auto nest = [](const QString &open, const QString &close, int depth) {
        return open.repeated(depth) + QStringLiteral("inmost") + close.repeated(depth);
    };
    const QString table = QStringLiteral("<table><tr><td>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    QTest::newRow("3,000 nested tables") << nest(table, tableEnd, 3000) << false;
    QTest::newRow("20 nested tables") << nest(table, tableEnd, 20) << false;
    QTest::newRow("20,000 nested lists") << nest(QStringLiteral("<ul><li>"), QStringLiteral("</li></ul>"), 20000) << false;
    QTest::newRow("deep divisions") << nest(QStringLiteral("<div>"), QStringLiteral("</div>"), 5000) << false;
    QTest::newRow("deep bold") << nest(QStringLiteral("<b>"), QString(), 5000) << false;
    QTest::newRow("too large") << QStringLiteral("<p>inmost ") + QStringLiteral("word ").repeated(7000) << false;
    QTest::newRow("thousands of list items") << QStringLiteral("<ul>") + QStringLiteral("<li>inmost").repeated(5000) << false;
    QTest::newRow("2 nested tables") << nest(table, tableEnd, 2) << true;
    QTest::newRow("nesting at the limit") << nest(QStringLiteral("<div>"), QStringLiteral("</div>"), 30) << true;
}

void TestQtHelpViewer::topicsBeyondTheLimitsAreNotHandedToTheTextEngine()
{
    // A topic nested too deep or too large for the text engine (which would crash or
    // freeze on it) shows a page that says so instead.
    QFETCH(QString, html);
    QFETCH(bool, shown);
    const QByteArray file = writeFile(
        QStringLiteral("Deep.hlp"),
        (QStringLiteral("<html><body><!-- topic id=\"d\" context=\"1\" title=\"Deep\" -->") + html
         + QStringLiteral("</body></html>"))
            .toUtf8());
    m_viewer->winHelp(m_owner.get(), file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(file);
    QCOMPARE(shownText(window).contains(QStringLiteral("inmost")), shown);
    QCOMPARE(shownText(window).contains(QStringLiteral("Topic Cannot Be Shown")), !shown);
    if (!shown)
        QVERIFY(shownText(window).contains(QStringLiteral("Deep")));
}

void TestQtHelpViewer::aFileFullOfMarkersIsSplitInOnePass()
{
    // Thousands of markers, and marker openings that never close (each of which made the
    // splitter scan the rest of the file again), are split in one pass.
    QString body;
    for (int i = 1; i <= 20000; ++i)
        body += QStringLiteral("<!-- topic id=\"t%1\" context=\"%1\" title=\"T&amp;%1\" --><p>Topic %1</p>").arg(i);
    body += QStringLiteral("<!-- topic <style> <title>").repeated(50000);
    const QByteArray file = writeFile(QStringLiteral("Many.hlp"),
                                      (QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")).toUtf8());
    m_viewer->winHelp(m_owner.get(), file, HelpViewer::HELP_CONTEXT, 12345);
    HelpWindow *window = m_viewer->window(file);
    QVERIFY(shownText(window).contains(QStringLiteral("Topic 12345")));
    QVERIFY(!shownText(window).contains(QStringLiteral("Topic 12344")));
    // The last topic holds all the unclosed openings: too large to be shown.
    m_viewer->winHelp(m_owner.get(), file, HelpViewer::HELP_CONTEXT, 20000);
    QVERIFY(shownText(window).contains(QStringLiteral("Topic Cannot Be Shown")));
}

void TestQtHelpViewer::pagesStayLightUnderADarkTheme()
{
    // A page's own colours are chosen for a light page, so a dark theme darkens the
    // buttons but not the page: black text and blue links on white.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(40, 40, 40));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    dark.setColor(QPalette::Link, QColor(150, 200, 255));
    QApplication::setPalette(dark);
    m_viewer->winHelp(m_owner.get(), m_file, HelpViewer::HELP_CONTENTS, 0);
    HelpWindow *window = m_viewer->window(m_file);
    QVERIFY(window);
    const QImage page = window->findChild<QTextBrowser *>(QStringLiteral("helpText"))->viewport()->grab().toImage();
    QApplication::setPalette(before);
    QCOMPARE(page.pixelColor(page.width() - 2, page.height() - 2), QColor(Qt::white));
    QVERIFY(Pixels::count(page, qRgb(0, 0, 0)) > 0);
    QVERIFY(Pixels::count(page, qRgb(0, 0, 238)) > 0);
}

QTEST_MAIN(TestQtHelpViewer)
#include "tst_qtHelpViewer.moc"
