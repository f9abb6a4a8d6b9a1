#include "entry/DifferenceListWindow.h"

#include "core/Dialogs.h"
#include "entry/EntryWidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace urn {

TRozdilyZadani_F::TRozdilyZadani_F(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RozdilyZadani_F"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setModal(true);
    setFixedSize(640, 430);

    auto* sloupec = new QVBoxLayout(this);
    m_nadpis = new QLabel(this);
    m_nadpis->setObjectName(QStringLiteral("Nadpis_Lbl"));
    m_nadpis->setFont(pismoStranek());
    sloupec->addWidget(m_nadpis);

    m_rozdily = new QTableWidget(0, 3, this);
    m_rozdily->setObjectName(QStringLiteral("Rozdily_SG"));
    m_rozdily->setFont(pismoPopisku());
    m_rozdily->setHorizontalHeaderLabels({QStringLiteral("Údaj"),
                                          QStringLiteral("1. zadání (uloženo)"),
                                          QStringLiteral("2. zadání (kontrolní)")});
    m_rozdily->verticalHeader()->hide();
    m_rozdily->verticalHeader()->setDefaultSectionSize(22);
    m_rozdily->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rozdily->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_rozdily->setSelectionMode(QAbstractItemView::SingleSelection);
    m_rozdily->setTabKeyNavigation(false);
    m_rozdily->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_rozdily->setColumnWidth(1, 140);
    m_rozdily->setColumnWidth(2, 150);
    sloupec->addWidget(m_rozdily, 1);

    auto* pokyn = new QLabel(toDisplayText(QString::fromUtf8(kPokyn)), this);
    pokyn->setObjectName(QStringLiteral("Pokyn_Lbl"));
    pokyn->setFont(pismoPopisku());
    pokyn->setWordWrap(true);
    sloupec->addWidget(pokyn);

    auto* tlacitka = new QHBoxLayout;
    m_opravit = new QPushButton(QStringLiteral("&Opravit"), this);
    m_opravit->setObjectName(QStringLiteral("Opravit_Btn"));
    m_zpet = new QPushButton(QStringLiteral("&Zpět ke kontrolnímu zadání"), this);
    m_zpet->setObjectName(QStringLiteral("Zpet_Btn"));
    m_zavrit = new QPushButton(QStringLiteral("Za&vřít"), this);
    m_zavrit->setObjectName(QStringLiteral("Zavrit_Btn"));
    for (QPushButton* b : {m_opravit, m_zpet, m_zavrit}) {
        b->setFont(pismoStranek());
        b->setMinimumHeight(33);
        tlacitka->addWidget(b);
    }
    // Enter corrects the chosen value: nothing is lost by it, the saved
    // record opens with its checks as usual.
    m_opravit->setDefault(true);
    sloupec->addLayout(tlacitka);

    connect(m_opravit, &QPushButton::clicked, this, [this] {
        m_volba = Opravit;
        accept();
    });
    connect(m_zpet, &QPushButton::clicked, this, &TRozdilyZadani_F::reject);
    connect(m_zavrit, &QPushButton::clicked, this, [this] {
        m_volba = Zavrit;
        accept();
    });
}

TRozdilyZadani_F::Volba TRozdilyZadani_F::Ukaz(const QList<TRozdil>& rozdily) {
    m_nadpis->setText(QString::fromUtf8(kNadpis).arg(rozdily.size()));
    m_rozdily->setRowCount(int(rozdily.size()));
    for (int i = 0; i < rozdily.size(); ++i) {
        const TRozdil& r = rozdily.at(i);
        const QString texty[3] = {popisUdaje(r), textHodnoty(r, r.prvni), textHodnoty(r, r.druhe)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(texty[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_rozdily->setItem(i, c, item);
        }
    }
    m_rozdily->setCurrentCell(0, 0);
    m_rozdily->setFocus(Qt::OtherFocusReason);
    m_volba = Zpet;
    exec();
    return m_volba;
}

int TRozdilyZadani_F::vybrany() const {
    return std::max(0, m_rozdily->currentRow());
}

void TRozdilyZadani_F::reject() {
    // Esc and "Zpět" lose nothing: the second entry is still there.
    m_volba = Zpet;
    QDialog::reject();
}

} // namespace urn
