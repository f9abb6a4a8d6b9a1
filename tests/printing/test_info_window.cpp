#include "PrintFixture.h"
#include "export/ExportInfoWindow.h"
#include "printing/PrintCommands.h"

#include <QApplication>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

TEST(InfoWindow, ShowsTheTextsItIsGiven) {
    TZ_infoE_F info;
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Export dat a tisk zápisu"));
    EXPECT_EQ(info.size(), QSize(460, 315));
    EXPECT_TRUE(info.Odebrat_Btn()->isHidden());
    EXPECT_EQ(info.Odebrat_Btn()->toolTip(), QStringLiteral("Bezpečně odebrat USB disk"));
    int shown = 0;
    info.showHook = [&](TZ_infoE_F& w) {
        ++shown;
        EXPECT_EQ(w.titulek2Text(), QStringLiteral("Titulek"));
        EXPECT_EQ(w.titulek3Text(), QStringLiteral("první\ndruhý\n\nčtvrtý"));
    };
    info.Ukaz(QStringLiteral("Sčítací arch"), QStringLiteral("Titulek"),
              QStringLiteral("první\rdruhý\r\rčtvrtý"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Sčítací arch"));

    // An empty text clears the label.
    info.showHook = [&](TZ_infoE_F&) { ++shown; };
    info.Ukaz(QStringLiteral("Sčítací arch"), QStringLiteral("Titulek"), QString());
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(info.titulek3Text().isEmpty());
}

TEST(InfoWindow, OkCloses) {
    TZ_infoE_F info;
    info.show();
    QApplication::processEvents();
    info.findChild<QPushButton*>(QStringLiteral("OK_Btn"))->click();
    EXPECT_FALSE(info.isVisible());
    EXPECT_EQ(info.result(), QDialog::Accepted);
}

TEST(InfoWindow, CountingSheetCommandShowsTheNoticeFirst) {
    PrintFixture f;
    f.inst.writeStrany({});
    f.inst.writeKandidati({});
    TZ_infoE_F info;
    QString title;
    QString text;
    info.showHook = [&](TZ_infoE_F& w) {
        title = w.titulek2Text();
        text = w.titulek3Text();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Sčítací arch"));
        EXPECT_EQ(f.shown, 0);
    };
    ScitaciArch(nactiArch(f.session), f.okno,
                [&](const QString& caption, const QString& titulek, const QString& zprava) {
                    info.Ukaz(caption, titulek, zprava);
                });
    // No party: one sheet with the header and footer only, and the notice
    // says so.
    EXPECT_EQ(title, QStringLiteral("Tisk pomocného sčítacího archu má 1 stranu."));
    EXPECT_EQ(text, QStringLiteral("Pokud chcete tisknout jen vybrané stránky,\n"
                                   "jejich výběr provedete zadáním jejich rozsahu\n"
                                   "v Nastavení tiskárny (ikonka s tiskárnou)\n"
                                   "v preview tisku a potvrdíte tlačítkem OK.\n"
                                   "Vlastní tisk provedete stisknutím tlačítka Tisk."));
    EXPECT_EQ(f.shown, 1);
    EXPECT_EQ(f.pages(), 1);
}
