#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through the reading side of the data store: unsealing,
// unpacking and parsing of a data file line (and of an HLASO.RCD record).
// The first byte chooses where the input enters:
//   0: a sealed file as it lies on disk
//   1: a container (sealed here, so that the whole chain runs)
//   2: a plain data file line
//   3: an HLASO.RCD record
// Errors the store reports are expected; anything else is a finding.
// Returns false when a record that was read does not write back to a line
// that reads the same.
bool runDataFileInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
