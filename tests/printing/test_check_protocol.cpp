// The check protocol as the check sequence prints it: through its protocol
// output into the preview window.

#include "FakeDialogs.h"
#include "PrintFixture.h"
#include "checks/CheckSequence.h"
#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "core/Dialogs.h"
#include "preview/PreviewControl.h"
#include "store/PrecinctDataFile.h"
#include "store/SectionsFile.h"

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

QList<TChybaInfo> katalog() {
    auto info = [](int n, const char* typ, const char* text) {
        TChybaInfo i;
        i.Chyba = n;
        i.TypChyby = QString::fromLatin1(typ);
        i.ZkrText = QString::fromUtf8(text);
        return i;
    };
    return {info(5, "P", "Přednostní hlasy převyšují hlasy strany"),
            info(11, "C", "Vydaných obálek je méně než odevzdaných"),
            info(41, "C", "Součet přednostních hlasů nesouhlasí"),
            info(92, "U", "Neobvykle vysoká účast")};
}

struct ProtocolFixture : PrintFixture {
    ProtocolFixture() { createErrorCatalogue(katalog()); }
    ~ProtocolFixture() { freeErrorCatalogue(); }
};

} // namespace

TEST(CheckProtocolOutput, ThePreviewWindowTakesTheProtocol) {
    {
        ProtocolFixture f;
        TPrecinctRecord rec;
        rec.T2.Obec = 582786;
        rec.T2.Okrsek = 3;
        rec.T2.T2KC_1 = 1;
        rec.TS.KontrSoucetTS = 98765;
        ChybProt().PridejChybu(3, 41, QStringLiteral("17"));
        ChybProt().PridejChybu(0, 92, QStringLiteral("98 %"));
        ChybProt().PridejChybu(0, 11);
        protocolOutput().TiskProtokolu(ChybProt(), rec, Stanice());
        EXPECT_EQ(f.shown, 1);
        ASSERT_EQ(f.pages(), 1);
        const DrawnPage p = f.page(1);
        const QStringList lines = {
            QStringLiteral(
                "Identifikace okrsku:     582786         3    1   Bílá Lhota u Kamenice"),
            QStringLiteral("11 - Vydaných obálek je méně než odevzdaných "),
            QStringLiteral("92 - Neobvykle vysoká účast 98 %"),
            QStringLiteral("Strana: 3"),
            QStringLiteral("  41 - Součet přednostních hlasů nesouhlasí 17"),
            QStringLiteral("582786 - 3 -        98765 QZ"),
        };
        for (const QString& l : lines)
            EXPECT_NE(p.find(l), nullptr) << l.toStdString();
        // Protocol order: the record's findings first, then party 3.
        EXPECT_LT(p.find(lines[2])->topLeft.y(), p.find(lines[3])->topLeft.y());
    }
    // Without the window the check sequence falls back to its own output.
    FakeDialogs dialogs;
    createErrorCatalogue(katalog());
    protocolOutput().TiskProtokolu(ChybProt(), TPrecinctRecord(), TStanice());
    freeErrorCatalogue();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown.first().caption, QStringLiteral("Protokol o kontrolách"));
}

TEST(CheckProtocolOutput, CheckRunShowsItsProtocolInThePreview) {
    const struct {
        TVybrano vybrano;
        int shown;
    } cases[] = {{kVybranoKontrola, 1}, {kVybranoZadny, 1}, {kVybranoExport, 0}};
    for (const auto& c : cases) {
        ProtocolFixture f;
        FakeDialogs dialogs;
        f.inst.writeStanice(sampleStanice());
        f.inst.writeStrany({});
        f.inst.writeKandidati({});
        TOkrsky okrsky;
        okrsky.Obec = Stanice().Obec;
        okrsky.NazevObce = Stanice().NazevObce;
        okrsky.OkrsekOd = QStringLiteral("1");
        okrsky.OkrsekDo = QStringLiteral("5");
        okrsky.Okres = QStringLiteral("3703");
        okrsky.NazevOkresu = QStringLiteral("Žďár nad Sázavou");
        f.inst.writeOkrsky({okrsky});
        f.inst.writeOcekavani({});
        f.inst.writeZvlastni({});
        NactiStanici();
        // An empty record saved as entered: the checks have plenty to say.
        AktOkrsek() = {Stanice().Obec, Stanice().Okrsek};
        PrecinctRecord() = TPrecinctRecord();
        UlozData(kKindE);
        UlozHlaso();
        Workflow().Vybrano = c.vybrano;
        Kontroly();
        EXPECT_EQ(f.shown, c.shown) << c.vybrano;
        if (c.shown) {
            ASSERT_GE(f.pages(), 1);
            const DrawnPage p = f.page(1);
            EXPECT_NE(p.find(QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")), nullptr);
            EXPECT_EQ(p.find(QStringLiteral("Nebyly zjištěny žádné chyby")), nullptr);
            EXPECT_EQ(f.okno.PrintPreview()->PrintJobTitle(), QStringLiteral("QZKCH.pdf"));
        }
        Workflow().Vybrano = kVybranoZadny;
    }
}
