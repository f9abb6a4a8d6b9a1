// The record T/2 and its Annex 1 sheets as drawn into the preview: texts,
// values over the dots, struck alternatives, boxes, circles, names, pages
// and footers, and the reference images of the pages.

#include "PageBounds.h"
#include "RecordFixture.h"
#include "ReferenceImage.h"
#include "checks/ErrorCatalogue.h"
#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/PrintCommands.h"
#include "store/PrecinctRecord.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace urn;
using namespace urn::test;

namespace {

// Builds the document into the preview only: the print dialog offered for
// the missing printer is cancelled.
void doNahledu(RecordFixture& f) {
    f.noPrinter();
    f.okno.printDialogHook = [](TNastaveniTisku&) { return false; };
    f.tiskZapisu(1);
}

const DrawnText* naRadku(const DrawnPage& page, const QString& text, double y) {
    for (const DrawnText& t : page.texts)
        if (t.text == text && t.topLeft.y() == y)
            return &t;
    return nullptr;
}

double radek(const DrawnPage& page, const QString& text) {
    const DrawnText* t = page.find(text);
    return t ? t->topLeft.y() : -1;
}

// The page number and total of every footer, in page order.
QList<QPair<int, int>> zapati(RecordFixture& f) {
    static const QRegularExpression re(QStringLiteral("^ Strana: (\\d+)/(\\d+) QZ$"));
    QList<QPair<int, int>> r;
    for (int p = 1; p <= f.pages(); ++p) {
        int nalezeno = 0;
        for (const DrawnText& t : f.page(p).texts) {
            const QRegularExpressionMatch m = re.match(t.text);
            if (m.hasMatch()) {
                r.append({m.captured(1).toInt(), m.captured(2).toInt()});
                ++nalezeno;
            }
        }
        EXPECT_EQ(nalezeno, 1) << "page " << p;
    }
    return r;
}

QString opakovane(const QString& kus, int delka) {
    QString s;
    while (s.size() < delka)
        s += kus;
    return s.left(delka);
}

// A sheet's pages: those that carry its sheet number or follow it.
int stranListu(RecordFixture& f, int prvni) {
    int n = 1;
    while (prvni + n <= f.pages() &&
           f.page(prvni + n).findStarting(QStringLiteral("Příloha č. 1 k tiskopisu T/2")) ==
               nullptr &&
           f.page(prvni + n).find(QStringLiteral("pokračování")) != nullptr)
        ++n;
    return n;
}

} // namespace

// ---------------------------------------------------------------- page 1

TEST(RecordPrintout, PageOneWhenNothingHappened) {
    RecordFixture f;
    doNahledu(f);
    EXPECT_EQ(f.shown, 1);
    ASSERT_EQ(f.pages(), 8); // page 1, section III, six sheets
    EXPECT_TRUE(matchesReference(f.image(1), QStringLiteral("record-page1-not.png")));

    const DrawnPage p = f.page(1);
    const DrawnText* titul =
        p.find(QStringLiteral("ZÁPIS O PRŮBĚHU A VÝSLEDKU HLASOVÁNÍ VE VOLEBNÍM OKRSKU"));
    ASSERT_NE(titul, nullptr);
    EXPECT_EQ(titul->topLeft.y(), 100);
    EXPECT_EQ(titul->font.pixelSize(), 45);
    // "T/2" and the dates end at the margin, and start at it.
    EXPECT_EQ(p.find(QStringLiteral("T/2"))->right(), 1900);
    EXPECT_EQ(p.find(QStringLiteral("T/2"))->topLeft.y(), 200);
    EXPECT_TRUE(p.find(QStringLiteral("T/2"))->font.bold());
    // Values over the dots: 12 units above their line.
    EXPECT_EQ(p.find(QStringLiteral("    2"))->topLeft.y(), 300 - 12);
    EXPECT_TRUE(p.find(QStringLiteral("Bílá Lhota u Kamenice"))->font.bold());
    EXPECT_EQ(p.find(QStringLiteral("Blansko"))->topLeft.y(), 350 - 12);
    EXPECT_EQ(p.find(QStringLiteral("07. - 08.06.2024"))->topLeft, QPointF(200, 400 - 12));
    for (const char* cas : {"14:00", "22:00", "08:00"})
        EXPECT_NE(p.find(QString::fromLatin1(cas)), nullptr) << cas;
    // Nothing happened: blank dotted lines follow, no reasons.
    const double odroc = radek(p, QStringLiteral("Zahájení hlasování   "));
    EXPECT_EQ(odroc, 900);
    QStringList podOdroceni;
    for (const DrawnText& t : p.texts)
        if (t.topLeft.y() == odroc + 50)
            podOdroceni.append(t.text);
    ASSERT_EQ(podOdroceni.size(), 1);
    EXPECT_EQ(podOdroceni[0], Opakuj(QStringLiteral("."), podOdroceni[0].size()));
    // Section II: the sheets that follow, boxes with their values.
    EXPECT_EQ(p.find(QStringLiteral("6"))->topLeft.y(), 1650 - 12);
    for (const char* v : {"812", "530", "529", "525", "2396"})
        EXPECT_EQ(p.find(QString::fromLatin1(v))->right(), 1880) << v;
    EXPECT_NE(p.find(QStringLiteral("    582786")), nullptr);
    EXPECT_NE(p.find(QStringLiteral("**)")), nullptr);
    // Heavy frame around the numbers of section II, light rules between them.
    int tezke = 0;
    for (int i = 0; i < p.lines.size(); ++i)
        if (p.lineWidths[i] == 8)
            ++tezke;
    EXPECT_GE(tezke, 3 + 3 + 3);
}

TEST(RecordPrintout, PartyNumbersInTwoRowsWithTheMarkedOnesCircled) {
    RecordFixture f;
    doNahledu(f);
    const DrawnPage p = f.page(1);
    const double prvni = radek(p, QStringLiteral("01"));
    for (int c = 1; c <= 30; ++c) {
        const DrawnText* t = p.find(CisloNulami(c, 2));
        ASSERT_NE(t, nullptr) << c;
        EXPECT_EQ(t->topLeft, QPointF(200 + 87 * ((c - 1) % 20), prvni + (c > 20 ? 100 : 0))) << c;
    }
    // Parties 1, 2, 5, 20, 21 and 30 are marked.
    ASSERT_EQ(p.ellipses.size(), 6);
    const QList<int> marked = {1, 2, 5, 20, 21, 30};
    for (int i = 0; i < marked.size(); ++i) {
        const int c = marked[i];
        const QPointF cislo = p.find(CisloNulami(c, 2))->topLeft;
        EXPECT_EQ(p.ellipses[i].topLeft(), cislo - QPointF(10, 10)) << c;
        EXPECT_NEAR(p.ellipses[i].width(), 60, 1) << c;
    }
}

TEST(RecordPrintout, PageOneWithPostponementExtensionAndInterruption) {
    RecordFixture f;
    THlaso& h = f.session.PrecinctRecord.Hlaso;
    h.Odroc = h.Prodl = h.Prerus = QStringLiteral("B");
    h.OdrocenoD = QStringLiteral("7.6.2024");
    h.OdrocenoH = QStringLiteral("14");
    h.OdrocenoM = QStringLiteral("30");
    // 160 characters: size 20, broken at the margin.
    h.DuvodOdroc = opakovane(QStringLiteral("Porucha osvětlení ve volební místnosti; "), 159) +
                   QLatin1Char('.');
    h.ProdlouzD = QStringLiteral("sobota 8. června 2024"); // longer than 12: tiny
    h.ProdlouzH = QStringLiteral("14");
    h.ProdlouzM = QStringLiteral("10");
    // 161 characters: size 16.
    h.DuvodProdl =
        opakovane(QStringLiteral("Fronta voličů před místností. "), 160) + QLatin1Char('.');
    h.PrerusD = QStringLiteral("8.6.2024");
    h.PrerusOd = QStringLiteral("10:30");
    h.PrerusDo = QStringLiteral("11:05");
    h.DuvodPrer = QStringLiteral("Výpadek proudu");
    h.Stizn = QStringLiteral("B");
    h.StizListu = QStringLiteral("2");
    doNahledu(f);
    EXPECT_TRUE(matchesReference(f.image(1), QStringLiteral("record-page1-happened.png")));

    const DrawnPage p = f.page(1);
    const double odroc = radek(p, QStringLiteral("Zahájení hlasování   "));
    const DrawnText* den = p.find(QStringLiteral("7.6.2024"));
    ASSERT_NE(den, nullptr);
    EXPECT_EQ(den->topLeft.y(), odroc - 12);
    EXPECT_EQ(den->font.pixelSize(), 32);
    EXPECT_EQ(p.find(QStringLiteral("sobota 8. června 2024"))->font.pixelSize(), 21);
    EXPECT_EQ(p.find(QStringLiteral("10:30"))->topLeft.y(),
              radek(p, QStringLiteral("Hlasování   ")) - 16);

    // A reason is split at the margin and every character printed once: the
    // first part over the dots, the rest from the left margin.
    const struct {
        QString duvod;
        int velikost;
    } duvody[] = {{h.DuvodOdroc, 27}, {h.DuvodProdl, 21}};
    for (const auto& d : duvody) {
        ASSERT_EQ(OrizniKonec(d.duvod).size(), d.velikost == 27 ? 160 : 161);
        const DrawnText* prvni = p.findStarting(d.duvod.left(10));
        ASSERT_NE(prvni, nullptr);
        ASSERT_LT(prvni->text.size(), d.duvod.size());
        EXPECT_EQ(prvni->font.pixelSize(), d.velikost);
        EXPECT_LE(prvni->right(), 1900 + 200);
        const QString zbytek = d.duvod.mid(prvni->text.size());
        const DrawnText* druhy = p.find(zbytek);
        ASSERT_NE(druhy, nullptr) << zbytek.toStdString();
        EXPECT_EQ(druhy->topLeft.x(), 200);
        EXPECT_EQ(druhy->font.pixelSize(), d.velikost);
        EXPECT_EQ(prvni->text + druhy->text, d.duvod);
    }
    EXPECT_EQ(p.find(QStringLiteral("Výpadek proudu"))->font.pixelSize(), 27);
    EXPECT_EQ(p.find(QStringLiteral("2"))->topLeft,
              QPointF(250, radek(p, QStringLiteral("...................   "
                                                   "listech.")) -
                               12));
}

TEST(RecordPrintout, StrikingTheAlternativesThatDoNotApply) {
    const struct {
        QString THlaso::*pole;
        const char* uvod;
        const char* ne;
        const char* ano;
    } fakty[] = {
        {&THlaso::Odroc, "Zahájení hlasování   ", "nebylo", "bylo"},
        {&THlaso::Prodl, "Doba hlasování    ", "nebyla", "byla"},
        {&THlaso::Prerus, "Hlasování   ", "nebylo", "bylo"},
        {&THlaso::Schranka, "Ve volebním okrsku  ", "nebyla", "byla"},
        {&THlaso::Stizn, "Při hlasování a zjišťování výsledků hlasování      ", "nebyly", "byly"},
    };
    const struct {
        const char* hodnota;
        bool neSkrtnuto;
        bool anoSkrtnuto;
        bool stiznostiAnoSkrtnuto; // complaints strike "byly" only for "N"
    } hodnoty[] = {{"B", true, false, false}, {"N", false, true, true}, {"", false, true, false}};
    for (const auto& h : hodnoty) {
        SCOPED_TRACE(h.hodnota);
        RecordFixture f;
        for (const auto& fakt : fakty)
            f.session.PrecinctRecord.Hlaso.*fakt.pole = QString::fromLatin1(h.hodnota);
        doNahledu(f);
        const DrawnPage p = f.page(1);
        for (const auto& fakt : fakty) {
            SCOPED_TRACE(fakt.uvod);
            const bool stiznosti = fakt.pole == &THlaso::Stizn;
            const double y = radek(p, QString::fromUtf8(fakt.uvod));
            const DrawnText* ne = naRadku(p, QString::fromUtf8(fakt.ne), y);
            const DrawnText* ano = naRadku(p, QString::fromUtf8(fakt.ano), y);
            ASSERT_NE(ne, nullptr);
            ASSERT_NE(ano, nullptr);
            EXPECT_EQ(ne->font.strikeOut(), h.neSkrtnuto && !(stiznosti && !*h.hodnota));
            EXPECT_EQ(ano->font.strikeOut(), stiznosti ? h.stiznostiAnoSkrtnuto : h.anoSkrtnuto);
            EXPECT_GT(ano->topLeft.x(), ne->right());
        }
        // The sheets of complaints: "---" for none, nothing when not stated.
        const DrawnText* pomlcky = p.find(QStringLiteral("---"));
        EXPECT_EQ(pomlcky != nullptr, QString::fromLatin1(h.hodnota) == QLatin1String("N"));
    }
}

TEST(RecordPrintout, DottedLinesEndAtTheRightMargin) {
    for (const bool stalo : {false, true}) {
        SCOPED_TRACE(stalo ? "happened" : "not");
        RecordFixture f;
        THlaso& h = f.session.PrecinctRecord.Hlaso;
        if (stalo) {
            h.Odroc = h.Prodl = h.Prerus = QStringLiteral("B");
            h.DuvodOdroc = h.DuvodProdl = h.DuvodPrer =
                opakovane(QStringLiteral("Dlouhý důvod přerušení hlasování, "), 150);
            h.Ostatni = opakovane(QStringLiteral("Jan Pokorný (pozorovatel), "), 190);
            h.PoverPred = opakovane(QStringLiteral("Ing. Jiří Dvořák, "), 120);
        }
        doNahledu(f);
        for (int n : {1, 2}) {
            const DrawnPage p = f.page(n);
            int kOkraji = 0;
            for (const DrawnText& t : p.texts) {
                if (!t.text.endsWith(QStringLiteral("....")))
                    continue;
                const QString co = QString::number(n) + QStringLiteral(": ") + t.text.left(30);
                // No leader runs past the margin by more than a part of a dot.
                EXPECT_LE(t.right(), 1905) << co.toStdString();
                // Those that reach for the margin end there: blank lines,
                // the lines after a label or a text, and the lines of the
                // facts of section I.
                const bool cara = t.text == Opakuj(QStringLiteral("."), t.text.size());
                if ((cara && t.text.size() > 100) || (!cara && t.topLeft.x() > 400) ||
                    t.text.startsWith(QStringLiteral("Dále byli přítomni")) ||
                    t.text.startsWith(QStringLiteral("příslušném pracovišti")) ||
                    t.text.startsWith(QStringLiteral("Hodina, den, měsíc"))) {
                    EXPECT_GE(t.right(), 1885) << co.toStdString();
                    ++kOkraji;
                }
            }
            EXPECT_GE(kOkraji, n == 1 ? 6 : 3);
        }
    }
}

// ---------------------------------------------------------------- section III

TEST(RecordPrintout, SectionThreeNamesAndPages) {
    const struct {
        int clenu;
        int stranZapisu; // page 1 and the pages of section III
        const char* obraz;
    } cases[] = {
        {0, 2, nullptr},
        {30, 2, "record-section3-30.png"},
        {32, 3, "record-section3-32"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clenu);
        VzorZapisu vzor;
        vzor.clenu = c.clenu;
        RecordFixture f(vzor);
        doNahledu(f);
        // Each sheet of the annex takes two pages from 14 names on.
        const int listu = 6 * (c.clenu > 13 ? 2 : 1);
        ASSERT_EQ(f.pages(), c.stranZapisu + listu);
        const DrawnPage p2 = f.page(2);
        EXPECT_NE(p2.find(QStringLiteral("III.")), nullptr);
        EXPECT_NE(p2.find(QStringLiteral("Jména, příjmení a podpisy ostatních členů komise:")),
                  nullptr);
        int bunek = 0;
        QStringList jmena;
        for (int n = 2; n <= c.stranZapisu; ++n)
            for (const DrawnText& t : f.page(n).texts) {
                bunek += t.text == Opakuj(QStringLiteral("."), 90) ? 1 : 0;
                if (t.font.bold())
                    jmena.append(t.text);
            }
        EXPECT_EQ(bunek, c.clenu);
        for (int k = 1; k <= c.clenu; ++k)
            EXPECT_TRUE(jmena.contains(jmenoClena(k))) << k;
        if (c.clenu > 0) {
            // The first name stands on the label's line, in the right cell.
            const DrawnText* prvni = p2.find(jmenoClena(1));
            EXPECT_EQ(prvni->topLeft,
                      QPointF(200 + 2 * 425,
                              radek(p2, QStringLiteral(
                                            "Jména, příjmení a podpisy ostatních členů komise:")) -
                                  12));
            EXPECT_EQ(p2.find(jmenoClena(2))->topLeft.x(), 200);
        }
        if (c.clenu == 30) {
            EXPECT_TRUE(matchesReference(f.image(2), QString::fromLatin1(c.obraz)));
        }
        if (c.clenu == 32) {
            EXPECT_TRUE(matchesReference(f.image(2), QString::fromLatin1(c.obraz) + "-1.png"));
            EXPECT_TRUE(matchesReference(f.image(3), QString::fromLatin1(c.obraz) + "-2.png"));
            const DrawnPage p3 = f.page(3);
            EXPECT_EQ(p3.find(QStringLiteral("III. - pokračování"))->topLeft.y(), 200);
            EXPECT_TRUE(p3.find(QStringLiteral("III. - pokračování"))->font.bold());
            EXPECT_NE(p3.findStarting(QStringLiteral("Zápis odmítl podepsat")), nullptr);
        }
    }
}

TEST(RecordPrintout, LongTextsOfSectionThreeBreakWithEveryCharacterOnce) {
    RecordFixture f;
    THlaso& h = f.session.PrecinctRecord.Hlaso;
    h.Ostatni = QStringLiteral("Jan Pokorný (pozorovatel za Občanskou alianci), Marie Nová "
                               "(pozorovatelka), Josef Dlouhý (zástupce strany), Petra Malá "
                               "(tlumočnice)");
    h.PoverPred = QStringLiteral("Ing. Jiří Dvořák, Ph.D., místopředseda okrskové volební komise "
                                 "a zástupce za stranu číslo 5");
    doNahledu(f);
    EXPECT_TRUE(matchesReference(f.image(2), QStringLiteral("record-section3-long-texts.png")));
    const DrawnPage p = f.page(2);
    for (const QString& text : {h.Ostatni, h.PoverPred}) {
        const DrawnText* prvni = p.findStarting(text.left(15));
        ASSERT_NE(prvni, nullptr);
        ASSERT_LT(prvni->text.size(), text.size());
        EXPECT_TRUE(prvni->font.bold());
        EXPECT_EQ(prvni->font.pixelSize(), 27);
        const DrawnText* druhy = p.find(text.mid(prvni->text.size()));
        ASSERT_NE(druhy, nullptr) << text.mid(prvni->text.size()).toStdString();
        EXPECT_EQ(druhy->topLeft.x(), 200);
        EXPECT_EQ(prvni->text + druhy->text, text);
    }
    // The label under a broken name is moved to the second line.
    const DrawnText* stitek = p.findStarting(QString(100, QLatin1Char(' ')) + "jméno a příjmení");
    ASSERT_NE(stitek, nullptr);
    EXPECT_GT(
        stitek->topLeft.y(),
        p.find(h.PoverPred.mid(p.findStarting(h.PoverPred.left(15))->text.size()))->topLeft.y());
}

TEST(RecordPrintout, EveryFooterCountsTheWholeDocument) {
    // How many pages section III and the sheets take depends on the names
    // and on how long texts break; every footer gives the true total.
    const struct {
        int clenu;
        bool dlouheTexty;
        int strany;
    } cases[] = {
        {0, false, 2 + 6},  {7, false, 2 + 6},   {13, false, 2 + 6},  {14, false, 2 + 12},
        {30, true, 3 + 12}, {31, false, 2 + 12}, {99, false, 4 + 18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clenu << (c.dlouheTexty ? " long texts" : ""));
        VzorZapisu vzor;
        vzor.clenu = c.clenu;
        RecordFixture f(vzor);
        if (c.dlouheTexty) {
            f.session.PrecinctRecord.Hlaso.Ostatni =
                opakovane(QStringLiteral("Jan Pokorný, "), 190);
            f.session.PrecinctRecord.Hlaso.PoverPred =
                opakovane(QStringLiteral("Ing. Jiří Dvořák, "), 190);
        }
        doNahledu(f);
        EXPECT_EQ(f.pages(), c.strany);
        const QList<QPair<int, int>> strany = zapati(f);
        for (int i = 0; i < strany.size(); ++i)
            EXPECT_EQ(strany[i], qMakePair(i + 1, f.pages()));
    }
}

// ---------------------------------------------------------------- annex 1

TEST(RecordPrintout, SectionTwoCountsTheSheetsThatFollow) {
    for (const int clenu : {0, 32, 40}) {
        SCOPED_TRACE(clenu);
        VzorZapisu vzor;
        vzor.clenu = clenu;
        vzor.strany = {3, 4, 17};
        RecordFixture f(vzor);
        doNahledu(f);
        const DrawnText* pocet = f.page(1).find(QStringLiteral("3"));
        ASSERT_NE(pocet, nullptr);
        EXPECT_TRUE(pocet->font.bold());
        QStringList listy;
        for (int p = 1; p <= f.pages(); ++p) {
            const DrawnPage strana = f.page(p);
            if (const DrawnText* t =
                    strana.findStarting(QStringLiteral("Příloha č. 1 k tiskopisu T/2, list č.")))
                listy.append(t->text.right(3));
        }
        EXPECT_EQ(listy, (QStringList{QStringLiteral("  1"), QStringLiteral("  2"),
                                      QStringLiteral("  3")}));
    }
}

TEST(RecordPrintout, AnnexSheet) {
    VzorZapisu vzor;
    vzor.clenu = 16; // a continuation page
    RecordFixture f(vzor);
    f.session.JmenaKomise[4].clen =
        QStringLiteral("Mgr. Bc. Anna Marie Šťastná-Procházková, DiS., MBA");
    ASSERT_EQ(f.session.JmenaKomise[4].clen.size(), 50);
    TStranaVysl& s = f.session.PrecinctRecord.VyslStran(5);
    for (int k = 1; k <= 28; ++k)
        s.pref(k) = quint16(k % 4 == 0 ? 0 : k * 3);
    s.pref(28) = 9999;
    s.pref(12) = 0; // a withdrawn candidate gets no votes
    s.T2PKC3 = 1234567;
    s.T2PKC4 = 1234612;
    s.T2PPoslKand = 28;
    doNahledu(f);
    // Party 5 is the third marked party: sheet 3, after pages 1 and 2 and
    // two pages of each sheet before it.
    const int prvni = 3 + 2 * 2;
    ASSERT_EQ(stranListu(f, prvni), 2);
    EXPECT_TRUE(matchesReference(f.image(prvni), QStringLiteral("record-annex-1.png")));
    EXPECT_TRUE(matchesReference(f.image(prvni + 1), QStringLiteral("record-annex-2.png")));

    const DrawnPage p = f.page(prvni);
    EXPECT_EQ(p.find(QStringLiteral("Příloha č. 1 k tiskopisu T/2, list č.   3"))->right(), 1900);
    // The party by its number, whatever the order of the list.
    EXPECT_NE(p.find(QStringLiteral("Koalice Spolu pro Evropu (SPOLU)")), nullptr);
    EXPECT_EQ(p.find(QStringLiteral(" 5"))->right(), 1880);
    EXPECT_NE(p.find(QStringLiteral(" 1234567")), nullptr);
    for (int k = 1; k <= 28; ++k) {
        const DrawnText* cislo = p.find(CisloMezerami(k, 3) + QLatin1Char('.'));
        ASSERT_NE(cislo, nullptr) << k;
        const int g = (k - 1) / 11;
        const int r = (k - 1) % 11;
        EXPECT_EQ(cislo->right(), 200 + 560 * g + 120 - 5) << k;
        const int hlasy = s.pref(k);
        const double y = cislo->topLeft.y();
        if (hlasy == 0) {
            EXPECT_NE(naRadku(p, QStringLiteral("________"), y - 20), nullptr) << k;
            EXPECT_NE(naRadku(p, QStringLiteral("__________"), y - 20), nullptr) << k;
        } else {
            const DrawnText* h = naRadku(p, CisloMezerami(hlasy, 10), y);
            const DrawnText* n = naRadku(p, CisloMezerami(qint64(k) * hlasy, 13), y);
            ASSERT_NE(h, nullptr) << k;
            ASSERT_NE(n, nullptr) << k;
            EXPECT_TRUE(h->font.bold());
            EXPECT_EQ(n->right(), g == 2 ? 1895 : 200 + 560 * g + 560 - 5) << k;
        }
        EXPECT_EQ(y, cislo->topLeft.y());
        EXPECT_EQ(y - radek(p, QStringLiteral("  1.")), 50 * r) << k;
    }
    EXPECT_NE(p.find(QStringLiteral("       279972")), nullptr); // 28 x 9999
    EXPECT_NE(p.find(QStringLiteral("sl.7 x sl. 8")), nullptr);
    // The annex's own mark and the heavier value row of its box.
    EXPECT_NE(p.find(QStringLiteral("*)")), nullptr);
    int ramecky5 = 0;
    for (int i = 0; i < p.rects.size(); ++i)
        ramecky5 += p.rectWidths[i] == 5 ? 1 : 0;
    EXPECT_EQ(ramecky5, 1 + 3 + 3); // box, vote columns, control numbers

    // A name too long for its cell is printed smaller instead of over its
    // neighbour, here and in section III.
    const QString dlouhe = f.session.JmenaKomise[4].clen;
    const DrawnText* jmeno = p.find(dlouhe);
    ASSERT_NE(jmeno, nullptr);
    EXPECT_LT(jmeno->font.pixelSize(), 32);
    EXPECT_LE(jmeno->right(), 200 + 566 - 20);
    const DrawnPage oddilIII = f.page(2);
    const DrawnText* veIII = oddilIII.find(dlouhe);
    ASSERT_NE(veIII, nullptr);
    EXPECT_TRUE(veIII->font.bold());
    EXPECT_LE(veIII->right(), 1900 - 20);
    EXPECT_EQ(p.find(jmenoClena(6))->font.pixelSize(), 32);

    // The names continue on a page of their own with its heading and footer.
    const DrawnPage p2 = f.page(prvni + 1);
    EXPECT_EQ(p2.find(QStringLiteral("pokračování"))->topLeft.y(), 200);
    EXPECT_NE(p2.find(jmenoClena(16)), nullptr);
    EXPECT_NE(p2.findStarting(QStringLiteral(" Strana: %1/").arg(prvni + 1)), nullptr);
    EXPECT_EQ(p2.find(QStringLiteral("Příloha č. 1 k tiskopisu T/2, list č.   3")), nullptr);
}

// ---------------------------------------------------------------- bounds

// Every text of the record and its sheets stays inside the margins, inside
// its frame or cell and on its dotted line: when nothing happened, when
// everything happened with the longest texts the fields hold, and with the
// longest names of municipality, district, parties and members.
TEST(RecordPrintout, EveryTextStaysInItsPlace) {
    const struct {
        const char* name;
        std::function<void(RecordFixture&)> setUp;
    } cases[] = {
        {"nothing happened", [](RecordFixture&) {}},
        {"everything happened, long texts",
         [](RecordFixture& f) {
             THlaso& h = f.session.PrecinctRecord.Hlaso;
             h.Odroc = h.Prodl = h.Prerus = h.Stizn = QStringLiteral("B");
             h.OdrocenoD = QStringLiteral("7.6.2024");
             h.OdrocenoH = QStringLiteral("14");
             h.OdrocenoM = QStringLiteral("30");
             h.DuvodOdroc =
                 opakovane(QStringLiteral("Porucha osvětlení ve volební místnosti; "), 160);
             h.ProdlouzD = QStringLiteral("sobota 8. června 2024");
             h.ProdlouzH = QStringLiteral("22");
             h.ProdlouzM = QStringLiteral("45");
             // The fields hold at most 200 characters.
             h.DuvodProdl = opakovane(QStringLiteral("Fronta voličů před místností. "), 200);
             h.PrerusD = QStringLiteral("pátek 7. června 2024");
             h.PrerusOd = QStringLiteral("10:30");
             h.PrerusDo = QStringLiteral("11:05");
             h.DuvodPrer = opakovane(QStringLiteral("Výpadek proudu v celé obci. "), 200);
             h.StizListu = QStringLiteral("12");
             h.Ostatni = opakovane(QStringLiteral("Jan Pokorný (pozorovatel), "), 200);
             h.PoverPred = opakovane(QStringLiteral("Ing. Jiří Dvořák, místopředseda, "), 200);
             h.Zapisovat = QStringLiteral("Mgr. Bc. Anna Marie Šťastná-Procházková, DiS.");
         }},
        {"long names",
         [](RecordFixture& f) {
             f.session.Stanice.NazevObce =
                 QStringLiteral("Brandýs nad Labem-Stará Boleslav, Popovice").left(40);
             TOkrsky okrsek;
             okrsek.Obec = QStringLiteral("582786");
             okrsek.NazevObce = f.session.Stanice.NazevObce;
             okrsek.OkrsekOd = QStringLiteral("1");
             okrsek.OkrsekDo = QStringLiteral("3");
             okrsek.NazevOkresu = QStringLiteral("Rychnov nad Kněžnou");
             f.inst.writeOkrsky({okrsek});
             for (TKomise& k : f.session.JmenaKomise)
                 k.clen = QStringLiteral("Mgr. Bc. Anna Marie Šťastná-Procházková, DiS., MBA");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VzorZapisu vzor;
        vzor.clenu = 32;
        RecordFixture f(vzor);
        c.setUp(f);
        doNahledu(f);
        ASSERT_GT(f.pages(), 8);
        QStringList faults;
        for (int n = 1; n <= f.pages(); ++n)
            for (const QString& fault : textsOutOfPlace(f.page(n), QRectF(200, 50, 1700, 2870)))
                faults << QStringLiteral("page %1: ").arg(n) + fault;
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}

// ---------------------------------------------------------------- footer

TEST(RecordPrintout, Footer) {
    RecordFixture f;
    doNahledu(f);
    const DrawnPage p1 = f.page(1);
    const DrawnText* strana = p1.find(QStringLiteral(" Strana: 1/8 QZ"));
    ASSERT_NE(strana, nullptr);
    EXPECT_EQ(strana->right(), 1900);
    EXPECT_EQ(strana->topLeft.y(), 2770);
    EXPECT_EQ(strana->font.pixelSize(), 33);
    // The control total in groups of three, bold, before it.
    const DrawnText* soucet = p1.find(QStringLiteral("852 055 062"));
    ASSERT_NE(soucet, nullptr);
    EXPECT_TRUE(soucet->font.bold());
    EXPECT_EQ(soucet->topLeft.y(), 2770);
    EXPECT_LT(soucet->right(), strana->topLeft.x());
    const DrawnText* okrsek = p1.find(QStringLiteral("582786 - 2 - "));
    ASSERT_NE(okrsek, nullptr);
    EXPECT_LT(okrsek->topLeft.x(), soucet->topLeft.x());
    const DrawnText* cas = p1.find(QStringLiteral("08.06.2024 14:35:12,000"));
    ASSERT_NE(cas, nullptr);
    EXPECT_EQ(cas->right(), 1900);
    EXPECT_EQ(cas->topLeft.y(), 2805);
    // Passable errors and warnings, in protocol order, only on page 1.
    const DrawnText* chyby = p1.find(QStringLiteral("Chyby č.: 92, 96, 5"));
    ASSERT_NE(chyby, nullptr);
    EXPECT_EQ(chyby->topLeft, QPointF(200, 2735));
    for (int p = 2; p <= f.pages(); ++p) {
        EXPECT_EQ(f.page(p).findStarting(QStringLiteral("Chyby č.")), nullptr) << p;
        EXPECT_NE(f.page(p).find(QStringLiteral(" Strana: %1/8 QZ").arg(p)), nullptr) << p;
        EXPECT_NE(f.page(p).find(QStringLiteral("08.06.2024 14:35:12,000")), nullptr) << p;
    }

    // Blocking errors alone give no list.
    f.session.ChybProt.Clear();
    f.session.ChybProt.PridejChybu(0, 11);
    doNahledu(f);
    EXPECT_EQ(f.page(1).findStarting(QStringLiteral("Chyby č.")), nullptr);
}
