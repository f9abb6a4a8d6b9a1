#pragma once

// The layout engine of every printout and the printouts that need no data
// entry. Printouts draw on the page canvas of the preview window in tenths
// of a millimetre from the sheet's top-left corner, through one layout state
// that each printout resets with PripravTisk.

#include <QDateTime>
#include <QList>
#include <QPen>
#include <QPoint>
#include <QString>

#include <functional>
#include <initializer_list>
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
    QString PriponaPisma;           // the station's font suffix (PriponaPisma)
};

TStavTisku& StavTisku();

// The clock the printouts read their date and time from; tests fix it.
using HodinyTisku = std::function<QDateTime()>;
void setHodinyTisku(HodinyTisku hodiny); // empty: the system clock
QDateTime AktualniCasTisku();

// ---- page setup ----

// First step of every printout: the measuring canvas, A4 portrait in 0.1 mm
// on the preview window's component, the layout state reset, the faces
// chosen with the station's font suffix.
void PripravTisk(const QString& priponaPisma);
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
// Where to break a text so that its first line stays between x1 and x2: after
// the last separator (". -:;") that keeps it there, else after the last
// character that does; 0 when the whole text fits (and when not even its
// first character does, the place being too narrow for any break).
int ZlomVMiste(const QString& text, int x1, int x2);
// A line of the form whose words are spread by runs of blanks, with the
// runs narrowed (the longest first) until it is at most `sirka` wide.
QString ZuzeneMezery(const QString& text, int sirka);

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
// A value set into a place `sirka` wide from x, on the current line moved by
// dy: in the first of `velikosti` at which it fits, else in the last one
// narrowed until it fits, so that it is printed whole and never over the
// form's words or past the margin. Its baseline stays where the first size
// puts it (a smaller value still stands on its dotted line). The page font
// is as before afterwards.
void TiskDoMista(int x, int dy, int sirka, const QString& text, const QString& style,
                 std::initializer_list<int> velikosti);
// Pen for lines: width in page units, solid, dotted or dash-dot.
void Pero(int width, Qt::PenStyle style = Qt::SolidLine);
void Cara(int x1, int y1, int x2, int y2);
// The outline of a rectangle (nothing drawn inside).
void Obdelnik(int x1, int y1, int x2, int y2);
// Connected lines through the points.
void Lomena(std::initializer_list<QPoint> body);
// The outline of the ellipse inscribed in a rectangle.
void Elipsa(int x1, int y1, int x2, int y2);

} // namespace urn
