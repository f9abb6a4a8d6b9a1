#pragma once

// Page "T/2 - odd. II" of the data-entry window: the identification, the four
// numbers of section II with control number 2, and one check box per party
// of the list for the parties that received at least one valid vote.

#include "entry/FieldRules.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;

namespace urn {

class TOznamovatel;
class TSEdit;
struct PrecinctSession;

class SectionTwoPage : public QWidget {
    Q_OBJECT
public:
    // Leaving a field or ticking a party changes the session's record; both
    // must outlive the page.
    SectionTwoPage(PrecinctSession& session, TOznamovatel& oznamovatel, QWidget* parent = nullptr);

    // One check box per party that the record can hold, in list order,
    // columns of fifteen; built anew when the list differs from the one the
    // boxes stand for.
    void PostavZaskrtavatka(const QList<TStranaVstupu>& strany);
    const QList<TStranaVstupu>& strany() const { return m_strany; }
    // Every box ticked exactly when the party's character is "1".
    void NastavZaskrtnuti(const TVetaT2& t2);
    // The ticked parties in list order.
    QList<TStranaVstupu> zaskrtnuteStrany() const;
    QList<int> zaskrtnutaCisla() const;
    // True when at least one party is ticked.
    bool JeVybranaStrana() const;

    // For the second entry: numbers that are 0 show empty, as nothing typed
    // yet, and control number 2 is not shown.
    void setKontrolniZadani(bool kontrolni) { m_kontrolniZadani = kontrolni; }

    // The section II numbers, control numbers and identification from the
    // record.
    void UkazOddII(const TVetaT2& t2, const QString& nazevObce);
    void UkazKontrolniCisla(const TVetaT2& t2);
    // Stores the four numbers as leaving them does, without their checks;
    // false (and nothing stored for it) when one does not fit the data file.
    bool UlozPole(TVetaT2& t2, QString* zprava = nullptr, TSEdit** odmitnute = nullptr) const;

    TSEdit* R_EdZapsOsoby() const { return m_pole[0]; }
    TSEdit* R_EdVydObalky() const { return m_pole[1]; }
    TSEdit* R_EdOdevzdObalky() const { return m_pole[2]; }
    TSEdit* R_EdPlatneHlasy() const { return m_pole[3]; }
    TSEdit* R_EdT2KC_2() const { return m_kc2; }
    TSEdit* R_EdObec() const { return m_obec; }
    QPushButton* R_Dalsi2_Btn() const { return m_dalsi; }
    QPushButton* zrusitBtn() const { return m_zrusit; }
    QPushButton* ulozitBtn() const { return m_ulozit; }
    QCheckBox* zaskrtavatko(int cisloStrany) const;
    QList<QCheckBox*> zaskrtavatka() const { return m_boxy; }
    QList<QCheckBox*> skrytaZaskrtavatka() const;

signals:
    void R_Dalsi2_BtnClick();
    void zrusitBtnClick();
    void ulozitBtnClick();
    // A party was ticked or unticked (stored into the record at once).
    void zaskrtnutiZmeneno();

private:
    void exitOddII(int index);
    bool eventFilter(QObject* o, QEvent* e) override;

    PrecinctSession& m_session;
    TOznamovatel& m_oznamovatel;
    TSEdit* m_obec = nullptr;
    TSEdit* m_okrsek = nullptr;
    TSEdit* m_kc1 = nullptr;
    QLabel* m_nazevObce = nullptr;
    TSEdit* m_pole[4] = {};
    TSEdit* m_kc2 = nullptr;
    QWidget* m_panel = nullptr;
    QPushButton* m_dalsi = nullptr;
    QPushButton* m_zrusit = nullptr;
    QPushButton* m_ulozit = nullptr;
    QCheckBox* m_t2Oprava = nullptr;
    QCheckBox* m_t2ZapisTN = nullptr;
    QList<TStranaVstupu> m_strany;
    QList<QCheckBox*> m_boxy;
    bool m_kontrolniZadani = false;
};

} // namespace urn
