#pragma once

// TZ_infoE_F, the information window of the export-and-print step: a title and a
// message of several lines, an OK button and, after an export to a USB disk,
// a button that removes the disk safely.

#include "export/RemovableMedia.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace urn {

// The outcomes of the eject button: the drive switched off, the disk
// unmounted and safe to pull out though its drive stays on, and a removal
// that left the disk mounted (the reason on the next line).
QString textOdebrano(const TZarExp& disk);
QString textLzeVyjmout(const TZarExp& disk);
QString textOdebraniSeNepovedlo(const VysledekOdebrani& v);

class TZ_infoE_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_infoE_F(QWidget* parent = nullptr);

    // Sets the caption and both texts (lines of the message separated by
    // "\r") and shows the window modally.
    void Ukaz(const QString& caption, const QString& titulek, const QString& text);

    void FormShow();
    void OK_BtnClick();
    // Removes the medium of the last export to a USB disk (OdebiratDisk)
    // safely and says how that ended; the window stays open.
    void Odebrat_BBtnClick();
    // The medium of the last successful export to a removable drive, which
    // the eject button removes; the export window sets it.
    const TZarExp& OdebiratDisk() const { return m_odebiratDisk; }
    void setOdebiratDisk(const TZarExp& disk) { m_odebiratDisk = disk; }

    QPushButton* Odebrat_Btn() const { return m_odebrat; }
    // Replaces the modal showing (tests).
    std::function<void(TZ_infoE_F&)> showHook;

    QString titulek2Text() const;
    QString titulek3Text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_titulek2 = nullptr;
    QLabel* m_titulek3 = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_odebrat = nullptr;
    // The texts shown: the title and the message.
    QString m_titulekInfo;
    QString m_textInfo;
    TZarExp m_odebiratDisk;
};

} // namespace urn
