#pragma once

// Units of page coordinates, paper types and the conversions between them,
// kept free of widgets so that they can be checked on their own.

#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace urn {

enum TUnits {
    mmPixel,     // pixels of the device in question
    mmLoMetric,  // 0.1 mm
    mmHiMetric,  // 0.01 mm
    mmLoEnglish, // 0.01 inch
    mmHiEnglish, // 0.001 inch
    mmTWIPS,     // 1/1440 inch
    mmPoints     // 1/72 inch
};

enum TPrinterOrientation { poPortrait, poLandscape };

// The paper sizes of the printer interface; the value is the printer's
// paper number (pCustom excepted).
enum TPaperType {
    pLetter = 1,
    pLetterSmall,
    pTabloid,
    pLedger,
    pLegal,
    pStatement,
    pExecutive,
    pA3,
    pA4,
    pA4Small,
    pA5,
    pB4,
    pB5,
    pFolio,
    pQuarto,
    p10x14,
    p11x17,
    pNote,
    pEnv9,
    pEnv10,
    pEnv11,
    pEnv12,
    pEnv14,
    pCSheet,
    pDSheet,
    pESheet,
    pEnvDL,
    pEnvC5,
    pEnvC3,
    pEnvC4,
    pEnvC6,
    pEnvC65,
    pEnvB4,
    pEnvB5,
    pEnvB6,
    pEnvItaly,
    pEnvMonarch,
    pEnvPersonal,
    pFanfoldUS,
    pFanfoldStdGerman,
    pFanfoldLglGerman,
    pB4ISO,
    pJapanesePostcard,
    p9x11,
    p10x11,
    p15x11,
    pEnvInvite,
    pLetterExtra = 50,
    pLegalExtra,
    pTabloidExtra,
    pA4Extra,
    pLetterTransverse,
    pA4Transverse,
    pLetterExtraTransverse,
    pAPlus,
    pBPlus,
    pLetterPlus,
    pA4Plus,
    pA5Transverse,
    pB5Transverse,
    pA3Extra,
    pA5Extra,
    pB5Extra,
    pA2,
    pA3Transverse,
    pA3ExtraTransverse,
    pCustom = 256 // the printer's code of a user-defined size
};

// Every paper type, in the order of the printer interface.
const QList<TPaperType>& AllPaperTypes();

// Portrait size of a paper type and the unit it is defined in (mmLoMetric or
// mmHiEnglish). pCustom has no size of its own (0 x 0).
struct TPaperSize {
    int width = 0;
    int height = 0;
    TUnits units = mmLoMetric;
};
TPaperSize PaperSizeOf(TPaperType paper);
// The printer's paper number.
inline int PaperNumber(TPaperType paper) {
    return int(paper);
}

// Units per inch; pixels count at `pixelsPerInch`.
int UnitsPerInch(TUnits units, int pixelsPerInch);

// Converts v from one unit to another: exact integer factors where the units
// are decimal multiples of each other (truncating downwards conversions),
// otherwise by the units per inch, rounded to nearest with halves to even.
int ConvertUnit(int v, TUnits from, TUnits to, int pixelsPerInch);

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double x);

// ---- printer forms ----

// One form the printer offers, with its size in whole millimetres.
struct TFormInfo {
    QString name;
    QSize sizeMm;
};

struct TFormNameResult {
    QString formName;        // a form of the printer matching the paper, or empty
    QString virtualFormName; // the name used when there is none
    // The form to use: formName when found, else virtualFormName (made up,
    // never sent to the printer).
    QString result() const { return formName.isEmpty() ? virtualFormName : formName; }
    bool madeUp() const { return formName.isEmpty(); }
};

// Finds the printer form for a paper of the given portrait size (whole mm):
// the first form of the same size; otherwise a name made up from the size
// ("210mm x 297mm", or inches for non-metric units), marked " Rotated" when
// only a form with the sides exchanged exists and the orientation does not
// account for it.
TFormNameResult FindFormName(QSizeF paperMmPortrait, bool landscape, bool metric,
                             const QList<TFormInfo>& forms);

// Whether the units count in millimetres; pixels, twips and points follow
// the user's locale.
bool MetricUnits(TUnits units, bool localeIsMetric);

// What is imposed on the printer before a job.
struct TDeviceMode {
    QString formName;    // empty: not set
    int paperSize = 0;   // the printer's paper number, 256 for a user size
    int paperWidth = 0;  // 0.1 mm, only for a user size
    int paperLength = 0; // 0.1 mm, only for a user size
    int orientation = 1; // 1 portrait, 2 landscape
};
TDeviceMode ImposedDeviceMode(TPaperType paper, TPrinterOrientation orientation,
                              const TFormNameResult& form, QSize customSizeLoMetric);

} // namespace urn
