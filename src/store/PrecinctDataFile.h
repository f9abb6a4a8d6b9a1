#pragma once

#include "store/PrecinctRecord.h"

#include "core/Errors.h"

#include <QList>
#include <QVariant>

namespace urn {

// ---- the precinct data file ----
//
// One line of fixed-width fields: record type 1, the block of every ticked
// party in ascending party number, the closing record and, in files of kinds
// other than "O", one record per member name. Numbers are right-aligned and
// padded with blanks, texts left-aligned and padded with blanks. The line is
// stored packed and sealed (Sealing.h). Which kind of file exists tells the
// state of the precinct's data.

inline constexpr char kKindE = 'E'; // entered, or checked with errors that block the export
inline constexpr char kKindO = 'O'; // checked without blocking errors; the file exported
inline constexpr char kKindP = 'P'; // never written by us; every save deletes it

inline constexpr int kLineT2 = 101;
inline constexpr int kLineStrana = 168;
inline constexpr int kLineTS = 276;
inline constexpr int kLineClen = 214;
inline constexpr int kJmenoClenaWidth = 200;
// The longest line we write: every party ticked and all 99 member names.
inline constexpr int kMaxLine =
    kLineT2 + kLineStrana * kPocetStranVeZaznamu + kLineTS + kLineClen * kPocetClenu;

// A value that does not fit the width of its field in the data file. Saving
// refuses the whole record rather than write a line whose later fields would
// shift; the data file already on disk stays as it was.
class FieldWidthError : public UrnariumError {
public:
    using UrnariumError::UrnariumError;
};

struct OverWideField {
    QString where; // "záznam T/2", "strana 5", "uzavírací věta"
    QString field; // e.g. "PlatneHlasy", "PrefHlasy[3]"
    QString value; // the value as it would be written
    int width = 0;
};

// The bare file name of a kind for a precinct: kind + "E" + Obec + "." and
// the precinct number in five digits, e.g. "OE532053.00001". A municipality
// code that could leave the data directory raises InOutError.
QString dataFileName(char kind, const TAktOkrsek& okrsek);
// The file of a kind for the precinct in the data directory, matched
// regardless of case.
QString dataFilePath(char kind, const TAktOkrsek& okrsek);
bool dataFileExists(char kind, const TAktOkrsek& okrsek);
// Deletes the file of a kind for the precinct (every spelling of its name);
// raises InOutError when one exists and cannot be deleted.
void removeDataFile(char kind, const TAktOkrsek& okrsek);

// Loads the precinct's data file of the kind into `record`: record type 1,
// the party blocks and the closing record are cleared first and stay cleared
// when the file does not exist or cannot be read; for kinds other than "O"
// the member names are replaced by those of the file. Stray temporary files
// of the chain are removed in every case.
void NactiData(char kind, const TAktOkrsek& okrsek, TPrecinctRecord& record);
// Reads the data file at `path` as NactiData reads the file of its kind,
// wherever it lies (the receiving point's copies): record types 1 to 3 of
// `record` are cleared, the file is unsealed and unpacked in memory and its
// first line parsed, for kinds other than "O" with the member names. Returns
// that line. A file that cannot be read or is damaged raises InOutError, a
// line that does not parse ConvertError; record types 1 to 3 then stay
// cleared.
QByteArray readDataFile(const QString& path, char kind, TPrecinctRecord& record);
// Stores `record` as the precinct's data file of the kind. The new file is
// complete and on disk before the files of kinds "P" and "E" (other than the
// one just written) are deleted. A value wider than its field raises
// FieldWidthError before anything is written.
void UlozData(char kind, const TAktOkrsek& okrsek, const TPrecinctRecord& record);
// Stores `record` as the precinct's only data file: UlozData of the kind,
// then the file of kind "O" removed when the kind is another. The new file is
// on disk before the old one goes, and each removal is synced, so a power cut
// never leaves the precinct without data nor brings an older "O" file back
// beside a newer "E" file.
void storeDataFileOfKind(char kind, const TAktOkrsek& okrsek, const TPrecinctRecord& record);

// The data file line of a record. Kinds other than "O" carry the member
// names. Raises FieldWidthError listing every over-wide value.
QByteArray recordToLine(const TPrecinctRecord& record, char kind);
// Every value of the record that the line of the kind could not hold.
QList<OverWideField> overWideFields(const TPrecinctRecord& record, char kind);
// Parses a data file line into `record`: record type 1, the ticked parties'
// blocks, the closing record, and for kinds other than "O" the member names
// (emptied first). A number field that is not a number raises ConvertError
// "'%s' is not a valid integer value"; `record` is then partly filled.
void lineToRecord(const QByteArray& line, char kind, TPrecinctRecord& record);

// The fields of one record type in line order, with their values: numbers as
// qint64, reals as double, texts as QString. PrefHlasy appears 28 times with
// `index` 1..28.
struct LineFieldValue {
    const char* name;
    int index = 0;
    int width = 0;
    QVariant value;
};
QList<LineFieldValue> lineFields(const TVetaT2& t2);
QList<LineFieldValue> lineFields(const TStranaVysl& strana);
QList<LineFieldValue> lineFields(const TVetaTS& ts);

// Sets the field that lineFields calls `name` (PrefHlasy with its `index`)
// from the text of its value: decimal for a number field, the text itself
// for a text field. No width of the line applies, so a file of our own can
// hold whatever the record holds. False, and the record unchanged, for a
// field the record type does not have or a text its type cannot hold.
bool setLineField(TVetaT2& t2, QByteArrayView name, int index, const QString& text);
bool setLineField(TStranaVysl& strana, QByteArrayView name, int index, const QString& text);

} // namespace urn
