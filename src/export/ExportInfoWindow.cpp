#include "export/ExportInfoWindow.h"

#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "ui/Fonts.h"
#include "ui/Glyphs.h"
#include "ui/MessageBoxDialogs.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>

namespace urn {

namespace {

// A USB plug with a green arrow: the eject button's picture.
QIcon odebratIcon() {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0xc0, 0xc0, 0xc0));
    p.drawRect(QRectF(4.5, 8.5, 11, 12));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 3.5, 7, 5));
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2));
    p.drawLine(QPointF(19, 20), QPointF(19, 6));
    p.drawLine(QPointF(19, 6), QPointF(16, 9));
    p.drawLine(QPointF(19, 6), QPointF(22, 9));
    return QIcon(pm);
}

} // namespace

TZ_infoE_F::TZ_infoE_F(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Z_infoE_F"));
    setWindowTitle(QStringLiteral("Export dat a tisk zápisu"));
    setModal(true);
    setFixedSize(460, 315);

    m_titulek2 = new QLabel(this);
    m_titulek2->setObjectName(QStringLiteral("titulek2"));
    m_titulek2->setGeometry(10, 32, 440, 25);
    m_titulek2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_titulek2->setFont(arialFont(16, false));

    m_titulek3 = new QLabel(this);
    m_titulek3->setObjectName(QStringLiteral("titulek3"));
    // Down to just above the buttons: the invitation before the export has
    // a seventh line, the second entry's state.
    m_titulek3->setGeometry(10, 80, 440, 188);
    m_titulek3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_titulek3->setWordWrap(true);
    m_titulek3->setFont(arialFont(16, true));

    m_ok = new QPushButton(okGlyph(), QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK_Btn"));
    m_ok->setGeometry(175, 274, 111, 33);
    m_ok->setDefault(true);

    m_odebrat = new QPushButton(odebratIcon(), QString(), this);
    m_odebrat->setObjectName(QStringLiteral("Odebrat_Btn"));
    m_odebrat->setGeometry(408, 274, 33, 33);
    m_odebrat->setIconSize(QSize(24, 24));
    m_odebrat->setToolTip(QStringLiteral("Bezpečně odebrat USB disk"));
    m_odebrat->setAutoDefault(false);
    m_odebrat->hide();

    connect(m_ok, &QPushButton::clicked, this, &TZ_infoE_F::OK_BtnClick);
    connect(m_odebrat, &QPushButton::clicked, this, guarded(this, &TZ_infoE_F::Odebrat_BBtnClick));
}

void TZ_infoE_F::Ukaz(const QString& caption, const QString& titulek, const QString& text) {
    m_titulekInfo = titulek;
    m_textInfo = text;
    setWindowTitle(caption);
    if (showHook) {
        FormShow();
        showHook(*this);
    } else {
        exec();
    }
}

void TZ_infoE_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TZ_infoE_F::FormShow() {
    centreOnScreen(this);
    m_titulek2->setText(toDisplayText(m_titulekInfo));
    m_titulek3->setText(toDisplayText(m_textInfo));
    m_ok->setFocus();
}

void TZ_infoE_F::OK_BtnClick() {
    accept();
}

void TZ_infoE_F::Odebrat_BBtnClick() {
    const TZarExp& disk = m_odebiratDisk;
    const VysledekOdebrani v = removableMedia().OdeberDisk(disk);
    switch (v.stav) {
    case StavOdebrani::Odebran:
        // The medium is gone: a second press could only fail.
        m_odebrat->setEnabled(false);
        m_ok->setFocus();
        dialogs().inform(windowTitle(), textOdebrano(disk));
        break;
    case StavOdebrani::LzeVyjmout:
        // Flushed and unmounted, only the drive would not switch off (a
        // card reader, a stick that cannot power off): the disk is safe to
        // pull out, and that is what the commission needs to hear. The
        // button stays: a second press tries the drive again.
        m_ok->setFocus();
        dialogs().inform(windowTitle(), textLzeVyjmout(disk));
        break;
    case StavOdebrani::Nepovedlo:
        dialogs().warn(windowTitle(), textOdebraniSeNepovedlo(v));
        break;
    }
}

QString textOdebrano(const TZarExp& disk) {
    return QStringLiteral("Odebrán vyjímatelný disk ") + disk.Nazev + QLatin1Char('.');
}

QString textLzeVyjmout(const TZarExp& disk) {
    return QStringLiteral("Vyjímatelný disk %1 je bezpečně odpojen, můžete jej vyjmout.")
        .arg(disk.Nazev);
}

QString textOdebraniSeNepovedlo(const VysledekOdebrani& v) {
    QString text = QStringLiteral("Odebrání se nepovedlo.");
    if (!v.duvod.isEmpty())
        text += QLatin1Char('\r') + v.duvod;
    return text;
}

QString TZ_infoE_F::titulek2Text() const {
    return m_titulek2->text();
}

QString TZ_infoE_F::titulek3Text() const {
    return m_titulek3->text();
}

} // namespace urn
