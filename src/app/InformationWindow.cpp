#include "app/InformationWindow.h"

#include "ui/FixedLayout.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxDialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace urn {

TZ_Info_F::TZ_Info_F(QWidget* parent)
    : QDialog(parent), m_clock([] { return QDateTime::currentDateTime(); }) {
    setWindowTitle(QStringLiteral("Informace"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(542, 221);

    const QFont plain = arialFont(16);
    const QFont bold = arialFont(16, true);
    addLabel(this, QStringLiteral("Datum:"), 215, 20, plain);
    m_datum = addLabel(this, QStringLiteral("00.00.0000"), 280, 20, bold);
    m_datum->setObjectName(QStringLiteral("datumLbl"));
    addLabel(this, QStringLiteral("Čas:"), 235, 52, plain);
    m_cas = addLabel(this, QStringLiteral("00:00"), 280, 52, bold);
    m_cas->setObjectName(QStringLiteral("casLbl"));
    addLabel(this, QStringLiteral("Zkontrolujte zobrazený datum a čas s aktuálním,"), 95, 84, bold,
             Qt::red);
    addLabel(this,
             QStringLiteral("v případě zjištění rozdílu si datum a čas před zpracováním upravte,"),
             41, 116, arialFont(13, true));
    addLabel(this, QStringLiteral("tyto údaje jsou součástí zápisu."), 156, 140, bold, Qt::red);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setGeometry(397, 172, 105, 33);
    ok->setFont(arialFont(13, true));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_datumCasTimer = new QTimer(this);
    m_datumCasTimer->setInterval(1000);
    connect(m_datumCasTimer, &QTimer::timeout, this, &TZ_Info_F::datumCasTimerTimer);
}

QString TZ_Info_F::datumText() const {
    return m_datum->text();
}
QString TZ_Info_F::casText() const {
    return m_cas->text();
}

void TZ_Info_F::datumCasTimerTimer() {
    const QDateTime now = m_clock();
    m_datum->setText(now.toString(QStringLiteral("dd.MM.yyyy")));
    m_cas->setText(now.toString(QStringLiteral("hh:mm")));
    m_datum->adjustSize();
    m_cas->adjustSize();
}

void TZ_Info_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    datumCasTimerTimer();
    m_datumCasTimer->start();
}

void TZ_Info_F::hideEvent(QHideEvent* event) {
    m_datumCasTimer->stop();
    QDialog::hideEvent(event);
}

} // namespace urn
