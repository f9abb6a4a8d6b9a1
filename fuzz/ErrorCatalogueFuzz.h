#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through the error catalogue CISCHYB.RCD beside the program
// and the protocol over it. Input: a byte of choices (bit 0 no file, bit 1
// the file name in lower case, bit 7 the number looked up taken from the next
// four bytes rather than from a record), a byte choosing the record, four
// bytes of a number, a byte giving how many findings to add (at most 16, each
// from three bytes: party, error number, parameter length, and the parameter
// bytes), then the file.
// The catalogue must hold every whole record in file order and find the first
// entry of a number; the protocol must stay sorted and give each finding the
// catalogue's text. Errors the store reports are expected; returns false when
// an invariant breaks.
bool runErrorCatalogueInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
