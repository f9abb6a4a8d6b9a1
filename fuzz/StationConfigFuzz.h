#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through the station configuration STANICE.RCD: the input
// (after one byte of choices) is the file, in the data directory for
// NactiStanici and in the configuration directory for ZapisStav.
// Checks that a record read writes back byte for byte, that changing one
// field changes only that field's bytes, and that ZapisStav changes only the
// two bytes of the mark (or, refusing the file, none). Errors the store
// reports are expected; returns false when an invariant breaks.
bool runStationConfigInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
