#pragma once

#include "core/Dialogs.h"

#include <QList>
#include <QString>

#include <optional>
#include <ostream>

namespace urn {
// Test failures name the button.
inline void PrintTo(DefaultAnswer a, std::ostream* os) {
    *os << (a == DefaultAnswer::Ano ? "Ano" : "Ne");
}
} // namespace urn

namespace urn::test {

// Dialogs that answer questions from a script and remember what was shown.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "ask", "warn", "inform", "error"
        QString caption;
        QString text;
        // The button Enter would have pressed; questions only.
        std::optional<DefaultAnswer> defaultAnswer;
    };

    FakeDialogs() { setDialogs(this); }
    ~FakeDialogs() override { setDialogs(nullptr); }

    // Answers for the next questions, in order; true = "Ano". When the script
    // runs out, questions are answered "Ne".
    QList<bool> answers;
    QList<Shown> shown;

    bool ask(const QString& caption, const QString& text, DefaultAnswer defaultAnswer) override {
        shown.append({QStringLiteral("ask"), caption, text, defaultAnswer});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void warn(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("warn"), caption, text, std::nullopt});
    }
    void inform(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("inform"), caption, text, std::nullopt});
    }
    void error(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("error"), caption, text, std::nullopt});
    }
};

} // namespace urn::test
