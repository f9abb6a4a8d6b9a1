#pragma once

#include <QIcon>

namespace urn {

// The green tick of an OK button, drawn rather than taken from the icon
// theme, which a bare desktop may not have.
QIcon okGlyph();
// The red cross of a cancel button.
QIcon cancelGlyph();

} // namespace urn
