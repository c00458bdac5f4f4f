// Opens every window of the game in turn (the board, its Game menu, speed, high
// scores with the clear question, name entry, About with its notice, the help) and
// saves each as it is on screen to <folder>/<window>.png. With --dark it runs under
// Fusion with a dark palette, as a dark desktop theme would. Run under an X server;
// QT_SCALE_FACTOR gives the scale, LC_ALL the language as for the game.
#include "app/Identity.h"
#include "app/RealPlatform.h"
#include "board/frmMain.h"
#include "globals/modGlobals.h"
#include "platform/session/App.h"
#include "platform/session/Translations.h"
#include "platform/widgets/Twips.h"
#include "scores/frmNewHighScore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyleFactory>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

QString folder;
int failures = 0;

QPalette darkPalette()
{
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230), dim(127, 127, 127);
    QPalette palette(text, window, window.lighter(150), window.darker(200), window.darker(150), text,
                     QColor(255, 255, 255), base, window);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::Link, QColor(90, 160, 240));
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, dim);
    return palette;
}

// Lets the window system show what was asked for.
void settle(int msecs = 400)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, &loop, &QEventLoop::quit);
    loop.exec();
}

void save(QWidget *window, const QString &name)
{
    settle();
    if (!window) {
        std::fprintf(stderr, "take_screenshots: no window for %s\n", qPrintable(name));
        ++failures;
        return;
    }
    const QRect area = window->frameGeometry();
    const QPixmap shot = window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!shot.save(file)) {
        std::fprintf(stderr, "take_screenshots: cannot write %s\n", qPrintable(file));
        ++failures;
    }
}

QAbstractButton *button(QWidget *window, const QString &name)
{
    return window ? window->findChild<QAbstractButton *>(name) : nullptr;
}

// Runs then on the modal window that the next call opens, once it is up; the call
// returns when then has closed it.
void whenModal(const std::function<void(QWidget *)> &then)
{
    QTimer::singleShot(0, qApp, [then] { then(QApplication::activeModalWidget()); });
}

void closeModal(QWidget *window)
{
    if (window)
        window->close();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.size() > 2 || (arguments.size() == 2 && arguments[1] != "--dark")) {
        std::fprintf(stderr, "usage: take_screenshots <folder> [--dark]\n");
        return 2;
    }
    folder = arguments[0];
    QDir().mkpath(folder);
    Identity::apply();
    Twips::installFontSubstitutes();
    const Translations translations(QLocale::system(), Translations::folder(), Identity::desktopName());
    if (arguments.size() == 2) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }

    RealPlatform platform;
    frmMain board(platform.services());
    board.move(40, 40);
    board.show();
    save(&board, QStringLiteral("board"));

    QMenu *game = board.menuBar()->actions().constFirst()->menu();
    game->popup(board.mapToGlobal(board.menuBar()->actionGeometry(game->menuAction()).bottomLeft()));
    save(game, QStringLiteral("game-menu"));
    game->close();

    whenModal([](QWidget *speed) {
        save(speed, QStringLiteral("speed"));
        closeModal(speed);
    });
    board.mnuGameSpeed_Click();

    // A long name, and the row of a score just entered.
    board.setPlayerName(0, QStringLiteral("Bartholomew Featherstonehaugh"));
    board.setScore(0, 12);
    modGlobals::giCurrentScorePos = 0;
    whenModal([](QWidget *scores) {
        save(scores, QStringLiteral("scores"));
        whenModal([](QWidget *question) {
            save(question, QStringLiteral("scores-clear-question"));
            closeModal(question); // No, the box's escape button

        });
        if (QAbstractButton *clear = button(scores, QStringLiteral("cmdClear")))
            clear->click();
        closeModal(scores);
    });
    board.mnuGameScores_Click();

    frmNewHighScore entry(board, &board);
    whenModal([](QWidget *name) {
        save(name, QStringLiteral("name-entry"));
        closeModal(name);
    });
    entry.exec();
    modGlobals::giCurrentScorePos = -1;

    whenModal([](QWidget *about) {
        save(about, QStringLiteral("about"));
        // With no system tool installed this brings the notice; with one, it starts it.
        whenModal([](QWidget *notice) {
            save(notice, QStringLiteral("about-notice"));
            closeModal(notice);
        });
        if (QAbstractButton *sysInfo = button(about, QStringLiteral("cmdSysInfo")))
            sysInfo->click();
        closeModal(about);
    });
    board.mnuHelpAbout_Click();

    board.mnuHelpContents_Click();
    settle();
    QWidget *help = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("helpWindow") && window->isVisible())
            help = window;
    save(help, QStringLiteral("help"));
    // A topic with a table, as a link from the contents opens it.
    if (auto *text = help ? help->findChild<QTextBrowser *>() : nullptr)
        emit text->anchorClicked(QUrl(QStringLiteral("#how-to-play")));
    save(help, QStringLiteral("help-topic"));

    board.close();
    return failures == 0 ? 0 : 1;
}
