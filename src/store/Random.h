#pragma once

#include <QtGlobal>

namespace urn {

// The program's one random-number generator (its numbers go into the closing
// record). Seeded from the clock once at start.
void seedRandomFromClock();
// A number from 0 to bound - 1.
quint32 randomBelow(quint32 bound);

} // namespace urn
