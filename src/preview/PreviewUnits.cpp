#include "preview/PreviewUnits.h"

#include <cmath>

namespace urn {

namespace {

struct PaperRow {
    TPaperType type;
    int width;
    int height;
    TUnits units;
};

// Sizes as the printer interface defines them: millimetres in 0.1 mm,
// inches in 0.001 inch; always portrait (width first) except where the
// paper itself is defined wider than high.
constexpr PaperRow kPapers[] = {
    {pLetter, 8500, 11000, mmHiEnglish},
    {pLetterSmall, 8500, 11000, mmHiEnglish},
    {pTabloid, 11000, 17000, mmHiEnglish},
    {pLedger, 17000, 11000, mmHiEnglish},
    {pLegal, 8500, 14000, mmHiEnglish},
    {pStatement, 5500, 8500, mmHiEnglish},
    {pExecutive, 7250, 10500, mmHiEnglish},
    {pA3, 2970, 4200, mmLoMetric},
    {pA4, 2100, 2970, mmLoMetric},
    {pA4Small, 2100, 2970, mmLoMetric},
    {pA5, 1480, 2100, mmLoMetric},
    {pB4, 2570, 3640, mmLoMetric},
    {pB5, 1820, 2570, mmLoMetric},
    {pFolio, 8500, 13000, mmHiEnglish},
    {pQuarto, 2150, 2750, mmLoMetric},
    {p10x14, 10000, 14000, mmHiEnglish},
    {p11x17, 11000, 17000, mmHiEnglish},
    {pNote, 8500, 11000, mmHiEnglish},
    {pEnv9, 3875, 8875, mmHiEnglish},
    {pEnv10, 4125, 9500, mmHiEnglish},
    {pEnv11, 4500, 10375, mmHiEnglish},
    {pEnv12, 4750, 11000, mmHiEnglish},
    {pEnv14, 5000, 11500, mmHiEnglish},
    {pCSheet, 17000, 22000, mmHiEnglish},
    {pDSheet, 22000, 34000, mmHiEnglish},
    {pESheet, 34000, 44000, mmHiEnglish},
    {pEnvDL, 1100, 2200, mmLoMetric},
    {pEnvC5, 1620, 2290, mmLoMetric},
    {pEnvC3, 3240, 4580, mmLoMetric},
    {pEnvC4, 2290, 3240, mmLoMetric},
    {pEnvC6, 1140, 1620, mmLoMetric},
    {pEnvC65, 1140, 2290, mmLoMetric},
    {pEnvB4, 2500, 3530, mmLoMetric},
    {pEnvB5, 1760, 2500, mmLoMetric},
    {pEnvB6, 1760, 1250, mmLoMetric},
    {pEnvItaly, 1100, 2300, mmLoMetric},
    {pEnvMonarch, 3875, 7500, mmHiEnglish},
    {pEnvPersonal, 3625, 6500, mmHiEnglish},
    {pFanfoldUS, 14875, 11000, mmHiEnglish},
    {pFanfoldStdGerman, 8500, 12000, mmHiEnglish},
    {pFanfoldLglGerman, 8500, 13000, mmHiEnglish},
    {pB4ISO, 2500, 3530, mmLoMetric},
    {pJapanesePostcard, 1000, 1480, mmLoMetric},
    {p9x11, 9000, 11000, mmHiEnglish},
    {p10x11, 10000, 11000, mmHiEnglish},
    {p15x11, 15000, 11000, mmHiEnglish},
    {pEnvInvite, 2200, 2200, mmLoMetric},
    {pLetterExtra, 9500, 12000, mmHiEnglish},
    {pLegalExtra, 9500, 15000, mmHiEnglish},
    {pTabloidExtra, 11690, 18000, mmHiEnglish},
    {pA4Extra, 9270, 12690, mmHiEnglish},
    {pLetterTransverse, 8500, 11000, mmHiEnglish},
    {pA4Transverse, 2100, 2970, mmLoMetric},
    {pLetterExtraTransverse, 9500, 12000, mmHiEnglish},
    {pAPlus, 2270, 3560, mmLoMetric},
    {pBPlus, 3050, 4870, mmLoMetric},
    {pLetterPlus, 8500, 12690, mmHiEnglish},
    {pA4Plus, 2100, 3300, mmLoMetric},
    {pA5Transverse, 1480, 2100, mmLoMetric},
    {pB5Transverse, 1820, 2570, mmLoMetric},
    {pA3Extra, 3220, 4450, mmLoMetric},
    {pA5Extra, 1740, 2350, mmLoMetric},
    {pB5Extra, 2010, 2760, mmLoMetric},
    {pA2, 4200, 5940, mmLoMetric},
    {pA3Transverse, 2970, 4200, mmLoMetric},
    {pA3ExtraTransverse, 3220, 4450, mmLoMetric},
    {pCustom, 0, 0, mmLoMetric},
};

QString inches(double mm) {
    const double tenths = std::round(mm / 25.4 * 10.0) / 10.0;
    return QString::number(tenths, 'g', 15) + QLatin1Char('"');
}

} // namespace

const QList<TPaperType>& AllPaperTypes() {
    static const QList<TPaperType> all = [] {
        QList<TPaperType> l;
        for (const PaperRow& r : kPapers)
            l.append(r.type);
        return l;
    }();
    return all;
}

TPaperSize PaperSizeOf(TPaperType paper) {
    for (const PaperRow& r : kPapers)
        if (r.type == paper)
            return {r.width, r.height, r.units};
    return {};
}

int UnitsPerInch(TUnits units, int pixelsPerInch) {
    switch (units) {
    case mmPixel:
        return pixelsPerInch;
    case mmLoMetric:
        return 254;
    case mmHiMetric:
        return 2540;
    case mmLoEnglish:
        return 100;
    case mmHiEnglish:
        return 1000;
    case mmTWIPS:
        return 1440;
    case mmPoints:
        return 72;
    }
    return 1;
}

int RoundHalfEven(double x) {
    double r = std::floor(x);
    const double d = x - r;
    if (d > 0.5 || (d == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    return int(r);
}

int ConvertUnit(int v, TUnits from, TUnits to, int pixelsPerInch) {
    if (from == to)
        return v;
    // Decimal relatives are converted on integers, as the printouts'
    // coordinates are whole numbers anyway.
    if (from == mmLoMetric && to == mmHiMetric)
        return v * 10;
    if (from == mmHiMetric && to == mmLoMetric)
        return v / 10;
    if (from == mmLoEnglish && to == mmHiEnglish)
        return v * 10;
    if (from == mmHiEnglish && to == mmLoEnglish)
        return v / 10;
    if (from == mmTWIPS && to == mmPoints)
        return v / 20;
    if (from == mmPoints && to == mmTWIPS)
        return v * 20;
    const int a = UnitsPerInch(from, pixelsPerInch);
    const int b = UnitsPerInch(to, pixelsPerInch);
    if (a <= 0)
        return 0;
    return RoundHalfEven(double(v) * double(b) / double(a));
}

bool MetricUnits(TUnits units, bool localeIsMetric) {
    switch (units) {
    case mmLoMetric:
    case mmHiMetric:
        return true;
    case mmLoEnglish:
    case mmHiEnglish:
        return false;
    case mmPixel:
    case mmTWIPS:
    case mmPoints:
        return localeIsMetric;
    }
    return localeIsMetric;
}

TFormNameResult FindFormName(QSizeF paperMmPortrait, bool landscape, bool metric,
                             const QList<TFormInfo>& forms) {
    TFormNameResult r;
    const int w = RoundHalfEven(paperMmPortrait.width());
    const int h = RoundHalfEven(paperMmPortrait.height());
    QString rotatedName;
    for (const TFormInfo& f : forms) {
        if (f.sizeMm.width() == w && f.sizeMm.height() == h) {
            r.formName = f.name;
            return r;
        }
        if (f.sizeMm.width() == h && f.sizeMm.height() == w)
            rotatedName = f.name; // the last such form counts
    }
    bool rotated = false;
    if (!rotatedName.isEmpty()) {
        rotated = !landscape;
        r.virtualFormName = rotatedName;
    } else if (metric) {
        r.virtualFormName = landscape ? QStringLiteral("%1mm x %2mm").arg(h).arg(w)
                                      : QStringLiteral("%1mm x %2mm").arg(w).arg(h);
    } else {
        const QString iw = inches(paperMmPortrait.width());
        const QString ih = inches(paperMmPortrait.height());
        r.virtualFormName =
            landscape ? ih + QStringLiteral(" x ") + iw : iw + QStringLiteral(" x ") + ih;
    }
    if (rotated)
        r.virtualFormName += QStringLiteral(" Rotated");
    return r;
}

TDeviceMode ImposedDeviceMode(TPaperType paper, TPrinterOrientation orientation,
                              const TFormNameResult& form, QSize customSizeLoMetric) {
    TDeviceMode dm;
    if (!form.madeUp())
        dm.formName = form.formName.left(32);
    if (paper == pCustom) {
        dm.paperSize = 256;
        // The user size goes as the sheet lies in the printer.
        const bool land = orientation == poLandscape;
        dm.paperWidth = land ? customSizeLoMetric.height() : customSizeLoMetric.width();
        dm.paperLength = land ? customSizeLoMetric.width() : customSizeLoMetric.height();
    } else {
        dm.paperSize = PaperNumber(paper);
    }
    dm.orientation = orientation == poLandscape ? 2 : 1;
    return dm;
}

} // namespace urn
