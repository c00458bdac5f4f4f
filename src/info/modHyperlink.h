#pragma once

class QWidget;
class Shell;

// The maker's games web page.
namespace modHyperlink {

// Opens the page in the default browser and returns at once; a failure stays silent.
void OpenGamesWebPage(Shell &shell, QWidget *owner);

} // namespace modHyperlink
