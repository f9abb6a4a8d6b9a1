#pragma once

#include "core/ErrorHandler.h"

#include <QApplication>

#include <functional>

namespace urn {

// The program's QApplication. An exception must never travel through Qt's
// own code (Qt does not allow it): every slot, timer callback and event
// handler that can raise catches at its own boundary and hands the error to
// the general error handler (runReportingErrors, guarded). notify() only
// keeps the program alive if one is ever missed.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// How many exceptions reached notify() in this run; a missed boundary shows
// up here (tests keep it at zero).
int exceptionsCaughtByLastNet();

} // namespace urn
