#include "SampleRecords.h"
#include "TestInstall.h"
#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/RecoveryCopy.h"
#include "store/Sealing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <optional>

using namespace urn;
using urn::test::fullRecord;
using urn::test::TestInstall;

namespace {

const TAktOkrsek kOkrsek{QStringLiteral("500011"), 3};

// Everything the window keeps, with what the data file line could not hold.
TPrecinctRecord typedRecord() {
    TPrecinctRecord r = fullRecord(3, 2);
    r.T2.T2KC_2 = 129996;         // wider than its field in the line
    r.VyslStran(7).PocHl = 12;    // an unticked party keeps its sheet
    r.VyslStran(45).pref(28) = 1; // beyond any party list
    r.JmenaClenu(99) = QStringLiteral("Řehoř Šťastný");
    r.Hlaso.Odroc = QStringLiteral("B");
    r.Hlaso.DuvodOdroc = QStringLiteral("porucha osvětlení = tma\\");
    r.Hlaso.Zapisovat = QStringLiteral("Jana Nováková");
    r.TS = TVetaTS{};
    return r;
}

TEST(RecoveryCopy, HoldsTheWholeRecordAndTheNamesAsShownSealedOutsideTheDataFiles) {
    TestInstall inst;
    const TPrecinctRecord typed = typedRecord();
    const QStringList jmena = {QStringLiteral("Eva Malá"), QString(), QStringLiteral("a\nb\\r")};
    const QByteArray content = recoveryContent(kOkrsek, typed, jmena);
    // Written and removed crash-safely, and nowhere but in its own file.
    QStringList steps;
    setFileStepObserver([&](const char* step, const QString& path) {
        steps << QString::fromLatin1(step) + QLatin1Char(' ') + QFileInfo(path).fileName();
    });
    writeRecoveryCopy(content);
    removeRecoveryCopy();
    writeRecoveryCopy(content);
    setFileStepObserver({});
    const QString dir = QFileInfo(inst.dirs().config + QStringLiteral("x")).absoluteDir().dirName();
    const QStringList written{"write OBNOVA.DAT", "fsync OBNOVA.DAT", "rename OBNOVA.DAT",
                              "dirsync " + dir};
    const QStringList removed{"unlink OBNOVA.DAT", "dirsync " + dir};
    EXPECT_EQ(steps, written + removed + written);

    EXPECT_EQ(recoveryCopyPath(), inst.dirs().config + QStringLiteral("OBNOVA.DAT"));
    const QByteArray onDisk = inst.readFile(recoveryCopyPath());
    EXPECT_FALSE(onDisk.contains("URNARIUM")); // sealed, as the data files are
    const RecoveryCopy back = readRecoveryCopy();
    EXPECT_EQ(recoveryContent(back.okrsek, back.record, back.jmenaKomise), content);
    EXPECT_EQ(back.okrsek.Obec, kOkrsek.Obec);
    EXPECT_EQ(back.okrsek.Okrsek, kOkrsek.Okrsek);
    EXPECT_EQ(back.record.T2.T2KC_2, 129996);
    EXPECT_EQ(back.record.T2.ZaskrtStrany, typed.T2.ZaskrtStrany);
    for (const int p : {1, 2, 3, 7, 45})
        EXPECT_TRUE(back.record.VyslStran(p) == typed.VyslStran(p)) << p;
    EXPECT_EQ(back.record.Clenove, typed.Clenove);
    EXPECT_EQ(back.record.Hlaso.DuvodOdroc, typed.Hlaso.DuvodOdroc);
    EXPECT_EQ(back.record.Hlaso.Zapisovat, typed.Hlaso.Zapisovat);
    EXPECT_EQ(back.jmenaKomise, jmena);

    // Nobody can take it for a data file: not by its name, nor by its
    // content under a data file's name.
    const QRegularExpression dataFileName(QStringLiteral("^[OEP]E.*\\.[0-9]{5}$"),
                                          QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(dataFileName.match(QString::fromLatin1(kRecoveryFileName)).hasMatch());
    const QByteArray plain =
        loadSealed(inst.dirs().config, recoveryCopyPath(), QByteArray(kKlicDatovychSouboru));
    for (const char kind : {kKindO, kKindE}) {
        TPrecinctRecord r;
        EXPECT_THROW(lineToRecord(plain, kind, r), ConvertError);
    }

    removeRecoveryCopy();
    EXPECT_FALSE(recoveryCopyExists());
    EXPECT_NO_THROW(removeRecoveryCopy());
}

TEST(RecoveryCopy, ADamagedCopyIsRefusedNamingTheFile) {
    TestInstall inst;
    const QByteArray good = recoveryContent(kOkrsek, typedRecord(), {QStringLiteral("Eva")});
    auto replaced = [&](const char* from, const char* to) {
        return QByteArray(good).replace(from, to);
    };
    const QByteArray sealed = sealBytes(packContainer(good), QByteArray(kKlicDatovychSouboru));
    const struct {
        const char* name;
        QByteArray content; // sealed unless `raw`
        bool raw = false;
    } cases[] = {
        {"empty file", {}, true},
        {"not sealed", good, true},
        {"sealed text cut short", sealed.left(sealed.size() / 2), true},
        {"not a copy", "Q7m#Xr2/vK9*pL4w"},
        {"no end line", good.left(good.indexOf("KONEC"))},
        {"something after the end", good + "K=Eva\n"},
        {"a field the record does not have", replaced("T2.PlatneHlasy=", "T2.Hlasy=")},
        {"not a number", replaced("T2.ZapsOsoby=99999", "T2.ZapsOsoby=9x")},
        {"beyond 16 bits", replaced("S1.PocHl=9001", "S1.PocHl=65536")},
        {"a party the record has no sheet for", replaced("S3.", "S61.")},
        {"a bad escape", replaced("K=Eva", "K=E\\va")},
        {"sections cut short", replaced("HLASO=", "HLASO=AAAA")},
    };
    for (const auto& c : cases) {
        QFile f(inst.dirs().config + QStringLiteral("OBNOVA.DAT"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.raw ? c.content
                      : sealBytes(packContainer(c.content), QByteArray(kKlicDatovychSouboru)));
        f.close();
        try {
            readRecoveryCopy();
            ADD_FAILURE() << c.name << ": read";
        } catch (const InOutError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("OBNOVA.DAT"))) << c.name;
        }
    }
}

TEST(RecoveryCopy, ItIsNewerOnlyWhenWrittenAfterTheNewestDataFile) {
    TestInstall inst;
    const QDateTime now = QDateTime::currentDateTime();
    struct File {
        char kind;
        int age; // seconds before now
    };
    const struct {
        const char* name;
        int copyAge;
        QList<File> data;
        bool newer;
    } cases[] = {
        {"no data file", 10, {}, true},
        {"entered file older", 10, {{kKindE, 20}}, true},
        {"entered file newer", 10, {{kKindE, 5}}, false},
        {"written in the same moment", 10, {{kKindE, 10}}, false},
        {"checked file newer, entered older", 10, {{kKindO, 5}, {kKindE, 30}}, false},
        {"both older", 10, {{kKindO, 15}, {kKindE, 30}}, true},
        {"a file of the kind we never write, newer", 10, {{kKindP, 1}, {kKindE, 30}}, false},
    };
    for (const auto& c : cases) {
        for (const char kind : {kKindO, kKindE, kKindP})
            QFile::remove(dataFilePath(kind, kOkrsek));
        auto stamp = [&](const QString& path, int age) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_TRUE(f.setFileTime(now.addSecs(-age), QFileDevice::FileModificationTime));
        };
        stamp(recoveryCopyPath(), c.copyAge);
        for (const File& d : c.data)
            stamp(dataFilePath(d.kind, kOkrsek), d.age);
        EXPECT_EQ(isNewerThanData(recoveryCopyTime(), newestDataFileTime(kOkrsek)), c.newer)
            << c.name;
    }
    QFile::remove(recoveryCopyPath());
    EXPECT_FALSE(isNewerThanData(recoveryCopyTime(), std::nullopt));
}

} // namespace
