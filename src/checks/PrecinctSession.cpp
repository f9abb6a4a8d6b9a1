#include "checks/PrecinctSession.h"

#include "checks/ControlNumbers.h"

namespace urn {

void PrecinctSession::prevezmiVysledek(TVysledekKontrol vysledek) {
    zapisPriznaky(vysledek.Priznaky, PrecinctRecord);
    ChybProt = std::move(vysledek.ChybProt);
    StavKontrol = std::move(vysledek.StavKontrol);
}

void ProcDopoctiTS(PrecinctSession& session) {
    ProcDopoctiTS(session.PrecinctRecord, session.SeznamStran, vstupTS(session.Stanice));
}

} // namespace urn
