// The full check run against the national-size demo tables, on a record with
// thirty ticked parties: the run reads the precinct list, the expected
// numbers of voters and the party list from disk as the program does.
#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace urn;

namespace {

struct Installation {
    QTemporaryDir dir;
    PrecinctSession session;
    bool ok = false;

    Installation() {
        QProcess tool;
        tool.start(QStringLiteral(URNARIUM_REFDATA_EXE),
                   {QStringLiteral(URNARIUM_DEMO_TABLES), dir.path()});
        if (!tool.waitForFinished(120000) || tool.exitCode() != 0) {
            std::fprintf(stderr, "urnarium-refdata failed: %s\n",
                         tool.readAllStandardError().constData());
            return;
        }
        const QString root = dir.path() + QLatin1Char('/');
        QDir().mkpath(root + QStringLiteral("data"));
        setInstallDirs({root, root, root + QStringLiteral("data/")});
        // The demo list has fewer than thirty parties; the benchmark wants
        // the most the record can hold.
        QByteArray strany = readFileBytes(programFile(QStringLiteral("STRANY.RCD")));
        for (int p = int(strany.size() / kStranySize) + 1; p <= kMaxStran; ++p)
            strany += TStrana{QString::number(p), QStringLiteral("Strana %1").arg(p),
                              QStringLiteral("28")}
                          .toRecord();
        writeFileAtomically(programFile(QStringLiteral("STRANY.RCD")), strany);
        NactiStrany(session.SeznamStran);
        createErrorCatalogue();
        ok = session.SeznamStran.pocet() == kMaxStran;
    }
};

Installation& installation() {
    static Installation inst;
    return inst;
}

// A consistent record of the precinct with every party ticked, votes for
// each and preferential votes for many candidates.
void fillRecord(PrecinctSession& session, const QString& obec, qint32 okrsek, quint16 okres) {
    TPrecinctRecord& r = session.PrecinctRecord;
    r = TPrecinctRecord{};
    r.T2.TypVety = 1;
    r.T2.Okres = okres;
    r.T2.Obec = obec.toInt();
    r.T2.Okrsek = okrsek;
    // As many registered voters as expected where that is a plausible
    // number for the votes below, so that the run takes its usual path.
    r.T2.ZapsOsoby = std::max(OcekavaniVolici(obec, okrsek), 400);
    r.T2.PlatneHlasy = 0;
    for (const TStrana& s : session.SeznamStran.strany) {
        const int p = cisloStrany(s);
        zaskrtniStranu(r, p, true);
        TStranaVysl& v = r.VyslStran(p);
        v.PocHl = quint16(5 + p % 10);
        r.T2.PlatneHlasy += v.PocHl;
        const int n = pocetKandidatuListu(session.SeznamStran, p);
        for (int k = 1; k <= n; k += 3)
            v.pref(k) = 1;
        ProcDopoctiT2P(r, session.SeznamStran, p);
    }
    r.T2.OdevzdObalky = quint16(r.T2.PlatneHlasy + 5);
    r.T2.VydObalky = quint16(r.T2.OdevzdObalky + 2);
    ProcDopoctiT2(r);
    ProcDopoctiTS(r, session.SeznamStran,
                  {QDateTime(QDate(2024, 6, 8), QTime(14, 30)), QStringLiteral("5827860002"),
                   QStringLiteral("99"), 1234});
    r.Hlaso.ClenuOVKC = QStringLiteral("5");
    r.Hlaso.ClenuOVKP = QStringLiteral("3");
    r.Hlaso.Zapisovat = QStringLiteral("Zapisovatel");
    r.Hlaso.PoverPred = QStringLiteral("Pověřený člen");
    session.JmenaKomise = {{QStringLiteral("Člen 1")}, {QStringLiteral("Člen 2")}};
}

void runChecks(benchmark::State& state, const QString& obec, qint32 okrsek) {
    if (!installation().ok) {
        state.SkipWithError("demo installation could not be built");
        return;
    }
    PrecinctSession& session = installation().session;
    TOkrsky entry;
    NajdiOkrsek(obec, okrsek, entry);
    fillRecord(session, obec, okrsek, quint16(entry.Okres.toInt()));
    int findings = 0;
    for (auto _ : state) {
        const TVysledekKontrol v =
            ProvedKontroly(session.vstupKontrol(), CisChyb(), kVybranoKontrola);
        findings = v.ChybProt.count();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = findings;
    state.counters["parties"] = pocetPriloh(session.PrecinctRecord.T2);
}

// The demo station's own precinct.
void BM_FullRun_DemoStation(benchmark::State& state) {
    runChecks(state, QStringLiteral("582786"), 2);
}
BENCHMARK(BM_FullRun_DemoStation)->Unit(benchmark::kMillisecond);

// The municipality listed last: the precinct lookup reads the whole list.
void BM_FullRun_LastMunicipality(benchmark::State& state) {
    if (!installation().ok) {
        state.SkipWithError("demo installation could not be built");
        return;
    }
    const QList<QByteArray> okrsky =
        readRecords(programFile(QStringLiteral("OKRSKY.RCD")), kOkrskySize);
    const TOkrsky last = TOkrsky::fromRecord(okrsky.last());
    runChecks(state, last.Obec, strToInt(last.OkrsekOd));
}
BENCHMARK(BM_FullRun_LastMunicipality)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
