#include "TestInstall.h"
#include "core/Errors.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace urn;

namespace {
// A station record as an installation writes it, with bytes the program does
// not use set to a pattern that must survive every rewrite.
QByteArray installedStationRecord() {
    QByteArray r(kStaniceSize, '\0');
    for (int i = 0; i < kStaniceSize; ++i)
        r[i] = char(0xA0 + i % 50);
    auto put = [&](int off, const QByteArray& s) {
        r[off] = char(s.size());
        r.replace(off + 1, s.size(), s);
    };
    put(7, QByteArray("B\xEDl\xE1 Lhota u Kamenice")); // Bílá Lhota u Kamenice
    put(48, "582786");
    r.replace(56, 4, QByteArray("\x02\x00\x00\x00", 4));
    put(157, "5827860002");
    put(219, "");
    put(223, "99");
    put(226, "A");
    return r;
}
} // namespace

TEST(Station, FieldsAtTheirOffsets) {
    const QByteArray raw = installedStationRecord();
    const TStanice s = TStanice::fromRecord(raw);
    EXPECT_EQ(s.NazevObce, QStringLiteral("Bílá Lhota u Kamenice"));
    EXPECT_EQ(s.Obec, QStringLiteral("582786"));
    EXPECT_EQ(s.Okrsek, 2);
    EXPECT_EQ(s.IdStanice, QStringLiteral("5827860002"));
    EXPECT_EQ(s.PriponaPisma, QString());
    EXPECT_EQ(s.VerzeOS, QStringLiteral("99"));
    EXPECT_EQ(s.Stav, QStringLiteral("A"));
    // Written back unchanged, byte for byte, unused bytes included.
    EXPECT_EQ(s.toRecord(), raw);
}

TEST(Station, ReadFromTheDataDirectory) {
    test::TestInstall inst;
    TStanice s = test::sampleStanice();
    s.Okrsek = 17;
    inst.writeDataFile(QStringLiteral("STANICE.RCD"), s.toRecord());
    const TStanice nactena = NactiStanici();
    EXPECT_EQ(nactena.Okrsek, 17);
    EXPECT_EQ(nactena.NazevObce, QStringLiteral("Bílá Lhota u Kamenice"));
    EXPECT_EQ(nactena.okrsek().Obec, QStringLiteral("582786"));
    EXPECT_EQ(nactena.okrsek().Okrsek, 17);
}

TEST(Station, ZapisStavChangesOnlyTheMarkAndKeepsEveryOtherByte) {
    test::TestInstall inst;
    QByteArray file = installedStationRecord();
    file.append("second record and more"); // whatever follows stays too
    inst.writeConfigFile(QStringLiteral("stanice.rcd"), file);
    TStanice stanice;

    ZapisStav(stanice, QStringLiteral("N"));

    QByteArray expected = file;
    expected[227] = 'N';
    EXPECT_EQ(inst.readFile(inst.dirs().config + QStringLiteral("stanice.rcd")), expected);
    EXPECT_EQ(stanice.Stav, QStringLiteral("N"));
    // The record was read again: the fields in memory are the file's.
    EXPECT_EQ(stanice.Obec, QStringLiteral("582786"));
    EXPECT_EQ(QDir(inst.dirs().config).entryList(QDir::Files),
              QStringList{QStringLiteral("stanice.rcd")});
}

TEST(Station, ZapisStavPicksUpAChangeMadeByAnotherProgram) {
    test::TestInstall inst;
    inst.writeStanice(test::sampleStanice());
    TStanice stanice = NactiStanici();
    TStanice changed = test::sampleStanice();
    changed.NazevObce = QStringLiteral("Jiný název");
    inst.writeConfigFile(QStringLiteral("STANICE.RCD"), changed.toRecord());
    ZapisStav(stanice, QStringLiteral("A"));
    EXPECT_EQ(stanice.NazevObce, QStringLiteral("Jiný název"));
    EXPECT_EQ(stanice.Stav, QStringLiteral("A"));
}

TEST(Station, MissingOrShortFileIsAClearErrorAndChangesNothing) {
    test::TestInstall inst;
    try {
        NactiStanici();
        FAIL();
    } catch (const InOutError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("STANICE.RCD")));
    }
    inst.writeConfigFile(QStringLiteral("STANICE.RCD"), QByteArray(100, 'x'));
    TStanice stanice = test::sampleStanice();
    EXPECT_THROW(ZapisStav(stanice, QStringLiteral("A")), InOutError);
    EXPECT_EQ(stanice.Stav, test::sampleStanice().Stav);
    EXPECT_EQ(inst.readFile(inst.dirs().config + QStringLiteral("STANICE.RCD")),
              QByteArray(100, 'x'));
}
