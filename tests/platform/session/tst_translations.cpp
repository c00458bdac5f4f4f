#include "platform/session/App.h"
#include "app/Identity.h"
#include "platform/session/Translations.h"
#include "support/TestFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

// The translations the build makes beside the game.
QString translationsFolder()
{
    return TestFiles::besideGame(QStringLiteral("translations"));
}

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translationType;
};

// The messages of a .ts file, as lupdate writes them.
QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.translationType = xml.attributes().value(QLatin1String("type")).toString();
            xml.readElementText();
            messages.append(message);
        }
    }
    return messages;
}

QString shown(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source);
}

} // namespace

// The player's language picks the game's translation, Qt's own texts, and the help file.
class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void theLocaleChoosesTheGamesAndQtsLanguage_data();
    void theLocaleChoosesTheGamesAndQtsLanguage();
    void englishComesBackWhenTheTranslationsGo();
    void localizedFileIsTheLanguagesOwnWhenThereIsOne_data();
    void localizedFileIsTheLanguagesOwnWhenThereIsOne();
    void eachTranslationCoversEverySourceTextAndIsFinished_data();
    void eachTranslationCoversEverySourceTextAndIsFinished();
};

void TestTranslations::theLocaleChoosesTheGamesAndQtsLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("texts");  // High Scores, Game Over, Qt's Yes and No
    const QStringList german{"Bestenliste", "Spielende", "&Ja", "&Nein"};
    const QStringList english{"High Scores", "Game Over", "&Yes", "&No"};
    // Any German locale gets the one German translation, and Qt's buttons say Ja and Nein.
    QTest::newRow("Germany") << QStringLiteral("de_DE") << QStringLiteral("de") << german;
    QTest::newRow("Austria") << QStringLiteral("de_AT") << QStringLiteral("de") << german;
    QTest::newRow("Switzerland") << QStringLiteral("de_CH") << QStringLiteral("de") << german;
    QTest::newRow("France") << QStringLiteral("fr_FR") << QStringLiteral("fr") << QStringList{"Meilleurs scores", "Partie finie", "&Oui", "&Non"};
    QTest::newRow("Spain") << QStringLiteral("es_ES") << QStringLiteral("es") << QStringList{"Récords", "Terminado", "&Sí", "&No"};
    // Without a translation of the game, every text is the English of the sources.
    QTest::newRow("C") << QStringLiteral("C") << QString() << english;
    QTest::newRow("English") << QStringLiteral("en_GB") << QString() << english;
    // Qt has Italian texts, the game has none: nothing of either, so no window mixes the two.
    QTest::newRow("Italian") << QStringLiteral("it_IT") << QString() << english;
}

void TestTranslations::theLocaleChoosesTheGamesAndQtsLanguage()
{
    // The game's texts and Qt's own are in the locale's language, or all in English.
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QStringList, texts);
    const Translations translations{QLocale(locale), translationsFolder(), Identity::desktopName()};
    QCOMPARE(App::language(), language);
    QCOMPARE((QStringList{shown("frmScores", "High Scores"), shown("frmMain", "Game Over"),
                          shown("QPlatformTheme", "&Yes"), shown("QPlatformTheme", "&No")}),
             texts);
}

void TestTranslations::englishComesBackWhenTheTranslationsGo()
{
    // The translators are the object's: gone with it, the texts are English again.
    {
        const Translations translations{QLocale(QStringLiteral("de_DE")), translationsFolder(), Identity::desktopName()};
        QCOMPARE(shown("ScoreTable", "Anonymous"), QStringLiteral("Anonym"));
    }
    QCOMPARE(shown("ScoreTable", "Anonymous"), QStringLiteral("Anonymous"));
    QCOMPARE(shown("QPlatformTheme", "&No"), QStringLiteral("&No"));
    QCOMPARE(App::language(), QString());
}

void TestTranslations::localizedFileIsTheLanguagesOwnWhenThereIsOne_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("expected");
    const QString english = QStringLiteral("Tessaly.hlp");
    const QString german = QStringLiteral("Tessaly_de.hlp");
    QTest::newRow("German") << QStringLiteral("de") << QStringList{english, german} << german;
    QTest::newRow("Austrian German") << QStringLiteral("de_AT") << QStringList{english, german} << german;
    QTest::newRow("German missing") << QStringLiteral("de") << QStringList{english} << english;
    QTest::newRow("English") << QString() << QStringList{english, german} << english;
    QTest::newRow("other language") << QStringLiteral("it") << QStringList{english, german} << english;
}

void TestTranslations::localizedFileIsTheLanguagesOwnWhenThereIsOne()
{
    // The help file of the game's language where there is one, else the English one.
    QFETCH(QString, language);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &name : files)
        QVERIFY(TestFiles::write(dir.filePath(name), {}));
    App::setLanguage(language);
    const QString chosen = App::localized(dir.filePath(QStringLiteral("Tessaly.hlp")));
    App::setLanguage({});
    QCOMPARE(chosen, dir.filePath(expected));
}

void TestTranslations::eachTranslationCoversEverySourceTextAndIsFinished_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"de", "fr", "es"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestTranslations::eachTranslationCoversEverySourceTextAndIsFinished()
{
    // Every text the sources mark has a finished translation in the built file.
    QFETCH(QString, language);
    const QString lupdate = qEnvironmentVariable("TESSALY_LUPDATE");
    QVERIFY(!lupdate.isEmpty());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fresh = dir.filePath(QStringLiteral("fresh_%1.ts").arg(language));
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(lupdate, {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                        TestFiles::source(QStringLiteral("src")), QStringLiteral("-ts"), fresh});
    QVERIFY(run.waitForFinished(120000));
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());
    const QList<Message> sources = readTs(fresh);
    QVERIFY(sources.size() > 50);

    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("tessaly_") + language, translationsFolder()));
    for (const Message &m : sources) {
        const QString text = translator.translate(m.context.toUtf8(), m.source.toUtf8(),
                                              m.comment.isEmpty() ? nullptr : m.comment.toUtf8().constData());
        QVERIFY2(!text.isEmpty(), qPrintable(m.context + QStringLiteral(": ") + m.source));
    }
    const QList<Message> committed =
        readTs(TestFiles::source(QStringLiteral("translations/tessaly_%1.ts").arg(language)));
    QCOMPARE(committed.size(), sources.size());
    for (const Message &m : committed)
        QVERIFY2(m.translationType.isEmpty(), qPrintable(m.translationType + QStringLiteral(": ") + m.source));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
