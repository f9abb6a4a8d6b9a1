#pragma once

#include <QColor>
#include <QString>

class QFont;
class QLabel;
class QWidget;

namespace urn {

// The windows are laid out in pixels. A label with its top-left corner at
// (x, y), as wide as its text.
QLabel* addLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font,
                 const QColor& colour = Qt::black);

// The colour of a label's (or any widget's) text.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace urn
