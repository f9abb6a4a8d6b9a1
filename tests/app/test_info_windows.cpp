#include "app/AboutWindow.h"
#include "app/InformationWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace urn;

namespace {
// Centred as the program centres its windows (within a pixel of rounding).
void expectCentred(const QWidget& w) {
    const QRect s = w.screen()->geometry();
    const QRect f = w.frameGeometry();
    EXPECT_NEAR(f.center().x(), s.center().x(), 1);
    EXPECT_NEAR(f.center().y(), s.center().y(), 1);
}
} // namespace

TEST(InfoWindow, ShowsTheClockWhileOpenAndStopsItWhenHidden) {
    TZ_Info_F w;
    QDateTime now(QDate(2024, 6, 7), QTime(23, 59, 58));
    w.setClock([&] { return now; });
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Informace"));
    EXPECT_EQ(w.size(), QSize(542, 221));
    EXPECT_EQ(w.datumText(), QStringLiteral("07.06.2024"));
    EXPECT_EQ(w.casText(), QStringLiteral("23:59"));
    EXPECT_TRUE(w.datumCasTimer()->isActive());
    EXPECT_EQ(w.datumCasTimer()->interval(), 1000);
    expectCentred(w);

    struct Tick {
        QDateTime at;
        const char* datum;
        const char* cas;
    };
    const Tick ticks[] = {
        {QDateTime(QDate(2024, 6, 7), QTime(23, 59, 59)), "07.06.2024", "23:59"},
        // Left open over midnight, the next tick shows the new date.
        {QDateTime(QDate(2024, 6, 8), QTime(0, 0, 0)), "08.06.2024", "00:00"},
        {QDateTime(QDate(2024, 6, 8), QTime(9, 5, 1)), "08.06.2024", "09:05"},
    };
    for (const Tick& t : ticks) {
        now = t.at;
        QMetaObject::invokeMethod(&w, "datumCasTimerTimer");
        EXPECT_EQ(w.datumText(), QString::fromUtf8(t.datum));
        EXPECT_EQ(w.casText(), QString::fromUtf8(t.cas));
    }
    w.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.datumCasTimer()->isActive());
}

TEST(AboutWindow, IsCentredAndClosesWithItsButtonOnly) {
    TZ_OProgramu_F w;
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("O programu"));
    EXPECT_EQ(w.size(), QSize(420, 256));
    expectCentred(w);
    // No title-bar buttons: the window closes with its OK button.
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    w.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    EXPECT_FALSE(w.isVisible());
}
