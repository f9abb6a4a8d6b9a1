#include "store/InstallDirs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace urn;

namespace {
void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(228, '\0'));
}
} // namespace

TEST(Layout, DecidedFromStationFilesAndParameters) {
    struct Case {
        const char* name;
        QStringList files; // relative to the program directory
        QStringList params;
        StartupLayout layout;
        const char* config; // relative; "" = program directory
        const char* data;
    };
    const Case cases[] = {
        {"single station",
         {"stanice.rcd", "data/STANICE.RCD"},
         {},
         StartupLayout::SingleStation,
         "",
         "data/"},
        {"single station wins over a parameter",
         {"stanice.rcd", "data/123/STANICE.RCD"},
         {"123"},
         StartupLayout::SingleStation,
         "",
         "data/"},
        {"single station in other case",
         {"STANICE.RCD"},
         {},
         StartupLayout::SingleStation,
         "",
         "data/"},
        {"multi station",
         {"data/123/STANICE.RCD"},
         {"123"},
         StartupLayout::MultiStation,
         "data/123/",
         "data/123/"},
        {"multi station any case",
         {"Data/abc/stanice.rcd"},
         {"ABC"},
         StartupLayout::MultiStation,
         "Data/abc/",
         "Data/abc/"},
        {"parameter without configuration",
         {"data/124/STANICE.RCD"},
         {"123"},
         StartupLayout::MissingConfig,
         "data/123/",
         "data/123/"},
        {"no parameter", {"data/123/STANICE.RCD"}, {}, StartupLayout::NoParameter, "", "data/"},
        {"two parameters",
         {"data/123/STANICE.RCD"},
         {"123", "456"},
         StartupLayout::NoParameter,
         "",
         "data/"},
        {"parameter climbing out",
         {"STANICE.RCD.d/STANICE.RCD", "data/x/STANICE.RCD"},
         {"../data/x"},
         StartupLayout::MissingConfig,
         "",
         "data/"},
        {"parameter with a separator",
         {"data/a/b/STANICE.RCD"},
         {"a/b"},
         StartupLayout::MissingConfig,
         "",
         "data/"},
        {"parameter with a backslash",
         {"data/a/STANICE.RCD"},
         {"a\\b"},
         StartupLayout::MissingConfig,
         "",
         "data/"},
        {"parameter dot dot", {"STANICE.RCD.x"}, {".."}, StartupLayout::MissingConfig, "", "data/"},
        {"parameter dot", {"data/STANICE.RCD"}, {"."}, StartupLayout::MissingConfig, "", "data/"},
        {"empty parameter", {"data/STANICE.RCD"}, {""}, StartupLayout::MissingConfig, "", "data/"},
        {"directory named like the file",
         {"data/d/STANICE.RCD/x"},
         {"d"},
         StartupLayout::MissingConfig,
         "data/d/",
         "data/d/"},
    };
    for (const Case& c : cases) {
        QTemporaryDir tmp;
        const QString prog = tmp.path() + QStringLiteral("/prog/");
        QDir().mkpath(prog);
        for (const QString& f : c.files)
            touch(prog + f);
        const StartupDecision d = decideLayout(prog + QStringLiteral("urnarium"), c.params);
        EXPECT_EQ(d.layout, c.layout) << c.name;
        EXPECT_EQ(d.dirs.program, prog) << c.name;
        if (c.layout == StartupLayout::SingleStation || c.layout == StartupLayout::MultiStation) {
            EXPECT_EQ(d.dirs.config, prog + QString::fromUtf8(c.config)) << c.name;
            EXPECT_EQ(d.dirs.data, prog + QString::fromUtf8(c.data)) << c.name;
        }
    }
}

TEST(Layout, ProgramPathWithoutDirectoryGivesRelativeDirectories) {
    const StartupDecision d = decideLayout(QStringLiteral("urnarium-no-such-dir"), {});
    EXPECT_EQ(d.dirs.program, QString());
    EXPECT_EQ(d.dirs.data, QStringLiteral("data/"));
}

TEST(FindFileNoCase, MatchesEachComponentRegardlessOfCase) {
    QTemporaryDir tmp;
    const QString root = tmp.path() + QLatin1Char('/');
    touch(root + QStringLiteral("Data/Okrsky.Rcd"));
    EXPECT_EQ(findFileNoCase(root, QStringLiteral("data/OKRSKY.RCD")),
              root + QStringLiteral("Data/Okrsky.Rcd"));
    EXPECT_EQ(findFileNoCase(root, QStringLiteral("DATA/")), root + QStringLiteral("Data/"));
    // A name that does not exist keeps the spelling asked for.
    EXPECT_EQ(findFileNoCase(root, QStringLiteral("data/HLASO.RCD")),
              root + QStringLiteral("Data/HLASO.RCD"));
    // The exact spelling wins over another case.
    touch(root + QStringLiteral("Data/OKRSKY.RCD"));
    EXPECT_EQ(findFileNoCase(root, QStringLiteral("Data/OKRSKY.RCD")),
              root + QStringLiteral("Data/OKRSKY.RCD"));
    // Also when the exact spelling is not the one that sorts first.
    EXPECT_EQ(findFileNoCase(root, QStringLiteral("Data/Okrsky.Rcd")),
              root + QStringLiteral("Data/Okrsky.Rcd"));
}
