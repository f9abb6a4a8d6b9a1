// The receiving point's summary as one whole command, over 1,000 to 15,000
// generated precinct files checked against the national-size demo tables:
// the time of the command from start to exit, files per second, time per
// file and the peak resident memory of its largest process (the command or
// one of its workers). The files are made once, in a directory under the
// current one (run from the real disk), and each size is a directory of
// hard links to the first files of the set.
//
// Each iteration runs the command itself; the files were just written, so
// every figure is of files already in memory, as on a receiving point's
// machine after copying them in.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kAllFiles = 15000;

struct FileSets {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/summary-bench-XXXXXX")};
    QString tables;
    std::map<int, QString> sets; // size -> directory
    QString error;

    static bool run(const QString& exe, const QStringList& args, QString& error) {
        QProcess p;
        p.start(exe, args);
        if (p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit &&
            p.exitCode() == 0)
            return true;
        error = exe + QStringLiteral(": ") + QString::fromUtf8(p.readAllStandardError());
        return false;
    }

    FileSets() {
        const QString root = dir.path() + QLatin1Char('/');
        tables = root + QStringLiteral("tables");
        const QString all = root + QStringLiteral("all");
        if (!run(QStringLiteral(URNARIUM_REFDATA_EXE),
                 {QStringLiteral(URNARIUM_DEMO_TABLES), tables}, error) ||
            !run(QStringLiteral(URNARIUM_GENDATA_EXE),
                 {tables, all, QStringLiteral("--count"), QString::number(kAllFiles),
                  QStringLiteral("--seed"), QStringLiteral("2024")},
                 error))
            return;
        const QStringList names = QDir(all).entryList(QDir::Files, QDir::Name);
        for (int size : {1000, 2000, 5000, 10000, 15000}) {
            const QString set = root + QStringLiteral("n%1").arg(size);
            QDir().mkpath(set);
            for (int i = 0; i < size && i < names.size(); ++i)
                if (::link(QFile::encodeName(all + QLatin1Char('/') + names.at(i)).constData(),
                           QFile::encodeName(set + QLatin1Char('/') + names.at(i)).constData()) !=
                    0) {
                    error = QStringLiteral("cannot link into %1").arg(set);
                    return;
                }
            sets[size] = set;
        }
    }
};

FileSets& fileSets() {
    static FileSets sets;
    return sets;
}

struct Outcome {
    double seconds = 0;
    long maxRssKb = 0;
    bool ok = false;
};

// The peak memory that wait4 reports for a child also counts the memory of
// the process it was forked from, as it stood when the child replaced itself
// with the command. So the command is started from a fresh, small process:
// this executable again, with --measure, which starts the command, waits
// for it and writes its time, peak memory (of the command and the workers
// it waited for) and exit status to a file.
int measure(char** argv) {
    const char* output = argv[2];
    const char* result = argv[3];
    char** command = argv + 4;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0)
            _exit(126);
        ::execv(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return 1;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FILE* f = std::fopen(result, "w");
    if (!f)
        return 1;
    std::fprintf(f, "%.6f %ld %d\n", seconds, usage.ru_maxrss,
                 WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    std::fclose(f);
    return 0;
}

Outcome runSummary(const QString& dir, const QString& tables, int jobs, const QString& output) {
    const QString result = output + QStringLiteral(".result");
    QProcess helper;
    helper.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--measure"), output, result, QStringLiteral(URNARIUM_DATA_EXE),
                  QStringLiteral("summary"), dir, QStringLiteral("--tables"), tables,
                  QStringLiteral("--json"), QStringLiteral("--jobs"), QString::number(jobs)});
    Outcome o;
    if (!helper.waitForFinished(600000) || helper.exitCode() != 0)
        return o;
    QFile f(result);
    if (!f.open(QIODevice::ReadOnly))
        return o;
    const QList<QByteArray> fields = f.readAll().simplified().split(' ');
    if (fields.size() != 3)
        return o;
    o.seconds = fields.at(0).toDouble();
    o.maxRssKb = fields.at(1).toLong();
    o.ok = fields.at(2) == "0";
    return o;
}

void BM_Summary(benchmark::State& state) {
    FileSets& sets = fileSets();
    if (!sets.error.isEmpty()) {
        state.SkipWithError(sets.error.toUtf8().constData());
        return;
    }
    const int files = int(state.range(0));
    const int jobs = int(state.range(1));
    const QString output = sets.dir.path() + QStringLiteral("/summary.json");
    double total = 0;
    long maxRss = 0;
    for (auto _ : state) {
        const Outcome o = runSummary(sets.sets.at(files), sets.tables, jobs, output);
        if (!o.ok) {
            state.SkipWithError("the command failed");
            return;
        }
        state.SetIterationTime(o.seconds);
        total += o.seconds;
        maxRss = std::max(maxRss, o.maxRssKb);
    }
    // Every file was read and counted: the figures are of the whole work.
    QFile f(output);
    f.open(QIODevice::ReadOnly);
    const QJsonObject totals =
        QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("totals")).toObject();
    if (totals.value(QStringLiteral("precincts")).toInt() != files) {
        state.SkipWithError("not every file was counted");
        return;
    }
    const double perRun = total / double(state.iterations());
    state.counters["files_per_s"] = files / perRun;
    state.counters["us_per_file"] = perRun * 1e6 / files;
    state.counters["peak_rss_MB"] = double(maxRss) / 1024.0;
}
BENCHMARK(BM_Summary)
    ->ArgNames({"files", "jobs"})
    ->ArgsProduct({{1000, 2000, 5000, 10000, 15000}, {2}})
    ->Args({15000, 1})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::strcmp(argv[1], "--measure") == 0)
        return measure(argv);
    // QCoreApplication::applicationFilePath needs the application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
