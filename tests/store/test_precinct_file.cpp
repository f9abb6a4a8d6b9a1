#include "SampleRecords.h"
#include "TestInstall.h"
#include "core/Errors.h"
#include "store/CodePage.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"
#include "store/SectionsFile.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace urn;
using urn::test::exampleRecord;
using urn::test::fullRecord;
using urn::test::TestInstall;
using urn::test::tick;

namespace {

const QByteArray kKey(kKlicDatovychSouboru);

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// The plain line of a data file on disk.
QByteArray plainLineOf(const QString& path) {
    return unpackContainer(unsealBytes(readFileBytes(path), kKey, path), path);
}

void writeSealedLine(const QString& path, const QByteArray& line) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(sealBytes(packContainer(line), kKey));
}

bool sameRecordTypes1To3(const TPrecinctRecord& a, const TPrecinctRecord& b) {
    return recordToLine(a, kKindO) == recordToLine(b, kKindO);
}

} // namespace

TEST(DataLine, RecordType1OfTheWorkedExample) {
    const QByteArray line = recordToLine(exampleRecord(), kKindO);
    EXPECT_EQ(line.left(kLineT2),
              QByteArray("1003701500011    31  812 530 529 525 2396"
                         "010010000000000000000000000000000000000000000000000000000000"));
}

TEST(DataLine, LengthsAndPositions) {
    struct Case {
        const char* what;
        QList<int> parties;
        int members;
        char kind;
        qsizetype length;
    };
    const Case cases[] = {
        {"nothing ticked, kind O", {}, 0, kKindO, 377},
        {"nothing ticked, kind O, names not carried", {}, 5, kKindO, 377},
        {"nothing ticked, kind E, five names", {}, 5, kKindE, 377 + 5 * 214},
        {"parties 3 and 17", {3, 17}, 0, kKindO, 101 + 2 * 168 + 276},
        {"all sixty, 99 names", {}, 99, kKindE, kMaxLine - 60 * 168},
    };
    for (const Case& c : cases) {
        TPrecinctRecord r = exampleRecord();
        r.T2.ZaskrtStrany = QString(kPocetStranVeZaznamu, QLatin1Char('0'));
        for (int p : c.parties)
            tick(r, p);
        for (int k = 1; k <= c.members; ++k)
            r.JmenaClenu(k) = QStringLiteral("N%1").arg(k);
        EXPECT_EQ(recordToLine(r, c.kind).size(), c.length) << c.what;
    }
    // Parties 3 and 17: party 3's block first, the closing record at 438.
    TPrecinctRecord r = exampleRecord();
    r.T2.ZaskrtStrany = QString(kPocetStranVeZaznamu, QLatin1Char('0'));
    tick(r, 17);
    tick(r, 3);
    r.TS.TypVety = 3;
    const QByteArray line = recordToLine(r, kKindO);
    EXPECT_EQ(line.mid(101, 1), QByteArray("2"));
    EXPECT_EQ(line.mid(101 + 19, 2), QByteArray(" 3"));
    EXPECT_EQ(line.mid(101 + 168 + 19, 2), QByteArray("17"));
    EXPECT_EQ(line.mid(437, 1), QByteArray("3"));
    // Every field of the full record sits at its position.
    const QByteArray full = recordToLine(fullRecord(60, 99), kKindE);
    EXPECT_EQ(full.size(), kMaxLine);
    const QByteArray block = full.mid(101, 168);
    EXPECT_EQ(block.left(29), QByteArray("2103701500011    36 190019002"));
    EXPECT_EQ(block.mid(29, 8), QByteArray(" 301 601"));
    EXPECT_EQ(block.mid(141), QByteArray("12345679"
                                         "99999998"
                                         "28"
                                         "123456789"));
    const QByteArray ts = full.mid(101 + 60 * 168, 276);
    EXPECT_EQ(ts.left(19), QByteArray("3013701500011    35"));
    EXPECT_EQ(ts.mid(19, 50), QByteArray("0304059192").leftJustified(50, ' '));
    EXPECT_EQ(ts.mid(69, 24), QByteArray("20240608"
                                         "235959"
                                         "1234567890"));
    EXPECT_EQ(ts.mid(93, 3), QByteArray("1"
                                        "10"));
    const QByteArray reserved = " " + QByteArray(" 0") + QByteArray(29, ' ') +
                                QByteArray("0").rightJustified(10, ' ') + " 0" +
                                QByteArray(29, ' ') + QByteArray("0").rightJustified(10, ' ');
    EXPECT_EQ(ts.mid(96, 83), reserved);
    EXPECT_EQ(ts.mid(179), QByteArray("999"
                                      "12345678"
                                      "9999999999"
                                      "1234567890"
                                      "999998"
                                      "     0"
                                      "     0"
                                      "99999999999"
                                      "999999999999"
                                      "           0"
                                      "            0"));
    const QByteArray member = full.mid(full.size() - 214);
    EXPECT_EQ(member.left(14), QByteArray("6500011    399"));
    EXPECT_EQ(member.size(), 214);
}

TEST(DataLine, RoundTripOfEveryField) {
    for (char kind : {kKindE, kKindO}) {
        const TPrecinctRecord original = fullRecord(60, 99);
        const QByteArray line = recordToLine(original, kind);
        TPrecinctRecord back;
        lineToRecord(line, kind, back);
        EXPECT_EQ(recordToLine(back, kind), line);
        EXPECT_EQ(back.VyslStran(60).pref(28), original.VyslStran(60).pref(28));
        EXPECT_EQ(back.TS.KontrSoucetTS, original.TS.KontrSoucetTS);
        // Texts keep their blanks as read.
        EXPECT_EQ(back.TS.KodyChyb, original.TS.KodyChyb.leftJustified(50, QLatin1Char(' ')));
        EXPECT_EQ(back.JmenaClenu(99), kind == kKindO ? QString() : original.JmenaClenu(99));
    }
}

TEST(DataLine, MemberRecords) {
    TPrecinctRecord r = exampleRecord();
    r.JmenaClenu(1) = QStringLiteral("  Jana Nováková  ");
    r.JmenaClenu(7) = QStringLiteral("Petr\r\nSvoboda");
    r.JmenaClenu(9) = QString(250, QLatin1Char('x'));
    r.JmenaClenu(12) = QStringLiteral("   ");
    const QByteArray line = recordToLine(r, kKindE);
    const qsizetype start = 101 + 2 * 168 + 276;
    ASSERT_EQ(line.size(), start + 4 * 214);
    EXPECT_EQ(line.mid(start, 15), QByteArray("6500011    3 1 "));
    EXPECT_EQ(line.mid(start + 214 + 12, 2), QByteArray(" 7"));
    // A line break inside a name would end the line for the reader.
    EXPECT_EQ(line.mid(start + 214 + 14, 13), QByteArray("Petr  Svoboda"));
    EXPECT_FALSE(line.contains('\n'));
    EXPECT_FALSE(line.contains('\r'));

    TPrecinctRecord back;
    back.JmenaClenu(50) = QStringLiteral("ten, co v souboru není");
    lineToRecord(line, kKindE, back);
    EXPECT_EQ(back.JmenaClenu(1), QStringLiteral("  Jana Nováková"));
    EXPECT_EQ(back.JmenaClenu(7), QStringLiteral("Petr  Svoboda"));
    EXPECT_EQ(back.JmenaClenu(9), QString(200, QLatin1Char('x')));
    EXPECT_EQ(back.JmenaClenu(12), QString());
    EXPECT_EQ(back.JmenaClenu(50), QString());

    // Numbers outside 1..99 have no place in the record and are skipped; a
    // short tail that is not a whole member record is ignored.
    QByteArray odd = recordToLine(exampleRecord(), kKindO);
    odd += "6500011    3 0" + QByteArray("nula").leftJustified(200, ' ');
    odd += "6500011    3-1" + QByteArray("minus").leftJustified(200, ' ');
    odd += "6500011    3 2" + QByteArray("dva").leftJustified(200, ' ');
    odd += "6500011    3 3tail";
    TPrecinctRecord withOdd;
    lineToRecord(odd, kKindE, withOdd);
    EXPECT_EQ(withOdd.JmenaClenu(2), QStringLiteral("dva"));
    EXPECT_EQ(withOdd.JmenaClenu(3), QString());
}

TEST(DataLine, ValuesWiderThanTheirFieldsAreRefused) {
    struct Case {
        const char* what;
        std::function<void(TPrecinctRecord&)> change;
        const char* field;
    };
    const Case cases[] = {
        {"ZapsOsoby", [](TPrecinctRecord& r) { r.T2.ZapsOsoby = 100000; }, "ZapsOsoby"},
        {"VydObalky", [](TPrecinctRecord& r) { r.T2.VydObalky = 10000; }, "VydObalky"},
        {"OdevzdObalky", [](TPrecinctRecord& r) { r.T2.OdevzdObalky = 65535; }, "OdevzdObalky"},
        {"PlatneHlasy", [](TPrecinctRecord& r) { r.T2.PlatneHlasy = 12345; }, "PlatneHlasy"},
        {"T2KC_2", [](TPrecinctRecord& r) { r.T2.T2KC_2 = 129996; }, "T2KC_2"},
        {"negative ZapsOsoby", [](TPrecinctRecord& r) { r.T2.ZapsOsoby = -10000; }, "ZapsOsoby"},
        {"Okrsek", [](TPrecinctRecord& r) { r.T2.Okrsek = 100000; }, "Okrsek"},
        {"PocHl", [](TPrecinctRecord& r) { r.VyslStran(2).PocHl = 10000; }, "PocHl"},
        {"T2PKC2", [](TPrecinctRecord& r) { r.VyslStran(5).T2PKC2 = 10005; }, "T2PKC2"},
        {"PrefHlasy", [](TPrecinctRecord& r) { r.VyslStran(5).pref(3) = 10000; }, "PrefHlasy[3]"},
        {"T2PKC3", [](TPrecinctRecord& r) { r.VyslStran(2).T2PKC3 = 100000000; }, "T2PKC3"},
        {"T2PKC4", [](TPrecinctRecord& r) { r.VyslStran(2).T2PKC4 = -10000000; }, "T2PKC4"},
        {"SoucetKC1", [](TPrecinctRecord& r) { r.TS.SoucetKC1 = 1000; }, "SoucetKC1"},
        {"IdStanice", [](TPrecinctRecord& r) { r.TS.IdStanice = 1e10; }, "IdStanice"},
        {"real not a number", [](TPrecinctRecord& r) { r.TS.SoucetKC3 = std::nan(""); },
         "SoucetKC3"},
        {"TypVety", [](TPrecinctRecord& r) { r.T2.TypVety = 10; }, "TypVety"},
    };
    for (const Case& c : cases) {
        TPrecinctRecord r = exampleRecord();
        tick(r, 2);
        tick(r, 5);
        c.change(r);
        const QList<OverWideField> wide = overWideFields(r, kKindE);
        ASSERT_EQ(wide.size(), 1) << c.what;
        EXPECT_EQ(wide.first().field, QLatin1String(c.field)) << c.what;
        try {
            recordToLine(r, kKindE);
            ADD_FAILURE() << c.what << ": written";
        } catch (const FieldWidthError& e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(c.field))) << c.what;
        }
    }
    // The largest values of every field fit; an unticked party is not written
    // and cannot be in the way.
    TPrecinctRecord r = fullRecord(60, 99);
    EXPECT_TRUE(overWideFields(r, kKindE).isEmpty());
    r.T2.ZaskrtStrany[59] = QLatin1Char('0');
    r.VyslStran(60).PocHl = 65535;
    EXPECT_TRUE(overWideFields(r, kKindE).isEmpty());
    // Texts are cut to their capacity like the short strings that hold them.
    r.TS.KodyChyb = QString(80, QLatin1Char('9'));
    EXPECT_EQ(recordToLine(r, kKindO).size(), 101 + 59 * 168 + 276);
}

TEST(DataLine, ConversionErrorsNameTheText) {
    struct Case {
        const char* what;
        qsizetype pos;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"letters in ZapsOsoby", 19, "  8x2", "'  8x2' is not a valid integer value"},
        {"blank Okres", 3, "    ", "'    ' is not a valid integer value"},
        {"trailing blank", 24, "530 ", "'530 ' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        QByteArray line = recordToLine(exampleRecord(), kKindO);
        line.replace(c.pos, qsizetype(strlen(c.text)), c.text);
        TPrecinctRecord r;
        try {
            lineToRecord(line, kKindO, r);
            ADD_FAILURE() << c.what;
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.message(), QString::fromLatin1(c.message)) << c.what;
        }
    }
    // A line cut short fails on the first field that is missing.
    TPrecinctRecord r;
    EXPECT_THROW(lineToRecord(recordToLine(exampleRecord(), kKindO).left(300), kKindO, r),
                 ConvertError);
    EXPECT_THROW(lineToRecord(QByteArray(), kKindO, r), ConvertError);
}

TEST(DataFileName, KindMunicipalityAndFiveDigitPrecinct) {
    struct Case {
        char kind;
        const char* obec;
        qint32 okrsek;
        const char* name;
    };
    const Case cases[] = {
        {kKindO, "532053", 1, "OE532053.00001"},      {kKindE, "500011", 123, "EE500011.00123"},
        {kKindP, "500011", 0, "PE500011.00000"},      {kKindE, "500011", 99999, "EE500011.99999"},
        {kKindE, "500011", 123456, "EE500011.23456"}, {kKindE, "999997", 1003, "EE999997.01003"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataFileName(c.kind, {QString::fromLatin1(c.obec), c.okrsek}),
                  QString::fromLatin1(c.name));
    EXPECT_THROW(dataFileName(kKindE, {QStringLiteral("../x"), 1}), InOutError);
    EXPECT_THROW(dataFileName(kKindE, {QStringLiteral("a/b"), 1}), InOutError);
}

class DataFileTest : public ::testing::Test {
protected:
    QString data(const char* name) const { return inst.dirs().data + QLatin1String(name); }
    QStringList dataFiles() const { return filesIn(inst.dirs().data); }
    QStringList configFiles() const { return filesIn(inst.dirs().config); }

    TestInstall inst;
    const TAktOkrsek okrsek{QStringLiteral("500011"), 3};
    TPrecinctRecord rec;
};

TEST_F(DataFileTest, StoreAndLoadEveryKind) {
    for (char kind : {kKindE, kKindO, kKindP}) {
        rec = fullRecord(30, 99);
        const TPrecinctRecord saved = rec;
        UlozData(kind, okrsek, rec);
        const QString path = dataFilePath(kind, okrsek);
        EXPECT_TRUE(path.endsWith(dataFileName(kind, okrsek)));
        EXPECT_EQ(plainLineOf(path), recordToLine(saved, kind));
        EXPECT_EQ(configFiles(), QStringList{}) << "temporaries left";

        rec = TPrecinctRecord{};
        NactiData(kind, okrsek, rec);
        EXPECT_TRUE(sameRecordTypes1To3(rec, saved));
        EXPECT_EQ(rec.JmenaClenu(42), kind == kKindO ? QString() : saved.JmenaClenu(42));
    }
}

TEST_F(DataFileTest, KindTransitions) {
    struct Case {
        const char* what;
        QStringList before;
        char kind;
        QStringList after;
    };
    const Case cases[] = {
        {"first save", {}, kKindE, {"EE500011.00003"}},
        {"save again", {"EE500011.00003"}, kKindE, {"EE500011.00003"}},
        {"check passed", {"EE500011.00003", "PE500011.00003"}, kKindO, {"OE500011.00003"}},
        {"foreign file goes", {"PE500011.00003"}, kKindE, {"EE500011.00003"}},
        // Callers delete the "O" file themselves before saving kind "E".
        {"O stays for the caller",
         {"OE500011.00003"},
         kKindE,
         {"EE500011.00003", "OE500011.00003"}},
        {"other precincts untouched",
         {"EE500011.00004", "PE500012.00003"},
         kKindO,
         {"EE500011.00004", "OE500011.00003", "PE500012.00003"}},
        {"names in other case", {"ee500011.00003", "pE500011.00003"}, kKindO, {"OE500011.00003"}},
    };
    rec = exampleRecord();
    for (const Case& c : cases) {
        for (const QString& f : dataFiles())
            QFile::remove(inst.dirs().data + f);
        for (const QString& f : c.before) {
            QFile file(inst.dirs().data + f);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        UlozData(c.kind, okrsek, rec);
        QStringList expected = c.after;
        expected.sort();
        EXPECT_EQ(dataFiles(), expected) << c.what;
    }
}

TEST_F(DataFileTest, ReplacingKindOIsDurableInEveryStep) {
    rec = exampleRecord();
    UlozData(kKindO, okrsek, rec);
    QStringList steps;
    const QString dataDir = QDir(inst.dirs().data).absolutePath();
    setFileStepObserver([&](const char* step, const QString& path) {
        const QFileInfo info(path);
        if (info.absoluteFilePath() == dataDir)
            steps << QString::fromLatin1(step);
        else if (info.absolutePath() == dataDir)
            steps << QString::fromLatin1(step) + QLatin1Char(' ') + info.fileName();
    });
    storeDataFileOfKind(kKindE, okrsek, rec);
    setFileStepObserver({});
    const QStringList expected{"write EE500011.00003",  "fsync EE500011.00003",
                               "rename EE500011.00003", "dirsync",
                               "unlink OE500011.00003", "dirsync"};
    EXPECT_EQ(steps.join(QLatin1String(", ")).toStdString(),
              expected.join(QLatin1String(", ")).toStdString());
    EXPECT_EQ(dataFiles(), QStringList{"EE500011.00003"});
}

TEST_F(DataFileTest, StoreKeepsAnExistingNameSpelling) {
    rec = exampleRecord();
    {
        QFile f(data("ee500011.00003"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    UlozData(kKindE, okrsek, rec);
    EXPECT_EQ(dataFiles(), QStringList{"ee500011.00003"});
    EXPECT_EQ(plainLineOf(data("ee500011.00003")), recordToLine(exampleRecord(), kKindE));
}

TEST_F(DataFileTest, MissingFileLeavesTheRecordClearedAndRemovesTemporaries) {
    rec = fullRecord(30, 10);
    inst.writeConfigFile(QStringLiteral("data.temp"), "plain text left by a crash");
    inst.writeConfigFile(QStringLiteral("data.comp"), "container left by a crash");
    NactiData(kKindE, okrsek, rec);
    EXPECT_TRUE(sameRecordTypes1To3(rec, TPrecinctRecord{}));
    EXPECT_EQ(rec.T2.ZaskrtStrany, QString(60, QLatin1Char('0')));
    // Nothing was loaded, so the names stay as they were.
    EXPECT_EQ(rec.JmenaClenu(10), fullRecord(0, 10).JmenaClenu(10));
    EXPECT_EQ(configFiles(), QStringList{});
}

TEST_F(DataFileTest, LoadingKindOKeepsTheNamesAndKindEReplacesThem) {
    rec = fullRecord(2, 0);
    UlozData(kKindO, okrsek, rec);
    UlozData(kKindE, okrsek, rec);
    const QString kept = QStringLiteral("Jméno v paměti");
    rec.JmenaClenu(5) = kept;
    NactiData(kKindO, okrsek, rec);
    EXPECT_EQ(rec.JmenaClenu(5), kept);
    NactiData(kKindE, okrsek, rec);
    EXPECT_EQ(rec.JmenaClenu(5), QString());
}

TEST_F(DataFileTest, BadDataFilesFailWithoutDamage) {
    rec = fullRecord(3, 3);
    UlozData(kKindE, okrsek, rec);
    const QString path = dataFilePath(kKindE, okrsek);
    const QByteArray good = readFileBytes(path);
    QByteArray flipped = good;
    flipped[40] = flipped[40] == 'A' ? 'B' : 'A';
    const QByteArray badLine = recordToLine(fullRecord(3, 3), kKindE).replace(19, 5, "12x45");
    struct Case {
        const char* what;
        QByteArray sealed;
        bool conversion;
    };
    const Case cases[] = {
        {"truncated", good.left(good.size() / 2), false},
        {"one character changed", flipped, false},
        {"empty", QByteArray(), false},
        {"not sealed at all", recordToLine(fullRecord(3, 3), kKindE), false},
        {"other key", sealBytes(packContainer(badLine), "another key 1234"), false},
        {"absurd size",
         sealBytes(QByteArray::fromHex("0100000008000000") + "data.dmp" +
                       QByteArray::fromHex("ffffff7f789c"),
                   kKey),
         false},
        {"not a number inside", sealBytes(packContainer(badLine), kKey), true},
    };
    for (const Case& c : cases) {
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(c.sealed);
        }
        rec = fullRecord(5, 5);
        try {
            NactiData(kKindE, okrsek, rec);
            ADD_FAILURE() << c.what << ": loaded";
        } catch (const ConvertError& e) {
            EXPECT_TRUE(c.conversion) << c.what;
            EXPECT_EQ(e.message(), QStringLiteral("'12x45' is not a valid integer value"));
        } catch (const InOutError& e) {
            EXPECT_FALSE(c.conversion) << c.what;
            EXPECT_TRUE(e.message().contains(QStringLiteral("EE500011.00003"))) << c.what;
        }
        EXPECT_TRUE(sameRecordTypes1To3(rec, TPrecinctRecord{})) << c.what;
        EXPECT_EQ(rec.JmenaClenu(5), fullRecord(0, 5).JmenaClenu(5)) << c.what;
        EXPECT_EQ(readFileBytes(path), c.sealed) << c.what;
        EXPECT_EQ(configFiles(), QStringList{}) << c.what;
    }
}

TEST_F(DataFileTest, RefusedStoreChangesNothingOnDisk) {
    rec = exampleRecord();
    UlozData(kKindE, okrsek, rec);
    const QByteArray before = readFileBytes(dataFilePath(kKindE, okrsek));
    {
        QFile f(data("PE500011.00003"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    rec.T2.PlatneHlasy = 10000;
    EXPECT_THROW(UlozData(kKindO, okrsek, rec), FieldWidthError);
    EXPECT_EQ(dataFiles(), (QStringList{"EE500011.00003", "PE500011.00003"}));
    EXPECT_EQ(readFileBytes(dataFilePath(kKindE, okrsek)), before);
    EXPECT_EQ(configFiles(), QStringList{});
}

TEST_F(DataFileTest, ALineBreakEndsTheLine) {
    // Whatever follows a line break in the plain content is not read.
    QByteArray content = recordToLine(fullRecord(1, 2), kKindE);
    content += "\r\n" + QByteArray(5000, '#');
    writeSealedLine(data("EE500011.00003"), content);
    NactiData(kKindE, okrsek, rec);
    EXPECT_EQ(rec.JmenaClenu(2), fullRecord(0, 2).JmenaClenu(2));
    EXPECT_EQ(rec.VyslStran(1).PocHl, 9001);
}

// ---- HLASO.RCD ----

namespace {
THlaso sampleHlaso() {
    THlaso h;
    h.DatumVoleb = QStringLiteral("7.-8.6.2024");
    h.Zahajeno1 = QStringLiteral("14:00");
    h.Ukonceno1 = QStringLiteral("22:00");
    h.Zahajeno2 = QStringLiteral("08:00");
    h.Ukonceno2 = QStringLiteral("14:00");
    h.Odroc = QStringLiteral("B");
    h.OdrocenoD = QStringLiteral("7. června 2024");
    h.OdrocenoH = QStringLiteral("14");
    h.OdrocenoM = QStringLiteral("30");
    h.DuvodOdroc = QStringLiteral("Výpadek proudu – čekání na náhradní osvětlení.");
    h.Prodl = QStringLiteral("N");
    h.Prerus = QStringLiteral("N");
    h.Stizn = QStringLiteral("B");
    h.StizListu = QStringLiteral("2");
    h.Schranka = QStringLiteral("B");
    h.PrilListu = QStringLiteral("12");
    h.ClenuOVKC = QStringLiteral("9");
    h.ClenuOVKP = QStringLiteral("8");
    h.Ostatni = QString(200, QLatin1Char('o'));
    h.PoverPred = QStringLiteral("Ing. Řehoř Šťastný");
    h.Zapisovat = QStringLiteral("Zapisovatelka Žofie Čermáková-Dlouhá");
    return h;
}
} // namespace

TEST(Hlaso, FieldsAtTheirOffsets) {
    const QByteArray r = hlasoToBytes(sampleHlaso());
    ASSERT_EQ(r.size(), kHlasoSize);
    struct Case {
        int offset;
        const char* cp1250Hex; // length byte and characters
    };
    const Case cases[] = {
        {0, "0a372e2d382e362e323032"}, // "7.-8.6.2024" cut to its capacity of 10
        {11, "0531343a3030"},
        {35, "0142"},
        {61, "023134"},
        {64, "023330"},
        {268, "014e"},
        {742, "0132"},
        {747, "023132"},
        {753, "0138"},
        {1158, "23"}, // 35 characters of the 36
    };
    for (const Case& c : cases) {
        const QByteArray expected = QByteArray::fromHex(c.cp1250Hex);
        EXPECT_EQ(r.mid(c.offset, expected.size()), expected) << c.offset;
    }
    EXPECT_EQ(r.mid(957 + 1, 4), toCp1250(QStringLiteral("Ing.")));
    EXPECT_EQ(int(uchar(r.at(756))), 200);
}

TEST_F(DataFileTest, HlasoRoundTripsAndMissingFileIsEmpty) {
    NactiHlaso(rec.Hlaso);
    EXPECT_EQ(rec.Hlaso.DatumVoleb, QString());

    rec.Hlaso = sampleHlaso();
    UlozHlaso(rec.Hlaso);
    const QByteArray file = readFileBytes(data("HLASO.RCD"));
    EXPECT_EQ(file.size(), kHlasoSize);
    rec.Hlaso = THlaso{};
    NactiHlaso(rec.Hlaso);
    const THlaso& h = rec.Hlaso;
    EXPECT_EQ(h.DatumVoleb, QStringLiteral("7.-8.6.202"));
    EXPECT_EQ(h.DuvodOdroc, sampleHlaso().DuvodOdroc);
    EXPECT_EQ(h.PoverPred, sampleHlaso().PoverPred);
    EXPECT_EQ(h.Zapisovat, sampleHlaso().Zapisovat.left(35));
    EXPECT_EQ(h.Ostatni, sampleHlaso().Ostatni);
    EXPECT_EQ(hlasoToBytes(h), file);

    // A file that holds more than one record is read by its first and
    // rewritten with exactly one.
    inst.writeDataFile(QStringLiteral("HLASO.RCD"), file + file);
    NactiHlaso(rec.Hlaso);
    UlozHlaso(rec.Hlaso);
    EXPECT_EQ(readFileBytes(data("HLASO.RCD")), file);

    inst.writeDataFile(QStringLiteral("HLASO.RCD"), file.left(1000));
    EXPECT_THROW(NactiHlaso(rec.Hlaso), InOutError);
}
