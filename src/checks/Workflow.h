#pragma once

namespace urn {

// What the main window knows about the commission's work in this run. The
// check run reads Vybrano; the commands set it before they start one.
struct WorkflowState {
    bool KontrolyOK = false; // the last check sequence found no blocking error
    bool ExportOK = false;   // export allowed by the last check sequence
    bool DataOK = false;     // data were present for the command in progress
    // The command in progress: 2 none or data entry, 3 the check of the export
    // command, 4 the export started from the data-entry window, 5 the check
    // command or the save of the data-entry window.
    int Vybrano = 2;
};

inline constexpr int kVybranoZadny = 2;
inline constexpr int kVybranoExport = 3;
inline constexpr int kVybranoExportZeVstupu = 4;
inline constexpr int kVybranoKontrola = 5;

WorkflowState& Workflow();

} // namespace urn
