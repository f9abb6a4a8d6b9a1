// The data-entry window on the national-size demo tables with the largest
// ballot (30 parties of 28 candidates): opening it, a change of page with
// its save, and leaving a field.

#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "entry/AnnexPage.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "entry/SectionTwoPage.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/PrecinctRecord.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace urn;

namespace {

struct Installation {
    QTemporaryDir dir;
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
        // The largest ballot the record holds.
        QByteArray strany;
        QByteArray kandidati;
        for (int p = 1; p <= kMaxStran; ++p) {
            strany += TStrana{QString::number(p),
                              QStringLiteral("Volební strana číslo %1 pro Evropu").arg(p),
                              QStringLiteral("28")}
                          .toRecord();
            for (int k = 1; k <= kMaxKandidatu; ++k)
                kandidati += TKandidat{QString::number(p), QString::number(k),
                                       QStringLiteral("Kandidát %1").arg(k),
                                       QStringLiteral("Strany %1").arg(p),
                                       k == 9 ? QStringLiteral("N") : QStringLiteral("A")}
                                 .toRecord();
        }
        writeFileAtomically(programFile(QStringLiteral("STRANY.RCD")), strany);
        writeFileAtomically(programFile(QStringLiteral("KANDIDAT.RCD")), kandidati);
        const QByteArray stanice = readFileBytes(root + QStringLiteral("STANICE.RCD"));
        writeFileAtomically(root + QStringLiteral("data/STANICE.RCD"), stanice);
        session.Stanice = NactiStanici();
        createErrorCatalogue();
        NactiStrany(session.SeznamStran);
        fillRecord();
        ok = session.SeznamStran.pocet() == kMaxStran;
    }

    // Every party ticked with votes, sections I and III, four names.
    void fillRecord() {
        const TStanice& st = session.Stanice;
        session.AktOkrsek = st.okrsek();
        TPrecinctRecord& r = session.PrecinctRecord;
        r = TPrecinctRecord{};
        r.T2.TypVety = 1;
        r.T2.Obec = st.Obec.toInt();
        r.T2.Okrsek = st.Okrsek;
        r.T2.ZapsOsoby = std::max(OcekavaniVolici(st.Obec, st.Okrsek), 400);
        for (int p = 1; p <= kMaxStran; ++p) {
            zaskrtniStranu(r, p, true);
            TStranaVysl& v = r.VyslStran(p);
            v.PocHl = quint16(5 + p % 10);
            r.T2.PlatneHlasy += v.PocHl;
            for (int k = 1; k <= kMaxKandidatu; k += 3)
                v.pref(k) = 1;
            ProcDopoctiT2P(r, session.SeznamStran, p);
        }
        r.T2.OdevzdObalky = quint16(r.T2.PlatneHlasy + 5);
        r.T2.VydObalky = quint16(r.T2.OdevzdObalky + 2);
        ProcDopoctiT2(r);
        r.Hlaso.Zahajeno1 = QStringLiteral("7:00");
        r.Hlaso.ClenuOVKC = QStringLiteral("9");
        r.Hlaso.ClenuOVKP = QStringLiteral("5");
        r.Hlaso.Zapisovat = QStringLiteral("Jana Nováková");
        r.Hlaso.PoverPred = QStringLiteral("Petr Svoboda");
        setSyncToDisk(false);
        UlozData(kKindE, session.AktOkrsek, r);
        UlozHlaso(r.Hlaso);
        session.JmenaKomise = {{QStringLiteral("Eva Malá")},
                               {QStringLiteral("Ivan Velký")},
                               {QStringLiteral("Olga Krátká")},
                               {QStringLiteral("Adam Dlouhý")}};
        UlozKomise(session.JmenaKomise);
    }

    PrecinctSession session;
};

Installation& installation() {
    static Installation inst;
    return inst;
}

// The window, shown on the annex with the first party loaded.
struct Window {
    TR_Vstupni_Form okno{installation().session};
    QTimer odpovedi;
    int hlaseni = 0;
    Window() {
        // The check protocol of the save goes nowhere: the benchmark
        // measures the window, not the preview.
        okno.TiskProtokolu = [](const PrecinctSession&) {};
        // A finding would stop the run in its modal window: passed on, and
        // counted.
        odpovedi.setInterval(1);
        QObject::connect(&odpovedi, &QTimer::timeout, [this] {
            if (okno.hlaskaF()->isVisible()) {
                ++hlaseni;
                okno.hlaskaF()->IgnorovatBtn()->click();
            }
        });
        odpovedi.start();
        okno.show();
        okno.activateWindow();
        QApplication::processEvents();
    }
    void settle() {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
};

bool ready(benchmark::State& state) {
    if (installation().ok)
        return true;
    state.SkipWithError("demo installation could not be built");
    return false;
}

// Opening: the files read, the record loaded into all pages.
void BM_Opening(benchmark::State& state) {
    if (!ready(state))
        return;
    Window w;
    for (auto _ : state) {
        w.okno.FormShow();
        w.settle();
    }
    state.counters["parties"] = w.okno.strankaOddII()->zaskrtnuteStrany().size();
}
BENCHMARK(BM_Opening)->Unit(benchmark::kMillisecond);

// A page change with the save of the whole record (data file sealed, sections
// I and III, the names, the station's mark), without forcing it to the disk.
// Between section I and section III, so that the fields left run no checks.
void BM_PageChangeWithSave(benchmark::State& state) {
    if (!ready(state))
        return;
    setSyncToDisk(false);
    Window w;
    int stranka = 0;
    for (auto _ : state) {
        stranka = stranka == 0 ? 3 : 0;
        if (!w.okno.R_TN_T2PRChange(stranka))
            state.SkipWithError("page change refused");
        w.okno.R_TN_T2PRClick();
        w.settle();
    }
}
BENCHMARK(BM_PageChangeWithSave)->Unit(benchmark::kMillisecond);

// The same from section II, leaving its registered voters (their checks look
// the expected number up in the national table).
void BM_PageChangeWithSave_FromSectionTwo(benchmark::State& state) {
    if (!ready(state))
        return;
    setSyncToDisk(false);
    Window w;
    int stranka = 0;
    for (auto _ : state) {
        stranka = stranka == 0 ? 1 : 0;
        if (!w.okno.R_TN_T2PRChange(stranka))
            state.SkipWithError("page change refused");
        w.okno.R_TN_T2PRClick();
        w.settle();
    }
}
BENCHMARK(BM_PageChangeWithSave_FromSectionTwo)->Unit(benchmark::kMillisecond);

// Leaving a preferential-vote field: its exit rule, the sheet's control
// numbers, the labels and the repaint.
void BM_LeavingAField_PreferentialVotes(benchmark::State& state) {
    if (!ready(state))
        return;
    Window w;
    w.okno.R_TN_T2PRChange(1);
    w.okno.R_TN_T2PRChange(2);
    w.okno.R_TN_T2PRClick();
    w.settle();
    AnnexPage* a = w.okno.strankaPrilohy();
    int i = 0;
    for (auto _ : state) {
        TSEdit* e = a->prefPole(1 + i % 2);
        e->setFocus(Qt::TabFocusReason);
        e->setText(QString::number(i % 4));
        a->prefPole(3)->setFocus(Qt::TabFocusReason);
        w.settle();
        ++i;
    }
}
BENCHMARK(BM_LeavingAField_PreferentialVotes)->Unit(benchmark::kMicrosecond);

// Leaving the registered voters of section II: its checks look the
// expected number up in the national table on disk.
void BM_LeavingAField_RegisteredVoters(benchmark::State& state) {
    if (!ready(state))
        return;
    Window w;
    w.okno.R_TN_T2PRChange(1);
    w.okno.R_TN_T2PRClick();
    w.settle();
    SectionTwoPage* p = w.okno.strankaOddII();
    const QString zapsano = QString::number(installation().session.PrecinctRecord.T2.ZapsOsoby);
    for (auto _ : state) {
        p->R_EdZapsOsoby()->setFocus(Qt::TabFocusReason);
        p->R_EdZapsOsoby()->setText(zapsano);
        p->R_EdVydObalky()->setFocus(Qt::TabFocusReason);
        w.settle();
    }
}
BENCHMARK(BM_LeavingAField_RegisteredVoters)->Unit(benchmark::kMicrosecond);

// A whole record for five parties typed through the keyboard, as the
// commission types it: every preferential vote typed, Enter between the
// fields, the page keys, F2 at the end (the check run included). Reports the
// number of keys; the time is the program's share of the typing.
void BM_TypingFivePartyRecord(benchmark::State& state) {
    if (!ready(state))
        return;
    setSyncToDisk(false);
    const TStanice& st = installation().session.Stanice;
    const qint32 ocekavano = std::max(OcekavaniVolici(st.Obec, st.Okrsek), 200);
    const int pocHl = ocekavano * 6 / 10 / 5;
    const int platne = pocHl * 5;
    int klaves = 0;
    auto klavesa = [&](int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
        ++klaves;
    };
    auto pole = [&](const QString& text) {
        for (QChar c : text)
            klavesa(c.toUpper().unicode());
        klavesa(Qt::Key_Return);
    };
    for (auto _ : state) {
        state.PauseTiming();
        removeDataFile(kKindE, st.okrsek());
        removeDataFile(kKindO, st.okrsek());
        writeFileAtomically(dataFile(QStringLiteral("HLASO.RCD")), hlasoToBytes(THlaso{}));
        auto w = std::make_unique<Window>();
        klaves = 0;
        state.ResumeTiming();

        for (const char* cas : {"7:00", "22:00", "8:00", "14:00"})
            pole(QString::fromLatin1(cas));
        for (int i = 0; i < 3; ++i) { // three radio pairs with their empty fields
            klavesa(Qt::Key_Return);
            for (int j = 0; j < 4; ++j)
                klavesa(Qt::Key_Return);
        }
        klavesa(Qt::Key_Return); // no complaints
        klavesa(Qt::Key_Return);
        klavesa(Qt::Key_Return); // no portable ballot box
        klavesa(Qt::Key_PageDown);
        pole(QString::number(ocekavano));
        pole(QString::number(platne + 10));
        pole(QString::number(platne + 5));
        pole(QString::number(platne));
        for (int p = 1; p <= 10; ++p) { // parties 2, 4, 6, 8 and 10 ticked
            if (p % 2 == 0)
                klavesa(Qt::Key_Space);
            klavesa(Qt::Key_Return);
        }
        klavesa(Qt::Key_PageDown);
        for (int p = 0; p < 5; ++p) {
            klavesa(Qt::Key_Return);
            pole(QString::number(pocHl));
            for (int k = 1; k <= kMaxKandidatu; ++k)
                if (k != 9) // withdrawn
                    pole(QStringLiteral("2"));
            klavesa(Qt::Key_Return); // last candidate: on to the next party
        }
        pole(QStringLiteral("9"));
        pole(QStringLiteral("5"));
        pole(QStringLiteral("Jana Novakova"));
        for (const char* jmeno : {"Eva Mala", "Ivan Velky", "Olga Kratka", "Adam Dlouhy"})
            pole(QString::fromLatin1(jmeno)); // the names grid, Enter after each
        pole(QStringLiteral("Petr Svoboda"));
        klavesa(Qt::Key_F2);

        state.PauseTiming();
        if (w->okno.isVisible())
            state.SkipWithError("the window did not close after F2");
        state.counters["findings"] = w->hlaseni;
        w.reset();
        state.ResumeTiming();
    }
    state.counters["keys"] = klaves;
    state.counters["checked_file"] = dataFileExists(kKindO, st.okrsek());
    installation().fillRecord();
}
BENCHMARK(BM_TypingFivePartyRecord)->Unit(benchmark::kMillisecond)->Iterations(3);

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
