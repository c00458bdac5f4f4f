#include "info/clsWinHelp.h"
#include "platform/App.h"
#include "platform/HelpFile.h"
#include "platform/HelpWindow.h"
#include "platform/HtmlLimits.h"
#include "platform/QtHelpViewer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

namespace {

QString sourceHelpFile()
{
    return QDir(qEnvironmentVariable("TESSALY_SOURCE_DIR")).filePath(QStringLiteral("assets/help/Tessaly.hlp"));
}

QString plain(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

QString shownText(HelpWindow *window)
{
    return window->findChild<QTextBrowser *>(QStringLiteral("helpText"))->toPlainText();
}

QByteArray digest(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

// The game's help file: its topics, their numbers and links, and its place beside the game.
class TestHelpFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fileHasATitleAndTopicsWithUniqueNamesAndNumbers();
    void everyLinkLeadsToATopicAndContentsListsThemAll();
    void everyTopicIsWithinTheTextEngineLimits();
    void topicsCoverWhatPlayersNeed_data();
    void topicsCoverWhatPlayersNeed();
    void contentsCommandShowsTheContentsInTheViewer();
    void contextCommandShowsThatTopicInTheViewer();
    void gameBuildHasTheSameFileBesideItsBinary();

private:
    HelpFile m_file;
};

void TestHelpFile::initTestCase()
{
    QVERIFY2(m_file.load(sourceHelpFile()), qPrintable(sourceHelpFile()));
}

void TestHelpFile::fileHasATitleAndTopicsWithUniqueNamesAndNumbers()
{
    // Each topic can be reached by its own name and its own context number.
    QCOMPARE(m_file.title(), QStringLiteral("Tessaly Help"));
    QVERIFY(m_file.topics().size() >= 7);
    QCOMPARE(m_file.contents()->id, QStringLiteral("contents"));
    QSet<QString> ids;
    QSet<quint32> contexts;
    for (const HelpFile::Topic &topic : m_file.topics()) {
        QVERIFY2(!topic.id.isEmpty() && !ids.contains(topic.id), qPrintable(topic.id));
        QVERIFY2(topic.context.has_value() && !contexts.contains(*topic.context), qPrintable(topic.id));
        QVERIFY(!topic.title.isEmpty());
        ids.insert(topic.id);
        contexts.insert(*topic.context);
        QCOMPARE(m_file.topicByContext(*topic.context)->id, topic.id);
    }
}

void TestHelpFile::everyLinkLeadsToATopicAndContentsListsThemAll()
{
    // No dead links between topics, and the contents page reaches every topic.
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    for (const HelpFile::Topic &topic : m_file.topics()) {
        for (auto it = link.globalMatch(topic.html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(target.startsWith(u'#') && m_file.topicById(target.mid(1)),
                     qPrintable(topic.id + QStringLiteral(" -> ") + target));
        }
    }
    for (const HelpFile::Topic &topic : m_file.topics()) {
        if (topic.id != m_file.contents()->id)
            QVERIFY2(m_file.contents()->html.contains(QStringLiteral("href=\"#%1\"").arg(topic.id)),
                     qPrintable(topic.id));
    }
}

void TestHelpFile::everyTopicIsWithinTheTextEngineLimits()
{
    // The limits that keep hostile topics away from the text engine let every real one through.
    for (const HelpFile::Topic &topic : m_file.topics())
        QVERIFY2(HtmlLimits::acceptable(m_file.page(topic.html)), qPrintable(topic.id));
}

void TestHelpFile::topicsCoverWhatPlayersNeed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("phrases");

    QTest::newRow("how to play") << QStringLiteral("how-to-play")
                                 << QStringList{QStringLiteral("New Game"), QStringLiteral("F2"),
                                                QStringLiteral("Game Over"), QStringLiteral("level"),
                                                QStringLiteral("Playing with the keyboard"), QStringLiteral("Keypad"),
                                                QStringLiteral("Num Lock")};
    QTest::newRow("board") << QStringLiteral("board")
                           << QStringList{QStringLiteral("Red"), QStringLiteral("top left"),
                                          QStringLiteral("Green"), QStringLiteral("Level"),
                                          QStringLiteral("999")};
    QTest::newRow("menus") << QStringLiteral("menus")
                           << QStringList{QStringLiteral("New Game"), QStringLiteral("F2"),
                                          QStringLiteral("Adjust Speed..."), QStringLiteral("High Scores..."),
                                          QStringLiteral("Exit Tessaly"), QStringLiteral("Contents..."),
                                          QStringLiteral("F1"), QStringLiteral("Brindlecove Games Web Site..."),
                                          QStringLiteral("About Tessaly")};
    QTest::newRow("speed") << QStringLiteral("speed")
                           << QStringList{QStringLiteral("Slow"), QStringLiteral("0.4 seconds"),
                                          QStringLiteral("Normal"), QStringLiteral("0.2 seconds"),
                                          QStringLiteral("Fast"), QStringLiteral("0.05 seconds")};
    QTest::newRow("scores") << QStringLiteral("scores")
                            << QStringList{QStringLiteral("five"), QStringLiteral("Clear High Scores"),
                                           QStringLiteral("Are you sure you want to clear all of the scores?"),
                                           QStringLiteral("Anonymous")};
    QTest::newRow("settings") << QStringLiteral("settings")
                              << QStringList{QStringLiteral("$XDG_CONFIG_HOME/Tessaly/Tessaly.ini"),
                                             QStringLiteral("~/.config/Tessaly/Tessaly.ini"),
                                             QStringLiteral("closes")};
    QTest::newRow("about") << QStringLiteral("about")
                           << QStringList{QStringLiteral("System Info..."),
                                          QStringLiteral("Brindlecove Games")};
}

void TestHelpFile::topicsCoverWhatPlayersNeed()
{
    // Each topic tells the player the captions, keys and numbers the game really uses.
    QFETCH(QString, id);
    QFETCH(QStringList, phrases);
    const HelpFile::Topic *topic = m_file.topicById(id);
    QVERIFY2(topic, qPrintable(id));
    const QString text = plain(topic->html).simplified();
    for (const QString &phrase : phrases)
        QVERIFY2(text.contains(phrase), qPrintable(id + QStringLiteral(": ") + phrase));
}

void TestHelpFile::contentsCommandShowsTheContentsInTheViewer()
{
    // The help object's Contents opens the real file in the real viewer at its contents.
    App::setHelpFile(sourceHelpFile());
    QWidget board;
    board.show();
    QtHelpViewer viewer;
    {
        clsWinHelp help(viewer, &board);
        help.ShowHelpContents();
        HelpWindow *window = viewer.window(sourceHelpFile().toLocal8Bit());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tessaly Help"));
        QVERIFY(shownText(window).contains(QStringLiteral("Topics")));
        QVERIFY(shownText(window).contains(QStringLiteral("How to Play")));
        QVERIFY(!shownText(window).contains(QStringLiteral("Dark gap before each light")));
    }
    // Releasing the help object closed the viewer's window.
    QCOMPARE(viewer.window(sourceHelpFile().toLocal8Bit()), nullptr);
}

void TestHelpFile::contextCommandShowsThatTopicInTheViewer()
{
    // A context number from the file's own map shows that topic.
    App::setHelpFile(sourceHelpFile());
    QtHelpViewer viewer;
    clsWinHelp help(viewer, nullptr);
    help.ShowHelpContext(qint16(*m_file.topicById(QStringLiteral("speed"))->context));
    HelpWindow *window = viewer.window(sourceHelpFile().toLocal8Bit());
    QVERIFY(window && window->isVisible());
    QVERIFY(shownText(window).contains(QStringLiteral("Dark gap before each light")));
}

void TestHelpFile::gameBuildHasTheSameFileBesideItsBinary()
{
    // The build puts the current help file next to the game, where it looks for it.
    const QString binary = qEnvironmentVariable("TESSALY_BINARY");
    QVERIFY(!binary.isEmpty());
    const QString copy = QFileInfo(binary).dir().filePath(QStringLiteral("Tessaly.hlp"));
    QVERIFY2(QFileInfo::exists(copy), qPrintable(copy));
    QCOMPARE(digest(copy), digest(sourceHelpFile()));
}

QTEST_MAIN(TestHelpFile)
#include "tst_helpFile.moc"
