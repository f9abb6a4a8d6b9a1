#include "ui/Application.h"

#include "ui/ProgramStyle.h"

namespace urn {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    // Every window, the program's and the tests', looks and answers the keys
    // alike.
    setStyle(new ProgramStyle);
}

namespace {
int g_lastNetCatches = 0;
}

int exceptionsCaughtByLastNet() {
    return g_lastNetCatches;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ++g_lastNetCatches;
        reportCurrentException();
        return false;
    }
}

} // namespace urn
