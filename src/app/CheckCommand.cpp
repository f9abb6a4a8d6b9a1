#include "app/MainWindow.h"
#include "checks/CheckSequence.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "store/PrecinctDataFile.h"

namespace urn {

bool runCheckCommand(PrecinctSession& session,
                     const std::function<void(const PrecinctSession&)>& tiskProtokolu) {
    // "Ano" takes the export back even when nothing changes: never by Enter.
    if (session.Stanice.Stav == QLatin1String("A") &&
        !dialogs().ask(QString::fromUtf8(kCaptionVstupDat),
                       QString::fromUtf8(kOtazkaZnovuKontrolovat), DefaultAnswer::Ne))
        return false;
    const TAktOkrsek& okrsek = session.AktOkrsek = session.Stanice.okrsek();
    if (!dataFileExists(kKindE, okrsek) && !dataFileExists(kKindO, okrsek)) {
        session.Workflow.DataOK = false;
        dialogs().warn(QString::fromUtf8(kCaptionKontrolaDat),
                       QString::fromUtf8(kDataNejsouPorizena));
        return false;
    }
    Kontroly(session, kVybranoKontrola);
    if (tiskProtokolu)
        tiskProtokolu(session);
    ProcDopoctiTS(session);
    storeDataFileOfKind(session.StavKontrol.JsouChyby ? kKindE : kKindO, session.AktOkrsek,
                        session.PrecinctRecord);
    return true;
}

} // namespace urn
