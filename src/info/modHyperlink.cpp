#include "info/modHyperlink.h"

#include "platform/shell/Shell.h"

#include <QByteArray>

namespace {
const char gamesPage[] = "http://www.brindlecove.example/games/index.htm";
} // namespace

void modHyperlink::OpenGamesWebPage(Shell &shell, QWidget *owner)
{
    // The result is not looked at: whatever goes wrong, the system says it, not the game.
    shell.shellExecute(owner, QByteArrayLiteral("open"), QByteArray(gamesPage), QByteArray(),
                       QByteArray(), Shell::SW_SHOWNORMAL);
}
