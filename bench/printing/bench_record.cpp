// The record T/2 at its largest: 30 marked parties and 99 names of the
// commission, which give every Annex 1 sheet two continuation pages. How long
// the document takes into the preview, how long two copies take into a PDF
// file, and what the page store keeps in memory meanwhile.
//
// Run one benchmark per process for meaningful peak-memory figures, e.g.
//   record_bench --benchmark_filter=Record_Preview

#include "RecordSample.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "preview/PreviewControl.h"
#include "printing/PreviewWindow.h"
#include "printing/PrintCommands.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"
#include "ui/PrinterChoice.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace urn;

namespace {

double peakRssMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}

double currentRssMB() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0
                             : 0.0;
}

// Messages are counted, not shown.
class TicheDialogy : public Dialogs {
public:
    int pocet = 0;
    bool ask(const QString&, const QString&, DefaultAnswer) override { return ++pocet, false; }
    void warn(const QString&, const QString&) override { ++pocet; }
    void inform(const QString&, const QString&) override { ++pocet; }
    void error(const QString&, const QString&) override { ++pocet; }
};

struct Stanice30x99 {
    QTemporaryDir dir;
    TicheDialogy dialogy;
    PrecinctSession session;
    TpreviewF okno;
    Stanice30x99() {
        const QString root = dir.path() + QLatin1Char('/');
        setInstallDirs({root, root, root});
        setDialogs(&dialogy);
        session.Stanice.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
        session.Stanice.Obec = QStringLiteral("582786");
        session.Stanice.Okrsek = 2;
        session.Stanice.IdStanice = QStringLiteral("5827860002");
        test::zapisTabulkyZapisu(root, session);
        test::VzorZapisu vzor;
        vzor.strany.clear();
        for (int p = 1; p <= 30; ++p)
            vzor.strany.append(p);
        vzor.clenu = 99;
        test::vzorovyZapis(session, vzor);
        okno.showHook = [](TpreviewF&) {};
        okno.resize(1000, 700);
    }
    QString pdf() const { return dir.path() + QStringLiteral("/QZT2.pdf"); }
};

Stanice30x99& stanice() {
    static Stanice30x99 s;
    return s;
}

TUdajeZapisu udaje() {
    const PrecinctSession& s = stanice().session;
    return {s.PrecinctRecord, s.Stanice, s.JmenaKomise, s.SeznamStran,
            errorCatalogueCreated() ? &s.ChybProt : nullptr};
}

void pametUlozist(benchmark::State& state, double pred) {
    TMetafileList& store = stanice().okno.PrintPreview()->PageList();
    state.counters["pages"] = store.Count();
    state.counters["cached_pages"] = store.CachedCount();
    state.counters["cache_KB"] = double(store.MemoryBytes()) / 1024.0;
    state.counters["file_KB"] = double(store.StorageSize()) / 1024.0;
    state.counters["rss_growth_MB"] = currentRssMB() - pred;
    state.counters["peak_rss_MB"] = peakRssMB();
}

// The document into the preview: no printer, and the print dialog offered
// for it cancelled, so that only the preview is made (its pages counted
// first, then drawn).
void BM_Record_Preview(benchmark::State& state) {
    Stanice30x99& s = stanice();
    vybranaTiskarna().setOutputFileName(QString());
    s.okno.printDialogHook = [](TNastaveniTisku&) { return false; };
    const double pred = currentRssMB();
    for (auto _ : state)
        TiskZapisu(udaje(), s.okno, 1);
    pametUlozist(state, pred);
}
BENCHMARK(BM_Record_Preview)->Unit(benchmark::kMillisecond)->Iterations(5);

// The document alone drawn into the page store, without counting its pages
// first (the part of the above that the pages' drawing takes).
void BM_Record_DocumentOnly(benchmark::State& state) {
    Stanice30x99& s = stanice();
    vybranaTiskarna().setOutputFileName(QString());
    s.okno.printDialogHook = [](TNastaveniTisku&) { return false; };
    TiskZapisu(udaje(), s.okno, 1);
    PreviewPageSink stranky(*s.okno.PrintPreview(), poPortrait, QStringLiteral("QZT2.pdf"));
    const TStavZapisu zacatek = PripravZapis(udaje(), QDateTime::currentDateTime());
    for (auto _ : state)
        SestavZapis(stranky, udaje(), zacatek);
    state.counters["pages"] = s.okno.PrintPreview()->TotalPages();
}
BENCHMARK(BM_Record_DocumentOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

// Two copies printed directly into a PDF file (both in the one file), then
// the preview: the whole call the export command makes.
void BM_Record_TwoCopiesToPdf(benchmark::State& state) {
    Stanice30x99& s = stanice();
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(s.pdf());
    // The file of the previous run is replaced; the dialog that shows its
    // name is answered at once.
    s.okno.printDialogHook = [](TNastaveniTisku&) { return true; };
    const double pred = currentRssMB();
    for (auto _ : state)
        TiskZapisu(udaje(), s.okno, 2);
    pametUlozist(state, pred);
    state.counters["pdf_KB"] = double(QFile(s.pdf()).size()) / 1024.0;
    printer.setOutputFileName(QString());
}
BENCHMARK(BM_Record_TwoCopiesToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
