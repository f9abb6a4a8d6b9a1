// Opens one window of the program on its own, for looking at it (screenshots
// under Xvfb): show_window INSTALL_DIR WINDOW
//   WINDOW: main, menu-okrsek, menu-napoveda, info, about, hlaska-chyba,
//   hlaska-propustna, hlaska-upozorneni, kopie, edits, export (the media of
//   the machine), export-usb (a sample USB disk), info-pozvani, info-usb,
//   info-disk (the export's information window), vstup-N (the data-entry
//   window on page N over a saved record with parties 1 and 3), or a menu command by
//   its object name (Konec_MI, VyberTiskarny_MI, ...); Kontroly_MI+data first
//   saves an empty record as the station's entered data
#include "app/AboutWindow.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/CopiesWindow.h"
#include "export/ExportCopy.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "export/RemovableMedia.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/EntryEdit.h"
#include "ui/MessageBoxDialogs.h"

#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

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
// One USB disk mounted at a temporary directory, for looking at the list.
class SampleMedia : public RemovableMedia {
public:
    QList<TZarExp> SeznamVymenitelnych() override {
        TZarExp z;
        z.Pozice = m_dir.path() + QStringLiteral("/KOMISE");
        QDir().mkpath(z.Pozice);
        z.Nazev = QStringLiteral("KOMISE");
        z.Zarizeni = QStringLiteral("/dev/sdb1");
        return {z};
    }
    bool OdeberDisk(const TZarExp&) override { return true; }

private:
    QTemporaryDir m_dir;
};

int showExportWindows(const QString& which) {
    SampleMedia sample;
    if (which == QLatin1String("export-usb"))
        setRemovableMedia(&sample);
    if (which.startsWith(QLatin1String("export"))) {
        TZ_ExportDat_F w;
        return w.exec();
    }
    TZ_infoE_F w;
    const QString caption = QStringLiteral("Export dat a tisk zápisu");
    const QString soubor = nazevExportu(QStringLiteral("O"), Stanice().Obec, Stanice().Okrsek);
    const QString druh = QString::fromUtf8(kDruhVymenitelne);
    if (which == QLatin1String("info-usb")) {
        w.Odebrat_Btn()->show();
        w.Ukaz(caption, titulekExportuNaDisk(druh),
               textExportuNaDisk(soubor, druh, QStringLiteral("/media/komise/KOMISE")));
    } else if (which == QLatin1String("info-disk")) {
        w.Ukaz(caption, titulekExportuNaPevnyDisk(),
               textExportuNaPevnyDisk(soubor, installDirs().program));
    } else {
        w.Ukaz(caption, QString::fromUtf8(kTitulekExportPovolen),
               QString::fromUtf8(kTextVlozteNosic));
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    MessageBoxDialogs messageBoxes;
    setDialogs(&messageBoxes);
    if (argc != 3) {
        std::fprintf(stderr, "usage: show_window INSTALL_DIR WINDOW\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const QString which = QString::fromLocal8Bit(argv[2]);

    TQZ_menu menu(dir + QStringLiteral("urnarium"), {});
    if (menu.refused())
        return 1;
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
        // A record with section II and two parties with votes, so that every
        // page has something to show.
        const int page = which.mid(6).toInt();
        menu.show();
        auto* vstup = new TR_Vstupni_Form(&menu);
        QTimer::singleShot(500, &menu, [vstup, page] {
            AktOkrsek() = {Stanice().Obec.left(6), Stanice().Okrsek};
            TPrecinctRecord& r = PrecinctRecord();
            r = TPrecinctRecord{};
            r.T2.Obec = Stanice().Obec.toInt();
            r.T2.Okrsek = Stanice().Okrsek;
            r.T2.ZapsOsoby = OcekavaniVolici(Stanice().Obec, Stanice().Okrsek);
            r.T2.VydObalky = quint16(r.T2.ZapsOsoby * 6 / 10);
            r.T2.OdevzdObalky = quint16(r.T2.VydObalky - 1);
            r.T2.PlatneHlasy = quint16(r.T2.OdevzdObalky - 2);
            for (int p : {1, 3}) {
                zaskrtniStranu(r, p, true);
                r.VyslStran(p).PocHl = quint16(p == 1 ? r.T2.PlatneHlasy - 40 : 40);
                for (int k : {1, 2, 7, 12, 23})
                    r.VyslStran(p).pref(k) = quint16(k + p);
                ProcDopoctiT2P(r, p);
            }
            ProcDopoctiT2(r);
            UlozData('E');
            vstup->show();
            for (int i = 0; i < page; ++i)
                vstup->PageDownMIClick();
        });
        return QApplication::exec();
    }
    if (which.endsWith(QLatin1String("_MI")) || which.endsWith(QLatin1String("+data"))) {
        menu.show();
        QTimer::singleShot(500, &menu, [&menu, which] {
            QString command = which;
            if (command.endsWith(QLatin1String("+data"))) {
                command.chop(5);
                AktOkrsek() = {Stanice().Obec.left(6), Stanice().Okrsek};
                VyprazdniT2();
                VyprazdniStrany();
                VyprazdniTS();
                UlozData('E');
            }
            menu.action(command)->trigger();
        });
        return QApplication::exec();
    }
    if (which.startsWith(QLatin1String("export")) || which.startsWith(QLatin1String("info-"))) {
        NactiStanici();
        return showExportWindows(which);
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
        w.NastavHlasku(12, QStringLiteral("3"), false, false);
    else if (which == QLatin1String("hlaska-propustna"))
        w.NastavHlasku(5, QString(), false, true);
    else
        w.NastavHlasku(96, QStringLiteral("7"), true, false);
    return w.UkazHlasku() ? 0 : 1;
}
