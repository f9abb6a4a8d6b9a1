#include "app/MainWindow.h"
#include "checks/CheckRules.h"
#include "checks/CheckSequence.h"
#include "checks/PrecinctSession.h"
#include "checks/SecondEntry.h"
#include "core/Dialogs.h"
#include "export/CopiesWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/StationConfig.h"

#include <QPushButton>

namespace urn {

namespace {

constexpr const char* kCaptionExportDat = "Export dat";
constexpr const char* kCaptionExportTisk = "Export dat a tisk zápisu";

} // namespace

QString textPozvaniKExportu(const TAktOkrsek& okrsek) {
    // The second entry's state is said here too; it neither asks nor stops
    // the export.
    return QString::fromUtf8(kTextVlozteNosic) + QStringLiteral("\r\r") +
           textStavuKZ(stavKontrolnihoZadani(okrsek));
}

void TQZ_menu::ExportTisk_MIClick() {
    WorkflowState& w = m_session.Workflow;
    const QString captionExport = QString::fromUtf8(kCaptionExportDat);
    const QString caption = QString::fromUtf8(kCaptionExportTisk);
    const TAktOkrsek& okrsek = m_session.AktOkrsek = m_session.Stanice.okrsek();

    if (dataFileExists(kKindE, okrsek)) {
        w.DataOK = false;
        dialogs().warn(captionExport, QStringLiteral("Data obsahují chyby, nebo nebyly po editaci "
                                                     "dat spuštěny kontroly!"));
        return;
    }
    if (!dataFileExists(kKindO, okrsek)) {
        w.DataOK = false;
        dialogs().warn(captionExport, QString::fromUtf8(kDataNejsouPorizena));
        return;
    }

    // Started from the menu or from the data-entry window: the check belongs
    // to the export either way and prints no protocol.
    Kontroly(m_session, kVybranoExport);

    if (!w.KontrolyOK && !w.ExportOK) {
        dialogs().warn(caption,
                       QStringLiteral("CHYBY V DATECH.\r\rNELZE VYTVOŘIT EXPORT DAT ANI VYTISKNOUT "
                                      "ZÁPIS!!!"));
        return;
    }

    const TStavKontrol& nalez = m_session.StavKontrol;
    const QString vyzva = QStringLiteral("\r\rNa přebíracím místě budete vyzváni k uvedení možné "
                                         "příčiny zjištěných chyb a budete podepisovat ");
    if (nalez.JsouPropustitelne && nalez.JsouUpozorneni)
        dialogs().inform(caption,
                         QStringLiteral("Data obsahují PROPUSTITELNÉ CHYBY a UPOZORNĚNÍ.") + vyzva +
                             QStringLiteral("protokoly."));
    else if (nalez.JsouPropustitelne)
        dialogs().inform(caption, QStringLiteral("Data obsahují PROPUSTITELNÉ CHYBY.") + vyzva +
                                      QStringLiteral("protokol."));
    else if (nalez.JsouUpozorneni)
        dialogs().inform(caption, QStringLiteral("Data obsahují UPOZORNĚNÍ.") + vyzva +
                                      QStringLiteral("protokol."));

    const AppWindows& okna = windows();
    if (okna.infoE) {
        okna.infoE->Odebrat_Btn()->setVisible(false);
        okna.infoE->Ukaz(caption, QString::fromUtf8(kTitulekExportPovolen),
                         textPozvaniKExportu(okrsek));
    }
    if (!okna.exportDat)
        return;
    okna.exportDat->setInfoWindow(okna.infoE.get());
    okna.exportDat->exec();
    if (!okna.exportDat->ExportProveden())
        return;

    ZapisStav(m_session.Stanice, QStringLiteral("A"));
    int kopie = kVychoziPocetKopii;
    if (okna.pocetKopii) {
        okna.pocetKopii->exec();
        kopie = okna.pocetKopii->ZvolenyPocetKopii();
    }
    tiskZapisu(kopie);
}

} // namespace urn
