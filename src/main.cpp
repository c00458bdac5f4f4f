#include "board/RealPlatform.h"
#include "board/frmMain.h"
#include "platform/App.h"
#include "platform/Twips.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App::title());
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(App::major()).arg(App::minor()).arg(App::revision()));
    QApplication::setDesktopFileName(QStringLiteral("tessaly"));
    Twips::installFontSubstitutes();

    RealPlatform platform;
    frmMain board(platform.services());
    QApplication::setWindowIcon(board.windowIcon());
    board.show();
    return QApplication::exec();
}
