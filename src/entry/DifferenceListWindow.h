#pragma once

// TRozdilyZadani_F, the difference list of the second entry: every value in
// which the second entry differs from the saved record, with both values,
// and the way on: correct the saved record at the chosen value, go back to
// the second entry, or close.

#include "checks/SecondEntry.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace urn {

class TRozdilyZadani_F : public QDialog {
    Q_OBJECT
public:
    enum Volba {
        Opravit, // correct the saved record at the chosen value
        Zpet,    // back to the second entry (also Esc)
        Zavrit,  // close the second entry; the outcome is kept
    };

    explicit TRozdilyZadani_F(QWidget* parent = nullptr);

    // Shows the differences modally, the first one chosen; returns what the
    // commission chose, the difference in vybrany().
    Volba Ukaz(const QList<TRozdil>& rozdily);
    int vybrany() const;

    QTableWidget* Rozdily_SG() const { return m_rozdily; }
    QLabel* Nadpis_Lbl() const { return m_nadpis; }

    inline static const char* const kCaption = "Kontrolní zadání - rozdíly";
    inline static const char* const kNadpis = "Zadání se neshodují. Počet rozdílů: %1";
    inline static const char* const kPokyn =
        "Ověřte údaj podle zápisu na papíře.\rJe-li chyba v uloženém zápisu, zvolte „Opravit“: "
        "otevře se pořízení dat na tomto údaji. Opravu uložte a kontrolní zadání proveďte "
        "znovu.\rJe-li chyba v kontrolním zadání, zvolte „Zpět ke kontrolnímu zadání“ a opravte "
        "ji tam.";

protected:
    void reject() override;

private:
    QLabel* m_nadpis = nullptr;
    QTableWidget* m_rozdily = nullptr;
    QPushButton* m_opravit = nullptr;
    QPushButton* m_zpet = nullptr;
    QPushButton* m_zavrit = nullptr;
    Volba m_volba = Zpet;
};

} // namespace urn
