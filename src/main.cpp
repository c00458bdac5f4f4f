#include "board/RealPlatform.h"
#include "board/frmMain.h"
#include "platform/AfterFirstFrame.h"
#include "platform/App.h"
#include "platform/SingleInstance.h"
#include "platform/Translations.h"
#include "platform/Twips.h"
#include "platform/UnixSignals.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <csignal>

int main(int argc, char **argv)
{
    QApplication::setApplicationName(App::title());
    // One game per settings file and session: a later start shows the running game and
    // ends, before it opens a display. One in another session cannot be shown here: both
    // run, and each write merges the table with what the other stored.
    SingleInstance instance(RealPlatform::settingsLock());
    if (instance.start() == SingleInstance::Start::HandedOver)
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
    QApplication::setDesktopFileName(QStringLiteral("tessaly"));
    Twips::installFontSubstitutes();
    // A logout or "systemctl --user stop" (SIGTERM), a closed terminal (SIGHUP) and
    // Ctrl+C (SIGINT) close the game as its Exit command does.
    UnixSignals endSignals({SIGTERM, SIGHUP, SIGINT});
    // Before any window exists, so every caption is made in the player's language.
    const Translations translations(QLocale::system(), Translations::folder());

    RealPlatform platform;
    frmMain board(platform.services());
    QObject::connect(&endSignals, &UnixSignals::received, &board, [&board] {
        board.endSession();
        QCoreApplication::exit(0);
    });
    // The session manager asks for the data before the session ends; the end itself
    // then closes the windows.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &board, &frmMain::saveTable,
                     Qt::DirectConnection);
    QObject::connect(&instance, &SingleInstance::activationRequested, &board, &frmMain::bringToFront);
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &instance, &SingleInstance::close);
    instance.listen();

    QApplication::setWindowIcon(board.windowIcon());
    // The larger icons, for the desktop's switchers and menus, would hold the first
    // frame back while show() decodes them and hands them to the X server.
    const AfterFirstFrame largeIcons([&board] {
        const QIcon icon = App::icon({16, 32, 48, 64, 128, 256});
        board.setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
    });
    board.show();
    return QApplication::exec();
}
