#include "TestInstall.h"
#include "checks/ErrorCatalogue.h"
#include "core/Errors.h"
#include "store/ReferenceTables.h"

#include <QFile>

#include <gtest/gtest.h>
#include <memory>

using namespace urn;
using test::TestInstall;

namespace {
// Builds the expected bytes of a record field by field: short strings as a
// length byte, the characters and zeros up to the capacity.
struct Bytes {
    QByteArray b;
    explicit Bytes(int size) : b(size, '\0') {}
    Bytes& str(int off, const QByteArray& s) {
        b[off] = char(s.size());
        b.replace(off + 1, s.size(), s);
        return *this;
    }
    Bytes& i32(int off, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[off + i] = char((v >> (8 * i)) & 0xFF);
        return *this;
    }
};

TOkrsky okrsek(const char* obec, const char* od, const char* po, const char* okres = "3646") {
    return {QString::fromUtf8(obec),  QStringLiteral("Obec ") + QString::fromUtf8(obec),
            QString::fromUtf8(od),    QString::fromUtf8(po),
            QString::fromUtf8(okres), QStringLiteral("Blansko")};
}
} // namespace

TEST(Layouts, EveryRecordIsByteExactBothWays) {
    struct Case {
        const char* name;
        QByteArray encoded;
        QByteArray expected;
    };
    const QByteArray zdar("\xDAjezd", 5); // Újezd
    const Case cases[] = {
        {"OKRSKY",
         TOkrsky{"582786", QStringLiteral("Újezd"), "1", "12345", "3646", QStringLiteral("Blansko")}
             .toRecord(),
         Bytes(86)
             .str(0, "582786")
             .str(7, zdar)
             .str(48, "1")
             .str(54, "12345")
             .str(60, "3646")
             .str(65, "Blansko")
             .b},
        {"STRANY", TStrana{"12", QStringLiteral("Strana Újezd"), "28"}.toRecord(),
         Bytes(90).str(0, "12").str(5, "Strana " + zdar).str(87, "28").b},
        {"KANDIDAT", TKandidat{"3", "27", QStringLiteral("Jan Újezd"), "Ph.D.", "N"}.toRecord(),
         Bytes(82).str(0, "3").str(5, "27").str(8, "Jan " + zdar).str(49, "Ph.D.").str(80, "N").b},
        {"QZRVOK", TOcekavani{"582786", 3, 1034}.toRecord(),
         Bytes(16).str(0, "582786").i32(8, 3).i32(12, 1034).b},
        {"QZRZVO",
         TZvlastniOkrsek{"999997", 70000, QStringLiteral("ZÚ Vídeň"), "Zahranici"}.toRecord(),
         Bytes(64)
             .str(0, "999997")
             .i32(8, 70000)
             .str(12, "Z\xDA V\xED"
                      "de\xF2")
             .str(38, "Zahranici")
             .b},
        {"KOMISE", TKomise{QStringLiteral("Jana Nováková")}.toRecord(),
         Bytes(51).str(0, "Jana Nov\xE1kov\xE1").b},
        {"CISCHYB", TChybaInfo{96, "U", QStringLiteral("Počet voličů")}.toRecord(),
         Bytes(72)
             .i32(0, 96)
             .str(4, "U")
             .str(6, "Po\xE8"
                     "et voli\xE8\xF9")
             .b},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.encoded.toHex(' '), c.expected.toHex(' ')) << c.name;

    // Decoding gives the fields back.
    EXPECT_EQ(TOkrsky::fromRecord(cases[0].expected).NazevObce, QStringLiteral("Újezd"));
    EXPECT_EQ(TOkrsky::fromRecord(cases[0].expected).OkrsekDo, QStringLiteral("12345"));
    EXPECT_EQ(TStrana::fromRecord(cases[1].expected).PocetKand, QStringLiteral("28"));
    EXPECT_EQ(TKandidat::fromRecord(cases[2].expected).KandPriznak, QStringLiteral("N"));
    EXPECT_EQ(TOcekavani::fromRecord(cases[3].expected).PocetVolicu, 1034);
    EXPECT_EQ(TZvlastniOkrsek::fromRecord(cases[4].expected).Okrsek, 70000);
    EXPECT_EQ(TKomise::fromRecord(cases[5].expected).clen, QStringLiteral("Jana Nováková"));
    EXPECT_EQ(TChybaInfo::fromRecord(cases[6].expected).ZkrText, QStringLiteral("Počet voličů"));
}

TEST(NajdiOkrsek, FirstRecordOfTheMunicipalityDecidesBothEndsIncluded) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "1", "3"), okrsek("596221", "1", "5", "3812"),
                      okrsek("500029", "1", "1"), okrsek("596221", "6", "9", "3812")});
    struct Case {
        const char* obec;
        qint32 k;
        bool found;
    };
    const Case cases[] = {
        {"500011", 1, true},  {"500011", 3, true},  {"500011", 0, false},
        {"500011", 4, false}, {"596221", 5, true},  {"596221", 6, false},
        {"596221", 9, false}, {"123456", 1, false}, {"50001", 1, false},
    };
    for (const Case& c : cases) {
        TOkrsky e;
        EXPECT_EQ(NajdiOkrsek(QString::fromUtf8(c.obec), c.k, e), c.found) << c.obec << " " << c.k;
    }
    TOkrsky e;
    ASSERT_TRUE(NajdiOkrsek(QStringLiteral("596221"), 2, e));
    EXPECT_EQ(e.Okres, QStringLiteral("3812"));
    // Not found: the entry holds the last record read.
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("777777"), 1, e));
    EXPECT_EQ(e.Obec, QStringLiteral("596221"));
    EXPECT_EQ(e.OkrsekOd, QStringLiteral("6"));
}

TEST(NajdiOkrsek, EmptyListLeavesTheBlankEntry) {
    TestInstall inst;
    inst.writeOkrsky({});
    TOkrsky e;
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("500011"), 1, e));
    EXPECT_EQ(e.Obec, QStringLiteral("      "));
    EXPECT_EQ(e.NazevOkresu, QString(20, QLatin1Char(' ')));
}

TEST(NajdiOkrsek, SpecialMunicipalityIsDecidedByTheFirstRecordOfThePrecinct) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("999997", "1", "999", "9999")});
    inst.writeZvlastni({{"999997", 1, QStringLiteral("ZÚ Vídeň"), QStringLiteral("Zahraničí")},
                        {"999996", 5, QStringLiteral("Jiný"), QStringLiteral("Jinde")},
                        {"999997", 5, QStringLiteral("ZÚ Paříž"), QStringLiteral("Zahraničí")},
                        {"999997", 1500, QStringLiteral("ZÚ Řím"), QStringLiteral("Zahraničí")}});
    TOkrsky e;
    EXPECT_TRUE(NajdiOkrsek(QStringLiteral("999997"), 1, e));
    EXPECT_EQ(e.NazevObce, QStringLiteral("ZÚ Vídeň"));
    EXPECT_EQ(e.NazevOkresu, QStringLiteral("Zahraničí"));
    EXPECT_EQ(e.Okres, QStringLiteral("9999")); // from the precinct list
    // The first record with precinct 5 belongs to another code.
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("999997"), 5, e));
    // Outside the precinct list's range, the special list still decides.
    EXPECT_TRUE(NajdiOkrsek(QStringLiteral("999997"), 1500, e));
    EXPECT_FALSE(NajdiOkrsek(QStringLiteral("999997"), 2, e));
}

TEST(NajdiOkrsek, NonNumericRangeOfTheMatchingRecordIsAConversionErrorNamingTheFile) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "x", "3"), okrsek("500029", "1", "2")});
    TOkrsky e;
    EXPECT_TRUE(NajdiOkrsek(QStringLiteral("500029"), 2, e)); // other records are not converted
    try {
        NajdiOkrsek(QStringLiteral("500011"), 1, e);
        FAIL();
    } catch (const ConvertError& err) {
        EXPECT_TRUE(err.message().contains(QStringLiteral("OKRSKY.RCD")))
            << err.message().toStdString();
        EXPECT_TRUE(err.message().contains(QStringLiteral("OkrsekOd")));
    }
}

TEST(NajdiOkrsek, MissingListIsAnErrorNamingTheFile) {
    TestInstall inst;
    TOkrsky e;
    try {
        NajdiOkrsek(QStringLiteral("500011"), 1, e);
        FAIL();
    } catch (const InOutError& err) {
        EXPECT_TRUE(err.message().contains(QStringLiteral("OKRSKY.RCD")));
    }
    EXPECT_THROW(ExistujeObec(QStringLiteral("500011")), InOutError);
}

TEST(ExistujeObec, ExactCodeAnywhereInTheList) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "1", "3"), okrsek("596221", "x", "y")});
    EXPECT_TRUE(ExistujeObec(QStringLiteral("500011")));
    EXPECT_TRUE(ExistujeObec(QStringLiteral("596221")));
    EXPECT_FALSE(ExistujeObec(QStringLiteral("50001")));
    EXPECT_FALSE(ExistujeObec(QString()));
}

TEST(OcekavaniVolici, LastMatchingRecordWinsAndNoneGivesZero) {
    TestInstall inst;
    inst.writeOcekavani(
        {{"582786", 2, 655}, {"582786", 3, 1034}, {"582787", 2, 1}, {"582786", 2, 661}});
    EXPECT_EQ(OcekavaniVolici(QStringLiteral("582786"), 2), 661);
    EXPECT_EQ(OcekavaniVolici(QStringLiteral("582786"), 3), 1034);
    EXPECT_EQ(OcekavaniVolici(QStringLiteral("582786"), 4), 0);
}

TEST(Strany, LoadedInFileOrderAndCountedLookups) {
    TestInstall inst;
    inst.writeStrany({{"2", QStringLiteral("Druhá"), "28"},
                      {"1", QStringLiteral("První"), "5"},
                      {"2", QStringLiteral("Druhá znovu"), "3"}});
    TSeznamStran seznam;
    NactiStrany(seznam);
    ASSERT_EQ(seznam.pocet(), 3);
    EXPECT_EQ(seznam.strany[0].NazevStrany, QStringLiteral("Druhá"));
    EXPECT_EQ(PocetKandidatu(2), 28); // the first record decides
    EXPECT_EQ(PocetKandidatu(1), 5);
    EXPECT_EQ(PocetKandidatu(30), 0);
}

TEST(Strany, ThirtyFirstPartyRefusesTheFileAndKeepsThePreviousList) {
    TestInstall inst;
    QList<TStrana> parties;
    for (int p = 1; p <= 30; ++p)
        parties.append({QString::number(p), QStringLiteral("Strana %1").arg(p), "28"});
    inst.writeStrany(parties);
    TSeznamStran seznam;
    NactiStrany(seznam);
    EXPECT_EQ(seznam.pocet(), 30);
    parties.append({"31", QStringLiteral("Navíc"), "1"});
    inst.writeStrany(parties);
    try {
        NactiStrany(seznam);
        FAIL();
    } catch (const InOutError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("STRANY.RCD")));
    }
    EXPECT_EQ(seznam.pocet(), 30);
}

TEST(Strany, NonNumericNumberIsAConversionErrorNamingTheFile) {
    TestInstall inst;
    inst.writeStrany({{"1", QStringLiteral("A"), "5"}, {"x", QStringLiteral("B"), "5"}});
    EXPECT_EQ(PocetKandidatu(1), 5);
    try {
        PocetKandidatu(2);
        FAIL();
    } catch (const ConvertError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("STRANY.RCD")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("záznam 2")));
    }
}

TEST(Kandidati, MissingCandidatesKeepDashesAndNamesAreTakenAsTheyStand) {
    TestInstall inst;
    inst.writeKandidati({{"1", "1", QStringLiteral("Jana Nováková"), QStringLiteral("Ph.D."), "A"},
                         {"30", "28", QStringLiteral("Poslední"), QString(), "N"}});
    auto tabulka = std::make_unique<TTabulkaKandidatu>();
    NactiKandidaty(*tabulka);
    const TTabulkaKandidatu& t = *tabulka;
    EXPECT_EQ(Kandidat(t, 1, 1).KandJmeno1, QStringLiteral("Jana Nováková"));
    EXPECT_EQ(Kandidat(t, 1, 1).KandJmeno2, QStringLiteral("Ph.D."));
    EXPECT_EQ(Kandidat(t, 30, 28).KandPriznak, QStringLiteral("N"));
    EXPECT_EQ(Kandidat(t, 1, 2).KandJmeno1, QString(15, QLatin1Char('-')));
    EXPECT_EQ(Kandidat(t, 1, 2).KandJmeno2, QString(20, QLatin1Char('-')));
    EXPECT_EQ(Kandidat(t, 1, 2).KandPriznak, QStringLiteral("-"));
}

TEST(Kandidati, NumbersOutsideTheTableRefuseTheFileAndKeepThePreviousTable) {
    TestInstall inst;
    inst.writeKandidati({{"1", "1", QStringLiteral("Platný"), QString(), "A"}});
    auto tabulka = std::make_unique<TTabulkaKandidatu>();
    NactiKandidaty(*tabulka);
    const char* bad[][2] = {{"31", "1"}, {"0", "1"}, {"1", "29"}, {"1", "0"}, {"-1", "3"}};
    for (const auto& b : bad) {
        inst.writeKandidati({{"2", "2", QStringLiteral("Dobrý"), QString(), "A"},
                             {QString::fromUtf8(b[0]), QString::fromUtf8(b[1]),
                              QStringLiteral("Špatný"), QString(), "A"}});
        try {
            NactiKandidaty(*tabulka);
            ADD_FAILURE() << b[0] << "/" << b[1];
        } catch (const InOutError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("KANDIDAT.RCD")));
        }
        EXPECT_EQ(Kandidat(*tabulka, 1, 1).KandJmeno1, QStringLiteral("Platný"));
        EXPECT_EQ(Kandidat(*tabulka, 2, 2).KandPriznak, QStringLiteral("-"));
    }
    inst.writeKandidati({{"1", "x", QStringLiteral("A"), QString(), "A"}});
    EXPECT_THROW(NactiKandidaty(*tabulka), ConvertError);
}

TEST(Komise, WrittenAndReadBackInOrder) {
    TestInstall inst;
    UlozKomise(
        {{QStringLiteral("Jana Nováková")}, {QString()}, {QStringLiteral("  Petr Černý  ")}});
    EXPECT_EQ(inst.readFile(inst.dirs().data + QStringLiteral("KOMISE.RCD")).size(),
              3 * kKomiseSize);
    EXPECT_TRUE(KomiseNeniPrazdna());
    QList<TKomise> jmena{{QStringLiteral("předchozí")}};
    NactiKomise(jmena);
    ASSERT_EQ(jmena.size(), 3);
    EXPECT_EQ(jmena[0].clen, QStringLiteral("Jana Nováková"));
    EXPECT_EQ(jmena[1].clen, QString());
    EXPECT_EQ(jmena[2].clen, QStringLiteral("  Petr Černý  "));
}

TEST(Komise, MoreThan255NamesAreCutTo255AndAnEmptyFileIsEmpty) {
    TestInstall inst;
    QList<TKomise> many;
    for (int i = 0; i < 300; ++i)
        many.append({QStringLiteral("Člen %1").arg(i + 1)});
    inst.writeDataFile(QStringLiteral("KOMISE.RCD"), test::concat(many));
    QList<TKomise> jmena;
    NactiKomise(jmena);
    ASSERT_EQ(jmena.size(), 255);
    EXPECT_EQ(jmena.last().clen, QStringLiteral("Člen 255"));
    // Writing never produces more than the list can hold.
    UlozKomise(many);
    EXPECT_EQ(inst.readFile(inst.dirs().data + QStringLiteral("KOMISE.RCD")).size(),
              255 * kKomiseSize);

    inst.writeDataFile(QStringLiteral("KOMISE.RCD"), QByteArray());
    EXPECT_FALSE(KomiseNeniPrazdna());
    NactiKomise(jmena);
    EXPECT_TRUE(jmena.isEmpty());
}

TEST(Catalogue, LookupsInFileOrderAndUnknownNumbers) {
    TestInstall inst;
    QByteArray file = TChybaInfo{4, "P", QStringLiteral("První")}.toRecord() +
                      TChybaInfo{4, "C", QStringLiteral("Druhá")}.toRecord() +
                      TChybaInfo{96, "U", QStringLiteral("Voliči")}.toRecord();
    file.append(QByteArray(30, 'x')); // a trailing partial record is never read
    inst.writeProgramFile(QStringLiteral("cischyb.rcd"), file);
    TCisChyb c;
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.NajdiChybu(4).ZkrText, QStringLiteral("První"));
    EXPECT_EQ(c.NajdiChybu(96).TypChyby, QStringLiteral("U"));
    EXPECT_EQ(c.NajdiChybu(5).Chyba, -1);
    EXPECT_EQ(c.NajdiChybu(5).ZkrText, QStringLiteral("Chyba nenalezena"));
}

TEST(Catalogue, MissingFileIsAnErrorNamingIt) {
    TestInstall inst;
    try {
        TCisChyb c;
        FAIL();
    } catch (const InOutError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("CISCHYB.RCD")));
    }
}

namespace {
// Every answer of the lookups over a grid of questions, errors included, as
// text: the same tables must give the same text from the files and from
// memory.
QStringList lookupAnswers() {
    QStringList out;
    const QStringList obce = {"500011", "596221", "500029", "500099", "999997", "999996",
                              "582786", "582787", "",       "50001",  "Ω1"};
    for (const QString& o : obce) {
        out << QStringLiteral("Existuje %1: %2").arg(o).arg(ExistujeObec(o));
        for (qint32 k : {0, 1, 2, 3, 4, 5, 6, 9, 1500}) {
            TOkrsky e;
            try {
                const bool found = NajdiOkrsek(o, k, e);
                out << QStringLiteral("Najdi %1/%2: %3 %4|%5|%6|%7|%8|%9")
                           .arg(o)
                           .arg(k)
                           .arg(found)
                           .arg(e.Obec, e.NazevObce, e.OkrsekOd, e.OkrsekDo, e.Okres,
                                e.NazevOkresu);
            } catch (const UrnariumError& err) {
                out << QStringLiteral("Najdi %1/%2: %3").arg(o).arg(k).arg(err.message());
            }
            out << QStringLiteral("Volici %1/%2: %3").arg(o).arg(k).arg(OcekavaniVolici(o, k));
        }
    }
    for (qint32 p : {0, 1, 2, 3})
        out << QStringLiteral("Kandidatu %1: %2").arg(p).arg(PocetKandidatu(p));
    return out;
}
} // namespace

TEST(ReferenceTablesInMemory, AnswerAsTheFilesDoUntilDestroyed) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "1", "3"), okrsek("596221", "1", "5", "3812"),
                      okrsek("500029", "1", "1"), okrsek("596221", "6", "9", "3812"),
                      okrsek("500099", "x", "3"), okrsek("999997", "1", "999", "9999"),
                      okrsek("", "1", "2")});
    inst.writeZvlastni({{"999997", 1, QStringLiteral("ZÚ Vídeň"), QStringLiteral("Zahraničí")},
                        {"999996", 5, QStringLiteral("Jiný"), QStringLiteral("Jinde")},
                        {"999997", 5, QStringLiteral("ZÚ Paříž"), QStringLiteral("Zahraničí")},
                        {"999997", 1500, QStringLiteral("ZÚ Řím"), QStringLiteral("Zahraničí")}});
    inst.writeOcekavani({{"582786", 2, 655},
                         {"582786", 3, 1034},
                         {"582787", 2, 1},
                         {"582786", 2, 661},
                         {"500011", 1, 300}});
    inst.writeStrany({{"2", QStringLiteral("Druhá"), "28"},
                      {"1", QStringLiteral("První"), "5"},
                      {"2", QStringLiteral("Druhá znovu"), "3"}});
    const QStringList fromFiles = lookupAnswers();
    {
        const ReferenceTablesInMemory inMemory;
        for (const char* table : {"OKRSKY.RCD", "STRANY.RCD", "QZRVOK.RCD", "QZRZVO.RCD"})
            ASSERT_TRUE(QFile::remove(inst.root() + QLatin1String(table)));
        EXPECT_EQ(lookupAnswers(), fromFiles);
    }
    // Gone with it: the lookups read the files again, which are gone too.
    TOkrsky e;
    EXPECT_THROW(NajdiOkrsek(QStringLiteral("500011"), 1, e), InOutError);
    EXPECT_THROW(OcekavaniVolici(QStringLiteral("500011"), 1), InOutError);
}

TEST(ReferenceTablesInMemory, AMissingTableIsAnErrorNamingIt) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "1", "3")});
    inst.writeStrany({});
    inst.writeOcekavani({});
    try {
        const ReferenceTablesInMemory inMemory;
        FAIL();
    } catch (const InOutError& err) {
        EXPECT_TRUE(err.message().contains(QStringLiteral("QZRZVO.RCD")))
            << err.message().toStdString();
    }
}

TEST(ExpectedPrecincts, ExactlyThePrecinctsTheLookupFinds) {
    TestInstall inst;
    inst.writeOkrsky({okrsek("500011", "1", "3"), okrsek("596221", "1", "2", "3812"),
                      okrsek("596221", "6", "9", "3812"), okrsek("999997", "1", "999", "9999")});
    inst.writeZvlastni({{"999997", 1, QStringLiteral("ZÚ Vídeň"), QStringLiteral("Zahraničí")},
                        {"999996", 5, QStringLiteral("Jiný"), QStringLiteral("Jinde")},
                        {"999997", 5, QStringLiteral("ZÚ Paříž"), QStringLiteral("Zahraničí")},
                        {"999997", 1500, QStringLiteral("ZÚ Řím"), QStringLiteral("Zahraničí")},
                        {"999997", 1, QStringLiteral("ZÚ Vídeň 2"), QStringLiteral("Zahraničí")}});
    QStringList expected;
    for (const TAktOkrsek& o : expectedPrecincts(100))
        expected << QStringLiteral("%1/%2").arg(o.Obec).arg(o.Okrsek);
    EXPECT_EQ(expected, (QStringList{"500011/1", "500011/2", "500011/3", "596221/1", "596221/2",
                                     "999997/1", "999997/1500"}));
    for (const char* o : {"500011", "596221", "999997", "999996"})
        for (qint32 k : {0, 1, 2, 3, 4, 5, 6, 9, 1500}) {
            TOkrsky e;
            const QString key = QStringLiteral("%1/%2").arg(QLatin1String(o)).arg(k);
            EXPECT_EQ(NajdiOkrsek(QLatin1String(o), k, e), expected.contains(key))
                << key.toStdString();
        }
    // Tables that list more precincts than the limit are damaged.
    EXPECT_THROW(expectedPrecincts(6), InOutError);
    EXPECT_EQ(expectedPrecincts(7).size(), 7);
}
