#pragma once

// The recovery copy of the data-entry window. The window writes the record
// to disk only when the page changes or the record is saved; in between,
// this copy keeps what the commission has typed, so that a crash or a power
// cut in the middle of a long page loses nothing.
//
// It lies in the configuration directory under a name of its own, never
// that of a data file, so the export never takes it and the receiving point
// never sees it. It is sealed like a data file, but its content is a list of
// named values that no reader of data files can take for a data line:
//
//   URNARIUM OBNOVA 1
//   Obec=582786            the precinct whose record it is
//   Okrsek=2
//   T2.<field>=<value>     record type 1, every field
//   S<p>.<field>=<value>   the sheet of party p, when it holds anything
//                          (also unticked: unticking keeps the sheet)
//   C<k>=<name>            member name k, when not empty
//   HLASO=<Base64>         sections I and III as HLASO.RCD holds them
//   K=<name>               one per row of the names grid, as shown
//   KONEC
//
// Values are UTF-8, with "\\", "\n" and "\r" escaped by a backslash. Field
// names are those of the data file line; no width of the line applies, so
// the copy holds whatever the record holds. The closing record is not kept:
// every save computes it anew.

#include "store/PrecinctRecord.h"

#include <QDateTime>
#include <QStringList>

#include <optional>

namespace urn {

inline constexpr const char* kRecoveryFileName = "OBNOVA.DAT";

struct RecoveryCopy {
    TAktOkrsek okrsek;
    TPrecinctRecord record; // TS is not kept and stays cleared
    QStringList jmenaKomise;
};

// The copy's content, and the copy from a content; a content that is not a
// whole copy raises InOutError naming `source`.
QByteArray recoveryContent(const TAktOkrsek& okrsek, const TPrecinctRecord& record,
                           const QStringList& jmenaKomise);
RecoveryCopy parseRecoveryContent(const QByteArray& content, const QString& source);

// OBNOVA.DAT in the configuration directory (matched regardless of case).
QString recoveryCopyPath();
bool recoveryCopyExists();
// Seals the content and replaces the copy crash-safely. Raises InOutError.
void writeRecoveryCopy(const QByteArray& content);
// Reads, unseals and parses the copy; a missing, unreadable or damaged copy
// raises InOutError naming the file.
RecoveryCopy readRecoveryCopy();
// Removes the copy durably; raises InOutError when it exists and cannot go.
void removeRecoveryCopy();

// When the copy was last written (invalid when there is none).
QDateTime recoveryCopyTime();
// When the newest data file of the precinct of any kind was written;
// nothing when the precinct has none.
std::optional<QDateTime> newestDataFileTime(const TAktOkrsek& okrsek);
// The copy holds changes the data files do not: it was written after the
// newest of them, or the precinct has none.
bool isNewerThanData(const QDateTime& copy, const std::optional<QDateTime>& data);

} // namespace urn
