// The second entry's comparison and its kept outcome: which values differ,
// in the form's order, and when the outcome no longer holds.
#include "TestInstall.h"
#include "checks/ControlNumbers.h"
#include "checks/SecondEntry.h"
#include "store/PrecinctDataFile.h"
#include "store/SecondEntryState.h"

#include <QFile>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

const TAktOkrsek kOkrsek{QStringLiteral("582786"), 2};

TPrecinctRecord zaznam() {
    TPrecinctRecord r;
    r.T2.Obec = 582786;
    r.T2.Okrsek = 2;
    r.T2.ZapsOsoby = 661;
    r.T2.VydObalky = 500;
    r.T2.OdevzdObalky = 498;
    r.T2.PlatneHlasy = 490;
    for (int p : {2, 5}) {
        zaskrtniStranu(r, p, true);
        r.VyslStran(p).PocHl = quint16(p == 2 ? 330 : 160);
        r.VyslStran(p).pref(1) = 40;
        r.VyslStran(p).pref(3) = quint16(p);
        r.VyslStran(p).T2PPoslKand = 3;
    }
    return r;
}

} // namespace

TEST(SecondEntryComparison, NamesEveryDifferingValueInTheFormsOrder) {
    const struct {
        const char* name;
        std::function<void(TPrecinctRecord&)> change;
        QList<TRozdil> expected;
        QStringList described;
    } cases[] = {
        {"the same numbers", [](TPrecinctRecord&) {}, {}, {}},
        {"two candidates swapped",
         [](TPrecinctRecord& r) { std::swap(r.VyslStran(5).pref(1), r.VyslStran(5).pref(3)); },
         {{TUdajZadani::PrefHlasy, 5, 1, 40, 5}, {TUdajZadani::PrefHlasy, 5, 3, 5, 40}},
         {QStringLiteral("Strana 5, kandidát 1 – přednostní hlasy"),
          QStringLiteral("Strana 5, kandidát 3 – přednostní hlasy")}},
        {"section II, then a party's votes and last candidate",
         [](TPrecinctRecord& r) {
             r.VyslStran(2).T2PPoslKand = 4;
             r.VyslStran(2).PocHl = 320;
             r.T2.PlatneHlasy = 480;
         },
         {{TUdajZadani::PlatneHlasy, 0, 0, 490, 480},
          {TUdajZadani::PocHl, 2, 0, 330, 320},
          {TUdajZadani::PoslKand, 2, 0, 3, 4}},
         {QStringLiteral("Počet platných hlasů"), QStringLiteral("Strana 2 – hlasy pro stranu"),
          QStringLiteral("Strana 2 – poslední kandidát s přednostními hlasy")}},
        // A party ticked in one entry only has one difference, its tick: its
        // sheet exists in one entry only.
        {"a party ticked in the second entry only",
         [](TPrecinctRecord& r) {
             zaskrtniStranu(r, 9, true);
             r.VyslStran(9).PocHl = 7;
         },
         {{TUdajZadani::Zaskrtnuti, 9, 0, 0, 1}},
         {QStringLiteral("Strana 9 – zaškrtnutí (alespoň jeden platný hlas)")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPrecinctRecord druhe = zaznam();
        c.change(druhe);
        const QList<TRozdil> rozdily = porovnejZadani(zaznam(), druhe);
        EXPECT_EQ(rozdily, c.expected);
        QStringList popisy;
        for (const TRozdil& r : rozdily)
            popisy << popisUdaje(r);
        EXPECT_EQ(popisy, c.described);
    }
}

TEST(SecondEntryState, HoldsOnlyWhileTheComparedValuesOnDiskAreTheSame) {
    const TStavKZ neprovedeno{};
    const TStavKZ shoda{TVysledekKZ::Shoda, 0};
    const struct {
        const char* name;
        // What happens after a comparison that found `rozdilu` differences.
        std::function<void(const TestInstall&)> after;
        int rozdilu;
        TStavKZ expected;
    } cases[] = {
        {"agreed", [](const TestInstall&) {}, 0, shoda},
        {"differences kept", [](const TestInstall&) {}, 3, {TVysledekKZ::Rozdily, 3}},
        {"a compared value changed",
         [](const TestInstall&) {
             TPrecinctRecord r = zaznam();
             r.VyslStran(5).pref(3) = 6;
             UlozData(kKindO, kOkrsek, r);
         },
         0, neprovedeno},
        {"the record saved again unchanged, with its closing record",
         [](const TestInstall&) {
             TPrecinctRecord r = zaznam();
             r.TS.Obec = 582786;
             storeDataFileOfKind(kKindE, kOkrsek, r);
         },
         0, shoda},
        {"the data deleted",
         [](const TestInstall&) { QFile::remove(dataFilePath(kKindO, kOkrsek)); }, 0, neprovedeno},
        {"another precinct's outcome",
         [](const TestInstall&) {
             writeSecondEntryState(
                 {TAktOkrsek{QStringLiteral("582786"), 3}, 0, otiskZadani(zaznam())});
         },
         0, neprovedeno},
        {"the outcome file damaged",
         [](const TestInstall& inst) {
             QByteArray bytes = inst.readFile(secondEntryStatePath());
             bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x20);
             inst.writeConfigFile(QString::fromLatin1(kSecondEntryFileName), bytes);
         },
         0, neprovedeno},
        {"the outcome file cut short",
         [](const TestInstall& inst) {
             const QByteArray bytes = inst.readFile(secondEntryStatePath());
             inst.writeConfigFile(QString::fromLatin1(kSecondEntryFileName),
                                  bytes.left(bytes.size() - 5));
         },
         0, neprovedeno},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestInstall inst;
        EXPECT_EQ(stavKontrolnihoZadani(kOkrsek), neprovedeno) << "before any comparison";
        UlozData(kKindO, kOkrsek, zaznam());
        zapisKontrolniZadani(kOkrsek, zaznam(), c.rozdilu);
        c.after(inst);
        EXPECT_EQ(stavKontrolnihoZadani(kOkrsek), c.expected);
    }
    EXPECT_EQ(textStavuKZ(neprovedeno), QStringLiteral("Kontrolní zadání: neprovedeno"));
    EXPECT_EQ(textStavuKZ({TVysledekKZ::Rozdily, 2}),
              QStringLiteral("Kontrolní zadání: rozdíly (2)"));
}
