// main() of the widget tests: one QApplication for the whole run (the
// program's own, so its general error handler is under test too).
#include "ui/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Printing asks a print server: never the machine's own. Tests that
    // print start a server of their own (PrintServer) and point here at it.
    qputenv("CUPS_SERVER", "/nonexistent/urnarium-tests/cups.sock");
    urn::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
