// The auxiliary counting sheet: a blank landscape tally form, one section per
// party with a row of tally cells for each of its candidates.

#include "printing/CountingSheet.h"

#include "printing/LayoutEngine.h"
#include "store/PrecinctRecord.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

namespace urn {

namespace {

constexpr int kOdsazeni = 105;
constexpr int kSloupec = kOdsazeni + 30;     // width of one tally column
constexpr int kPrvniSloupec = 6 * kOdsazeni; // 630: total box, number and name
constexpr int kSloupcu = 15;

struct ArchStav {
    explicit ArchStav(const TUdajeArchu& udaje) : u(udaje) {}
    const TUdajeArchu& u;
    int CisloStrany = 1;
    bool VRadachStrany = false;
    int pozice = 0; // list position of the party being printed
    QString NazevObceArchu;
    QString Tecky = QStringLiteral(". . . .  . . . .");
};

int sirkaArchu() {
    return kPrvniSloupec + kSloupec * kSloupcu; // 2655
}

int cisloStrany(const TStrana& strana) {
    int n = 0;
    return tryStrToInt(strana.CisloStrany.trimmed(), n) ? n : 0;
}

QString jmenoKandidata(const TKandidat& k) {
    QString jmeno =
        (OrizniKonec(k.KandJmeno1) + QLatin1Char(' ') + OrizniKonec(k.KandJmeno2)).left(50);
    if (jmeno.startsWith(QStringLiteral("Registrační")))
        jmeno = jmeno.left(39);
    return jmeno;
}

void HlavickaStrany(LayoutEngine& s, ArchStav& a) {
    const TStrana& strana = a.u.Strany.strany.at(a.pozice - 1);
    s.Pero(1);
    s.TiskText(1, 0, 0, QString());
    s.TiskText(1, s.Levy + kOdsazeni, 0, QStringLiteral("Strana č. ") + strana.CisloStrany);
    s.TiskVpravo(0, s.Pravy, 0, QStringLiteral("Obec: ") + a.NazevObceArchu);
    s.TiskStylem(1, s.Levy + kOdsazeni, -12,
                 QStringLiteral("Volební strana: ") + strana.NazevStrany, QString());
    const qint32 okrsek = a.u.Okrsek.Okrsek;
    s.TiskVpravo(0, s.Pravy, -12,
                 okrsek == 0 ? QStringLiteral("Okrsek: ............")
                             : QStringLiteral("Okrsek: ") + CisloMezerami(okrsek, 5));
    s.TiskText(1, 0, 0, QString());
    const int y0 = s.AktY;
    s.Pero(1);
    s.Cara(s.Levy + kPrvniSloupec, y0 - 15, s.Levy + kPrvniSloupec, y0 + s.Radek - 6);
    s.Cara(s.Levy, y0 - 15, s.Levy, y0 + s.Radek - 6);
    s.TiskText(0, s.Levy + 10, 0, QStringLiteral("Celkem Pořadové číslo, jméno a příjmení"));
    const int sirkaTecek = s.SirkaTextu(a.Tecky);
    for (int i = 1; i <= kSloupcu; ++i) {
        const QString nadpis = QString::number(i * 10);
        s.TiskText(0,
                   s.Levy + kPrvniSloupec + kSloupec * (i - 1) + sirkaTecek -
                       s.SirkaTextu(nadpis + QLatin1Char(' ')),
                   0, nadpis);
        s.Pero(1, i < kSloupcu ? Qt::DotLine : Qt::SolidLine);
        const int x = s.Levy + kPrvniSloupec + kSloupec * i;
        s.Cara(x, y0 - 15, x, y0 + s.Radek - 6);
    }
    s.Pero(1);
    s.Cara(s.Levy, y0 + s.Radek - 10, s.Levy + sirkaArchu(), y0 + s.Radek - 10);
    s.Cara(s.Levy, y0 - 15, s.Levy + sirkaArchu(), y0 - 15);
}

void HlavickaArchu(LayoutEngine& s, ArchStav& a) {
    s.NastavVelikost(20);
    s.NastavPismo(QStringLiteral("Arial"));
    s.AktY = s.Horni + 100;
    s.NastavVelikost(34);
    s.TiskNaStred(0, s.Levy, s.Pravy,
                  QStringLiteral("Pomocný sčítací arch pro sčítání přednostních hlasů kandidátů"),
                  QStringLiteral("B"));
    s.NastavVelikost(20);
    s.TiskText(0, s.Pravy - 150, 0, QStringLiteral("arch č. ..... "));
    if (a.VRadachStrany)
        HlavickaStrany(s, a);
}

void PatickaArchu(LayoutEngine& s, ArchStav& a) {
    s.NastavVelikost(20);
    s.TiskVpravo(0, s.Pravy, s.Dolni,
                 a.u.Okrsek.Obec.trimmed() + QLatin1Char('-') + QString::number(a.u.Okrsek.Okrsek) +
                     QStringLiteral(" List: ") + CisloMezerami(a.CisloStrany, 2) +
                     QStringLiteral(" - ") + s.ZnackaProgramu);
    const int m = s.Levy + (s.Pravy - s.Levy) / 2;
    s.NastavStyl(QStringLiteral("B"));
    s.TiskText(0, m, s.Dolni - s.Rezerva / 2, QStringLiteral("VZOR"));
    s.NastavStyl(QString());
    s.Pero(3);
    for (int i = 1; i <= 4; ++i)
        s.Cara(m + 10 * i + 105, s.Dolni - 15, m + 10 * i + 100, s.Dolni + 15);
    s.Cara(m + 100, s.Dolni, m + 150, s.Dolni);
    a.CisloStrany += 1;
}

void ZmenaStranyArchu(LayoutEngine& s, ArchStav& a) {
    if (s.PosledniStrana == s.Strana)
        return;
    PatickaArchu(s, a);
    s.NovaStrana();
    HlavickaArchu(s, a);
    s.PosledniStrana = s.Strana;
    s.HlidatKonec = true;
}

void BlokStrany(LayoutEngine& s, ArchStav& a) {
    HlavickaStrany(s, a);
    const TStrana& strana = a.u.Strany.strany.at(a.pozice - 1);
    const int n = cisloStrany(strana);
    int c = 0;
    if (n >= 1 && n <= kMaxStran && tryStrToInt(strana.PocetKand.trimmed(), c))
        c = qBound(0, c, kMaxKandidatu);
    else
        c = 0;
    for (int k = 1; k <= c; ++k) {
        const TKandidat& kandidat = a.u.Kandidati.at(size_t(n - 1)).at(size_t(k - 1));
        const QString jmeno = jmenoKandidata(kandidat);
        a.VRadachStrany = true;
        if (s.AktY + 2 * s.Radek >= s.Horni + s.Dolni - s.Rezerva)
            s.PosledniStrana += 1;
        ZmenaStranyArchu(s, a);
        if (kandidat.KandPriznak == QLatin1String("N"))
            s.TiskStylem(1, s.Levy, 0, QStringLiteral("      N"), QStringLiteral("B"));
        else
            s.TiskText(1, 0, 0, QString());
        const QString styl = k % 10 == 0 || k % 10 == 5 ? QStringLiteral("B") : QString();
        const QString tecky = Opakuj(QStringLiteral("."), 63);
        s.TiskStylem(0, s.Levy + kOdsazeni, 10, tecky, styl);
        // The name on its dots, smaller or narrower when long, never over
        // the first tally column.
        s.NastavStyl(styl);
        const int sirkaJmena = s.SirkaTextu(tecky);
        s.NastavStyl(QString());
        s.TiskDoMista(s.Levy + kOdsazeni, 0, sirkaJmena,
                      CisloMezerami(k, 2) + QStringLiteral(". ") + jmeno, QString(),
                      {s.VelMala, s.VelDrobna});
        const int y0 = s.AktY;
        s.Pero(1);
        s.Cara(s.Levy + kPrvniSloupec, y0 - 10, s.Levy + kPrvniSloupec, y0 + s.Radek + 10);
        for (int i = 1; i <= kSloupcu; ++i) {
            s.TiskStylem(0, s.Levy + kPrvniSloupec + kSloupec * (i - 1) + 5, 10, a.Tecky, styl);
            s.Pero(1, i < kSloupcu ? Qt::DashDotLine : Qt::SolidLine);
            const int x = s.Levy + kPrvniSloupec + kSloupec * i;
            s.Cara(x, y0 - 10, x, y0 + s.Radek + 10);
        }
        s.Pero(1);
        s.Cara(s.Levy, y0 - 10, s.Levy, y0 + s.Radek + 10);
        s.Pero(3);
        const int y1 = s.AktY - 3;
        s.Obdelnik(s.Levy + 15, y1, s.Levy + s.SirkaTextu(QStringLiteral("000000")),
                   y1 + s.Radek - 6);
    }
    a.VRadachStrany = false;
    s.Pero(1);
    const int y = s.AktY + s.Rezerva + 20;
    s.Cara(s.Levy, y, s.Levy + sirkaArchu(), y);
}

void ArchDokument(LayoutEngine& s, ArchStav& a) {
    a.NazevObceArchu = a.u.Stanice.NazevObce.trimmed();
    s.Strana = 1;
    a.CisloStrany = 1;
    TiskovyDokument dokument(s);
    s.NovaStrana();
    s.NastavVelikost(20);
    s.NastavPismo(QStringLiteral("Arial"));
    HlavickaArchu(s, a);
    s.PosledniStrana = 1;
    s.Strana = 1;
    const int pocet = a.u.Strany.pocet();
    for (int j = 1; j <= pocet; ++j) {
        a.pozice = j;
        s.HlidatKonec = true;
        if (s.AktY + 5 * s.Radek >= s.Horni + s.Dolni)
            s.PosledniStrana += 1;
        ZmenaStranyArchu(s, a);
        BlokStrany(s, a);
        if (j != pocet) {
            // Every party starts on a page of its own.
            s.Strana += 1;
        }
        ZmenaStranyArchu(s, a);
    }
    PatickaArchu(s, a);
    dokument.konec();
}

} // namespace

QString TitulekScitacihoArchu(int stran) {
    return QStringLiteral("Tisk pomocného sčítacího archu má %1.")
        .arg(CeskyPocet(stran, "stranu", "strany", "stran"));
}

void SestavScitaciArch(PageSink& stranky, const TUdajeArchu& udaje, const QDateTime& cas) {
    LayoutEngine s(stranky, cas, udaje.Stanice.PriponaPisma);
    s.Pravy = 2800;
    s.Radek = 45;
    s.Dolni = 42 * s.Radek + s.Horni;
    s.VelMala = 20;
    s.VelNadpis = 34;
    s.VelDrobna = 16;
    ArchStav a(udaje);
    a.VRadachStrany = false;
    ArchDokument(s, a);
}

} // namespace urn
