#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through KOMISE.RCD, the names of the commission members, in
// the data directory. Input: a byte of choices (bit 0 no file, bit 1 the
// file name in lower case, bit 2 a name added before saving, bit 3 that name
// added three hundred times, bit 4 the file repeated to more than 255
// records), a length byte and that many bytes of the added name, then the
// file. NactiKomise must load at most 255 names or refuse the file leaving
// the names in memory as they were; KomiseNeniPrazdna must agree with the
// file; the names UlozKomise writes must read back the same (the first 255,
// each cut to the field). Errors the store reports are expected; returns
// false when an invariant breaks.
bool runCommissionInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
