#pragma once

// The layout engine of every printout and the printouts that need no data
// entry. Printouts draw on the page canvas of the preview window in tenths
// of a millimetre from the sheet's top-left corner, through one layout state
// that each printout resets with PripravTisk.

#include <QDateTime>
#include <QList>
#include <QPen>
#include <QString>

#include <functional>
#include <memory>

class QFont;
class QImage;
class QPainter;

namespace urn {

class TChybProt;
struct TPrecinctRecord;
struct TStanice;

struct TStavTisku {
    int Levy = 200;   // left margin x
    int Pravy = 1900; // right margin x
    int Horni = 0;    // top y
    int Dolni = 2700; // bottom of the body; footers hang from it
    int Rezerva = 35; // bottom reserve of the page-break test
    int Radek = 50;   // line step
    int AktY = 0;     // the current line's y
    int Strana = 1;   // page counter advanced by the page-break test
    int PosledniStrana = 1;
    bool HlidatKonec = false; // the next line advance past the bottom ends the page
    int VelNormal = 24;
    int VelMala = 20;
    int VelNadpis = 34;
    int VelDrobna = 16;
    QString DatumTisku; // "dd.mm.yyyy"
    QString CasTisku;   // "hh:mm"
    QString ZnackaProgramu = QStringLiteral("QZ");
    QString VerzeProgramu = QStringLiteral("5.1003.24");
    std::unique_ptr<QImage> Mereni; // measuring canvas, 1 x 1 pixel
    QPainter* Platno = nullptr;     // canvas of the page being drawn
    int Velikost = 0;               // size last set on the page font
};

TStavTisku& StavTisku();

// The clock the printouts read their date and time from; tests fix it.
using HodinyTisku = std::function<QDateTime()>;
void setHodinyTisku(HodinyTisku hodiny); // empty: the system clock
QDateTime AktualniCasTisku();

// ---- page setup ----

// First step of every printout: the measuring canvas, A4 portrait in 0.1 mm
// on the preview window's component, the layout state reset.
void PripravTisk();
void UvolniMereni();
// The next page's canvas from the preview window, kept as the page canvas.
QPainter* NovaStrana();

// ---- measuring and formatting ----

// Width of a text in `font` on the measuring canvas, taken as page units.
int SirkaTextu(const QString& text, const QFont& font);
// Width in the page canvas's current font.
int SirkaTextu(const QString& text);
QString Opakuj(const QString& text, int n);
int PocetTecek(int x1, int x2);
QString RadaTecek(int x1, int x2);
QString CisloNulami(qint64 n, int w);
QString CisloMezerami(qint64 n, int w);
QString OrizniKonec(const QString& text);
// Where to break a text running from x1 to x2 (1-based count of characters
// for the first line), 0 when it fits.
int MistoZlomu(const QString& text, int x1, int x2);

// ---- fonts ----

// Character height in page units of a font size (at 96 pixels per inch).
int VyskaPisma(int size);
// "Courier New"/"Courier" select Courier New, anything else Arial; the
// station's font suffix is appended when such a face exists.
void NastavPismo(const QString& name);
void NastavVelikost(int size);
// The face NastavPismo would choose.
QString ZvolenePismo(const QString& name);
// Whether the font system offers a face of this name (itself or through
// a metric-compatible alias).
bool PismoExistuje(const QString& face);

// ---- drawing ----

void Hvezdicka(int x, int y);
void DveHvezdicky(int x, int y);
void TiskNaStred(int lines, int x1, int x2, const QString& text, const QString& style = QString(),
                 int dy = 0);
void TiskStylem(int lines, int x, int dy, const QString& text, const QString& style);
void TiskText(int lines, int x, int y, const QString& text);
// Sets the page font's style by the first letter of `style`: "B" bold,
// "I" italic, "U" underline, "-" strike-out, anything else regular.
void NastavStyl(const QString& style);
// Text ending at x (right-aligned), in the current style.
void TiskVpravo(int lines, int x, int y, const QString& text);
// Pen for lines: width in page units, solid, dotted or dash-dot.
void Pero(int width, Qt::PenStyle style = Qt::SolidLine);
void Cara(int x1, int y1, int x2, int y2);
// The outline of a rectangle (nothing drawn inside).
void Obdelnik(int x1, int y1, int x2, int y2);

// ---- check protocol ----

struct TRadekProtokolu {
    int EStrana = 0; // party of the finding, 0 for the record as a whole
    int Chyba = 0;   // error number
    QString Text;    // catalogue text followed by the finding's parameter
};

struct TUdajeProtokolu {
    qint32 Obec = 0;
    qint32 Okrsek = 0;
    int T2KC_1 = 0;
    double KontrSoucetTS = 0;
    QString NazevObce;
    QList<TRadekProtokolu> Chyby; // in protocol order
};

// Draws the check protocol into the preview window and shows it.
void TiskProtokolu(const TUdajeProtokolu& udaje);
// The footer line of the protocol pages.
QString PaticeProtokolu(const TUdajeProtokolu& udaje);
// What the protocol prints of a check run: the findings of the error
// protocol, the identification and control total of the record as checked,
// the municipality's name of the station.
TUdajeProtokolu UdajeProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                               const TStanice& stanice);
// Sends the protocol of every check run that prints one into the preview
// window; the preview window connects itself when it is created and
// disconnects when it goes.
void PripojTiskProtokolu();
void OdpojTiskProtokolu();

// ---- counting sheet ----

// Shows the information window: caption, title, text ("\r" between lines).
using UkazInfo =
    std::function<void(const QString& caption, const QString& titulek, const QString& text)>;

inline constexpr const char* kScitaciArchCaption = "Sčítací arch";
inline constexpr const char* kScitaciArchTitulek = "Tisk pomocného sčítacího archu má 30 stran.";
inline constexpr const char* kScitaciArchText =
    "Pokud chcete tisknout jen vybrané stránky,\rjejich výběr provedete zadáním jejich rozsahu\r"
    "v Nastavení tiskárny (ikonka s tiskárnou)\rv preview tisku a potvrdíte tlačítkem OK.\r"
    "Vlastní tisk provedete stisknutím tlačítka Tisk.";

// The menu command "&Sčítací arch": the station's precinct, the party list
// and the candidate table are read, the notice shown, the sheet printed into
// the preview window and shown there.
void ScitaciArch(const UkazInfo& ukazInfo);
void TiskScitacihoArchu();

// ---- test page ----

// What the test page tells about the station's system.
struct TProstrediTisku {
    QString System;   // the operating system as printed
    QString Tiskarna; // the selected printer
    QString Fonty;    // the printer's fonts found among the program's, e.g. "Arial, Courier New, "
    int OknoPpi = 96;
    int OknoSirka = 0;
    int OknoVyska = 0;
    int ObrazovkaPpi = 96;
};

// The facts of the running system, the preview window and the chosen printer.
TProstrediTisku ZjistiProstredi();

// The operating system as the runtime reports it.
struct TInfoSystemu {
    QString ProductName; // empty when unknown
    bool Windows = false;
    bool PlatformNT = false;
    int Major = 0;
    int Minor = 0;
    QString ServicePack;
    QString Jadro; // kernel type and version of other systems
};
TInfoSystemu InfoSystemu();
QString NazevWindows(bool platformNT, int major, int minor, const QString& verzeOS);
QString TextSystemu(const TInfoSystemu& info, const QString& verzeOS);

// The program's fonts in a delimited font list (quoted names with spaces).
QString NalezeneFonty(const QString& seznam, QChar oddelovac = QLatin1Char(','),
                      QChar uvozovky = QLatin1Char('"'));
// The fonts the printing system offers, as one delimited text.
QString SeznamFontuTiskarny();

inline constexpr const char* kEmailUradu = "podpora.volby@example.cz";

// The menu command "&Zkušební tisk".
void TiskZkusebniStrany();
void TiskZkusebniStrany(const TProstrediTisku& prostredi);

} // namespace urn
