#include "ui/MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;

namespace {
struct Seen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

// Looks at the message box once it is open, then presses the button with
// the given text, or the key Enter ("Enter"), or Esc (when `press` is empty).
// Keys go where the keyboard sends them: to the control with the focus.
Seen answer(const QString& press, const std::function<void()>& show) {
    Seen seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        seen.caption = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        if (press.isEmpty()) {
            box->reject();
            return;
        }
        if (press == QLatin1String("Enter")) {
            QWidget* f = QApplication::focusWidget();
            QTest::keyClick(f && box->isAncestorOf(f) ? f : box, Qt::Key_Return);
            return;
        }
        for (QAbstractButton* b : box->buttons())
            if (b->text() == press)
                b->click();
    });
    poll.start();
    show();
    return seen;
}
} // namespace

TEST(MessageBoxes, QuestionsHaveAnoAndNeWithTheDefaultAsAsked) {
    struct Case {
        DefaultAnswer defaultAnswer;
        QString press;
        bool result;
    };
    const Case cases[] = {
        {DefaultAnswer::Ano, QStringLiteral("Ano"), true},
        {DefaultAnswer::Ano, QStringLiteral("Ne"), false},
        {DefaultAnswer::Ne, QStringLiteral("Ano"), true},
        {DefaultAnswer::Ano, QString(), false}, // Esc answers "Ne"
        {DefaultAnswer::Ne, QString(), false},
        // Enter answers with the default button, whatever has the focus.
        {DefaultAnswer::Ano, QStringLiteral("Enter"), true},
        {DefaultAnswer::Ne, QStringLiteral("Enter"), false},
    };
    MessageBoxDialogs dialogs;
    for (const Case& c : cases) {
        bool result = !c.result;
        const Seen s = answer(c.press, [&] {
            result = dialogs.ask(QStringLiteral("Rušení dat"), QStringLiteral("Řádek 1\rŘádek 2"),
                                 c.defaultAnswer);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(s.caption, QStringLiteral("Rušení dat"));
        EXPECT_EQ(s.text, QStringLiteral("Řádek 1\nŘádek 2"));
        EXPECT_EQ(s.icon, QMessageBox::Question);
        EXPECT_EQ(s.buttons.size(), 2);
        EXPECT_TRUE(s.buttons.contains(QStringLiteral("Ano")));
        EXPECT_TRUE(s.buttons.contains(QStringLiteral("Ne")));
        EXPECT_EQ(s.defaultButton, c.defaultAnswer == DefaultAnswer::Ano ? QStringLiteral("Ano")
                                                                         : QStringLiteral("Ne"));
    }
}

TEST(MessageBoxes, ReportsHaveOneOkButtonAndTheirIcon) {
    struct Case {
        void (MessageBoxDialogs::*show)(const QString&, const QString&);
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {&MessageBoxDialogs::warn, QMessageBox::Warning},
        {&MessageBoxDialogs::inform, QMessageBox::Information},
        {&MessageBoxDialogs::error, QMessageBox::Critical},
    };
    MessageBoxDialogs dialogs;
    for (const Case& c : cases) {
        const Seen s = answer(QStringLiteral("OK"), [&] {
            (dialogs.*c.show)(QStringLiteral("Kontrola dat"),
                              QStringLiteral("Data nejsou pořízena!"));
        });
        EXPECT_EQ(s.caption, QStringLiteral("Kontrola dat"));
        EXPECT_EQ(s.text, QStringLiteral("Data nejsou pořízena!"));
        EXPECT_EQ(s.icon, c.icon);
        EXPECT_EQ(s.buttons, QStringList{QStringLiteral("OK")});
    }
}
