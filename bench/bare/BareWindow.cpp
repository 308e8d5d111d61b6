// The yardstick for start-up time and idle memory: the least a Qt Widgets
// program with a main window and a menu bar costs on this machine. It loads
// nothing else, so whatever the player spends beyond it is the player's own.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Open"));
    file->addSeparator();
    QObject::connect(file->addAction(QStringLiteral("Quit")), &QAction::triggered, &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("About"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
