// The demo installation's tables, built by the project's own tool, behave as
// a national installation must: every error number the checks can report has
// a text, and the planted edge cases are where the lookups expect them.
#include "TestInstall.h"
#include "checks/ErrorCatalogue.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QProcess>

#include <gtest/gtest.h>
#include <memory>

using namespace urn;

class DemoTables : public ::testing::Test {
protected:
    void SetUp() override {
        QProcess tool;
        tool.start(QStringLiteral(URNARIUM_REFDATA_EXE),
                   {QStringLiteral(URNARIUM_DEMO_TABLES), inst.dirs().program});
        ASSERT_TRUE(tool.waitForFinished(60000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    test::TestInstall inst;
};

TEST_F(DemoTables, StationPrecinctAndNationalSize) {
    const QByteArray station = inst.readFile(inst.dirs().program + QStringLiteral("STANICE.RCD"));
    const TStanice s = TStanice::fromRecord(station);
    EXPECT_EQ(s.Stav, QStringLiteral("N"));
    EXPECT_EQ(s.PriponaPisma, QString());
    TOkrsky e;
    EXPECT_TRUE(NajdiOkrsek(s.Obec, s.Okrsek, e));
    EXPECT_EQ(e.NazevObce, s.NazevObce);
    EXPECT_GT(OcekavaniVolici(s.Obec, s.Okrsek), 0);
    const qint64 size = inst.readFile(inst.dirs().program + QStringLiteral("OKRSKY.RCD")).size();
    EXPECT_GE(size / kOkrskySize, 6000);
    EXPECT_LE(size / kOkrskySize, 6600);
}

TEST_F(DemoTables, PlantedEdgeCases) {
    TOkrsky e;
    EXPECT_TRUE(NajdiOkrsek(QStringLiteral("596221"), 5, e));
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("596221"), 7, e)); // listed twice
    EXPECT_TRUE(NajdiOkrsek(QStringLiteral("999997"), 1, e));
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("999997"), 5, e));    // another code first
    EXPECT_EQ(OcekavaniVolici(QStringLiteral("582786"), 2), 661); // listed twice, later wins
}

TEST_F(DemoTables, PartiesAndCandidatesFitTheTables) {
    TSeznamStran seznam;
    NactiStrany(seznam);
    EXPECT_GE(seznam.pocet(), 25);
    EXPECT_LE(seznam.pocet(), 30);
    auto tabulka = std::make_unique<TTabulkaKandidatu>();
    NactiKandidaty(*tabulka);
    int flaggedN = 0, missing = 0;
    for (const TStrana& p : seznam.strany) {
        const int n = PocetKandidatu(p.CisloStrany.toInt());
        EXPECT_LE(n, 28);
        for (int c = 1; c <= n; ++c) {
            const TKandidat& k = Kandidat(*tabulka, p.CisloStrany.toInt(), c);
            flaggedN += k.KandPriznak == QLatin1String("N");
            missing += k.KandPriznak == QLatin1String("-");
        }
    }
    EXPECT_GT(flaggedN, 0);
    EXPECT_GT(missing, 0);
}

TEST_F(DemoTables, CatalogueHasAShortTextForEveryReportableNumber) {
    const TCisChyb c;
    const int numbers[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                           17, 18, 19, 20, 21, 22, 23, 24, 39, 41, 42, 62, 63, 64, 66, 67,
                           68, 69, 70, 72, 76, 77, 91, 92, 93, 94, 95, 96, 97, 98};
    for (int n : numbers) {
        const TChybaInfo e = c.NajdiChybu(n);
        EXPECT_EQ(e.Chyba, n);
        EXPECT_FALSE(e.ZkrText.isEmpty()) << n;
        EXPECT_LE(e.ZkrText.size(), 62) << n;
        EXPECT_EQ(e.TypChyby.size(), 1) << n;
    }
}
