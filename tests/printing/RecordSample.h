#pragma once

// A full record of the sample station for the record printout: sections I to
// III filled, parties marked with their votes and preferential votes, the
// names of the commission and a check run with passable errors and warnings.
// Used by the tests, the benchmark and the printout harness.

#include <QList>
#include <QString>

namespace urn {
struct PrecinctSession;
}

namespace urn::test {

struct VzorZapisu {
    QList<int> strany = {1, 2, 5, 20, 21, 30}; // marked parties
    int clenu = 7;                             // names of the other members
};

// The reference tables the printout reads, written into a program
// directory: OKRSKY.RCD with the sample station's municipality and STRANY.RCD
// with 30 parties (some with long names); the session's party list is
// loaded.
void zapisTabulkyZapisu(const QString& programDir, PrecinctSession& session);

// The session's record: record type 1, the sheets of the marked parties
// with their control numbers, the closing record, sections I and III, the
// commission's names, and the protocol of a check run with the findings 5,
// 11, 92 and 96 (over the program's catalogue, created here).
void vzorovyZapis(PrecinctSession& session, const VzorZapisu& vzor = {});

// A member's name of the commission, k from 1.
QString jmenoClena(int k);

} // namespace urn::test
