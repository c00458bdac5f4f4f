#include "app/Identity.h"
#include "app/RealPlatform.h"
#include "board/frmMain.h"
#include "platform/session/AfterFirstFrame.h"
#include "platform/session/FreshXTime.h"
#include "platform/session/SingleInstance.h"
#include "platform/session/Translations.h"
#include "platform/session/UnixSignals.h"
#include "platform/widgets/Twips.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <csignal>

int main(int argc, char **argv)
{
    Identity::apply();
    // One game per settings file and session: a later start shows the running game and
    // ends, before it opens a display. One in another session cannot be shown here: both
    // run, and each write merges the table with what the other stored.
    SingleInstance instance(RealPlatform::settingsLock());
    if (instance.start() == SingleInstance::Start::HandedOver)
        return 0;

    QApplication app(argc, argv);
    Twips::installFontSubstitutes();
    // A logout or "systemctl --user stop" (SIGTERM), a closed terminal (SIGHUP) and
    // Ctrl+C (SIGINT) close the game as its Exit command does.
    UnixSignals endSignals({SIGTERM, SIGHUP, SIGINT});
    // Before any window exists, so every caption is made in the player's language.
    const Translations translations(QLocale::system(), Translations::folder(), Identity::desktopName());

    // The sizes the board is designed with; the larger ones follow its first frame.
    QApplication::setWindowIcon(Identity::icon({16, 32}));
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
    FreshXTime activationTime;
    QObject::connect(&instance, &SingleInstance::activationRequested, &board, [&] {
        activationTime.then(board.windowHandle(), [&board] { board.bringToFront(); });
    });
    QObject::connect(&app, &QGuiApplication::lastWindowClosed, &instance, &SingleInstance::close);
    instance.listen();

    // The larger icons, for the desktop's switchers and menus, would hold the first
    // frame back while show() decodes them and hands them to the X server.
    const AfterFirstFrame largeIcons(
        [] { QApplication::setWindowIcon(Identity::icon({16, 32, 48, 64, 128, 256})); });
    board.show();
    return QApplication::exec();
}
