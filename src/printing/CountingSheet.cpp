// The auxiliary counting sheet: a blank landscape tally form, one section per
// party with a row of tally cells for each of its candidates.

#include "printing/CountingSheet.h"

#include "checks/PrecinctSession.h"
#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
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
    explicit ArchStav(const PrecinctSession& d) : data(d) {}
    const PrecinctSession& data; // the party list, the candidates and the precinct
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

void HlavickaStrany(ArchStav& a) {
    TStavTisku& s = StavTisku();
    const TStrana& strana = a.data.SeznamStran.strany.at(a.pozice - 1);
    Pero(1);
    TiskText(1, 0, 0, QString());
    TiskText(1, s.Levy + kOdsazeni, 0, QStringLiteral("Strana č. ") + strana.CisloStrany);
    TiskVpravo(0, s.Pravy, 0, QStringLiteral("Obec: ") + a.NazevObceArchu);
    TiskStylem(1, s.Levy + kOdsazeni, -12, QStringLiteral("Volební strana: ") + strana.NazevStrany,
               QString());
    const qint32 okrsek = a.data.AktOkrsek.Okrsek;
    TiskVpravo(0, s.Pravy, -12,
               okrsek == 0 ? QStringLiteral("Okrsek: ............")
                           : QStringLiteral("Okrsek: ") + CisloMezerami(okrsek, 5));
    TiskText(1, 0, 0, QString());
    const int y0 = s.AktY;
    Pero(1);
    Cara(s.Levy + kPrvniSloupec, y0 - 15, s.Levy + kPrvniSloupec, y0 + s.Radek - 6);
    Cara(s.Levy, y0 - 15, s.Levy, y0 + s.Radek - 6);
    TiskText(0, s.Levy + 10, 0, QStringLiteral("Celkem Pořadové číslo, jméno a příjmení"));
    const int sirkaTecek = SirkaTextu(a.Tecky);
    for (int i = 1; i <= kSloupcu; ++i) {
        const QString nadpis = QString::number(i * 10);
        TiskText(0,
                 s.Levy + kPrvniSloupec + kSloupec * (i - 1) + sirkaTecek -
                     SirkaTextu(nadpis + QLatin1Char(' ')),
                 0, nadpis);
        Pero(1, i < kSloupcu ? Qt::DotLine : Qt::SolidLine);
        const int x = s.Levy + kPrvniSloupec + kSloupec * i;
        Cara(x, y0 - 15, x, y0 + s.Radek - 6);
    }
    Pero(1);
    Cara(s.Levy, y0 + s.Radek - 10, s.Levy + sirkaArchu(), y0 + s.Radek - 10);
    Cara(s.Levy, y0 - 15, s.Levy + sirkaArchu(), y0 - 15);
}

void HlavickaArchu(ArchStav& a) {
    TStavTisku& s = StavTisku();
    NastavVelikost(20);
    NastavPismo(QStringLiteral("Arial"));
    s.AktY = s.Horni + 100;
    NastavVelikost(34);
    TiskNaStred(0, s.Levy, s.Pravy,
                QStringLiteral("Pomocný sčítací arch pro sčítání přednostních hlasů kandidátů"),
                QStringLiteral("B"));
    NastavVelikost(20);
    TiskText(0, s.Pravy - 150, 0, QStringLiteral("arch č. ..... "));
    if (a.VRadachStrany)
        HlavickaStrany(a);
}

void PatickaArchu(ArchStav& a) {
    TStavTisku& s = StavTisku();
    NastavVelikost(20);
    TiskVpravo(0, s.Pravy, s.Dolni,
               a.data.AktOkrsek.Obec.trimmed() + QLatin1Char('-') +
                   QString::number(a.data.AktOkrsek.Okrsek) + QStringLiteral(" List: ") +
                   CisloMezerami(a.CisloStrany, 2) + QStringLiteral(" - ") + s.ZnackaProgramu);
    const int m = s.Levy + (s.Pravy - s.Levy) / 2;
    NastavStyl(QStringLiteral("B"));
    TiskText(0, m, s.Dolni - s.Rezerva / 2, QStringLiteral("VZOR"));
    NastavStyl(QString());
    Pero(3);
    for (int i = 1; i <= 4; ++i)
        Cara(m + 10 * i + 105, s.Dolni - 15, m + 10 * i + 100, s.Dolni + 15);
    Cara(m + 100, s.Dolni, m + 150, s.Dolni);
    a.CisloStrany += 1;
}

void ZmenaStranyArchu(ArchStav& a) {
    TStavTisku& s = StavTisku();
    if (s.PosledniStrana == s.Strana)
        return;
    PatickaArchu(a);
    NovaStrana();
    HlavickaArchu(a);
    s.PosledniStrana = s.Strana;
    s.HlidatKonec = true;
}

void BlokStrany(ArchStav& a) {
    TStavTisku& s = StavTisku();
    HlavickaStrany(a);
    const TStrana& strana = a.data.SeznamStran.strany.at(a.pozice - 1);
    const int n = cisloStrany(strana);
    int c = 0;
    if (n >= 1 && n <= kMaxStran && tryStrToInt(strana.PocetKand.trimmed(), c))
        c = qBound(0, c, kMaxKandidatu);
    else
        c = 0;
    for (int k = 1; k <= c; ++k) {
        const TKandidat& kandidat = Kandidat(a.data.TabulkaKandidatu, n, k);
        const QString jmeno = jmenoKandidata(kandidat);
        a.VRadachStrany = true;
        if (s.AktY + 2 * s.Radek >= s.Horni + s.Dolni - s.Rezerva)
            s.PosledniStrana += 1;
        ZmenaStranyArchu(a);
        if (kandidat.KandPriznak == QLatin1String("N"))
            TiskStylem(1, s.Levy, 0, QStringLiteral("      N"), QStringLiteral("B"));
        else
            TiskText(1, 0, 0, QString());
        const QString styl = k % 10 == 0 || k % 10 == 5 ? QStringLiteral("B") : QString();
        const QString tecky = Opakuj(QStringLiteral("."), 63);
        TiskStylem(0, s.Levy + kOdsazeni, 10, tecky, styl);
        // The name on its dots, smaller or narrower when long, never over
        // the first tally column.
        NastavStyl(styl);
        const int sirkaJmena = SirkaTextu(tecky);
        NastavStyl(QString());
        TiskDoMista(s.Levy + kOdsazeni, 0, sirkaJmena,
                    CisloMezerami(k, 2) + QStringLiteral(". ") + jmeno, QString(),
                    {s.VelMala, s.VelDrobna});
        const int y0 = s.AktY;
        Pero(1);
        Cara(s.Levy + kPrvniSloupec, y0 - 10, s.Levy + kPrvniSloupec, y0 + s.Radek + 10);
        for (int i = 1; i <= kSloupcu; ++i) {
            TiskStylem(0, s.Levy + kPrvniSloupec + kSloupec * (i - 1) + 5, 10, a.Tecky, styl);
            Pero(1, i < kSloupcu ? Qt::DashDotLine : Qt::SolidLine);
            const int x = s.Levy + kPrvniSloupec + kSloupec * i;
            Cara(x, y0 - 10, x, y0 + s.Radek + 10);
        }
        Pero(1);
        Cara(s.Levy, y0 - 10, s.Levy, y0 + s.Radek + 10);
        Pero(3);
        const int y1 = s.AktY - 3;
        Obdelnik(s.Levy + 15, y1, s.Levy + SirkaTextu(QStringLiteral("000000")), y1 + s.Radek - 6);
    }
    a.VRadachStrany = false;
    Pero(1);
    const int y = s.AktY + s.Rezerva + 20;
    Cara(s.Levy, y, s.Levy + sirkaArchu(), y);
}

void ArchDokument(ArchStav& a) {
    TStavTisku& s = StavTisku();
    a.NazevObceArchu = a.data.Stanice.NazevObce.trimmed();
    s.Strana = 1;
    a.CisloStrany = 1;
    TpreviewF& okno = previewF();
    TiskovyDokument dokument(okno);
    NovaStrana();
    NastavVelikost(20);
    NastavPismo(QStringLiteral("Arial"));
    HlavickaArchu(a);
    s.PosledniStrana = 1;
    s.Strana = 1;
    const int pocet = a.data.SeznamStran.pocet();
    for (int j = 1; j <= pocet; ++j) {
        a.pozice = j;
        s.HlidatKonec = true;
        if (s.AktY + 5 * s.Radek >= s.Horni + s.Dolni)
            s.PosledniStrana += 1;
        ZmenaStranyArchu(a);
        BlokStrany(a);
        if (j != pocet) {
            // Every party starts on a page of its own.
            s.Strana += 1;
        }
        ZmenaStranyArchu(a);
    }
    PatickaArchu(a);
    dokument.konec();
}

// The whole sheet into the preview window's page store.
void SestavScitaciArch(const PrecinctSession& data) {
    PripravTisk(data.Stanice.PriponaPisma);
    TStavTisku& s = StavTisku();
    previewF().PrintPreview()->SetOrientation(poLandscape);
    s.Pravy = 2800;
    s.Radek = 45;
    s.Dolni = 42 * s.Radek + s.Horni;
    s.VelMala = 20;
    s.VelNadpis = 34;
    s.VelDrobna = 16;
    ArchStav a(data);
    a.VRadachStrany = false;
    ArchDokument(a);
}

} // namespace

QString TitulekScitacihoArchu(int stran) {
    return QStringLiteral("Tisk pomocného sčítacího archu má %1.")
        .arg(CeskyPocet(stran, "stranu", "strany", "stran"));
}

void TiskScitacihoArchu(const PrecinctSession& data) {
    SestavScitaciArch(data);
    previewF().ShowModal();
    UvolniMereni();
}

void ScitaciArch(PrecinctSession& session, const UkazInfo& ukazInfo) {
    session.AktOkrsek = session.Stanice.okrsek();
    NactiStrany(session.SeznamStran);
    NactiKandidaty(session.TabulkaKandidatu);
    // The notice gives the pages of the sheet as it is: made first, shown
    // after the notice.
    SestavScitaciArch(session);
    if (ukazInfo)
        ukazInfo(QString::fromUtf8(kScitaciArchCaption),
                 TitulekScitacihoArchu(previewF().PrintPreview()->TotalPages()),
                 QString::fromUtf8(kScitaciArchText));
    previewF().ShowModal();
    UvolniMereni();
}

} // namespace urn
