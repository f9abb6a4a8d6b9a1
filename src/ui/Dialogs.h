#pragma once

#include <QString>

class QWidget;

namespace urn {

// Every message box of the program goes through this interface, so that the
// commands can be driven by tests with scripted answers. Texts may separate
// their lines with "\r" as the message constants do.
class Dialogs {
public:
    virtual ~Dialogs();
    // A question with the buttons "Ano" and "Ne"; true for "Ano".
    virtual bool ask(const QString& caption, const QString& text, bool defaultYes = true) = 0;
    // A warning with an "OK" button.
    virtual void warn(const QString& caption, const QString& text) = 0;
    // An information with an "OK" button.
    virtual void inform(const QString& caption, const QString& text) = 0;
    // An error report with an "OK" button.
    virtual void error(const QString& caption, const QString& text) = 0;
};

// The dialogs of the running program (QMessageBox unless a test replaced it).
Dialogs& dialogs();
// Replaces the dialogs; nullptr restores the message boxes. Not owned.
void setDialogs(Dialogs* replacement);

// The message boxes themselves.
class MessageBoxDialogs : public Dialogs {
public:
    bool ask(const QString& caption, const QString& text, bool defaultYes = true) override;
    void warn(const QString& caption, const QString& text) override;
    void inform(const QString& caption, const QString& text) override;
    void error(const QString& caption, const QString& text) override;
};

// Message texts separate lines with a lone "\r"; widgets want "\n".
QString toDisplayText(const QString& text);

// Centres a top-level window on its screen: half the free space on each side,
// halves rounded to even.
void centreOnScreen(QWidget* window);

// The application's title, used as the caption of error reports.
inline constexpr const char* kApplicationTitle = "QZ - okrskový program";

} // namespace urn
