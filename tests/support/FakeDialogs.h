#pragma once

#include "core/Dialogs.h"

#include <QList>
#include <QString>

namespace urn::test {

// Dialogs that answer questions from a script and remember what was shown.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString kind; // "ask", "warn", "inform", "error"
        QString caption;
        QString text;
    };

    FakeDialogs() { setDialogs(this); }
    ~FakeDialogs() override { setDialogs(nullptr); }

    // Answers for the next questions, in order; true = "Ano". When the script
    // runs out, questions are answered "Ne".
    QList<bool> answers;
    QList<Shown> shown;

    bool ask(const QString& caption, const QString& text, bool) override {
        shown.append({QStringLiteral("ask"), caption, text});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void warn(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("warn"), caption, text});
    }
    void inform(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("inform"), caption, text});
    }
    void error(const QString& caption, const QString& text) override {
        shown.append({QStringLiteral("error"), caption, text});
    }
};

} // namespace urn::test
