#pragma once

// The eight windows that follow the main window: created once, in this order,
// as children of the main window, handed to it, and reused for the whole run.
// The program's main() and the tests that drive the whole program create
// them the same way.

#include "app/AboutWindow.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/CopiesWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "printing/PreviewWindow.h"

namespace urn {

class ProgramWindows {
public:
    // Creates the windows over `menu`, which must outlive them, and gives them
    // to it (TQZ_menu::setWindows).
    explicit ProgramWindows(TQZ_menu& menu);
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Members are created in the order of their declaration.
    TZ_OProgramu_F oProgramu;
    THlaskaF hlaska;
    TpreviewF preview;
    TR_Vstupni_Form vstup;
    TZ_ExportDat_F exportDat;
    TZ_PocetKopii_F pocetKopii;
    TZ_infoE_F infoE;
    TZ_Info_F info;
};

} // namespace urn
