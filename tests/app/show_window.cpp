// Opens one window of the program on its own, for looking at it (screenshots
// under Xvfb): show_window INSTALL_DIR WINDOW
//   WINDOW: main, menu-okrsek, menu-napoveda, info, about, hlaska-chyba,
//   hlaska-propustna, hlaska-upozorneni, kopie, edits, export (the media of
//   the machine), export-usb (a sample USB disk), export-nepripojeny (with
//   a second one that cannot be mounted), info-pozvani, info-usb,
//   info-disk (the export's information window), vstup-N (the data-entry
//   window on page N over a saved record with parties 1 and 3; "ready" on
//   standard output once it shows that page), or a menu command by
//   its object name (Konec_MI, VyberTiskarny_MI, ...); Kontroly_MI+data first
//   saves an empty record as the station's entered data; protokol (the check
//   command over a record with findings: the check protocol in the preview),
//   otazka-export and bez-tiskarny (the question after a save that passed,
//   the warning of a print without a printer), kontrolni-N (the second
//   entry on page N over that saved record; on page 2 with its parties
//   ticked and the first one's votes typed), kontrolni-rozdily (the
//   differences a second entry with two preferential votes swapped finds).
// SHOW_WINDOW_MEDIUM names the sample USB disk's mount point (created when
// missing; a temporary directory when unset). The user's guide takes its
// pictures with this tool (scripts/guide-screenshots.sh).
#include "app/AboutWindow.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "checks/SecondEntry.h"
#include "entry/AnnexPage.h"
#include "entry/DataEntryWindow.h"
#include "entry/DifferenceListWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "entry/SectionTwoPage.h"
#include "export/CopiesWindow.h"
#include "export/ExportCopy.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "export/RemovableMedia.h"
#include "printing/PreviewWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/EntryEdit.h"
#include "ui/MessageBoxDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

using namespace urn;

namespace {
int showEdits() {
    QWidget w;
    w.setWindowTitle(QStringLiteral("TSEdit"));
    auto* form = new QFormLayout(&w);
    auto add = [&](const char* label, TAlignment a, const QString& text, bool enabled) {
        auto* e = new TSEdit(&w);
        e->SetAlignment(a);
        e->setValueType(vtNumber);
        e->setText(text);
        e->setEnabled(enabled);
        e->setFixedSize(80, 24);
        form->addRow(QString::fromUtf8(label), e);
        return e;
    };
    TSEdit* focused = add("vpravo, s fokusem", taRightJustify, QStringLiteral("125"), true);
    add("vpravo", taRightJustify, QStringLiteral("125"), true);
    add("na střed", taCenter, QStringLiteral("125"), true);
    add("vlevo", taLeftJustify, QStringLiteral("125"), true);
    add("vpravo, zakázané", taRightJustify, QStringLiteral("125"), false);
    w.resize(260, 200);
    w.show();
    focused->setFocus();
    return QApplication::exec();
}
// One USB disk mounted at a temporary directory, for looking at the list;
// with `nepripojeny` also a second one that the system cannot mount.
class SampleMedia : public RemovableMedia {
public:
    bool nepripojeny = false;
    QList<TZarExp> SeznamVymenitelnych() override {
        TZarExp z;
        z.Pozice = mountPoint();
        QDir().mkpath(z.Pozice);
        z.Nazev = QStringLiteral("KOMISE");
        z.Zarizeni = QStringLiteral("/dev/sdb1");
        if (!nepripojeny)
            return {z};
        TZarExp cizi;
        cizi.Nazev = QStringLiteral("CIZI");
        cizi.Zarizeni = QStringLiteral("/dev/sdc1");
        cizi.Chyba = QStringLiteral("Disk CIZI nelze připojit: Filesystem type vfat not "
                                    "configured in kernel.");
        return {z, cizi};
    }
    VysledekOdebrani OdeberDisk(const TZarExp&) override { return {StavOdebrani::Odebran, {}}; }
    QString mountPoint() const {
        const QString given = qEnvironmentVariable("SHOW_WINDOW_MEDIUM");
        return given.isEmpty() ? m_dir.path() + QStringLiteral("/KOMISE") : given;
    }

private:
    QTemporaryDir m_dir;
};

// A record as a commission types it, saved as entered data: section I,
// section II, parties 1 and 3 with votes and preferential votes, section III
// with five members present; its preferential votes of party 3 are unusual
// (a warning). With `sNalezy` section III lacks the recorder and the member
// who hands the record over: an error that blocks the export.
void ulozVzorovyZaznam(PrecinctSession& s, bool sNalezy) {
    NactiStrany(s.SeznamStran);
    const TStanice& st = s.Stanice;
    s.AktOkrsek = st.okrsek();
    TPrecinctRecord& r = s.PrecinctRecord;
    r = TPrecinctRecord{};
    r.T2.TypVety = 1;
    TOkrsky okrsek;
    if (NajdiOkrsek(s.AktOkrsek.Obec, s.AktOkrsek.Okrsek, okrsek))
        r.T2.Okres = quint16(okrsek.Okres.toInt());
    r.T2.Obec = st.Obec.toInt();
    r.T2.Okrsek = st.Okrsek;
    r.T2.ZapsOsoby = quint16(OcekavaniVolici(st.Obec, st.Okrsek));
    r.T2.VydObalky = quint16(r.T2.ZapsOsoby * 6 / 10);
    r.T2.OdevzdObalky = quint16(r.T2.VydObalky - 1);
    r.T2.PlatneHlasy = quint16(r.T2.OdevzdObalky - 2);
    for (int p : {1, 3}) {
        zaskrtniStranu(r, p, true);
        r.VyslStran(p).PocHl = quint16(p == 1 ? r.T2.PlatneHlasy - 40 : 40);
        for (int k : {1, 2, 7, 12, 23})
            r.VyslStran(p).pref(k) = quint16(k + p);
        ProcDopoctiT2P(r, s.SeznamStran, p);
    }
    THlaso& h = r.Hlaso;
    h.Zahajeno1 = QStringLiteral("14:00");
    h.Ukonceno1 = QStringLiteral("22:00");
    h.Zahajeno2 = QStringLiteral("08:00");
    h.Ukonceno2 = QStringLiteral("14:00");
    for (QString* ne : {&h.Odroc, &h.Prodl, &h.Prerus, &h.Stizn, &h.Schranka})
        *ne = QStringLiteral("N");
    h.ClenuOVKC = QStringLiteral("7");
    h.ClenuOVKP = QStringLiteral("5");
    if (!sNalezy) {
        h.Zapisovat = QStringLiteral("Jana Dvořáková");
        h.PoverPred = QStringLiteral("Petr Novák");
    }
    s.JmenaKomise.clear();
    for (const char* jmeno : {"Petr Novák", "Marie Svobodová", "Karel Černý", "Eva Procházková"})
        s.JmenaKomise.append({QString::fromUtf8(jmeno)});
    ProcDopoctiT2(r);
    ProcDopoctiTS(s);
    UlozData('E', s.AktOkrsek, r);
    UlozHlaso(r.Hlaso);
    UlozKomise(s.JmenaKomise);
}

int showExportWindows(const QString& which, const TStanice& stanice) {
    SampleMedia sample;
    sample.nepripojeny = which == QLatin1String("export-nepripojeny");
    if (which == QLatin1String("export-usb") || sample.nepripojeny)
        setRemovableMedia(&sample);
    if (which.startsWith(QLatin1String("export"))) {
        TZ_ExportDat_F w(stanice);
        return w.exec();
    }
    TZ_infoE_F w;
    const QString caption = QStringLiteral("Export dat a tisk zápisu");
    const QString soubor = nazevExportu(QStringLiteral("O"), stanice.Obec, stanice.Okrsek);
    const QString druh = QString::fromUtf8(kDruhVymenitelne);
    if (which == QLatin1String("info-usb")) {
        w.Odebrat_Btn()->show();
        w.Ukaz(caption, titulekExportuNaDisk(druh),
               textExportuNaDisk(soubor, druh, sample.mountPoint()));
    } else if (which == QLatin1String("info-disk")) {
        w.Ukaz(caption, titulekExportuNaPevnyDisk(),
               textExportuNaPevnyDisk(soubor, installDirs().program));
    } else {
        w.Ukaz(caption, QString::fromUtf8(kTitulekExportPovolen),
               textPozvaniKExportu(stanice.okrsek()));
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    MessageBoxDialogs messageBoxes;
    setDialogs(&messageBoxes);
    // The system's dialogs in Czech, as the program shows them.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    // A caret that does not blink: the same window gives the same picture.
    QApplication::setCursorFlashTime(0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: show_window INSTALL_DIR WINDOW\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const QString which = QString::fromLocal8Bit(argv[2]);

    PrecinctSession session;
    TQZ_menu menu(session, dir + QStringLiteral("urnarium"), {});
    if (menu.refused())
        return 1;
    // Printouts (the check protocol) go to the program's preview window.
    TpreviewF preview(&menu);
    AppWindows okna;
    okna.preview = &preview;
    menu.setWindows(okna);
    if (which == QLatin1String("otazka-export")) {
        dialogs().ask(QString::fromUtf8(TR_Vstupni_Form::kCaption),
                      QString::fromUtf8(TR_Vstupni_Form::kOtazkaExport), DefaultAnswer::Ano);
        return 0;
    }
    if (which == QLatin1String("bez-tiskarny")) {
        dialogs().warn(QString::fromUtf8(kTiskCaption), QString::fromUtf8(kZadnaTiskarna));
        return 0;
    }
    if (which == QLatin1String("edits"))
        return showEdits();
    if (which.startsWith(QLatin1String("main")) || which.startsWith(QLatin1String("menu"))) {
        menu.show();
        if (which.startsWith(QLatin1String("menu"))) {
            const int index = which == QLatin1String("menu-okrsek") ? 0 : 1;
            QTimer::singleShot(500, &menu, [&menu, index] {
                QAction* title = menu.menuBar()->actions().at(index);
                menu.menuBar()->setActiveAction(title);
            });
        }
        return QApplication::exec();
    }
    if (which.startsWith(QLatin1String("vstup-"))) {
        // A whole record, so that every page has something to show.
        const int page = which.mid(6).toInt();
        menu.show();
        auto* vstup = new TR_Vstupni_Form(session, &menu);
        QTimer::singleShot(500, &menu, [&menu, &session, vstup, page] {
            ulozVzorovyZaznam(session, false);
            vstup->show();
            // The pages are turned once the window is active, one at a time
            // with events between: leaving a field before the window manager
            // has activated it refuses the change.
            auto* listovani = new QTimer(&menu);
            auto stalych = std::make_shared<int>(0);
            QObject::connect(listovani, &QTimer::timeout, &menu, [vstup, page, listovani, stalych] {
                if (vstup->R_TN_T2PR()->currentIndex() < page) {
                    *stalych = 0;
                    if (vstup->isActiveWindow())
                        vstup->PageDownMIClick();
                } else if (++*stalych == 5) {
                    // Saving on every page turn takes its time on a busy
                    // disk, and a check reported late can take the window
                    // back to its field: the picture is taken only after
                    // this line, once the page has stayed half a second.
                    listovani->stop();
                    std::printf("ready\n");
                    std::fflush(stdout);
                }
            });
            listovani->start(100);
        });
        return QApplication::exec();
    }
    if (which.startsWith(QLatin1String("kontrolni-"))) {
        menu.show();
        QTimer::singleShot(500, &menu, [&menu, &session, which] {
            ulozVzorovyZaznam(session, false);
            if (which == QLatin1String("kontrolni-rozdily")) {
                TPrecinctRecord druhe = session.PrecinctRecord;
                std::swap(druhe.VyslStran(1).pref(2), druhe.VyslStran(1).pref(7));
                auto* rozdily = new TRozdilyZadani_F(&menu);
                rozdily->setWindowModality(Qt::NonModal);
                rozdily->Ukaz(porovnejZadani(session.PrecinctRecord, druhe));
                return;
            }
            auto* kontrolni =
                new TR_Vstupni_Form(session, &menu, nullptr, TRezimVstupu::KontrolniZadani);
            kontrolni->show();
            if (which != QLatin1String("kontrolni-2"))
                return;
            // Typed as a member would: the ticks, then the first party's
            // votes and two of its candidates.
            QTimer::singleShot(500, kontrolni, [kontrolni] {
                for (int p : {1, 3})
                    kontrolni->strankaOddII()->zaskrtavatko(p)->click();
                kontrolni->PageDownMIClick();
                AnnexPage* priloha = kontrolni->strankaPrilohy();
                const std::pair<TSEdit*, const char*> napsano[] = {{priloha->R_EdPocHl(), "187"},
                                                                   {priloha->prefPole(1), "2"},
                                                                   {priloha->prefPole(2), "3"}};
                for (const auto& [pole, text] : napsano) {
                    pole->setFocus();
                    pole->setText(QLatin1String(text));
                }
                priloha->prefPole(3)->setFocus();
            });
        });
        return QApplication::exec();
    }
    if (which == QLatin1String("protokol")) {
        menu.show();
        QTimer::singleShot(500, &menu, [&menu, &session] {
            ulozVzorovyZaznam(session, true);
            menu.action(QStringLiteral("Kontroly_MI"))->trigger();
        });
        return QApplication::exec();
    }
    if (which.endsWith(QLatin1String("_MI")) || which.endsWith(QLatin1String("+data"))) {
        menu.show();
        QTimer::singleShot(500, &menu, [&menu, &session, which] {
            QString command = which;
            if (command.endsWith(QLatin1String("+data"))) {
                command.chop(5);
                UlozData('E', session.Stanice.okrsek(), TPrecinctRecord{});
            }
            menu.action(command)->trigger();
        });
        return QApplication::exec();
    }
    if (which.startsWith(QLatin1String("export")) || which.startsWith(QLatin1String("info-"))) {
        return showExportWindows(which, NactiStanici());
    }
    TCisChyb cisChyb;
    if (which == QLatin1String("info")) {
        TZ_Info_F w;
        return w.exec();
    }
    if (which == QLatin1String("about")) {
        TZ_OProgramu_F w;
        return w.exec();
    }
    if (which == QLatin1String("kopie")) {
        TZ_PocetKopii_F w;
        return w.exec();
    }
    THlaskaF w;
    w.setCisChyb(&cisChyb);
    if (which == QLatin1String("hlaska-chyba"))
        w.NastavHlasku(16, QString(), false, false);
    else if (which == QLatin1String("hlaska-propustna"))
        w.NastavHlasku(5, QString(), false, true);
    else
        w.NastavHlasku(96, QStringLiteral("661"), true, false);
    return w.UkazHlasku() ? 0 : 1;
}
