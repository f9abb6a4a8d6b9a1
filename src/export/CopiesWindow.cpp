#include "export/CopiesWindow.h"

#include "ui/EntryEdit.h"
#include "ui/Fonts.h"
#include "ui/Glyphs.h"
#include "ui/MessageBoxDialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace urn {

int pocetKopiiZTextu(QString& text) {
    if (QString::compare(text, QStringLiteral("1")) < 0 ||
        QString::compare(text, QStringLiteral("9")) > 0)
        text = QStringLiteral("1");
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    // The field holds one character, so this only guards a text that got
    // past its limit: at least one copy is always printed.
    if (!ok || n < 1 || n > 9) {
        text = QStringLiteral("1");
        return 1;
    }
    return n;
}

TZ_PocetKopii_F::TZ_PocetKopii_F(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Z_PocetKopii_F"));
    setWindowTitle(QStringLiteral("Tisk zápisu"));
    // A dialog border without any title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(398, 143);

    auto* label1 =
        new QLabel(QStringLiteral("Zadejte počet kopií při tisku zápisu T/2 a jeho příloh:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(17, 24, 332, 16);
    auto* label2 = new QLabel(QStringLiteral("(bude automaticky vytištěno min. 1krát)"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(72, 48, 248, 16);
    for (QLabel* l : {label1, label2})
        l->setFont(arialFont(13, true));

    m_pocetKopii = new TSEdit(this);
    m_pocetKopii->setObjectName(QStringLiteral("Z_PocetKopii_SE"));
    m_pocetKopii->setGeometry(355, 20, 25, 24);
    m_pocetKopii->setMaxLength(1);
    m_pocetKopii->SetAlignment(taCenter);
    m_pocetKopii->setFont(arialFont(13, true));
    m_pocetKopii->setText(QString::number(kVychoziPocetKopii));

    m_ok = new QPushButton(okGlyph(), QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Z_PKOK_Btn"));
    m_ok->setGeometry(154, 96, 89, 33);
    m_ok->setFont(arialFont(13, true));
    // An OK button: Enter confirms wherever the focus is.
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &TZ_PocetKopii_F::Z_PKOK_BtnClick);
}

void TZ_PocetKopii_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TZ_PocetKopii_F::FormShow() {
    centreOnScreen(this);
    m_pocetKopii->setText(QString::number(kVychoziPocetKopii));
    m_zvolenyPocet = kVychoziPocetKopii;
    m_pocetKopii->setFocus();
}

void TZ_PocetKopii_F::keyPressEvent(QKeyEvent* event) {
    // The window has no cancel button: Esc does not close it, as the record
    // is printed after it closes in any case.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TZ_PocetKopii_F::Z_PKOK_BtnClick() {
    QString text = m_pocetKopii->text();
    m_zvolenyPocet = pocetKopiiZTextu(text);
    m_pocetKopii->setText(text);
    accept();
}

} // namespace urn
