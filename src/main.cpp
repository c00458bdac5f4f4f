#include "board/RealPlatform.h"
#include "board/frmMain.h"
#include "platform/AfterFirstFrame.h"
#include "platform/App.h"
#include "platform/Translations.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App::title());
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
    QApplication::setDesktopFileName(QStringLiteral("tessaly"));
    Twips::installFontSubstitutes();
    // Before any window exists, so every caption is made in the player's language.
    const Translations translations(QLocale::system(), Translations::folder());

    RealPlatform platform;
    frmMain board(platform.services());
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
