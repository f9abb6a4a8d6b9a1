// The yardstick of the start-up benchmark: an empty QMainWindow of the
// program's size, shown and left as soon as the event loop is idle.
#include "ui/StartupProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setFixedSize(714, 610);
    window.show();
    urn::quitWhenIdleIfProbed(window);
    return app.exec();
}
