#include "ui/EntryEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;

namespace {
// Whether a control looks different with the focus than without it, when
// the focus came from the program, not from the Tab key: the windows move
// the focus themselves after Enter, a page change or the next party.
TEST(ProgramStyle, TheFocusShowsOnEveryKindOfControlWhereverItCameFrom) {
    const struct {
        const char* kind;
        std::function<QWidget*(QWidget*)> make;
    } cases[] = {
        {"combo box",
         [](QWidget* p) {
             auto* c = new QComboBox(p);
             c->addItems({QStringLiteral("1: Hnutí zelené Evropy"), QStringLiteral("3: Aliance")});
             return c;
         }},
        {"check box", [](QWidget* p) { return new QCheckBox(QStringLiteral("1: Strana"), p); }},
        {"radio button",
         [](QWidget* p) { return new QRadioButton(QStringLiteral("nebylo odročeno"), p); }},
        {"push button",
         [](QWidget* p) { return new QPushButton(QStringLiteral("Pokračovat"), p); }},
        {"list",
         [](QWidget* p) {
             auto* l = new QListWidget(p);
             l->addItems({QStringLiteral("KOMISE"), QStringLiteral("Export")});
             l->setCurrentRow(0);
             return l;
         }},
        {"tabs",
         [](QWidget* p) {
             auto* t = new QTabBar(p);
             t->addTab(QStringLiteral("T/2 - odd. I"));
             t->addTab(QStringLiteral("T/2 - odd. II"));
             t->setFocusPolicy(Qt::StrongFocus);
             return t;
         }},
        {"field without a border",
         [](QWidget* p) {
             auto* e = new TSEdit(p);
             e->setBorderStyle(bsNone);
             return e;
         }},
    };
    for (const auto& c : cases) {
        QWidget window;
        window.resize(320, 120);
        QWidget* control = c.make(&window);
        control->setGeometry(20, 20, 280, 80);
        auto* elsewhere = new QPushButton(QStringLiteral("Zrušit"), &window);
        elsewhere->setGeometry(0, 0, 1, 1);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << c.kind;
        elsewhere->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        const QImage without = control->grab().toImage();
        control->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(control->hasFocus()) << c.kind;
        EXPECT_NE(control->grab().toImage(), without) << c.kind;
    }
}
} // namespace
