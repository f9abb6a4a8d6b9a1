#pragma once

// Replays a recorded page into a device that notes what was drawn: texts
// with their cell's top-left corner and font, and lines. Tests ask about the
// printout's content and positions instead of pixels.

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <memory>

class QPicture;

namespace urn::test {

struct DrawnText {
    QString text;
    QPointF topLeft; // baseline point minus the font's ascent
    QFont font;
    int right() const; // x where the text ends
};

struct DrawnPage {
    QList<DrawnText> texts;
    QList<QLineF> lines;
    QList<QRectF> rects;
    QList<QRectF> ellipses;
    // The pen width each line and rectangle was drawn with (same order).
    QList<qreal> lineWidths;
    QList<qreal> rectWidths;

    // The texts in drawing order.
    QStringList strings() const;
    // The first text equal to / starting with / containing `s`, or nullptr.
    const DrawnText* find(const QString& s) const;
    const DrawnText* findStarting(const QString& s) const;
    const DrawnText* findContaining(const QString& s) const;
    int count(const QString& s) const;
};

DrawnPage drawnPage(const QPicture& picture);

} // namespace urn::test
