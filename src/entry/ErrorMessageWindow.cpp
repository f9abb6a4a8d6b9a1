#include "entry/ErrorMessageWindow.h"

#include "checks/ErrorCatalogue.h"
#include "ui/Beep.h"
#include "ui/FixedLayout.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxDialogs.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace urn {

namespace {
constexpr int kTextSParametremMax = 62; // catalogue text shown with a parameter
constexpr int kChybaSMezerou = 96;

} // namespace

QString hlaskaText(const QString& zkrText, int iChyba, const QString& iParam) {
    if (iParam.isEmpty())
        return zkrText;
    const QString text = zkrText.left(kTextSParametremMax);
    if (iChyba == kChybaSMezerou)
        return text + QLatin1Char(' ') + iParam;
    return text + QStringLiteral(" (") + iParam + QLatin1Char(')');
}

QString hlaskaNadpis(int iChyba, bool iInfo) {
    if (iInfo)
        return QStringLiteral("Upozornění (č. %1)").arg(iChyba);
    return QStringLiteral("Chyba č. %1").arg(iChyba);
}

THlaskaF::THlaskaF(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pořízení dat"));
    // A dialog border without any title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(678, 140);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    m_chybaL = new QLabel(this);
    m_chybaL->setObjectName(QStringLiteral("ChybaL"));
    m_chybaL->setGeometry(154, 16, 369, 20);
    m_hlaskaL = new QLabel(this);
    m_hlaskaL->setObjectName(QStringLiteral("HlaskaL"));
    m_hlaskaL->setGeometry(8, 56, 662, 25);
    for (QLabel* l : {m_chybaL, m_hlaskaL}) {
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setFont(arialFont(16, true));
    }

    m_opravitBtn = new QPushButton(QStringLiteral("&Opravit"), this);
    m_opravitBtn->setObjectName(QStringLiteral("OpravitBtn"));
    m_opravitBtn->setGeometry(202, 100, 97, 33);
    m_ignorovatBtn = new QPushButton(QStringLiteral("&Ignorovat"), this);
    m_ignorovatBtn->setObjectName(QStringLiteral("IgnorovatBtn"));
    m_ignorovatBtn->setGeometry(370, 100, 105, 33);
    for (QPushButton* b : {m_opravitBtn, m_ignorovatBtn})
        b->setFont(arialFont(13, true));
    setTabOrder(m_opravitBtn, m_ignorovatBtn);
    connect(m_opravitBtn, &QPushButton::clicked, this, &THlaskaF::OpravitBtnClick);
    connect(m_ignorovatBtn, &QPushButton::clicked, this, &THlaskaF::IgnorovatBtnClick);
    // Esc, like closing the window any other way, leaves Opravit true: the
    // dialog's reject is the cancel button "&Opravit".
}

void THlaskaF::NastavHlasku(int iChyba, const QString& iParam, bool iInfo, bool iPropust) {
    if (isVisible())
        return;
    const QColor colour = iInfo ? QColor(Qt::blue) : QColor(Qt::red);
    m_aktColor = colour;
    Ramecek(colour);
    m_chybaL->setText(hlaskaNadpis(iChyba, iInfo));
    setTextColour(m_chybaL, colour);
    setTextColour(m_hlaskaL, colour);
    m_ignorovatBtn->setText(iInfo || iPropust ? QStringLiteral("&Potvrdit")
                                              : QStringLiteral("&Ignorovat"));
    const TCisChyb* cisChyb = m_cisChyb;
    if (!cisChyb && errorCatalogueCreated())
        cisChyb = &CisChyb();
    const QString zkrText =
        cisChyb ? cisChyb->NajdiChybu(iChyba).ZkrText : QString::fromUtf8(kChybaNenalezena);
    m_hlaskaL->setText(hlaskaText(zkrText, iChyba, iParam));
}

bool THlaskaF::UkazHlasku() {
    if (isVisible())
        return true;
    exec();
    return m_opravit;
}

void THlaskaF::Ramecek(const QColor& iColor) {
    m_ramecek = iColor;
    update();
}

void THlaskaF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void THlaskaF::FormShow() {
    m_opravit = true;
    m_opravitBtn->setFocus();
    centreOnScreen(this);
    Ramecek(m_aktColor);
    systemBeep();
}

void THlaskaF::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(m_ramecek, 5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRect(0, 0, width(), height()));
}

void THlaskaF::OpravitBtnClick() {
    m_opravit = true;
    accept();
}

void THlaskaF::IgnorovatBtnClick() {
    m_opravit = false;
    accept();
}

} // namespace urn
