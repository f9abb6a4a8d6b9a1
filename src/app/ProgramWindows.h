#pragma once

// The windows that follow the main window. Each is made, as a child of
// the main window, when it is first opened, and kept for the rest of the run:
// start-up builds only the main window. The program's main() and the tests
// that drive the whole program create them the same way.

#include "app/MainWindow.h"

#include <memory>

namespace urn {

class ProgramWindows {
public:
    // Gives `menu`, which must outlive this, the way to the windows
    // (TQZ_menu::setWindows), and printouts the way to the preview window.
    // The windows work on the main window's session.
    explicit ProgramWindows(TQZ_menu& menu);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    TZ_OProgramu_F& oProgramu();
    THlaskaF& hlaska();
    TpreviewF& preview();
    TR_Vstupni_Form& vstup();
    TR_Vstupni_Form& kontrolniZadani();
    TZ_ExportDat_F& exportDat();
    TZ_PocetKopii_F& pocetKopii();
    TZ_infoE_F& infoE();
    TZ_Info_F& info();

    // How many of them have been made so far.
    int created() const;

private:
    TQZ_menu& m_menu;
    std::unique_ptr<TZ_OProgramu_F> m_oProgramu;
    std::unique_ptr<THlaskaF> m_hlaska;
    std::unique_ptr<TpreviewF> m_preview;
    std::unique_ptr<TR_Vstupni_Form> m_vstup;
    std::unique_ptr<TR_Vstupni_Form> m_kontrolniZadani;
    std::unique_ptr<TZ_ExportDat_F> m_exportDat;
    std::unique_ptr<TZ_PocetKopii_F> m_pocetKopii;
    std::unique_ptr<TZ_infoE_F> m_infoE;
    std::unique_ptr<TZ_Info_F> m_info;
};

} // namespace urn
