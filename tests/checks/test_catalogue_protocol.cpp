// The catalogue and the protocol: lookups, the one-line form of a finding and
// the order the printouts rely on.
#include "TestInstall.h"
#include "checks/ErrorCatalogue.h"
#include "core/Errors.h"

#include <gtest/gtest.h>

using namespace urn;

namespace {

TCisChyb smallCatalogue() {
    return TCisChyb({{4, QStringLiteral("P"), QStringLiteral("Počet voličů je nulový")},
                     {18, QStringLiteral("C"), QStringLiteral("Kandidát má víc hlasů")},
                     {18, QStringLiteral("C"), QStringLiteral("Druhý text téhož čísla")}});
}

} // namespace

TEST(Catalogue, LoadsFileInOrderIgnoringAPartialTail) {
    test::TestInstall inst;
    QByteArray file = TChybaInfo{7, QStringLiteral("C"), QStringLiteral("Sedmá")}.toRecord() +
                      TChybaInfo{7, QStringLiteral("U"), QStringLiteral("Pozdější")}.toRecord() +
                      TChybaInfo{96, QStringLiteral("U"), QStringLiteral("Voliči")}.toRecord();
    file.append(QByteArray(40, 'x'));
    inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), file);
    const TCisChyb c;
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.NajdiChybu(7).ZkrText, QStringLiteral("Sedmá")); // the earlier entry wins
    EXPECT_EQ(c.NajdiChybu(96).TypChyby, QStringLiteral("U"));
}

TEST(Catalogue, EmptyOrMissingFile) {
    test::TestInstall inst;
    EXPECT_THROW(TCisChyb{}, InOutError);
    inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), QByteArray());
    const TCisChyb c;
    const TChybaInfo e = c.NajdiChybu(1);
    EXPECT_EQ(e.Chyba, -1);
    EXPECT_EQ(e.ZkrText, QStringLiteral("Chyba nenalezena"));
    EXPECT_TRUE(e.TypChyby.isEmpty());
}

TEST(Catalogue, ProgramCatalogueIsCreatedOnlyFromAReadableFile) {
    test::TestInstall inst;
    freeErrorCatalogue();
    EXPECT_FALSE(errorCatalogueCreated());
    EXPECT_THROW(CisChyb(), UrnariumError);
    EXPECT_THROW(createErrorCatalogue(), InOutError);
    EXPECT_FALSE(errorCatalogueCreated());
    inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"),
                          TChybaInfo{5, QStringLiteral("P"), QStringLiteral("Pět")}.toRecord());
    createErrorCatalogue();
    ASSERT_TRUE(errorCatalogueCreated());
    TChybProt prot(CisChyb());
    prot.PridejChybu(0, 5, QString());
    EXPECT_EQ(prot.VratHlasku(0), QStringLiteral("Pět"));
    freeErrorCatalogue();
}

TEST(Protocol, OfNoRunKnowsNoText) {
    TChybProt prot;
    EXPECT_EQ(prot.count(), 0);
    prot.PridejChybu(0, 5, QStringLiteral("x"));
    EXPECT_EQ(prot.VratHlasku(0), QStringLiteral("Chyba nenalezena"));
    EXPECT_EQ(prot.VratHlaskuParam(0), QStringLiteral("Chyba nenalezena x"));
}

TEST(Finding, AsString) {
    struct Case {
        int strana, chyba;
        const char* param;
        const char* expected;
    } cases[] = {
        {0, 5, "", " 0 5"},
        {12, 17, "(x)", "1217(x)"},
        {3, 18, "(kand. č. 2)", " 318(kand. č. 2)"},
        {123, 5, "", "123 5"}, // wider numbers take more places
        {-1, 4, "", "-1 4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ((TChyba{c.strana, c.chyba, QString::fromUtf8(c.param)}.AsString()),
                  QString::fromUtf8(c.expected));
}

TEST(Protocol, OrderOfFindings) {
    struct Case {
        const char* name;
        QList<TChyba> added;
        QList<TChyba> expected;
    };
    const Case cases[] = {
        {"party then number",
         {{3, 13, {}}, {0, 11, {}}, {3, 12, {}}, {0, 4, {}}},
         {{0, 4, {}}, {0, 11, {}}, {3, 12, {}}, {3, 13, {}}}},
        {"parameters compare as text",
         {{3, 18, QStringLiteral("(kand. č. 2)")}, {3, 18, QStringLiteral("(kand. č. 10)")}},
         {{3, 18, QStringLiteral("(kand. č. 10)")}, {3, 18, QStringLiteral("(kand. č. 2)")}}},
        {"equal findings are all kept",
         {{0, 72, {}}, {2, 72, {}}, {0, 72, {}}, {0, 72, {}}},
         {{0, 72, {}}, {0, 72, {}}, {0, 72, {}}, {2, 72, {}}}},
        {"party 10 after party 9, error 9 before 10",
         {{10, 13, {}}, {9, 13, {}}, {0, 10, {}}, {0, 9, {}}},
         {{0, 9, {}}, {0, 10, {}}, {9, 13, {}}, {10, 13, {}}}},
    };
    const TCisChyb cat = smallCatalogue();
    for (const Case& c : cases) {
        TChybProt prot(cat);
        for (const TChyba& ch : c.added)
            prot.PridejChybu(ch.EStrana, ch.Chyba, ch.Param);
        ASSERT_EQ(prot.count(), c.expected.size()) << c.name;
        for (int i = 0; i < prot.count(); ++i) {
            EXPECT_EQ(prot.VratChybu(i).EStrana, c.expected[i].EStrana) << c.name << " " << i;
            EXPECT_EQ(prot.VratChybu(i).Chyba, c.expected[i].Chyba) << c.name << " " << i;
            EXPECT_EQ(prot.VratChybu(i).Param, c.expected[i].Param) << c.name << " " << i;
        }
    }
}

TEST(Protocol, TextsOfAFinding) {
    const TCisChyb cat = smallCatalogue();
    TChybProt prot(cat);
    prot.PridejChybu(0, 4, QString());
    prot.PridejChybu(2, 18, QStringLiteral("(kand. č. 3)"));
    prot.PridejChybu(2, 55, QStringLiteral("(x)"));
    EXPECT_EQ(prot.VratHlasku(0), QStringLiteral("Počet voličů je nulový"));
    EXPECT_EQ(prot.VratHlaskuParam(0), QStringLiteral("Počet voličů je nulový ")); // one blank
    EXPECT_EQ(prot.HlaskaParam(1), QStringLiteral("Kandidát má víc hlasů (kand. č. 3)"));
    EXPECT_EQ(prot.Hlaska(2), QStringLiteral("Chyba nenalezena"));
    EXPECT_EQ(prot.Chyba(2).Chyba, 55); // the finding is kept all the same
    EXPECT_THROW(prot.VratChybu(3), UrnariumError);
    EXPECT_THROW(prot.VratChybu(-1), UrnariumError);
    prot.Clear();
    EXPECT_EQ(prot.count(), 0);
}

TEST(Protocol, ParameterIsCutToTheRecordFieldAndItsCodePage) {
    const TCisChyb cat = smallCatalogue();
    TChybProt prot(cat);
    prot.PridejChybu(0, 4, QString(250, QLatin1Char('a')));
    prot.PridejChybu(0, 5, QStringLiteral("Łódź → Žďár"));
    EXPECT_EQ(prot.VratChybu(0).Param.size(), 200);
    EXPECT_EQ(prot.VratChybu(1).Param, QStringLiteral("Łódź ? Žďár"));
}
