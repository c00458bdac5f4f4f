// The baseline for the game's start-up time and memory: a Qt window of the board
// window's size with a menu bar of the same two menus, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&Game"));
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    window.resize(426, 447 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
