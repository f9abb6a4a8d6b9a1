#pragma once

// zcftext, the text layout of the colour string grid's cells, with the look
// of a cell (TCellStyle) that it lays the text out by. The grid draws its
// cells and measures the room their texts need with it, and the in-place
// editor places its text with it so that the text does not move when
// editing starts.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace urn {

enum TBorderCellStyle { sgRaised, sgNone };

// The look of the cells of one kind (normal or fixed). FontColor is the
// colour of the font (a Qt font has none of its own). The text stands left
// with kIndentH pixels before it and is centred from top to bottom.
struct TCellStyle {
    QFont Font;
    QColor FontColor = Qt::black;
    QColor BGColor = Qt::black;
    bool WordWrap = false;
    TBorderCellStyle BorderCellStyle = sgNone; // sgRaised: a button's edge

    bool operator==(const TCellStyle&) const = default;
};

// Pixels between a cell's left edge and its text.
inline constexpr int kIndentH = 2;

// Lays a cell's text out in `rect` by the style: lines split at line feeds,
// broken at blanks when wordWrap is on, each line kIndentH from the left, the
// block centred from top to bottom. Draws it with the canvas's pen when a
// canvas is given (clipped to the rectangle, background left alone). Returns
// the rectangle, enlarged by what the text needs beyond it in the directions
// where sizing is on.
QRect zcftext(QPainter* canvas, const QString& text, const QRect& rect, const TCellStyle& style,
              bool wordWrap, bool sizingWidth, bool sizingHeight);

} // namespace urn
