#include "store/Sealing.h"

#include "core/Errors.h"
#include "store/Blowfish.h"
#include "store/RecordIO.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <zlib.h>

namespace urn {

namespace {

// Packing and unpacking copy through buffers of this size.
constexpr qint64 kBufferSize = 1024 * 1024;

[[noreturn]] void failDamaged(const QString& source, const QString& detail) {
    throw InOutError(QStringLiteral("Soubor %1 nelze přečíst: je poškozen, neúplný nebo "
                                    "zapečetěný jiným klíčem (%2).")
                         .arg(quotedPath(source), detail));
}

[[noreturn]] void failRead(const QString& path, const QString& why) {
    throw InOutError(QStringLiteral("Chyba při čtení souboru %1: %2").arg(quotedPath(path), why));
}

[[noreturn]] void failWrite(const QString& path, const QString& why) {
    throw InOutError(QStringLiteral("Chyba při zápisu souboru %1: %2").arg(quotedPath(path), why));
}

// A buffer that is not zero-filled first: only what zlib writes is read back.
std::unique_ptr<unsigned char[]> rawBuffer(qint64 size) {
    return std::unique_ptr<unsigned char[]>(new unsigned char[size_t(size)]);
}

QString zlibDetail(const z_stream& zs, int ret) {
    const char* msg = zs.msg ? zs.msg : zError(ret);
    return QStringLiteral("chyba dekomprese: %1").arg(QString::fromLatin1(msg));
}

// Reads exactly `size` bytes or reports a truncated file.
QByteArray readExactly(QIODevice& in, qint64 size, const QString& source, const char* what) {
    const QByteArray bytes = in.read(size);
    if (bytes.size() != size)
        failDamaged(source, QStringLiteral("%1 je neúplná").arg(QString::fromUtf8(what)));
    return bytes;
}

void writeAll(QIODevice& out, const char* data, qint64 size, const QString& path) {
    if (out.write(data, size) != size)
        failWrite(path, out.errorString());
}

// The compression states are kept for the thread and reset for each use:
// setting one up afresh costs more than packing a whole data line, because
// its buffers go back to the system every time.
z_stream& deflater() {
    thread_local struct Holder {
        z_stream zs{};
        bool ready = deflateInit(&zs, Z_DEFAULT_COMPRESSION) == Z_OK;
        ~Holder() {
            if (ready)
                deflateEnd(&zs);
        }
    } holder;
    if (!holder.ready || deflateReset(&holder.zs) != Z_OK)
        throw InOutError(QStringLiteral("Nedostatek paměti pro kompresi dat."));
    // The reset keeps the last use's input pointers, into a buffer long gone.
    holder.zs.next_in = nullptr;
    holder.zs.avail_in = 0;
    return holder.zs;
}

z_stream& inflater() {
    thread_local struct Holder {
        z_stream zs{};
        bool ready = inflateInit(&zs) == Z_OK;
        ~Holder() {
            if (ready)
                inflateEnd(&zs);
        }
    } holder;
    if (!holder.ready || inflateReset(&holder.zs) != Z_OK)
        throw InOutError(QStringLiteral("Nedostatek paměti pro dekompresi dat."));
    holder.zs.next_in = nullptr;
    holder.zs.avail_in = 0;
    return holder.zs;
}

// Writes the container of the `size` bytes that `in` holds to `out`.
void packStream(QIODevice& in, qint64 size, QIODevice& out, const QString& inName,
                const QString& outName) {
    if (size > std::numeric_limits<qint32>::max())
        throw InOutError(QStringLiteral("Soubor %1 je příliš velký na zabalení (%2 B).")
                             .arg(quotedPath(inName))
                             .arg(size));
    QByteArray header(kContainerHeaderSize, '\0');
    putInt32(header, 0, kContainerVersion);
    putInt32(header, 4, qint32(std::strlen(kContainerName)));
    std::memcpy(header.data() + 8, kContainerName, std::strlen(kContainerName));
    putInt32(header, 16, qint32(size));
    writeAll(out, header.constData(), header.size(), outName);

    z_stream& zs = deflater();
    const qint64 inCap = std::clamp<qint64>(size, 1, kBufferSize);
    const qint64 outCap =
        std::clamp<qint64>(qint64(deflateBound(&zs, uLong(inCap))), 64, kBufferSize);
    auto inBuf = rawBuffer(inCap);
    auto outBuf = rawBuffer(outCap);
    qint64 total = 0;
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const qint64 got = in.read(reinterpret_cast<char*>(inBuf.get()), inCap);
        if (got < 0)
            failRead(inName, in.errorString());
        total += got;
        flush = got == 0 ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = inBuf.get();
        zs.avail_in = uInt(got);
        int ret = Z_OK;
        do {
            zs.next_out = outBuf.get();
            zs.avail_out = uInt(outCap);
            ret = deflate(&zs, flush);
            if (ret == Z_STREAM_ERROR)
                throw InOutError(QStringLiteral("Chyba komprese dat."));
            writeAll(out, reinterpret_cast<const char*>(outBuf.get()),
                     outCap - qint64(zs.avail_out), outName);
        } while (zs.avail_out == 0);
        if (flush == Z_FINISH && ret != Z_STREAM_END)
            throw InOutError(QStringLiteral("Chyba komprese dat."));
    }
    // The size field was written first; a file that changed under us would
    // make the container lie about its content.
    if (total != size)
        failRead(inName, QStringLiteral("soubor se během čtení změnil"));
}

// Unpacks the container that `in` holds (`inSize` bytes) into `out`.
void unpackStream(QIODevice& in, qint64 inSize, QIODevice& out, qint64 maxSize,
                  const QString& source, const QString& outName) {
    const QByteArray head = readExactly(in, 8, source, "hlavička");
    const qint32 nameLength = getInt32(head, 4);
    if (nameLength < 0)
        failDamaged(source, QStringLiteral("záporná délka jména v hlavičce: %1").arg(nameLength));
    const qint64 nameBytes = std::min<qint64>(nameLength, kContainerMaxName);
    if (8 + nameBytes + 4 > inSize)
        failDamaged(source,
                    QStringLiteral("délka jména v hlavičce %1 přesahuje soubor").arg(nameLength));
    readExactly(in, nameBytes, source, "hlavička");
    const qint32 size = getInt32(readExactly(in, 4, source, "hlavička"), 0);
    if (size < 0 || size > maxSize)
        failDamaged(source,
                    QStringLiteral("nepřípustná velikost obsahu v hlavičce: %1 B").arg(size));

    z_stream& zs = inflater();
    const qint64 inCap = std::clamp<qint64>(inSize - (12 + nameBytes), 1, kBufferSize);
    const qint64 outCap = std::clamp<qint64>(size, 1, kBufferSize);
    auto inBuf = rawBuffer(inCap);
    auto outBuf = rawBuffer(outCap);
    bool inputEnded = false;
    auto refill = [&] {
        if (zs.avail_in > 0 || inputEnded)
            return;
        const qint64 got = in.read(reinterpret_cast<char*>(inBuf.get()), inCap);
        if (got < 0)
            failRead(source, in.errorString());
        inputEnded = got == 0;
        zs.next_in = inBuf.get();
        zs.avail_in = uInt(got);
    };

    // Exactly `size` bytes are taken from the stream.
    qint64 produced = 0;
    bool streamEnded = false;
    while (produced < size) {
        refill();
        if (zs.avail_in == 0)
            failDamaged(
                source,
                QStringLiteral("obsah končí předčasně (%1 B z %2 B)").arg(produced).arg(size));
        zs.next_out = outBuf.get();
        zs.avail_out = uInt(std::min(outCap, size - produced));
        const int ret = inflate(&zs, Z_NO_FLUSH);
        if (ret != Z_OK && ret != Z_STREAM_END && ret != Z_BUF_ERROR)
            failDamaged(source, zlibDetail(zs, ret));
        const qint64 n = std::min(outCap, size - produced) - qint64(zs.avail_out);
        writeAll(out, reinterpret_cast<const char*>(outBuf.get()), n, outName);
        produced += n;
        if (ret == Z_STREAM_END) {
            streamEnded = true;
            if (produced < size)
                failDamaged(source, QStringLiteral("obsah je kratší, než udává hlavička "
                                                   "(%1 B z %2 B)")
                                        .arg(produced)
                                        .arg(size));
        }
    }
    // Whatever the stream holds beyond the size is not used, but its end still
    // carries the checksum of the whole content: a stream that fails it is
    // damaged. The input is finite, so this loop is too.
    while (!streamEnded) {
        refill();
        if (zs.avail_in == 0)
            break; // the stream's tail is missing: nothing left to verify
        zs.next_out = outBuf.get();
        zs.avail_out = uInt(outCap);
        const int ret = inflate(&zs, Z_NO_FLUSH);
        if (ret == Z_STREAM_END)
            streamEnded = true;
        else if (ret != Z_OK && ret != Z_BUF_ERROR)
            failDamaged(source, zlibDetail(zs, ret));
    }
}

void openForReading(QFile& f) {
    if (!f.exists())
        throw InOutError(QStringLiteral("Soubor %1 nebyl nalezen.").arg(quotedPath(f.fileName())));
    if (!f.open(QIODevice::ReadOnly))
        throw InOutError(QStringLiteral("Soubor %1 nelze otevřít: %2")
                             .arg(quotedPath(f.fileName()), f.errorString()));
}

// An intermediate output file: written completely or removed, so that a
// failed operation leaves no half-written file behind. Not forced to the
// disk: these files live only between the steps of one chain.
class Output {
public:
    explicit Output(const QString& path) : m_file(path) {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw InOutError(QStringLiteral("Soubor %1 nelze zapsat: %2")
                                 .arg(quotedPath(path), m_file.errorString()));
    }
    ~Output() {
        if (!m_done) {
            m_file.close();
            m_file.remove();
        }
    }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    QIODevice& device() { return m_file; }
    void commit() {
        if (!m_file.flush())
            failWrite(m_file.fileName(), m_file.errorString());
        m_file.close();
        if (m_file.error() != QFileDevice::NoError)
            failWrite(m_file.fileName(), m_file.errorString());
        m_done = true;
    }

private:
    QFile m_file;
    bool m_done = false;
};

QByteArray readLimited(const QString& path, qint64 maxSize) {
    const QFileInfo info(path);
    if (info.exists() && info.size() > maxSize)
        failDamaged(path, QStringLiteral("soubor je příliš velký: %1 B").arg(info.size()));
    return readFileBytes(path);
}

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

} // namespace

// ---- in memory ----

QByteArray packContainer(const QByteArray& content) {
    QByteArray input = content;
    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    QByteArray container;
    QBuffer out(&container);
    out.open(QIODevice::WriteOnly);
    packStream(in, content.size(), out, QString(), QString());
    return container;
}

QByteArray unpackContainer(const QByteArray& container, const QString& source, qint64 maxSize) {
    QByteArray input = container;
    QBuffer in(&input);
    in.open(QIODevice::ReadOnly);
    QByteArray content;
    QBuffer out(&content);
    out.open(QIODevice::WriteOnly);
    unpackStream(in, container.size(), out, maxSize, source, QString());
    return content;
}

QByteArray sealBytes(const QByteArray& plain, const QByteArray& key) {
    TBlowfishCfb8 cfb(key);
    // One 8-byte buffer is filled and encrypted in place chunk after chunk, so
    // a short last chunk is completed by the tail of the previous cipher
    // block; a reader never looks at those bytes.
    std::array<unsigned char, 8> block{};
    QByteArray cipher;
    cipher.reserve((plain.size() + 7) / 8 * 8);
    for (qsizetype pos = 0; pos < plain.size(); pos += 8) {
        const qsizetype n = std::min<qsizetype>(8, plain.size() - pos);
        std::memcpy(block.data(), plain.constData() + pos, size_t(n));
        cfb.encrypt(block.data(), qsizetype(block.size()));
        cipher.append(reinterpret_cast<const char*>(block.data()), qsizetype(block.size()));
    }
    wipeMemory(block.data(), block.size());
    return toBase64Lines(cipher);
}

QByteArray unsealBytes(const QByteArray& text, const QByteArray& key, const QString& source) {
    QByteArray bytes;
    qsizetype bad = 0;
    if (!fromBase64Lines(text, bytes, &bad))
        failDamaged(source, bad < text.size()
                                ? QStringLiteral("neplatný znak na pozici %1").arg(bad + 1)
                                : QStringLiteral("text končí uprostřed skupiny znaků"));
    TBlowfishCfb8 cfb(key);
    cfb.decrypt(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    return bytes;
}

QByteArray toBase64Lines(const QByteArray& bytes) {
    const QByteArray b64 = bytes.toBase64();
    QByteArray text;
    text.reserve(b64.size() + b64.size() / kBase64LineLength * 2 + 2);
    for (qsizetype pos = 0; pos < b64.size(); pos += kBase64LineLength) {
        const qsizetype n = std::min<qsizetype>(kBase64LineLength, b64.size() - pos);
        text.append(b64.constData() + pos, n);
        if (n == kBase64LineLength)
            text.append("\r\n", 2);
    }
    return text;
}

bool fromBase64Lines(const QByteArray& text, QByteArray& bytes, qsizetype* badOffset) {
    bytes.clear();
    bytes.reserve(text.size() / 4 * 3 + 3);
    quint32 group = 0;
    int inGroup = 0;
    int padding = 0;
    auto fail = [&](qsizetype at) {
        if (badOffset)
            *badOffset = at;
        bytes.clear();
        return false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '\r' || c == '\n')
            continue;
        if (c == '=') {
            // Padding may only complete the last group.
            if (inGroup < 2 || padding + inGroup >= 4)
                return fail(i);
            ++padding;
            if (padding + inGroup == 4) {
                group <<= 6 * padding;
                bytes.append(char(group >> 16));
                if (inGroup == 3)
                    bytes.append(char(group >> 8));
                group = 0;
                inGroup = 0;
            }
            continue;
        }
        const int v = base64Value(c);
        if (v < 0 || padding > 0)
            return fail(i);
        group = group << 6 | quint32(v);
        if (++inGroup == 4) {
            bytes.append(char(group >> 16));
            bytes.append(char(group >> 8));
            bytes.append(char(group));
            group = 0;
            inGroup = 0;
        }
    }
    if (inGroup != 0)
        return fail(text.size());
    return true;
}

// ---- file to file ----

void Zabal(const QString& input, const QString& output) {
    QFile in(input);
    openForReading(in);
    Output out(output);
    packStream(in, in.size(), out.device(), input, output);
    out.commit();
}

void rozbalSoubor(const QString& input, const QString& output, qint64 maxSize,
                  const QString& source) {
    QFile in(input);
    openForReading(in);
    Output out(output);
    unpackStream(in, in.size(), out.device(), maxSize, source, output);
    out.commit();
}

void Rozbal(const QString& input, const QString& output) {
    rozbalSoubor(input, output, kMaxUnpackedSize, input);
}

void Zapecet(const QString& input, const QString& output, const QByteArray& key) {
    const QByteArray text = sealBytes(readLimited(input, kMaxSealedFileSize / 4 * 3), key);
    writeFileAtomically(output, text);
}

void odpecetSoubor(const QString& input, const QString& output, const QByteArray& key,
                   const QString& source) {
    const QFileInfo info(input);
    if (info.exists() && info.size() > kMaxSealedFileSize)
        failDamaged(source, QStringLiteral("soubor je příliš velký: %1 B").arg(info.size()));
    const QByteArray bytes = unsealBytes(readFileBytes(input), key, source);
    Output out(output);
    writeAll(out.device(), bytes.constData(), bytes.size(), output);
    out.commit();
}

void Odpecet(const QString& input, const QString& output, const QByteArray& key) {
    odpecetSoubor(input, output, key, input);
}

// ---- chains ----

namespace {

// Removes every entry of `dir` whose name equals `name` regardless of case.
void removeNoCase(const QString& dir, const QString& name) {
    QFile::remove(dir + name);
    const QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            QFile::remove(d.filePath(e));
}

} // namespace

void removeChainTemporaries(const QString& dir) {
    removeNoCase(dir, QLatin1String(kDataTemp));
    removeNoCase(dir, QLatin1String(kDataComp));
}

// The data-file chains run in memory: the same container, cipher and text as
// the file-to-file steps give, without writing the plain record and the
// packed container to disk between the steps (they were never meant to
// outlive the chain, and each intermediate file cost more than the packing
// and sealing together). Only the sealed file reaches the disk, crash-safely.
void storeSealed(const QString&, const QString& target, const QByteArray& content,
                 const QByteArray& key) {
    writeFileAtomically(target, sealBytes(packContainer(content), key));
}

QByteArray loadSealed(const QString&, const QString& source, const QByteArray& key,
                      qint64 maxSize) {
    const QFileInfo info(source);
    if (info.exists() && info.size() > kMaxSealedFileSize)
        failDamaged(source, QStringLiteral("soubor je příliš velký: %1 B").arg(info.size()));
    return unpackContainer(unsealBytes(readFileBytes(source), key, source), source, maxSize);
}

} // namespace urn
