#pragma once

// Small pieces shared by the pages of the data-entry window: building entry
// fields and labels at pixel positions, and the window's side of what the
// pages report.

#include "entry/FieldRules.h"
#include "ui/EntryEdit.h"

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace urn {

// What a page asks of its window while the commission types. The window
// decides when and how a finding is shown.
class TOznamovatel {
public:
    virtual ~TOznamovatel();
    // A check of the field just left failed: report it (after the focus
    // change), "Opravit" returning to `oprEdit`.
    virtual void Hlaska(const THlaseni& hlaseni, QWidget* oprEdit) = 0;
    // The typed value cannot be stored: say why and return to the field.
    virtual void OdmitniHodnotu(TSEdit* pole, const QString& zprava) = 0;
    // True while the checks of `pole` are detached because the window moves
    // the focus away from it itself; its value is still stored.
    virtual bool KontrolyOdpojeny(const QWidget* pole) const = 0;
};

// The fonts of the window: Arial for the form's texts and fields, Courier New
// for the candidate rows (digits line up in columns).
QFont pismoStranek();                     // Arial 13 px bold: tabs, fields, buttons
QFont pismoPopisku();                     // Arial 12 px: the texts of the form
QFont pismoKandidatu(bool tucne = false); // Courier New 12 px

struct TVlastnostiPole {
    TValueType typ = vtString;
    int maxDelka = 0;
    bool vpravo = false; // right-aligned numbers
    bool ramecek = true; // section I and III fields are borderless
    QString vychozi;     // default value of an emptied field
};

// The background of a page: the button face on which the white fields of
// the form stand out.
void nastavPozadiStranky(QWidget* stranka);

// An entry field at a pixel position.
TSEdit* vytvorPole(QWidget* rodic, const char* jmeno, const QRect& kde,
                   const TVlastnostiPole& vlastnosti);
// A field that only shows a computed number: disabled, right-aligned.
TSEdit* vytvorZobrazeni(QWidget* rodic, const char* jmeno, const QRect& kde);
// A label of the form with its top-left corner at (x, y), as wide as its text.
QLabel* vytvorPopisek(QWidget* rodic, const QString& text, int x, int y,
                      const QFont& pismo = pismoPopisku());
// A push button that never acts on Enter typed elsewhere in the window: in a
// dialog every button would otherwise be an auto-default one.
QPushButton* vytvorTlacitko(QWidget* rodic, const char* jmeno, const QString& text,
                            const QRect& kde);

// The field's background: the window colour when it takes input, the
// button-face colour when it is disabled.
void nastavBarvyPole(TSEdit* pole);
// The text colour of a field or label (candidate rows turn blue while edited).
void nastavBarvuTextu(QWidget* w, const QColor& barva);

// The identification row of pages 0 and 1: municipality, precinct, control
// number 1 (disabled) and the municipality's name, under their headings.
struct TIdentifikace {
    TSEdit* obec = nullptr;
    TSEdit* okrsek = nullptr;
    TSEdit* kc1 = nullptr;
    QLabel* nazevObce = nullptr;
    void ukaz(const QString& obecText, const QString& okrsekText, const QString& kc1Text,
              const QString& nazev) const;
};
TIdentifikace vytvorIdentifikaci(QWidget* rodic, int y, const char* obec, const char* okrsek,
                                 const char* kc1, const char* nazev);

// Moves the focus on from `w` to the next control in tab order, as the Tab
// key does (a radio pair counts as one stop).
void naDalsiOvladac(QWidget* w);

// Places controls one after another on a line of text, left to right.
class TRadek {
public:
    TRadek(QWidget* rodic, int x, int y, int vyska = 20);
    // A text; returns it. `mezera` pixels follow it.
    QLabel* text(const QString& text, int mezera = 4);
    // A field of the given width.
    TSEdit* pole(const char* jmeno, int sirka, const TVlastnostiPole& vlastnosti, int mezera = 4);
    // Any widget, sized to its own hint or the given width.
    void widget(QWidget* w, int sirka = -1, int mezera = 4);
    int x() const { return m_x; }
    void posun(int dx) { m_x += dx; }

private:
    QWidget* m_rodic;
    int m_x;
    int m_y;
    int m_vyska;
};

} // namespace urn
