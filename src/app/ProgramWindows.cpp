#include "app/ProgramWindows.h"

#include "app/AboutWindow.h"
#include "app/InformationWindow.h"
#include "checks/PrecinctSession.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/CopiesWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "printing/PreviewWindow.h"

namespace urn {

namespace {
template <class T, class... Args> T& made(std::unique_ptr<T>& window, Args&&... args) {
    if (!window)
        window = std::make_unique<T>(std::forward<Args>(args)...);
    return *window;
}
} // namespace

ProgramWindows::ProgramWindows(TQZ_menu& menu) : m_menu(menu) {
    AppWindows w;
    w.oProgramu = WindowRef<TZ_OProgramu_F>([this] { return &oProgramu(); });
    w.hlaska = WindowRef<THlaskaF>([this] { return &hlaska(); });
    w.preview = WindowRef<TpreviewF>([this] { return &preview(); });
    w.vstup = WindowRef<TR_Vstupni_Form>([this] { return &vstup(); });
    w.kontrolniZadani = WindowRef<TR_Vstupni_Form>([this] { return &kontrolniZadani(); });
    w.exportDat = WindowRef<TZ_ExportDat_F>([this] { return &exportDat(); });
    w.pocetKopii = WindowRef<TZ_PocetKopii_F>([this] { return &pocetKopii(); });
    w.infoE = WindowRef<TZ_infoE_F>([this] { return &infoE(); });
    w.info = WindowRef<TZ_Info_F>([this] { return &info(); });
    menu.setWindows(w);
}

ProgramWindows::~ProgramWindows() {
    // The data-entry windows hold the error message window: they go first,
    // and the rest in the reverse order of the members.
    m_kontrolniZadani.reset();
    m_vstup.reset();
    m_info.reset();
    m_infoE.reset();
    m_pocetKopii.reset();
    m_exportDat.reset();
    m_preview.reset();
    m_hlaska.reset();
    m_oProgramu.reset();
    m_menu.setWindows({});
}

TZ_OProgramu_F& ProgramWindows::oProgramu() {
    return made(m_oProgramu, &m_menu);
}
THlaskaF& ProgramWindows::hlaska() {
    return made(m_hlaska, &m_menu);
}
TpreviewF& ProgramWindows::preview() {
    return made(m_preview, &m_menu);
}
TR_Vstupni_Form& ProgramWindows::vstup() {
    if (!m_vstup)
        hlaska();
    if (!m_vstup) {
        made(m_vstup, m_menu.session(), &m_menu, m_hlaska.get());
        // The save's check run prints its protocol as the check command
        // does, into the preview window.
        m_vstup->TiskProtokolu = [this](const PrecinctSession& s) { m_menu.tiskProtokolu(s); };
    }
    return *m_vstup;
}
TR_Vstupni_Form& ProgramWindows::kontrolniZadani() {
    if (!m_kontrolniZadani)
        made(m_kontrolniZadani, m_menu.session(), &m_menu, &hlaska(),
             TRezimVstupu::KontrolniZadani);
    return *m_kontrolniZadani;
}
TZ_ExportDat_F& ProgramWindows::exportDat() {
    return made(m_exportDat, m_menu.session().Stanice, &m_menu);
}
TZ_PocetKopii_F& ProgramWindows::pocetKopii() {
    return made(m_pocetKopii, &m_menu);
}
TZ_infoE_F& ProgramWindows::infoE() {
    return made(m_infoE, &m_menu);
}
TZ_Info_F& ProgramWindows::info() {
    return made(m_info, &m_menu);
}

int ProgramWindows::created() const {
    return bool(m_oProgramu) + bool(m_hlaska) + bool(m_preview) + bool(m_vstup) +
           bool(m_kontrolniZadani) + bool(m_exportDat) + bool(m_pocetKopii) + bool(m_infoE) +
           bool(m_info);
}

} // namespace urn
