#pragma once

// Where the texts of a printed page stand: inside the printable area, inside
// the frames and cells drawn around them, and, for the values set onto a
// dotted line, on the dots and not past them.

#include "PageText.h"

#include <QRectF>
#include <QStringList>

namespace urn::test {

// The ink of a text (its glyphs, and the line of an underline or a strike).
QRectF inkOf(const DrawnText& text);

// Every text of the page that leaves `area` (the printout's margins across,
// the sheet's printable part down), crosses a line or a circle drawn on the
// page, or runs off the dotted line it stands on; one description each.
QStringList textsOutOfPlace(const DrawnPage& page, const QRectF& area);

} // namespace urn::test
