#include "preview/PreviewUnits.h"

#include <gtest/gtest.h>

using namespace urn;

TEST(PreviewUnits, Conversion) {
    const struct {
        int v;
        TUnits from;
        TUnits to;
        int ppi;
        int expected;
    } cases[] = {
        {2100, mmLoMetric, mmLoMetric, 96, 2100},
        {2100, mmLoMetric, mmPixel, 96, 794},   // 793.7
        {2970, mmLoMetric, mmPixel, 96, 1123},  // 1122.5 -> even neighbour? no: 1122.52
        {2100, mmLoMetric, mmPixel, 600, 4961}, // 4960.6
        {794, mmPixel, mmLoMetric, 96, 2101},   // 2100.8
        {15, mmLoMetric, mmHiMetric, 96, 150},
        {159, mmHiMetric, mmLoMetric, 96, 15}, // integer division truncates
        {-159, mmHiMetric, mmLoMetric, 96, -15},
        {7, mmLoEnglish, mmHiEnglish, 96, 70},
        {1999, mmHiEnglish, mmLoEnglish, 96, 199},
        {39, mmTWIPS, mmPoints, 96, 1},
        {3, mmPoints, mmTWIPS, 96, 60},
        {127, mmLoMetric, mmPoints, 96, 36},
        {9, mmPoints, mmLoEnglish, 96, 12},  // 12.5: halves to even
        {27, mmPoints, mmLoEnglish, 96, 38}, // 37.5: halves to even
        {1000, mmHiEnglish, mmLoMetric, 96, 254},
        {254, mmLoMetric, mmTWIPS, 96, 1440},
        {100, mmLoEnglish, mmPixel, 300, 300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertUnit(c.v, c.from, c.to, c.ppi), c.expected)
            << c.v << " from " << c.from << " to " << c.to;
}

TEST(PreviewUnits, RoundHalfEven) {
    const struct {
        double x;
        int r;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {11.3, 11}, {2.51, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(RoundHalfEven(c.x), c.r) << c.x;
}

TEST(PreviewUnits, PaperTable) {
    EXPECT_EQ(AllPaperTypes().size(), 67);
    EXPECT_EQ(AllPaperTypes().first(), pLetter);
    EXPECT_EQ(AllPaperTypes().last(), pCustom);
    const struct {
        TPaperType paper;
        int number;
        int w;
        int h;
        TUnits units;
    } cases[] = {
        {pA4, 9, 2100, 2970, mmLoMetric},
        {pLetter, 1, 8500, 11000, mmHiEnglish},
        {pA3, 8, 2970, 4200, mmLoMetric},
        {pA5, 11, 1480, 2100, mmLoMetric},
        {pLegal, 5, 8500, 14000, mmHiEnglish},
        {pA2, 66, 4200, 5940, mmLoMetric},
        {pA3ExtraTransverse, 68, 3220, 4450, mmLoMetric},
        {pCustom, 256, 0, 0, mmLoMetric},
    };
    for (const auto& c : cases) {
        const TPaperSize s = PaperSizeOf(c.paper);
        EXPECT_EQ(PaperNumber(c.paper), c.number);
        EXPECT_EQ(s.width, c.w) << c.number;
        EXPECT_EQ(s.height, c.h) << c.number;
        EXPECT_EQ(s.units, c.units) << c.number;
    }
}

TEST(PreviewUnits, FormName) {
    const QList<TFormInfo> a4Printer = {{"Letter", {216, 279}}, {"A4", {210, 297}}};
    const QList<TFormInfo> rotatedOnly = {{"A4 napříč", {297, 210}}, {"A4 jinak", {297, 210}}};
    const QSizeF a4(210, 297);
    const QSizeF letter(215.9, 279.4);
    const struct {
        const char* name;
        QSizeF paper;
        bool landscape;
        bool metric;
        QList<TFormInfo> forms;
        QString formName;
        QString virtualName;
    } cases[] = {
        {"form of the same size", a4, false, true, a4Printer, "A4", ""},
        {"same form in landscape", a4, true, true, a4Printer, "A4", ""},
        {"no forms, metric", a4, false, true, {}, "", "210mm x 297mm"},
        {"no forms, metric landscape", a4, true, true, {}, "", "297mm x 210mm"},
        {"no forms, inches", a4, false, false, {}, "", "8.3\" x 11.7\""},
        {"letter in inches", letter, false, false, {}, "", "8.5\" x 11\""},
        {"letter landscape in inches", letter, true, false, {}, "", "11\" x 8.5\""},
        {"only rotated form, portrait", a4, false, true, rotatedOnly, "", "A4 jinak Rotated"},
        {"only rotated form, landscape", a4, true, true, rotatedOnly, "", "A4 jinak"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TFormNameResult r = FindFormName(c.paper, c.landscape, c.metric, c.forms);
        EXPECT_EQ(r.formName, c.formName);
        EXPECT_EQ(r.virtualFormName, c.virtualName);
        EXPECT_EQ(r.madeUp(), c.formName.isEmpty());
    }
}

TEST(PreviewUnits, DeviceModeSentToThePrinter) {
    TFormNameResult withForm;
    withForm.formName = QStringLiteral("A4");
    TFormNameResult madeUp;
    madeUp.virtualFormName = QStringLiteral("210mm x 297mm");
    TFormNameResult longName;
    longName.formName = QString(40, QLatin1Char('x'));

    TDeviceMode dm = ImposedDeviceMode(pA4, poPortrait, withForm, {});
    EXPECT_EQ(dm.formName, QStringLiteral("A4"));
    EXPECT_EQ(dm.paperSize, 9);
    EXPECT_EQ(dm.orientation, 1);

    dm = ImposedDeviceMode(pA4, poLandscape, madeUp, {});
    EXPECT_TRUE(dm.formName.isEmpty()); // a made-up name never reaches the printer
    EXPECT_EQ(dm.paperSize, 9);
    EXPECT_EQ(dm.orientation, 2);

    EXPECT_EQ(ImposedDeviceMode(pA4, poPortrait, longName, {}).formName.size(), 32);

    dm = ImposedDeviceMode(pCustom, poLandscape, madeUp, QSize(1000, 2000));
    EXPECT_EQ(dm.paperSize, 256);
    EXPECT_EQ(dm.paperWidth, 2000);
    EXPECT_EQ(dm.paperLength, 1000);
}
