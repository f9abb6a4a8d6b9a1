#include "entry/EntryWidgets.h"

#include "ui/Fonts.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace urn {

TOznamovatel::~TOznamovatel() = default;

QFont pismoStranek() {
    return arialFont(13, true);
}

QFont pismoPopisku() {
    return arialFont(12);
}

QFont pismoKandidatu(bool tucne) {
    return courierFont(12, tucne);
}

void nastavPozadiStranky(QWidget* stranka) {
    QPalette pal = stranka->palette();
    pal.setColor(QPalette::Window, QColor(0xEC, 0xEC, 0xEC));
    stranka->setPalette(pal);
    stranka->setAutoFillBackground(true);
}

TSEdit* vytvorPole(QWidget* rodic, const char* jmeno, const QRect& kde, const TVlastnostiPole& v) {
    auto* e = new TSEdit(rodic);
    e->setObjectName(QLatin1String(jmeno));
    e->setGeometry(kde);
    e->setValueType(v.typ);
    e->setMaxLength(v.maxDelka);
    e->SetAlignment(v.vpravo ? taRightJustify : taLeftJustify);
    e->setBorderStyle(v.ramecek ? bsSingle : bsNone);
    e->setDefaultValue(v.vychozi);
    e->setFont(pismoStranek());
    nastavBarvyPole(e);
    return e;
}

TSEdit* vytvorZobrazeni(QWidget* rodic, const char* jmeno, const QRect& kde) {
    TVlastnostiPole v;
    v.typ = vtNumber;
    v.vpravo = true;
    TSEdit* e = vytvorPole(rodic, jmeno, kde, v);
    e->setEnabled(false);
    return e;
}

QLabel* vytvorPopisek(QWidget* rodic, const QString& text, int x, int y, const QFont& pismo) {
    auto* l = new QLabel(text, rodic);
    l->setFont(pismo);
    nastavBarvuTextu(l, Qt::black);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QPushButton* vytvorTlacitko(QWidget* rodic, const char* jmeno, const QString& text,
                            const QRect& kde) {
    auto* b = new QPushButton(text, rodic);
    b->setObjectName(QLatin1String(jmeno));
    b->setGeometry(kde);
    b->setFont(pismoStranek());
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

void nastavBarvyPole(TSEdit* pole) {
    QPalette pal = pole->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive})
        pal.setColor(g, QPalette::Base, Qt::white);
    const QColor plocha = pal.color(QPalette::Active, QPalette::Button);
    pal.setColor(QPalette::Disabled, QPalette::Base, plocha);
    // Shown numbers stay readable: grey, as a disabled field paints them.
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    pole->setPalette(pal);
}

void nastavBarvuTextu(QWidget* w, const QColor& barva) {
    QPalette pal = w->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::WindowText, barva);
        pal.setColor(g, QPalette::Text, barva);
    }
    w->setPalette(pal);
}

TIdentifikace vytvorIdentifikaci(QWidget* rodic, int y, const char* obec, const char* okrsek,
                                 const char* kc1, const char* nazev) {
    TIdentifikace id;
    vytvorPopisek(rodic, QStringLiteral("Obec"), 170, y);
    vytvorPopisek(rodic, QStringLiteral("Okrsek"), 246, y);
    vytvorPopisek(rodic, QStringLiteral("KČ 1"), 312, y);
    vytvorPopisek(rodic, QStringLiteral("Název obce"), 360, y);
    const int radek = y + 16;
    vytvorPopisek(rodic, QStringLiteral("Identifikace okrsku:"), 8, radek + 3, pismoStranek());
    id.obec = vytvorZobrazeni(rodic, obec, QRect(170, radek, 68, 21));
    id.okrsek = vytvorZobrazeni(rodic, okrsek, QRect(246, radek, 58, 21));
    id.kc1 = vytvorZobrazeni(rodic, kc1, QRect(312, radek, 36, 21));
    id.nazevObce = vytvorPopisek(rodic, QString(), 360, radek + 3, pismoStranek());
    id.nazevObce->setObjectName(QLatin1String(nazev));
    id.nazevObce->setFixedWidth(340);
    return id;
}

void TIdentifikace::ukaz(const QString& obecText, const QString& okrsekText, const QString& kc1Text,
                         const QString& nazev) const {
    obec->setText(obecText);
    okrsek->setText(okrsekText);
    kc1->setText(kc1Text);
    nazevObce->setText(nazev);
}

void naDalsiOvladac(QWidget* w) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &tab);
}

TRadek::TRadek(QWidget* rodic, int x, int y, int vyska)
    : m_rodic(rodic), m_x(x), m_y(y), m_vyska(vyska) {}

QLabel* TRadek::text(const QString& text, int mezera) {
    QLabel* l = vytvorPopisek(m_rodic, text, m_x, m_y);
    // Labels sit on the line the fields' text stands on.
    l->move(m_x, m_y + (m_vyska - l->height()) / 2);
    m_x += l->width() + mezera;
    return l;
}

TSEdit* TRadek::pole(const char* jmeno, int sirka, const TVlastnostiPole& vlastnosti, int mezera) {
    TSEdit* e = vytvorPole(m_rodic, jmeno, QRect(m_x, m_y, sirka, m_vyska), vlastnosti);
    m_x += sirka + mezera;
    return e;
}

void TRadek::widget(QWidget* w, int sirka, int mezera) {
    const QSize hint = w->sizeHint().isValid() ? w->sizeHint() : w->size();
    if (sirka < 0)
        sirka = hint.width();
    w->setGeometry(m_x, m_y + (m_vyska - hint.height()) / 2, sirka, hint.height());
    m_x += sirka + mezera;
}

} // namespace urn
