// The record T/2: page 1 (sections I and II), section III with the names of
// the commission and the footer of every page.

#include "printing/RecordPrintout.h"

#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "store/Election.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QPaintEngine>
#include <QPainter>

namespace urn {

namespace {

// Corrections of the dotted lines that the commission fills in by hand, in
// dots (the last two in page units): each brings its line to end at the
// right margin (or where the form wants it), as measured on these pages. The
// copies printed directly are measured and drawn exactly like the preview's
// pages here, so one set serves both, and a copy looks like the page the
// commission saw.
constexpr int kOkres = 0;               // added to where the dots of the "okres" line end
constexpr int kOdroceno = -12;          // the "odročeno" line
constexpr int kRadekPodOdrocenim = -1;  // the line under postponement and extension
constexpr int kProdlouzena = -2;        // the "prodloužena" line
constexpr int kPreruseno = 20;          // the "přerušeno" line
constexpr int kRadekPodPrerusenim = -1; // the blank line when the poll was not interrupted
constexpr int kPoDuvoduPreruseni = -1;  // the line after the reason of the interruption
constexpr int kPosunOd = 0;             // dots left of the time "od" of the interruption
constexpr int kPosunDo = 0;             // dots left of the time "do"
constexpr int kDalePritomni = -1;       // the "Dále byli přítomni" line
constexpr int kOstatniDruhyRadek = -1;  // the second line of the others present
constexpr int kPoverenyDruhyRadek = -1; // the second line of the member handing over the record
constexpr int kKonecVyhotoveni = 0;     // page units left of the margin: date of the record
constexpr int kKonecZapisovatele = 0;   // page units left of the margin: the recorder

const QString kArial = QStringLiteral("Arial");
const QString kTucne = QStringLiteral("B");
const QString kPreskrtnute = QStringLiteral("-");

QString tecky(int n) {
    return Opakuj(QStringLiteral("."), n);
}

// A dotted leader from x1 to x2 with a correction of the number of dots.
QString teckyDo(const LayoutEngine& s, int x1, int x2, int korekce = 0) {
    const int n = s.PocetTecek(x1, x2);
    return tecky(n > 0 ? n + korekce : 0);
}

// A value of the record on the dotted line just printed.
void nadTeckami(LayoutEngine& s, int x, const QString& text, const QString& styl = QString(),
                int dy = -12) {
    s.TiskStylem(0, x, dy, text, styl);
}

// The width of the dots a part of a form line begins with: the place of the
// value set onto them.
int sirkaTecek(const LayoutEngine& s, const QString& cast) {
    qsizetype n = 0;
    while (n < cast.size() && cast.at(n) == QLatin1Char('.'))
        ++n;
    return s.SirkaTextu(cast.left(n));
}

bool je(const QString& pole, const char* hodnota) {
    return pole.trimmed() == QLatin1String(hodnota);
}

QString skrtnout(bool ano) {
    return ano ? kPreskrtnute : QString();
}

// A canvas that draws nothing: the document is laid out on it once to count
// its pages before the footers can give the total.
class NicNekreslici : public QPaintEngine {
public:
    NicNekreslici() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawLines(const QLineF*, int) override {}
    void drawLines(const QLine*, int) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawEllipse(const QRectF&) override {}
    void drawEllipse(const QRect&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }
};

class PocitaciPlatno : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_stroj; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 3000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 794;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable NicNekreslici m_stroj;
};

// The pages of a document only counted: every page is the one canvas that
// draws nothing, set as a new page canvas starts.
class PocitaciStranky : public PageSink {
public:
    PocitaciStranky() : m_platno(&m_zarizeni) {}
    void ZacatekTisku() override {}
    QPainter* VratCanvas() override {
        m_platno.setFont(QFont());
        m_platno.setPen(QPen(Qt::black));
        return &m_platno;
    }
    void KonecTisku() override {}
    void ZrusTisk() override {}

private:
    PocitaciPlatno m_zarizeni;
    QPainter m_platno;
};

// ---------------------------------------------------------------- page 1

// A fact of section I that did or did not happen (postponement, extension,
// interruption), with its date, two times and the reason.
struct Udalost {
    int radky = 1;
    QString uvod;      // "Zahájení hlasování   "
    QString ne;        // "nebylo"
    QString ano;       // "bylo"
    QStringList casti; // the four parts of the dotted line after the words
    int korekce = 0;   // of the dots that end the line
    QString pole;      // "B" it happened
    QString den, cas1, cas2, duvod;
    int posun1 = 0, posun2 = 0; // dots left of the two times
    int dyHodnot = -12;
    int dyDuvodu = -12;
    int dyPokracovani = -12;
    int korekceBezUdalosti = 0; // of the blank line when it did not happen
    int korekcePoDuvodu = 0;    // of the line after the reason
};

void TiskUdalosti(LayoutEngine& s, const Udalost& u) {
    const int d = s.SirkaTextu(QStringLiteral("."));
    const bool stalo = je(u.pole, "B");
    const QString hvezdicka = QStringLiteral("*)");
    s.TiskText(u.radky, s.Levy, 0, u.uvod);
    int x = s.SirkaTextu(u.uvod);
    s.TiskStylem(0, s.Levy + x, 0, u.ne, skrtnout(stalo));
    s.TiskText(0, s.Levy + x + s.SirkaTextu(u.ne) + d, 0, hvezdicka);
    x += s.SirkaTextu(u.ne + QStringLiteral(" *) "));
    s.TiskStylem(0, s.Levy + x, 0, u.ano, skrtnout(!stalo));
    s.TiskText(0, s.Levy + x + s.SirkaTextu(u.ano) + d, 0, hvezdicka);
    x += s.SirkaTextu(u.ano + QStringLiteral(" *) "));

    const int wa = s.SirkaTextu(u.casti[0]);
    const int wb = s.SirkaTextu(u.casti[0] + u.casti[1]);
    const int wc = s.SirkaTextu(u.casti[0] + u.casti[1] + u.casti[2]);
    const QString q = u.casti.join(QString());
    const int wd = s.SirkaTextu(q);
    s.TiskText(0, s.Levy + x, 0, q + teckyDo(s, s.Levy + wb + wd, s.Pravy, u.korekce));
    if (!stalo) {
        s.TiskText(1, s.Levy, 0, teckyDo(s, s.Levy, s.Pravy, u.korekceBezUdalosti));
        return;
    }
    // Each value on its own dots, a long date smaller, and narrower still
    // where even that does not fit.
    const QString den = OrizniKonec(u.den);
    s.TiskDoMista(s.Levy + x + wa + d, u.dyHodnot, sirkaTecek(s, u.casti[1]) - d, den, QString(),
                  {den.size() > 12 ? s.VelDrobna : s.VelNormal, s.VelDrobna});
    s.TiskDoMista(s.Levy + x + wb - u.posun1 * d, u.dyHodnot,
                  sirkaTecek(s, u.casti[2]) + u.posun1 * d, OrizniKonec(u.cas1), QString(),
                  {s.VelNormal});
    s.TiskDoMista(s.Levy + x + wc - u.posun2 * d, u.dyHodnot,
                  sirkaTecek(s, u.casti[3]) + u.posun2 * d, OrizniKonec(u.cas2), QString(),
                  {s.VelNormal});

    // The reason after the words of the line, its rest on the next line;
    // both stay within the margin.
    const QString duvod = OrizniKonec(u.duvod);
    const int velikost = duvod.size() < 161 ? s.VelMala : s.VelDrobna;
    s.NastavVelikost(velikost);
    const int zlom = s.ZlomVMiste(duvod, s.Levy + x + wd, s.Pravy);
    s.NastavVelikost(s.VelNormal);
    s.TiskDoMista(s.Levy + x + wd, u.dyDuvodu, s.Pravy - (s.Levy + x + wd),
                  zlom > 0 ? duvod.left(zlom) : duvod, QString(), {velikost});
    // The line under the reason is a dotted line like every other.
    s.TiskText(1, s.Levy, 0, teckyDo(s, s.Levy, s.Pravy, u.korekcePoDuvodu));
    if (zlom > 0)
        s.TiskDoMista(s.Levy, u.dyPokracovani, s.Pravy - s.Levy, duvod.mid(zlom).trimmed(),
                      QString(), {velikost});
}

} // namespace

// The title of the form and its mark.
void RecordPrintout::Nadpis() {
    s.NastavPismo(kArial);
    s.AktY = s.Horni + 100;

    s.NastavVelikost(s.VelNadpis);
    s.TiskNaStred(0, s.Levy, s.Pravy,
                  QStringLiteral("ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE VOLEBNÍM OKRSKU"));
    // At the right margin, not past it.
    s.NastavStyl(kTucne);
    s.TiskVpravo(2, s.Pravy, 0, QStringLiteral("T/2"));
    s.NastavStyl(QString());
}

// "Ve volebním okrsku č. ... v obci ... okres ...": the precinct, the
// municipality and the district on their dots.
void RecordPrintout::MistoAOkres() {
    const TVetaT2& t2 = u.Zaznam.T2;
    s.NastavVelikost(s.VelNormal);
    const QString p1 = QStringLiteral("Ve volebním okrsku č.  ...");
    const QString p2 =
        p1 +
        QStringLiteral(".......... v obci (městysu, městě, městské části, městském obvodu) ....");
    const QString radek = p2 + teckyDo(s, s.Levy + s.SirkaTextu(p2), s.Pravy - 40);
    s.TiskText(2, s.Levy, 0, radek);
    nadTeckami(s, s.Levy + s.SirkaTextu(p1) - 25, CisloMezerami(t2.Okrsek, 5), kTucne);
    // The municipality whole on its dots, smaller (or narrower) when long.
    const int xObce = s.Levy + s.SirkaTextu(p2);
    s.TiskDoMista(xObce, -12, s.Levy + s.SirkaTextu(radek) - xObce,
                  OrizniKonec(u.Stanice.NazevObce), kTucne, {s.VelNormal, s.VelMala, s.VelDrobna});

    const QString okres = tecky(35) + QStringLiteral("  okres  ..");
    const QString p3 = QStringLiteral(".. proběhlo ve dnech");
    const QString teckyOkresu =
        teckyDo(s, s.Levy + s.SirkaTextu(okres), s.Pravy + kOkres - s.SirkaTextu(p3));
    s.TiskText(1, s.Levy, 0, okres + teckyOkresu + p3);
    s.TiskDoMista(s.Levy + s.SirkaTextu(okres), -12, s.SirkaTextu(teckyOkresu), z.NazevOkresu,
                  kTucne, {s.VelNormal, s.VelMala, s.VelDrobna});
}

// "... hlasování ve volbách do EVROPSKÉHO PARLAMENTU." with the days of the
// election on the dots.
void RecordPrintout::DnyVoleb() {
    const QString p1 = tecky(50) + QStringLiteral("  hlasování ve volbách do ");
    s.TiskText(1, s.Levy, 0, p1);
    s.TiskStylem(0, s.Levy + s.SirkaTextu(p1), 0, QStringLiteral("  EVROPSKÉHO  PARLAMENTU."),
                 kTucne);
    // On the dots, which begin at the margin.
    nadTeckami(s, s.Levy, QString::fromUtf8(kDnyVoleb), kTucne);
}

// When the chairman opened and closed the poll on each day.
void RecordPrintout::CasyHlasovani() {
    const THlaso& h = u.Zaznam.Hlaso;
    const QString hodin = QStringLiteral(".................... hodin.");
    const QString predseda = QStringLiteral("Předseda okrskové volební komise ");
    const struct {
        int radky;
        QString text;
        const QString& cas;
    } casy[] = {
        {2, predseda + QStringLiteral("zahájil hlasování první den voleb v "), h.Zahajeno1},
        {1, predseda + QStringLiteral("ukončil hlasování první den voleb v "), h.Ukonceno1},
        {1, predseda + QStringLiteral("zahájil hlasování druhý den voleb v "), h.Zahajeno2},
        {1, predseda + QStringLiteral("ukončil hlasování druhý den voleb v "), h.Ukonceno2},
    };
    // Every time stands where the dots of the first line are.
    const int e = s.SirkaTextu(casy[0].text + hodin) - 200;
    for (const auto& c : casy) {
        s.TiskText(c.radky, s.Levy, 0, c.text + hodin);
        nadTeckami(s, s.Levy + e, OrizniKonec(c.cas));
    }
}

// Postponement, extension and interruption of the poll, each with its date,
// times and reason.
void RecordPrintout::Udalosti() {
    const THlaso& h = u.Zaznam.Hlaso;
    const QString tecky22 = QStringLiteral("...................... ");
    Udalost odroceni;
    odroceni.radky = 2;
    odroceni.uvod = QStringLiteral("Zahájení hlasování   ");
    odroceni.ne = QStringLiteral("nebylo");
    odroceni.ano = QStringLiteral("bylo");
    odroceni.casti = {QStringLiteral("odročeno dne "), tecky22 + QStringLiteral("o "),
                      QStringLiteral("..... hodin "), QStringLiteral("..... minut z důvodu .")};
    odroceni.korekce = kOdroceno;
    odroceni.pole = h.Odroc;
    odroceni.den = h.OdrocenoD;
    odroceni.cas1 = h.OdrocenoH;
    odroceni.cas2 = h.OdrocenoM;
    odroceni.duvod = h.DuvodOdroc;
    odroceni.korekceBezUdalosti = kRadekPodOdrocenim;
    odroceni.korekcePoDuvodu = kRadekPodOdrocenim;
    TiskUdalosti(s, odroceni);

    Udalost prodlouzeni = odroceni;
    prodlouzeni.radky = 1;
    prodlouzeni.uvod = QStringLiteral("Doba hlasování    ");
    prodlouzeni.ne = QStringLiteral("nebyla");
    prodlouzeni.ano = QStringLiteral("byla");
    prodlouzeni.casti[0] = QStringLiteral("prodloužena dne ");
    prodlouzeni.korekce = kProdlouzena;
    prodlouzeni.pole = h.Prodl;
    prodlouzeni.den = h.ProdlouzD;
    prodlouzeni.cas1 = h.ProdlouzH;
    prodlouzeni.cas2 = h.ProdlouzM;
    prodlouzeni.duvod = h.DuvodProdl;
    prodlouzeni.dyPokracovani = -16;
    TiskUdalosti(s, prodlouzeni);

    Udalost preruseni;
    preruseni.radky = 1;
    preruseni.uvod = QStringLiteral("Hlasování   ");
    preruseni.ne = QStringLiteral("nebylo");
    preruseni.ano = QStringLiteral("bylo");
    preruseni.casti = {QStringLiteral("přerušeno dne "), tecky22 + QStringLiteral("na dobu od "),
                       QStringLiteral("......... do "),
                       QStringLiteral("......... hodin z důvodu .")};
    preruseni.korekce = kPreruseno;
    preruseni.pole = h.Prerus;
    preruseni.den = h.PrerusD;
    preruseni.cas1 = h.PrerusOd;
    preruseni.cas2 = h.PrerusDo;
    preruseni.duvod = h.DuvodPrer;
    preruseni.posun1 = kPosunOd;
    preruseni.posun2 = kPosunDo;
    preruseni.dyHodnot = -16;
    preruseni.dyDuvodu = -16;
    preruseni.dyPokracovani = -16;
    preruseni.korekceBezUdalosti = kRadekPodPrerusenim;
    preruseni.korekcePoDuvodu = kPoDuvoduPreruseni;
    TiskUdalosti(s, preruseni);
}

// Complaints: neither word is struck while the field is empty.
void RecordPrintout::Stiznosti() {
    const THlaso& h = u.Zaznam.Hlaso;
    const QString stiznosti = QStringLiteral("Při hlasování a zjišťování výsledků hlasování      ");
    s.TiskText(2, s.Levy, 0, stiznosti);
    int x = s.SirkaTextu(stiznosti);
    s.TiskStylem(0, s.Levy + x, 0, QStringLiteral("nebyly"), skrtnout(je(h.Stizn, "B")));
    x += s.SirkaTextu(QStringLiteral("nebyly"));
    s.TiskText(0, s.Levy + x + 20, 0, QStringLiteral(" *)     "));
    x += s.SirkaTextu(QStringLiteral("  *)   "));
    s.TiskStylem(0, s.Levy + x, 0, QStringLiteral("byly"), skrtnout(je(h.Stizn, "N")));
    x += s.SirkaTextu(QStringLiteral("byly"));
    s.TiskText(0, s.Levy + x + 20, 0, QStringLiteral(" *)  "));
    x += s.SirkaTextu(QStringLiteral(" *)  "));
    s.TiskText(0, s.Levy + x, 0,
               QStringLiteral("  okrskové   volební   komisi  podány  stížnosti  nebo"));
    s.TiskText(1, s.Levy, 0,
               QStringLiteral("oznámení.   Jejich   stručný   obsah,   přijatá   usnesení   a   "
                              "jejich   stručné  zdůvodnění  jsou   uvedeny   v   příloze    na"));
    s.TiskText(1, s.Levy, 0, QStringLiteral("...................   listech."));
    if (je(h.Stizn, "B"))
        nadTeckami(s, s.Levy + 50, OrizniKonec(h.StizListu));
    else if (je(h.Stizn, "N"))
        nadTeckami(s, s.Levy + 50, QStringLiteral("---"), kTucne);
}

// Whether the portable ballot box was used.
void RecordPrintout::PrenosnaSchranka() {
    const THlaso& h = u.Zaznam.Hlaso;
    const bool schranka = je(h.Schranka, "B");
    const QString okrsek = QStringLiteral("Ve volebním okrsku  ");
    const QString znacka = QStringLiteral(" *) ");
    s.TiskText(2, s.Levy, 0, okrsek);
    int x = s.SirkaTextu(okrsek);
    s.TiskStylem(0, s.Levy + x, 0, QStringLiteral("nebyla"), skrtnout(schranka));
    x += s.SirkaTextu(QStringLiteral("nebyla "));
    s.TiskText(0, s.Levy + x, 0, znacka);
    x += s.SirkaTextu(znacka);
    s.TiskStylem(0, s.Levy + x, 0, QStringLiteral("byla"), skrtnout(!schranka));
    x += s.SirkaTextu(QStringLiteral("byla "));
    s.TiskText(0, s.Levy + x, 0, znacka);
    x += s.SirkaTextu(znacka);
    s.TiskText(0, s.Levy + x, 0, QStringLiteral("použita přenosná volební schránka."));
}

// "... na ... listech přílohy č.1 k tomuto tiskopisu.": one sheet for every
// marked party.
void RecordPrintout::PocetListuPrilohy() {
    const TVetaT2& t2 = u.Zaznam.T2;
    const QString p1 = QStringLiteral(
        "Okrsková volební komise zjistila výsledky hlasování uvedené v tomto oddílu a na .......");
    s.TiskText(2, s.Levy, 0, p1 + QStringLiteral(".................. listech přílohy č.1"));
    // As many sheets as follow: one for every marked party.
    nadTeckami(s, s.Levy + s.SirkaTextu(p1), QString::number(pocetPriloh(t2)), kTucne);
    s.TiskText(1, s.Levy, 0, QStringLiteral("k tomuto tiskopisu."));
    s.TiskText(2, s.Levy, 0, QString());
}

// The numbers of section II in a column of boxes at the right margin.
void RecordPrintout::PoctyOddiluII() {
    const TVetaT2& t2 = u.Zaznam.T2;
    s.TiskText(3, s.Levy, 0,
               QStringLiteral("Počet osob zapsaných do výpisu ze seznamu voličů celkem"));
    int t = s.AktY - 10;
    s.Pero(8);
    s.Lomena({{s.Pravy, t + 250}, {s.Pravy, t}, {s.Pravy - 250, t}, {s.Pravy - 250, t + 50}});
    s.Pero(3);
    s.Cara(s.Pravy - 250, t + 50, s.Pravy, t + 50);
    s.TiskVpravo(0, s.Pravy - 20, 0, QString::number(t2.ZapsOsoby));
    const struct {
        QString text;
        qint64 hodnota;
    } pocty[] = {
        {QStringLiteral("Počet voličů, kterým byly vydány úřední obálky"), t2.VydObalky},
        {QStringLiteral("Počet odevzdaných úředních obálek"), t2.OdevzdObalky},
        {QStringLiteral("Počet platných hlasů ve volebním okrsku celkem"), t2.PlatneHlasy},
    };
    for (const auto& pocet : pocty) {
        s.TiskText(1, s.Levy, 0, pocet.text);
        t = s.AktY - 10;
        s.Pero(8);
        s.Cara(s.Pravy - 250, t, s.Pravy - 250, t + 50);
        s.Pero(3);
        s.Cara(s.Pravy - 250, t + 50, s.Pravy, t + 50);
        s.TiskVpravo(0, s.Pravy - 20, 0, QString::number(pocet.hodnota));
    }
    s.TiskText(1, s.Levy, 0, QStringLiteral("Kontrolní číslo 2"));
    t = s.AktY - 10;
    s.Pero(8);
    s.Lomena({{s.Pravy - 250, t}, {s.Pravy - 300, t}, {s.Pravy - 300, t + 50}, {s.Pravy, t + 50}});
    s.TiskVpravo(0, s.Pravy - 20, 0, QString::number(t2.T2KC_2));
}

// The numbers of all parties, those with a valid vote circled.
void RecordPrintout::ZakrouzkovaneStrany() {
    const TVetaT2& t2 = u.Zaznam.T2;
    s.TiskText(2, s.Levy, 0,
               QStringLiteral("Ve volebním okrsku byl alespoň jeden platný hlas odevzdán pro ty "
                              "politické strany, politická hnutí a koalice,"));
    s.TiskText(1, s.Levy, 0, QStringLiteral("jejichž čísla jsou zakroužkována: "));
    s.TiskText(2, s.Levy, 0, QString());
    // The circles keep the heavy pen of the boxes above.
    s.Pero(8);
    int x = 0;
    for (int p = 1; p <= kMaxStran; ++p) {
        if (p == 21) {
            s.TiskText(2, s.Levy, 0, QString());
            x = 0;
        }
        s.TiskText(0, s.Levy + x, 0, CisloNulami(p, 2));
        if (t2.zaskrtnuta(p))
            s.Elipsa(s.Levy + x - 10, s.AktY - 10, s.Levy + x + 50, s.AktY + 50);
        x += 87;
    }
}

// Page 1: sections I and II.
void RecordPrintout::Strana1() {
    Nadpis();
    MistoAOkres();
    DnyVoleb();
    s.TiskNaStred(3, s.Levy, s.Pravy, QStringLiteral("I."), kTucne);
    CasyHlasovani();
    Udalosti();
    Stiznosti();
    PrenosnaSchranka();
    s.TiskNaStred(2, s.Levy, s.Pravy, QStringLiteral("II."), kTucne);
    PocetListuPrilohy();
    IdentifikaceOkrsku(false);
    PoctyOddiluII();
    ZakrouzkovaneStrany();
}

// ---------------------------------------------------------------- section III

void RecordPrintout::PokracovaniOddiluIII() {
    PatickaZapisu();
    NovaStranaZapisu();
    z.CisloStrany += 1;
    s.NastavPismo(kArial);
    s.NastavVelikost(s.VelNormal);
    s.AktY = s.Horni + 100;
    s.TiskNaStred(2, s.Levy, s.Pravy, QStringLiteral("III. - pokračování"), kTucne);
}

// Where a text of the commission in size 20 after the label `p` breaks to
// stay within the margin; 0 when it fits on the label's line.
int RecordPrintout::ZlomDlouhehoTextu(const QString& p, const QString& text) {
    const int x = s.Levy + s.SirkaTextu(p);
    s.NastavVelikost(s.VelMala);
    const int zlom = s.ZlomVMiste(OrizniKonec(text), x, s.Pravy);
    s.NastavVelikost(s.VelNormal);
    return zlom;
}

// A text of the commission in size 20 after the label `p`, broken at the
// margin and continued at the left edge under `radky` lines of dots; what
// does not fit a line is printed narrower rather than past the margin.
void RecordPrintout::DlouhyText(const QString& p, const QString& text, int dy, int radky,
                                int korekce) {
    const int x = s.Levy + s.SirkaTextu(p);
    const QString t = OrizniKonec(text);
    const int zlom = ZlomDlouhehoTextu(p, t);
    s.TiskDoMista(x, dy, s.Pravy - x, zlom > 0 ? t.left(zlom) : t, kTucne, {s.VelMala});
    if (zlom > 0) {
        s.TiskText(radky, s.Levy, 0, teckyDo(s, s.Levy, s.Pravy, korekce));
        // The character at the break ends the first line; the second line
        // goes on after it.
        s.TiskDoMista(s.Levy, dy, s.Pravy - s.Levy, t.mid(zlom), kTucne, {s.VelMala});
    }
}

void RecordPrintout::OddilIII() {
    const THlaso& h = u.Zaznam.Hlaso;
    s.NastavPismo(kArial);
    s.AktY = s.Horni + 100;
    s.NastavVelikost(s.VelNormal);
    const int d = s.SirkaTextu(QStringLiteral("."));

    s.TiskNaStred(1, s.Levy, s.Pravy, QStringLiteral("III."), kTucne);
    const QString zCelkoveho = QStringLiteral("Z celkového počtu ");
    const QString clenu = QStringLiteral("  členů    okrskové    volební    komise    je    v    "
                                         "době    vyhotovení    zápisu     přítomno");
    // As many of the form's 28 dots as leave the line within the margin.
    const int teckyClenu =
        qBound(4, (s.Pravy - s.Levy - s.SirkaTextu(zCelkoveho) - s.SirkaTextu(clenu)) / d, 28);
    s.TiskText(1, s.Levy, 0, zCelkoveho + tecky(teckyClenu) + clenu);
    nadTeckami(s, s.Levy + s.SirkaTextu(zCelkoveho) + 2 * d, OrizniKonec(h.ClenuOVKC));
    s.TiskText(1, s.Levy, 0, QStringLiteral(".............. , tj. nadpoloviční většina."));
    nadTeckami(s, s.Levy + 3 * d, OrizniKonec(h.ClenuOVKP));

    QString p = QStringLiteral("Dále byli přítomni: ....");
    s.TiskText(1, s.Levy, 0, p + teckyDo(s, s.Levy + s.SirkaTextu(p), s.Pravy, kDalePritomni));
    DlouhyText(p, h.Ostatni, -14, 1, kOstatniDruhyRadek);

    s.AktY += 20;
    s.TiskText(
        1, s.Levy, 0,
        s.ZuzeneMezery(QStringLiteral("Zápis    byl    přečten   za   účasti    nadpoloviční    "
                                      "většiny    členů   okrskové   volební   komise  a  "
                                      "schválen   nadpoloviční"),
                       s.Pravy - s.Levy));
    s.TiskText(1, s.Levy, 0, QStringLiteral("většinou  přítomných  členů  komise."));

    s.AktY += 20;
    s.TiskText(1, s.Levy, 0,
               QStringLiteral("Člen    okrskové    volební    komise    pověřený    předáním    "
                              "zápisu    Tabulatu    na    územně"));
    p = QStringLiteral(
        "příslušném pracovišti a k opravám případných chyb v zápisu na místě: ......");
    const int wp = s.SirkaTextu(p);
    s.TiskText(1, s.Levy, 0, p + s.RadaTecek(s.Levy + wp, s.Pravy - 20));
    const bool zlomeno = ZlomDlouhehoTextu(p, h.PoverPred) > 0;
    DlouhyText(p, h.PoverPred, -16, 2, kPoverenyDruhyRadek);
    const QString jmeno = QStringLiteral("jméno a příjmení");
    if (zlomeno)
        s.TiskStylem(1, s.Levy, -12, QString(100, QLatin1Char(' ')) + jmeno, QString());
    else
        s.TiskNaStred(1, s.Levy + wp, s.Pravy, jmeno, QString(), -12);

    VyhotoveniAZapisovatel();

    s.AktY += 20;
    s.TiskText(1, s.Levy, 0, QStringLiteral("Jména, příjmení a podpisy ostatních členů komise:"));
    const int q = (s.Pravy - s.Levy) / 4;
    const QList<TKomise>& jmena = u.Komise;
    const int sirkaBunky = qMin(2 * q - 20, s.SirkaTextu(tecky(90)));
    const auto bunka = [&](int x, const TKomise& clen) {
        s.TiskText(0, x, 0, tecky(90));
        JmenoVBunce(x, sirkaBunky, clen.clen, kTucne);
    };
    // The first row has only its right cell, on the label's line; every
    // further row fills both. A row that ends low on the page continues on
    // the next, unless it held the last name.
    const int pocet = int(jmena.size());
    int i = 0;
    bool prvniRadek = true;
    while (i < pocet) {
        if (!prvniRadek) {
            s.TiskText(2, s.Levy, 0, QString());
            bunka(s.Levy, jmena.at(i++));
        }
        if (i < pocet)
            bunka(s.Levy + 2 * q, jmena.at(i++));
        prvniRadek = false;
        if (i < pocet && s.AktY > s.Dolni - 7 * s.Rezerva)
            PokracovaniOddiluIII();
    }
    if (s.AktY > s.Dolni - 10 * s.Rezerva)
        PokracovaniOddiluIII();

    p = QStringLiteral("Zápis odmítl podepsat (jméno, příjmení a podpis): ..");
    s.TiskText(2, s.Levy, 0, p + s.RadaTecek(s.Levy + s.SirkaTextu(p), s.Pravy - 120));
    s.TiskText(1, s.Levy, 0,
               QStringLiteral("Důvody odmítnutí jsou uvedeny v samostatné příloze k zápisu."));
    s.TiskText(2, s.Levy, 0, QStringLiteral("    nehodící se škrtněte"));
    s.Hvezdicka(s.Levy, s.AktY);
    s.TiskText(1, s.Levy, 0, QStringLiteral("    KČ1 ... kontrolní číslo 1"));
    s.DveHvezdicky(s.Levy, s.AktY);
}

// ---------------------------------------------------------------- document

RecordPrintout::RecordPrintout(LayoutEngine& sazba, const TUdajeZapisu& udaje, TStavZapisu& stav)
    : s(sazba), u(udaje), z(stav) {}

void RecordPrintout::KresliZapis() {
    s.Rezerva = 35;
    s.Radek = 50;
    s.VelMala = 20;
    s.VelNadpis = 34;
    s.VelDrobna = 16;
    s.VelNormal = 24;
    z.CisloListu = 1;
    NovaStranaZapisu();
    z.ChybyVytisteny = false;
    z.CisloStrany = 1;
    Strana1();
    PatickaZapisu();
    NovaStranaZapisu();
    z.CisloStrany += 1;
    OddilIII();
    PatickaZapisu();
    s.Radek = 50;
    const TVetaT2& t2 = u.Zaznam.T2;
    for (int p = 1; p <= kMaxStran; ++p) {
        if (!t2.zaskrtnuta(p))
            continue;
        NovaStranaZapisu();
        z.CisloStrany += 1;
        PrilohaList(p);
        PatickaZapisu();
        z.CisloListu += 1;
    }
}

void RecordPrintout::NovaStranaZapisu() {
    s.NovaStrana();
}

void RecordPrintout::PatickaZapisu() {
    const TPrecinctRecord& r = u.Zaznam;
    s.NastavVelikost(s.VelMala + 5);
    s.NastavStyl(QString());
    const int y = s.Dolni + 2 * s.Rezerva;
    const QString a = QStringLiteral(" Strana: ") + QString::number(z.CisloStrany) +
                      QLatin1Char('/') + QString::number(z.StranCelkem) + QLatin1Char(' ') +
                      s.ZnackaProgramu;
    const int wa = s.SirkaTextu(a);
    s.TiskText(0, s.Pravy - wa, y, a);

    // The control total in three groups of three digits.
    const QString soucet = CisloMezerami(qint64(r.TS.KontrSoucetTS), 12);
    s.NastavStyl(kTucne);
    const int w = s.SirkaTextu(soucet.trimmed()) + 26;
    s.TiskText(0, s.Pravy - wa - w, y,
               soucet.mid(3, 3) + QLatin1Char(' ') + soucet.mid(6, 3) + QLatin1Char(' ') +
                   soucet.mid(9, 3));
    s.NastavStyl(QString());
    const QString b = QString::number(r.T2.Obec) + QStringLiteral(" - ") +
                      QString::number(r.T2.Okrsek) + QStringLiteral(" - ");
    s.TiskText(0, s.Pravy - wa - w - (s.SirkaTextu(b) + 10), y, b);
    s.TiskVpravo(0, s.Pravy, s.Dolni + 3 * s.Rezerva, z.CasTiskuPresny);

    if (!z.ChybyVytisteny) {
        // Passable errors and warnings, which the receiving point asks about.
        QStringList cisla;
        if (u.Protokol) {
            const TChybProt& protokol = *u.Protokol;
            for (int i = 0; i < protokol.count(); ++i) {
                const int c = protokol.VratChybu(i).Chyba;
                if ((c >= 4 && c <= 10) || (c >= 91 && c <= 98))
                    cisla.append(QString::number(c));
            }
        }
        if (!cisla.isEmpty())
            s.TiskText(0, s.Levy, s.Dolni + s.Rezerva,
                       QStringLiteral("Chyby č.: ") + cisla.join(QStringLiteral(", ")));
        z.ChybyVytisteny = true;
    }
}

void RecordPrintout::IdentifikaceOkrsku(bool priloha) {
    const TVetaT2& t2 = u.Zaznam.T2;
    s.Pero(3);
    const int t = s.AktY - 10;
    if (priloha)
        s.Hvezdicka(s.Pravy - 40, s.AktY - 45);
    else
        s.DveHvezdicky(s.Pravy - 40, s.AktY - 45);
    s.TiskVpravo(0, s.Pravy - 350, 0, QStringLiteral("Obec"));
    s.TiskVpravo(0, s.Pravy - 120, 0, QStringLiteral("Okrsek"));
    s.TiskVpravo(0, s.Pravy - 20, 0, QStringLiteral("KČ1"));
    s.TiskText(1, s.Levy, 0, QStringLiteral("Identifikace volebního okrsku"));
    s.TiskVpravo(0, s.Pravy - 350, 0, CisloMezerami(t2.Obec, 10));
    s.TiskVpravo(0, s.Pravy - 120, 0, CisloMezerami(t2.Okrsek, 5));
    s.TiskVpravo(0, s.Pravy - 20, 0, CisloMezerami(t2.T2KC_1, 10));
    s.Obdelnik(s.Pravy - 700, t, s.Pravy, t + 120);
    s.Pero(priloha ? 5 : 8);
    s.Obdelnik(s.Pravy - 700, t + 50, s.Pravy, t + 120);
    s.Pero(3);
    s.Cara(s.Pravy - 340, t, s.Pravy - 340, t + 120);
    s.Cara(s.Pravy - 100, t, s.Pravy - 100, t + 120);
}

void RecordPrintout::VyhotoveniAZapisovatel() {
    s.AktY += 20;
    // The dots that fit before the margin (the count alone is one more).
    QString p = QStringLiteral("Hodina, den, měsíc a rok vyhotovení zápisu:  ");
    s.TiskText(1, s.Levy, 0,
               p + teckyDo(s, s.Levy + s.SirkaTextu(p), s.Pravy - kKonecVyhotoveni, -1));
    nadTeckami(s, s.Levy + s.SirkaTextu(p) + 15,
               s.CasTisku + QStringLiteral(" hod., ") + s.DatumTisku, kTucne);
    s.AktY += 20;
    p = QStringLiteral("Jméno, příjmení a podpis zapisovatele:  ");
    const int w = s.SirkaTextu(p) + 20;
    const QString radek = p + teckyDo(s, s.Levy + w, s.Pravy - kKonecZapisovatele, -1);
    s.TiskText(1, s.Levy, 0, radek);
    s.TiskDoMista(s.Levy + w, -12, s.SirkaTextu(radek) - w, OrizniKonec(u.Zaznam.Hlaso.Zapisovat),
                  kTucne, {s.VelNormal, s.VelMala, s.VelDrobna});
}

void RecordPrintout::JmenoVBunce(int x, int sirka, const QString& jmeno, const QString& styl) {
    s.TiskDoMista(x, -12, sirka, OrizniKonec(jmeno), styl, {s.VelNormal, s.VelMala, s.VelDrobna});
}

namespace {

// The party list by party number, whatever its order in the file. Entries
// with another number have no place in it.
std::array<TStrana, kMaxStran + 1> StranyPodleCisla(const TSeznamStran& seznam) {
    std::array<TStrana, kMaxStran + 1> strany{};
    for (const TStrana& strana : seznam.strany) {
        const int p = cisloStrany(strana);
        if (p >= 1 && p <= kMaxStran)
            strany[size_t(p)] = strana;
    }
    return strany;
}

QString NazevOkresu(const TStanice& stanice) {
    const QString obec = stanice.Obec.trimmed();
    TOkrsky zaznam;
    NajdiOkrsek(obec, stanice.Okrsek, zaznam);
    // The lookup leaves the last record it read also when the municipality
    // is not in the list: another municipality's district is not printed.
    return zaznam.Obec.trimmed() == obec ? OrizniKonec(zaznam.NazevOkresu) : QString();
}

} // namespace

TStavZapisu PripravZapis(const TUdajeZapisu& udaje, const QDateTime& cas) {
    TStavZapisu z;
    z.Cas = cas;
    z.CasTiskuPresny = cas.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss,zzz"));
    z.StranyPodleCisla = StranyPodleCisla(udaje.Strany);
    z.NazevOkresu = NazevOkresu(udaje.Stanice);
    // The pages of the document: laid out once on a canvas that draws
    // nothing, as only the layout itself knows the total every footer gives.
    PocitaciStranky pocitani;
    LayoutEngine sazba(pocitani, cas, udaje.Stanice.PriponaPisma);
    TStavZapisu pocitany = z;
    RecordPrintout(sazba, udaje, pocitany).KresliZapis();
    z.StranCelkem = pocitany.CisloStrany;
    return z;
}

void SestavZapis(PageSink& stranky, const TUdajeZapisu& udaje, const TStavZapisu& zacatek,
                 int kopii) {
    LayoutEngine sazba(stranky, zacatek.Cas, udaje.Stanice.PriponaPisma);
    TStavZapisu z = zacatek;
    TiskovyDokument dokument(sazba);
    for (int i = 0; i < qMax(1, kopii); ++i)
        RecordPrintout(sazba, udaje, z).KresliZapis();
    dokument.konec();
}

} // namespace urn
