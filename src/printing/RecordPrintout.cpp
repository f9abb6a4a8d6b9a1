// The record T/2: page 1 (sections I and II), section III with the names of
// the commission, the footer of every page, the copies printed directly and
// the document shown in the preview.

#include "printing/RecordPrintout.h"

#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QDir>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

#include <optional>

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
QString teckyDo(int x1, int x2, int korekce = 0) {
    const int n = PocetTecek(x1, x2);
    return tecky(n > 0 ? n + korekce : 0);
}

// A value of the record on the dotted line just printed.
void nadTeckami(int x, const QString& text, const QString& styl = QString(), int dy = -12) {
    TiskStylem(0, x, dy, text, styl);
}

// The width of the dots a part of a form line begins with: the place of the
// value set onto them.
int sirkaTecek(const QString& cast) {
    qsizetype n = 0;
    while (n < cast.size() && cast.at(n) == QLatin1Char('.'))
        ++n;
    return SirkaTextu(cast.left(n));
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

void TiskUdalosti(const Udalost& u) {
    TStavTisku& s = StavTisku();
    const int d = SirkaTextu(QStringLiteral("."));
    const bool stalo = je(u.pole, "B");
    const QString hvezdicka = QStringLiteral("*)");
    TiskText(u.radky, s.Levy, 0, u.uvod);
    int x = SirkaTextu(u.uvod);
    TiskStylem(0, s.Levy + x, 0, u.ne, skrtnout(stalo));
    TiskText(0, s.Levy + x + SirkaTextu(u.ne) + d, 0, hvezdicka);
    x += SirkaTextu(u.ne + QStringLiteral(" *) "));
    TiskStylem(0, s.Levy + x, 0, u.ano, skrtnout(!stalo));
    TiskText(0, s.Levy + x + SirkaTextu(u.ano) + d, 0, hvezdicka);
    x += SirkaTextu(u.ano + QStringLiteral(" *) "));

    const int wa = SirkaTextu(u.casti[0]);
    const int wb = SirkaTextu(u.casti[0] + u.casti[1]);
    const int wc = SirkaTextu(u.casti[0] + u.casti[1] + u.casti[2]);
    const QString q = u.casti.join(QString());
    const int wd = SirkaTextu(q);
    TiskText(0, s.Levy + x, 0, q + teckyDo(s.Levy + wb + wd, s.Pravy, u.korekce));
    if (!stalo) {
        TiskText(1, s.Levy, 0, teckyDo(s.Levy, s.Pravy, u.korekceBezUdalosti));
        return;
    }
    // Each value on its own dots, a long date smaller, and narrower still
    // where even that does not fit.
    const QString den = OrizniKonec(u.den);
    TiskDoMista(s.Levy + x + wa + d, u.dyHodnot, sirkaTecek(u.casti[1]) - d, den, QString(),
                {den.size() > 12 ? s.VelDrobna : s.VelNormal, s.VelDrobna});
    TiskDoMista(s.Levy + x + wb - u.posun1 * d, u.dyHodnot, sirkaTecek(u.casti[2]) + u.posun1 * d,
                OrizniKonec(u.cas1), QString(), {s.VelNormal});
    TiskDoMista(s.Levy + x + wc - u.posun2 * d, u.dyHodnot, sirkaTecek(u.casti[3]) + u.posun2 * d,
                OrizniKonec(u.cas2), QString(), {s.VelNormal});

    // The reason after the words of the line, its rest on the next line;
    // both stay within the margin.
    const QString duvod = OrizniKonec(u.duvod);
    const int velikost = duvod.size() < 161 ? s.VelMala : s.VelDrobna;
    NastavVelikost(velikost);
    const int zlom = ZlomVMiste(duvod, s.Levy + x + wd, s.Pravy);
    NastavVelikost(s.VelNormal);
    TiskDoMista(s.Levy + x + wd, u.dyDuvodu, s.Pravy - (s.Levy + x + wd),
                zlom > 0 ? duvod.left(zlom) : duvod, QString(), {velikost});
    // The line under the reason is a dotted line like every other.
    TiskText(1, s.Levy, 0, teckyDo(s.Levy, s.Pravy, u.korekcePoDuvodu));
    if (zlom > 0)
        TiskDoMista(s.Levy, u.dyPokracovani, s.Pravy - s.Levy, duvod.mid(zlom).trimmed(), QString(),
                    {velikost});
}

void Strana1(const PrecinctSession& d) {
    TStavTisku& s = StavTisku();
    const TStavZapisu& z = StavZapisu();
    const TPrecinctRecord& r = d.PrecinctRecord;
    const THlaso& h = r.Hlaso;
    NastavPismo(kArial);
    s.AktY = s.Horni + 100;

    NastavVelikost(s.VelNadpis);
    TiskNaStred(0, s.Levy, s.Pravy,
                QStringLiteral("ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE VOLEBNÍM OKRSKU"));
    // At the right margin, not past it.
    NastavStyl(kTucne);
    TiskVpravo(2, s.Pravy, 0, QStringLiteral("T/2"));
    NastavStyl(QString());

    NastavVelikost(s.VelNormal);
    QString p1 = QStringLiteral("Ve volebním okrsku č.  ...");
    QString p2 =
        p1 +
        QStringLiteral(".......... v obci (městysu, městě, městské části, městském obvodu) ....");
    QString radek = p2 + teckyDo(s.Levy + SirkaTextu(p2), s.Pravy - 40);
    TiskText(2, s.Levy, 0, radek);
    nadTeckami(s.Levy + SirkaTextu(p1) - 25, CisloMezerami(r.T2.Okrsek, 5), kTucne);
    // The municipality whole on its dots, smaller (or narrower) when long.
    const int xObce = s.Levy + SirkaTextu(p2);
    TiskDoMista(xObce, -12, s.Levy + SirkaTextu(radek) - xObce, OrizniKonec(d.Stanice.NazevObce),
                kTucne, {s.VelNormal, s.VelMala, s.VelDrobna});

    p1 = tecky(35) + QStringLiteral("  okres  ..");
    const QString p3 = QStringLiteral(".. proběhlo ve dnech");
    const QString teckyOkresu = teckyDo(s.Levy + SirkaTextu(p1), s.Pravy + kOkres - SirkaTextu(p3));
    TiskText(1, s.Levy, 0, p1 + teckyOkresu + p3);
    TiskDoMista(s.Levy + SirkaTextu(p1), -12, SirkaTextu(teckyOkresu), z.NazevOkresu, kTucne,
                {s.VelNormal, s.VelMala, s.VelDrobna});

    p1 = tecky(50) + QStringLiteral("  hlasování ve volbách do ");
    TiskText(1, s.Levy, 0, p1);
    TiskStylem(0, s.Levy + SirkaTextu(p1), 0, QStringLiteral("  EVROPSKÉHO  PARLAMENTU."), kTucne);
    // On the dots, which begin at the margin.
    nadTeckami(s.Levy, QStringLiteral("07. - 08.06.2024"), kTucne);

    TiskNaStred(3, s.Levy, s.Pravy, QStringLiteral("I."), kTucne);

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
    const int e = SirkaTextu(casy[0].text + hodin) - 200;
    for (const auto& c : casy) {
        TiskText(c.radky, s.Levy, 0, c.text + hodin);
        nadTeckami(s.Levy + e, OrizniKonec(c.cas));
    }

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
    TiskUdalosti(odroceni);

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
    TiskUdalosti(prodlouzeni);

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
    TiskUdalosti(preruseni);

    // Complaints: neither word is struck while the field is empty.
    const QString stiznosti = QStringLiteral("Při hlasování a zjišťování výsledků hlasování      ");
    TiskText(2, s.Levy, 0, stiznosti);
    int x = SirkaTextu(stiznosti);
    TiskStylem(0, s.Levy + x, 0, QStringLiteral("nebyly"), skrtnout(je(h.Stizn, "B")));
    x += SirkaTextu(QStringLiteral("nebyly"));
    TiskText(0, s.Levy + x + 20, 0, QStringLiteral(" *)     "));
    x += SirkaTextu(QStringLiteral("  *)   "));
    TiskStylem(0, s.Levy + x, 0, QStringLiteral("byly"), skrtnout(je(h.Stizn, "N")));
    x += SirkaTextu(QStringLiteral("byly"));
    TiskText(0, s.Levy + x + 20, 0, QStringLiteral(" *)  "));
    x += SirkaTextu(QStringLiteral(" *)  "));
    TiskText(0, s.Levy + x, 0,
             QStringLiteral("  okrskové   volební   komisi  podány  stížnosti  nebo"));
    TiskText(1, s.Levy, 0,
             QStringLiteral("oznámení.   Jejich   stručný   obsah,   přijatá   usnesení   a   "
                            "jejich   stručné  zdůvodnění  jsou   uvedeny   v   příloze    na"));
    TiskText(1, s.Levy, 0, QStringLiteral("...................   listech."));
    if (je(h.Stizn, "B"))
        nadTeckami(s.Levy + 50, OrizniKonec(h.StizListu));
    else if (je(h.Stizn, "N"))
        nadTeckami(s.Levy + 50, QStringLiteral("---"), kTucne);

    const bool schranka = je(h.Schranka, "B");
    const QString okrsek = QStringLiteral("Ve volebním okrsku  ");
    const QString znacka = QStringLiteral(" *) ");
    TiskText(2, s.Levy, 0, okrsek);
    x = SirkaTextu(okrsek);
    TiskStylem(0, s.Levy + x, 0, QStringLiteral("nebyla"), skrtnout(schranka));
    x += SirkaTextu(QStringLiteral("nebyla "));
    TiskText(0, s.Levy + x, 0, znacka);
    x += SirkaTextu(znacka);
    TiskStylem(0, s.Levy + x, 0, QStringLiteral("byla"), skrtnout(!schranka));
    x += SirkaTextu(QStringLiteral("byla "));
    TiskText(0, s.Levy + x, 0, znacka);
    x += SirkaTextu(znacka);
    TiskText(0, s.Levy + x, 0, QStringLiteral("použita přenosná volební schránka."));

    TiskNaStred(2, s.Levy, s.Pravy, QStringLiteral("II."), kTucne);
    p1 = QStringLiteral(
        "Okrsková volební komise zjistila výsledky hlasování uvedené v tomto oddílu a na .......");
    TiskText(2, s.Levy, 0, p1 + QStringLiteral(".................. listech přílohy č.1"));
    // As many sheets as follow: one for every marked party.
    nadTeckami(s.Levy + SirkaTextu(p1), QString::number(pocetPriloh(r.T2)), kTucne);
    TiskText(1, s.Levy, 0, QStringLiteral("k tomuto tiskopisu."));
    TiskText(2, s.Levy, 0, QString());

    IdentifikaceOkrsku(r.T2, false);

    // The numbers of section II in a column of boxes at the right margin.
    TiskText(3, s.Levy, 0,
             QStringLiteral("Počet osob zapsaných do výpisu ze seznamu voličů celkem"));
    int t = s.AktY - 10;
    Pero(8);
    Lomena({{s.Pravy, t + 250}, {s.Pravy, t}, {s.Pravy - 250, t}, {s.Pravy - 250, t + 50}});
    Pero(3);
    Cara(s.Pravy - 250, t + 50, s.Pravy, t + 50);
    TiskVpravo(0, s.Pravy - 20, 0, QString::number(r.T2.ZapsOsoby));
    const struct {
        QString text;
        qint64 hodnota;
    } pocty[] = {
        {QStringLiteral("Počet voličů, kterým byly vydány úřední obálky"), r.T2.VydObalky},
        {QStringLiteral("Počet odevzdaných úředních obálek"), r.T2.OdevzdObalky},
        {QStringLiteral("Počet platných hlasů ve volebním okrsku celkem"), r.T2.PlatneHlasy},
    };
    for (const auto& pocet : pocty) {
        TiskText(1, s.Levy, 0, pocet.text);
        t = s.AktY - 10;
        Pero(8);
        Cara(s.Pravy - 250, t, s.Pravy - 250, t + 50);
        Pero(3);
        Cara(s.Pravy - 250, t + 50, s.Pravy, t + 50);
        TiskVpravo(0, s.Pravy - 20, 0, QString::number(pocet.hodnota));
    }
    TiskText(1, s.Levy, 0, QStringLiteral("Kontrolní číslo 2"));
    t = s.AktY - 10;
    Pero(8);
    Lomena({{s.Pravy - 250, t}, {s.Pravy - 300, t}, {s.Pravy - 300, t + 50}, {s.Pravy, t + 50}});
    TiskVpravo(0, s.Pravy - 20, 0, QString::number(r.T2.T2KC_2));

    TiskText(2, s.Levy, 0,
             QStringLiteral("Ve volebním okrsku byl alespoň jeden platný hlas odevzdán pro ty "
                            "politické strany, politická hnutí a koalice,"));
    TiskText(1, s.Levy, 0, QStringLiteral("jejichž čísla jsou zakroužkována: "));
    TiskText(2, s.Levy, 0, QString());
    // The circles keep the heavy pen of the boxes above.
    Pero(8);
    x = 0;
    for (int p = 1; p <= kMaxStran; ++p) {
        if (p == 21) {
            TiskText(2, s.Levy, 0, QString());
            x = 0;
        }
        TiskText(0, s.Levy + x, 0, CisloNulami(p, 2));
        if (r.T2.zaskrtnuta(p))
            Elipsa(s.Levy + x - 10, s.AktY - 10, s.Levy + x + 50, s.AktY + 50);
        x += 87;
    }
}

// ---------------------------------------------------------------- section III

void PokracovaniOddiluIII(const PrecinctSession& d) {
    TStavTisku& s = StavTisku();
    PatickaZapisu(d);
    NovaStranaZapisu();
    StavZapisu().CisloStrany += 1;
    NastavPismo(kArial);
    NastavVelikost(s.VelNormal);
    s.AktY = s.Horni + 100;
    TiskNaStred(2, s.Levy, s.Pravy, QStringLiteral("III. - pokračování"), kTucne);
}

// Where a text of the commission in size 20 after the label `p` breaks to
// stay within the margin; 0 when it fits on the label's line.
int ZlomDlouhehoTextu(const QString& p, const QString& text) {
    TStavTisku& s = StavTisku();
    const int x = s.Levy + SirkaTextu(p);
    NastavVelikost(s.VelMala);
    const int zlom = ZlomVMiste(OrizniKonec(text), x, s.Pravy);
    NastavVelikost(s.VelNormal);
    return zlom;
}

// A text of the commission in size 20 after the label `p`, broken at the
// margin and continued at the left edge under `radky` lines of dots; what
// does not fit a line is printed narrower rather than past the margin.
void DlouhyText(const QString& p, const QString& text, int dy, int radky, int korekce) {
    TStavTisku& s = StavTisku();
    const int x = s.Levy + SirkaTextu(p);
    const QString t = OrizniKonec(text);
    const int zlom = ZlomDlouhehoTextu(p, t);
    TiskDoMista(x, dy, s.Pravy - x, zlom > 0 ? t.left(zlom) : t, kTucne, {s.VelMala});
    if (zlom > 0) {
        TiskText(radky, s.Levy, 0, teckyDo(s.Levy, s.Pravy, korekce));
        // The character at the break ends the first line; the second line
        // goes on after it.
        TiskDoMista(s.Levy, dy, s.Pravy - s.Levy, t.mid(zlom), kTucne, {s.VelMala});
    }
}

void OddilIII(const PrecinctSession& data) {
    TStavTisku& s = StavTisku();
    const THlaso& h = data.PrecinctRecord.Hlaso;
    NastavPismo(kArial);
    s.AktY = s.Horni + 100;
    NastavVelikost(s.VelNormal);
    const int d = SirkaTextu(QStringLiteral("."));

    TiskNaStred(1, s.Levy, s.Pravy, QStringLiteral("III."), kTucne);
    const QString zCelkoveho = QStringLiteral("Z celkového počtu ");
    const QString clenu = QStringLiteral("  členů    okrskové    volební    komise    je    v    "
                                         "době    vyhotovení    zápisu     přítomno");
    // As many of the form's 28 dots as leave the line within the margin.
    const int teckyClenu =
        qBound(4, (s.Pravy - s.Levy - SirkaTextu(zCelkoveho) - SirkaTextu(clenu)) / d, 28);
    TiskText(1, s.Levy, 0, zCelkoveho + tecky(teckyClenu) + clenu);
    nadTeckami(s.Levy + SirkaTextu(zCelkoveho) + 2 * d, OrizniKonec(h.ClenuOVKC));
    TiskText(1, s.Levy, 0, QStringLiteral(".............. , tj. nadpoloviční většina."));
    nadTeckami(s.Levy + 3 * d, OrizniKonec(h.ClenuOVKP));

    QString p = QStringLiteral("Dále byli přítomni: ....");
    TiskText(1, s.Levy, 0, p + teckyDo(s.Levy + SirkaTextu(p), s.Pravy, kDalePritomni));
    DlouhyText(p, h.Ostatni, -14, 1, kOstatniDruhyRadek);

    s.AktY += 20;
    TiskText(1, s.Levy, 0,
             ZuzeneMezery(QStringLiteral("Zápis    byl    přečten   za   účasti    nadpoloviční    "
                                         "většiny    členů   okrskové   volební   komise  a  "
                                         "schválen   nadpoloviční"),
                          s.Pravy - s.Levy));
    TiskText(1, s.Levy, 0, QStringLiteral("většinou  přítomných  členů  komise."));

    s.AktY += 20;
    TiskText(1, s.Levy, 0,
             QStringLiteral("Člen    okrskové    volební    komise    pověřený    předáním    "
                            "zápisu    Tabulatu    na    územně"));
    p = QStringLiteral(
        "příslušném pracovišti a k opravám případných chyb v zápisu na místě: ......");
    const int wp = SirkaTextu(p);
    TiskText(1, s.Levy, 0, p + RadaTecek(s.Levy + wp, s.Pravy - 20));
    const bool zlomeno = ZlomDlouhehoTextu(p, h.PoverPred) > 0;
    DlouhyText(p, h.PoverPred, -16, 2, kPoverenyDruhyRadek);
    const QString jmeno = QStringLiteral("jméno a příjmení");
    if (zlomeno)
        TiskStylem(1, s.Levy, -12, QString(100, QLatin1Char(' ')) + jmeno, QString());
    else
        TiskNaStred(1, s.Levy + wp, s.Pravy, jmeno, QString(), -12);

    VyhotoveniAZapisovatel(h);

    s.AktY += 20;
    TiskText(1, s.Levy, 0, QStringLiteral("Jména, příjmení a podpisy ostatních členů komise:"));
    const int q = (s.Pravy - s.Levy) / 4;
    const QList<TKomise>& jmena = data.JmenaKomise;
    const int sirkaBunky = qMin(2 * q - 20, SirkaTextu(tecky(90)));
    const auto bunka = [&](int x, const TKomise& clen) {
        TiskText(0, x, 0, tecky(90));
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
            TiskText(2, s.Levy, 0, QString());
            bunka(s.Levy, jmena.at(i++));
        }
        if (i < pocet)
            bunka(s.Levy + 2 * q, jmena.at(i++));
        prvniRadek = false;
        if (i < pocet && s.AktY > s.Dolni - 7 * s.Rezerva)
            PokracovaniOddiluIII(data);
    }
    if (s.AktY > s.Dolni - 10 * s.Rezerva)
        PokracovaniOddiluIII(data);

    p = QStringLiteral("Zápis odmítl podepsat (jméno, příjmení a podpis): ..");
    TiskText(2, s.Levy, 0, p + RadaTecek(s.Levy + SirkaTextu(p), s.Pravy - 120));
    TiskText(1, s.Levy, 0,
             QStringLiteral("Důvody odmítnutí jsou uvedeny v samostatné příloze k zápisu."));
    TiskText(2, s.Levy, 0, QStringLiteral("    nehodící se škrtněte"));
    Hvezdicka(s.Levy, s.AktY);
    TiskText(1, s.Levy, 0, QStringLiteral("    KČ1 ... kontrolní číslo 1"));
    DveHvezdicky(s.Levy, s.AktY);
}

// ---------------------------------------------------------------- document

// Every page of one document, from its first page to the footer of its last.
void KresliZapis(const PrecinctSession& d) {
    TStavTisku& s = StavTisku();
    TStavZapisu& z = StavZapisu();
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
    Strana1(d);
    PatickaZapisu(d);
    NovaStranaZapisu();
    z.CisloStrany += 1;
    OddilIII(d);
    PatickaZapisu(d);
    s.Radek = 50;
    const TVetaT2& t2 = d.PrecinctRecord.T2;
    for (int p = 1; p <= kMaxStran; ++p) {
        if (!t2.zaskrtnuta(p))
            continue;
        NovaStranaZapisu();
        z.CisloStrany += 1;
        PrilohaList(d, p);
        PatickaZapisu(d);
        z.CisloListu += 1;
    }
}

// The number of pages of the document, found by laying it out once on a
// canvas that draws nothing. How many pages section III and the sheets take
// depends on the names of the commission and on how long texts break, so
// only the layout itself knows the total that every footer gives.
int SpocitejStrany(const PrecinctSession& d) {
    TStavZapisu& z = StavZapisu();
    PocitaciPlatno zarizeni;
    QPainter platno(&zarizeni);
    z.Pocitani = &platno;
    struct Konec {
        TStavZapisu& z;
        ~Konec() {
            z.Pocitani = nullptr;
            StavTisku().Platno = nullptr;
        }
    } konec{z};
    KresliZapis(d);
    return z.CisloStrany;
}

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

// The copies printed directly, each a job of its own. A PDF file would be
// written anew by every job, so that only the last copy would remain: into a
// file the copies go one after another, as one document. `vytisteno` tells
// what went where, also when a later copy fails.
void TiskKopii(const PrecinctSession& d, int kopie, std::optional<TPrintResult>& vytisteno) {
    TpreviewF& okno = previewF();
    TPrintPreview* pp = okno.PrintPreview();
    pp->SetDirectPrint(true);
    struct Vypni {
        TPrintPreview* pp;
        ~Vypni() { pp->SetDirectPrint(false); }
    } vypni{pp};
    QPrinter* tiskarna = pp->Printer();
    if (tiskarna && tiskarna->outputFormat() == QPrinter::PdfFormat) {
        const QString soubor = tiskarna->outputFileName();
        TiskovyDokument dokument(okno);
        for (int i = 0; i < kopie; ++i)
            KresliZapis(d);
        dokument.konec();
        dialogs().inform(QStringLiteral("Tisk zápisu"),
                         QStringLiteral("Zápis byl vytištěn do souboru\r%1\rPočet kopií v "
                                        "souboru: %2.")
                             .arg(QDir::toNativeSeparators(soubor))
                             .arg(kopie));
        vytisteno = pp->LastPrint();
        return;
    }
    for (int i = 0; i < kopie; ++i) {
        SestavZapis(d);
        vytisteno = pp->LastPrint();
        vytisteno->Copies = i + 1;
    }
}

} // namespace

TStavZapisu& StavZapisu() {
    static TStavZapisu z;
    return z;
}

void NovaStranaZapisu() {
    TStavZapisu& z = StavZapisu();
    if (!z.Pocitani) {
        NovaStrana();
        return;
    }
    // A fresh page of the counting canvas: what a new page canvas starts with.
    z.Pocitani->setFont(QFont());
    z.Pocitani->setPen(QPen(Qt::black));
    StavTisku().Platno = z.Pocitani;
}

void SestavZapis(const PrecinctSession& d) {
    TiskovyDokument dokument(previewF());
    KresliZapis(d);
    dokument.konec();
}

void PatickaZapisu(const PrecinctSession& d) {
    TStavTisku& s = StavTisku();
    TStavZapisu& z = StavZapisu();
    const TPrecinctRecord& r = d.PrecinctRecord;
    NastavVelikost(s.VelMala + 5);
    NastavStyl(QString());
    const int y = s.Dolni + 2 * s.Rezerva;
    const QString a = QStringLiteral(" Strana: ") + QString::number(z.CisloStrany) +
                      QLatin1Char('/') + QString::number(z.StranCelkem) + QLatin1Char(' ') +
                      s.ZnackaProgramu;
    const int wa = SirkaTextu(a);
    TiskText(0, s.Pravy - wa, y, a);

    // The control total in three groups of three digits.
    const QString soucet = CisloMezerami(qint64(r.TS.KontrSoucetTS), 12);
    NastavStyl(kTucne);
    const int w = SirkaTextu(soucet.trimmed()) + 26;
    TiskText(0, s.Pravy - wa - w, y,
             soucet.mid(3, 3) + QLatin1Char(' ') + soucet.mid(6, 3) + QLatin1Char(' ') +
                 soucet.mid(9, 3));
    NastavStyl(QString());
    const QString b = QString::number(r.T2.Obec) + QStringLiteral(" - ") +
                      QString::number(r.T2.Okrsek) + QStringLiteral(" - ");
    TiskText(0, s.Pravy - wa - w - (SirkaTextu(b) + 10), y, b);
    TiskVpravo(0, s.Pravy, s.Dolni + 3 * s.Rezerva, z.CasTiskuPresny);

    if (!z.ChybyVytisteny) {
        // Passable errors and warnings, which the receiving point asks about.
        QStringList cisla;
        const TChybProt& protokol = d.ChybProt;
        for (int i = 0; i < protokol.count(); ++i) {
            const int c = protokol.VratChybu(i).Chyba;
            if ((c >= 4 && c <= 10) || (c >= 91 && c <= 98))
                cisla.append(QString::number(c));
        }
        if (!cisla.isEmpty())
            TiskText(0, s.Levy, s.Dolni + s.Rezerva,
                     QStringLiteral("Chyby č.: ") + cisla.join(QStringLiteral(", ")));
        z.ChybyVytisteny = true;
    }
}

void IdentifikaceOkrsku(const TVetaT2& t2, bool priloha) {
    TStavTisku& s = StavTisku();
    Pero(3);
    const int t = s.AktY - 10;
    if (priloha)
        Hvezdicka(s.Pravy - 40, s.AktY - 45);
    else
        DveHvezdicky(s.Pravy - 40, s.AktY - 45);
    TiskVpravo(0, s.Pravy - 350, 0, QStringLiteral("Obec"));
    TiskVpravo(0, s.Pravy - 120, 0, QStringLiteral("Okrsek"));
    TiskVpravo(0, s.Pravy - 20, 0, QStringLiteral("KČ1"));
    TiskText(1, s.Levy, 0, QStringLiteral("Identifikace volebního okrsku"));
    TiskVpravo(0, s.Pravy - 350, 0, CisloMezerami(t2.Obec, 10));
    TiskVpravo(0, s.Pravy - 120, 0, CisloMezerami(t2.Okrsek, 5));
    TiskVpravo(0, s.Pravy - 20, 0, CisloMezerami(t2.T2KC_1, 10));
    Obdelnik(s.Pravy - 700, t, s.Pravy, t + 120);
    Pero(priloha ? 5 : 8);
    Obdelnik(s.Pravy - 700, t + 50, s.Pravy, t + 120);
    Pero(3);
    Cara(s.Pravy - 340, t, s.Pravy - 340, t + 120);
    Cara(s.Pravy - 100, t, s.Pravy - 100, t + 120);
}

void VyhotoveniAZapisovatel(const THlaso& hlaso) {
    TStavTisku& s = StavTisku();
    s.AktY += 20;
    // The dots that fit before the margin (the count alone is one more).
    QString p = QStringLiteral("Hodina, den, měsíc a rok vyhotovení zápisu:  ");
    TiskText(1, s.Levy, 0, p + teckyDo(s.Levy + SirkaTextu(p), s.Pravy - kKonecVyhotoveni, -1));
    nadTeckami(s.Levy + SirkaTextu(p) + 15, s.CasTisku + QStringLiteral(" hod., ") + s.DatumTisku,
               kTucne);
    s.AktY += 20;
    p = QStringLiteral("Jméno, příjmení a podpis zapisovatele:  ");
    const int w = SirkaTextu(p) + 20;
    const QString radek = p + teckyDo(s.Levy + w, s.Pravy - kKonecZapisovatele, -1);
    TiskText(1, s.Levy, 0, radek);
    TiskDoMista(s.Levy + w, -12, SirkaTextu(radek) - w, OrizniKonec(hlaso.Zapisovat), kTucne,
                {s.VelNormal, s.VelMala, s.VelDrobna});
}

void JmenoVBunce(int x, int sirka, const QString& jmeno, const QString& styl) {
    TStavTisku& s = StavTisku();
    TiskDoMista(x, -12, sirka, OrizniKonec(jmeno), styl, {s.VelNormal, s.VelMala, s.VelDrobna});
}

void TiskZapisu(const PrecinctSession& d, int pocetKopii) {
    PripravTisk(d.Stanice.PriponaPisma);
    TStavZapisu& z = StavZapisu();
    z = TStavZapisu{};
    z.CasTiskuPresny = AktualniCasTisku().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss,zzz"));
    z.StranyPodleCisla = StranyPodleCisla(d.SeznamStran);
    z.NazevOkresu = NazevOkresu(d.Stanice);
    const int kopii = pocetKopii >= 2 ? pocetKopii : 1;

    TpreviewF& okno = previewF();
    // A printer that writes PDF files offers this as the file's name.
    okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("QZT2.pdf"));
    z.StranCelkem = SpocitejStrany(d);

    const int kopie = okno.PripravPrimyTisk(kopii);
    std::optional<TPrintResult> vytisteno;
    if (kopie > 0) {
        // A printer that fails is reported; the preview still comes, from
        // which the record can be printed again.
        runReportingErrors([&] { TiskKopii(d, kopie, vytisteno); });
    }
    SestavZapis(d);
    // The preview's status line tells where the copies went.
    if (vytisteno)
        okno.OznamTisk(*vytisteno);
    else
        okno.OznamTisk(QString::fromUtf8(kNicNevytisteno));
    okno.ShowModal();
    UvolniMereni();
}

} // namespace urn
