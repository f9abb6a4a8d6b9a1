#include "Keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace urn::test {

void settle() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QWidget* focus() {
    return QApplication::focusWidget();
}

bool focused(const char* objectName) {
    return focus() && focus()->objectName() == QLatin1String(objectName);
}

void type(const QString& text) {
    for (QChar c : text) {
        QWidget* w = focus();
        if (!w) {
            ADD_FAILURE() << "no control has the focus";
            return;
        }
        if (c.unicode() < 128) {
            QTest::keyClick(w, char(c.unicode()));
        } else {
            // QTest types ASCII only; Czech letters come as the keyboard
            // delivers them, a key event with the text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
        settle();
    }
}

void key(int k, Qt::KeyboardModifiers mods) {
    QWidget* w = focus();
    if (!w) {
        ADD_FAILURE() << "no control has the focus";
        return;
    }
    QTest::keyClick(w, Qt::Key(k), mods);
    settle();
}

void field(const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(focus()))
        e->selectAll();
    type(text);
    enter();
}

} // namespace urn::test
