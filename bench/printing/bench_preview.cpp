// How fast the counting sheet is recorded and its last page shown, and how
// much memory the pages take, in this program's preview and in Qt's stock
// QPrintPreviewWidget fed with the same pages.

#include "checks/PrecinctSession.h"
#include "preview/PreviewControl.h"
#include "printing/PreviewWindow.h"
#include "printing/PrintCommands.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <memory>
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

// An installation with 30 parties of 28 candidates each: the counting sheet
// of the largest ballot, 30 landscape pages.
struct Installation {
    QTemporaryDir dir;
    PrecinctSession session;
    Installation() {
        const QString root = dir.path() + QLatin1Char('/');
        setInstallDirs({root, root, root});
        QByteArray strany;
        QByteArray kandidati;
        for (int s = 1; s <= 30; ++s) {
            TStrana st;
            st.CisloStrany = QString::number(s);
            st.NazevStrany = QStringLiteral("Volební strana číslo %1 pro Evropu").arg(s);
            st.PocetKand = QStringLiteral("28");
            strany.append(st.toRecord());
            for (int k = 1; k <= 28; ++k) {
                TKandidat c;
                c.CisloStrany = QString::number(s);
                c.CisloKand = QString::number(k);
                c.KandJmeno1 = QStringLiteral("Ing. Kandidát Příjmení%1").arg(k);
                c.KandJmeno2 = QStringLiteral("Ph.D.");
                c.KandPriznak = k == 13 ? QStringLiteral("N") : QStringLiteral("A");
                kandidati.append(c.toRecord());
            }
        }
        write(root + QStringLiteral("STRANY.RCD"), strany);
        write(root + QStringLiteral("KANDIDAT.RCD"), kandidati);
        session.Stanice.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
        session.Stanice.Obec = QStringLiteral("582786");
        session.Stanice.Okrsek = 2;
        session.AktOkrsek = session.Stanice.okrsek();
        NactiStrany(session.SeznamStran);
        NactiKandidaty(session.TabulkaKandidatu);
    }
    static void write(const QString& path, const QByteArray& data) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
    }
};

Installation& installation() {
    static Installation inst;
    return inst;
}

TUdajeArchu arch() {
    const PrecinctSession& s = installation().session;
    return {s.Stanice, s.AktOkrsek, s.SeznamStran, s.TabulkaKandidatu};
}

// The preview window with its modal showing left out, sized as on screen.
TpreviewF& window() {
    static TpreviewF* w = [] {
        auto* p = new TpreviewF;
        p->showHook = [](TpreviewF&) {};
        p->resize(1000, 700);
        p->show();
        QApplication::processEvents();
        return p;
    }();
    return *w;
}

// The counting sheet's pages as recorded pictures, for the stock widget.
const QList<QPicture>& sheetPages() {
    static const QList<QPicture> pages = [] {
        installation();
        window();
        TiskScitacihoArchu(arch(), window());
        QList<QPicture> l;
        TMetafileList& store = window().PrintPreview()->PageList();
        for (int i = 0; i < store.Count(); ++i)
            l.append(store.Metafiles(i));
        return l;
    }();
    return pages;
}

void showLastPage(TPrintPreview& pp) {
    pp.SetZoomState(zsZoomToWidth);
    pp.SetCurrentPage(pp.TotalPages());
    // Painting the page is part of showing it.
    pp.PaperView()->repaint();
}

void BM_CountingSheet_Preview(benchmark::State& state) {
    installation();
    TpreviewF& w = window();
    TPrintPreview& pp = *w.PrintPreview();
    const double before = currentRssMB();
    for (auto _ : state) {
        TiskScitacihoArchu(arch(), window());
        showLastPage(pp);
    }
    state.counters["pages"] = pp.TotalPages();
    state.counters["cached_pages"] = pp.PageList().CachedCount();
    state.counters["cache_KB"] = double(pp.PageList().MemoryBytes()) / 1024.0;
    state.counters["file_KB"] = double(pp.PageList().StorageSize()) / 1024.0;
    state.counters["rss_growth_MB"] = currentRssMB() - before;
    state.counters["peak_rss_MB"] = peakRssMB();
}
BENCHMARK(BM_CountingSheet_Preview)->Unit(benchmark::kMillisecond)->Iterations(10);

// The two halves of the above: recording the printout into the page store,
// and showing (painting) a stored page.
void BM_CountingSheet_RecordOnly(benchmark::State& state) {
    installation();
    window();
    for (auto _ : state)
        TiskScitacihoArchu(arch(), window());
}
BENCHMARK(BM_CountingSheet_RecordOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CountingSheet_ShowOnly(benchmark::State& state) {
    installation();
    TPrintPreview& pp = *window().PrintPreview();
    TiskScitacihoArchu(arch(), window());
    for (auto _ : state) {
        pp.SetCurrentPage(1);
        showLastPage(pp);
    }
}
BENCHMARK(BM_CountingSheet_ShowOnly)->Unit(benchmark::kMillisecond)->Iterations(10);

// Qt's stock widget: its paint request draws the same 30 pages (replayed
// from the recorded pictures) into its own page list, then it shows the
// last page fitted to the width.
void BM_CountingSheet_StockWidget(benchmark::State& state) {
    const QList<QPicture>& pages = sheetPages();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);
    QPrintPreviewWidget stock(&printer);
    stock.resize(1000, 700);
    stock.show();
    QObject::connect(&stock, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) {
        QPainter painter(p);
        const QRectF target = p->paperRect(QPrinter::DevicePixel);
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0)
                p->newPage();
            const QRect b = pages[i].boundingRect();
            painter.save();
            painter.scale(target.width() / b.width(), target.height() / b.height());
            painter.scale(double(pages[i].logicalDpiX()) / p->logicalDpiX(),
                          double(pages[i].logicalDpiY()) / p->logicalDpiY());
            painter.drawPicture(0, 0, pages[i]);
            painter.restore();
        }
    });
    const double before = currentRssMB();
    for (auto _ : state) {
        stock.updatePreview();
        stock.fitToWidth();
        stock.setCurrentPage(stock.pageCount());
        stock.repaint();
        QApplication::processEvents();
    }
    state.counters["pages"] = stock.pageCount();
    state.counters["rss_growth_MB"] = currentRssMB() - before;
    state.counters["peak_rss_MB"] = peakRssMB();
}
BENCHMARK(BM_CountingSheet_StockWidget)->Unit(benchmark::kMillisecond)->Iterations(10);

// Qt's stock widget recording the printout itself is not possible (the
// printout draws into this program's page sink), so the fair
// comparison above replays the pages. This one measures that replay alone
// in this program's preview, to separate it from the layout work.
void BM_CountingSheet_PreviewReplay(benchmark::State& state) {
    const QList<QPicture>& pages = sheetPages();
    TPrintPreview& pp = *window().PrintPreview();
    for (auto _ : state) {
        pp.SetOrientation(poLandscape);
        pp.BeginDoc();
        for (int i = 0; i < pages.size(); ++i) {
            if (i > 0)
                pp.NewPage();
            pp.Canvas()->drawPicture(0, 0, pages[i]);
        }
        pp.EndDoc();
        showLastPage(pp);
    }
    state.counters["pages"] = pp.TotalPages();
    state.counters["peak_rss_MB"] = peakRssMB();
}
BENCHMARK(BM_CountingSheet_PreviewReplay)->Unit(benchmark::kMillisecond)->Iterations(10);

// A synthetic document of 1,000 counting-sheet pages: the page store keeps
// ten in memory whatever the length, the stock widget keeps them all.
void BM_Pages1000_Store(benchmark::State& state) {
    const QList<QPicture>& pages = sheetPages();
    const double before = currentRssMB();
    qint64 cache = 0;
    qint64 file = 0;
    qint64 cachedMax = 0;
    for (auto _ : state) {
        TMetafileList store;
        for (int i = 0; i < 1000; ++i) {
            store.Add(pages[i % pages.size()]);
            cachedMax = qMax<qint64>(cachedMax, store.MemoryBytes());
        }
        store.Metafiles(999);
        cache = store.MemoryBytes();
        file = store.StorageSize();
        state.counters["rss_at_end_MB"] = currentRssMB() - before;
    }
    state.counters["cache_KB"] = double(cache) / 1024.0;
    state.counters["cache_max_KB"] = double(cachedMax) / 1024.0;
    state.counters["file_MB"] = double(file) / 1048576.0;
    state.counters["peak_rss_MB"] = peakRssMB();
}
BENCHMARK(BM_Pages1000_Store)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Pages1000_StockWidget(benchmark::State& state) {
    const QList<QPicture>& pages = sheetPages();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);
    QPrintPreviewWidget stock(&printer);
    stock.resize(1000, 700);
    QObject::connect(&stock, &QPrintPreviewWidget::paintRequested, [&](QPrinter* p) {
        QPainter painter(p);
        const QRectF target = p->paperRect(QPrinter::DevicePixel);
        for (int i = 0; i < 1000; ++i) {
            if (i > 0)
                p->newPage();
            const QPicture& pic = pages[i % pages.size()];
            const QRect b = pic.boundingRect();
            painter.save();
            painter.scale(target.width() / b.width(), target.height() / b.height());
            painter.scale(double(pic.logicalDpiX()) / p->logicalDpiX(),
                          double(pic.logicalDpiY()) / p->logicalDpiY());
            painter.drawPicture(0, 0, pic);
            painter.restore();
        }
    });
    const double before = currentRssMB();
    for (auto _ : state) {
        stock.updatePreview();
        stock.setCurrentPage(1000);
        state.counters["rss_at_end_MB"] = currentRssMB() - before;
    }
    state.counters["pages"] = stock.pageCount();
    state.counters["peak_rss_MB"] = peakRssMB();
}
BENCHMARK(BM_Pages1000_StockWidget)->Unit(benchmark::kMillisecond)->Iterations(3);

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
