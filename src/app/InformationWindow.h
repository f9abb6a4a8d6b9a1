#pragma once

// TZ_Info_F, the information window shown after the start: the computer's
// date and time for the commission to check.

#include <QDateTime>
#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace urn {

// Shown once shortly after the start: asks the commission to compare the
// computer's date and time with the real ones, because both go into the
// record. The time runs while the window is open.
class TZ_Info_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_Info_F(QWidget* parent = nullptr);

    // Where the window reads the time (the system clock unless replaced).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    QString datumText() const;
    QString casText() const;
    QTimer* datumCasTimer() const { return m_datumCasTimer; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void datumCasTimerTimer();

private:
    std::function<QDateTime()> m_clock;
    QLabel* m_datum = nullptr;
    QLabel* m_cas = nullptr;
    QTimer* m_datumCasTimer = nullptr;
};

} // namespace urn
