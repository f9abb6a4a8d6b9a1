#pragma once

// What the last second entry found. After another member of the commission
// has typed the numbers of the record a second time and the program has
// compared them with the saved record, this small file keeps the outcome and
// a digest of the values compared, so that the main window can tell, also
// after a restart, whether the saved record is still the one both entries
// agreed on.
//
// It lies in the configuration directory under a name of its own, never
// that of a data file, so the export never takes it and the receiving point
// never sees it. It is sealed like a data file; its content:
//
//   URNARIUM KONTROLNI ZADANI 1
//   Obec=582786         the precinct whose record was compared
//   Okrsek=2
//   Rozdilu=0           how many values differed (0: the entries agree)
//   Otisk=<64 hex>      SHA-256 of the compared values of the saved record
//   KONEC

#include "store/PrecinctRecord.h"

#include <QByteArray>
#include <QString>

namespace urn {

inline constexpr const char* kSecondEntryFileName = "KZADANI.DAT";
// The digest is SHA-256: 32 bytes.
inline constexpr int kSecondEntryDigestSize = 32;

struct SecondEntryState {
    TAktOkrsek okrsek;
    int rozdilu = 0;
    QByteArray otisk;
};

// The file's content, and the state from a content; a content that is not a
// whole state raises InOutError naming `source`.
QByteArray secondEntryContent(const SecondEntryState& state);
SecondEntryState parseSecondEntryContent(const QByteArray& content, const QString& source);

// KZADANI.DAT in the configuration directory (matched regardless of case).
QString secondEntryStatePath();
bool secondEntryStateExists();
// Seals the content and replaces the file crash-safely. Raises InOutError.
void writeSecondEntryState(const SecondEntryState& state);
// Reads, unseals and parses the file; a missing, unreadable or damaged file
// raises InOutError naming it.
SecondEntryState readSecondEntryState();
// Removes the file durably; raises InOutError when it exists and cannot go.
void removeSecondEntryState();

} // namespace urn
