#pragma once

#include <QFont>
#include <QStringList>

namespace urn {

// Arial in a pixel size, as the windows are laid out in pixels. On Linux the
// name resolves to the metric-compatible Liberation Sans.
QFont arialFont(int pixelSize, bool bold = false);
// Courier New in a pixel size (Liberation Mono on Linux): columns of digits
// that line up.
QFont courierFont(int pixelSize, bool bold = false);

// Tahoma in a pixel size. Where Tahoma (or Wine's metric clone of it) is not
// installed, Liberation Sans stands in: its advance widths lie within a few
// per cent of Tahoma's, so texts laid out for Tahoma still fit.
QFont tahomaFont(int pixelSize, bool bold = false);

// `families` from the first one that is installed on (or else as given).
// The font system searches the fallbacks of every missing face it is asked
// for first, a millisecond or two for each font a window uses.
QStringList installedFamilies(const QStringList& families);

} // namespace urn
