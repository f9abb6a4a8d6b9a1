// Storing and loading a full precinct record through the whole chain: line,
// temporary files, container, sealing, Base64 and back. Run from a directory
// on the real disk (the temporary installation is made in the current
// directory), so that the variant with syncing measures real flushes.

#include "SampleRecords.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/RecoveryCopy.h"
#include "store/Sealing.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace urn;

namespace {

class Installation {
public:
    Installation() : m_dir(QDir::currentPath() + QStringLiteral("/store-bench-XXXXXX")) {
        const QString root = m_dir.path() + QLatin1Char('/');
        QDir().mkpath(root + QStringLiteral("data"));
        setInstallDirs({root, root, root + QStringLiteral("data/")});
    }
    ~Installation() {
        setInstallDirs({});
        setSyncToDisk(true);
    }

    const TAktOkrsek okrsek{QStringLiteral("500011"), 3};
    // 30 ticked parties with every candidate's votes, 99 member names.
    TPrecinctRecord zaznam = test::fullRecord(30, kPocetClenu);

private:
    QTemporaryDir m_dir;
};

void BM_UlozData(benchmark::State& state) {
    Installation inst;
    setSyncToDisk(state.range(0) != 0);
    for (auto _ : state)
        UlozData(kKindE, inst.okrsek, inst.zaznam);
    state.SetLabel(state.range(0) ? "with fsync" : "without fsync");
}
BENCHMARK(BM_UlozData)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_NactiData(benchmark::State& state) {
    Installation inst;
    UlozData(kKindE, inst.okrsek, inst.zaznam);
    setSyncToDisk(state.range(0) != 0);
    TPrecinctRecord r;
    for (auto _ : state) {
        NactiData(kKindE, inst.okrsek, r);
        benchmark::DoNotOptimize(r.T2.ZapsOsoby);
    }
    if (r.JmenaClenu(99).isEmpty())
        state.SkipWithError("the record did not load");
    state.SetLabel(state.range(0) ? "with fsync" : "without fsync");
}
BENCHMARK(BM_NactiData)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The recovery copy the data-entry window writes at most once a second while
// the commission types: the content of the whole record and 98 names, sealed
// and written crash-safely.
void BM_RecoveryCopy(benchmark::State& state) {
    Installation inst;
    setSyncToDisk(state.range(0) != 0);
    const QStringList jmena(kPocetClenu - 1, QStringLiteral("Jméno Příjmení Člena Komise"));
    for (auto _ : state)
        writeRecoveryCopy(recoveryContent(inst.okrsek, inst.zaznam, jmena));
    state.SetLabel(state.range(0) ? "with fsync" : "without fsync");
}
BENCHMARK(BM_RecoveryCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Of which the content alone, before sealing.
void BM_RecoveryContent(benchmark::State& state) {
    Installation inst;
    const QStringList jmena(kPocetClenu - 1, QStringLiteral("Jméno Příjmení Člena Komise"));
    for (auto _ : state)
        benchmark::DoNotOptimize(recoveryContent(inst.okrsek, inst.zaznam, jmena));
}
BENCHMARK(BM_RecoveryContent)->Unit(benchmark::kMicrosecond);

// The in-memory steps, to see where the time of the chain goes.
void BM_LineOnly(benchmark::State& state) {
    const TPrecinctRecord r = test::fullRecord(30, kPocetClenu);
    for (auto _ : state) {
        TPrecinctRecord back;
        lineToRecord(recordToLine(r, kKindE), kKindE, back);
        benchmark::DoNotOptimize(back.T2.ZapsOsoby);
    }
}
BENCHMARK(BM_LineOnly)->Unit(benchmark::kMicrosecond);

void BM_PackAndSealOnly(benchmark::State& state) {
    const QByteArray line = recordToLine(test::fullRecord(30, kPocetClenu), kKindE);
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
