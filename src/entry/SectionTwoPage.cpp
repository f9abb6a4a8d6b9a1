#include "entry/SectionTwoPage.h"

#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "core/ErrorHandler.h"
#include "entry/EntryWidgets.h"
#include "ui/Fonts.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace urn {

namespace {
constexpr int kPanelTop = 214;
constexpr int kPanelVyska = 353;
constexpr int kPoleLeft = 440;

const TPoleOddII kPoleOddII[4] = {TPoleOddII::ZapsOsoby, TPoleOddII::VydObalky,
                                  TPoleOddII::OdevzdObalky, TPoleOddII::PlatneHlasy};
} // namespace

SectionTwoPage::SectionTwoPage(PrecinctSession& session, TOznamovatel& oznamovatel, QWidget* parent)
    : QWidget(parent), m_session(session), m_oznamovatel(oznamovatel) {
    setObjectName(QStringLiteral("PanVstupT2H"));
    nastavPozadiStranky(this);
    const TIdentifikace id =
        vytvorIdentifikaci(this, 6, "R_EdObec", "R_EdOkrsek", "R_EdT2KC_1", "R_LabNazevObce");
    m_obec = id.obec;
    m_okrsek = id.okrsek;
    m_kc1 = id.kc1;
    m_nazevObce = id.nazevObce;

    struct Radek {
        const char* jmeno;
        const char* text;
    };
    const Radek radky[4] = {
        {"R_EdZapsOsoby", "Počet osob, zapsaných do výpisu ze seznamu voličů celkem:"},
        {"R_EdVydObalky", "Počet voličů, kterým byly vydány úřední obálky: "},
        {"R_EdOdevzdObalky", "Počet odevzdaných úředních obálek: "},
        {"R_EdPlatneHlasy", "Počet platných hlasů ve volebním okrsku celkem: "},
    };
    int y = 66;
    for (int i = 0; i < 4; ++i) {
        vytvorPopisek(this, QString::fromUtf8(radky[i].text), 30, y + 3);
        TVlastnostiPole v;
        v.typ = vtNumber;
        v.maxDelka = 5;
        v.vpravo = true;
        v.vychozi = QStringLiteral("0");
        m_pole[i] = vytvorPole(this, radky[i].jmeno, QRect(kPoleLeft, y, 70, 21), v);
        connect(m_pole[i], &TSEdit::OnExit, this,
                [this, i] { runReportingErrors([&] { exitOddII(i); }); });
        y += 27;
    }
    vytvorPopisek(this, QStringLiteral("Kontrolní číslo 2: "), 30, y + 3);
    m_kc2 = vytvorZobrazeni(this, "R_EdT2KC_2", QRect(kPoleLeft, y, 70, 21));

    m_zrusit = vytvorTlacitko(this, "zrusitBtn", QStringLiteral("Zrušit"), QRect(580, 66, 115, 33));
    connect(m_zrusit, &QPushButton::clicked, this, &SectionTwoPage::zrusitBtnClick);
    m_ulozit =
        vytvorTlacitko(this, "ulozitBtn", QStringLiteral("Uložit"), QRect(580, 108, 115, 33));
    m_ulozit->hide();
    connect(m_ulozit, &QPushButton::clicked, this, &SectionTwoPage::ulozitBtnClick);
    // Kept on the form for the data they stand for, never shown: the
    // receiving point's marks pass from the data file to the data file.
    m_t2Oprava = new QCheckBox(
        QStringLiteral("Parafovány opravy v datech na přebíracím místě (tiskopis T/2)"), this);
    m_t2Oprava->setObjectName(QStringLiteral("R_T2OpravaCB"));
    m_t2ZapisTN = new QCheckBox(
        QStringLiteral("Pořízení zápisu, který nešel načíst z technického nosiče"), this);
    m_t2ZapisTN->setObjectName(QStringLiteral("R_T2ZapisTNCB"));
    for (QCheckBox* c : {m_t2Oprava, m_t2ZapisTN}) {
        c->setFocusPolicy(Qt::NoFocus);
        c->hide();
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("PanVstupT2"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(0, kPanelTop, 710, kPanelVyska);
    m_panel = panel;
    QLabel* vyzva = vytvorPopisek(panel,
                                  QStringLiteral("Zaškrtněte tu politickou stranu, politické "
                                                 "hnutí nebo koalici, která získala ve volebním "
                                                 "okrsku alespoň jeden platný hlas"),
                                  8, 1);
    vyzva->setFont(arialFont(12, true));
    vyzva->adjustSize();
    m_dalsi = vytvorTlacitko(panel, "R_Dalsi2_Btn", QStringLiteral("Pokračovat"),
                             QRect(580, kPanelVyska - 45, 115, 33));
    connect(m_dalsi, &QPushButton::clicked, this, &SectionTwoPage::R_Dalsi2_BtnClick);

    setTabOrder(m_obec, m_okrsek);
    setTabOrder(m_okrsek, m_kc1);
    setTabOrder(m_kc1, m_pole[0]);
    for (int i = 1; i < 4; ++i)
        setTabOrder(m_pole[i - 1], m_pole[i]);
    setTabOrder(m_pole[3], m_kc2);
    setTabOrder(m_kc2, m_dalsi);
    setTabOrder(m_dalsi, m_zrusit);
}

void SectionTwoPage::PostavZaskrtavatka(const QList<TStranaVstupu>& strany) {
    if (strany == m_strany && m_boxy.size() == strany.size())
        return;
    qDeleteAll(m_boxy);
    m_boxy.clear();
    m_strany = strany;
    const QFont pismo = pismoPopisku();
    const QFontMetrics fm(pismo);
    QWidget* predchozi = m_kc2;
    for (int k = 1; k <= strany.size(); ++k) {
        const TStranaVstupu& s = strany.at(k - 1);
        auto* box = new QCheckBox(s.popisek, m_panel);
        box->setObjectName(QStringLiteral("R_StranaCB%1").arg(s.cislo));
        box->setProperty("tag", s.cislo);
        box->setFont(pismo);
        const TPoziceZaskrtavatka p = poziceZaskrtavatka(k, int(strany.size()));
        box->setGeometry(p.left, p.top, sirkaZaskrtavatka(fm.horizontalAdvance(s.popisek)) + 4, 17);
        box->installEventFilter(this);
        const int cislo = s.cislo;
        // Ticking marks the party at once and prepares its sheet; unticking
        // keeps what was entered on the sheet.
        connect(box, &QCheckBox::clicked, this, [this, cislo](bool on) {
            runReportingErrors([&] { zaskrtniStranu(m_session.PrecinctRecord, cislo, on); });
            emit zaskrtnutiZmeneno();
        });
        box->show();
        setTabOrder(predchozi, box);
        predchozi = box;
        m_boxy.append(box);
    }
    setTabOrder(predchozi, m_dalsi);
    setTabOrder(m_dalsi, m_zrusit);
}

void SectionTwoPage::NastavZaskrtnuti(const TVetaT2& t2) {
    for (int i = 0; i < m_boxy.size(); ++i)
        m_boxy[i]->setChecked(t2.zaskrtnuta(m_strany[i].cislo));
}

QList<TStranaVstupu> SectionTwoPage::zaskrtnuteStrany() const {
    QList<TStranaVstupu> l;
    for (int i = 0; i < m_boxy.size(); ++i)
        if (m_boxy[i]->isChecked())
            l.append(m_strany[i]);
    return l;
}

QList<int> SectionTwoPage::zaskrtnutaCisla() const {
    QList<int> l;
    for (const TStranaVstupu& s : zaskrtnuteStrany())
        l.append(s.cislo);
    return l;
}

bool SectionTwoPage::JeVybranaStrana() const {
    for (const QCheckBox* b : m_boxy)
        if (b->isChecked())
            return true;
    return false;
}

QCheckBox* SectionTwoPage::zaskrtavatko(int cisloStrany) const {
    for (int i = 0; i < m_boxy.size(); ++i)
        if (m_strany[i].cislo == cisloStrany)
            return m_boxy[i];
    return nullptr;
}

QList<QCheckBox*> SectionTwoPage::skrytaZaskrtavatka() const {
    return {m_t2Oprava, m_t2ZapisTN};
}

void SectionTwoPage::UkazOddII(const TVetaT2& t2, const QString& nazevObce) {
    TIdentifikace{m_obec, m_okrsek, m_kc1, m_nazevObce}.ukaz(QString::number(t2.Obec),
                                                             QString::number(t2.Okrsek),
                                                             QString::number(t2.T2KC_1), nazevObce);
    for (int i = 0; i < 4; ++i) {
        const qint64 v = hodnotaOddII(t2, kPoleOddII[i]);
        m_pole[i]->setText(m_kontrolniZadani && v == 0 ? QString() : QString::number(v));
    }
    UkazKontrolniCisla(t2);
}

void SectionTwoPage::UkazKontrolniCisla(const TVetaT2& t2) {
    m_kc1->setText(QString::number(t2.T2KC_1));
    m_kc2->setText(m_kontrolniZadani ? QString() : QString::number(t2.T2KC_2));
}

bool SectionTwoPage::UlozPole(TVetaT2& t2, QString* zprava, TSEdit** odmitnute) const {
    for (int i = 0; i < 4; ++i) {
        const qint64 v = ctiCislo(m_pole[i]->text());
        if (!ulozOddII(t2, kPoleOddII[i], v)) {
            if (zprava)
                *zprava =
                    textNevejdeSe(nazevPole(kPoleOddII[i]), v, nejvyssiHodnota(kPoleOddII[i]));
            if (odmitnute)
                *odmitnute = m_pole[i];
            return false;
        }
    }
    return true;
}

void SectionTwoPage::exitOddII(int index) {
    TSEdit* e = m_pole[index];
    const TPoleOddII pole = kPoleOddII[index];
    const qint64 v = ctiCislo(e->text());
    TVetaT2& t2 = m_session.PrecinctRecord.T2;
    if (!ulozOddII(t2, pole, v)) {
        // Nothing is wrapped or clamped: the typed text stays for the
        // commission to correct, the record keeps its last good value.
        m_oznamovatel.OdmitniHodnotu(e, textNevejdeSe(nazevPole(pole), v, nejvyssiHodnota(pole)));
        return;
    }
    e->setText(QString::number(v));
    ProcDopoctiT2(m_session.PrecinctRecord);
    UkazKontrolniCisla(t2);
    if (m_oznamovatel.KontrolyOdpojeny(e))
        return;
    if (const std::optional<THlaseni> h = kontrolyOddII(m_session, pole))
        m_oznamovatel.Hlaska(*h, e);
}

bool SectionTwoPage::eventFilter(QObject* o, QEvent* e) {
    // Enter on a party's box goes on to the next control; Space ticks it.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (auto* w = qobject_cast<QWidget*>(o))
                naDalsiOvladac(w);
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace urn
