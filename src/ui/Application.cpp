#include "ui/Application.h"

namespace urn {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
