#include "PageBounds.h"

#include <QFontMetricsF>

namespace urn::test {

namespace {

// Rounding of page units; anything more is a text out of its place.
constexpr double kTolerance = 1.0;

// A run of dots that the commission or a value fills in.
struct Leader {
    const DrawnText* text;
    double x1;
    double x2;
    double baseline;
};

double baselineOf(const DrawnText& t) {
    return t.topLeft.y() + QFontMetricsF(t.font).ascent();
}

QList<Leader> leaders(const DrawnPage& page) {
    QList<Leader> r;
    for (const DrawnText& t : page.texts) {
        const QFontMetricsF fm(t.font);
        qsizetype i = 0;
        while (i < t.text.size()) {
            if (t.text.at(i) != QLatin1Char('.')) {
                ++i;
                continue;
            }
            qsizetype j = i;
            while (j < t.text.size() && t.text.at(j) == QLatin1Char('.'))
                ++j;
            if (j - i >= 4)
                r.append({&t, t.topLeft.x() + fm.horizontalAdvance(t.text.left(i)),
                          t.topLeft.x() + fm.horizontalAdvance(t.text.left(j)), baselineOf(t)});
            i = j;
        }
    }
    return r;
}

QString describe(const DrawnText& t, const QRectF& ink) {
    return QStringLiteral("\"%1\" at (%2, %3), ink %4..%5 x %6..%7")
        .arg(t.text.trimmed().left(60))
        .arg(t.topLeft.x())
        .arg(t.topLeft.y())
        .arg(ink.left())
        .arg(ink.right())
        .arg(ink.top())
        .arg(ink.bottom());
}

bool crosses(const QLineF& line, const QRectF& box) {
    const QRectF inner = box.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
    if (inner.isEmpty())
        return false;
    // The lines of the printouts run across or down the page.
    if (line.y1() == line.y2())
        return line.y1() > inner.top() && line.y1() < inner.bottom() &&
               qMax(line.x1(), line.x2()) > inner.left() &&
               qMin(line.x1(), line.x2()) < inner.right();
    if (line.x1() == line.x2())
        return line.x1() > inner.left() && line.x1() < inner.right() &&
               qMax(line.y1(), line.y2()) > inner.top() &&
               qMin(line.y1(), line.y2()) < inner.bottom();
    return false;
}

// The underline or strike-out of a decorated text on the page: the painter
// draws it as a line of its own.
bool isDecoration(const QLineF& line, const DrawnPage& page) {
    if (line.y1() != line.y2())
        return false;
    for (const DrawnText& t : page.texts) {
        if (!t.font.underline() && !t.font.strikeOut())
            continue;
        const QFontMetricsF fm(t.font);
        if (qAbs(qMin(line.x1(), line.x2()) - t.topLeft.x()) <= kTolerance &&
            qMax(line.x1(), line.x2()) <=
                t.topLeft.x() + fm.horizontalAdvance(t.text) + kTolerance &&
            line.y1() >= t.topLeft.y() && line.y1() <= t.topLeft.y() + fm.height())
            return true;
    }
    return false;
}

QList<QLineF> linesOf(const DrawnPage& page) {
    QList<QLineF> lines;
    for (const QLineF& l : page.lines)
        if (!isDecoration(l, page))
            lines << l;
    for (const QRectF& r : page.rects) {
        lines << QLineF(r.topLeft(), r.topRight()) << QLineF(r.bottomLeft(), r.bottomRight())
              << QLineF(r.topLeft(), r.bottomLeft()) << QLineF(r.topRight(), r.bottomRight());
    }
    return lines;
}

} // namespace

QRectF inkOf(const DrawnText& text) {
    const QFontMetricsF fm(text.font);
    const double baseline = baselineOf(text);
    // Blanks around the text leave no ink.
    qsizetype first = 0;
    while (first < text.text.size() && text.text.at(first).isSpace())
        ++first;
    const QString glyphs = text.text.mid(first).trimmed();
    const double x = text.topLeft.x() + fm.horizontalAdvance(text.text.left(first));
    QRectF ink = fm.tightBoundingRect(glyphs).translated(x, baseline);
    if (text.font.underline() || text.font.strikeOut()) {
        const double y =
            baseline - (text.font.strikeOut() ? fm.strikeOutPos() : -fm.underlinePos());
        ink |= QRectF(text.topLeft.x(), y, fm.horizontalAdvance(text.text), fm.lineWidth());
    }
    return ink;
}

QStringList textsOutOfPlace(const DrawnPage& page, const QRectF& area) {
    QStringList faults;
    const QList<QLineF> lines = linesOf(page);
    const QList<Leader> dots = leaders(page);
    for (const DrawnText& t : page.texts) {
        if (t.text.trimmed().isEmpty())
            continue;
        const QRectF ink = inkOf(t);
        if (ink.left() < area.left() - kTolerance || ink.right() > area.right() + kTolerance ||
            ink.top() < area.top() - kTolerance || ink.bottom() > area.bottom() + kTolerance)
            faults << QStringLiteral("outside the printable area: ") + describe(t, ink);
        for (const QLineF& l : lines)
            if (crosses(l, ink)) {
                faults << QStringLiteral("crosses the line (%1, %2)-(%3, %4): ")
                                  .arg(l.x1())
                                  .arg(l.y1())
                                  .arg(l.x2())
                                  .arg(l.y2()) +
                              describe(t, ink);
                break;
            }
        for (const QRectF& circle : page.ellipses)
            if (circle.intersects(ink) &&
                !circle.adjusted(-kTolerance, -kTolerance, kTolerance, kTolerance).contains(ink))
                faults << QStringLiteral("crosses a circle: ") + describe(t, ink);
        // A value set onto a dotted line stands a little above the dots and
        // must not run past them (into the form's words or the margin).
        const bool leader = t.text.trimmed().count(QLatin1Char('.')) == t.text.trimmed().size();
        for (const Leader& d : leader ? QList<Leader>() : dots) {
            if (d.text == &t)
                continue;
            const double above = d.baseline - baselineOf(t);
            if (above < 3 || above > 30 || ink.right() <= d.x1 || ink.left() >= d.x2)
                continue;
            if (ink.left() < d.x1 - kTolerance || ink.right() > d.x2 + kTolerance)
                faults
                    << QStringLiteral("runs off its dotted line (%1..%2): ").arg(d.x1).arg(d.x2) +
                           describe(t, ink);
        }
    }
    return faults;
}

} // namespace urn::test
