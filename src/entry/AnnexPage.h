#pragma once

// Page "Příloha č. 1" of the data-entry window: one ticked party after
// another, its votes and the preferential votes of its candidates, with the
// control numbers of its sheet.

#include "entry/FieldRules.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

namespace urn {

class TOznamovatel;
class TSEdit;
struct PrecinctSession;

class AnnexPage : public QWidget {
    Q_OBJECT
public:
    // Leaving a field changes the session's record; the page shows the
    // session's candidate table. Both must outlive the page.
    AnnexPage(PrecinctSession& session, TOznamovatel& oznamovatel, QWidget* parent = nullptr);

    // The party selector: one item per ticked party in list order; the first
    // selected and loaded. Filling it does not run the change handler on a
    // half-built list.
    void PostavVyber(const QList<TStranaVstupu>& zaskrtnute);
    // Whether the selector lists exactly these parties.
    bool vyberOdpovida(const QList<TStranaVstupu>& zaskrtnute) const;
    bool vyberPrazdny() const;
    void vyprazdniVyber();
    // Selects the item of party `strana` and loads it; false when the
    // selector does not list the party.
    bool vyberStranu(int strana);
    // Loads the sheet of party `strana` into the page (the selected item
    // gives the candidate count).
    void ProcNatahniStranu(int strana);
    // The party whose sheet the page shows (0 before the first one).
    int zobrazenaStrana() const { return m_zobrazena; }
    int pocetKandidatu() const { return m_pocetKandidatu; }

    // For the second entry: votes that are 0 show empty when a party comes
    // up, as nothing typed yet, and the sheet's control numbers and last
    // candidate are not shown.
    void setKontrolniZadani(bool kontrolni) { m_kontrolniZadani = kontrolni; }

    // Field that check 16 returns to: the valid votes of section II.
    void setPlatneHlasy(TSEdit* pole) { m_platneHlasy = pole; }

    QComboBox* R_CBT2P_1() const { return m_vyber; }
    TSEdit* R_EdCisStr() const { return m_cisStr; }
    TSEdit* R_EdPocHl() const { return m_pocHl; }
    TSEdit* R_EdT2PKC2() const { return m_kc2; }
    TSEdit* R_EdT2PKC3() const { return m_kc3; }
    TSEdit* R_EdT2PKC4() const { return m_kc4; }
    TSEdit* R_EdT2PPoslKand() const { return m_poslKand; }
    QCheckBox* R_T2POpravaCB() const { return m_t2POprava; }
    // Candidate row i (1..28).
    TSEdit* prefPole(int kandidat) const { return m_pref.at(kandidat - 1); }
    QLabel* cisloKandidata(int kandidat) const { return m_cislo.at(kandidat - 1); }
    QLabel* nasobek(int kandidat) const { return m_nasobek.at(kandidat - 1); }
    QWidget* oddelovac(int i) const { return m_oddelovace[i]; }
    QWidget* panelKandidatu() const { return m_panel; }

signals:
    // Enter in the last party's "last candidate" field: the window goes on
    // to section III.
    void posledniStranaOpustena();

private:
    // The panel of the candidates, and on it the sheet's control numbers 3
    // and 4 and its last candidate.
    void panelKandidatu();
    void cislaListu(QWidget* panel);
    void R_CBT2P_1Change(int index);
    void R_EdPocHlExit();
    void R_PanVstupT2P_1Exit(int kandidat);
    void R_EdT2PPoslKandExit();
    void UkazCislaListu();
    // A typed number as the page shows it when a party comes up.
    QString cisloKZobrazeni(qint64 v) const;
    void ulozRozepsane();
    bool eventFilter(QObject* o, QEvent* e) override;

    PrecinctSession& m_session;
    TOznamovatel& m_oznamovatel;
    QComboBox* m_vyber = nullptr;
    TSEdit* m_cisStr = nullptr;
    TSEdit* m_pocHl = nullptr;
    TSEdit* m_kc2 = nullptr;
    TSEdit* m_kc3 = nullptr;
    TSEdit* m_kc4 = nullptr;
    TSEdit* m_poslKand = nullptr;
    TSEdit* m_platneHlasy = nullptr;
    QCheckBox* m_t2POprava = nullptr;
    QWidget* m_panel = nullptr;
    QWidget* m_oddelovace[2] = {};
    QList<TSEdit*> m_pref;
    QList<QLabel*> m_cislo;
    QList<QLabel*> m_nasobek;
    int m_zobrazena = 0;
    int m_pocetKandidatu = 0;
    bool R_T2PPoslKandjeEnter = false;
    bool m_kontrolniZadani = false;
};

} // namespace urn
