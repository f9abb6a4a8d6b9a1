// "urnarium-data check": the full run over an installation from the command
// line, in text and as JSON, leaving every file as it was.
#include "CheckFixture.h"
#include "ToolRun.h"
#include "store/PrecinctDataFile.h"
#include "store/SectionsFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace urn;
using urn::test::CheckTest;
using urn::test::ToolRun;

namespace {

ToolRun runTool(const QStringList& args) {
    return test::runTool(QStringLiteral(URNARIUM_DATA_EXE),
                         QStringList{QStringLiteral("check")} + args);
}

class CheckToolTest : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), test::concat(test::testCatalogue()));
        TStanice st = test::sampleStanice();
        st.Okrsek = 3;
        st.Stav = QStringLiteral("A");
        inst.writeStanice(st);
        // The single-station layout: stanice.rcd beside the program.
        inst.writeProgramFile(QStringLiteral("stanice.rcd"), st.toRecord());
        session.AktOkrsek = st.okrsek();
    }
    void save(char kind) {
        recompute();
        UlozData(kind, session.AktOkrsek, rec());
        UlozHlaso(rec().Hlaso);
        UlozKomise(session.JmenaKomise);
    }
};

} // namespace

TEST_F(CheckToolTest, TextProtocolAndNothingChanged) {
    rec().VyslStran(3).pref(2) = 226;
    rec().VyslStran(3).pref(5) = 226;
    save(kKindO);
    const auto before = test::fileHashes(inst.root());
    const ToolRun r = runTool({inst.root()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.text().contains(QStringLiteral("98 - Text 98  (u strany: 3)\n")))
        << r.text().toStdString();
    EXPECT_TRUE(r.text().contains(QStringLiteral(
        "\nStrana: 3\n  18 - Text 18 (kand. č. 2)\n  18 - Text 18 (kand. č. 5)\n  19 - Text 19\n")))
        << r.text().toStdString();
    EXPECT_TRUE(r.text().contains(QStringLiteral("KodyChyb: 181998\n")));
    EXPECT_EQ(test::fileHashes(inst.root()), before);
}

TEST_F(CheckToolTest, Json) {
    rec().T2.ZapsOsoby = 0;
    rec().VyslStran(2).pref(16) = 1;
    rec().T2.T2Chyba = 1; // as saved; the run starts the flags afresh
    save(kKindE);
    const ToolRun r = runTool({QStringLiteral("--json"), inst.root()});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.text().toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.text().toStdString();
    EXPECT_EQ(o.value(QStringLiteral("KodyChyb")).toString(), QStringLiteral("04062023"));
    EXPECT_EQ(o.value(QStringLiteral("JsouChyby")).toBool(), true);
    EXPECT_EQ(o.value(QStringLiteral("JsouPropustitelne")).toBool(), true);
    EXPECT_EQ(o.value(QStringLiteral("JsouUpozorneni")).toBool(), false);
    EXPECT_EQ(o.value(QStringLiteral("T2Chyba")).toInt(), 1);
    EXPECT_EQ(o.value(QStringLiteral("TSChyba")).toInt(), 0);
    const QJsonObject strany = o.value(QStringLiteral("T2PChyba")).toObject();
    EXPECT_EQ(strany.size(), 2);
    EXPECT_EQ(strany.value(QStringLiteral("2")).toInt(), 1);
    EXPECT_EQ(strany.value(QStringLiteral("3")).toInt(), 0);
    const QJsonArray prot = o.value(QStringLiteral("protocol")).toArray();
    ASSERT_EQ(prot.size(), 4);
    const QJsonObject third = prot.at(2).toObject();
    EXPECT_EQ(third.value(QStringLiteral("EStrana")).toInt(), 2);
    EXPECT_EQ(third.value(QStringLiteral("Chyba")).toInt(), 20);
    EXPECT_EQ(third.value(QStringLiteral("Param")).toString(), QStringLiteral("(16)"));
    EXPECT_EQ(prot.at(3).toObject().value(QStringLiteral("Chyba")).toInt(), 23);
}

TEST_F(CheckToolTest, Refusals) {
    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"no data entered", {inst.root()}, 1, "Data nejsou pořízena!"},
        {"no directory", {}, 2, "check DIR"},
        {"unknown option", {inst.root(), QStringLiteral("--xml")}, 2, "check DIR"},
        {"not a directory", {inst.root() + QStringLiteral("nic")}, 1, "není adresář"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runTool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << r.err.toStdString();
    }
}

TEST_F(CheckToolTest, InstallationLayouts) {
    // The configuration's copy beside the program is the same file as
    // stanice.rcd where names ignore case.
    QFile::remove(inst.root() + QStringLiteral("stanice.rcd"));
    QFile::remove(inst.root() + QStringLiteral("STANICE.RCD"));
    ToolRun r = runTool({inst.root()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--station"))) << r.err.toStdString();
    r = runTool({inst.root(), QStringLiteral("--station"), QStringLiteral("9")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("konfigurační soubor"))) << r.err.toStdString();

    // A station in data/9/ of a multi-station installation.
    const QString station = inst.root() + QStringLiteral("data/9/");
    QDir().mkpath(station);
    setInstallDirs({inst.root(), station, station});
    TStanice st = test::sampleStanice();
    st.Okrsek = 3;
    inst.writeDataFile(QStringLiteral("9/STANICE.RCD"), st.toRecord());
    save(kKindO);
    r = runTool({inst.root(), QStringLiteral("--station"), QStringLiteral("9")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.text().contains(QStringLiteral("Nebyly zjištěny žádné chyby")))
        << r.text().toStdString();
    setInstallDirs(inst.dirs());
}
