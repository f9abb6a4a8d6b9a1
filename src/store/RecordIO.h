#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace urn {

// Building blocks of the fixed-layout record files: short strings (a length
// byte and at most `capacity` Windows-1250 characters) and 32-bit
// little-endian signed integers at fixed offsets of a record.

// Reads a short string. A length byte above the capacity is treated as the
// capacity: a damaged byte must not make us read a neighbouring field.
QString getShortString(const QByteArray& record, int offset, int capacity);
// Writes a short string cut to the capacity; the unused rest is zeroed.
void putShortString(QByteArray& record, int offset, int capacity, const QString& value);
// As putShortString, but leaves the bytes alone when they already hold the
// value, so that a record read and written back stays byte for byte the same.
void updateShortString(QByteArray& record, int offset, int capacity, const QString& value);
qint32 getInt32(const QByteArray& record, int offset);
void putInt32(QByteArray& record, int offset, qint32 value);

// The bare file name of a path, for messages.
QString fileNameOf(const QString& path);
// The path in Czech quotation marks, for messages.
QString quotedPath(const QString& path);

// Reads a whole typed file of fixed-size records. A missing or unreadable
// file, or one whose size is not a whole number of records, raises InOutError
// with a Czech text naming the file.
QList<QByteArray> readRecords(const QString& path, int recordSize);
// The whole file, checked to be a whole number of records, for lookups that
// scan the raw records and decode only the one they need.
QByteArray readRecordBytes(const QString& path, int recordSize);
// The raw bytes of the short string at `offset` of a record (length byte
// bounded as getShortString bounds it).
QByteArrayView rawShortString(const char* record, int recordSize, int offset, int capacity);

// A short-string key for comparing raw records: the text in the code page,
// when the text survives the code page unchanged (otherwise no record can
// hold it byte for byte and comparisons go through decoding).
struct RawKey {
    explicit RawKey(const QString& text);
    bool exact = false; // `bytes` stand for the text exactly
    QByteArray bytes;
    QString text;
    // Whether the short string at `offset` equals the text.
    bool matches(const char* record, int recordSize, int offset, int capacity) const;
};

// Reads the first record; a file shorter than one record raises InOutError.
QByteArray readFirstRecord(const QString& path, int recordSize);
// The whole content of a file; a missing or unreadable file raises InOutError.
QByteArray readFileBytes(const QString& path);
// Raises InOutError naming the file when `content` is shorter than one record.
void requireOneRecord(const QByteArray& content, const QString& path, int recordSize);

// Crash-safe replacement of a file's content: a temporary file in the same
// directory is written, flushed to disk and renamed over the target, so a
// power cut leaves either the old or the new content. Raises InOutError.
void writeFileAtomically(const QString& path, const QByteArray& content);
// Whether writeFileAtomically forces the data to the disk (fsync). Always on
// in the program; benchmarks switch it off to measure the rest.
void setSyncToDisk(bool enabled);
bool syncToDisk();

// Removes a file so that the removal itself survives a power cut: the
// directory is synced afterwards. Otherwise an old data file could come
// back beside the new one that replaced it. Returns false when the file
// exists and cannot be removed (QFile's error text in `why`).
bool removeFileDurably(const QString& path, QString* why = nullptr);
// The same, raising InOutError naming the file when it cannot go.
void removeFileDurablyOrFail(const QString& path);

// The steps of durable writes and removals, in the order they happen, for
// tests that must prove the order: "write" (the temporary file is complete),
// "fsync" (the file is on disk), "rename" (it replaced the target),
// "dirsync" (the directory entry is on disk), "unlink" (a file removed).
// `path` is the target file, or the directory for "dirsync".
using FileStepObserver = std::function<void(const char* step, const QString& path)>;
void setFileStepObserver(FileStepObserver observer);

// Converts a number text the way the record files hold them: leading blanks,
// an optional sign and decimal digits, nothing else, within 32 bits.
bool tryStrToInt(const QString& text, qint32& value);
// The same rules over code-page bytes (digits, blanks and signs are ASCII).
bool tryBytesToInt(QByteArrayView bytes, qint32& value);
// As tryStrToInt, raising ConvertError "'%s' is not a valid integer value".
qint32 strToInt(const QString& text);
// A number field of record `recordNo` (from 1) of a reference file; a text
// that is not a number raises ConvertError naming the file, record and field.
qint32 fieldToInt(const QString& text, const QString& path, int recordNo, const char* field);
// The number, or `fallback` when the text is not one.
qint32 strToIntDef(const QString& text, qint32 fallback);

} // namespace urn
