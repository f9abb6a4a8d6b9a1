// The export of a full record's data file to a directory on the local disk,
// as the export window runs it: free space, temporary file, copy, fsync, read
// back from the disk, rename, directory fsync, final read back. Run from a
// directory on the real disk (the temporary installation is made in the
// current directory), so that the flushes are real.

#include "SampleRecords.h"
#include "export/ExportCopy.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace urn;

namespace {

class Installation {
public:
    Installation() : m_dir(QDir::currentPath() + QStringLiteral("/export-bench-XXXXXX")) {
        const QString root = m_dir.path() + QLatin1Char('/');
        QDir().mkpath(root + QStringLiteral("data"));
        QDir().mkpath(root + QStringLiteral("Export"));
        setInstallDirs({root, root, root + QStringLiteral("data/")});
        const TAktOkrsek okrsek{QStringLiteral("500011"), 3};
        // 30 ticked parties with every candidate's votes: the largest file of
        // kind O there can be.
        UlozData(kKindO, okrsek, test::fullRecord(30, kPocetClenu));
        m_size = QFileInfo(dataFilePath(kKindO, okrsek)).size();
    }
    ~Installation() { setInstallDirs({}); }
    QString exportDir() const { return m_dir.path() + QStringLiteral("/Export/"); }
    qint64 size() const { return m_size; }

private:
    QTemporaryDir m_dir;
    qint64 m_size = 0;
};

// The same calls with every fsync left out, to see what the flushes cost.
class NoSyncIo : public ExportIo {
public:
    int fsync(int) override { return 0; }
};

void BM_KopirujSoubor(benchmark::State& state) {
    Installation inst;
    NoSyncIo noSync;
    ExportIo& io = state.range(0) ? systemExportIo() : noSync;
    for (auto _ : state) {
        const VysledekExportu v = KopirujSouborPodrobne(inst.exportDir(), QStringLiteral("500011"),
                                                        3, QStringLiteral("O"), false, io);
        if (!v.ok()) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetLabel(
        QStringLiteral("data file %1 B, %2")
            .arg(inst.size())
            .arg(state.range(0) ? QStringLiteral("with fsync") : QStringLiteral("without fsync"))
            .toStdString());
    state.SetBytesProcessed(state.iterations() * inst.size());
}
BENCHMARK(BM_KopirujSoubor)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
