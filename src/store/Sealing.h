#pragma once

// Sealed files. A precinct data file never lies readable on disk: its content
// is packed into a small compression container, and the container is
// encrypted with Blowfish in CFB-8 mode and written out as Base64 text.
//
// Container (integers 32-bit little-endian, signed):
//   version 1 | name length N | min(N, 255) name bytes | content size S | zlib stream
// We always store the 8-byte name "data.dmp", so our header is 20 bytes.
//
// Sealed text: Base64 of the cipher text, CR LF after every 76th character.
// The cipher text is the container rounded up to a whole number of 8-byte
// blocks; the filler carries no meaning because the size field ends the
// content.
//
// Every failure raises InOutError (a file problem, a damaged or wrongly keyed
// file) or UrnariumError (a key of the wrong length) with a Czech text that
// names the file.

#include <QByteArray>
#include <QString>

namespace urn {

// The key of the precinct data files.
inline constexpr const char* kKlicDatovychSouboru = "Q7m#Xr2/vK9*pL4w";

// The temporary files of the store and load chains.
inline constexpr const char* kDataTemp = "data.temp";
inline constexpr const char* kDataComp = "data.comp";

inline constexpr int kContainerVersion = 1;
inline constexpr const char* kContainerName = "data.dmp";
inline constexpr int kContainerHeaderSize = 20;
// Readers take at most this many name bytes, whatever the name length says.
inline constexpr int kContainerMaxName = 255;
inline constexpr int kBase64LineLength = 76;

// Limits that keep a damaged or hostile file from making us allocate or write
// without bound. Our own files stay far below them: a full precinct line is
// about 31 KiB.
inline constexpr qint64 kMaxUnpackedSize = 64LL * 1024 * 1024;
inline constexpr qint64 kMaxSealedFileSize = 96LL * 1024 * 1024;

// ---- in memory ----

// Packs `content` into a container.
QByteArray packContainer(const QByteArray& content);
// Unpacks a container. `source` names the file for messages. A container that
// is damaged, claims a size above `maxSize`, or ends early raises InOutError.
QByteArray unpackContainer(const QByteArray& container, const QString& source,
                           qint64 maxSize = kMaxUnpackedSize);

// Seals bytes (normally a container) with the key into Base64 text.
QByteArray sealBytes(const QByteArray& plain, const QByteArray& key);
// Unseals Base64 text; the result keeps the filler of the last block.
// Text that is not Base64 raises InOutError naming `source`.
QByteArray unsealBytes(const QByteArray& text, const QByteArray& key, const QString& source);

// Base64 with CR LF after every 76th character (also after the last one when
// the length is a multiple of 76).
QByteArray toBase64Lines(const QByteArray& bytes);
// Decodes such text, skipping CR and LF. Returns false on anything that is not
// Base64; `badOffset` then gets the offset of the first offending byte, or
// the text's length when the text ends in the middle of a group.
bool fromBase64Lines(const QByteArray& text, QByteArray& bytes, qsizetype* badOffset = nullptr);

// ---- file to file ----
// Each opens its input for reading, creates or overwrites its output, and
// closes both before it returns. An operation that fails removes its
// incomplete output.

void Zabal(const QString& input, const QString& output);
void Rozbal(const QString& input, const QString& output);
// The sealed output replaces the old file crash-safely (flushed to disk).
void Zapecet(const QString& input, const QString& output, const QByteArray& key);
void Odpecet(const QString& input, const QString& output, const QByteArray& key);

// As Rozbal, with a limit on the unpacked size and the file to name in
// messages (the load chain names the data file, not its temporary copy).
void rozbalSoubor(const QString& input, const QString& output, qint64 maxSize,
                  const QString& source);
// As Odpecet, naming `source` in messages.
void odpecetSoubor(const QString& input, const QString& output, const QByteArray& key,
                   const QString& source);

// ---- chains ----
// `dir` is the configuration directory (ending with "/").

// Store: content → container (as Zabal) → sealed text (as Zapecet) → target,
// written crash-safely. The steps run in memory; `dir` is where the
// intermediate files data.temp and data.comp would lie, which the chain no
// longer writes.
void storeSealed(const QString& dir, const QString& target, const QByteArray& content,
                 const QByteArray& key);
// Load: source → unsealed container (as Odpecet) → content (as Rozbal).
QByteArray loadSealed(const QString& dir, const QString& source, const QByteArray& key,
                      qint64 maxSize = kMaxUnpackedSize);
// Removes dir/data.temp and dir/data.comp where they exist.
void removeChainTemporaries(const QString& dir);

} // namespace urn
