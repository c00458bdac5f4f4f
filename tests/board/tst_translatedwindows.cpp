#include "board/frmMain.h"
#include "info/frmAbout.h"
#include "platform/help/HelpWindow.h"
#include "app/Identity.h"
#include "platform/session/Translations.h"
#include "platform/widgets/Twips.h"
#include "scores/frmNewHighScore.h"
#include "scores/frmScores.h"
#include "settings/frmSpeed.h"
#include "support/FakeScoreTable.h"
#include "support/TestBoard.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <memory>

namespace {

// A caption as drawn: its access-key marker is no character.
QString drawn(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}

// Room a push button's frame and padding take beside its caption.
constexpr int buttonPadding = 8;

// The captions of a window that do not fit their controls, with what they need.
QStringList cutCaptions(const QWidget &window)
{
    QStringList cut;
    const auto report = [&cut](const QWidget *control, const QString &text, int needed, int room) {
        if (needed > room)
            cut << QStringLiteral("%1 \"%2\": %3 > %4").arg(control->objectName(), text).arg(needed).arg(room);
    };
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QString text = drawn(label->text());
        if (text.isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        if (label->wordWrap())
            report(label, text, metrics.boundingRect(room, Qt::TextWordWrap, text).height(), room.height());
        else
            report(label, text, metrics.horizontalAdvance(text), room.width());
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const QString text = drawn(button->text());
        int needed = QFontMetrics(button->font()).horizontalAdvance(text);
        if (qobject_cast<const QRadioButton *>(button))
            needed += button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button)
                      + button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
        else
            needed += buttonPadding;
        report(button, text, needed, button->width());
    }
    return cut;
}

} // namespace

// Every window in each translation keeps its English layout: each caption must fit its control.
class TestTranslatedWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTranslatedCaptionFitsItsControl_data();
    void everyTranslatedCaptionFitsItsControl();
};

void TestTranslatedWindows::initTestCase()
{
    // The fonts the windows are laid out for, as the game maps them.
    Twips::installFontSubstitutes();
}

void TestTranslatedWindows::everyTranslatedCaptionFitsItsControl_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("locale");
    for (const char *locale : {"de_DE", "fr_FR", "es_ES"}) {
        for (const char *window : {"board", "speed", "scores", "name entry", "about", "help"})
            QTest::addRow("%s %s", locale, window) << QString::fromLatin1(window) << QString::fromLatin1(locale);
    }
}

void TestTranslatedWindows::everyTranslatedCaptionFitsItsControl()
{
    // A translated caption longer than its label or button would be cut off on screen.
    QFETCH(QString, window);
    QFETCH(QString, locale);
    const Translations translated{QLocale(locale), TestFiles::besideGame(QStringLiteral("translations")),
                                  Identity::desktopName()};
    QVERIFY(QCoreApplication::translate("frmScores", "High Scores") != QLatin1String("High Scores"));
    TestBoard board;
    FakeScoreTable table;
    std::unique_ptr<QWidget> dialog;
    if (window == QLatin1String("speed"))
        dialog = std::make_unique<frmSpeed>(nullptr);
    else if (window == QLatin1String("scores"))
        dialog = std::make_unique<frmScores>(table, board.messageBox, nullptr);
    else if (window == QLatin1String("name entry"))
        dialog = std::make_unique<frmNewHighScore>(table, nullptr);
    else if (window == QLatin1String("about"))
        dialog = std::make_unique<frmAbout>(board.registry, board.shell, board.messageBox, nullptr);
    else if (window == QLatin1String("help"))
        dialog = std::make_unique<HelpWindow>(nullptr);
    QWidget *shown = dialog ? dialog.get() : board.board.get();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList cut = cutCaptions(*shown);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
}

QTEST_MAIN(TestTranslatedWindows)
#include "tst_translatedwindows.moc"
