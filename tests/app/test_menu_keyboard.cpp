// The main window's menu bar from the keyboard: the menus have no letters of
// their own, so Alt or F10 is the way in, as on the platform the forms come
// from.
#include "FakeDialogs.h"
#include "Keyboard.h"
#include "TestInstall.h"
#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "checks/PrecinctSession.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>

using namespace urn;
using namespace urn::test;

namespace {
struct MenuKeys : ::testing::Test {
    void SetUp() override {
        inst.writeStanice(sampleStanice());
        inst.writeProgramFile(QStringLiteral("stanice.rcd"), sampleStanice().toRecord());
        inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), QByteArray());
        w = std::make_unique<TQZ_menu>(session, inst.dirs().program + QStringLiteral("urnarium"),
                                       QStringList());
        AppWindows windows;
        windows.oProgramu = &about;
        w->setWindows(windows);
        w->show();
        w->activateWindow();
        ASSERT_SOON(QApplication::activeWindow() == w.get() && w->opened());
    }

    // Where the keyboard sends a key: an open menu, else the control with
    // the focus, else the active window.
    static void press(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* to = QApplication::activePopupWidget();
        if (!to)
            to = QApplication::focusWidget();
        if (!to)
            to = QApplication::activeWindow();
        ASSERT_NE(to, nullptr);
        QTest::keyClick(to, Qt::Key(k), mods);
        settle();
    }
    static void alt() {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget()
                                                  : QApplication::activeWindow();
        // Alt goes down with its own modifier and comes up without it.
        QTest::keyPress(to, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(to, Qt::Key_Alt, Qt::NoModifier);
        settle();
    }
    // The menu the keyboard has reached, if it can be seen on the bar: drawn
    // in the highlight colour.
    QString highlighted() const {
        QMenuBar* bar = w->menuBar();
        QAction* a = bar->activeAction();
        if (!a)
            return QString();
        const QImage drawn = bar->grab().toImage();
        const QRect r = bar->actionGeometry(a);
        const QColor highlight = bar->palette().color(QPalette::Highlight);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (drawn.pixelColor(x * drawn.width() / bar->width(),
                                     y * drawn.height() / bar->height()) == highlight)
                    return a->text();
        return QStringLiteral("(not drawn) ") + a->text();
    }
    static QString openMenu() {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return m ? m->title() : QString();
    }

    TestInstall inst;
    FakeDialogs dlg;
    TZ_OProgramu_F about;
    PrecinctSession session;
    std::unique_ptr<TQZ_menu> w;
};

TEST_F(MenuKeys, AltAloneHighlightsTheFirstMenuAndTheArrowsAndLettersGoOn) {
    alt();
    EXPECT_EQ(highlighted(), QStringLiteral("Okrsek     "));
    EXPECT_EQ(openMenu(), QString()); // highlighted, not opened
    press(Qt::Key_Right);
    EXPECT_EQ(highlighted(), QStringLiteral("Nápověda"));
    press(Qt::Key_Left);
    EXPECT_EQ(highlighted(), QStringLiteral("Okrsek     "));
    press(Qt::Key_Return);
    EXPECT_EQ(openMenu(), QStringLiteral("Okrsek     "));
    press(Qt::Key_Escape);
    press(Qt::Key_Escape);
    EXPECT_EQ(openMenu(), QString());
    EXPECT_EQ(highlighted(), QString());

    // "&O programu" by its letter, in the help menu opened with Down.
    alt();
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    ASSERT_EQ(openMenu(), QStringLiteral("Nápověda"));
    bool shown = false;
    QTimer::singleShot(0, &about, [&] {
        shown = about.isVisible();
        about.reject();
    });
    press(Qt::Key_O);
    EXPECT_TRUE(shown);
    EXPECT_EQ(openMenu(), QString());
}

TEST_F(MenuKeys, F10HighlightsTheFirstMenuAndLeavesItAgain) {
    press(Qt::Key_F10);
    EXPECT_EQ(highlighted(), QStringLiteral("Okrsek     "));
    EXPECT_EQ(openMenu(), QString());
    press(Qt::Key_F10);
    EXPECT_EQ(highlighted(), QString());

    // "K&onec" by its letter asks before the program ends.
    press(Qt::Key_F10);
    press(Qt::Key_Down);
    ASSERT_EQ(openMenu(), QStringLiteral("Okrsek     "));
    dlg.answers = {false};
    press(Qt::Key_O);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Opravdu ukončit program?"));
    EXPECT_TRUE(w->isVisible());
}

} // namespace
