// The recovery copy: what the commission typed since the last save survives
// a crash, a kill or a power cut, and comes back only when asked for.
#include "EntryFixture.h"

#include "entry/AnnexPage.h"
#include "entry/CommissionPage.h"
#include "entry/RecoveryWriter.h"
#include "entry/SectionOnePage.h"
#include "store/PrecinctDataFile.h"
#include "store/RecoveryCopy.h"
#include "ui/ColourStringGrid.h"
#include "ui/EntryEdit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

#include <csignal>
#include <vector>

using namespace urn;
using namespace urn::test;

namespace {

// The event loop over the throttle: changes at the given times, each write
// running when due (before a change of the same moment).
std::vector<qint64> writesFor(const std::vector<qint64>& changes) {
    WriteThrottle throttle(1000);
    std::vector<qint64> writes;
    std::optional<qint64> due;
    for (const qint64 t : changes) {
        if (due && *due <= t) {
            throttle.written(*due);
            writes.push_back(*due);
        }
        if (const std::optional<qint64> d = throttle.change(t))
            due = d;
    }
    if (throttle.pending()) {
        throttle.written(*due);
        writes.push_back(*due);
    }
    return writes;
}

TEST(WriteThrottle, AtMostOnceASecondAndTheLastChangeAlwaysWritten) {
    std::vector<qint64> typing; // a value every 150 ms for three seconds
    for (qint64 t = 0; t < 3000; t += 150)
        typing.push_back(t);
    const struct {
        const char* name;
        std::vector<qint64> changes;
        std::vector<qint64> writes;
    } cases[] = {
        {"one value, written at once", {0}, {0}},
        {"values within the second, written together at its end", {0, 10, 400, 999}, {0, 1000}},
        {"a value after a quiet second, at once", {0, 1000}, {0, 1000}},
        {"a pause, then at once again", {0, 2500, 2600, 5000}, {0, 2500, 3500, 5000}},
        {"a change at the moment of a write, in the next one", {0, 500, 1000}, {0, 1000, 2000}},
        {"steady typing", typing, {0, 1000, 2000, 3000}},
    };
    for (const auto& c : cases) {
        const std::vector<qint64> writes = writesFor(c.changes);
        EXPECT_EQ(writes, c.writes) << c.name;
        for (size_t i = 1; i < writes.size(); ++i)
            EXPECT_GE(writes[i] - writes[i - 1], 1000) << c.name;
        EXPECT_GE(writes.back(), c.changes.back()) << c.name;
    }
}

class Recovery : public EntryTest {
protected:
    QString copyPath() const { return inst.dirs().config + QString::fromLatin1(kRecoveryFileName); }
    bool copyExists() const { return QFileInfo::exists(copyPath()); }
    // The data directory's files, as the receiving point and the next
    // opening would read them.
    QMap<QString, QByteArray> dataFiles() const {
        QMap<QString, QByteArray> files;
        const QDir d(inst.dirs().data);
        for (const QString& name : d.entryList(QDir::Files))
            files[name] = inst.readFile(d.filePath(name));
        return files;
    }
    QString question() const {
        return QString::fromUtf8(TR_Vstupni_Form::kOtazkaObnova)
            .arg(QFileInfo(copyPath())
                     .lastModified()
                     .toString(QStringLiteral("d. M. yyyy H:mm:ss")));
    }
    void writeCopy(const QByteArray& bytes) const {
        QFile f(copyPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    bool copyIsCurrent() const { return copyExists() && !okno->obnova()->pending(); }
};

TEST_F(Recovery, TheCopyFollowsTheTypingAndGoesWhenThePageIsSavedOrTheWindowClosed) {
    saveRecord(kKindE, {1});
    const struct {
        const char* name;
        std::function<void()> leave;
        bool kept;
    } cases[] = {
        {"page change", [&] { key(Qt::Key_PageDown); }, false},
        {"Uložit", [&] { key(Qt::Key_F2); }, false},
        {"Zrušit, Ano", [&] { closeWithoutSaving(); }, false},
        {"Zrušit, Ne",
         [&] {
             dlg.answers = {false};
             key(Qt::Key_Escape);
         },
         true},
    };
    int minute = 0;
    for (const auto& c : cases) {
        open();
        const QMap<QString, QByteArray> before = dataFiles();
        ASSERT_TRUE(focused("R_SEdZahajeno1")) << c.name;
        // Times the files do not hold yet (a save of the case before may
        // have kept the last ones).
        const QString opened = QStringLiteral("7:%1").arg(++minute, 2, 10, QLatin1Char('0'));
        const QString closed = QStringLiteral("22:%1").arg(minute, 2, 10, QLatin1Char('0'));
        field(opened);
        ASSERT_SOON(copyIsCurrent()) << c.name;
        EXPECT_EQ(readRecoveryCopy().record.Hlaso.Zahajeno1, opened) << c.name;
        // Within the same second: written when the second is over.
        field(closed);
        EXPECT_SOON(copyIsCurrent() && readRecoveryCopy().record.Hlaso.Ukonceno1 == closed)
            << c.name;
        EXPECT_EQ(dataFiles(), before) << c.name;

        c.leave();
        EXPECT_EQ(copyExists(), c.kept) << c.name;
        if (okno->isVisible() && !c.kept)
            closeWithoutSaving();
    }
}

TEST_F(Recovery, LookingThroughTheRecordOrChangingBackLeavesNoCopy) {
    saveRecord(kKindE, {1});
    open();
    for (int i = 0; i < 4; ++i)
        enter(); // the four times, left as they were
    ASSERT_TRUE(focused("R_OdrocNRB"));
    ASSERT_SOON(!okno->obnova()->pending());
    EXPECT_FALSE(copyExists());
    key(Qt::Key_Right); // adjourned: a change, kept at once
    ASSERT_SOON(copyIsCurrent());
    key(Qt::Key_Left); // and back: nothing left to recover
    EXPECT_SOON(!okno->obnova()->pending() && !copyExists());
}

TEST_F(Recovery, RestoredNamesAndSectionThreeAreBackOnTheirPage) {
    saveRecord(kKindE, {1});
    open();
    key(Qt::Key_PageUp); // section III
    ASSERT_TRUE(focused("R_SEdClenuOVKC"));
    enter();
    enter();
    field(QStringLiteral("Marie Dvořáková"));
    ASSERT_TRUE(focused("R_JmenaKomise_SG"));
    type(QStringLiteral("Eva Malá-Nová")); // typed over the saved name
    ASSERT_SOON(copyIsCurrent() &&
                readRecoveryCopy().jmenaKomise.value(0) == QStringLiteral("Eva Malá-Nová"));
    const QByteArray copy = inst.readFile(copyPath());
    dlg.answers = {true}; // "Zrušit" (Esc stays in the name being typed)
    okno->zrusitBtnClick();
    ASSERT_SOON(!okno->isVisible());
    EXPECT_FALSE(copyExists());

    writeCopy(copy); // as if the window had never been closed
    const QString asked = question();
    dlg.answers = {true};
    open();
    ASSERT_EQ(dlg.shown.size(), 2);
    EXPECT_EQ(dlg.shown[1].kind, QStringLiteral("ask"));
    EXPECT_EQ(dlg.shown[1].caption, QStringLiteral("Vstup dat za okrsek"));
    EXPECT_EQ(dlg.shown[1].text, asked);
    // "Ne" would discard the typing: Enter keeps it.
    EXPECT_EQ(dlg.shown[1].defaultAnswer, DefaultAnswer::Ano);
    key(Qt::Key_PageUp);
    CommissionPage* komise = okno->strankaKomise();
    EXPECT_EQ(komise->R_SEdZapisovat()->text(), QStringLiteral("Marie Dvořáková"));
    EXPECT_EQ(komise->R_JmenaKomise_SG()->Cells(1, 1), QStringLiteral("Eva Malá-Nová"));
    EXPECT_EQ(komise->R_JmenaKomise_SG()->Cells(1, 2), QStringLiteral("Ivan Velký"));
}

TEST_F(Recovery, ACopyThatCannotBeUsedIsReportedAndDiscarded) {
    TPrecinctRecord typed;
    typed.Hlaso.Zahajeno1 = QStringLiteral("6:59");
    const QByteArray ours = recoveryContent({QStringLiteral("582786"), 2}, typed, {});
    const struct {
        const char* name;
        std::function<void()> make;
        const char* says;
    } cases[] = {
        {"older than the data file",
         [&] {
             writeRecoveryCopy(ours);
             QFile f(copyPath());
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.setFileTime(QFileInfo(fileName(kKindE)).lastModified().addSecs(-60),
                           QFileDevice::FileModificationTime);
         },
         "data okrsku byla později uložena znovu"},
        {"another precinct",
         [&] {
             writeRecoveryCopy(recoveryContent({QStringLiteral("500011"), 3}, typed, {}));
         },
         "patří jinému okrsku (obec 500011, okrsek 3)"},
        {"damaged", [&] { writeCopy("URNARIUM OBNOVA 1\n"); }, "nelze obnovit"},
        {"cut short", [&] { writeRecoveryCopy(ours.left(ours.size() / 2)); }, "nelze obnovit"},
    };
    saveRecord(kKindE, {1});
    for (const auto& c : cases) {
        c.make();
        dlg.shown.clear();
        open();
        ASSERT_EQ(dlg.shown.size(), 1) << c.name;
        EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn")) << c.name;
        EXPECT_TRUE(dlg.shown[0].text.contains(QString::fromUtf8(c.says)))
            << c.name << ": " << dlg.shown[0].text.toStdString();
        EXPECT_FALSE(copyExists()) << c.name;
        EXPECT_EQ(okno->strankaOddI()->R_SEdZahajeno1()->text(), QString()) << c.name;
        closeWithoutSaving();
    }
}

// The configuration directory cannot take the copy while the commission
// types: it is replaced by a file, which stops every write even for root
// (a read-only directory would not stop root, under which the tests may
// run), and put back later.
TEST_F(Recovery, ACopyThatCannotBeWrittenIsToldOnceAndTypingGoesOn) {
    saveRecord(kKindE, {1});
    const QString config = inst.root() + QStringLiteral("konfigurace");
    const QString aside = config + QStringLiteral(".stranou");
    ASSERT_TRUE(QDir().mkpath(config));
    ASSERT_TRUE(QFile::copy(inst.dirs().config + QStringLiteral("STANICE.RCD"),
                            config + QStringLiteral("/STANICE.RCD")));
    InstallDirs dirs = inst.dirs();
    dirs.config = config + QLatin1Char('/');
    setInstallDirs(dirs);
    const QString copy = dirs.config + QString::fromLatin1(kRecoveryFileName);
    open();
    ASSERT_TRUE(focused("R_SEdZahajeno1"));

    ASSERT_TRUE(QDir().rename(config, aside));
    inst.writeProgramFile(QStringLiteral("konfigurace"), "not a directory");
    field(QStringLiteral("7:01"));
    ASSERT_SOON(!dlg.shown.isEmpty());
    field(QStringLiteral("22:01"));
    ASSERT_SOON(!okno->obnova()->pending());
    enter();
    enter();
    ASSERT_TRUE(focused("R_OdrocNRB"));
    key(Qt::Key_Right); // adjourned: one change more
    ASSERT_SOON(!okno->obnova()->pending());
    ASSERT_EQ(dlg.shown.size(), 1) << "one warning, none at the later changes";
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Vstup dat za okrsek"));
    const QString text = dlg.shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Zálohu rozepsaných změn nelze zapsat:\r")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(config)) << "names where: " << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("Změny na této záložce se na disk uloží až při "
                                             "přechodu na jinou záložku nebo tlačítkem "
                                             "„Uložit“.")))
        << text.toStdString();
    // The typing went on: every value is in its field and the focus moved on.
    EXPECT_EQ(named<TSEdit>("R_SEdZahajeno1")->text(), QStringLiteral("7:01"));
    EXPECT_EQ(named<TSEdit>("R_SEdUkonceno1")->text(), QStringLiteral("22:01"));
    EXPECT_TRUE(focused("R_OdrocBRB"));
    EXPECT_TRUE(okno->isVisible());

    // Writable again: the next change is kept, and the page change saves.
    ASSERT_TRUE(QFile::remove(config));
    ASSERT_TRUE(QDir().rename(aside, config));
    key(Qt::Key_Left); // not adjourned after all
    ASSERT_SOON(QFileInfo::exists(copy) && !okno->obnova()->pending());
    EXPECT_EQ(readRecoveryCopy().record.Hlaso.Ukonceno1, QStringLiteral("22:01"));
    key(Qt::Key_PageDown);
    EXPECT_FALSE(QFileInfo::exists(copy)) << "the save takes the copy's place";
    const TPrecinctRecord saved = loadFile(kKindE);
    EXPECT_EQ(saved.Hlaso.Zahajeno1, QStringLiteral("7:01"));
    EXPECT_EQ(saved.Hlaso.Ukonceno1, QStringLiteral("22:01"));
    EXPECT_EQ(saved.Hlaso.Odroc, QStringLiteral("N"));
    EXPECT_EQ(dlg.shown.size(), 1) << dlg.shown.last().text.toStdString();
    closeWithoutSaving();
}

// The window typed into in another process, killed with SIGKILL in the middle
// of the Annex 1 page, then opened here on the same installation.
TEST_F(Recovery, TypingEndedByKillNineComesBackOnAnoAndGoesOnNe) {
    saveRecord(kKindE, {1, 3});
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(URNARIUM_RECOVERY_CHILD), {inst.root()});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            out += child.readAllStandardOutput();
            return out.contains("READY") || child.state() == QProcess::NotRunning;
        },
        120000));
    ASSERT_TRUE(out.contains("READY")) << "child ended with " << child.exitCode();
    const QMap<QString, QByteArray> saved = dataFiles();
    ASSERT_EQ(::kill(pid_t(child.processId()), SIGKILL), 0);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(copyExists());
    const QByteArray copy = inst.readFile(copyPath());

    // "Ne": the saved data, and the copy is gone.
    QString asked = question();
    open();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, asked);
    EXPECT_FALSE(copyExists());
    EXPECT_EQ(rec().VyslStran(1).PocHl, 515);
    EXPECT_EQ(dataFiles(), saved);
    closeWithoutSaving();

    // "Ano" to the same copy: the typed values are back, unsaved.
    writeCopy(copy);
    asked = question();
    dlg.answers = {true};
    open();
    ASSERT_EQ(dlg.shown.size(), 3);
    EXPECT_EQ(dlg.shown[2].text, asked);
    const TPrecinctRecord& r = rec();
    EXPECT_EQ(r.VyslStran(1).PocHl, 300);
    EXPECT_EQ(r.VyslStran(1).pref(1), 40);
    EXPECT_EQ(r.VyslStran(1).pref(3), 20);
    EXPECT_EQ(r.VyslStran(3).PocHl, 215);
    EXPECT_EQ(r.VyslStran(3).pref(1), 7);
    EXPECT_EQ(r.VyslStran(3).pref(2), 0); // typed, never left: not stored
    EXPECT_EQ(dataFiles(), saved);
    EXPECT_TRUE(copyExists());

    // On screen, and saved by the next page change as usual.
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    ASSERT_EQ(page(), 2);
    AnnexPage* priloha = okno->strankaPrilohy();
    EXPECT_EQ(priloha->R_EdPocHl()->text(), QStringLiteral("300"));
    EXPECT_EQ(priloha->prefPole(1)->text(), QStringLiteral("40"));
    EXPECT_EQ(priloha->prefPole(3)->text(), QStringLiteral("20"));
    EXPECT_FALSE(copyExists());
    const TPrecinctRecord onDisk = loadFile(kKindE);
    EXPECT_EQ(onDisk.VyslStran(1).PocHl, 300);
    EXPECT_EQ(onDisk.VyslStran(3).pref(1), 7);
}

} // namespace
