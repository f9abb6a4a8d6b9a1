#pragma once

// TZ_PocetKopii_F, the copies window: how many copies of the record T/2 are
// printed after a successful export.

#include <QDialog>

class QLabel;
class QPushButton;

namespace urn {

class TSEdit;

// The number of copies the copies window offers when it opens.
inline constexpr int kVychoziPocetKopii = 2;

// The number of copies a text of the field asks for. A text below "1" or
// above "9" (ordinal comparison: empty, "0", a letter) becomes "1" in place.
int pocetKopiiZTextu(QString& text);

// Asks, after a successful export, how many copies of the record T/2 with
// its annexes are to be printed.
class TZ_PocetKopii_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_PocetKopii_F(QWidget* parent = nullptr);

    TSEdit* Z_PocetKopii_SE() const { return m_pocetKopii; }
    QPushButton* Z_PKOK_Btn() const { return m_ok; }
    // The number of copies of the record the commission asked for, 1 to 9;
    // 2 whenever the window opens.
    int ZvolenyPocetKopii() const { return m_zvolenyPocet; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void Z_PKOK_BtnClick();

private:
    void FormShow();

    TSEdit* m_pocetKopii = nullptr;
    QPushButton* m_ok = nullptr;
    int m_zvolenyPocet = kVychoziPocetKopii;
};

} // namespace urn
