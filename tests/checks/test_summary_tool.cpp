// "urnarium-data summary": a directory of known files gives exactly the
// expected lines, totals and missing precincts; generated files give the
// totals that their own fields add up to.
#include "CheckFixture.h"
#include "ToolRun.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace urn;
using urn::test::CheckTest;
using urn::test::ToolRun;

namespace {

ToolRun summary(const QStringList& args) {
    return test::runTool(QStringLiteral(URNARIUM_DATA_EXE),
                         QStringList{QStringLiteral("summary")} + args);
}

QJsonObject jsonOf(const ToolRun& r) {
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.err.toStdString();
    return o;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray sealed(const QByteArray& line, const QByteArray& key = kKlicDatovychSouboru) {
    return sealBytes(packContainer(line), key);
}

// What a file adds to the totals, from the record it holds.
struct Sums {
    qint64 ZapsOsoby = 0, VydObalky = 0, OdevzdObalky = 0, PlatneHlasy = 0;
    QMap<int, qint64> votes;
    QMap<int, QList<qint64>> pref;

    void add(qint64 zaps, qint64 vyd, qint64 odevzd, qint64 platne) {
        ZapsOsoby += zaps;
        VydObalky += vyd;
        OdevzdObalky += odevzd;
        PlatneHlasy += platne;
    }
    void addParty(int p, qint64 hlasy, const QList<qint64>& prefs) {
        votes[p] += hlasy;
        QList<qint64>& t = pref[p];
        t.resize(kPocetPrefHlasu);
        for (int k = 0; k < kPocetPrefHlasu; ++k)
            t[k] += prefs.value(k);
    }
    void add(const TPrecinctRecord& r) {
        add(r.T2.ZapsOsoby, r.T2.VydObalky, r.T2.OdevzdObalky, r.T2.PlatneHlasy);
        for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
            if (r.T2.zaskrtnuta(p)) {
                QList<qint64> prefs;
                for (int k = 1; k <= kPocetPrefHlasu; ++k)
                    prefs.append(r.VyslStran(p).pref(k));
                addParty(p, r.VyslStran(p).PocHl, prefs);
            }
    }
};

// The totals object of the output against sums made here. Parties with
// nothing are left out of the comparison: with the tables, every party of
// the list is listed.
void expectTotals(const QJsonObject& totals, const Sums& s, qint64 precincts) {
    EXPECT_EQ(totals.value(QStringLiteral("precincts")).toInteger(), precincts);
    EXPECT_EQ(totals.value(QStringLiteral("ZapsOsoby")).toInteger(), s.ZapsOsoby);
    EXPECT_EQ(totals.value(QStringLiteral("VydObalky")).toInteger(), s.VydObalky);
    EXPECT_EQ(totals.value(QStringLiteral("OdevzdObalky")).toInteger(), s.OdevzdObalky);
    EXPECT_EQ(totals.value(QStringLiteral("PlatneHlasy")).toInteger(), s.PlatneHlasy);
    const QJsonObject parties = totals.value(QStringLiteral("parties")).toObject();
    QMap<int, qint64> votes;
    QMap<int, QList<qint64>> pref;
    for (auto it = parties.begin(); it != parties.end(); ++it) {
        const QJsonObject p = it.value().toObject();
        const QJsonArray prefs = p.value(QStringLiteral("preferential")).toArray();
        EXPECT_EQ(prefs.size(), kPocetPrefHlasu) << it.key().toStdString();
        QList<qint64> values;
        for (const QJsonValue& v : prefs)
            values.append(v.toInteger());
        if (p.value(QStringLiteral("votes")).toInteger() == 0 &&
            std::all_of(values.begin(), values.end(), [](qint64 v) { return v == 0; }))
            continue;
        votes.insert(it.key().toInt(), p.value(QStringLiteral("votes")).toInteger());
        pref.insert(it.key().toInt(), values);
    }
    EXPECT_EQ(votes, s.votes);
    EXPECT_EQ(pref, s.pref);
}

class SummaryToolTest : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), test::concat(test::testCatalogue()));
        ASSERT_TRUE(m_files.isValid());
    }

    // The sample record moved to another precinct, recomputed and checked as
    // the station's check command leaves it; written under its own name (or
    // the one given) to the directory below the files' root.
    TPrecinctRecord precinct(qint32 obec, qint32 okrsek) {
        fillCompleteRecord();
        rec().T2.Obec = obec;
        rec().T2.Okrsek = okrsek;
        rec().T2.Okres = obec == 500011 ? 3701 : 3703;
        for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
            if (rec().T2.zaskrtnuta(p))
                zaskrtniStranu(rec(), p, true);
        recompute();
        return rec();
    }
    QString write(const TPrecinctRecord& r, char kind, const QString& sub = QString(),
                  const QString& name = QString()) {
        const QString fileName =
            name.isEmpty() ? dataFileName(kind, {QString::number(r.T2.Obec), r.T2.Okrsek}) : name;
        const QString path = files() + sub + fileName;
        writeBytes(path, sealed(recordToLine(r, kind)));
        return path;
    }
    QString files() const { return m_files.path() + QLatin1Char('/'); }

    QTemporaryDir m_files;
};

} // namespace

TEST_F(SummaryToolTest, KnownFilesGiveTheirLinesTotalsAndMissingPrecincts) {
    Sums expected;
    // Accepted: the sample precinct, and an identical copy of it in a
    // subdirectory, which counts once.
    const TPrecinctRecord good = precinct(582786, 3);
    write(good, kKindO);
    write(good, kKindO, QStringLiteral("kopie/"));
    expected.add(good);
    // With a warning (envelopes for every voter): counted.
    TPrecinctRecord warned = precinct(582786, 1);
    warned.T2.VydObalky = quint16(warned.T2.ZapsOsoby);
    rec() = warned;
    recompute();
    warned = rec();
    write(warned, kKindO);
    expected.add(warned);
    // A blocking error: a control number that does not match.
    TPrecinctRecord wrong = precinct(582786, 2);
    wrong.T2.T2KC_2 += 1;
    write(wrong, kKindO);
    // Kinds that are not exported.
    write(precinct(500011, 1), kKindE);
    write(precinct(500011, 2), kKindP);
    // Damaged in each way: cut short, not Base64, another key, a line that
    // is no record, empty.
    const QByteArray whole = sealed(recordToLine(precinct(500011, 3), kKindO));
    writeBytes(files() + QStringLiteral("OE500011.00003"), whole.left(whole.size() / 2));
    writeBytes(files() + QStringLiteral("OE500011.00004"), "Tohle není zapečetěný soubor.");
    writeBytes(files() + QStringLiteral("OE500011.00005"),
               sealed(recordToLine(precinct(500011, 5), kKindO), "Jiny klic 123456"));
    writeBytes(files() + QStringLiteral("OE500011.00009"), sealed("1 xyz"));
    writeBytes(files() + QStringLiteral("kopie/OE500011.00002"), QByteArray());
    // Another precinct's data under this one's name; it does not spoil the
    // precinct's own file beside it.
    write(precinct(500011, 7), kKindO, QString(), QStringLiteral("OE500011.00006"));
    const TPrecinctRecord six = precinct(500011, 6);
    write(six, kKindO, QStringLiteral("kopie/"));
    expected.add(six);
    // The same precinct twice with different votes: neither counts.
    TPrecinctRecord one = precinct(500011, 8);
    write(one, kKindO);
    one.VyslStran(2).pref(3) = 21;
    rec() = one;
    recompute();
    write(rec(), kKindO, QStringLiteral("kopie/"));
    // A file that is no data file at all.
    writeBytes(files() + QStringLiteral("kopie/poznamky.txt"), "okrsek 8 doručen dvakrát");
    // A pipe would never end; it is no file of anyone's.
    ASSERT_EQ(
        ::mkfifo(QFile::encodeName(files() + QStringLiteral("OE500011.00007")).constData(), 0600),
        0);

    const auto before = test::fileHashes(files());
    const ToolRun r =
        summary({files(), QStringLiteral("--tables"), inst.root(), QStringLiteral("--json"),
                 QStringLiteral("--jobs"), QStringLiteral("2")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(test::fileHashes(files()), before);
    const QJsonObject o = jsonOf(r);

    struct Line {
        const char* file;
        qint64 obec;
        int okrsek;
        const char* kind;
        const char* status;
        bool counted;
        const char* reason; // a part of it
    };
    const Line lines[] = {
        {"EE500011.00001", 500011, 1, "E", "refused", false, "Soubor druhu E"},
        {"PE500011.00002", 500011, 2, "P", "refused", false, "Soubor druhu P"},
        {"kopie/OE500011.00002", 500011, 2, "O", "refused", false, "poškozen"},
        {"OE500011.00003", 500011, 3, "O", "refused", false, "poškozen"},
        {"OE500011.00004", 500011, 4, "O", "refused", false, "neplatný znak"},
        {"OE500011.00005", 500011, 5, "O", "refused", false, "poškozen"},
        {"kopie/OE500011.00006", 500011, 6, "O", "accepted", true, ""},
        {"OE500011.00006", 500011, 7, "O", "refused", false, "okrsku 500011/7"},
        {"OE500011.00008", 500011, 8, "O", "refused", false, "vícekrát s různým obsahem"},
        {"kopie/OE500011.00008", 500011, 8, "O", "refused", false, "vícekrát s různým obsahem"},
        {"OE500011.00009", 500011, 9, "O", "refused", false, "is not a valid integer value"},
        {"OE582786.00001", 582786, 1, "O", "warnings", true, "91 - Text 91"},
        {"OE582786.00002", 582786, 2, "O", "refused", false, "11 - Text 11"},
        {"OE582786.00003", 582786, 3, "O", "accepted", true, ""},
        {"kopie/OE582786.00003", 582786, 3, "O", "accepted", false, "Totožná kopie"},
        {"kopie/poznamky.txt", -1, -1, "", "refused", false, "Není datový soubor"},
    };
    const QJsonArray precincts = o.value(QStringLiteral("precincts")).toArray();
    ASSERT_EQ(precincts.size(), qsizetype(std::size(lines))) << r.out.toStdString();
    for (qsizetype i = 0; i < precincts.size(); ++i) {
        const Line& l = lines[i];
        const QJsonObject p = precincts.at(i).toObject();
        EXPECT_EQ(p.value(QStringLiteral("file")).toString(), files() + QString::fromUtf8(l.file));
        EXPECT_EQ(p.value(QStringLiteral("Obec")).toInteger(-1), l.obec) << l.file;
        EXPECT_EQ(p.value(QStringLiteral("Okrsek")).toInt(-1), l.okrsek) << l.file;
        EXPECT_EQ(p.value(QStringLiteral("kind")).toString(), QLatin1String(l.kind)) << l.file;
        EXPECT_EQ(p.value(QStringLiteral("status")).toString(), QLatin1String(l.status)) << l.file;
        EXPECT_EQ(p.value(QStringLiteral("counted")).toBool(), l.counted) << l.file;
        const QString reason = p.value(QStringLiteral("reason")).toString();
        EXPECT_TRUE(reason.contains(QString::fromUtf8(l.reason)))
            << l.file << ": " << reason.toStdString();
        EXPECT_EQ(reason.isEmpty(), *l.reason == '\0') << l.file << ": " << reason.toStdString();
    }

    expectTotals(o.value(QStringLiteral("totals")).toObject(), expected, 3);
    EXPECT_EQ(o.value(QStringLiteral("expected")).toInt(), 13);
    const QJsonArray missing = o.value(QStringLiteral("missing")).toArray();
    ASSERT_EQ(missing.size(), 2);
    EXPECT_EQ(missing.at(0).toObject(),
              (QJsonObject{{QStringLiteral("Obec"), 500011}, {QStringLiteral("Okrsek"), 7}}));
    EXPECT_EQ(missing.at(1).toObject(),
              (QJsonObject{{QStringLiteral("Obec"), 999997}, {QStringLiteral("Okrsek"), 1}}));

    // One worker or many, the same summary; a directory given again inside
    // another is not walked twice.
    const ToolRun single = summary(
        {files(), files() + QStringLiteral("kopie"), QStringLiteral("--tables"), inst.root(),
         QStringLiteral("--json"), QStringLiteral("--jobs"), QStringLiteral("1")});
    EXPECT_EQ(single.out, r.out);
}

TEST_F(SummaryToolTest, WithoutTablesTheRecordsOwnChecksDecide) {
    // A party that the station's list had and these tables do not: refused
    // with the tables, summed without them; the record's own sums decide
    // either way.
    TPrecinctRecord unknownParty = precinct(582786, 3);
    unknownParty.VyslStran(2).PocHl -= 10;
    zaskrtniStranu(unknownParty, 9, true);
    unknownParty.VyslStran(9).PocHl = 10;
    rec() = unknownParty;
    session.SeznamStran.strany.append(
        {QStringLiteral("9"), QStringLiteral("Strana devátá"), QStringLiteral("5")});
    recompute();
    NactiStrany(session.SeznamStran);
    write(rec(), kKindO);
    TPrecinctRecord badSum = precinct(582786, 2);
    badSum.VyslStran(3).PocHl += 1;
    rec() = badSum;
    recompute();
    write(rec(), kKindO);

    const ToolRun with =
        summary({files(), QStringLiteral("--tables"), inst.root(), QStringLiteral("--json")});
    const ToolRun without = summary({files(), QStringLiteral("--json")});
    ASSERT_EQ(with.exitCode, 0) << with.err.toStdString();
    ASSERT_EQ(without.exitCode, 0) << without.err.toStdString();
    const QJsonArray a = jsonOf(with).value(QStringLiteral("precincts")).toArray();
    const QJsonArray b = jsonOf(without).value(QStringLiteral("precincts")).toArray();
    ASSERT_EQ(a.size(), 2);
    ASSERT_EQ(b.size(), 2);
    auto field = [](const QJsonArray& lines, int i, const char* key) {
        return lines.at(i).toObject().value(QLatin1String(key)).toString();
    };
    // Valid votes that the parties' votes do not add up to, either way; the
    // catalogue's texts come with the tables.
    EXPECT_EQ(field(a, 0, "status"), QStringLiteral("refused"));
    EXPECT_TRUE(field(a, 0, "reason").startsWith(QStringLiteral("16 - Text 16")));
    EXPECT_EQ(field(b, 0, "status"), QStringLiteral("refused"));
    EXPECT_EQ(field(b, 0, "reason"), QStringLiteral("16"));
    // The votes of a party outside the list do not reach the list's sums.
    EXPECT_EQ(field(a, 1, "status"), QStringLiteral("refused"));
    EXPECT_TRUE(field(a, 1, "reason").startsWith(QStringLiteral("16 - Text 16")));
    EXPECT_EQ(field(b, 1, "status"), QStringLiteral("accepted"))
        << field(b, 1, "reason").toStdString();
    const QJsonObject parties = jsonOf(without)
                                    .value(QStringLiteral("totals"))
                                    .toObject()
                                    .value(QStringLiteral("parties"))
                                    .toObject();
    EXPECT_EQ(parties.keys(),
              (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("9")}));
    EXPECT_EQ(parties.value(QStringLiteral("9")).toObject().value(QStringLiteral("votes")).toInt(),
              10);
    // Without the tables nothing is expected, so nothing is missing.
    EXPECT_FALSE(jsonOf(without).contains(QStringLiteral("expected")));
    EXPECT_TRUE(jsonOf(without).value(QStringLiteral("missing")).toArray().isEmpty());
}

TEST_F(SummaryToolTest, TextAndCsvCarryTheSameLinesAndTotals) {
    const TPrecinctRecord good = precinct(582786, 3);
    write(good, kKindO);
    writeBytes(files() + QStringLiteral("a,b.txt"), "x");

    const ToolRun text = summary({files(), QStringLiteral("--tables"), inst.root()});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    const QString t = QString::fromUtf8(text.out);
    EXPECT_TRUE(t.contains(QStringLiteral("582786       3  O     přijat                ") +
                           files() + QStringLiteral("OE582786.00003\n")))
        << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("odmítnut")));
    EXPECT_TRUE(t.contains(QStringLiteral("  Platné hlasy (PlatneHlasy)              525\n")))
        << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("Očekávaných okrsků 13, z nich nedorazilo 12:\n")));

    const ToolRun csv =
        summary({files(), QStringLiteral("--tables"), inst.root(), QStringLiteral("--csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.err.toStdString();
    const QStringList tables = QString::fromUtf8(csv.out).split(QStringLiteral("\n\n"));
    ASSERT_EQ(tables.size(), 2) << csv.out.toStdString();
    const QStringList rows = tables.at(0).split(QLatin1Char('\n'));
    EXPECT_EQ(rows.at(0), QStringLiteral("file,Obec,Okrsek,kind,status,reason,counted"));
    EXPECT_EQ(rows.at(1), files() + QStringLiteral("OE582786.00003,582786,3,O,accepted,,1"));
    EXPECT_TRUE(
        rows.at(2).startsWith(QLatin1Char('"') + files() + QStringLiteral("a,b.txt\",,,,refused,")))
        << rows.at(2).toStdString();
    EXPECT_EQ(rows.size(), 3 + 12); // and the twelve missing precincts
    EXPECT_TRUE(rows.contains(QStringLiteral(",999997,1,,missing,,0")));
    const QStringList totals = tables.at(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(totals.at(0), QStringLiteral("key,party,candidate,value"));
    EXPECT_TRUE(totals.contains(QStringLiteral("PlatneHlasy,,,525")));
    EXPECT_TRUE(totals.contains(QStringLiteral("votes,3,,225")));
    EXPECT_TRUE(totals.contains(QStringLiteral("preferential,3,20,5")));
    // Every party of the list, 28 candidates each, and six single numbers.
    EXPECT_EQ(totals.size(), 1 + 6 + 4 * (1 + kPocetPrefHlasu));
}

TEST_F(SummaryToolTest, WrongArguments) {
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"no directory", {}, 2, "summary DIR"},
        {"json and csv",
         {files(), QStringLiteral("--json"), QStringLiteral("--csv")},
         2,
         "summary DIR"},
        {"no jobs", {files(), QStringLiteral("--jobs"), QStringLiteral("0")}, 2, "summary DIR"},
        {"unknown option", {files(), QStringLiteral("--xml")}, 2, "summary DIR"},
        {"not a directory", {files() + QStringLiteral("nic")}, 1, "není adresář"},
        {"no tables there", {files(), QStringLiteral("--tables"), files()}, 1, "OKRSKY.RCD"},
        {"a range that is no number",
         {files(), QStringLiteral("--tables"), files() + QStringLiteral("tabulky")},
         1,
         "OkrsekDo"},
    };
    // Tables whose precinct range is damaged are refused before any file is
    // read, naming the record.
    const QString damaged = files() + QStringLiteral("tabulky/");
    ASSERT_TRUE(QDir().mkpath(damaged));
    for (const char* table : {"STRANY.RCD", "QZRVOK.RCD", "QZRZVO.RCD"})
        ASSERT_TRUE(
            QFile::copy(inst.root() + QLatin1String(table), damaged + QLatin1String(table)));
    writeBytes(damaged + QStringLiteral("OKRSKY.RCD"),
               TOkrsky{"500011", "Testov", "1", "9x", "3701", "Benešov"}.toRecord());
    for (const Case& c : cases) {
        const ToolRun r = summary(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << r.err.toStdString();
    }
}

// Files as the generator makes them over the demo installation's tables:
// the totals are what "show --json" of the counted files adds up to.
TEST(SummaryOfGeneratedFiles, TotalsAreTheSumOfTheCountedFilesFields) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString tables = dir.path() + QStringLiteral("/tables");
    const QString files = dir.path() + QStringLiteral("/files");
    ToolRun r = test::runTool(QStringLiteral(URNARIUM_REFDATA_EXE),
                              {QStringLiteral(URNARIUM_DEMO_TABLES), tables});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = test::runTool(QStringLiteral(URNARIUM_GENDATA_EXE),
                      {tables, files, QStringLiteral("--count"), QStringLiteral("40"),
                       QStringLiteral("--seed"), QStringLiteral("21")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(QDir(files).entryList(QDir::Files).size(), 40);

    r = summary({files, QStringLiteral("--tables"), tables, QStringLiteral("--json")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = jsonOf(r);
    Sums sums;
    qint64 counted = 0;
    for (const QJsonValue& v : o.value(QStringLiteral("precincts")).toArray()) {
        const QJsonObject p = v.toObject();
        EXPECT_NE(p.value(QStringLiteral("status")).toString(), QStringLiteral("refused"))
            << p.value(QStringLiteral("reason")).toString().toStdString();
        if (!p.value(QStringLiteral("counted")).toBool())
            continue;
        ++counted;
        const ToolRun shown =
            test::runTool(QStringLiteral(URNARIUM_DATA_EXE),
                          {QStringLiteral("show"), p.value(QStringLiteral("file")).toString(),
                           QStringLiteral("--json")});
        ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
        const QJsonObject record = QJsonDocument::fromJson(shown.out).object();
        const QJsonObject t2 = record.value(QStringLiteral("T2")).toObject();
        sums.add(t2.value(QStringLiteral("ZapsOsoby")).toInteger(),
                 t2.value(QStringLiteral("VydObalky")).toInteger(),
                 t2.value(QStringLiteral("OdevzdObalky")).toInteger(),
                 t2.value(QStringLiteral("PlatneHlasy")).toInteger());
        const QJsonObject strany = record.value(QStringLiteral("VyslStran")).toObject();
        for (auto it = strany.begin(); it != strany.end(); ++it) {
            const QJsonObject s = it.value().toObject();
            QList<qint64> prefs;
            for (const QJsonValue& pv : s.value(QStringLiteral("PrefHlasy")).toArray())
                prefs.append(pv.toInteger());
            sums.addParty(it.key().toInt(), s.value(QStringLiteral("PocHl")).toInteger(), prefs);
        }
    }
    EXPECT_EQ(counted, 40);
    expectTotals(o.value(QStringLiteral("totals")).toObject(), sums, counted);
    EXPECT_EQ(o.value(QStringLiteral("missing")).toArray().size(),
              o.value(QStringLiteral("expected")).toInteger() - 40);
}
