#pragma once

// Section III of the record T/2, page "T/2 - odd. III" of the data-entry
// window: the number of Annex 1 sheets, the commission's members in total and
// present, the recorder, the names of the other members present (the names
// grid, kept in KOMISE.RCD), the member who hands the record over and the
// other persons present.

#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace urn {

class TSEdit;
class TZColorStringGrid;
struct PrecinctSession;

// A name in KOMISE.RCD holds at most this many characters.
inline constexpr int kDelkaJmenaClena = 50;

// The number of members present N when the text of ClenuOVKP gives the names
// grid its rows: a decimal number of 2 or more (the recorder is member 1, the
// grid holds members 2 to N). Anything else gives 0: no numbered rows, and
// KOMISE.RCD is left as it is.
int pocetClenuProMrizku(const QString& ClenuOVKP);

class CommissionPage : public QWidget {
    Q_OBJECT
public:
    // Leaving a field changes the session's record, saving the names its
    // JmenaKomise; the session must outlive the page.
    explicit CommissionPage(PrecinctSession& session, QWidget* parent = nullptr);

    // Opening of the window: section III fields from the record's Hlaso
    // (already loaded from HLASO.RCD by the window) into the controls, then
    // the names grid rebuilt from KOMISE.RCD for ClenuOVKP (cleared first,
    // then sized and numbered, then filled). Raises InOutError when
    // KOMISE.RCD cannot be read; the grid then has its empty numbered rows.
    // With `zObnovy` (the names of the recovery copy) the rows get those
    // names instead, in order, and KOMISE.RCD is not read.
    void NactiKomisi(const QStringList* zObnovy = nullptr);
    // The names in the grid's rows below the headings, as shown.
    QStringList jmenaVMrizce() const;
    // Stores the texts of every field of the page into the record (THlaso
    // fields, cut to capacity) and brings the grid to the stored ClenuOVKP.
    // The grid's editor writes every keystroke into its cell, so an open
    // editor has nothing left to commit. Cheap and idempotent.
    void UlozPole();
    // Saving, on every page change and on "Uložit": UlozPole(), then for a
    // valid ClenuOVKP the names of the rows shown go to JmenaKomise and
    // KOMISE.RCD (crash-safely through the store); otherwise KOMISE.RCD is
    // left as it is. Raises InOutError when KOMISE.RCD cannot be written.
    void UlozKomisi();
    // Entering the page: PrilListu recomputed from ZaskrtStrany and shown in
    // R_SEdPrilListu.
    void UkazPrilListu();

    // Controls the window needs.
    TSEdit* R_SEdClenuOVKC() const { return m_R_SEdClenuOVKC; }  // the focus on entering the page
    QPushButton* ulozitOkrBtn() const { return m_ulozitOkrBtn; } // F2 focuses and clicks it

    // The other controls, in tab order.
    TSEdit* R_SEdPrilListu() const { return m_R_SEdPrilListu; }
    TSEdit* R_SEdClenuOVKP() const { return m_R_SEdClenuOVKP; }
    TSEdit* R_SEdZapisovat() const { return m_R_SEdZapisovat; }
    TZColorStringGrid* R_JmenaKomise_SG() const { return m_R_JmenaKomise_SG; }
    TSEdit* R_SEdPoverPred() const { return m_R_SEdPoverPred; }
    TSEdit* R_SEdOstatni() const { return m_R_SEdOstatni; }

    QSize sizeHint() const override { return QSize(706, 570); }

signals:
    // "Uložit" was clicked: the window's save (ulozitBtnClick) runs.
    void ulozitOkrBtnClick();

private:
    TSEdit* makeField(const char* name, int maxLength, bool number);
    // The page's sentences above and below the names grid, and the grid.
    void vetyNadJmeny();
    void vetyPodJmeny();
    void mrizkaJmen();
    void R_SEdClenuOVKCExit();
    void R_SEdClenuOVKPExit();
    void R_SEdZapisovatExit();
    void R_SEdPoverPredExit();
    void R_SEdOstatniExit();
    void R_JmenaKomise_SGEnter();
    void R_JmenaKomise_SGExit();
    void R_JmenaKomise_SGKeyPress(QChar& key);
    void upravMrizku();
    void nastavBarvyVyberu(bool focused);

    PrecinctSession& m_session;
    TSEdit* m_R_SEdPrilListu;
    TSEdit* m_R_SEdClenuOVKC;
    TSEdit* m_R_SEdClenuOVKP;
    TSEdit* m_R_SEdZapisovat;
    TZColorStringGrid* m_R_JmenaKomise_SG;
    TSEdit* m_R_SEdPoverPred;
    TSEdit* m_R_SEdOstatni;
    QPushButton* m_ulozitOkrBtn;
    // The ClenuOVKP the grid's rows were last made for.
    QString m_mrizkaPro;
    // KOMISE.RCD could not be read at the last opening: it is not replaced
    // by rows that are all empty, so that what it held is not lost unseen.
    bool m_komiseNenactena = false;
};

} // namespace urn
