#pragma once

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Runs one input through the reference tables beside the program: the
// precinct list OKRSKY.RCD with the special precincts QZRZVO.RCD
// (NajdiOkrsek, ExistujeObec), the party list STRANY.RCD (NactiStrany,
// PocetKandidatu), the candidates KANDIDAT.RCD (NactiKandidaty) and the
// expected voters QZRVOK.RCD (OcekavaniVolici).
//
// Input: a byte of choices (bits 0-2 the table, 3 the spelling of the file
// names, 4 and 5 a missing first or second file, 6 the first file repeated
// to a long list), a byte choosing the looked-up municipality (bit 7: the
// special one; else the municipality of a record of the file) and precinct
// (bit 6: from that record, else the next four bytes), two bytes giving the
// length of the first file, the first file, and the second file.
//
// Every answer is compared with one worked out here from the records as
// decoded field by field, so that a faster lookup cannot drift from what the
// tables say; a refused load must leave the table of the previous load as it
// was, and every record must read back the same after being written. Errors
// the store reports are expected when the reference also refuses; returns
// false when an answer or an invariant differs.
bool runReferenceTablesInput(const uint8_t* data, size_t size);

} // namespace urn::fuzz
