// Annex 1 of the record: for one party its votes, its control numbers and
// the preferential votes of every candidate position in a three-group table,
// then the date, the recorder and the names of the commission.

#include "checks/PrecinctSession.h"
#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/RecordPrintout.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

namespace urn {

namespace {

const QString kArial = QStringLiteral("Arial");
const QString kTucne = QStringLiteral("B");

// How far the line "okres ... pro volby do EVROPSKÉHO PARLAMENTU" stays
// from the right margin.
constexpr int kMezeraOkresu = 250;

// Candidates per group of the table, and the rows of the table.
constexpr int kVeSkupine = 11;
constexpr int kRadkuTabulky = 11;
constexpr int kVeTretiSkupine = kMaxKandidatu - 2 * kVeSkupine; // 6

// Column widths of the table: number, votes, multiple.
struct Sloupce {
    int w1, w2, w3;
    explicit Sloupce(const TStavTisku& s) {
        const int u = (s.Pravy - s.Levy) / 42;
        w1 = 3 * u;
        w2 = 5 * u;
        w3 = 6 * u;
    }
    int skupina(const TStavTisku& s, int g) const { return s.Levy + g * (w1 + w2 + w3); }
};

QString tecky(int n) {
    return Opakuj(QStringLiteral("."), n);
}

void Pokracovani(const PrecinctSession& d) {
    TStavTisku& s = StavTisku();
    PatickaZapisu(d);
    NovaStranaZapisu();
    StavZapisu().CisloStrany += 1;
    NastavVelikost(s.VelNormal);
    NastavPismo(kArial);
    s.AktY = s.Horni + 100;
    TiskNaStred(2, s.Levy, s.Pravy, QStringLiteral("pokračování"), kTucne);
}

// One number of the sheet right-aligned in its box at the margin.
void CisloVRamecku(int radky, const QString& text, qint64 hodnota, int sirka, int sirkaRamecku) {
    TStavTisku& s = StavTisku();
    TiskText(radky, s.Levy, 0, text);
    TiskVpravo(0, s.Pravy - 20, -5, CisloMezerami(hodnota, sirka));
    const int t = s.AktY - 10;
    Pero(5);
    Obdelnik(s.Pravy - sirkaRamecku, t, s.Pravy, t + s.Radek);
    Pero(3);
}

void RadekKandidata(const TStranaVysl& v, int g, int k) {
    const TStavTisku& s = StavTisku();
    const Sloupce c(s);
    const int x = c.skupina(s, g);
    // The last group's multiples end at the margin.
    const int konec = g == 2 ? s.Pravy : x + c.w1 + c.w2 + c.w3;
    TiskVpravo(0, x + c.w1 - 5, 0, CisloMezerami(k, 3) + QLatin1Char('.'));
    const qint64 hlasy = v.pref(k);
    if (hlasy != 0) {
        NastavStyl(kTucne);
        TiskVpravo(0, x + c.w1 + c.w2 - 5, 0, CisloMezerami(hlasy, 10));
        TiskVpravo(0, konec - 5, 0, CisloMezerami(k * hlasy, 13));
        NastavStyl(QString());
    } else {
        TiskVpravo(0, x + c.w1 + c.w2 - 20, -20, QStringLiteral("________"));
        TiskVpravo(0, konec - 20, -20, QStringLiteral("__________"));
    }
}

} // namespace

void HlavickaTabulky() {
    TStavTisku& s = StavTisku();
    const int velikost = s.Velikost;
    const int radek = s.Radek;
    NastavVelikost(s.VelMala);
    const Sloupce c(s);
    const auto sloupec = [&](int g, int i, int& x1, int& x2) {
        x1 = c.skupina(s, g) + (i > 0 ? c.w1 : 0) + (i > 1 ? c.w2 : 0);
        x2 = x1 + (i == 0 ? c.w1 : i == 1 ? c.w2 : c.w3);
        if (g == 2 && i == 2)
            x2 = s.Pravy;
    };
    // Each header line: the texts of the three columns of a group, with %1
    // and %2 standing for column numbers.
    const QStringList radky[] = {
        {QStringLiteral("Pořad."), QStringLiteral("Počet"), QString()},
        {QStringLiteral("číslo"), QStringLiteral("přednostních"), QStringLiteral("Násobek")},
        {QStringLiteral("kandid."), QStringLiteral("hlasů"), QStringLiteral("sl.%1 x sl. %2")},
        {QStringLiteral("sl.%1"), QStringLiteral("sl.%2"), QStringLiteral("sl.%3")},
    };
    for (int r = 0; r < 4; ++r) {
        TiskText(r == 0 ? 0 : 1, s.Levy, 0, QString());
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i < 3; ++i) {
                QString text = radky[r].at(i);
                if (text.isEmpty())
                    continue;
                const int prvni = 3 * g + 1;
                if (r == 2 && i == 2)
                    text = text.arg(prvni).arg(prvni + 1);
                else if (r == 3)
                    text = text.arg(prvni + i);
                int x1 = 0;
                int x2 = 0;
                sloupec(g, i, x1, x2);
                TiskNaStred(0, x1, x2, text);
            }
    }
    NastavVelikost(velikost);
    s.Radek = radek;
}

void MrizkaTabulky(int radku, int T) {
    const TStavTisku& s = StavTisku();
    const Sloupce c(s);
    const int R = s.Radek;
    const int H = (4 + radku) * R;
    const int E = s.Levy + 1120; // where the third group starts
    Pero(3);
    // The third group ends a row higher than the first two.
    Lomena({{s.Levy, T},
            {s.Levy, T + H},
            {E, T + H},
            {E, T + H - R},
            {s.Pravy, T + H - R},
            {s.Pravy, T},
            {s.Levy, T}});
    for (int i = 3; i <= 3 + radku - 1; ++i)
        Cara(s.Levy, T + i * R, s.Pravy, T + i * R);
    for (int i = 3 + radku; i <= 4 + radku; ++i)
        Cara(s.Levy, T + i * R, E, T + i * R);
    const int sirky[] = {c.w1, c.w2, c.w3};
    int x = s.Levy;
    for (int sloupec = 1; sloupec <= 8; ++sloupec) {
        x += sirky[(sloupec - 1) % 3];
        Cara(x, T, x, sloupec <= 6 ? T + H : T + H - R);
    }
    // The vote columns are outlined heavier below the header.
    Pero(5);
    for (int g = 0; g < 3; ++g) {
        const int x1 = c.skupina(s, g) + c.w1;
        Obdelnik(x1, T + 4 * R, x1 + c.w2, g < 2 ? T + H : T + H - R);
    }
    Pero(3);
}

void PrilohaList(const PrecinctSession& d, int p) {
    TStavTisku& s = StavTisku();
    const TStavZapisu& z = StavZapisu();
    const TPrecinctRecord& r = d.PrecinctRecord;
    const TStranaVysl& v = r.VyslStran(p);
    NastavVelikost(s.VelNormal);
    NastavPismo(kArial);
    s.AktY = s.Horni + 100;

    TiskNaStred(0, s.Levy, s.Pravy,
                QStringLiteral("VÝSLEDKY HLASOVÁNÍ PRO POLITICKÉ STRANY, POLITICKÁ HNUTÍ A "
                               "KOALICE VE VOLEBNÍM OKRSKU"),
                kTucne);
    TiskVpravo(1, s.Pravy, 0,
               QStringLiteral("Příloha č. 1 k tiskopisu T/2, list č. ") +
                   CisloMezerami(z.CisloListu, 3));
    TiskText(2, s.Levy, 0,
             ZuzeneMezery(QStringLiteral("Příloha   č.   1  k   tiskopisu   T/2   -   zápis  "
                                         "okrskové  volební  komise  o  průběhu  a   výsledku   "
                                         "hlasování   ve   volebním"),
                          s.Pravy - s.Levy));

    // The dots reach the margin and no further; the municipality stands on
    // them whole, smaller or narrower when long.
    QString p1 = QStringLiteral("okrsku  č. ....");
    QString p2 = p1 + QStringLiteral(
                          ".......... v obci (městysu, městě, městské části, městském obvodu) ...");
    const QString teckyObce =
        tecky((s.Pravy - s.Levy - SirkaTextu(p2)) / SirkaTextu(QStringLiteral(".")));
    TiskText(1, s.Levy, 0, p2 + teckyObce);
    TiskStylem(0, s.Levy + SirkaTextu(p1) - 30, -10, CisloMezerami(r.T2.Okrsek, 5), kTucne);
    TiskDoMista(s.Levy + SirkaTextu(p2), -10, SirkaTextu(teckyObce),
                OrizniKonec(d.Stanice.NazevObce), kTucne, {s.VelNormal, s.VelMala, s.VelDrobna});

    p1 = QStringLiteral("okres ...");
    p2 = QStringLiteral(".. pro volby do ");
    const QString p3 = QStringLiteral(" EVROPSKÉHO PARLAMENTU  ");
    NastavStyl(kTucne);
    const int w3 = SirkaTextu(p3);
    NastavStyl(QString());
    const int x2 = s.Pravy - SirkaTextu(p2) - w3 - kMezeraOkresu;
    const QString teckyOkresu = tecky(PocetTecek(s.Levy + SirkaTextu(p1), x2));
    TiskText(1, s.Levy, 0, p1 + teckyOkresu);
    TiskText(0, x2, 0, p2);
    TiskStylem(0, s.Pravy - w3 - kMezeraOkresu, 0, p3, kTucne);
    TiskDoMista(s.Levy + SirkaTextu(p1), -10, SirkaTextu(teckyOkresu), z.NazevOkresu, kTucne,
                {s.VelNormal, s.VelMala, s.VelDrobna});

    TiskText(2, s.Levy, 0, QString());
    IdentifikaceOkrsku(r.T2, true);

    TiskText(2, s.Levy, 0,
             QStringLiteral("Ve volebním okrsku byly zjištěny výsledky hlasování pro politickou "
                            "stranu, politické hnutí nebo koalici:"));
    const int c = s.Radek;
    TiskText(1, s.Levy, 0, tecky(120) + QStringLiteral(" číslo ") + tecky(10));
    TiskDoMista(s.Levy, -10, SirkaTextu(tecky(120)),
                OrizniKonec(z.StranyPodleCisla.at(size_t(p)).NazevStrany), kTucne,
                {s.VelNormal, s.VelMala, s.VelDrobna});
    TiskVpravo(0, s.Pravy - 20, -5, CisloMezerami(v.CisStr, 2));
    int t = s.AktY - 10;
    Pero(5);
    Lomena({{s.Pravy, t + 3 * c}, {s.Pravy, t}, {s.Pravy - 2 * c, t}, {s.Pravy - 2 * c, t + c}});
    Pero(3);
    Cara(s.Pravy, t + c, s.Pravy - 2 * c, t + c);

    TiskText(1, s.Levy, 0,
             QStringLiteral("Počet platných hlasů pro tuto politickou stranu, politické hnutí "
                            "nebo koalici"));
    TiskVpravo(0, s.Pravy - 20, -5, CisloMezerami(v.PocHl, 8));
    t = s.AktY - 10;
    Pero(5);
    Lomena({{s.Pravy - 2 * c, t}, {s.Pravy - 4 * c, t}, {s.Pravy - 4 * c, t + c}});
    Pero(3);
    Cara(s.Pravy, t + c, s.Pravy - 4 * c, t + c);

    TiskText(1, s.Levy, 0, QStringLiteral("Kontrolní číslo 2"));
    TiskVpravo(0, s.Pravy - 20, -5, CisloMezerami(v.T2PKC2, 10));
    t = s.AktY - 10;
    Pero(5);
    Lomena(
        {{s.Pravy - 4 * c, t}, {s.Pravy - 5 * c, t}, {s.Pravy - 5 * c, t + c}, {s.Pravy, t + c}});

    TiskText(2, s.Levy, 0,
             QStringLiteral("Počet platných přednostních hlasů odevzdaných pro jednotlivé "
                            "kandidáty v pořadí podle hlasovacího lístku:"));
    TiskText(1, s.Levy, 0, QString());
    const int T = s.AktY - 10;
    HlavickaTabulky();
    // Every candidate position is printed, whether or not the party has
    // that many candidates.
    for (int radek = 1; radek <= kRadkuTabulky; ++radek) {
        TiskText(1, s.Levy, 0, QString());
        RadekKandidata(v, 0, radek);
        RadekKandidata(v, 1, radek + kVeSkupine);
        if (radek <= kVeTretiSkupine)
            RadekKandidata(v, 2, radek + 2 * kVeSkupine);
    }
    NastavPismo(kArial);
    MrizkaTabulky(kRadkuTabulky, T);

    CisloVRamecku(2,
                  QStringLiteral("Kontrolní číslo 3 (součet všech násobků ve sloupcích 3, 6 a 9)"),
                  v.T2PKC3, 8, 400);
    CisloVRamecku(
        2, QStringLiteral("Kontrolní číslo 4 (součet kontrolního čísla 2 a kontrolního čísla 3)"),
        v.T2PKC4, 10, 400);
    CisloVRamecku(2, QStringLiteral("Poslední číslo kandidáta, který získal přednostní hlasy"),
                  v.T2PPoslKand, 3, 100);
    TiskText(1, s.Levy, 0, QStringLiteral("    KČ1 ... kontrolní číslo 1"));
    Hvezdicka(s.Levy, s.AktY);

    VyhotoveniAZapisovatel(r.Hlaso);

    TiskText(2, s.Levy, 0, QStringLiteral("Jména, příjmení a podpisy ostatních členů komise:"));
    const int q = (s.Pravy - s.Levy) / 3;
    const QList<TKomise>& jmena = d.JmenaKomise;
    const int pocet = int(jmena.size());
    const int sirkaBunky = qMin(q - 20, SirkaTextu(tecky(60)));
    const auto bunka = [&](int x, const TKomise& clen) {
        TiskText(0, x, 0, tecky(60));
        JmenoVBunce(x, sirkaBunky, clen.clen, QString());
    };
    // The first row has only its right cell, on the label's line; every
    // further row fills all three. A row that ends low on the page continues
    // on the next, unless it held the last name.
    int i = 0;
    bool prvniRadek = true;
    while (i < pocet) {
        if (!prvniRadek) {
            TiskText(2, s.Levy, 0, QString());
            bunka(s.Levy, jmena.at(i++));
            if (i < pocet)
                bunka(s.Levy + q, jmena.at(i++));
        }
        if (i < pocet)
            bunka(s.Levy + 2 * q, jmena.at(i++));
        prvniRadek = false;
        if (i < pocet && s.AktY > s.Dolni - 4 * s.Rezerva)
            Pokracovani(d);
    }
    if (s.AktY > s.Dolni - 3 * s.Rezerva)
        Pokracovani(d);
}

} // namespace urn
