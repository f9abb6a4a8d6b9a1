#pragma once

// TQZ_menu, the main window: the commission's whole night on one menu (data
// entry, the check command, export and printing of the record, the counting
// sheet, deleting the data, the printer, help, the test page), with the
// station's precinct in the status line. The commands without the window
// (zrusitPorizenaData, runCheckCommand) are declared here too; they live in
// DeleteCommand.cpp, CheckCommand.cpp and ExportCommand.cpp.

#include "printing/PrintCommands.h"
#include "store/InstallDirs.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QLabel;
class QTimer;

namespace urn {

struct PrecinctSession;
struct TAktOkrsek;
struct TStanice;
class HelpWindow;
class TZ_OProgramu_F;
class THlaskaF;
class TpreviewF;
class TR_Vstupni_Form;
class TZ_ExportDat_F;
class TZ_PocetKopii_F;
class TZ_infoE_F;
class TZ_Info_F;

// One of the windows the main window opens: a window that exists already,
// or the way to create it at its first use, so that starting the program
// builds only the main window. Whoever creates it keeps it and hands the
// same one out again.
template <class T> class WindowRef {
public:
    WindowRef() = default;
    WindowRef(T* window) : m_window(window) {}
    explicit WindowRef(std::function<T*()> create) : m_create(std::move(create)) {}

    T* get() const { return m_window ? m_window : m_create ? m_create() : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return m_window || m_create; }

private:
    T* m_window = nullptr;
    std::function<T*()> m_create;
};

// The other windows.
struct AppWindows {
    WindowRef<TZ_OProgramu_F> oProgramu;
    WindowRef<THlaskaF> hlaska;
    WindowRef<TpreviewF> preview;
    WindowRef<TR_Vstupni_Form> vstup;
    // The same window for the second entry of the numbers.
    WindowRef<TR_Vstupni_Form> kontrolniZadani;
    WindowRef<TZ_ExportDat_F> exportDat;
    WindowRef<TZ_PocetKopii_F> pocetKopii;
    WindowRef<TZ_infoE_F> infoE;
    WindowRef<TZ_Info_F> info;
};

inline constexpr const char* kCaptionMainWindow =
    "Volby do Evropského parlamentu - pořízení dat okrskovými volebními komisemi";

// The delete command ("Zrušení pořízených dat") without the window: after
// the user's yes, deletes the station's data file of kind "O", or of kind
// "E" when there is none. Sections I and III, the members' names and the
// export mark stay. Returns true when a file was deleted.
bool zrusitPorizenaData(PrecinctSession& session);

// The check command ("&Kontroly", F3) without the window: after an export it
// asks first (No ends it); with no saved data it warns "Data nejsou
// pořízena!" and sets DataOK false; otherwise the check sequence for the
// check command, the protocol printed with `tiskProtokolu`, the closing
// record recomputed, and the data saved as kind "E" when the run found
// blocking errors (the file of kind "O" then removed), as kind "O"
// otherwise. Messages go through dialogs(). Returns true when the check
// ran. File errors raise UrnariumError for the general error handler.
bool runCheckCommand(PrecinctSession& session,
                     const std::function<void(const PrecinctSession&)>& tiskProtokolu);

// The texts of the status line.
QString statusObecText(const TStanice& stanice);
QString statusOkrsekText(const TStanice& stanice);

class TQZ_menu : public QMainWindow {
    Q_OBJECT
public:
    // Decides the installation layout from the program's path and parameters.
    // When the start is refused the message has been shown and refused() is
    // true: the caller ends the program without showing any window. The
    // commands work on `session`, which must outlive the window.
    TQZ_menu(PrecinctSession& session, const QString& executablePath, const QStringList& parameters,
             QWidget* parent = nullptr);
    ~TQZ_menu() override;

    bool refused() const { return m_refused; }
    PrecinctSession& session() const { return m_session; }
    // The windows the commands show; the data-entry window's follow-up after
    // a save is this window's export-and-print command.
    void setWindows(const AppWindows& windows);
    const AppWindows& windows() const { return m_windows; }

    // True after the opening steps succeeded (station configuration read,
    // catalogue loaded); the commands stay disabled otherwise.
    bool opened() const { return m_opened; }

    // The export-and-print command ("&Export dat a tisk zápisu", F4), also
    // the follow-up the data-entry window offers after a save. Refuses data
    // that were not checked, checks the saved data once more (printing no
    // protocol), reports passable errors and warnings, lets the commission
    // export, and after a successful export marks the station's data as
    // exported, asks for the number of copies and prints the record. File
    // errors raise UrnariumError for the general handler.
    void ExportTisk_MIClick();

    // Prints the session's record in the chosen number of copies
    // (TiskZapisu; tests put a recorder here).
    std::function<void(int)> tiskZapisu;
    // Prints the protocol of the check command's run (tests put a recorder
    // here).
    std::function<void(const PrecinctSession&)> tiskProtokolu;

    // The window "Nápověda" shows the guide in; made at its first use.
    HelpWindow* helpWindow();

    QString statusObec() const;
    QString statusOkrsek() const;
    // "Kontrolní zadání: neprovedeno / shoda / rozdíly (N)".
    QString statusKontrolniZadani() const;
    QAction* action(const QString& objectName) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // The name of the help file beside the program.
    static QString helpFileName();

private slots:
    void FormShowOpening();
    void TimerTick();

private:
    void PorizeniDat_MIClick();
    // The second entry ("Kontrolní zadání", F5); a difference the commission
    // chooses to correct opens the data-entry window on it.
    void KontrolniZadani_MIClick();
    void Kontroly_MIClick();
    void ZruseniDat_MIClick();
    void ScitaciArch_MIClick();
    void ZkusebniTisk_MIClick();
    void VyberTiskarny_MIClick();
    void Napoveda_MIClick();
    void OProgramu_MIClick();
    void Konec_MIClick();

    // The record of the station in `kopie` copies and the preview window.
    void TiskZapisuDoNahledu(int kopie);
    // The window printouts are shown in.
    TpreviewF& nahled() const;

    void buildMenu();
    void buildClientArea();
    void updateCommands();
    // The second entry's state in the status line, and its command enabled
    // when the precinct has a data file; after every command, which may have
    // changed either.
    void ukazKontrolniZadani();
    // Runs a menu command; an exception escaping it is reported by the
    // general error handler and the program goes on.
    void connectCommand(const char* objectName, void (TQZ_menu::*command)());

    PrecinctSession& m_session;
    bool m_refused = false;
    bool m_firstShow = true;
    bool m_opened = false;
    AppWindows m_windows;
    QLabel* m_statusObec = nullptr;
    QLabel* m_statusOkrsek = nullptr;
    QLabel* m_statusKontrolni = nullptr;
    QTimer* m_timer = nullptr;
    HelpWindow* m_help = nullptr;
};

// The question of the data-entry command after an export.
inline constexpr const char* kOtazkaZnovuUpravovat =
    "Data okrsku byla již vyexportována.\rV případě znovuotevření dat budete muset zopakovat "
    "export dat i tisk zápisu.\rChcete opravdu znovu upravovat data?";

inline constexpr const char* kHelpFileName = "Urnarium.html";

// The invitation of the export-and-print command before the export window.
inline constexpr const char* kTitulekExportPovolen = "TISK ZÁPISU I EXPORT DAT POVOLEN.";
inline constexpr const char* kTextVlozteNosic =
    "Pro export na USB disk\rvložte (zapojte) technický nosič,\rna který chcete data "
    "exportovat.\r\rPokud žádný nevložíte,\rbude umožněn jen export dat na pevný disk.";
// Its text: kTextVlozteNosic, then the precinct's second-entry state.
QString textPozvaniKExportu(const TAktOkrsek& okrsek);

} // namespace urn
