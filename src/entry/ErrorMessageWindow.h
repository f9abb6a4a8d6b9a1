#pragma once

// THlaskaF, the error message window: one finding of a check reported while
// the commission types, with the choice to correct it or go on.

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;

namespace urn {

class TCisChyb;

// The text of a finding: the catalogue text, with the parameter after a
// blank for error 96 and in parentheses for every other number. With a
// parameter the catalogue text is cut to 62 characters so that the parameter
// always follows a complete separator.
QString hlaskaText(const QString& zkrText, int iChyba, const QString& iParam);

// The heading of a finding: "Chyba č. N", or "Upozornění (č. N)" for a
// warning.
QString hlaskaNadpis(int iChyba, bool iInfo);

// Reports one finding of a check while the commission types: the user goes
// back to correct the field ("&Opravit") or accepts the finding and goes on
// ("&Ignorovat", or "&Potvrdit" for warnings and passable errors). The window
// only reports the choice.
class THlaskaF : public QDialog {
    Q_OBJECT
public:
    explicit THlaskaF(QWidget* parent = nullptr);

    // The catalogue the texts are looked up in: the program's one catalogue
    // unless another is given here. Without any, every number reads "Chyba
    // nenalezena".
    void setCisChyb(const TCisChyb* cisChyb) { m_cisChyb = cisChyb; }

    // Prepares the window for one finding without showing it. Ignored while
    // the window is showing a finding: the user answers the one on screen.
    void NastavHlasku(int iChyba, const QString& iParam, bool iInfo, bool iPropust);
    // Shows the finding modally; true when the user goes back to correct the
    // field. Called while the window is already showing, it returns true at
    // once without a second window.
    bool UkazHlasku();
    // The colour of the frame drawn round the window.
    void Ramecek(const QColor& iColor);

    bool Opravit() const { return m_opravit; }
    QColor aktColor() const { return m_aktColor; }
    QLabel* ChybaL() const { return m_chybaL; }
    QLabel* HlaskaL() const { return m_hlaskaL; }
    QPushButton* OpravitBtn() const { return m_opravitBtn; }
    QPushButton* IgnorovatBtn() const { return m_ignorovatBtn; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void OpravitBtnClick();
    void IgnorovatBtnClick();

private:
    void FormShow();

    const TCisChyb* m_cisChyb = nullptr;
    bool m_opravit = true;
    QColor m_aktColor = Qt::red;
    QColor m_ramecek = Qt::red;
    QLabel* m_chybaL = nullptr;
    QLabel* m_hlaskaL = nullptr;
    QPushButton* m_opravitBtn = nullptr;
    QPushButton* m_ignorovatBtn = nullptr;
};

} // namespace urn
