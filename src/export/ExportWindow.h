#pragma once

// TZ_ExportDat_F, the export window: the commission chooses where the checked data go, a USB
// disk that holds a medium or the export directory on the hard disk, and
// "Uložit" copies the data file there.

#include "export/RemovableMedia.h"

#include <QDialog>
#include <QList>

class QComboBox;
class QFontMetrics;
class QLabel;
class QPushButton;

namespace urn {

class TZ_infoE_F;
struct TStanice;

// The texts of the target list.
inline constexpr const char* kPolozkaVymenitelne = " - vyjímatelné zařízení";
inline constexpr const char* kPolozkaPevnyDisk = "do adresáře ";

// The list item of a removable medium: its name, its mount point in brackets,
// then " - vyjímatelné zařízení".
QString polozkaVymenitelne(const TZarExp& disk);
// The list item of the hard disk: "do adresáře " + program directory +
// "Export ".
QString polozkaPevnyDisk(const QString& adresarProgramu);

// `text` shortened to `sirka` pixels of `fm` by eliding within its middle:
// the first `zacatek` and the last `konec` characters stay whole (the
// medium's label and the kind of an item) when they fit at all. A text that
// fits is returned as it is.
QString zkratStred(const QString& text, int zacatek, int konec, const QFontMetrics& fm, int sirka);

class TZ_ExportDat_F : public QDialog {
    Q_OBJECT
public:
    // Exports the data of the station's precinct; the station configuration
    // must outlive the window.
    explicit TZ_ExportDat_F(const TStanice& stanice, QWidget* parent = nullptr);

    // The information window that shows the outcome; without one the export
    // window makes its own.
    void setInfoWindow(TZ_infoE_F* info) { m_info = info; }

    QComboBox* Z_SeznZar_CB() const { return m_seznam; }
    QPushButton* Z_ZnovuNacist_Btn() const { return m_znovu; }
    QPushButton* Z_ExportDatOK_Btn() const { return m_ok; }
    QPushButton* Z_ExportDatZrus_Btn() const { return m_zrusit; }
    // Under the list: why a medium that is there is not offered.
    QLabel* Z_Nepripojene_Lbl() const { return m_nepripojene; }
    // The device table of the last loading.
    const QList<TZarExp>& tabulka() const { return m_tabulka; }
    // True after a successful export; false when the window opens and after
    // "Zrušit". The export-and-print command reads it when the window has
    // closed.
    bool ExportProveden() const { return m_exportProveden; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void Z_ZnovuNacist_BtnClick();
    void Z_SeznZar_CBChange(const QString& text);
    void Z_ExportDatOK_BtnClick();
    void Z_ExportDatZrus_BtnClick();

    // Fills the list from the media and puts the first item into the box.
    void nactiSeznam();
    // Shows the start of the box's text, all of it selected.
    void ukazZacatek();
    // What the closed box shows of an item `text` in `sirka` pixels.
    QString zkracenaPolozka(const QString& text, const QFontMetrics& fm, int sirka) const;
    TZ_infoE_F* infoWindow();

    QLabel* m_popis = nullptr;
    QComboBox* m_seznam = nullptr;
    QLabel* m_nepripojene = nullptr;
    QPushButton* m_znovu = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_zrusit = nullptr;
    const TStanice& m_stanice;
    TZ_infoE_F* m_info = nullptr;
    TZ_infoE_F* m_vlastniInfo = nullptr;
    QList<TZarExp> m_tabulka;
    bool m_nacitani = false;
    bool m_exportProveden = false;
};

} // namespace urn
