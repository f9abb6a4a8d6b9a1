#include "ui/MenuBarKeyboard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>

namespace urn {

namespace {
// Watches the bar's window for F10. The bar itself knows only the Alt key;
// F10 hands it the same lone Alt, so that both keys behave alike, turning
// the highlight on and off.
class F10Filter : public QObject {
public:
    explicit F10Filter(QMenuBar* bar) : QObject(bar), m_bar(bar) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::NoModifier || !m_bar->isVisible())
            return false;
        // A key held down turns the highlight on once, not on and off.
        if (!key->isAutoRepeat()) {
            // A key press that does not come from the keyboard is first
            // offered as a shortcut, as a real one is: that is where the bar
            // notices a lone Alt going down.
            QWidget* window = m_bar->window();
            QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
            QCoreApplication::sendEvent(window, &altDown);
            QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
            QCoreApplication::sendEvent(window, &altUp);
        }
        return true;
    }

private:
    QMenuBar* m_bar;
};
} // namespace

void reachMenuBarFromKeyboard(QMenuBar* bar) {
    bar->window()->installEventFilter(new F10Filter(bar));
}

} // namespace urn
