#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through the reader of the data-entry window's recovery copy
// (OBNOVA.DAT in the configuration directory). The first byte chooses:
//   bit 0 clear: the rest is the file as it lies on disk (sealed);
//   bit 0 set:   the rest is the copy's content, written by the real writer;
//   bit 1:       the file is named in lower case, as a copy carried over
//                from a case-insensitive disk may be.
// A copy that is refused leaves every file as it was; a copy that is read
// writes again to a content that reads back the same, through the file.
// Returns false when an invariant breaks.
bool runRecoveryCopyInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
