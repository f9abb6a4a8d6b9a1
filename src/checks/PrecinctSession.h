#pragma once

// PrecinctSession: everything the program holds about its precinct while it
// runs. The program makes one when it starts and hands it by reference to
// the windows and commands that read or change it; tests and tools make
// their own. Nothing of it lives anywhere else.

#include "checks/CheckRules.h"
#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QList>

namespace urn {

struct PrecinctSession {
    PrecinctSession() = default;
    PrecinctSession(const PrecinctSession&) = delete;
    PrecinctSession& operator=(const PrecinctSession&) = delete;

    // The station configuration as the main window read it, with the export
    // mark as last written.
    TStanice Stanice;
    // The precinct whose data files are read and written: always the
    // station's own (TStanice::okrsek) once a command has started.
    TAktOkrsek AktOkrsek;
    // The record T/2 with its Annex 1 sheets and sections I and III.
    TPrecinctRecord PrecinctRecord;
    // The party list and the candidate table as last read.
    TSeznamStran SeznamStran;
    TTabulkaKandidatu TabulkaKandidatu{};
    // The names of the other members present (KOMISE.RCD).
    QList<TKomise> JmenaKomise;
    // The last check run: its protocol and what it recorded.
    TChybProt ChybProt;
    TStavKontrol StavKontrol;
    // The state of the commission's work (KontrolyOK, ExportOK, DataOK).
    WorkflowState Workflow;

    // What the checks read of the session.
    TVstupKontrol vstupKontrol() const { return {PrecinctRecord, SeznamStran, JmenaKomise}; }
    // A check run over this session's record becomes the session's: its
    // protocol, its outcome flags, and its codes and error flags in the
    // record.
    void prevezmiVysledek(TVysledekKontrol vysledek);
};

// The closing record of the session's record, from the clock, the station's
// identifiers and the program's random numbers; PrilListu with it.
void ProcDopoctiTS(PrecinctSession& session);

} // namespace urn
