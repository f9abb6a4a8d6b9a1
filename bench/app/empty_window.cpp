// The yardsticks of the start-up benchmark: an empty QMainWindow of the
// program's size, shown and left as soon as the event loop is idle; with
// "--text", the same window with one menu and a status-line text, so that it
// pays for the font system as any window that shows text does.
#include "ui/StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(714, 610);
    if (app.arguments().contains(QStringLiteral("--text"))) {
        window.menuBar()->addMenu(QStringLiteral("Okrsek"));
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Obec: 582786")));
    }
    window.show();
    urn::quitWhenIdleIfProbed(window);
    return app.exec();
}
