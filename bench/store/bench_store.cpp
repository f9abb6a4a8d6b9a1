// Storing and loading a full precinct record through the whole chain: line,
// temporary files, container, sealing, Base64 and back. Run from a directory
// on the real disk (the temporary installation is made in the current
// directory), so that the variant with syncing measures real flushes.

#include "InstallDirs.h"
#include "PrecinctRecord.h"
#include "RecordIO.h"
#include "unlib.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace urn;

namespace {

// 30 ticked parties with every candidate's votes, 99 member names.
TPrecinctRecord fullRecord() {
    TPrecinctRecord r;
    TVetaT2& t2 = r.T2;
    t2.TypVety = 1;
    t2.Okres = 3701;
    t2.Obec = 500011;
    t2.Okrsek = 3;
    t2.T2KC_1 = 1;
    t2.ZapsOsoby = 1812;
    t2.VydObalky = 1530;
    t2.OdevzdObalky = 1529;
    t2.PlatneHlasy = 1525;
    t2.T2KC_2 = 6396;
    for (int p = 1; p <= 30; ++p) {
        t2.ZaskrtStrany[p - 1] = QLatin1Char('1');
        TStranaVysl& s = r.VyslStran(p);
        s.TypVety = 2;
        s.Okres = t2.Okres;
        s.Obec = t2.Obec;
        s.Okrsek = t2.Okrsek;
        s.T2PKC1 = 3;
        s.CisStr = quint16(p);
        s.PocHl = quint16(40 + p);
        s.T2PKC2 = quint16(s.CisStr + s.PocHl);
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            s.pref(k) = quint16((k * 7 + p) % 23);
        s.T2PKC3 = 4000 + p;
        s.T2PKC4 = 5000 + p;
        s.T2PPoslKand = 28;
        s.T2PKontrSoucet = 512345 + p;
    }
    TVetaTS& ts = r.TS;
    ts.TypVety = 3;
    ts.Okres = t2.Okres;
    ts.Obec = t2.Obec;
    ts.Okrsek = t2.Okrsek;
    ts.KodyChyb = QStringLiteral("0391");
    ts.DatumKontr = QStringLiteral("20240608");
    ts.CasKontr = QStringLiteral("101530");
    ts.IdStanice = 1234567890;
    ts.T2ZapisTN = 1;
    ts.VerzeOS = 10;
    ts.SoucetKC1 = 95;
    ts.SoucetKC2 = 8000;
    ts.SoucetKC3 = 120465;
    ts.SoucetKC4 = 150465;
    ts.NahodneCislo = 4711;
    ts.SoucetKontr = 15370815;
    ts.KontrSoucetTS = 1255000000;
    for (int k = 1; k <= kPocetClenu; ++k)
        r.JmenaClenu(k) =
            QStringLiteral("Člen okrskové komise číslo %1, Žofie Nováková-Černá").arg(k);
    return r;
}

class Installation {
public:
    Installation() : m_dir(QDir::currentPath() + QStringLiteral("/store-bench-XXXXXX")) {
        const QString root = m_dir.path() + QLatin1Char('/');
        QDir().mkpath(root + QStringLiteral("data"));
        setInstallDirs({root, root, root + QStringLiteral("data/")});
        AktOkrsek() = {QStringLiteral("500011"), 3};
        PrecinctRecord() = fullRecord();
    }
    ~Installation() {
        setInstallDirs({});
        setSyncToDisk(true);
    }

private:
    QTemporaryDir m_dir;
};

void BM_UlozData(benchmark::State& state) {
    Installation inst;
    setSyncToDisk(state.range(0) != 0);
    for (auto _ : state)
        UlozData(kKindE);
    state.SetLabel(state.range(0) ? "with fsync" : "without fsync");
}
BENCHMARK(BM_UlozData)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_NactiData(benchmark::State& state) {
    Installation inst;
    UlozData(kKindE);
    setSyncToDisk(state.range(0) != 0);
    for (auto _ : state) {
        NactiData(kKindE);
        benchmark::DoNotOptimize(PrecinctRecord().T2.ZapsOsoby);
    }
    if (PrecinctRecord().JmenaClenu(99).isEmpty())
        state.SkipWithError("the record did not load");
    state.SetLabel(state.range(0) ? "with fsync" : "without fsync");
}
BENCHMARK(BM_NactiData)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The in-memory steps, to see where the time of the chain goes.
void BM_LineOnly(benchmark::State& state) {
    const TPrecinctRecord r = fullRecord();
    for (auto _ : state) {
        TPrecinctRecord back;
        lineToRecord(recordToLine(r, kKindE), kKindE, back);
        benchmark::DoNotOptimize(back.T2.ZapsOsoby);
    }
}
BENCHMARK(BM_LineOnly)->Unit(benchmark::kMicrosecond);

void BM_PackAndSealOnly(benchmark::State& state) {
    const QByteArray line = recordToLine(fullRecord(), kKindE);
    const QByteArray key(kKlicDatovychSouboru);
    for (auto _ : state) {
        const QByteArray sealed = sealBytes(packContainer(line), key);
        benchmark::DoNotOptimize(unpackContainer(unsealBytes(sealed, key, {}), {}).size());
    }
    state.counters["line_bytes"] = double(line.size());
    state.counters["sealed_bytes"] = double(sealBytes(packContainer(line), key).size());
}
BENCHMARK(BM_PackAndSealOnly)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
