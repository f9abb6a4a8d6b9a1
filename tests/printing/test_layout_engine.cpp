#include "PrintFixture.h"
#include "preview/PreviewControl.h"

#include <QFontMetrics>
#include <QPainter>

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

TEST(LayoutEngine, NumberAndTextFormatting) {
    const struct {
        QString got;
        QString expected;
    } cases[] = {
        {CisloNulami(7, 2), "07"},
        {CisloNulami(123, 2), "23"},
        {CisloNulami(0, 3), "000"},
        {CisloNulami(42, 2), "42"},
        {CisloMezerami(12345, 3), "345"},
        {CisloMezerami(7, 3), "  7"},
        {CisloMezerami(2, 2), " 2"},
        {OrizniKonec(QStringLiteral("ab  ")), "ab"},
        {OrizniKonec(QStringLiteral("    ")), ""},
        {OrizniKonec(QStringLiteral(" a b ")), " a b"},
        {Opakuj(QStringLiteral("ab"), 3), "ababab"},
        {Opakuj(QStringLiteral("x"), 0), ""},
        {Opakuj(QStringLiteral("x"), -2), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(LayoutEngine, FontSizesInPageUnits) {
    const struct {
        int size;
        int height;
    } cases[] = {{15, 20}, {16, 21}, {20, 27}, {24, 32}, {25, 33}, {26, 35}, {32, 43}, {34, 45}};
    CanvasFixture f;
    for (const auto& c : cases) {
        EXPECT_EQ(VyskaPisma(c.size), c.height) << c.size;
        NastavVelikost(c.size);
        EXPECT_EQ(StavTisku().Platno->font().pixelSize(), c.height) << c.size;
    }
}

TEST(LayoutEngine, PreparationResetsTheLayoutState) {
    PrintFixture f;
    TStavTisku& s = StavTisku();
    s.Pravy = 2800;
    s.Radek = 45;
    s.HlidatKonec = true;
    s.Strana = 7;
    s.PriponaPisma = QStringLiteral(" CE");
    f.okno.PrintPreview()->SetOrientation(poLandscape);
    PripravTisk(QString());
    EXPECT_EQ(QList<int>({s.Pravy, s.Radek, s.Dolni, s.Strana, s.PosledniStrana}),
              QList<int>({1900, 50, 2700, 1, 1}));
    EXPECT_TRUE(s.PriponaPisma.isEmpty());
    EXPECT_FALSE(s.HlidatKonec);
    EXPECT_EQ(s.DatumTisku, QStringLiteral("08.06.2024")); // from the clock
    EXPECT_EQ(s.CasTisku, QStringLiteral("14:35"));
    EXPECT_EQ(f.okno.PrintPreview()->Orientation(), poPortrait);
    EXPECT_EQ(f.okno.PrintPreview()->PageExt(), QSize(2100, 2970));
    UvolniMereni();
}

TEST(LayoutEngine, DottedLeaders) {
    CanvasFixture f;
    auto span = [](int dots) { return SirkaTextu(Opakuj(QStringLiteral("."), dots)) - 1; };
    const struct {
        const char* name;
        QString face;
        int size;
        int dotsFirstExceeding;
        int expected;
    } cases[] = {
        // The first count of dots wider than the span, in every face and
        // size: the page prints a dot as wide as it is measured.
        {"Arial 24", "Arial", 24, 10, 10},          {"Arial 20", "Arial", 20, 10, 10},
        {"Arial 25", "Arial", 25, 10, 10},          {"Courier New 24", "Courier New", 24, 10, 10},
        {"Arial 24, 40 dots", "Arial", 24, 40, 40}, {"Arial 24, one dot", "Arial", 24, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NastavPismo(c.face);
        NastavVelikost(c.size);
        const int x = 300;
        EXPECT_EQ(PocetTecek(x, x + span(c.dotsFirstExceeding)), c.expected);
        EXPECT_EQ(RadaTecek(x, x + span(c.dotsFirstExceeding)),
                  Opakuj(QStringLiteral("."), c.expected));
    }
    NastavPismo(QStringLiteral("Arial"));
    NastavVelikost(24);
    EXPECT_EQ(PocetTecek(500, 400), 0);
    EXPECT_EQ(RadaTecek(500, 400), QString());
    // Wider than 500 dots: no partial count.
    EXPECT_EQ(PocetTecek(0, span(500) + 1), 0);
    EXPECT_EQ(PocetTecek(0, span(500)), 0); // the first one to exceed is the 500th
    EXPECT_EQ(PocetTecek(0, span(499)), 499);
}

// A leader across the page ends at its end, not past it: the dots printed
// are as wide as the dots measured.
TEST(LayoutEngine, LeaderEndsWhereItShould) {
    for (const int size : {16, 20, 24}) {
        SCOPED_TRACE(size);
        CanvasFixture f;
        NastavVelikost(size);
        const int x1 = 200;
        const int x2 = 1900;
        TiskText(0, x1, 500, RadaTecek(x1, x2));
        const DrawnPage p = f.finish();
        ASSERT_EQ(p.texts.size(), 1);
        const int dot = QFontMetrics(p.texts[0].font).horizontalAdvance(QLatin1Char('.'));
        EXPECT_GT(p.texts[0].right(), x2);
        EXPECT_LE(p.texts[0].right(), x2 + dot + 1);
    }
}

// A change of font keeps the line pen: a printout sets its pen, changes
// the font for a label and draws the next frame with that pen.
TEST(LayoutEngine, FontChangeLeavesThePenAlone) {
    CanvasFixture f;
    Pero(8, Qt::DotLine);
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(20);
    TiskText(0, 300, 300, QStringLiteral("štítek"));
    NastavPismo(QStringLiteral("Arial"));
    const QPen pen = StavTisku().Platno->pen();
    EXPECT_EQ(pen.width(), 8);
    EXPECT_EQ(pen.style(), Qt::CustomDashLine);
    EXPECT_EQ(pen.color(), QColor(Qt::black));
    Cara(200, 400, 1900, 400);
    const DrawnPage p = f.finish();
    ASSERT_EQ(p.lineWidths.size(), 1);
    EXPECT_EQ(p.lineWidths[0], 8);
    EXPECT_EQ(p.texts[0].font.family(), ZvolenePismo(QStringLiteral("Courier New")));
}

TEST(LayoutEngine, BreakPlace) {
    CanvasFixture f;
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(26);
    const int w = SirkaTextu(QStringLiteral("DlouhéSlovo"));
    const int charW = SirkaTextu(QStringLiteral("x"));
    const int x1 = 200;
    const int x2 = 2000; // 1800 units: 85 characters of 21 units
    const int perLine = (x2 - x1) / charW;

    EXPECT_EQ(MistoZlomu(QStringLiteral("krátký text"), x1, x2), 0);
    EXPECT_EQ(MistoZlomu(QStringLiteral("cokoli"), 600, 500), 0);
    // Trailing spaces do not count.
    EXPECT_EQ(
        MistoZlomu(QString(perLine, QLatin1Char('a')) + QString(40, QLatin1Char(' ')), x1, x2), 0);
    // No separator: the first prefix wider than the room plus a long word.
    const QString word(200, QLatin1Char('a'));
    EXPECT_EQ(MistoZlomu(word, x1, x2), (x2 - x1 + w) / charW + 1);
    // Separators within the last long word's width before the edge.
    const QString words = QString(60, QLatin1Char('a')) + QStringLiteral(" bb-cc:dd;ee.ff ") +
                          QString(100, QLatin1Char('g'));
    const int b = MistoZlomu(words, x1, x2);
    ASSERT_GT(b, 0);
    EXPECT_TRUE(QStringLiteral(". -:;").contains(words.at(b - 1))) << b;
    EXPECT_GT(SirkaTextu(words.left(b)), x2 - x1 - w);
    for (int i = 1; i < b; ++i)
        EXPECT_FALSE(SirkaTextu(words.left(i)) > x2 - x1 - w &&
                     QStringLiteral(". -:;").contains(words.at(i - 1)))
            << "earlier break at " << i;
}

// A text the printout keeps within its place: broken after the last
// separator that fits (or the last character), blanks of a form line
// narrowed, a value made smaller and then narrower but never cut.
TEST(LayoutEngine, TextsKeptWithinTheirPlace) {
    CanvasFixture f;
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(26);
    const int charW = SirkaTextu(QStringLiteral("x"));
    const int x1 = 200;
    const int x2 = 200 + 20 * charW; // 20 characters
    const struct {
        const char* text;
        int zlom;
    } zlomy[] = {
        {"fits on its line", 0},
        {"twenty characters ok", 0},
        {"a bb ccc dddd eeeee ffffff", 20}, // after the blank before "ffffff"
        {"one-two-three-four-five", 19},    // after the last hyphen that fits
        {"abcdefghijklmnopqrstuvwxyz", 20}, // no separator: as much as fits
        {"a:b;c.d e", 0},
    };
    for (const auto& z : zlomy) {
        const QString text = QString::fromUtf8(z.text);
        const int b = ZlomVMiste(text, x1, x2);
        EXPECT_EQ(b, z.zlom) << z.text;
        EXPECT_LE(SirkaTextu(text.left(b > 0 ? b : text.size())), x2 - x1) << z.text;
    }
    // The longest run loses a blank first.
    EXPECT_EQ(ZuzeneMezery(QStringLiteral("a    b  c"), 7 * charW), QStringLiteral("a  b  c"));
    EXPECT_EQ(ZuzeneMezery(QStringLiteral("a    b  c"), 5 * charW), QStringLiteral("a b c"));
    EXPECT_EQ(ZuzeneMezery(QStringLiteral("abc def"), 3 * charW), QStringLiteral("abc def"));

    NastavPismo(QStringLiteral("Arial"));
    NastavVelikost(24);
    StavTisku().AktY = 500;
    const QString jmeno = QStringLiteral("Brandýs nad Labem-Stará Boleslav");
    NastavStyl(QStringLiteral("B"));
    const int sirka24 = SirkaTextu(jmeno);
    NastavStyl(QString());
    TiskDoMista(300, -12, sirka24 + 5, jmeno, QStringLiteral("B"), {24, 20, 16});
    TiskDoMista(300, -12, sirka24 * 9 / 10, jmeno, QStringLiteral("B"), {24, 20, 16});
    TiskDoMista(300, -12, sirka24 / 3, jmeno, QStringLiteral("B"), {24, 20, 16});
    // The page font is as it was.
    EXPECT_EQ(StavTisku().Platno->font().pixelSize(), VyskaPisma(24));
    EXPECT_FALSE(StavTisku().Platno->font().bold());
    const DrawnPage p = f.finish();
    ASSERT_EQ(p.texts.size(), 3);
    const struct {
        int size;
        bool narrowed;
        int room;
    } ocekavano[] = {
        {24, false, sirka24 + 5}, {20, false, sirka24 * 9 / 10}, {16, true, sirka24 / 3}};
    double baseline = -1;
    for (int i = 0; i < 3; ++i) {
        const DrawnText& t = p.texts[i];
        EXPECT_EQ(t.text, jmeno);
        EXPECT_TRUE(t.font.bold());
        EXPECT_EQ(t.font.pixelSize(), VyskaPisma(ocekavano[i].size)) << i;
        EXPECT_EQ(t.font.stretch() != 0 && t.font.stretch() != 100, ocekavano[i].narrowed) << i;
        EXPECT_LE(t.right(), 300 + ocekavano[i].room) << i;
        // Every size stands on the same baseline.
        const double b = t.topLeft.y() + QFontMetricsF(t.font).ascent();
        if (baseline >= 0) {
            EXPECT_NEAR(b, baseline, 1.5) << i;
        }
        baseline = b;
    }
}

TEST(LayoutEngine, LineAdvanceAndPageBreakTest) {
    const struct {
        const char* name;
        bool hlidat;
        int aktY;
        int lines;
        int strana;
        int posledni;
        bool hlidatAfter;
    } cases[] = {
        {"not watching", false, 2600, 3, 1, 1, false},
        {"at the threshold", true, 2615, 1, 1, 1, true},    // 2665 is not past 2665
        {"past the threshold", true, 2616, 1, 2, 1, false}, // 2666
        {"without advance", true, 2700, 0, 2, 1, false},    // the test runs anyway
        {"well above", true, 100, 10, 1, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CanvasFixture f;
        TStavTisku& s = StavTisku();
        s.HlidatKonec = c.hlidat;
        s.AktY = c.aktY;
        TiskText(c.lines, s.Levy, 0, QString());
        EXPECT_EQ(s.AktY, c.aktY + c.lines * s.Radek);
        EXPECT_EQ(s.Strana, c.strana);
        EXPECT_EQ(s.PosledniStrana, c.posledni);
        EXPECT_EQ(s.HlidatKonec, c.hlidatAfter);
    }
}

TEST(LayoutEngine, TextIsPlacedAtTheTopLeftOfItsCell) {
    CanvasFixture f;
    TStavTisku& s = StavTisku();
    s.AktY = 100;
    TiskText(2, 300, 1000, QStringLiteral("absolutně")); // advances, drawn at y 1000
    EXPECT_EQ(s.AktY, 200);
    TiskText(1, 300, 0, QStringLiteral("na řádku"));                     // y 250
    TiskText(0, 300, -30, QStringLiteral("výše"));                       // y 220
    TiskStylem(1, 400, 12, QStringLiteral("níže"), QStringLiteral("B")); // y 312
    TiskVpravo(0, 1900, 0, QStringLiteral("vpravo"));
    const DrawnPage page = f.finish();
    const struct {
        const char* text;
        QPointF topLeft;
    } cases[] = {{"absolutně", {300, 1000}},
                 {"na řádku", {300, 250}},
                 {"výše", {300, 220}},
                 {"níže", {400, 312}}};
    for (const auto& c : cases) {
        const DrawnText* t = page.find(QString::fromUtf8(c.text));
        ASSERT_NE(t, nullptr) << c.text;
        EXPECT_EQ(t->topLeft, c.topLeft) << c.text;
    }
    const DrawnText* right = page.find(QStringLiteral("vpravo"));
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(right->right(), 1900);
    EXPECT_EQ(right->topLeft.y(), 300);
}

TEST(LayoutEngine, CentredText) {
    CanvasFixture f;
    TStavTisku& s = StavTisku();
    const QString text = QStringLiteral("Uprostřed");
    s.AktY = 500;
    TiskNaStred(0, 200, 1900, text, QStringLiteral("B"));
    QFont bold = s.Platno->font();
    bold.setBold(true);
    const int bw = SirkaTextu(text, bold);
    const int rw = SirkaTextu(text);
    TiskNaStred(1, 201, 1000, text, QString(), -30);                    // y 520
    TiskNaStred(0, 200, 1900, QStringLiteral("dole"), QString(), -600); // sum <= 0: AktY
    const DrawnPage page = f.finish();
    ASSERT_EQ(page.texts.size(), 3);
    EXPECT_EQ(page.texts[0].topLeft, QPointF(200 + 850 - bw / 2, 500));
    EXPECT_TRUE(page.texts[0].font.bold());
    EXPECT_EQ(page.texts[1].topLeft, QPointF(201 + 799 / 2 - rw / 2, 520));
    EXPECT_FALSE(page.texts[1].font.bold()); // the style is reset after each call
    EXPECT_EQ(page.texts[2].topLeft.y(), 550);
}

TEST(LayoutEngine, StyleLetters) {
    const struct {
        const char* style;
        bool bold;
        bool italic;
        bool underline;
        bool strikeOut;
    } cases[] = {{"B", true, false, false, false},  {"Bx", true, false, false, false},
                 {"I", false, true, false, false},  {"U", false, false, true, false},
                 {"-", false, false, false, true},  {" ", false, false, false, false},
                 {"X", false, false, false, false}, {"", false, false, false, false},
                 {"b", false, false, false, false}};
    CanvasFixture f;
    for (const auto& c : cases)
        TiskStylem(1, 300, 0, QStringLiteral("styl ") + QLatin1String(c.style),
                   QString::fromLatin1(c.style));
    const QFont after = StavTisku().Platno->font();
    EXPECT_FALSE(after.bold() || after.italic() || after.underline() || after.strikeOut());
    const DrawnPage page = f.finish();
    ASSERT_EQ(page.texts.size(), int(std::size(cases)));
    for (int i = 0; i < page.texts.size(); ++i) {
        const DrawnText& t = page.texts[i];
        EXPECT_EQ(t.font.bold(), cases[i].bold) << cases[i].style;
        EXPECT_EQ(t.font.italic(), cases[i].italic) << cases[i].style;
        EXPECT_EQ(t.font.underline(), cases[i].underline) << cases[i].style;
        EXPECT_EQ(t.font.strikeOut(), cases[i].strikeOut) << cases[i].style;
    }
}

TEST(LayoutEngine, FontSelectionWithTheStationSuffix) {
    const struct {
        QString suffix;
        QString name;
        QString face;
    } cases[] = {
        {"", "Arial", "Arial"},
        {"", "Courier New", "Courier New"},
        {"", "Courier", "Courier New"},
        {"", "Times New Roman", "Arial"},
        {"", "", "Arial"},
        // No such faces here: the plain ones stand in.
        {" CE", "Arial", "Arial"},
        {" CE", "Courier", "Courier New"},
    };
    CanvasFixture f;
    for (const auto& c : cases) {
        StavTisku().PriponaPisma = c.suffix;
        NastavVelikost(20);
        TiskStylem(0, 0, 0, QString(), QStringLiteral("B"));
        NastavPismo(c.name);
        EXPECT_EQ(ZvolenePismo(c.name), c.face) << c.name.toStdString();
        EXPECT_EQ(StavTisku().Platno->font().family(), c.face) << c.name.toStdString();
        EXPECT_EQ(StavTisku().Platno->font().pixelSize(), 27); // size is kept
        EXPECT_EQ(StavTisku().Platno->pen().color(), QColor(Qt::black));
    }
    EXPECT_TRUE(PismoExistuje(QStringLiteral("Arial"))); // through its alias
    EXPECT_TRUE(PismoExistuje(QStringLiteral("Courier New")));
    EXPECT_TRUE(PismoExistuje(QStringLiteral("Liberation Sans")));
    EXPECT_FALSE(PismoExistuje(QStringLiteral("Arial CE")));
    EXPECT_FALSE(PismoExistuje(QStringLiteral("Písmo, které neexistuje")));
}

TEST(LayoutEngine, FootnoteMarks) {
    CanvasFixture f;
    StavTisku().VelNormal = 24;
    NastavVelikost(20);
    Hvezdicka(700, 900);
    EXPECT_EQ(StavTisku().Platno->font().pixelSize(), 32); // normal, not the size before
    NastavVelikost(34);
    DveHvezdicky(1200, 950);
    EXPECT_EQ(StavTisku().Platno->font().pixelSize(), 32);
    EXPECT_EQ(StavTisku().AktY, 0); // no line advance
    const DrawnPage page = f.finish();
    const DrawnText* one = page.find(QStringLiteral("*)"));
    const DrawnText* two = page.find(QStringLiteral("**)"));
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->topLeft, QPointF(700, 900));
    EXPECT_EQ(two->topLeft, QPointF(1200, 950));
    EXPECT_EQ(one->font.pixelSize(), 20);
    EXPECT_EQ(two->font.pixelSize(), 20);
}

TEST(LayoutEngine, WidthsAreMeasuredAsPageUnits) {
    CanvasFixture f;
    NastavPismo(QStringLiteral("Courier New"));
    NastavVelikost(26); // 35 units high: a Courier character is 0.6 of that wide
    EXPECT_EQ(SirkaTextu(QStringLiteral("0123456789")), 10 * SirkaTextu(QStringLiteral("0")));
    EXPECT_NEAR(SirkaTextu(QStringLiteral("0")), 21, 1);
    // The measured width is the width drawn on the page.
    TiskText(0, 200, 500, QStringLiteral("Šířka textu"));
    const DrawnPage page = f.finish();
    const DrawnText* t = page.find(QStringLiteral("Šířka textu"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(QFontMetrics(t->font).horizontalAdvance(t->text),
              SirkaTextu(QStringLiteral("Šířka textu"), t->font));
}
