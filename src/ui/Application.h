#pragma once

#include <QApplication>

#include <functional>

namespace urn {

// The program's QApplication. Its notify() is the general error handler: an
// exception escaping any event handler or command is shown as a message box
// with its Czech text, and the program goes on running.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `work`, reporting an escaping exception as the general handler does.
// Returns false when an exception was reported.
bool runReportingErrors(const std::function<void()>& work);

// Shows the report of the exception being handled (call inside catch).
void reportCurrentException();

} // namespace urn
