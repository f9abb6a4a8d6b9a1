#include "ui/MessageBoxDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace urn {

namespace {
QWidget* activeParent() {
    return QApplication::activeWindow();
}

void showOk(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, toDisplayText(text), QMessageBox::NoButton, activeParent());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
} // namespace

bool MessageBoxDialogs::ask(const QString& caption, const QString& text,
                            DefaultAnswer defaultAnswer) {
    QMessageBox box(QMessageBox::Question, caption, toDisplayText(text), QMessageBox::NoButton,
                    activeParent());
    QPushButton* yes = box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Ano ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxDialogs::warn(const QString& caption, const QString& text) {
    showOk(QMessageBox::Warning, caption, text);
}

void MessageBoxDialogs::inform(const QString& caption, const QString& text) {
    showOk(QMessageBox::Information, caption, text);
}

void MessageBoxDialogs::error(const QString& caption, const QString& text) {
    showOk(QMessageBox::Critical, caption, text);
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const QSize w = window->frameGeometry().size();
    const int top = int(std::nearbyint(s.height() / 2.0 - w.height() / 2.0));
    const int left = int(std::nearbyint(s.width() / 2.0 - w.width() / 2.0));
    window->move(s.x() + left, s.y() + top);
}

} // namespace urn
