#include "FakeDialogs.h"
#include "TestInstall.h"
#include "app/AboutWindow.h"
#include "app/HelpWindow.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "checks/CheckSequence.h"
#include "checks/PrecinctSession.h"
#include "core/Errors.h"
#include "entry/DataEntryWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/RecoveryCopy.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/PrinterChoice.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace urn;
using test::FakeDialogs;
using test::TestInstall;

namespace {
// A complete single-station installation in a temporary directory.
struct Installation : TestInstall {
    Installation() {
        writeStanice(test::sampleStanice());
        writeProgramFile(QStringLiteral("stanice.rcd"), test::sampleStanice().toRecord());
        writeProgramFile(QStringLiteral("CISCHYB.RCD"), QByteArray());
    }
    QString exe() const { return dirs().program + QStringLiteral("urnarium"); }
};

// Answers whatever modal window opens: records its caption and closes it.
struct ModalCloser : QObject {
    QStringList seen;
    QList<qint64> at;
    QElapsedTimer clock;
    QTimer poll;
    ModalCloser() {
        clock.start();
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [this] {
            if (QWidget* m = QApplication::activeModalWidget()) {
                seen << m->windowTitle();
                at << clock.elapsed();
                m->close();
            }
        });
        poll.start();
    }
};

// Receives the help file instead of the desktop's handler.
struct UrlCatcher : QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
public slots:
    void open(const QUrl& url) { opened << url; }
};

void open(TQZ_menu& w) {
    w.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
} // namespace

TEST(StatusLine, TextsAreCutAsTheStatusLineWants) {
    TStanice s = test::sampleStanice();
    EXPECT_EQ(statusObecText(s), QStringLiteral("Obec: 582786 - Bílá Lhota u Kamenice"));
    EXPECT_EQ(statusOkrsekText(s), QStringLiteral("Okrsek: 2"));
    s.Obec = QStringLiteral("12");
    s.NazevObce = QString(40, QLatin1Char('N'));
    EXPECT_EQ(statusObecText(s), QStringLiteral("Obec: 12 - ") + QString(40, QLatin1Char('N')));
    s.Obec = QStringLiteral("1234567");
    EXPECT_EQ(statusObecText(s).left(15), QStringLiteral("Obec: 123456 - "));
    s.Obec = QStringLiteral("123456");
    s.NazevObce = QString(50, QLatin1Char('x'));
    EXPECT_EQ(statusObecText(s).size(), 55);
    s.Okrsek = 12345;
    EXPECT_EQ(statusOkrsekText(s), QStringLiteral("Okrsek: 12345"));
}

TEST(MainWindow, RefusedStartsShowTheirMessageWithTheStartupCaption) {
    struct Case {
        QStringList params;
        const char* text;
    };
    const Case cases[] = {
        {{}, kMsgNoParameter},
        {{QStringLiteral("a"), QStringLiteral("b")}, kMsgNoParameter},
        {{QStringLiteral("123")}, kMsgMissingConfig},
        {{QStringLiteral("../..")}, kMsgMissingConfig},
        {{QString()}, kMsgMissingConfig},
    };
    for (const Case& c : cases) {
        TestInstall inst; // no stanice.rcd beside the program
        FakeDialogs dlg;
        PrecinctSession session;
        TQZ_menu w(session, inst.dirs().program + QStringLiteral("urnarium"), c.params);
        EXPECT_TRUE(w.refused());
        ASSERT_EQ(dlg.shown.size(), 1);
        EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
        EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Spuštění aplikace"));
        EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(c.text));
    }
}

TEST(MainWindow, OpensWithCaptionMenuAndStatusLine) {
    Installation inst;
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    ASSERT_FALSE(w.refused());
    EXPECT_EQ(installDirs().data, inst.dirs().program + QStringLiteral("data/"));
    open(w);
    EXPECT_TRUE(dlg.shown.isEmpty());
    EXPECT_TRUE(w.opened());
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8(kCaptionMainWindow));
    EXPECT_EQ(w.centralWidget()->size(), QSize(714, 610));
    EXPECT_EQ(w.statusObec(), QStringLiteral("Obec: 582786 - Bílá Lhota u Kamenice"));
    EXPECT_EQ(w.statusOkrsek(), QStringLiteral("Okrsek: 2"));
    EXPECT_EQ(session.Stanice.Okrsek, 2);
    EXPECT_FALSE(session.Workflow.KontrolyOK);

    const QList<QAction*> menus = w.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("Okrsek     "));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Nápověda"));
    struct Item {
        const char* name;
        const char* text;
        QKeySequence key;
    };
    const Item items[] = {
        {"PorizeniDat_MI", "&Pořízení a oprava dat", QKeySequence(Qt::Key_F2)},
        {"Kontroly_MI", "&Kontroly", QKeySequence(Qt::Key_F3)},
        {"ExportTisk_MI", "&Export dat a tisk zápisu", QKeySequence(Qt::Key_F4)},
        {"ScitaciArch_MI", "&Sčítací arch", {}},
        {"ZruseniDat_MI", "Zrušení pořízených dat", {}},
        {"VyberTiskarny_MI", "Výběr tiskárny", {}},
        {"Konec_MI", "K&onec", {}},
        {"Napoveda_MI", "&Nápověda", {}},
        {"OProgramu_MI", "&O programu", {}},
        {"ZkusebniTisk_MI", "&Zkušební tisk", {}},
    };
    for (const Item& i : items) {
        QAction* a = w.action(QLatin1String(i.name));
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(i.text));
        EXPECT_EQ(a->shortcut(), i.key) << i.name;
    }
    EXPECT_TRUE(w.action(QStringLiteral("Konec_MI"))->isEnabled());
}

TEST(MainWindow, MissingStationFileIsReportedAndCommandsStayDisabled) {
    Installation inst;
    QFile::remove(inst.dirs().data + QStringLiteral("STANICE.RCD"));
    FakeDialogs dlg;
    const int lastNet = exceptionsCaughtByLastNet();
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(dlg.shown[0].text.contains(QStringLiteral("STANICE.RCD")));
    EXPECT_EQ(exceptionsCaughtByLastNet(), lastNet) << "reported at the opening's own boundary";
    EXPECT_FALSE(w.opened());
    EXPECT_FALSE(w.action(QStringLiteral("Kontroly_MI"))->isEnabled());
    EXPECT_TRUE(w.action(QStringLiteral("Konec_MI"))->isEnabled());
}

TEST(MainWindow, ClosingAsksAndNoKeepsTheWindowOpen) {
    Installation inst;
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    dlg.answers = {false};
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Ukončení programu"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Opravdu ukončit program?"));
    dlg.answers = {true};
    w.action(QStringLiteral("Konec_MI"))->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST(GeneralErrorHandler, AGuardedSlotReportsItsErrorAtItsOwnBoundary) {
    FakeDialogs dlg;
    struct Target : QObject {
        void fail() { throw InOutError(QStringLiteral("Soubor „X.RCD“ nebyl nalezen.")); }
    } target;
    const int lastNet = exceptionsCaughtByLastNet();
    QObject::connect(&target, &QObject::objectNameChanged, &target,
                     guarded(&target, &Target::fail));
    QMetaObject::invokeMethod(
        &target, [&] { target.setObjectName(QStringLiteral("x")); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("QZ - okrskový program"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Soubor „X.RCD“ nebyl nalezen."));
    EXPECT_EQ(exceptionsCaughtByLastNet(), lastNet) << "nothing crossed Qt's event delivery";
}

TEST(MainWindow, EveryCommandIsEnabledAfterASuccessfulOpening) {
    Installation inst;
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    struct Item {
        const char* name;
        bool enabled;
    };
    const Item items[] = {
        {"PorizeniDat_MI", true},  {"ExportTisk_MI", true},    {"ScitaciArch_MI", true},
        {"ZkusebniTisk_MI", true}, {"VyberTiskarny_MI", true}, {"Konec_MI", true},
        {"ZruseniDat_MI", true},   {"Kontroly_MI", true},      {"Napoveda_MI", true},
        {"OProgramu_MI", true},
    };
    for (const Item& i : items)
        EXPECT_EQ(w.action(QLatin1String(i.name))->isEnabled(), i.enabled) << i.name;
}

TEST(MainWindow, DataEntryAsksAfterAnExportAndOpensTheEntryWindow) {
    Installation inst;
    inst.writeOkrsky({{"582786", "Bílá Lhota u Kamenice", "1", "3", "3703", "Tábor"}});
    inst.writeStrany({{"1", "Strana první", "3"}});
    inst.writeKandidati({{"1", "1", "Jan", "Novák", "A"}});
    TStanice st = test::sampleStanice();
    st.Stav = QStringLiteral("A");
    inst.writeStanice(st);
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    TR_Vstupni_Form vstup(session, &w);
    AppWindows windows;
    windows.vstup = &vstup;
    w.setWindows(windows);
    open(w);
    EXPECT_EQ(vstup.windowTitle(),
              QStringLiteral("Vstup dat za okrsek - ") + QString::fromUtf8(kCaptionMainWindow));
    QAction* f2 = w.action(QStringLiteral("PorizeniDat_MI"));
    ASSERT_TRUE(f2->isEnabled());
    // The entry window's page keys are its own: enabling the menu leaves
    // them alone.
    for (const char* name : {"PageDownMI", "PageUpMI", "KCisloMI1"})
        EXPECT_TRUE(vstup.akce(name)->isEnabled()) << name;

    // "Ne" to the question after an export: nothing happens.
    f2->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Vstup dat za okrsek"));
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(kOtazkaZnovuUpravovat));
    EXPECT_FALSE(vstup.isVisible());

    // "Ano": the window opens on the station's precinct; closed without
    // saving, it leaves no data behind.
    dlg.answers = {true, true};
    bool seen = false;
    TAktOkrsek okrsekVOkne;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!vstup.isVisible() || seen)
            return;
        seen = true;
        okrsekVOkne = session.AktOkrsek;
        vstup.reject();
    });
    poll.start();
    f2->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(okrsekVOkne.Obec, QStringLiteral("582786"));
    EXPECT_EQ(okrsekVOkne.Okrsek, 2);
    EXPECT_FALSE(vstup.isVisible());
    ASSERT_EQ(dlg.shown.size(), 3);
    EXPECT_EQ(dlg.shown[2].text, QString::fromUtf8(TR_Vstupni_Form::kOtazkaZavrit));
    EXPECT_FALSE(dataFileExists(kKindE, {QStringLiteral("582786"), 2}));

    // Not exported any more: no question.
    session.Stanice.Stav = QStringLiteral("N");
    dlg.answers = {true};
    seen = false;
    f2->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(dlg.shown.size(), 4);
}

TEST(MainWindow, CountingSheetReadsThePartyListAndReportsAMissingOne) {
    Installation inst; // no STRANY.RCD
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    session.AktOkrsek = {};
    w.action(QStringLiteral("ScitaciArch_MI"))->trigger();
    // The sheet is for the station's precinct.
    EXPECT_EQ(session.AktOkrsek.Obec, session.Stanice.Obec.left(6));
    EXPECT_EQ(session.AktOkrsek.Okrsek, session.Stanice.Okrsek);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("error"));
    EXPECT_TRUE(dlg.shown[0].text.contains(QStringLiteral("STRANY.RCD")))
        << dlg.shown[0].text.toStdString();
    EXPECT_TRUE(w.isVisible());
}

TEST(MainWindow, InformationWindowAppearsOnceAboutASecondAfterTheStart) {
    Installation inst;
    FakeDialogs dlg;
    // Its clock starts before the window's timer does.
    ModalCloser closer;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    TZ_Info_F info(&w);
    TZ_OProgramu_F about(&w);
    AppWindows windows;
    windows.info = &info;
    windows.oProgramu = &about;
    w.setWindows(windows);
    open(w);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !closer.seen.isEmpty(); }, 5000));
    ASSERT_EQ(closer.seen, QStringList{QStringLiteral("Informace")});
    // Once: the timer has stopped itself.
    EXPECT_FALSE(w.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_GE(closer.at[0], 900);
    EXPECT_LE(closer.at[0], 2600); // late only on a loaded machine

    w.action(QStringLiteral("OProgramu_MI"))->trigger();
    EXPECT_EQ(closer.seen.last(), QStringLiteral("O programu"));
    EXPECT_EQ(closer.seen.size(), 2);
}

TEST(MainWindow, HelpShowsTheGuideInItsOwnWindowWithoutABrowserOrSaysItIsMissing) {
    Installation inst;
    FakeDialogs dlg;
    UrlCatcher urls; // the desktop's handler, which may be missing or fail
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    QAction* help = w.action(QStringLiteral("Napoveda_MI"));
    help->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Nápověda"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Soubor nápovědy „Urnarium.html“ nebyl nalezen "
                                                "v adresáři programu.\rNápovědu nelze zobrazit."));
    EXPECT_FALSE(w.helpWindow()->isVisible());

    // Found whatever the case of its name, and shown by the program.
    inst.writeProgramFile(QStringLiteral("urnarium.HTML"),
                          "<html><body><h1>Příručka pro komisi</h1></body></html>");
    help->trigger();
    EXPECT_EQ(dlg.shown.size(), 1);
    EXPECT_TRUE(urls.opened.isEmpty());
    HelpWindow* window = w.helpWindow();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Nápověda"));
    EXPECT_EQ(window->browser()->source(),
              QUrl::fromLocalFile(inst.dirs().program + QStringLiteral("urnarium.HTML")));
    EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Příručka pro komisi")));
}

TEST(MainWindow, PrinterChoiceOpensThePrintDialogOnTheSharedPrinter) {
    Installation inst;
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    QStringList buttons;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        poll.stop();
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Výběr tiskárny"));
        EXPECT_EQ(d->printer(), &vybranaTiskarna());
        EXPECT_TRUE(d->testOption(QAbstractPrintDialog::PrintToFile));
        for (const QPushButton* b : d->findChildren<QPushButton*>())
            buttons << b->text();
        d->reject();
    });
    poll.start();
    w.action(QStringLiteral("VyberTiskarny_MI"))->trigger();
    EXPECT_TRUE(buttons.contains(QStringLiteral("OK")));
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST(MainWindow, DeleteRemovesTheCheckedDataFirstAndOnlyAfterYes) {
    const QString notEntered = QStringLiteral("Data nejsou pořízena!");
    const QString question = QStringLiteral("Opravdu chcete zrušit pořízená data?");
    const QString done = QStringLiteral("Data jsou zrušena.");
    struct Case {
        const char* name;
        QString present; // kinds of data file present
        bool answer;
        QStringList texts; // what the user is told or asked, in order
        QString left;      // kinds present afterwards
    };
    const Case cases[] = {
        {"nothing entered", QString(), true, {notEntered}, QString()},
        {"both kinds", QStringLiteral("EO"), true, {question, done}, QStringLiteral("E")},
        {"entered only", QStringLiteral("E"), true, {question, done}, QString()},
        {"checked only", QStringLiteral("O"), true, {question, done}, QString()},
        {"answered no", QStringLiteral("EO"), false, {question}, QStringLiteral("EO")},
    };
    for (const Case& c : cases) {
        Installation inst;
        FakeDialogs dlg;
        PrecinctSession session;
        TQZ_menu w(session, inst.exe(), {});
        open(w);
        const TAktOkrsek station{QStringLiteral("582786"), 2};
        for (QChar kind : c.present)
            inst.writeDataFile(dataFileName(kind.toLatin1(), station), "sealed data");
        inst.writeDataFile(QStringLiteral("HLASO.RCD"), "hlaso");
        const QString obnova = inst.dirs().config + QString::fromLatin1(kRecoveryFileName);
        ASSERT_TRUE(QFile(obnova).open(QIODevice::WriteOnly));
        session.Workflow.DataOK = true;
        dlg.answers = {c.answer};

        w.action(QStringLiteral("ZruseniDat_MI"))->trigger();

        QStringList texts;
        for (const FakeDialogs::Shown& s : dlg.shown) {
            texts << s.text;
            EXPECT_EQ(s.caption, QStringLiteral("Rušení dat")) << c.name;
            EXPECT_EQ(s.kind,
                      s.text == question ? QStringLiteral("ask") : QStringLiteral("inform"));
        }
        EXPECT_EQ(texts, c.texts) << c.name;
        QString left;
        for (char kind : {'E', 'O'})
            if (QFile::exists(inst.dirs().data + dataFileName(kind, station)))
                left += QLatin1Char(kind);
        EXPECT_EQ(left, c.left) << c.name;
        EXPECT_TRUE(QFile::exists(inst.dirs().data + QStringLiteral("HLASO.RCD")));
        // Unsaved changes of an interrupted entry go with the data.
        EXPECT_EQ(QFile::exists(obnova), texts.size() < 2) << c.name;
        EXPECT_EQ(session.Workflow.DataOK, !c.present.isEmpty()) << c.name;
        EXPECT_EQ(session.Stanice.Stav, QStringLiteral("N"));
    }
}

TEST(MainWindow, DeleteThatCannotRemoveTheFileSaysSo) {
    Installation inst;
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    // A directory in the way of the file's name cannot be deleted as data.
    const QString name = dataFileName('O', TAktOkrsek{QStringLiteral("582786"), 2});
    ASSERT_TRUE(QDir(inst.dirs().data).mkdir(name));
    dlg.answers = {true};
    w.action(QStringLiteral("ZruseniDat_MI"))->trigger();
    ASSERT_EQ(dlg.shown.size(), 2);
    EXPECT_EQ(dlg.shown[1].kind, QStringLiteral("inform"));
    EXPECT_EQ(dlg.shown[1].text, QStringLiteral("Data se nepovedlo zrušit!"));
    EXPECT_TRUE(QFileInfo::exists(inst.dirs().data + name));

    // Nor are data deleted while unsaved changes of theirs that could not
    // go would be offered back at the next entry.
    ASSERT_TRUE(QDir(inst.dirs().data).rmdir(name));
    inst.writeDataFile(name, "sealed data");
    ASSERT_TRUE(QDir(inst.dirs().config).mkdir(QString::fromLatin1(kRecoveryFileName)));
    dlg.shown.clear();
    dlg.answers = {true};
    w.action(QStringLiteral("ZruseniDat_MI"))->trigger();
    ASSERT_EQ(dlg.shown.size(), 3);
    EXPECT_EQ(dlg.shown[1].kind, QStringLiteral("warn"));
    EXPECT_TRUE(dlg.shown[1].text.contains(QString::fromLatin1(kRecoveryFileName)));
    EXPECT_EQ(dlg.shown[2].text, QStringLiteral("Data se nepovedlo zrušit!"));
    EXPECT_TRUE(QFileInfo::exists(inst.dirs().data + name));
}

TEST(MainWindow, AFailingCommandIsReportedAndTheWindowGoesOn) {
    Installation inst;
    TStanice s = test::sampleStanice();
    s.Obec = QStringLiteral("../..");
    inst.writeStanice(s);
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    ASSERT_TRUE(w.opened());
    w.action(QStringLiteral("ZruseniDat_MI"))->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("error"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("QZ - okrskový program"));
    EXPECT_FALSE(dlg.shown[0].text.isEmpty());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.action(QStringLiteral("ZruseniDat_MI"))->isEnabled());
}

namespace {
// An installation in which the check run can read every table (all empty:
// whatever is checked against them fails).
struct CheckInstallation : Installation {
    explicit CheckInstallation(const QString& stav) {
        TStanice s = test::sampleStanice();
        s.Stav = stav;
        writeStanice(s);
        for (const char* t :
             {"OKRSKY.RCD", "STRANY.RCD", "KANDIDAT.RCD", "QZRVOK.RCD", "QZRZVO.RCD"})
            writeProgramFile(QLatin1String(t), QByteArray());
    }
    QString path(char kind) const {
        return dirs().data + dataFileName(kind, TAktOkrsek{QStringLiteral("582786"), 2});
    }
    QString stavOnDisk() const {
        return TStanice::fromRecord(readFile(dirs().config + QStringLiteral("STANICE.RCD"))).Stav;
    }
};

// An empty record saved as checked data of the station's precinct.
void saveEmptyRecordAs(char kind) {
    UlozData(kind, {QStringLiteral("582786"), 2}, TPrecinctRecord{});
}
} // namespace

TEST(MainWindow, EnterToAQuestionThatWouldTakeBackOrDeleteWorkAnswersNe) {
    const QString vstup = QStringLiteral("Vstup dat za okrsek");
    const struct {
        const char* command;
        QString caption;
        QString text;
        DefaultAnswer defaultAnswer;
    } cases[] = {
        // "Ano" takes the export back.
        {"PorizeniDat_MI", vstup, QString::fromUtf8(kOtazkaZnovuUpravovat), DefaultAnswer::Ne},
        {"Kontroly_MI", vstup, QString::fromUtf8(kOtazkaZnovuKontrolovat), DefaultAnswer::Ne},
        // "Ano" deletes the data.
        {"ZruseniDat_MI", QStringLiteral("Rušení dat"),
         QStringLiteral("Opravdu chcete zrušit pořízená data?"), DefaultAnswer::Ne},
        // Everything is on disk: ending loses nothing.
        {"Konec_MI", QStringLiteral("Ukončení programu"),
         QStringLiteral("Opravdu ukončit program?"), DefaultAnswer::Ano},
    };
    for (const auto& c : cases) {
        CheckInstallation inst(QStringLiteral("A"));
        FakeDialogs dlg;
        PrecinctSession session;
        TQZ_menu w(session, inst.exe(), {});
        open(w);
        saveEmptyRecordAs('O');
        const QByteArray before = inst.readFile(inst.path('O'));
        dlg.answers = {false};
        w.action(QLatin1String(c.command))->trigger();

        // Asked, and "Ne" changed nothing.
        ASSERT_EQ(dlg.shown.size(), 1) << c.command;
        EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("ask")) << c.command;
        EXPECT_EQ(dlg.shown[0].caption, c.caption) << c.command;
        EXPECT_EQ(dlg.shown[0].text, c.text) << c.command;
        EXPECT_EQ(dlg.shown[0].defaultAnswer, c.defaultAnswer) << c.command;
        EXPECT_EQ(inst.readFile(inst.path('O')), before) << c.command;
        EXPECT_FALSE(QFile::exists(inst.path('E'))) << c.command;
        EXPECT_EQ(inst.stavOnDisk(), QStringLiteral("A")) << c.command;
        EXPECT_TRUE(w.isVisible()) << c.command;
    }
}

TEST(MainWindow, CheckCommandWithBlockingErrorsTurnsCheckedDataIntoEntered) {
    struct Case {
        const char* stav;
        QList<bool> answers;
    };
    const Case cases[] = {{"N", {}}, {"A", {true}}};
    for (const Case& c : cases) {
        CheckInstallation inst(QString::fromUtf8(c.stav));
        FakeDialogs dlg;
        PrecinctSession session;
        TQZ_menu w(session, inst.exe(), {});
        open(w);
        saveEmptyRecordAs('O');
        session.Workflow.KontrolyOK = true;
        int protokoly = 0;
        w.tiskProtokolu = [&](const PrecinctSession& s) {
            ++protokoly;
            EXPECT_GT(s.ChybProt.count(), 0);
        };
        dlg.answers = c.answers;
        w.action(QStringLiteral("Kontroly_MI"))->trigger();

        EXPECT_FALSE(QFile::exists(inst.path('O'))) << c.stav;
        EXPECT_TRUE(QFile::exists(inst.path('E'))) << c.stav;
        EXPECT_EQ(inst.stavOnDisk(), QStringLiteral("N"));
        EXPECT_EQ(protokoly, 1) << c.stav;
        EXPECT_FALSE(session.Workflow.KontrolyOK);
        EXPECT_TRUE(session.Workflow.DataOK);
        for (const FakeDialogs::Shown& s : dlg.shown)
            EXPECT_NE(s.kind, QStringLiteral("error")) << s.text.toStdString();
    }
}

TEST(MainWindow, CheckCommandWithoutDataSaysSo) {
    CheckInstallation inst(QStringLiteral("N"));
    FakeDialogs dlg;
    PrecinctSession session;
    TQZ_menu w(session, inst.exe(), {});
    open(w);
    session.Workflow.DataOK = true;
    w.action(QStringLiteral("Kontroly_MI"))->trigger();
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Kontrola dat"));
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Data nejsou pořízena!"));
    EXPECT_FALSE(session.Workflow.DataOK);
    EXPECT_FALSE(QFile::exists(inst.path('E')));
}

#include "test_main_window.moc"
