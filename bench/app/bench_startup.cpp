// Start-up: from starting the process to the main window shown, the opening
// done and the event loop idle (then the process ends), for the program on
// a demo installation with the national-size tables and for an empty
// QMainWindow in the same run, and for the same window with a menu and a
// status-line text (which pays for the font system as the program does). Runs offscreen unless
// DISPLAY is set, e.g. under Xvfb: xvfb-run -a startup_bench
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

struct Installation {
    QTemporaryDir dir;
    QString exe;

    Installation() {
        const QString root = dir.path() + QLatin1Char('/');
        QProcess tool;
        tool.start(QStringLiteral(URNARIUM_REFDATA_EXE),
                   {QStringLiteral(URNARIUM_DEMO_TABLES), root});
        if (!tool.waitForFinished(120000) || tool.exitCode() != 0) {
            std::fprintf(stderr, "urnarium-refdata failed\n");
            return;
        }
        QDir().mkpath(root + QStringLiteral("data"));
        QDir().mkpath(root + QStringLiteral("Export"));
        QFile::copy(root + QStringLiteral("STANICE.RCD"), root + QStringLiteral("stanice.rcd"));
        QFile::copy(root + QStringLiteral("STANICE.RCD"),
                    root + QStringLiteral("data/STANICE.RCD"));
        exe = root + QStringLiteral("urnarium");
        QFile::copy(QStringLiteral(URNARIUM_EXE), exe);
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

Installation& installation() {
    static Installation inst;
    return inst;
}

void runUntilIdle(benchmark::State& state, const QString& program,
                  const QStringList& arguments = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("URNARIUM_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("DISPLAY")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // A private runtime directory: the program's single-instance lock.
    QTemporaryDir runtime;
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, arguments);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("the process did not end cleanly");
            return;
        }
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}

void BM_Startup_Program(benchmark::State& state) {
    runUntilIdle(state, installation().exe);
}
BENCHMARK(BM_Startup_Program)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Startup_EmptyMainWindow(benchmark::State& state) {
    runUntilIdle(state, QStringLiteral(URNARIUM_EMPTY_WINDOW_EXE));
}
BENCHMARK(BM_Startup_EmptyMainWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void BM_Startup_MainWindowWithText(benchmark::State& state) {
    runUntilIdle(state, QStringLiteral(URNARIUM_EMPTY_WINDOW_EXE), {QStringLiteral("--text")});
}
BENCHMARK(BM_Startup_MainWindowWithText)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
