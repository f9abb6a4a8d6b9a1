#include "app/AboutWindow.h"

#include "ui/FixedLayout.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxDialogs.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace urn {

TZ_OProgramu_F::TZ_OProgramu_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("O programu"));
    // A fixed border without any border buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(420, 256);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 401, 185);

    const QFont bold = arialFont(16, true);
    addLabel(panel, QStringLiteral("VOLBY do EVROPSKÉHO PARLAMENTU"), 43, 16, bold, Qt::blue);
    addLabel(panel, QStringLiteral("POŘÍZENÍ VÝSLEDKŮ HLASOVÁNÍ"), 67, 40, bold, Qt::red);
    addLabel(panel, QStringLiteral("okrskový program"), 130, 64, bold, Qt::red);
    addLabel(panel, QStringLiteral("verze 5.0"), 172, 88, arialFont(13, true), Qt::black);
    QLabel* dashes = addLabel(panel, QString(97, QLatin1Char('-')), 8, 104, bold, Qt::black);
    // The line runs across the panel and is cut at its inner edge.
    dashes->setFixedWidth(panel->width() - 8 - panel->frameWidth());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setGeometry(165, 208, 89, 33);
    ok->setFont(arialFont(13, true));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TZ_OProgramu_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace urn
