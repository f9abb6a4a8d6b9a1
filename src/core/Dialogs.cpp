#include "core/Dialogs.h"

#include <cstdio>

namespace urn {

namespace {
class ConsoleDialogs : public Dialogs {
public:
    bool ask(const QString& caption, const QString& text, DefaultAnswer) override {
        print(caption, text + QStringLiteral(" [Ne]"));
        return false;
    }
    void warn(const QString& caption, const QString& text) override { print(caption, text); }
    void inform(const QString& caption, const QString& text) override { print(caption, text); }
    void error(const QString& caption, const QString& text) override { print(caption, text); }

private:
    static void print(const QString& caption, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(),
                     toDisplayText(text).toUtf8().constData());
    }
};

ConsoleDialogs g_console;
Dialogs* g_dialogs = nullptr;
} // namespace

Dialogs::~Dialogs() = default;

Dialogs& dialogs() {
    return g_dialogs ? *g_dialogs : g_console;
}
void setDialogs(Dialogs* replacement) {
    g_dialogs = replacement;
}

QString toDisplayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

} // namespace urn
