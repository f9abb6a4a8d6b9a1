#include "entry/SectionOnePage.h"

#include "core/ErrorHandler.h"
#include "entry/CodePageInput.h"
#include "entry/EntryWidgets.h"
#include "entry/FieldRules.h"
#include "ui/Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace urn {

namespace {

constexpr int kOdsazeni = 30; // the sentences stand right of the heading "I."
constexpr int kVyskaRadku = 21;

// Enter on a radio button goes on to the control after its pair; other
// characters do nothing (Space and the arrow keys still choose, as usual).
class PrepinacKlavesy : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        auto* b = qobject_cast<QRadioButton*>(o);
        if (!b)
            return false;
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            // Only the chosen button of a pair is a tab stop, so the next
            // control in tab order is the one after the pair.
            naDalsiOvladac(b);
            return true;
        }
        const QString t = k->text();
        if (!t.isEmpty() && t.at(0).unicode() > 32 && !(k->modifiers() & Qt::AltModifier))
            return true;
        return false;
    }
};

} // namespace

SectionOnePage::SectionOnePage(THlaso& hlaso, QWidget* parent) : QWidget(parent), m_hlaso(hlaso) {
    setObjectName(QStringLiteral("PanVstupZapis1"));
    nastavPozadiStranky(this);

    const TIdentifikace id = vytvorIdentifikaci(this, 6, "R_EdObec_Z", "R_EdOkrsek_Z",
                                                "R_EdT2KC_1_Z", "R_LabNazevObce_Z");
    m_obec = id.obec;
    m_okrsek = id.okrsek;
    m_kc1 = id.kc1;
    m_nazevObce = id.nazevObce;

    // Section I as the form reads, sentence by sentence, each below the one
    // before.
    vytvorPopisek(this, QStringLiteral("I."), 8, 62, arialFont(16, true));
    int y = vetaDnuVoleb(62);
    y = vetyZahajeniAUkonceni(y);
    y = vetaOdroceni(y + 10);
    y = vetaProdlouzeni(y);
    y = vetaPreruseni(y);
    y = vetaStiznosti(y);
    vetaSchranky(y);

    m_pokracovat = vytvorTlacitko(this, "PokracovatBBtn", QStringLiteral("Pokračovat"),
                                  QRect(580, 520, 115, 33));
    connect(m_pokracovat, &QPushButton::clicked, this, &SectionOnePage::PokracovatBBtnClick);
    nastavPoradi();
}

// "Zápis o průběhu a výsledku hlasování ..., které proběhlo ve dnech" with
// the election date, which the commission does not type.
int SectionOnePage::vetaDnuVoleb(int y) {
    TRadek r(this, kOdsazeni, y, kVyskaRadku);
    r.text(QStringLiteral("Zápis o průběhu a výsledku hlasování ve volbách, které proběhlo "
                          "ve dnech"));
    TVlastnostiPole v;
    v.maxDelka = 10;
    v.ramecek = false;
    m_datumVoleb = r.pole("R_SEdDatumVoleb", 130, v);
    m_datumVoleb->setEnabled(false);
    return y + 30;
}

// When the chairman opened and closed the poll on each of the two days.
int SectionOnePage::vetyZahajeniAUkonceni(int y) {
    struct Cas {
        const char* jmeno;
        const char* text;
        QString THlaso::*clen;
    };
    const Cas casy[] = {
        {"R_SEdZahajeno1", "Předseda okrskové volební komise zahájil hlasování první den voleb v",
         &THlaso::Zahajeno1},
        {"R_SEdUkonceno1", "Předseda okrskové volební komise ukončil hlasování první den voleb v",
         &THlaso::Ukonceno1},
        {"R_SEdZahajeno2", "Předseda okrskové volební komise zahájil hlasování druhý den voleb v",
         &THlaso::Zahajeno2},
        {"R_SEdUkonceno2", "Předseda okrskové volební komise ukončil hlasování druhý den voleb v",
         &THlaso::Ukonceno2},
    };
    for (const Cas& c : casy) {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QString::fromUtf8(c.text));
        TSEdit* e = textovePole(r, c.jmeno, 52, c.clen, 5);
        if (!m_zahajeno1)
            m_zahajeno1 = e;
        r.text(QStringLiteral("hodin."));
        y += 25;
    }
    return y;
}

// "z důvodu" on the line below an event, the reason across the rest of it.
int SectionOnePage::duvod(int y, const char* jmeno, QString THlaso::*clen) {
    TRadek r(this, kOdsazeni, y, kVyskaRadku);
    r.text(QStringLiteral("z důvodu"));
    textovePole(r, jmeno, 700 - r.x(), clen, 200);
    return y + 33;
}

// "Zahájení hlasování nebylo odročeno / bylo odročeno dne ... o ... hodin
// ... minut z důvodu ...".
int SectionOnePage::vetaOdroceni(int y) {
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("Zahájení hlasování"), 8);
        dvojice(r, "R_OdrocHlasP", "R_OdrocNRB", QStringLiteral("nebylo odročeno"), "R_OdrocBRB",
                QStringLiteral("bylo odročeno dne"), &THlaso::Odroc);
        textovePole(r, "R_SEDOdrocenoD", 150, &THlaso::OdrocenoD, 23);
        r.text(QStringLiteral("o"));
        textovePole(r, "R_SEdOdrocenoH", 24, &THlaso::OdrocenoH, 2, true, true);
        r.text(QStringLiteral("hodin"));
        textovePole(r, "R_SEdOdrocenoM", 24, &THlaso::OdrocenoM, 2, true, true);
        r.text(QStringLiteral("minut"));
    }
    return duvod(y + 25, "R_SEdDuvodOdroc", &THlaso::DuvodOdroc);
}

// "Doba hlasování nebyla prodloužena / byla prodloužena dne ... o ... hodin
// ... minut z důvodu ...".
int SectionOnePage::vetaProdlouzeni(int y) {
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("Doba hlasování"), 8);
        dvojice(r, "R_ProdlHlasP", "R_ProdlNRB", QStringLiteral("nebyla prodloužena"), "R_ProdlBRB",
                QStringLiteral("byla prodloužena dne"), &THlaso::Prodl);
        textovePole(r, "R_SEdProdlouzD", 130, &THlaso::ProdlouzD, 23);
        r.text(QStringLiteral("o"));
        textovePole(r, "R_SEdProdlouzH", 24, &THlaso::ProdlouzH, 2, true, true);
        r.text(QStringLiteral("hodin"));
        textovePole(r, "R_SEdProdlouzM", 24, &THlaso::ProdlouzM, 2, true, true);
        r.text(QStringLiteral("minut"));
    }
    return duvod(y + 25, "R_SEdDuvodProdl", &THlaso::DuvodProdl);
}

// "Hlasování nebylo přerušeno / bylo přerušeno dne ... na dobu od ... do ...
// hodin z důvodu ...".
int SectionOnePage::vetaPreruseni(int y) {
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("Hlasování "), 8);
        dvojice(r, "R_PrerHlasP", "R_PrerusNRB", QStringLiteral("nebylo přerušeno"), "R_PrerusBRB",
                QStringLiteral("bylo přerušeno dne"), &THlaso::Prerus);
        textovePole(r, "R_SEdPrerusD", 130, &THlaso::PrerusD, 23);
        r.text(QStringLiteral("na dobu od"));
        textovePole(r, "R_SEdPrerusOd", 46, &THlaso::PrerusOd, 5);
        r.text(QStringLiteral("do"));
        textovePole(r, "R_SEdPrerusDo", 46, &THlaso::PrerusDo, 5);
        r.text(QStringLiteral("hodin"));
    }
    return duvod(y + 25, "R_SEdDuvodPrer", &THlaso::DuvodPrer);
}

// Whether complaints were lodged, and on how many sheets of the annex.
int SectionOnePage::vetaStiznosti(int y) {
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("Při hlasování a zjišťování výsledků hlasování "), 8);
        dvojice(r, "R_StiznP", "R_StiznNRB", QStringLiteral("nebyly"), "R_StiznBRB",
                QStringLiteral("byly"), &THlaso::Stizn);
    }
    y += 25;
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("okrskové volební komisi podány stížnosti nebo oznámení."));
    }
    y += 25;
    {
        TRadek r(this, kOdsazeni, y, kVyskaRadku);
        r.text(QStringLiteral("Jejich stručný obsah, přijatá usnesení a jejich stručné "
                              "zdůvodnění jsou uvedeny v příloze na"));
        textovePole(r, "R_SEdStizListu", 24, &THlaso::StizListu, 2, true);
        r.text(QStringLiteral("listech."));
    }
    return y + 33;
}

// Whether the portable ballot box was used.
void SectionOnePage::vetaSchranky(int y) {
    TRadek r(this, kOdsazeni, y, kVyskaRadku);
    r.text(QStringLiteral("Ve volebním okrsku"), 8);
    dvojice(r, "R_SchrankaP", "R_SchrankaNRB", QStringLiteral("nebyla"), "R_SchrankaBRB",
            QStringLiteral("byla"), &THlaso::Schranka);
    r.text(QStringLiteral("použita přenosná volební schránka."));
}

void SectionOnePage::nastavPoradi() {
    // Tab order as the form reads: the fields and the radio pairs line by
    // line, then "Pokračovat".
    auto* klavesy = new PrepinacKlavesy(this);
    QWidget* predchozi = m_obec;
    for (QWidget* w : {static_cast<QWidget*>(m_okrsek), static_cast<QWidget*>(m_kc1),
                       static_cast<QWidget*>(m_datumVoleb)}) {
        setTabOrder(predchozi, w);
        predchozi = w;
    }
    for (QWidget* w : m_poradi) {
        setTabOrder(predchozi, w);
        predchozi = w;
        if (qobject_cast<QRadioButton*>(w))
            w->installEventFilter(klavesy);
    }
    setTabOrder(predchozi, m_pokracovat);
}

TSEdit* SectionOnePage::textovePole(TRadek& radek, const char* jmeno, int sirka,
                                    QString THlaso::*clen, int kapacita, bool cislo, bool hodina) {
    TVlastnostiPole v;
    v.typ = cislo ? vtNumber : vtString;
    v.maxDelka = kapacita;
    v.ramecek = false;
    TSEdit* e = radek.pole(jmeno, sirka, v);
    // HLASO.RCD holds the texts in the single-byte code page: a character it
    // has no place for is refused as it is typed rather than stored as "?".
    if (!cislo)
        keepToCp1250(e);
    const TextovePole p{e, clen, kapacita, hodina};
    m_pole.append(p);
    m_poradi.append(e);
    connect(e, &TSEdit::OnExit, this,
            [this, p] { runReportingErrors([&] { ulozJedno(p, m_hlaso); }); });
    return e;
}

void SectionOnePage::dvojice(TRadek& radek, const char* panel, const char* ne,
                             const QString& neText, const char* ano, const QString& anoText,
                             QString THlaso::*clen) {
    auto* p = new QWidget(this);
    p->setObjectName(QLatin1String(panel));
    auto* n = new QRadioButton(neText, p);
    n->setObjectName(QLatin1String(ne));
    auto* a = new QRadioButton(anoText, p);
    a->setObjectName(QLatin1String(ano));
    for (QRadioButton* b : {n, a}) {
        b->setFont(pismoPopisku());
        b->adjustSize();
    }
    n->move(0, 0);
    a->move(n->width() + 6, 0);
    p->resize(a->x() + a->width(), std::max(n->height(), a->height()));
    radek.widget(p, p->width(), 8);
    m_dvojice.append({n, a, clen});
    m_poradi << n << a;
    // Clicking (or choosing with the keyboard) stores the letter at once.
    connect(n, &QRadioButton::toggled, this, [this, clen](bool on) {
        if (on)
            m_hlaso.*clen = QStringLiteral("N");
    });
    connect(a, &QRadioButton::toggled, this, [this, clen](bool on) {
        if (on)
            m_hlaso.*clen = QStringLiteral("B");
    });
}

void SectionOnePage::ulozJedno(const TextovePole& p, THlaso& hlaso) const {
    const QString text = p.pole->text();
    hlaso.*p.clen = p.hodina ? hodinaNeboPrazdna(text) : text.left(p.kapacita);
}

void SectionOnePage::NatahniHlasovani(THlaso& hlaso) {
    m_datumVoleb->setText(QString::fromUtf8(kDatumVoleb));
    for (const TextovePole& p : m_pole)
        p.pole->setText(hlaso.*p.clen);
    for (const DvojicePrepinacu& d : m_dvojice) {
        hlaso.*d.clen = anoNe(hlaso.*d.clen);
        (hlaso.*d.clen == QLatin1String("B") ? d.ano : d.ne)->setChecked(true);
    }
}

void SectionOnePage::UlozPole(THlaso& hlaso) const {
    for (const TextovePole& p : m_pole)
        ulozJedno(p, hlaso);
}

void SectionOnePage::UkazIdentifikaci(const QString& obec, const QString& okrsek,
                                      const QString& kc1, const QString& nazevObce) {
    TIdentifikace{m_obec, m_okrsek, m_kc1, m_nazevObce}.ukaz(obec, okrsek, kc1, nazevObce);
}

QList<TSEdit*> SectionOnePage::pole() const {
    QList<TSEdit*> l;
    for (const TextovePole& p : m_pole)
        l.append(p.pole);
    return l;
}

QList<QRadioButton*> SectionOnePage::prepinace() const {
    QList<QRadioButton*> l;
    for (const DvojicePrepinacu& d : m_dvojice)
        l << d.ne << d.ano;
    return l;
}

} // namespace urn
