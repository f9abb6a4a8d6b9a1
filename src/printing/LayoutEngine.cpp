#include "printing/LayoutEngine.h"

#include "preview/PreviewUnits.h"

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

// Applies the first letter of a style string to a font.
void pouzijStyl(QFont& f, const QString& style) {
    const QChar c = style.isEmpty() ? QChar() : style.at(0);
    f.setBold(c == QLatin1Char('B'));
    f.setItalic(c == QLatin1Char('I'));
    f.setUnderline(c == QLatin1Char('U'));
    f.setStrikeOut(c == QLatin1Char('-'));
}

} // namespace

LayoutEngine::LayoutEngine(PageSink& sink, const QDateTime& cas, const QString& priponaPisma)
    : m_stranky(sink), m_priponaPisma(priponaPisma), m_mereni(1, 1, QImage::Format_RGB32) {
    // 96 pixels per inch, as the page font's sizes are meant.
    m_mereni.setDotsPerMeterX(3780);
    m_mereni.setDotsPerMeterY(3780);
    DatumTisku = cas.toString(QStringLiteral("dd.MM.yyyy"));
    CasTisku = cas.toString(QStringLiteral("hh:mm"));
}

void LayoutEngine::posunRadku(int lines) {
    if (lines > 0)
        AktY += lines * Radek;
    if (HlidatKonec && AktY > Horni + Dolni - Rezerva) {
        PosledniStrana = Strana;
        Strana += 1;
        HlidatKonec = false;
    }
}

void LayoutEngine::kresliText(int x, int y, const QString& text) {
    QPainter* p = Platno;
    if (!p || text.isEmpty())
        return;
    p->drawText(x, y + p->fontMetrics().ascent(), text);
}

QPainter* LayoutEngine::NovaStrana() {
    Platno = nullptr;
    Platno = m_stranky.VratCanvas();
    return Platno;
}

TiskovyDokument::TiskovyDokument(LayoutEngine& sazba) : m_sazba(sazba) {
    m_sazba.Stranky().ZacatekTisku();
}

TiskovyDokument::~TiskovyDokument() {
    if (!m_hotovo) {
        m_sazba.Stranky().ZrusTisk();
        m_sazba.Platno = nullptr;
    }
}

void TiskovyDokument::konec() {
    m_sazba.Stranky().KonecTisku();
    m_hotovo = true;
    m_sazba.Platno = nullptr;
}

// ---------------------------------------------------------------- measuring

int LayoutEngine::SirkaTextu(const QString& text, const QFont& font) const {
    return QFontMetrics(font, &m_mereni).horizontalAdvance(text);
}

int LayoutEngine::SirkaTextu(const QString& text) const {
    return SirkaTextu(text, Platno->font());
}

QString Opakuj(const QString& text, int n) {
    return n <= 0 ? QString() : text.repeated(n);
}

int LayoutEngine::PocetTecek(int x1, int x2) const {
    if (x1 > x2)
        return 0;
    const int span = x2 - x1;
    const QFont font = Platno->font();
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
    if (font.family().contains(QLatin1String("Arial")) && Velikost <= 24)
        return RoundHalfEven(i * kDelsiTeckyArialu);
    return i;
}

QString LayoutEngine::RadaTecek(int x1, int x2) const {
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

QString CeskyPocet(int n, const char* jeden, const char* dva, const char* pet) {
    const char* slovo = n == 1 ? jeden : n >= 2 && n <= 4 ? dva : pet;
    return QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(slovo);
}

QString OrizniKonec(const QString& text) {
    int n = int(text.size());
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

int LayoutEngine::MistoZlomu(const QString& text, int x1, int x2) const {
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

int LayoutEngine::ZlomVMiste(const QString& text, int x1, int x2) const {
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

QString LayoutEngine::ZuzeneMezery(const QString& text, int sirka) const {
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

QString ZvolenePismo(const QString& name, const QString& suffix) {
    const QString base = name == QLatin1String("Courier New") || name == QLatin1String("Courier")
                             ? QStringLiteral("Courier New")
                             : QStringLiteral("Arial");
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

QString LayoutEngine::ZvolenePismo(const QString& name) const {
    return urn::ZvolenePismo(name, m_priponaPisma);
}

void LayoutEngine::NastavPismo(const QString& name) {
    // Text takes its colour from the pen, and every pen of the printouts is
    // black: the pen is left as it is, so that a line pen chosen with Pero
    // before a change of font still draws the next frame.
    QPainter* p = Platno;
    QFont f = p->font();
    f.setFamily(ZvolenePismo(name));
    zmenPismo(*p, f);
}

void LayoutEngine::NastavVelikost(int size) {
    Velikost = size;
    QFont f = Platno->font();
    f.setPixelSize(VyskaPisma(size));
    zmenPismo(*Platno, f);
}

// ---------------------------------------------------------------- drawing

void LayoutEngine::NastavStyl(const QString& style) {
    QPainter* p = Platno;
    QFont f = p->font();
    pouzijStyl(f, style);
    zmenPismo(*p, f);
}

void LayoutEngine::Hvezdicka(int x, int y) {
    NastavVelikost(15);
    kresliText(x, y, QStringLiteral("*)"));
    NastavVelikost(VelNormal);
}

void LayoutEngine::DveHvezdicky(int x, int y) {
    NastavVelikost(15);
    kresliText(x, y, QStringLiteral("**)"));
    NastavVelikost(VelNormal);
}

void LayoutEngine::TiskNaStred(int lines, int x1, int x2, const QString& text, const QString& style,
                               int dy) {
    posunRadku(lines);
    int y = AktY + dy;
    if (dy == 0 || y <= 0)
        y = AktY;
    NastavStyl(style);
    const int x = x1 + (x2 - x1) / 2 - SirkaTextu(text) / 2;
    kresliText(x, y, text);
    NastavStyl(QString());
}

void LayoutEngine::TiskStylem(int lines, int x, int dy, const QString& text, const QString& style) {
    posunRadku(lines);
    const int y = AktY + dy;
    NastavStyl(style);
    kresliText(x, y, text);
    NastavStyl(QString());
}

void LayoutEngine::TiskText(int lines, int x, int y, const QString& text) {
    posunRadku(lines);
    const int aktY = AktY;
    const int yy = y == 0 ? aktY : y < 0 ? aktY + y : y;
    kresliText(x, yy, text);
}

void LayoutEngine::TiskVpravo(int lines, int x, int y, const QString& text) {
    posunRadku(lines);
    const int aktY = AktY;
    const int yy = y == 0 ? aktY : y < 0 ? aktY + y : y;
    kresliText(x - SirkaTextu(text), yy, text);
}

void LayoutEngine::TiskDoMista(int x, int dy, int sirka, const QString& text, const QString& style,
                               std::initializer_list<int> velikosti) {
    QPainter* p = Platno;
    if (!p || text.isEmpty() || velikosti.size() == 0)
        return;
    const QFont predtim = p->font();
    const int velikostPredtim = Velikost;
    NastavStyl(style);
    NastavVelikost(*velikosti.begin());
    int sirkaTextu = SirkaTextu(text);
    int posun = 0;
    if (sirkaTextu > sirka) {
        const int ascent = QFontMetrics(p->font(), &m_mereni).ascent();
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
        posun = ascent - QFontMetrics(p->font(), &m_mereni).ascent();
    }
    kresliText(x, AktY + dy + posun, text);
    zmenPismo(*p, predtim);
    Velikost = velikostPredtim;
}

void LayoutEngine::Pero(int width, Qt::PenStyle style) {
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
    QPainter* p = Platno;
    if (pen != p->pen())
        p->setPen(pen);
}

void LayoutEngine::Cara(int x1, int y1, int x2, int y2) {
    Platno->drawLine(x1, y1, x2, y2);
}

void LayoutEngine::Lomena(std::initializer_list<QPoint> body) {
    const QPolygon polygon{QList<QPoint>(body)};
    Platno->drawPolyline(polygon);
}

void LayoutEngine::Elipsa(int x1, int y1, int x2, int y2) {
    QPainter* p = Platno;
    p->save();
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -1, -1));
    p->restore();
}

void LayoutEngine::Obdelnik(int x1, int y1, int x2, int y2) {
    QPainter* p = Platno;
    p->save();
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized().adjusted(0, 0, -1, -1));
    p->restore();
}

} // namespace urn
