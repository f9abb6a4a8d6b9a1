#pragma once

// Sections I and III of the record: the single record of HLASO.RCD.

#include "store/PrecinctRecord.h"

#include <QByteArray>

namespace urn {

inline constexpr int kHlasoSize = 1194;

// Sections I and III in HLASO.RCD of the data directory. A missing file
// loads as an empty record; UlozHlaso replaces the file crash-safely.
void NactiHlaso(THlaso& hlaso);
void UlozHlaso(const THlaso& hlaso);
QByteArray hlasoToBytes(const THlaso& hlaso);
THlaso hlasoFromBytes(const QByteArray& record);

} // namespace urn
