#pragma once

// TR_Vstupni_Form, the data-entry window: the commission types the record
// T/2 of its precinct here, page by page (section I, section II with the
// parties that received votes, Annex 1, section III), every change of page
// saves the whole record, and "Uložit" saves, checks and offers export and
// printing.
//
// The same window serves the second entry: another member types the
// numbers of section II and Annex 1 once more, into a record of the
// window's own, and compares them with the saved record
// (SecondEntryMode.cpp).

#include "checks/SecondEntry.h"
#include "entry/EntryWidgets.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace urn {

class AnnexPage;
class CommissionPage;
class RecoveryWriter;
class SectionOnePage;
class SectionTwoPage;
class THlaskaF;
class TRozdilyZadani_F;
struct PrecinctSession;
struct RecoveryCopy;

// What the window is opened for.
enum class TRezimVstupu {
    // The record: typed or corrected, saved on every change of page, checked
    // at "Uložit".
    Zapis,
    // The second entry: pages "T/2 - odd. II" and "Příloha č. 1" only, every
    // number empty, no control numbers, no findings while typing; F2 or
    // "Porovnat" compares with the saved record. Nothing is written but the
    // outcome of the comparison.
    KontrolniZadani,
};

class TR_Vstupni_Form : public QDialog, public TOznamovatel {
    Q_OBJECT
public:
    // The window enters the session's precinct; the session must outlive
    // it. `hlaska` is the program's error message window; without one the
    // window makes its own. For the second entry the window types into a
    // session of its own and reads the station from `session`.
    explicit TR_Vstupni_Form(PrecinctSession& session, QWidget* parent = nullptr,
                             THlaskaF* hlaska = nullptr, TRezimVstupu rezim = TRezimVstupu::Zapis);
    ~TR_Vstupni_Form() override;

    // Runs the main window's export-and-print command; "Yes" after a save
    // that passed the checks calls it.
    std::function<void()> ExportTisk;
    // Prints the protocol of the save's check run; the program points it at
    // the preview window, tests at a recorder. Unset, nothing is printed.
    std::function<void(const PrecinctSession&)> TiskProtokolu;

    // Opening: the record from the files on disk into the controls. Runs
    // every time the window is shown.
    void FormShow();

    // The page commands of the hidden menu and the buttons.
    void PageDownMIClick();
    void PageUpMIClick();
    void KCisloMI1Click();
    void UlozitMIClick();
    void PokracovatBBtnClick();
    void R_Dalsi2_BtnClick();
    void ulozitBtnClick();
    void zrusitBtnClick();
    // Closing without saving ("Zrušit", Esc, the title bar): asks first.
    void reject() override;

    // A change of page with its guards and its save; false when refused
    // (page 2 without a ticked party, a value that cannot be stored, a save
    // that failed).
    bool R_TN_T2PRChange(int nova);
    // Where the focus goes on the page now shown.
    void R_TN_T2PRClick();

    // The second entry: compares what was typed with the saved record (F2,
    // "Porovnat"), keeps the outcome and shows it.
    void Porovnat();
    bool kontrolniZadani() const { return m_rezim == TRezimVstupu::KontrolniZadani; }
    // The next opening shows the saved record at this value instead of the
    // first page (a difference of the second entry to correct); once.
    void otevritNa(const std::optional<TRozdil>& udaj) { m_otevritNa = udaj; }
    // After the second entry has closed: the value the commission chose to
    // correct in the saved record, if it chose one.
    const std::optional<TRozdil>& vybranaOprava() const { return m_oprava; }
    // "Porovnat" on page "T/2 - odd. II" or "Příloha č. 1" (second entry).
    QPushButton* porovnatBtn(int stranka) const;
    TRozdilyZadani_F* rozdilyF();

    // The summary computations that run before every save.
    void ProcDopoctiT2ZakrStrana();
    bool JeVybranaStrana() const;

    // TOznamovatel
    void Hlaska(const THlaseni& hlaseni, QWidget* oprEdit) override;
    void OdmitniHodnotu(TSEdit* pole, const QString& zprava) override;
    bool KontrolyOdpojeny(const QWidget* pole) const override;

    QTabWidget* R_TN_T2PR() const { return sObsahem().m_zalozky; }
    SectionOnePage* strankaOddI() const { return sObsahem().m_oddI; }
    SectionTwoPage* strankaOddII() const { return sObsahem().m_oddII; }
    AnnexPage* strankaPrilohy() const { return sObsahem().m_priloha; }
    CommissionPage* strankaKomise() const { return sObsahem().m_komise; }
    void setVisible(bool visible) override;
    THlaskaF* hlaskaF() const { return m_hlaska; }
    // Keeps the recovery copy of what was typed since the last save.
    RecoveryWriter* obnova() const { return sObsahem().m_obnova; }
    QAction* akce(const char* jmeno) const;
    // True while the window is being closed without saving.
    bool zavira() const { return m_zavirani; }

    inline static const char* const kCaption = "Vstup dat za okrsek";
    inline static const char* const kCaptionKontrolni = "Kontrolní zadání - Vstup dat za okrsek";
    inline static const char* const kKontrolniStitek = "KONTROLNÍ ZADÁNÍ – nic se neukládá";
    inline static const char* const kOtazkaUkoncitKontrolni =
        "Ukončit kontrolní zadání bez porovnání?\r\rČísla napsaná v kontrolním zadání se "
        "zahodí. Uložená data okrsku zůstanou beze změny.";
    inline static const char* const kVysledekNeulozen =
        "Výsledek kontrolního zadání nelze uložit:\r%1\r\rHlavní okno bude ukazovat "
        "„Kontrolní zadání: neprovedeno“.";
    inline static const char* const kOtazkaZavrit =
        "Opravdu ukončit pořizování bez uložení změn na aktuální záložce?";
    inline static const char* const kOtazkaExport =
        "Chcete pokračovat exportem dat a tiskem zápisu?";
    inline static const char* const kOtazkaTisk =
        "Data obsahují propustitelné chyby.\r\rChcete pokračovat tiskem zápisu?";
    inline static const char* const kExportNeniKDispozici =
        "Export dat a tisk zápisu nelze z tohoto okna spustit.\rData jsou uložena a "
        "zkontrolována; export a tisk spusťte v hlavním okně příkazem „Export dat a tisk "
        "zápisu“ (F4).";
    // The recovery copy found when the window opens; %1 is when it was
    // written.
    inline static const char* const kOtazkaObnova =
        "Pořizování dat nebylo minule řádně ukončeno (program nebo počítač přestal pracovat) a "
        "zůstaly po něm neuložené změny z %1.\r\rChcete neuložené změny obnovit?\r\rAno: změny "
        "se vrátí do okna a uloží se jako obvykle při přechodu na jinou záložku nebo tlačítkem "
        "„Uložit“.\rNe: neuložené změny budou zahozeny.";
    inline static const char* const kObnovaStarsi =
        "Neuložené změny z %1 byly zahozeny: data okrsku byla později uložena znovu (%2).\rOkno "
        "ukazuje uložená data.";
    inline static const char* const kObnovaJinyOkrsek =
        "Neuložené změny z %1 patří jinému okrsku (obec %2, okrsek %3) a byly zahozeny.\rOkno "
        "ukazuje uložená data okrsku této stanice.";
    inline static const char* const kObnovaPoskozena =
        "Neuložené změny z přerušeného pořizování nelze obnovit:\r%1\r\rByly zahozeny; okno "
        "ukazuje uložená data.";

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void FormCreate();
    // The pages and the hidden menu, built at the first need.
    void vytvorObsah();
    TR_Vstupni_Form& sObsahem() const;
    void FormCloseQuery();
    // The record and sections I to III from memory into the controls.
    // What every opening starts with: the flags of the last showing cleared,
    // the window over the main window, the party list and the candidates
    // read, a box per party, and the record emptied.
    void pripravZobrazeni();
    void ukazZaznam();
    // The recovery copy: what it would hold now; the question whether to
    // restore the one found at opening (returns what the copy kept holds,
    // empty when none is kept); the restore itself.
    QByteArray stavObnovy() const;
    QByteArray nabidniObnovu();
    void obnov(const RecoveryCopy& kopie);
    void vytvorMenu();
    // The second entry's pages: two of the four, a label that says what the
    // window is, and "Porovnat".
    void vytvorKontrolniZadani();
    void FormShowKontrolni();
    // The section II numbers from their fields into the record, as leaving
    // them does; false (and the field named) when one does not fit.
    bool prevezmiOddII();
    // Whether the window has the page: the second entry has two.
    bool stranaOtevrena(int stranka) const;
    // Closes the second entry without asking.
    void zavritKontrolni(int vysledek);
    // The page and field of a compared value, with the focus in it; just
    // after opening the page changes without the save that a change of
    // page makes otherwise.
    void ukazUdaj(const TRozdil& udaj, bool bezUlozeni);
    // Saving on every page change and at "Uložit": the computed numbers of
    // the record; the save itself, false (and nothing written) when a typed
    // number cannot be stored; the save before a page change, after the field
    // being edited was left, false when the change must not happen.
    void prepocti();
    bool UlozVse();
    bool ulozPriZmene();
    void ulozDataE();
    // Moves the focus off the field being edited, so that it is left (its
    // value stored, its checks queued) before anything else happens.
    void opustPole();
    void zobrazStranku(int stranka);
    int strankaOvladace(const QWidget* w) const;
    void ukazHlaseni(const THlaseni& hlaseni, QWidget* oprEdit);
    void ukazOdmitnuti(TSEdit* pole, const QString& zprava);
    void Opravit(TSEdit* a, QWidget* cil, int strana);
    void poAktivaci(std::function<void()> akce);
    void pripravTlacitka();

    TRezimVstupu m_rezim;
    // The second entry's own session: what it types never reaches the
    // program's. Declared before the references that may point to it.
    std::unique_ptr<PrecinctSession> m_vlastni;
    PrecinctSession& m_hlavni;  // the program's session
    PrecinctSession& m_session; // the one typed into
    THlaskaF* m_hlaska = nullptr;
    QTabWidget* m_zalozky = nullptr;
    SectionOnePage* m_oddI = nullptr;
    SectionTwoPage* m_oddII = nullptr;
    AnnexPage* m_priloha = nullptr;
    CommissionPage* m_komise = nullptr;
    QAction* m_ulozitMI = nullptr;
    RecoveryWriter* m_obnova = nullptr; // none for the second entry
    QPushButton* m_porovnat[2] = {};    // on pages 1 and 2 (second entry)
    TRozdilyZadani_F* m_rozdily = nullptr;
    std::optional<TRozdil> m_otevritNa;
    std::optional<TRozdil> m_oprava;

    bool m_zavirani = false;                  // the closing flag
    bool m_otazkaPripojena = false;           // FormCloseQuery attached
    int m_cekajiciHlaseni = 0;                // reports posted and not yet answered
    bool m_hlaskaBezi = false;                // the message window is on screen
    QPointer<QPushButton> m_zadrzeneTlacitko; // a click held back while a report waits
    QPointer<TSEdit> m_odpojene;              // the field whose checks are detached
    QPointer<TSEdit> m_odmitnute;             // a field whose value was refused
    std::function<void()> m_poAktivaci;
};

} // namespace urn
