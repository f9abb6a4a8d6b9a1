#pragma once

namespace urn {

// The command a check sequence runs for. The values are the numbers the
// commands have always used for it.
enum TVybrano : int {
    kVybranoZadny = 2,          // none, or data entry
    kVybranoExport = 3,         // the check of the export command
    kVybranoExportZeVstupu = 4, // the export started from the data-entry window
    kVybranoKontrola = 5,       // the check command or the save of the data-entry window
};

// What the main window knows about the commission's work in this run.
struct WorkflowState {
    bool KontrolyOK = false; // the last check sequence found no blocking error
    bool ExportOK = false;   // export allowed by the last check sequence
    bool DataOK = false;     // data were present for the command in progress
};

} // namespace urn
