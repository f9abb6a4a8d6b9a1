#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through HLASO.RCD, sections I and III of the record, in the
// data directory: the input (after one byte of choices) is the file.
// NactiHlaso must load its first record (a missing file as an empty record)
// or refuse the file leaving the record in memory as it was; UlozHlaso must
// write one record that reads back the same, leaving no temporary file.
// Errors the store reports are expected; returns false when an invariant
// breaks.
bool runSectionsFileInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
