#pragma once

#include "core/Dialogs.h"

class QWidget;

namespace urn {

// The dialogs of the running program: modal message boxes with the buttons
// "Ano"/"Ne" or "OK".
class MessageBoxDialogs : public Dialogs {
public:
    bool ask(const QString& caption, const QString& text, DefaultAnswer defaultAnswer) override;
    void warn(const QString& caption, const QString& text) override;
    void inform(const QString& caption, const QString& text) override;
    void error(const QString& caption, const QString& text) override;
};

// Centres a top-level window on its screen: half the free space on each side,
// halves rounded to even.
void centreOnScreen(QWidget* window);

} // namespace urn
