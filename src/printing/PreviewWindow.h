#pragma once

// TpreviewF, the preview window: where the commission looks at a finished
// document, pages through it, zooms, chooses printer, pages and copies, and
// prints. Printouts record their documents in the page store of its preview
// control (or print them through it directly); the window follows the
// control's documents and shows them.

#include <QDialog>
#include <QList>

#include <functional>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QToolButton;
class QWidget;

namespace urn {

class TPrintPreview;
struct TPrintResult;

// What the print dialog shows and what the user chose in it.
struct TNastaveniTisku {
    int MinStrana = 1;
    int MaxStrana = 1;
    int OdStrany = 1;
    int DoStrany = 1;
    int Kopie = 1;
    bool Rozsah = false;      // the user chose a page range, not all pages
    bool NabidkaStran = true; // the dialog offers a choice of pages
    // The pages chosen, in order, when they are not all of OdStrany ..
    // DoStrany ("3,5", or only the odd ones); empty otherwise.
    QList<int> Strany;
};

// What the commission is told when printing finds no printer, and when
// nothing was printed.
inline constexpr const char* kTiskCaption = "Tisk";
inline constexpr const char* kZadnaTiskarna =
    "Není vybrána žádná tiskárna.\rV následujícím okně zvolte tiskárnu nebo „Tisk do souboru "
    "(PDF)“.";
inline constexpr const char* kNicNevytisteno = "Nic nebylo vytištěno.";

class TpreviewF : public QDialog {
    Q_OBJECT
public:
    explicit TpreviewF(QWidget* parent = nullptr);
    ~TpreviewF() override;

    // Shows the finished document; returns when the window is closed.
    void ShowModal();
    // Before a printout prints copies directly: makes sure they have a
    // printer or a file to go to. Without one the user is told so and
    // offered the print dialog; printing into a file that exists needs the
    // dialog to have shown its name. Returns the number of copies to print
    // (as the dialog was answered, else `kopie`), or 0 when nothing is to
    // be printed, which the user has then been told.
    int PripravPrimyTisk(int kopie);

    TPrintPreview* PrintPreview() const { return m_preview; }

    int PocetStran = 0; // pages begun since the control's document began
    int PocetKopii = 1;
    int odStrany = 1;
    int doStrany = 5;
    // The pages chosen one by one; empty when odStrany .. doStrany are.
    QList<int> seznamStran;
    // The pages "Tisk" prints: the chosen ones that the document has.
    QList<int> StranyKTisku() const;

    // The status line: what the last print sent and where, or why nothing
    // was printed. A new document clears it.
    void OznamTisk(const QString& text);
    // Tells what a print job sent and where; a stopped printer is also
    // reported in a message, as nothing will come out of it yet.
    void OznamTisk(const TPrintResult& vysledek);
    QString StavovyRadek() const;

    // ---- window operations ----
    void FormShow();
    void FormResize();
    void zoomCBChange(int index);
    void firstSBClick();
    void priorSBClick();
    void nextSBClick();
    void lastSBClick();
    void aktBtn();
    void PrintPreviewChange();
    void printerSetupSBClick();
    void printBtnClick();
    void zavritBtnClick();

    // Replaces the modal showing (tests look at the pages instead).
    std::function<void(TpreviewF&)> showHook;
    // Replaces the system's print dialog: gets what the dialog would show,
    // returns whether the user confirmed, with the choice filled in.
    std::function<bool(TNastaveniTisku&)> printDialogHook;

    static constexpr int kMinSirka = 600;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void vytvorPanel();
    // A document begins in the preview control: the choices made for the
    // previous one (copies, pages, the confirmed file) are not this one's,
    // and the status line is cleared.
    void ZacatekDokumentu();
    // A page begins: counted, and the range is all pages again.
    void NovaStranaDokumentu();
    bool OtevriDialog(TNastaveniTisku& n);
    // Says that there is no printer to print to, before the print dialog
    // is offered.
    void ohlasChybejiciTiskarnu();
    // The print dialog over the window's pages and copies; true when confirmed.
    bool NastaveniTiskarny();
    // Printing into a file: the file this document is offered under.
    QString souborDokumentu() const;
    void nabidniSouborDokumentu();
    // Makes the chosen output ready for this document; false when the user
    // cancelled the print dialog that had to confirm it.
    bool pripravVystup();
    // The pages the confirmed system dialog chose: a range, a list, odd
    // or even pages.
    static void prevezmiVyberStran(QPrinter& printer, TNastaveniTisku& n);

    QWidget* previewP = nullptr;
    QLabel* LupaL = nullptr;
    QComboBox* zoomCB = nullptr;
    QToolButton* firstSB = nullptr;
    QToolButton* priorSB = nullptr;
    QToolButton* nextSB = nullptr;
    QToolButton* lastSB = nullptr;
    QLabel* pageNL = nullptr;
    QToolButton* printerSetupSB = nullptr;
    QPushButton* printBtn = nullptr;
    QPushButton* zavritBtn = nullptr;
    QLabel* stavTiskuL = nullptr;
    TPrintPreview* m_preview = nullptr;
    // The output file the print dialog has shown for this document.
    QString m_potvrzenySoubor;
};

// Applies the print dialog's answer to the page range and copies of the
// window: a confirmed range or all pages; copies never below 1.
void PrevezmiNastaveni(TpreviewF& okno, bool potvrzeno, const TNastaveniTisku& n);

// What a print job sent and where, for the status line: "Odesláno na
// tiskárnu „…“: 3 strany." or "Uloženo do souboru „…“ (1 strana)."
QString ZpravaOTisku(const TPrintResult& vysledek);

} // namespace urn
