#pragma once

// Page "T/2 - odd. I" of the data-entry window: the identification of the
// precinct and section I of the record (course of the poll), with its fields
// inside the sentences of the printed form.

#include "store/Election.h"
#include "store/PrecinctRecord.h"

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;

namespace urn {

class TSEdit;

class SectionOnePage : public QWidget {
    Q_OBJECT
public:
    // Leaving a field or choosing a radio button stores its value into
    // `hlaso`, which must outlive the page.
    explicit SectionOnePage(THlaso& hlaso, QWidget* parent = nullptr);

    // Loads section I into the controls: texts as stored, each radio pair
    // from its letter ("B" the positive choice, anything else the negative
    // one, which the record then holds as "N"), the election date fixed.
    void NatahniHlasovani(THlaso& hlaso);
    // Stores the text of every field into the record, as leaving each of them
    // does. Cheap and idempotent: run before every save so that the value of
    // the field being edited is never left out.
    void UlozPole(THlaso& hlaso) const;
    // The identification row.
    void UkazIdentifikaci(const QString& obec, const QString& okrsek, const QString& kc1,
                          const QString& nazevObce);

    TSEdit* R_SEdZahajeno1() const { return m_zahajeno1; }
    TSEdit* R_SEdDatumVoleb() const { return m_datumVoleb; }
    QPushButton* PokracovatBBtn() const { return m_pokracovat; }
    // Every entry field of section I in tab order, and the radio buttons.
    QList<TSEdit*> pole() const;
    QList<QRadioButton*> prepinace() const;

    inline static const char* const kDatumVoleb = kDnyVoleb;

signals:
    void PokracovatBBtnClick();

private:
    struct TextovePole {
        TSEdit* pole;
        QString THlaso::*clen;
        int kapacita;
        bool hodina; // hours and minutes: only zeros are stored empty
    };
    struct DvojicePrepinacu {
        QRadioButton* ne;
        QRadioButton* ano;
        QString THlaso::*clen;
    };

    // The sentences of section I, each from the top `y` of its first line;
    // each returns where the next one begins.
    int vetaDnuVoleb(int y);
    int vetyZahajeniAUkonceni(int y);
    int vetaOdroceni(int y);
    int vetaProdlouzeni(int y);
    int vetaPreruseni(int y);
    int vetaStiznosti(int y);
    void vetaSchranky(int y);
    int duvod(int y, const char* jmeno, QString THlaso::*clen);
    void nastavPoradi();

    TSEdit* textovePole(class TRadek& radek, const char* jmeno, int sirka, QString THlaso::*clen,
                        int kapacita, bool cislo = false, bool hodina = false);
    void dvojice(TRadek& radek, const char* panel, const char* ne, const QString& neText,
                 const char* ano, const QString& anoText, QString THlaso::*clen);
    void ulozJedno(const TextovePole& p, THlaso& hlaso) const;

    THlaso& m_hlaso;
    QList<TextovePole> m_pole;
    QList<DvojicePrepinacu> m_dvojice;
    QList<QWidget*> m_poradi; // fields and radio buttons in reading order
    TSEdit* m_obec = nullptr;
    TSEdit* m_okrsek = nullptr;
    TSEdit* m_kc1 = nullptr;
    QLabel* m_nazevObce = nullptr;
    TSEdit* m_datumVoleb = nullptr;
    TSEdit* m_zahajeno1 = nullptr;
    QPushButton* m_pokracovat = nullptr;
};

} // namespace urn
