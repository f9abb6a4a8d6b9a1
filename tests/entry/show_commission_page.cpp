// Shows the commission page on its own, for looking at it (screenshots under
// Xvfb, also at QT_SCALE_FACTOR=2):
//   show_commission_page [DATA_DIR [999997]]
// DATA_DIR holds HLASO.RCD and KOMISE.RCD (and receives them on "Uložit");
// without it a throw-away installation with six members present and three
// saved names is used. "999997" makes the station one abroad.
#include "checks/PrecinctSession.h"
#include "entry/CommissionPage.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/EntryEdit.h"
#include "ui/MessageBoxDialogs.h"

#include <QDir>
#include <QTemporaryDir>

using namespace urn;

int main(int argc, char** argv) {
    Application app(argc, argv);
    MessageBoxDialogs messageBoxes;
    setDialogs(&messageBoxes);

    QTemporaryDir temporary;
    QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    QDir().mkpath(dir);
    setInstallDirs({dir, dir, dir});
    PrecinctSession session;
    session.Stanice.Obec = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("500011");
    TPrecinctRecord& r = session.PrecinctRecord;

    bool ok = runReportingErrors([&] {
        if (argc <= 1) {
            THlaso& h = r.Hlaso;
            h.ClenuOVKC = QStringLiteral("7");
            h.ClenuOVKP = QStringLiteral("6");
            h.Zapisovat = QStringLiteral("Jana Dvořáková");
            h.PoverPred = QStringLiteral("Petr Šťastný");
            UlozKomise({{QStringLiteral("Marie Nováková")},
                        {QStringLiteral("Ing. Jiří Černý")},
                        {QStringLiteral("Žofie Řezníčková-Ůlehlová")}});
            r.T2.ZaskrtStrany[1] = QLatin1Char('1');
            r.T2.ZaskrtStrany[4] = QLatin1Char('1');
        } else {
            NactiHlaso(r.Hlaso);
        }
    });
    if (!ok)
        return 1;

    QWidget window;
    window.setWindowTitle(QStringLiteral("T/2 - odd. III"));
    auto* page = new CommissionPage(session, &window);
    page->setGeometry(0, 0, 706, 570);
    window.setFixedSize(706, 570);
    QObject::connect(page, &CommissionPage::ulozitOkrBtnClick, &window, [page, &r] {
        runReportingErrors([page, &r] {
            page->UlozKomisi();
            UlozHlaso(r.Hlaso);
        });
    });
    runReportingErrors([page] {
        page->NactiKomisi();
        page->UkazPrilListu();
    });
    window.show();
    page->R_SEdClenuOVKC()->setFocus();
    return QApplication::exec();
}
