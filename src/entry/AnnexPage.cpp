#include "entry/AnnexPage.h"

#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "core/ErrorHandler.h"
#include "entry/EntryWidgets.h"
#include "store/ReferenceTables.h"
#include "ui/Beep.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace urn {

namespace {
constexpr int kPanelTop = 148;
constexpr int kPanelVyska = 420;
constexpr int kRoleCislo = Qt::UserRole;
constexpr int kRolePoradi = Qt::UserRole + 1;
constexpr int kRolePocet = Qt::UserRole + 2;

// Two-line heading over a field of the party row.
void nadpis(QWidget* rodic, const QString& prvni, const QString& druhy, int x) {
    vytvorPopisek(rodic, prvni, x, 6);
    if (!druhy.isEmpty())
        vytvorPopisek(rodic, druhy, x, 20);
}
} // namespace

AnnexPage::AnnexPage(PrecinctSession& session, TOznamovatel& oznamovatel, QWidget* parent)
    : QWidget(parent), m_session(session), m_oznamovatel(oznamovatel) {
    setObjectName(QStringLiteral("R_PanVstupT2P_H"));
    nastavPozadiStranky(this);

    nadpis(this, QStringLiteral("Strana"), QString(), 8);
    nadpis(this, QStringLiteral("Číslo"), QStringLiteral("strany"), 470);
    nadpis(this, QStringLiteral("Počet"), QStringLiteral("hlasů"), 530);
    nadpis(this, QStringLiteral("Kontrolní"), QStringLiteral("číslo 2"), 610);

    m_vyber = new QComboBox(this);
    m_vyber->setObjectName(QStringLiteral("R_CBT2P_1"));
    m_vyber->setFont(pismoStranek());
    m_vyber->setGeometry(8, 40, 450, 24);
    m_vyber->setMaxVisibleItems(30);
    m_vyber->installEventFilter(this);
    connect(m_vyber, &QComboBox::currentIndexChanged, this,
            [this](int i) { runReportingErrors([&] { R_CBT2P_1Change(i); }); });

    m_cisStr = vytvorZobrazeni(this, "R_EdCisStr", QRect(470, 41, 50, 21));
    TVlastnostiPole cislo;
    cislo.typ = vtNumber;
    cislo.maxDelka = 5;
    cislo.vpravo = true;
    m_pocHl = vytvorPole(this, "R_EdPocHl", QRect(530, 41, 66, 21), cislo);
    connect(m_pocHl, &TSEdit::OnExit, this,
            [this] { runReportingErrors([&] { R_EdPocHlExit(); }); });
    m_kc2 = vytvorZobrazeni(this, "R_EdT2PKC2", QRect(610, 41, 80, 21));

    m_t2POprava = new QCheckBox(
        QStringLiteral("Parafovány opravy v datech na přebíracím místě (příloha č. 1)"), this);
    m_t2POprava->setObjectName(QStringLiteral("R_T2POpravaCB"));
    m_t2POprava->setFocusPolicy(Qt::NoFocus);
    m_t2POprava->hide();

    panelKandidatu();

    setTabOrder(m_vyber, m_cisStr);
    setTabOrder(m_cisStr, m_pocHl);
    setTabOrder(m_pocHl, m_kc2);
    QWidget* predchozi = m_kc2;
    for (TSEdit* e : m_pref) {
        setTabOrder(predchozi, e);
        predchozi = e;
    }
    setTabOrder(predchozi, m_kc3);
    setTabOrder(m_kc3, m_kc4);
    setTabOrder(m_kc4, m_poslKand);
}

// The panel of the candidates: a row for each (number, preferential votes,
// multiple) in three columns, and the control numbers 3 and 4 with the last
// candidate who has preferential votes.
void AnnexPage::panelKandidatu() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("R_PanVstupT2P_1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(0, kPanelTop, 710, kPanelVyska);
    m_panel = panel;
    vytvorPopisek(panel,
                  QStringLiteral("Pořadová čísla kandidátů, počty jejich přednostních hlasů a "
                                 "kontrolní násobky:"),
                  8, 10, pismoStranek());

    for (int i = 1; i <= kPocetPrefHlasu; ++i) {
        const TPoziceKandidata p = poziceKandidata(i);
        QLabel* c = vytvorPopisek(panel, cisloKandidataText(i), p.cisloLeft, p.top + 2,
                                  pismoKandidatu(true));
        c->setObjectName(QStringLiteral("R_LabKand%1").arg(i));
        TVlastnostiPole v;
        v.typ = vtNumber;
        v.maxDelka = 4;
        v.vpravo = true;
        TSEdit* e =
            vytvorPole(panel, "", QRect(p.poleLeft, p.top, kSirkaPolePref, kVyskaPolePref), v);
        e->setObjectName(QStringLiteral("R_EdPref%1").arg(i));
        e->setFont(pismoKandidatu());
        e->setProperty("tag", i);
        e->setText(QStringLiteral("0"));
        e->setEnabled(false);
        QLabel* n = vytvorPopisek(panel, QString::fromUtf8(kBezNasobku), p.nasobekLeft, p.top + 2,
                                  pismoKandidatu());
        n->setObjectName(QStringLiteral("R_LabNasobek%1").arg(i));
        n->setFixedSize(kSirkaNasobku, kVyskaNasobku);
        // Blue while the row is being typed into, black again when left.
        connect(e, &TSEdit::OnEnter, this, [e, c] {
            nastavBarvuTextu(e, Qt::blue);
            nastavBarvuTextu(c, Qt::blue);
        });
        connect(e, &TSEdit::OnExit, this,
                [this, i] { runReportingErrors([&] { R_PanVstupT2P_1Exit(i); }); });
        m_cislo.append(c);
        m_pref.append(e);
        m_nasobek.append(n);
    }
    for (int i = 0; i < 2; ++i) {
        auto* sep = new QFrame(panel);
        sep->setObjectName(QStringLiteral("R_Oddelovac%1").arg(i + 1));
        sep->setFrameShape(QFrame::VLine);
        sep->setFrameShadow(QFrame::Sunken);
        sep->setGeometry(i == 0 ? kOddelovac1Left : kOddelovac2Left, kOddelovacTop, kOddelovacSirka,
                         kOddelovacVyska);
        m_oddelovace[i] = sep;
    }
    cislaListu(panel);
}

void AnnexPage::cislaListu(QWidget* panel) {
    vytvorPopisek(panel, QStringLiteral("Kontrolní číslo 3"), 330, 262);
    m_kc3 = vytvorZobrazeni(panel, "R_EdT2PKC3", QRect(590, 259, 100, 21));
    vytvorPopisek(panel, QStringLiteral("Kontrolní číslo 4"), 330, 292);
    m_kc4 = vytvorZobrazeni(panel, "R_EdT2PKC4", QRect(590, 289, 100, 21));
    vytvorPopisek(panel, QStringLiteral("Poslední kandidát s přednostními hlasy"), 330, 322);
    TVlastnostiPole posl;
    posl.typ = vtNumber;
    posl.maxDelka = 2;
    posl.vpravo = true;
    m_poslKand = vytvorPole(panel, "R_EdT2PPoslKand", QRect(640, 319, 50, 21), posl);
    // Focusable, so that Enter there moves on to the next party, but the
    // commission never types the number.
    m_poslKand->setReadOnly(true);
    connect(m_poslKand, &TSEdit::OnEnter, this, [this] { R_T2PPoslKandjeEnter = false; });
    connect(m_poslKand, &TSEdit::OnKeyPress, this,
            [this](QChar& key) { R_T2PPoslKandjeEnter = key == QLatin1Char('\r'); });
    connect(m_poslKand, &TSEdit::OnExit, this,
            [this] { runReportingErrors([&] { R_EdT2PPoslKandExit(); }); });
}

void AnnexPage::PostavVyber(const QList<TStranaVstupu>& zaskrtnute) {
    {
        // Clearing and refilling must not load parties from a half-built list.
        const QSignalBlocker blok(m_vyber);
        m_vyber->clear();
        for (const TStranaVstupu& s : zaskrtnute) {
            m_vyber->addItem(s.textPolozky);
            const int i = m_vyber->count() - 1;
            m_vyber->setItemData(i, s.cislo, kRoleCislo);
            m_vyber->setItemData(i, s.poradi, kRolePoradi);
            m_vyber->setItemData(i, s.pocetKandidatu, kRolePocet);
        }
        m_vyber->setCurrentIndex(zaskrtnute.isEmpty() ? -1 : 0);
    }
    if (!zaskrtnute.isEmpty())
        ProcNatahniStranu(zaskrtnute.first().cislo);
}

bool AnnexPage::vyberOdpovida(const QList<TStranaVstupu>& zaskrtnute) const {
    if (m_vyber->count() != zaskrtnute.size())
        return false;
    for (int i = 0; i < m_vyber->count(); ++i)
        if (m_vyber->itemData(i, kRoleCislo).toInt() != zaskrtnute.at(i).cislo ||
            m_vyber->itemData(i, kRolePocet).toInt() != zaskrtnute.at(i).pocetKandidatu)
            return false;
    return true;
}

bool AnnexPage::vyberPrazdny() const {
    return m_vyber->count() == 0;
}

void AnnexPage::vyprazdniVyber() {
    const QSignalBlocker blok(m_vyber);
    m_vyber->clear();
}

bool AnnexPage::vyberStranu(int strana) {
    const int i = m_vyber->findData(strana, kRoleCislo);
    if (i < 0)
        return false;
    {
        const QSignalBlocker blok(m_vyber);
        m_vyber->setCurrentIndex(i);
    }
    ProcNatahniStranu(strana);
    return true;
}

void AnnexPage::R_CBT2P_1Change(int index) {
    if (index < 0 || m_vyber->count() == 0)
        return;
    ProcNatahniStranu(m_vyber->itemData(index, kRoleCislo).toInt());
}

void AnnexPage::ulozRozepsane() {
    // A field of the shown party still being edited keeps its value: it is
    // stored before the page shows another party over it.
    if (m_zobrazena < 1)
        return;
    TStranaVysl& s = m_session.PrecinctRecord.VyslStran(m_zobrazena);
    if (m_pocHl->Focused()) {
        const qint64 v = ctiCislo(m_pocHl->text());
        if (v <= kNejvyssiCtyrmistne)
            s.PocHl = quint16(v);
    }
    for (int i = 1; i <= kPocetPrefHlasu; ++i) {
        TSEdit* e = prefPole(i);
        if (e->Focused() && e->isEnabled()) {
            const qint64 v = ctiCislo(e->text());
            if (v <= kNejvyssiCtyrmistne)
                s.pref(i) = quint16(v);
        }
    }
    ProcDopoctiT2P(m_session.PrecinctRecord, m_session.SeznamStran, m_zobrazena);
}

void AnnexPage::ProcNatahniStranu(int strana) {
    if (strana < 1 || strana > kMaxStran)
        return;
    ulozRozepsane();
    m_zobrazena = strana;
    const TStranaVysl& s = m_session.PrecinctRecord.VyslStran(strana);
    const int index = m_vyber->findData(strana, kRoleCislo);
    const int n = index < 0 ? 0 : m_vyber->itemData(index, kRolePocet).toInt();
    UkazCislaListu();
    m_pocHl->setText(cisloKZobrazeni(s.PocHl));
    for (int i = 1; i <= kPocetPrefHlasu; ++i) {
        TSEdit* e = prefPole(i);
        const bool kandiduje = i <= n;
        const bool odstoupil =
            kandiduje &&
            Kandidat(m_session.TabulkaKandidatu, strana, i).KandPriznak == QLatin1String("N");
        if (!kandiduje || odstoupil) {
            // Candidates beyond the party's list, and those who cannot
            // receive preferential votes, cannot be focused; their stored
            // votes stay as they are.
            e->setText(odstoupil ? QStringLiteral("N") : QStringLiteral("0"));
            e->setEnabled(false);
            nasobek(i)->setText(QString::fromUtf8(kBezNasobku));
        } else {
            e->setText(cisloKZobrazeni(s.pref(i)));
            e->setEnabled(true);
            nasobek(i)->setText(nasobekText(i, s.pref(i)));
        }
        nastavBarvuTextu(e, Qt::black);
        nastavBarvuTextu(cisloKandidata(i), Qt::black);
    }
    m_t2POprava->setChecked(s.T2POprava == 1);
    m_pocetKandidatu = n;
}

void AnnexPage::UkazCislaListu() {
    if (m_zobrazena < 1)
        return;
    const TStranaVysl& s = m_session.PrecinctRecord.VyslStran(m_zobrazena);
    m_cisStr->setText(QString::number(s.CisStr));
    m_pocHl->setText(QString::number(s.PocHl));
    const auto vypocteno = [this](qint64 v) {
        return m_kontrolniZadani ? QString() : QString::number(v);
    };
    m_kc2->setText(vypocteno(s.T2PKC2));
    m_kc3->setText(vypocteno(s.T2PKC3));
    m_kc4->setText(vypocteno(s.T2PKC4));
    m_poslKand->setText(vypocteno(s.T2PPoslKand));
}

QString AnnexPage::cisloKZobrazeni(qint64 v) const {
    return m_kontrolniZadani && v == 0 ? QString() : QString::number(v);
}

void AnnexPage::R_EdPocHlExit() {
    const int p = m_zobrazena;
    if (p < 1)
        return;
    const qint64 v = ctiCislo(m_pocHl->text());
    if (v > kNejvyssiCtyrmistne) {
        m_oznamovatel.OdmitniHodnotu(
            m_pocHl, textNevejdeSe(QString::fromUtf8(kNazevPocHl), v, kNejvyssiCtyrmistne));
        return;
    }
    m_session.PrecinctRecord.VyslStran(p).PocHl = quint16(v);
    m_pocHl->setText(QString::number(v));
    ProcDopoctiT2P(m_session.PrecinctRecord, m_session.SeznamStran, p);
    UkazCislaListu();
    if (m_oznamovatel.KontrolyOdpojeny(m_pocHl))
        return;
    if (const std::optional<THlaseni> h = kontrolaPocHl(m_session, p))
        m_oznamovatel.Hlaska(*h, m_pocHl);
}

void AnnexPage::R_PanVstupT2P_1Exit(int kandidat) {
    TSEdit* e = prefPole(kandidat);
    nastavBarvuTextu(e, Qt::black);
    nastavBarvuTextu(cisloKandidata(kandidat), Qt::black);
    const int p = m_zobrazena;
    if (p < 1 || !e->isEnabled())
        return;
    const qint64 v = ctiCislo(e->text());
    if (v > kNejvyssiCtyrmistne) {
        m_oznamovatel.OdmitniHodnotu(
            e, textNevejdeSe(nazevPrefHlasu(kandidat), v, kNejvyssiCtyrmistne));
        return;
    }
    m_session.PrecinctRecord.VyslStran(p).pref(kandidat) = quint16(v);
    e->setText(QString::number(v));
    nasobek(kandidat)->setText(nasobekText(kandidat, v));
    ProcDopoctiT2P(m_session.PrecinctRecord, m_session.SeznamStran, p);
    UkazCislaListu();
    if (m_oznamovatel.KontrolyOdpojeny(e))
        return;
    if (const std::optional<THlaseni> h = kontrolaPrefHlasu(m_session, p, kandidat))
        m_oznamovatel.Hlaska(*h, e);
}

void AnnexPage::R_EdT2PPoslKandExit() {
    const int p0 = m_zobrazena;
    const int k0 = m_vyber->currentIndex();
    const bool posledni = k0 == m_vyber->count() - 1;
    if (R_T2PPoslKandjeEnter) {
        R_T2PPoslKandjeEnter = false;
        // The move runs once the focus change that left the field is over.
        QMetaObject::invokeMethod(
            this,
            [this, k0, posledni] {
                runReportingErrors([&] {
                    if (posledni) {
                        emit posledniStranaOpustena();
                        return;
                    }
                    if (k0 + 1 >= m_vyber->count())
                        return;
                    vyberStranu(m_vyber->itemData(k0 + 1, kRoleCislo).toInt());
                    m_vyber->setFocus(Qt::OtherFocusReason);
                });
            },
            Qt::QueuedConnection);
    }
    if (p0 < 1 || m_oznamovatel.KontrolyOdpojeny(m_poslKand))
        return;
    if (const std::optional<THlaseni> h = kontrolaSouctuPref(m_session, p0)) {
        m_oznamovatel.Hlaska(*h, prefPole(1));
        return;
    }
    if (posledni)
        if (const std::optional<THlaseni> h = kontrolaSouctuHlasu(m_session))
            m_oznamovatel.Hlaska(*h, m_platneHlasy);
}

bool AnnexPage::eventFilter(QObject* o, QEvent* e) {
    if (o == m_vyber && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            naDalsiOvladac(m_vyber);
            return true;
        }
        // The selection changes only through the list (arrow keys, mouse):
        // typed characters would jump to another party by its first letter.
        const QString t = k->text();
        if (!t.isEmpty() && t.at(0).unicode() >= 32 &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            // Digits are the party's votes, typed straight after the page
            // or the party came up: they go to "Počet hlasů" instead of
            // being lost, so the values after them land in their fields.
            if (t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9'))
                m_pocHl->startTypingWith(k);
            else
                systemBeep();
            return true;
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace urn
