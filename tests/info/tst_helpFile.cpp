#include "info/clsWinHelp.h"
#include "platform/session/App.h"
#include "platform/help/HelpFile.h"
#include "platform/help/HelpWindow.h"
#include "platform/help/HtmlLimits.h"
#include "platform/help/QtHelpViewer.h"
#include "support/TestFiles.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

namespace {

QString sourceHelpFile(const QString &name = QStringLiteral("Tessaly.hlp"))
{
    return TestFiles::source(QStringLiteral("assets/help/") + name);
}

// The English help file (unless left out) and its translations, with their titles.
void addHelpFileRows(bool english = true)
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    if (english)
        QTest::newRow("English") << QStringLiteral("Tessaly.hlp") << QStringLiteral("Tessaly Help");
    QTest::newRow("German") << QStringLiteral("Tessaly_de.hlp") << QStringLiteral("Tessaly-Hilfe");
    QTest::newRow("French") << QStringLiteral("Tessaly_fr.hlp") << QStringLiteral("Aide de Tessaly");
    QTest::newRow("Spanish") << QStringLiteral("Tessaly_es.hlp") << QStringLiteral("Ayuda de Tessaly");
}

// The topics' ids and context numbers, in the file's order.
QStringList topicKeys(const HelpFile &file)
{
    QStringList keys;
    for (const HelpFile::Topic &topic : file.topics())
        keys << topic.id + u'=' + QString::number(topic.context.value_or(0));
    return keys;
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

} // namespace

// The game's help file: its topics, their numbers and links, and its place beside the game.
class TestHelpFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void fileHasATitleAndTopicsWithUniqueNamesAndNumbers_data();
    void fileHasATitleAndTopicsWithUniqueNamesAndNumbers();
    void everyLinkLeadsToATopicAndContentsListsThemAll_data();
    void everyLinkLeadsToATopicAndContentsListsThemAll();
    void everyTopicIsWithinTheTextEngineLimits_data();
    void everyTopicIsWithinTheTextEngineLimits();
    void translationsHaveTheEnglishTopicsAndNumbers_data();
    void translationsHaveTheEnglishTopicsAndNumbers();
    void topicsCoverWhatPlayersNeed_data();
    void topicsCoverWhatPlayersNeed();
    void commandsShowTheirTopicInTheViewer_data();
    void commandsShowTheirTopicInTheViewer();
    void gameBuildHasTheSameFileBesideItsBinary_data();
    void gameBuildHasTheSameFileBesideItsBinary();

private:
    HelpFile m_file;
};

void TestHelpFile::initTestCase()
{
    QVERIFY2(m_file.load(sourceHelpFile()), qPrintable(sourceHelpFile()));
}

void TestHelpFile::fileHasATitleAndTopicsWithUniqueNamesAndNumbers_data()
{
    addHelpFileRows();
}

void TestHelpFile::fileHasATitleAndTopicsWithUniqueNamesAndNumbers()
{
    // Each topic can be reached by its own name and its own context number.
    QFETCH(QString, name);
    QFETCH(QString, title);
    HelpFile file;
    QVERIFY(file.load(sourceHelpFile(name)));
    QCOMPARE(file.title(), title);
    QVERIFY(file.topics().size() >= 7);
    QCOMPARE(file.contents()->id, QStringLiteral("contents"));
    QSet<QString> ids;
    QSet<quint32> contexts;
    for (const HelpFile::Topic &topic : file.topics()) {
        QVERIFY2(!topic.id.isEmpty() && !ids.contains(topic.id), qPrintable(topic.id));
        QVERIFY2(topic.context.has_value() && !contexts.contains(*topic.context), qPrintable(topic.id));
        QVERIFY(!topic.title.isEmpty());
        ids.insert(topic.id);
        contexts.insert(*topic.context);
        QCOMPARE(file.topicByContext(*topic.context)->id, topic.id);
    }
}

void TestHelpFile::everyLinkLeadsToATopicAndContentsListsThemAll_data()
{
    addHelpFileRows();
}

void TestHelpFile::everyLinkLeadsToATopicAndContentsListsThemAll()
{
    // No dead links between topics, and the contents page reaches every topic.
    QFETCH(QString, name);
    HelpFile file;
    QVERIFY(file.load(sourceHelpFile(name)));
    const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    for (const HelpFile::Topic &topic : file.topics()) {
        for (auto it = link.globalMatch(topic.html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(target.startsWith(u'#') && file.topicById(target.mid(1)),
                     qPrintable(topic.id + QStringLiteral(" -> ") + target));
        }
    }
    for (const HelpFile::Topic &topic : file.topics()) {
        if (topic.id != file.contents()->id)
            QVERIFY2(file.contents()->html.contains(QStringLiteral("href=\"#%1\"").arg(topic.id)),
                     qPrintable(topic.id));
    }
}

void TestHelpFile::everyTopicIsWithinTheTextEngineLimits_data()
{
    addHelpFileRows();
}

void TestHelpFile::everyTopicIsWithinTheTextEngineLimits()
{
    // The limits that keep hostile topics away from the text engine let every real one through.
    QFETCH(QString, name);
    HelpFile file;
    QVERIFY(file.load(sourceHelpFile(name)));
    for (const HelpFile::Topic &topic : file.topics())
        QVERIFY2(HtmlLimits::acceptable(file.page(topic.html)), qPrintable(topic.id));
}

void TestHelpFile::translationsHaveTheEnglishTopicsAndNumbers_data()
{
    addHelpFileRows(false);
}

void TestHelpFile::translationsHaveTheEnglishTopicsAndNumbers()
{
    // A program asking for a topic by name or number finds the same one in every language.
    QFETCH(QString, name);
    HelpFile translation;
    QVERIFY(translation.load(sourceHelpFile(name)));
    QCOMPARE(topicKeys(translation), topicKeys(m_file));
}

void TestHelpFile::topicsCoverWhatPlayersNeed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("phrases");

    QTest::newRow("contents") << QStringLiteral("contents")
                              << QStringList{QStringLiteral("Press F1 on the board to come back to this page.")};
    QTest::newRow("how to play") << QStringLiteral("how-to-play")
                                 << QStringList{QStringLiteral("New Game"), QStringLiteral("F2"),
                                                QStringLiteral("Game Over"), QStringLiteral("level"),
                                                QStringLiteral("Playing with the keyboard"), QStringLiteral("Keypad"),
                                                QStringLiteral("Num Lock"), QStringLiteral("Playing with a screen reader"),
                                                QStringLiteral("Level: none yet")};
    QTest::newRow("board") << QStringLiteral("board")
                           << QStringList{QStringLiteral("Red"), QStringLiteral("top left"),
                                          QStringLiteral("Green"), QStringLiteral("Level"),
                                          QStringLiteral("00 when a game starts"), QStringLiteral("999")};
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

void TestHelpFile::commandsShowTheirTopicInTheViewer_data()
{
    QTest::addColumn<QString>("topic");  // by its context number, none for Contents
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("notShown");
    QTest::newRow("contents") << QString() << QStringList{QStringLiteral("Topics"), QStringLiteral("How to Play")}
                              << QStringLiteral("Dark gap before each light");
    // A context number from the file's own map shows that topic.
    QTest::newRow("speed") << QStringLiteral("speed") << QStringList{QStringLiteral("Dark gap before each light")}
                           << QStringLiteral("How to Play");
}

void TestHelpFile::commandsShowTheirTopicInTheViewer()
{
    // The help object's Contents, or a topic's number, opens the real file in the real
    // viewer at that topic; releasing the help object closes the viewer's window.
    QFETCH(QString, topic);
    QFETCH(QStringList, shown);
    QFETCH(QString, notShown);
    App::setHelpFile(sourceHelpFile());
    QWidget board;
    board.show();
    QtHelpViewer viewer;
    {
        clsWinHelp help(viewer, &board);
        if (topic.isEmpty())
            help.ShowHelpContents();
        else
            help.ShowHelpContext(qint16(*m_file.topicById(topic)->context));
        HelpWindow *window = viewer.window(sourceHelpFile().toLocal8Bit());
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tessaly Help"));
        for (const QString &text : shown)
            QVERIFY2(shownText(window).contains(text), qPrintable(text));
        QVERIFY(!shownText(window).contains(notShown));
    }
    QCOMPARE(viewer.window(sourceHelpFile().toLocal8Bit()), nullptr);
}

void TestHelpFile::gameBuildHasTheSameFileBesideItsBinary_data()
{
    addHelpFileRows();
}

void TestHelpFile::gameBuildHasTheSameFileBesideItsBinary()
{
    // The build puts the current help files next to the game, where it looks for them.
    QFETCH(QString, name);
    QVERIFY(qEnvironmentVariableIsSet("TESSALY_BINARY"));
    const QString copy = TestFiles::besideGame(name);
    QVERIFY2(QFileInfo::exists(copy), qPrintable(copy));
    QVERIFY(TestFiles::read(copy) == TestFiles::read(sourceHelpFile(name)));
}

QTEST_MAIN(TestHelpFile)
#include "tst_helpFile.moc"
