#pragma once

#include <QString>

namespace urn {

// Every message box of the program goes through this interface, so that the
// commands can run without a display and be driven by tests with scripted
// answers. Texts may separate their lines with "\r" as the message constants
// do. The program registers its message boxes at start (MessageBoxDialogs).
// The button that Enter presses in a question. Every question names it: one
// whose "Ano" deletes or discards the commission's work defaults to "Ne", so
// that Enter typed in a hurry never destroys anything.
enum class DefaultAnswer { Ano, Ne };

class Dialogs {
public:
    virtual ~Dialogs();
    // A question with the buttons "Ano" and "Ne"; true for "Ano". Esc
    // answers "Ne".
    virtual bool ask(const QString& caption, const QString& text, DefaultAnswer defaultAnswer) = 0;
    // A warning with an "OK" button.
    virtual void warn(const QString& caption, const QString& text) = 0;
    // An information with an "OK" button.
    virtual void inform(const QString& caption, const QString& text) = 0;
    // An error report with an "OK" button.
    virtual void error(const QString& caption, const QString& text) = 0;
};

// The dialogs in use. Until some are registered, messages go to standard
// error and every question is answered "Ne", the answer that changes nothing.
Dialogs& dialogs();
// Registers the dialogs to use; nullptr unregisters. Not owned.
void setDialogs(Dialogs* replacement);

// Message texts separate lines with a lone "\r"; widgets and terminals want
// "\n".
QString toDisplayText(const QString& text);

// The application's title, used as the caption of error reports.
inline constexpr const char* kApplicationTitle = "QZ - okrskový program";

} // namespace urn
