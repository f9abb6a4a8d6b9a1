#include "SampleRecords.h"
#include "TestInstall.h"
#include "ToolRun.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace urn;
using urn::test::TestInstall;
using urn::test::ToolRun;

namespace {

ToolRun runTool(const QStringList& args) {
    return test::runTool(QStringLiteral(URNARIUM_DATA_EXE), args);
}

TPrecinctRecord sampleRecord() {
    TPrecinctRecord r = test::exampleRecord();
    for (int p : {2, 5}) {
        test::tick(r, p);
        r.VyslStran(p).PocHl = quint16(100 + p);
        r.VyslStran(p).pref(28) = 7;
    }
    r.TS.TypVety = 3;
    r.TS.KodyChyb = QStringLiteral("0391");
    r.TS.KontrSoucetTS = 20371234;
    r.JmenaClenu(1) = QStringLiteral("  Jana Nováková");
    r.JmenaClenu(99) = QStringLiteral("Žofie Černá");
    return r;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

TEST(DataTool, UnsealPrintsThePlainLineAndSealRoundTrips) {
    TestInstall inst;
    const QString d = inst.root();
    const QByteArray line = recordToLine(sampleRecord(), kKindE);
    writeFile(d + "line", line);

    const ToolRun seal = runTool({"seal", d + "line", d + "EE500011.00003"});
    ASSERT_EQ(seal.exitCode, 0) << seal.err.toStdString();
    EXPECT_TRUE(seal.err.isEmpty()) << seal.err.toStdString();
    const QByteArray sealed = readFileBytes(d + "EE500011.00003");
    EXPECT_EQ(sealed, sealBytes(packContainer(line), kKlicDatovychSouboru));

    const ToolRun unseal = runTool({"unseal", d + "EE500011.00003"});
    EXPECT_EQ(unseal.exitCode, 0);
    EXPECT_EQ(unseal.out, line);

    // Anything can be sealed, with a warning when it is no data line.
    writeFile(d + "junk", "not a line");
    const ToolRun junk = runTool({"seal", d + "junk", d + "junk.sealed"});
    EXPECT_EQ(junk.exitCode, 0);
    EXPECT_TRUE(junk.err.contains(QStringLiteral("varování"))) << junk.err.toStdString();
    EXPECT_EQ(runTool({"unseal", d + "junk.sealed"}).out, QByteArray("not a line"));
}

TEST(DataTool, ShowAsJson) {
    TestInstall inst;
    const QString path = inst.root() + "EE500011.00003";
    writeFile(path,
              sealBytes(packContainer(recordToLine(sampleRecord(), kKindE)), kKlicDatovychSouboru));
    const ToolRun show = runTool({"show", path, "--json"});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(show.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << show.out.toStdString();

    EXPECT_EQ(root.keys(), (QStringList{"JmenaClenu", "T2", "TS", "VyslStran"}));
    const QJsonObject t2 = root.value("T2").toObject();
    EXPECT_EQ(t2.value("ZapsOsoby").toInt(), 812);
    EXPECT_EQ(t2.value("Okres").toInt(), 3701);
    EXPECT_EQ(t2.value("ZaskrtStrany").toString(),
              QStringLiteral("01001") + QString(55, QLatin1Char('0')));
    EXPECT_EQ(t2.keys().size(), 13);

    const QJsonObject strany = root.value("VyslStran").toObject();
    EXPECT_EQ(strany.keys(), (QStringList{"2", "5"}));
    const QJsonObject s5 = strany.value("5").toObject();
    EXPECT_EQ(s5.value("PocHl").toInt(), 105);
    EXPECT_EQ(s5.value("CisStr").toInt(), 5);
    const QJsonArray prefs = s5.value("PrefHlasy").toArray();
    ASSERT_EQ(prefs.size(), 28);
    EXPECT_EQ(prefs.at(27).toInt(), 7);
    EXPECT_EQ(s5.keys().size(), 15);

    const QJsonObject ts = root.value("TS").toObject();
    EXPECT_EQ(ts.value("KontrSoucetTS").toDouble(), 20371234.0);
    EXPECT_EQ(ts.value("KodyChyb").toString().trimmed(), QStringLiteral("0391"));
    EXPECT_EQ(ts.keys().size(), 35);

    const QJsonObject clenove = root.value("JmenaClenu").toObject();
    EXPECT_EQ(clenove.keys(), (QStringList{"1", "99"}));
    EXPECT_EQ(clenove.value("1").toString(), QStringLiteral("  Jana Nováková"));
    EXPECT_EQ(clenove.value("99").toString(), QStringLiteral("Žofie Černá"));

    // The readable form names the same fields.
    const ToolRun readable = runTool({"show", path});
    ASSERT_EQ(readable.exitCode, 0);
    const QString text = QString::fromUtf8(readable.out);
    EXPECT_TRUE(text.contains(QStringLiteral("Příloha č. 1, strana 5")));
    EXPECT_TRUE(text.contains(QStringLiteral("  PlatneHlasy      525\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("28:7")));
    EXPECT_TRUE(text.contains(QStringLiteral("99 \"Žofie Černá\"")));
}

TEST(DataTool, KindOFileCarriesNoNames) {
    TestInstall inst;
    const QString path = inst.root() + "OE500011.00003";
    // Even a kind "O" file with member records shows none, as the program
    // would load it.
    writeFile(path,
              sealBytes(packContainer(recordToLine(sampleRecord(), kKindE)), kKlicDatovychSouboru));
    const ToolRun show = runTool({"show", path, "--json"});
    ASSERT_EQ(show.exitCode, 0);
    EXPECT_TRUE(
        QJsonDocument::fromJson(show.out).object().value("JmenaClenu").toObject().isEmpty());
}

TEST(DataTool, BadFilesAndArguments) {
    TestInstall inst;
    const QString d = inst.root();
    const QByteArray good =
        sealBytes(packContainer(recordToLine(sampleRecord(), kKindE)), kKlicDatovychSouboru);
    writeFile(d + "truncated", good.left(good.size() / 2));
    writeFile(d + "otherkey",
              sealBytes(packContainer(recordToLine(sampleRecord(), kKindE)), "Q7m#Xr2/vK9*pL4x"));
    writeFile(d + "notanumber",
              sealBytes(packContainer(recordToLine(sampleRecord(), kKindE).replace(3, 4, "37x1")),
                        kKlicDatovychSouboru));
    struct Case {
        const char* what;
        QStringList args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"no arguments", {}, 2, "Použití"},
        {"unknown", {"explode"}, 2, "neznámý příkaz"},
        {"unseal without file", {"unseal"}, 2, "unseal FILE"},
        {"show with two files", {"show", d + "a", d + "b"}, 2, "show FILE [--json]"},
        {"seal with one file", {"seal", d + "a"}, 2, "seal IN OUT"},
        {"missing file", {"show", d + "missing"}, 1, "nebyl nalezen"},
        {"truncated", {"unseal", d + "truncated"}, 1, "truncated"},
        {"other key", {"show", d + "otherkey", "--json"}, 1, "otherkey"},
        {"not a number", {"show", d + "notanumber"}, 1, "'37x1' is not a valid integer value"},
        {"seal a missing file", {"seal", d + "missing", d + "out"}, 1, "nebyl nalezen"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << r.err.toStdString();
        if (c.exitCode != 0) {
            EXPECT_TRUE(r.out.isEmpty()) << c.what;
        }
    }
    EXPECT_FALSE(QFile::exists(d + "out"));
    EXPECT_EQ(runTool({"--help"}).exitCode, 0);
}
