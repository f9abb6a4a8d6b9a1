#include "printing/LayoutEngine.h"

#include "preview/PreviewControl.h"
#include "printing/PreviewWindow.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace urn {

namespace {

// Leaders in small Arial were made longer by this factor where the
// measuring canvas gave a dot a larger width than the page prints it with.
// Here both give a dot of Arial at size 24 the same 8.89 page units, and
// a factor above 1 would run every long leader past its end (by 13 % for
// the 1.13 of the other platform: a line across the page by 22 mm).
constexpr double kDelsiTeckyArialu = 1.0;

HodinyTisku& hodiny() {
    static HodinyTisku h;
    return h;
}

// Applies the first letter of a style string to a font.
void pouzijStyl(QFont& f, const QString& style) {
    const QChar c = style.isEmpty() ? QChar() : style.at(0);
    f.setBold(c == QLatin1Char('B'));
    f.setItalic(c == QLatin1Char('I'));
    f.setUnderline(c == QLatin1Char('U'));
    f.setStrikeOut(c == QLatin1Char('-'));
}

// Line advance and the page-break test shared by the text primitives.
void posunRadku(int lines) {
    TStavTisku& s = StavTisku();
    if (lines > 0)
        s.AktY += lines * s.Radek;
    if (s.HlidatKonec && s.AktY > s.Horni + s.Dolni - s.Rezerva) {
        s.PosledniStrana = s.Strana;
        s.Strana += 1;
        s.HlidatKonec = false;
    }
}

// Draws text with (x, y) as the top-left corner of its cell.
void kresliText(int x, int y, const QString& text) {
    QPainter* p = StavTisku().Platno;
    if (!p || text.isEmpty())
        return;
    p->drawText(x, y + p->fontMetrics().ascent(), text);
}

} // namespace

TStavTisku& StavTisku() {
    static TStavTisku s;
    return s;
}

void setHodinyTisku(HodinyTisku h) {
    hodiny() = std::move(h);
}

QDateTime AktualniCasTisku() {
    return hodiny() ? hodiny()() : QDateTime::currentDateTime();
}

void PripravTisk(const QString& priponaPisma) {
    TStavTisku& s = StavTisku();
    s.Mereni = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    // 96 pixels per inch, as the page font's sizes are meant.
    s.Mereni->setDotsPerMeterX(3780);
    s.Mereni->setDotsPerMeterY(3780);

    TPrintPreview* pp = previewF().PrintPreview();
    pp->SetPaperType(pA4);
    pp->SetUnits(mmLoMetric);
    pp->SetOrientation(poPortrait);
    pp->SetPrintJobTitle(QStringLiteral("VOLBY"));

    const QDateTime now = AktualniCasTisku();
    s.Levy = 200;
    s.Pravy = 1900;
    s.Horni = 0;
    s.Radek = 50;
    s.Dolni = 54 * s.Radek + s.Horni;
    s.Rezerva = 35;
    s.AktY = 0;
    s.Strana = 1;
    s.PosledniStrana = 1;
    s.HlidatKonec = false;
    s.VelNormal = 24;
    s.VelMala = 20;
    s.VelNadpis = 34;
    s.VelDrobna = 16;
    s.DatumTisku = now.toString(QStringLiteral("dd.MM.yyyy"));
    s.CasTisku = now.toString(QStringLiteral("hh:mm"));
    s.ZnackaProgramu = QStringLiteral("QZ");
    s.VerzeProgramu = QStringLiteral("5.1003.24");
    s.Platno = nullptr;
    s.Velikost = 0;
    s.PriponaPisma = priponaPisma;
}

void UvolniMereni() {
    StavTisku().Mereni.reset();
}

QPainter* NovaStrana() {
    TStavTisku& s = StavTisku();
    s.Platno = nullptr;
    s.Platno = previewF().VratCanvas();
    return s.Platno;
}

// ---------------------------------------------------------------- measuring

int SirkaTextu(const QString& text, const QFont& font) {
    TStavTisku& s = StavTisku();
    if (!s.Mereni) {
        s.Mereni = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        s.Mereni->setDotsPerMeterX(3780);
        s.Mereni->setDotsPerMeterY(3780);
    }
    return QFontMetrics(font, s.Mereni.get()).horizontalAdvance(text);
}

int SirkaTextu(const QString& text) {
    return SirkaTextu(text, StavTisku().Platno->font());
}

QString Opakuj(const QString& text, int n) {
    return n <= 0 ? QString() : text.repeated(n);
}

int PocetTecek(int x1, int x2) {
    if (x1 > x2)
        return 0;
    const int span = x2 - x1;
    const QFont font = StavTisku().Platno->font();
    const QString dot = QStringLiteral(".");
    // The first count of dots wider than the span; widths grow with the
    // count, so halving the interval finds the same count as counting up.
    int lo = 1;
    int hi = 500;
    if (SirkaTextu(Opakuj(dot, hi), font) <= span)
        return 0;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (SirkaTextu(Opakuj(dot, mid), font) > span)
            hi = mid;
        else
            lo = mid + 1;
    }
    const int i = lo;
    if (i >= 500)
        return 0;
    if (font.family().contains(QLatin1String("Arial")) && StavTisku().Velikost <= 24)
        return RoundHalfEven(i * kDelsiTeckyArialu);
    return i;
}

QString RadaTecek(int x1, int x2) {
    return Opakuj(QStringLiteral("."), PocetTecek(x1, x2));
}

QString CisloNulami(qint64 n, int w) {
    const QString s = QString::number(n);
    return s.size() > w ? s.right(w) : s.rightJustified(w, QLatin1Char('0'));
}

QString CisloMezerami(qint64 n, int w) {
    const QString s = QString::number(n);
    return s.size() > w ? s.right(w) : s.rightJustified(w, QLatin1Char(' '));
}

QString OrizniKonec(const QString& text) {
    int n = int(text.size());
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

int MistoZlomu(const QString& text, int x1, int x2) {
    if (x1 > x2)
        return 0;
    const QString t = OrizniKonec(text);
    const int avail = x2 - x1;
    if (SirkaTextu(t) <= avail)
        return 0;
    const int w = SirkaTextu(QStringLiteral("DlouhéSlovo"));
    static const QString separators = QStringLiteral(". -:;");
    for (int i = 1; i <= t.size(); ++i) {
        const int width = SirkaTextu(t.left(i));
        if (width > avail - w && separators.contains(t.at(i - 1)))
            return i;
        if (width > avail + w)
            return i;
    }
    return 0;
}

int ZlomVMiste(const QString& text, int x1, int x2) {
    const QString t = OrizniKonec(text);
    const int avail = x2 - x1;
    if (x1 > x2 || SirkaTextu(t) <= avail)
        return 0;
    static const QString separators = QStringLiteral(". -:;");
    int posledniZnak = 0;
    for (int i = 1; i < t.size(); ++i) {
        if (SirkaTextu(t.left(i)) > avail)
            break;
        posledniZnak = i;
    }
    for (int i = posledniZnak; i > 0; --i)
        if (separators.contains(t.at(i - 1)))
            return i;
    return posledniZnak;
}

QString ZuzeneMezery(const QString& text, int sirka) {
    QString t = text;
    while (SirkaTextu(t) > sirka) {
        // The longest run of blanks loses one.
        qsizetype nejdelsi = 0;
        qsizetype kde = -1;
        for (qsizetype i = 0; i < t.size();) {
            qsizetype j = i;
            while (j < t.size() && t.at(j) == QLatin1Char(' '))
                ++j;
            if (j - i > nejdelsi) {
                nejdelsi = j - i;
                kde = i;
            }
            i = j > i ? j : i + 1;
        }
        if (nejdelsi < 2)
            break;
        t.remove(kde, 1);
    }
    return t;
}

// ---------------------------------------------------------------- fonts

int VyskaPisma(int size) {
    // Size x 96 / 72 rounded; never a half, as 96 / 72 = 4 / 3.
    return qRound(size * 96.0 / 72.0);
}

bool PismoExistuje(const QString& face) {
    // The Windows faces the printouts name are printed with the metric-
    // compatible Liberation families, which fontconfig substitutes for them
    // (fonts-liberation). Guessing an alias from what a name resolves to is
    // unreliable: on a machine with few fonts an unknown name falls back to
    // the very family an alias points to.
    static const std::pair<const char*, const char*> kMetricAliases[] = {
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
    };
    if (QFontDatabase::hasFamily(face))
        return true;
    for (const auto& [alias, family] : kMetricAliases)
        if (face.compare(QLatin1String(alias), Qt::CaseInsensitive) == 0)
            return QFontDatabase::hasFamily(QLatin1String(family));
    return false;
}

QString ZvolenePismo(const QString& name) {
    const QString base = name == QLatin1String("Courier New") || name == QLatin1String("Courier")
                             ? QStringLiteral("Courier New")
                             : QStringLiteral("Arial");
    const QString suffix = StavTisku().PriponaPisma;
    if (suffix.isEmpty())
        return base;
    const QString face = base + suffix;
    return PismoExistuje(face) ? face : base;
}

namespace {
// A picture records the painter's whole font again after every setFont, even
// an unchanged one; most texts of a printout keep the font of the one before
// (a style is set and cleared around each), so an unchanged font is not set.
void zmenPismo(QPainter& p, const QFont& f) {
    if (f != p.font())
        p.setFont(f);
}
} // namespace

void NastavPismo(const QString& name) {
    // Text takes its colour from the pen, and every pen of the printouts is
    // black: the pen is left as it is, so that a line pen chosen with Pero
    // before a change of font still draws the next frame.
    QPainter* p = StavTisku().Platno;
    QFont f = p->font();
    f.setFamily(ZvolenePismo(name));
    zmenPismo(*p, f);
}

void NastavVelikost(int size) {
    TStavTisku& s = StavTisku();
    s.Velikost = size;
    QFont f = s.Platno->font();
    f.setPixelSize(VyskaPisma(size));
    zmenPismo(*s.Platno, f);
}

// ---------------------------------------------------------------- drawing

void NastavStyl(const QString& style) {
    QPainter* p = StavTisku().Platno;
    QFont f = p->font();
    pouzijStyl(f, style);
    zmenPismo(*p, f);
}

void Hvezdicka(int x, int y) {
    NastavVelikost(15);
    kresliText(x, y, QStringLiteral("*)"));
    NastavVelikost(StavTisku().VelNormal);
}

void DveHvezdicky(int x, int y) {
    NastavVelikost(15);
    kresliText(x, y, QStringLiteral("**)"));
    NastavVelikost(StavTisku().VelNormal);
}

void TiskNaStred(int lines, int x1, int x2, const QString& text, const QString& style, int dy) {
    posunRadku(lines);
    TStavTisku& s = StavTisku();
    int y = s.AktY + dy;
    if (dy == 0 || y <= 0)
        y = s.AktY;
    NastavStyl(style);
    const int x = x1 + (x2 - x1) / 2 - SirkaTextu(text) / 2;
    kresliText(x, y, text);
    NastavStyl(QString());
}

void TiskStylem(int lines, int x, int dy, const QString& text, const QString& style) {
    posunRadku(lines);
    const int y = StavTisku().AktY + dy;
    NastavStyl(style);
    kresliText(x, y, text);
    NastavStyl(QString());
}

void TiskText(int lines, int x, int y, const QString& text) {
    posunRadku(lines);
    const int aktY = StavTisku().AktY;
    const int yy = y == 0 ? aktY : y < 0 ? aktY + y : y;
    kresliText(x, yy, text);
}

void TiskVpravo(int lines, int x, int y, const QString& text) {
    posunRadku(lines);
    const int aktY = StavTisku().AktY;
    const int yy = y == 0 ? aktY : y < 0 ? aktY + y : y;
    kresliText(x - SirkaTextu(text), yy, text);
}

void TiskDoMista(int x, int dy, int sirka, const QString& text, const QString& style,
                 std::initializer_list<int> velikosti) {
    TStavTisku& s = StavTisku();
    QPainter* p = s.Platno;
    if (!p || text.isEmpty() || velikosti.size() == 0)
        return;
    const QFont predtim = p->font();
    const int velikostPredtim = s.Velikost;
    NastavStyl(style);
    NastavVelikost(*velikosti.begin());
    int sirkaTextu = SirkaTextu(text);
    int posun = 0;
    if (sirkaTextu > sirka) {
        const int ascent = QFontMetrics(p->font(), s.Mereni.get()).ascent();
        for (const int v : velikosti) {
            NastavVelikost(v);
            sirkaTextu = SirkaTextu(text);
            if (sirkaTextu <= sirka)
                break;
        }
        // Narrower, rather than cut or over the neighbouring words.
        QFont f = p->font();
        for (int procent = sirka * 100 / qMax(1, sirkaTextu); sirkaTextu > sirka && procent > 0;
             --procent) {
            f.setStretch(procent);
            zmenPismo(*p, f);
            sirkaTextu = SirkaTextu(text);
        }
        posun = ascent - QFontMetrics(p->font(), s.Mereni.get()).ascent();
    }
    kresliText(x, s.AktY + dy + posun, text);
    zmenPismo(*p, predtim);
    s.Velikost = velikostPredtim;
}

void Pero(int width, Qt::PenStyle style) {
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    // Patterns in tenths of a millimetre, so that dots stay visible on
    // paper and on the screen alike.
    const qreal unit = qMax(1, width);
    if (style == Qt::DotLine)
        pen.setDashPattern({3 / unit, 4 / unit});
    else if (style == Qt::DashDotLine)
        pen.setDashPattern({12 / unit, 5 / unit, 3 / unit, 5 / unit});
    else if (style == Qt::DashLine)
        pen.setDashPattern({12 / unit, 6 / unit});
    // As with the font: a picture records every pen that is set.
    QPainter* p = StavTisku().Platno;
    if (pen != p->pen())
        p->setPen(pen);
}

void Cara(int x1, int y1, int x2, int y2) {
    StavTisku().Platno->drawLine(x1, y1, x2, y2);
}

void Lomena(std::initializer_list<QPoint> body) {
    const QPolygon polygon{QList<QPoint>(body)};
    StavTisku().Platno->drawPolyline(polygon);
}

void Elipsa(int x1, int y1, int x2, int y2) {
    QPainter* p = StavTisku().Platno;
    p->save();
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -1, -1));
    p->restore();
}

void Obdelnik(int x1, int y1, int x2, int y2) {
    QPainter* p = StavTisku().Platno;
    p->save();
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -1, -1));
    p->restore();
}

} // namespace urn
