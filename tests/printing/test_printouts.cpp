#include "PageBounds.h"
#include "PrintFixture.h"
#include "ReferenceImage.h"
#include "checks/CheckSequence.h"
#include "preview/PreviewControl.h"
#include "printing/PrintCommands.h"
#include "store/PrecinctRecord.h"

#include <gtest/gtest.h>

#include <functional>

using namespace urn;
using namespace urn::test;

namespace {

// ---------------------------------------------------------------- data

TStrana strana(const QString& cislo, const QString& nazev, int kandidatu) {
    TStrana s;
    s.CisloStrany = cislo;
    s.NazevStrany = nazev;
    s.PocetKand = QString::number(kandidatu);
    return s;
}

TKandidat kandidat(int strana, int k, const QString& jmeno1, const QString& jmeno2,
                   bool odstoupil = false) {
    TKandidat c;
    c.CisloStrany = QString::number(strana);
    c.CisloKand = QString::number(k);
    c.KandJmeno1 = jmeno1;
    c.KandJmeno2 = jmeno2;
    c.KandPriznak = odstoupil ? QStringLiteral("N") : QStringLiteral("A");
    return c;
}

const char* const kJmena[] = {
    "Mgr. Šárka Čermáková", "MUDr. Pavel Skála",  "Ing. Jiří Dvořák", "Bc. Lucie Nováková",
    "Petr Procházka",       "RNDr. Eva Kučerová", "Tomáš Veselý",     "Ing. arch. Jana Horáková"};

// Three parties: a full one with withdrawn and long names, a short one with
// a long party name, and one whose number lies outside the candidate table.
void vzorovyArch(const TestInstall& inst, PrecinctSession& session) {
    inst.writeStrany({strana(QStringLiteral("1"), QStringLiteral("Hnutí zelené Evropy"), 28),
                      strana(QStringLiteral("2"),
                             QStringLiteral("Unie pro venkov a spravedlivou budoucnost všech "
                                            "regionů České republiky"),
                             5),
                      strana(QStringLiteral("31"), QStringLiteral("Strana mimo tabulku"), 3)});
    QList<TKandidat> k;
    for (int i = 1; i <= 28; ++i) {
        QString j1 = QString::fromUtf8(kJmena[(i - 1) % 8]);
        QString j2 = i % 3 == 0 ? QStringLiteral("Ph.D.") : QString();
        if (i == 3)
            j1 = QStringLiteral("Registrační číslo kandidáta zatím nebylo přiděleno");
        if (i == 9) {
            j1 = QStringLiteral("Prof. Ing. Maxmilián Ferdinand Hrabě-Kolovratský");
            j2 = QStringLiteral("DrSc., dr. h. c., MBA");
        }
        k.append(kandidat(1, i, j1, j2, i == 7 || i == 12));
    }
    for (int i = 1; i <= 5; ++i)
        k.append(kandidat(2, i, QString::fromUtf8(kJmena[i]), QString(), i == 5));
    inst.writeKandidati(k);
    NactiStrany(session.SeznamStran);
    NactiKandidaty(session.TabulkaKandidatu);
}

TUdajeProtokolu protokol() {
    TUdajeProtokolu u;
    u.Obec = 582786;
    u.Okrsek = 2;
    u.T2KC_1 = int((582786LL * 100000 + 2) % 7);
    u.KontrSoucetTS = 1234567;
    u.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
    return u;
}

TRadekProtokolu nalez(int strana, int chyba, const QString& text) {
    return {strana, chyba, text};
}

// Enough findings for a second page: parties 0, 0, 3, 3, 5, then many of 7,
// one of them far too long for a line.
TUdajeProtokolu dlouhyProtokol() {
    TUdajeProtokolu u = protokol();
    u.Chyby = {
        nalez(0, 11, QStringLiteral("Počet odevzdaných obálek je větší než počet vydaných 512")),
        nalez(0, 92, QStringLiteral("Neobvykle vysoká účast voličů 98 %")),
        nalez(3, 41, QStringLiteral("Součet přednostních hlasů nesouhlasí 17")),
        nalez(3, 44, QStringLiteral("Kandidát s přednostními hlasy odstoupil 12")),
        nalez(5, 5, QStringLiteral("Přednostní hlasy převyšují hlasy strany 31")),
    };
    u.Chyby.append(nalez(
        7, 45,
        QStringLiteral("Kandidát uvedený na hlasovacím lístku pod pořadovým číslem 14 má více "
                       "přednostních hlasů, než kolik hlasů obdržela jeho strana; opravte "
                       "hlasy strany nebo přednostní hlasy: 27")));
    for (int i = 0; i < 40; ++i)
        u.Chyby.append(
            nalez(7, 46 + i % 3, QStringLiteral("Přednostní hlas kandidáta %1 chybí").arg(i + 1)));
    return u;
}

TProstrediTisku prostredi() {
    TProstrediTisku p;
    p.System = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
    p.Tiskarna = QStringLiteral("HP LaserJet 4050 v kanceláři");
    p.Fonty = QStringLiteral("Arial, Courier New, ");
    p.OknoPpi = 96;
    p.OknoSirka = 801;
    p.OknoVyska = 412;
    p.ObrazovkaPpi = 96;
    return p;
}

} // namespace

// ---------------------------------------------------------------- counting sheet

TEST(CountingSheet, ReferencePages) {
    PrintFixture f;
    vzorovyArch(f.inst, f.session);
    f.session.AktOkrsek = {QStringLiteral("582786"), 2};
    TiskScitacihoArchu(udajeArchu(f.session), f.okno, fixedPrintTime());
    EXPECT_EQ(f.shown, 1);
    ASSERT_EQ(f.pages(), 3);
    EXPECT_EQ(f.okno.PrintPreview()->Orientation(), poLandscape);
    for (int p = 1; p <= 3; ++p)
        EXPECT_TRUE(matchesReference(f.image(p), QStringLiteral("counting-sheet-%1.png").arg(p)));
}

TEST(CountingSheet, Content) {
    PrintFixture f;
    vzorovyArch(f.inst, f.session);
    f.session.AktOkrsek = {QStringLiteral("582786"), 2};
    TiskScitacihoArchu(udajeArchu(f.session), f.okno, fixedPrintTime());
    ASSERT_EQ(f.pages(), 3);
    const DrawnPage p1 = f.page(1);
    const DrawnText* title =
        p1.find(QStringLiteral("Pomocný sčítací arch pro sčítání přednostních hlasů kandidátů"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->font.bold());
    EXPECT_EQ(title->topLeft.y(), 100);
    ASSERT_NE(p1.find(QStringLiteral("Strana č. 1")), nullptr);
    EXPECT_EQ(p1.find(QStringLiteral("Obec: Bílá Lhota u Kamenice"))->right(), 2800);
    EXPECT_NE(p1.find(QStringLiteral("Okrsek:     2")), nullptr);
    EXPECT_NE(p1.find(QStringLiteral("Volební strana: Hnutí zelené Evropy")), nullptr);
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(p1.count(QString::number(i * 10)), 1) << i;
    // Footer, right-aligned at the bottom, and the "VZOR" mark.
    const DrawnText* footer = p1.find(QStringLiteral("582786-2 List:  1 - QZ"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->right(), 2800);
    EXPECT_EQ(footer->topLeft.y(), 1890);
    const DrawnText* vzor = p1.find(QStringLiteral("VZOR"));
    ASSERT_NE(vzor, nullptr);
    EXPECT_EQ(vzor->topLeft, QPointF(1500, 1873));
    EXPECT_TRUE(vzor->font.bold());

    // Rows: every candidate's number and name; 5, 10, ... bold dots.
    const QString dots63 = Opakuj(QStringLiteral("."), 63);
    int boldRows = 0;
    for (const DrawnText& t : p1.texts)
        if (t.text == dots63 && t.font.bold())
            ++boldRows;
    EXPECT_EQ(boldRows, 5); // 5, 10, 15, 20, 25
    EXPECT_EQ(p1.count(dots63), 28);
    EXPECT_EQ(p1.count(QStringLiteral(". . . .  . . . .")), 28 * 15);
    EXPECT_NE(p1.find(QStringLiteral(" 1. Mgr. Šárka Čermáková ")), nullptr);
    // Names: at most 50 characters, "Registrační..." placeholders 39.
    EXPECT_NE(p1.find(QStringLiteral(" 3. Registrační číslo kandidáta zatím nebyl")), nullptr);
    EXPECT_NE(p1.find(QStringLiteral(" 9. Prof. Ing. Maxmilián Ferdinand Hrabě-Kol DrSc., dr")),
              nullptr);
    EXPECT_NE(p1.find(QStringLiteral(" 6. RNDr. Eva Kučerová Ph.D.")), nullptr);
    EXPECT_EQ(p1.count(QStringLiteral("      N")), 2);
    const DrawnText* n = p1.find(QStringLiteral("      N"));
    EXPECT_TRUE(n->font.bold());
    EXPECT_EQ(n->topLeft.x(), 200);

    const DrawnPage p2 = f.page(2);
    EXPECT_NE(p2.find(QStringLiteral("582786-2 List:  2 - QZ")), nullptr);
    EXPECT_EQ(p2.count(dots63), 5);
    EXPECT_EQ(p2.count(QStringLiteral("      N")), 1);
    // A party the candidate table cannot hold has its header and no rows.
    const DrawnPage p3 = f.page(3);
    EXPECT_NE(p3.find(QStringLiteral("Strana č. 31")), nullptr);
    EXPECT_EQ(p3.count(dots63), 0);
    EXPECT_NE(p3.find(QStringLiteral("582786-2 List:  3 - QZ")), nullptr);
}

TEST(CountingSheet, ThirtyPartiesMakeThirtyNumberedPages) {
    PrintFixture f;
    QList<TStrana> strany;
    QList<TKandidat> kandidati;
    for (int i = 1; i <= 30; ++i) {
        strany.append(strana(QString::number(i), QStringLiteral("Strana číslo %1").arg(i), 28));
        for (int k = 1; k <= 28; ++k)
            kandidati.append(kandidat(i, k, QStringLiteral("Kandidát %1").arg(k), QString()));
    }
    f.inst.writeStrany(strany);
    f.inst.writeKandidati(kandidati);
    f.session.Stanice.Okrsek = 0; // printed as dots in the party headers
    QStringList notice;
    ScitaciArch(nactiArch(f.session), f.okno,
                [&](const QString& caption, const QString& titulek, const QString& text) {
                    notice = {caption, titulek, text};
                    EXPECT_EQ(f.shown, 0); // the notice comes before the preview
                });
    EXPECT_EQ(notice, (QStringList{QStringLiteral("Sčítací arch"),
                                   QStringLiteral("Tisk pomocného sčítacího archu má 30 stran."),
                                   QString::fromUtf8(kScitaciArchText)}));
    EXPECT_TRUE(notice.last().contains(QStringLiteral("\rv preview tisku a potvrdíte")));
    EXPECT_EQ(f.shown, 1);
    EXPECT_EQ(f.pagesWhenShown, 30);
    ASSERT_EQ(f.pages(), 30);
    for (int p = 1; p <= 30; ++p) {
        const DrawnPage page = f.page(p);
        EXPECT_NE(page.find(QStringLiteral("582786-0 List: %1 - QZ").arg(p, 2)), nullptr) << p;
        EXPECT_NE(page.find(QStringLiteral("Strana č. %1").arg(p)), nullptr) << p;
        EXPECT_NE(page.find(QStringLiteral("Okrsek: ............")), nullptr) << p;
        EXPECT_EQ(page.count(Opakuj(QStringLiteral("."), 63)), 28) << p;
    }
}

// The notice before the sheet and the status line after a print count
// pages in Czech: the notice in the accusative ("má 1 stranu"), the status
// line in the nominative ("1 strana").
TEST(CountingSheet, PagesCountedInCzech) {
    const struct {
        int n;
        const char* notice;
        const char* status;
    } cases[] = {
        {1, "Tisk pomocného sčítacího archu má 1 stranu.", "1 strana"},
        {2, "Tisk pomocného sčítacího archu má 2 strany.", "2 strany"},
        {4, "Tisk pomocného sčítacího archu má 4 strany.", "4 strany"},
        {5, "Tisk pomocného sčítacího archu má 5 stran.", "5 stran"},
        {22, "Tisk pomocného sčítacího archu má 22 stran.", "22 stran"},
        {27, "Tisk pomocného sčítacího archu má 27 stran.", "27 stran"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TitulekScitacihoArchu(c.n), QString::fromUtf8(c.notice)) << c.n;
        EXPECT_EQ(CeskyPocet(c.n, "strana", "strany", "stran"), QString::fromUtf8(c.status)) << c.n;
    }
}

// ---------------------------------------------------------------- test page

TEST(TestPage, ReferencePage) {
    PrintFixture f;
    TiskZkusebniStrany(prostredi(), f.okno, fixedPrintTime());
    EXPECT_EQ(f.shown, 1);
    ASSERT_EQ(f.pages(), 1);
    EXPECT_EQ(f.okno.PrintPreview()->Orientation(), poPortrait);
    EXPECT_TRUE(matchesReference(f.image(1), QStringLiteral("test-page.png")));
}

TEST(TestPage, Content) {
    PrintFixture f;
    TiskZkusebniStrany(prostredi(), f.okno, fixedPrintTime());
    const DrawnPage p = f.page(1);
    const QStringList expected = {
        QStringLiteral("T I S K   z k u š e b n í    s t r a n y"),
        QStringLiteral("------------------------------ verze 5.1003.24 "
                       "------------------------------"),
        QStringLiteral("Debian GNU/Linux 12 (bookworm)"),
        QStringLiteral("HP LaserJet 4050 v kanceláři"),
        QStringLiteral("Arial, Courier New, "),
        QStringLiteral("08.06.2024, 14:35"),
        QStringLiteral("a zašlete naskenované na e-mail podpora.volby@example.cz."),
        QStringLiteral("96 801 412  96"),
    };
    for (const QString& s : expected)
        EXPECT_NE(p.find(s), nullptr) << s.toStdString();
    // The three arrows end at the right margin.
    int arrows = 0;
    for (const DrawnText& t : p.texts)
        if (t.text.endsWith(QStringLiteral("-->"))) {
            ++arrows;
            EXPECT_NEAR(t.right(), 1900, 15) << t.text.toStdString();
        }
    EXPECT_EQ(arrows, 3);
    EXPECT_EQ(p.find(QStringLiteral("QZ"))->topLeft.y(), 2700);
    EXPECT_EQ(p.find(QStringLiteral("Zde je umístěna patička"))->topLeft, QPointF(240, 2700));
}

TEST(TestPage, LongPrinterNameIsBrokenAndTheTableGrows) {
    const struct {
        const char* name;
        QString printer;
        int horizontalLines; // inside the frame
        double frameBottom;
    } cases[] = {
        {"short", QStringLiteral("PDF"), 9, 1200},
        {"long",
         QStringLiteral("Tiskárna sekretariátu obecního úřadu ve druhém patře, "
                        "místnost 214 (síťová)"),
         9, 1250},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintFixture f;
        TProstrediTisku env = prostredi();
        env.Tiskarna = c.printer;
        TiskZkusebniStrany(env, f.okno, fixedPrintTime());
        const DrawnPage p = f.page(1);
        int inside = 0;
        QList<double> ys;
        for (const QLineF& l : p.lines)
            if (l.y1() == l.y2() && l.x1() == 200 && l.x2() == 1900 && l.y1() > 700) {
                ++inside;
                ys.append(l.y1());
            }
        EXPECT_EQ(inside, c.horizontalLines);
        if (c.printer.size() > 30) {
            // Two lines of the name, no rule between them.
            const DrawnText* first = p.findStarting(QStringLiteral("Tiskárna sekretariátu"));
            ASSERT_NE(first, nullptr);
            EXPECT_FALSE(ys.contains(900.0));
            EXPECT_EQ(first->topLeft, QPointF(890, 850));
            bool second = false;
            for (const DrawnText& t : p.texts)
                second |= t.topLeft == QPointF(890, 900) && c.printer.endsWith(t.text);
            EXPECT_TRUE(second);
        }
        bool frame = false;
        for (const QLineF& l : p.lines)
            frame |= l.y1() == c.frameBottom && l.y2() == c.frameBottom;
        for (const QRectF& r : p.rects)
            frame |= qAbs(r.bottom() - c.frameBottom) < 2 && qAbs(r.top() - 700) < 2;
        EXPECT_TRUE(frame);
    }
}

TEST(TestPage, OperatingSystemName) {
    const struct {
        bool nt;
        int major;
        int minor;
        const char* verzeOS;
        const char* name;
    } cases[] = {
        {true, 4, 0, "99", "Windows NT"},
        {false, 4, 10, "99", "Windows 98"},
        {true, 5, 0, "99", "Windows 2000"},
        {true, 5, 1, "99", "Windows XP"},
        {true, 5, 2, "99", "MS Server 2003"},
        {true, 6, 0, "99", "Windows Vista"},
        {true, 6, 1, "99", "Windows 7"},
        {true, 6, 2, "16", "Windows 8"},
        {true, 6, 2, "17", "Windows 8.1"},
        {true, 6, 2, "18", "Windows 10"},
        {true, 6, 2, "99", "Neidentifikovaná verze"},
        {true, 6, 2, "15", "Windows XP"}, // no rule of 6.2 fits: rule 4 stands
        {true, 10, 0, "18", "Windows 2000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NazevWindows(c.nt, c.major, c.minor, QString::fromLatin1(c.verzeOS)),
                  QString::fromUtf8(c.name))
            << c.major << "." << c.minor << " " << c.verzeOS;

    TInfoSystemu win;
    win.Windows = true;
    win.PlatformNT = true;
    win.Major = 6;
    win.Minor = 2;
    win.ServicePack = QStringLiteral("SP1");
    EXPECT_EQ(TextSystemu(win, QStringLiteral("18")), QStringLiteral("Windows 10 SP1"));
    win.ProductName = QStringLiteral("Windows 10 Pro");
    EXPECT_EQ(TextSystemu(win, QStringLiteral("18")), QStringLiteral("Windows 10 Pro"));
    TInfoSystemu linux;
    linux.Jadro = QStringLiteral("linux 6.1.0");
    EXPECT_EQ(TextSystemu(linux, QStringLiteral("99")), QStringLiteral("linux 6.1.0"));
    EXPECT_FALSE(TextSystemu(InfoSystemu(), QStringLiteral("99")).isEmpty());
}

TEST(TestPage, FontsFoundInThePrintersList) {
    const struct {
        const char* list;
        const char* found;
    } cases[] = {
        {R"(Arial,"Arial CE","Courier New","Courier New CE",Tahoma)",
         "Arial, Arial CE, Courier New, Courier New CE"},
        {R"(Tahoma,Arial,"Courier New")", "Arial, Courier New, "},
        {R"(Arial,Tahoma)", "Arial, "},
        {R"("Arial Black",Tahoma)", ""},
        {R"("Courier New CE")", "Courier New CE"},
        {R"(Tahoma,Verdana)", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NalezeneFonty(QString::fromUtf8(c.list)), QString::fromUtf8(c.found)) << c.list;
    // Here Arial and Courier New come through their metric-compatible faces.
    const QString here = NalezeneFonty(SeznamFontuTiskarny());
    EXPECT_TRUE(here.startsWith(QStringLiteral("Arial, "))) << here.toStdString();
    EXPECT_TRUE(here.contains(QStringLiteral("Courier New, "))) << here.toStdString();
}

// ---------------------------------------------------------------- check protocol

TEST(CheckProtocol, NoFindingReference) {
    PrintFixture f;
    TiskProtokolu(protokol(), f.okno, fixedPrintTime());
    EXPECT_EQ(f.shown, 1);
    ASSERT_EQ(f.pages(), 1);
    EXPECT_TRUE(matchesReference(f.image(1), QStringLiteral("check-protocol-no-findings.png")));
    const DrawnPage p = f.page(1);
    const QStringList expected = {
        QStringLiteral("List č.:  1"),
        QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK"),
        QStringLiteral("                          Obec      Okrsek  KČ1  Název obce"),
        QStringLiteral("Identifikace okrsku:     582786         2    %1   Bílá Lhota u Kamenice")
            .arg(protokol().T2KC_1),
        QStringLiteral("Nebyly zjištěny žádné chyby"),
        QStringLiteral("Datum: 08.06.2024") + QString(29, QLatin1Char(' ')),
        QStringLiteral("Čas  : 14:35") + QString(34, QLatin1Char(' ')),
        QStringLiteral("582786 - 2 -      1234567 QZ"),
    };
    for (const QString& s : expected)
        EXPECT_NE(p.find(s), nullptr) << s.toStdString();
    EXPECT_EQ(p.find(QStringLiteral("582786 - 2 -      1234567 QZ"))->right(), 2000);
    EXPECT_EQ(p.find(QStringLiteral("582786 - 2 -      1234567 QZ"))->topLeft.y(), 2800);
    EXPECT_EQ(p.find(QStringLiteral("Nebyly zjištěny žádné chyby"))->topLeft, QPointF(200, 600));
    EXPECT_EQ(p.count(QString(80, QLatin1Char('-'))), 2);
    EXPECT_EQ(f.okno.PrintPreview()->PrintJobTitle(), QStringLiteral("QZKCH.pdf"));
}

TEST(CheckProtocol, TwoPagesReference) {
    PrintFixture f;
    TiskProtokolu(dlouhyProtokol(), f.okno, fixedPrintTime());
    ASSERT_EQ(f.pages(), 2);
    EXPECT_TRUE(matchesReference(f.image(1), QStringLiteral("check-protocol-1.png")));
    EXPECT_TRUE(matchesReference(f.image(2), QStringLiteral("check-protocol-2.png")));
}

TEST(CheckProtocol, GroupingBreakingAndPaging) {
    PrintFixture f;
    TiskProtokolu(dlouhyProtokol(), f.okno, fixedPrintTime());
    ASSERT_EQ(f.pages(), 2);
    const DrawnPage p1 = f.page(1);
    const DrawnPage p2 = f.page(2);
    // Headings only where the party changes; party 0 has none and no prefix.
    EXPECT_EQ(p1.findStarting(QStringLiteral("Strana:")), p1.find(QStringLiteral("Strana: 3")));
    EXPECT_NE(p1.find(QStringLiteral("Strana: 5")), nullptr);
    EXPECT_NE(p1.find(QStringLiteral("Strana: 7")), nullptr);
    EXPECT_EQ(p1.count(QStringLiteral("Strana: 3")) + p2.count(QStringLiteral("Strana: 3")), 1);
    EXPECT_NE(p1.findStarting(QStringLiteral("11 - Počet odevzdaných")), nullptr);
    EXPECT_NE(p1.findStarting(QStringLiteral("  41 - Součet")), nullptr);
    // The long finding: broken after a separator, continued five spaces in.
    const DrawnText* first = p1.findStarting(QStringLiteral("  45 - Kandidát uvedený"));
    ASSERT_NE(first, nullptr);
    EXPECT_LE(first->right(), 2000);
    EXPECT_TRUE(first->text.endsWith(QLatin1Char(' ')) || first->text.endsWith(QLatin1Char(';')) ||
                first->text.endsWith(QLatin1Char(',')) || first->text.endsWith(QLatin1Char('.')))
        << first->text.toStdString();
    const DrawnText* cont = first + 1; // the next text drawn
    ASSERT_TRUE(cont->text.startsWith(QString(5, QLatin1Char(' '))));
    EXPECT_EQ(cont->topLeft.y(), first->topLeft.y() + 50);
    EXPECT_FALSE(cont->text.mid(5).startsWith(QLatin1Char(' ')));

    // Page 2 starts with its own header: page number and continued title.
    EXPECT_NE(p2.find(QStringLiteral("List č.:  2")), nullptr);
    EXPECT_NE(p2.find(QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK - pokračování")), nullptr);
    // Page 1 ends at the threshold with the footer; the closing lines are
    // on the last page.
    EXPECT_NE(p1.find(QStringLiteral("582786 - 2 -      1234567 QZ")), nullptr);
    double lowest = 0;
    for (const DrawnText& t : p1.texts)
        if (t.topLeft.y() < 2800)
            lowest = qMax(lowest, t.topLeft.y());
    EXPECT_GT(lowest, 2620);
    EXPECT_LE(lowest, 2670);
    EXPECT_EQ(p1.findStarting(QStringLiteral("Datum:")), nullptr);
    EXPECT_NE(p2.findStarting(QStringLiteral("Datum: 08.06.2024")), nullptr);
    int findings = 0;
    for (const DrawnPage* p : {&p1, &p2})
        for (const DrawnText& t : p->texts)
            findings += t.text.contains(QStringLiteral(" - Přednostní hlas kandidáta")) ? 1 : 0;
    EXPECT_EQ(findings, 40);
}

// ---------------------------------------------------------------- bounds

// Every text of the counting sheet, the test page and the check protocol
// stays inside the printout's margins and the sheet's printable part, inside
// the cells and frames drawn around it, and on its dotted line; with long
// names of the municipality, parties, candidates and printer.
TEST(Printouts, EveryTextStaysInItsPlace) {
    const QString dlouhaObec =
        QStringLiteral("Brandýs nad Labem-Stará Boleslav, Popovice").left(40);
    const struct {
        const char* name;
        std::function<void(PrintFixture&)> print;
        QRectF area; // the margins across, the printable part of the sheet down
    } cases[] = {
        {"counting sheet",
         [&](PrintFixture& f) {
             vzorovyArch(f.inst, f.session);
             f.session.Stanice.NazevObce = dlouhaObec;
             ScitaciArch(nactiArch(f.session), f.okno, {});
         },
         // The grid of the tally columns reaches past the headings' margin.
         QRectF(200, 50, 2655, 2000)},
        {"test page",
         [](PrintFixture& f) {
             TProstrediTisku env = prostredi();
             env.Tiskarna = QStringLiteral("Tiskárna sekretariátu obecního úřadu ve druhém "
                                           "patře, místnost 214 (síťová) – barevná, oboustranná");
             TiskZkusebniStrany(env, f.okno, fixedPrintTime());
         },
         QRectF(200, 50, 1700, 2870)},
        {"check protocol",
         [&](PrintFixture& f) {
             TUdajeProtokolu u = dlouhyProtokol();
             u.NazevObce = dlouhaObec;
             TiskProtokolu(u, f.okno, fixedPrintTime());
         },
         QRectF(200, 50, 1800, 2870)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrintFixture f;
        c.print(f);
        ASSERT_GT(f.pages(), 0);
        QStringList faults;
        for (int n = 1; n <= f.pages(); ++n)
            for (const QString& fault : textsOutOfPlace(f.page(n), c.area))
                faults << QStringLiteral("page %1: ").arg(n) + fault;
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}
