#include "ui/CellTextLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace urn {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Breaks a line that is wider than `avail` at the last run of blanks (seen
// from its end) after which the part before the blanks fits; the rest,
// trimmed, is the next line and is broken the same way. A line that has no
// such run stays whole: the column grows for it when sizing is on.
void wrapLine(QString line, const QFontMetrics& fm, int avail, QStringList& out) {
    for (;;) {
        if (fm.horizontalAdvance(line) <= avail) {
            out << line;
            return;
        }
        bool broken = false;
        for (qsizetype i = line.size() - 1; i > 0 && !broken; --i) {
            if (!isBlank(line.at(i)))
                continue;
            const qsizetype runEnd = i + 1;
            while (i > 0 && isBlank(line.at(i - 1)))
                --i;
            const qsizetype runStart = i;
            if (runStart > 0 && fm.horizontalAdvance(line.left(runStart)) <= avail) {
                out << line.left(runStart);
                line = line.mid(runEnd).trimmed();
                broken = true;
            }
        }
        if (!broken) {
            out << line;
            return;
        }
        if (line.isEmpty())
            return;
    }
}

} // namespace

QRect zcftext(QPainter* canvas, const QString& text, const QRect& rect, const TCellStyle& style,
              bool wordWrap, bool sizingWidth, bool sizingHeight) {
    const QFontMetrics fm(style.Font);
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    QStringList lines;
    for (QString line : plain.split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            line = QStringLiteral(" ");
        if (wordWrap)
            wrapLine(line, fm, rect.width() - kIndentH, lines);
        else
            lines << line;
    }
    const int lineHeight = fm.height();
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    const int height = lineHeight * int(lines.size());

    QRect result = rect;
    if (sizingWidth && width + kIndentH > rect.width())
        result.setWidth(width + kIndentH);
    if (sizingHeight && height > rect.height())
        result.setHeight(height);
    if (!canvas)
        return result;

    const int top = rect.top() + (rect.height() - height) / 2;
    canvas->save();
    canvas->setClipRect(rect, Qt::IntersectClip);
    canvas->setFont(style.Font);
    for (int i = 0; i < lines.size(); ++i)
        canvas->drawText(rect.left() + kIndentH, top + i * lineHeight + fm.ascent(), lines.at(i));
    canvas->restore();
    return result;
}

} // namespace urn
