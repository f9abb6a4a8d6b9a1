// The check protocol as the check command and the save of the data-entry
// window print it after their check run: into the preview window.

#include "FakeDialogs.h"
#include "PrintFixture.h"
#include "checks/CheckSequence.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "preview/PreviewControl.h"
#include "printing/PrintCommands.h"
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
    ~ProtocolFixture() {
        session.ChybProt = TChybProt();
        freeErrorCatalogue();
    }
};

} // namespace

TEST(CheckProtocolOutput, ThePreviewWindowTakesTheProtocol) {
    ProtocolFixture f;
    TPrecinctRecord rec;
    rec.T2.Obec = 582786;
    rec.T2.Okrsek = 3;
    rec.T2.T2KC_1 = 1;
    rec.TS.KontrSoucetTS = 98765;
    TChybProt protokol(CisChyb());
    protokol.PridejChybu(3, 41, QStringLiteral("17"));
    protokol.PridejChybu(0, 92, QStringLiteral("98 %"));
    protokol.PridejChybu(0, 11);
    TiskProtokolu(UdajeProtokolu(protokol, rec, f.session.Stanice), f.okno, fixedPrintTime());
    EXPECT_EQ(f.shown, 1);
    ASSERT_EQ(f.pages(), 1);
    const DrawnPage p = f.page(1);
    const QStringList lines = {
        QStringLiteral("Identifikace okrsku:     582786         3    1   Bílá Lhota u Kamenice"),
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

TEST(CheckProtocolOutput, ACheckRunsProtocolInThePreview) {
    ProtocolFixture f;
    FakeDialogs dialogs;
    f.inst.writeStanice(sampleStanice());
    f.inst.writeStrany({});
    f.inst.writeKandidati({});
    TOkrsky okrsky;
    okrsky.Obec = f.session.Stanice.Obec;
    okrsky.NazevObce = f.session.Stanice.NazevObce;
    okrsky.OkrsekOd = QStringLiteral("1");
    okrsky.OkrsekDo = QStringLiteral("5");
    okrsky.Okres = QStringLiteral("3703");
    okrsky.NazevOkresu = QStringLiteral("Žďár nad Sázavou");
    f.inst.writeOkrsky({okrsky});
    f.inst.writeOcekavani({});
    f.inst.writeZvlastni({});
    f.session.Stanice = NactiStanici();
    // An empty record saved as entered: the checks have plenty to say.
    UlozData(kKindE, f.session.Stanice.okrsek(), TPrecinctRecord());
    UlozHlaso(THlaso());
    Kontroly(f.session, kVybranoKontrola);
    EXPECT_EQ(f.shown, 0) << "the check sequence prints nothing itself";
    TiskProtokolu(UdajeProtokolu(f.session.ChybProt, f.session.PrecinctRecord, f.session.Stanice),
                  f.okno, fixedPrintTime());
    EXPECT_EQ(f.shown, 1);
    ASSERT_GE(f.pages(), 1);
    const DrawnPage p = f.page(1);
    EXPECT_NE(p.find(QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")), nullptr);
    EXPECT_EQ(p.find(QStringLiteral("Nebyly zjištěny žádné chyby")), nullptr);
    EXPECT_EQ(f.okno.PrintPreview()->PrintJobTitle(), QStringLiteral("QZKCH.pdf"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
