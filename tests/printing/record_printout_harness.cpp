// Prints the record T/2 of an installation the way the export command will:
// the chosen number of copies directly, then the preview window. Until the
// export command calls the printout, this is how it is tried by hand.
//
//   record-printout-harness PROGRAM_DIR [COPIES] [--vzor [MEMBERS]]
//
// PROGRAM_DIR is a single-station installation (stanice.rcd beside the
// program, e.g. demo-install). Without --vzor the station's saved record is
// loaded and checked as the export command does; with --vzor a full sample
// record is made in memory instead: every party of the list marked, MEMBERS
// (default 9) names of the commission. Nothing is written to the
// installation.

#include "RecordSample.h"
#include "checks/CheckRules.h"
#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "printing/PreviewWindow.h"
#include "printing/PrintCommands.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/MessageBoxDialogs.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

using namespace urn;

int main(int argc, char** argv) {
    Application app(argc, argv);
    MessageBoxDialogs messageBoxes;
    setDialogs(&messageBoxes);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: record-printout-harness PROGRAM_DIR [COPIES] [--vzor "
                             "[MEMBERS]]\n");
        return 2;
    }
    const QString program = QDir(args[0]).absolutePath() + QLatin1Char('/');
    int kopie = 2;
    bool vzor = false;
    int clenu = 9;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--vzor")) {
            vzor = true;
            if (i + 1 < args.size() && args[i + 1].toInt() > 0)
                clenu = args[++i].toInt();
        } else {
            kopie = args[i].toInt();
        }
    }
    const StartupDecision d = decideLayout(program + QStringLiteral("urnarium"), {});
    if (d.layout != StartupLayout::SingleStation) {
        std::fprintf(stderr, "no stanice.rcd in %s\n", qPrintable(program));
        return 2;
    }
    setInstallDirs(d.dirs);

    TpreviewF preview;
    PrecinctSession session;
    const bool ok = runReportingErrors([&] {
        session.Stanice = NactiStanici();
        if (vzor) {
            NactiStrany(session.SeznamStran);
            test::VzorZapisu v;
            v.strany.clear();
            for (const TStrana& s : session.SeznamStran.strany)
                if (const int p = cisloStrany(s); p >= 1 && p <= kMaxStran)
                    v.strany.append(p);
            v.clenu = clenu;
            test::vzorovyZapis(session, v);
        } else {
            createErrorCatalogue();
            loadStationPrecinct(session);
            session.prevezmiVysledek(
                ProvedKontroly(session.vstupKontrol(), CisChyb(), kVybranoKontrola));
        }
        TiskZapisu({session.PrecinctRecord, session.Stanice, session.JmenaKomise,
                    session.SeznamStran, errorCatalogueCreated() ? &session.ChybProt : nullptr},
                   preview, kopie);
    });
    return ok ? 0 : 1;
}
