#include "store/RecordIO.h"

#include "core/Errors.h"
#include "store/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace urn {

namespace {
bool g_syncToDisk = true;
FileStepObserver g_observer;

void step(const char* name, const QString& path) {
    if (g_observer)
        g_observer(name, path);
}

void fsyncDirectoryOf(const QString& path) {
    const QString dirPath = QFileInfo(path).absolutePath();
    const QByteArray dir = QFile::encodeName(dirPath);
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    step("dirsync", dirPath);
}
} // namespace

void setFileStepObserver(FileStepObserver observer) {
    g_observer = std::move(observer);
}

bool removeFileDurably(const QString& path, QString* why) {
    QFile f(path);
    if (!f.exists())
        return true;
    if (!f.remove()) {
        if (why)
            *why = f.errorString();
        return false;
    }
    step("unlink", path);
    if (g_syncToDisk)
        fsyncDirectoryOf(path);
    return true;
}

void removeFileDurablyOrFail(const QString& path) {
    QString why;
    if (!removeFileDurably(path, &why))
        throw InOutError(QStringLiteral("Soubor %1 nelze smazat: %2").arg(quotedPath(path), why));
}

QString getShortString(const QByteArray& record, int offset, int capacity) {
    if (offset < 0 || offset >= record.size())
        return QString();
    int len = static_cast<unsigned char>(record.at(offset));
    len = std::min({len, capacity, int(record.size()) - offset - 1});
    return fromCp1250(record.constData() + offset + 1, len);
}

void putShortString(QByteArray& record, int offset, int capacity, const QString& value) {
    const QByteArray bytes = toCp1250(value).left(capacity);
    std::memset(record.data() + offset, 0, size_t(capacity) + 1);
    record[offset] = static_cast<char>(bytes.size());
    std::memcpy(record.data() + offset + 1, bytes.constData(), size_t(bytes.size()));
}

void updateShortString(QByteArray& record, int offset, int capacity, const QString& value) {
    if (getShortString(record, offset, capacity) != value)
        putShortString(record, offset, capacity, value);
}

qint32 getInt32(const QByteArray& record, int offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(record.constData() + offset);
    const quint32 v =
        quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    return static_cast<qint32>(v);
}

void putInt32(QByteArray& record, int offset, qint32 value) {
    const auto v = static_cast<quint32>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

QString quotedPath(const QString& path) {
    return QStringLiteral("„%1“").arg(path);
}

QByteArray readFileBytes(const QString& path) {
    QFile f(path);
    if (!f.exists())
        throw InOutError(QStringLiteral("Soubor %1 nebyl nalezen.").arg(quotedPath(path)));
    if (!f.open(QIODevice::ReadOnly))
        throw InOutError(
            QStringLiteral("Soubor %1 nelze otevřít: %2").arg(quotedPath(path), f.errorString()));
    QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw InOutError(QStringLiteral("Chyba při čtení souboru %1: %2")
                             .arg(quotedPath(path), f.errorString()));
    return all;
}

QList<QByteArray> readRecords(const QString& path, int recordSize) {
    const QByteArray all = readRecordBytes(path, recordSize);
    QList<QByteArray> records;
    records.reserve(all.size() / recordSize);
    for (qsizetype pos = 0; pos < all.size(); pos += recordSize)
        records.append(all.mid(pos, recordSize));
    return records;
}

QByteArray readRecordBytes(const QString& path, int recordSize) {
    QByteArray all = readFileBytes(path);
    if (all.size() % recordSize != 0)
        throw InOutError(QStringLiteral("Soubor %1 je poškozen: jeho délka %2 B není násobkem "
                                        "délky záznamu %3 B.")
                             .arg(quotedPath(path))
                             .arg(all.size())
                             .arg(recordSize));
    return all;
}

QByteArrayView rawShortString(const char* record, int recordSize, int offset, int capacity) {
    if (offset < 0 || offset >= recordSize)
        return {};
    int len = static_cast<unsigned char>(record[offset]);
    len = std::min({len, capacity, recordSize - offset - 1});
    return QByteArrayView(record + offset + 1, len);
}

RawKey::RawKey(const QString& t) : bytes(toCp1250(t)), text(t) {
    exact = fromCp1250(bytes) == text;
}

bool RawKey::matches(const char* record, int recordSize, int offset, int capacity) const {
    const QByteArrayView raw = rawShortString(record, recordSize, offset, capacity);
    if (exact)
        return raw == QByteArrayView(bytes);
    return fromCp1250(raw.data(), raw.size()) == text;
}

QByteArray readFirstRecord(const QString& path, int recordSize) {
    const QByteArray all = readFileBytes(path);
    requireOneRecord(all, path, recordSize);
    return all.left(recordSize);
}

void requireOneRecord(const QByteArray& all, const QString& path, int recordSize) {
    if (all.size() < recordSize)
        throw InOutError(QStringLiteral("Soubor %1 je poškozen: je kratší než jeden záznam "
                                        "(%2 B z %3 B).")
                             .arg(quotedPath(path))
                             .arg(all.size())
                             .arg(recordSize));
}

void setSyncToDisk(bool enabled) {
    g_syncToDisk = enabled;
}
bool syncToDisk() {
    return g_syncToDisk;
}

namespace {
// The same replacement without forcing anything to the disk. QSaveFile
// always syncs when it commits, so it cannot serve here.
void writeFileAtomicallyNoSync(const QString& path, const QByteArray& content) {
    QTemporaryFile f(path + QStringLiteral(".XXXXXX"));
    if (!f.open())
        throw InOutError(
            QStringLiteral("Soubor %1 nelze zapsat: %2").arg(quotedPath(path), f.errorString()));
    const QFileInfo old(path);
    f.setPermissions(old.exists() ? old.permissions()
                                  : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                        QFile::ReadOther);
    if (f.write(content) != content.size() || !f.flush())
        throw InOutError(QStringLiteral("Chyba při zápisu souboru %1: %2")
                             .arg(quotedPath(path), f.errorString()));
    step("write", path);
    if (::rename(QFile::encodeName(f.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        throw InOutError(QStringLiteral("Chyba při zápisu souboru %1: %2")
                             .arg(quotedPath(path), QString::fromLocal8Bit(std::strerror(errno))));
    f.setAutoRemove(false);
    step("rename", path);
}
} // namespace

void writeFileAtomically(const QString& path, const QByteArray& content) {
    if (!g_syncToDisk) {
        writeFileAtomicallyNoSync(path, content);
        return;
    }
    QSaveFile f(path);
    // QSaveFile falls back to writing in place when it cannot create its
    // temporary file; that is exactly the unsafe write we avoid.
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly))
        throw InOutError(
            QStringLiteral("Soubor %1 nelze zapsat: %2").arg(quotedPath(path), f.errorString()));
    if (f.write(content) != content.size() || !f.flush()) {
        const QString why = f.errorString();
        f.cancelWriting();
        throw InOutError(
            QStringLiteral("Chyba při zápisu souboru %1: %2").arg(quotedPath(path), why));
    }
    step("write", path);
    if (g_syncToDisk && ::fsync(f.handle()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        f.cancelWriting();
        throw InOutError(
            QStringLiteral("Chyba při zápisu souboru %1: %2").arg(quotedPath(path), why));
    }
    step("fsync", path);
    if (!f.commit())
        throw InOutError(QStringLiteral("Chyba při zápisu souboru %1: %2")
                             .arg(quotedPath(path), f.errorString()));
    step("rename", path);
    if (g_syncToDisk)
        fsyncDirectoryOf(path);
}

namespace {
// Leading blanks, an optional sign, decimal digits and nothing else, within
// 32 bits; `at(i)` gives character i as a code unit.
template <class At> bool parseInt(qsizetype n, At at, qint32& value) {
    qsizetype i = 0;
    while (i < n && at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < n && (at(i) == u'-' || at(i) == u'+')) {
        negative = at(i) == u'-';
        ++i;
    }
    if (i >= n)
        return false;
    qint64 acc = 0;
    for (; i < n; ++i) {
        const char16_t c = at(i);
        if (c < u'0' || c > u'9')
            return false;
        acc = acc * 10 + (c - u'0');
        if (acc > qint64(1) << 31)
            return false;
    }
    if (negative)
        acc = -acc;
    if (acc > std::numeric_limits<qint32>::max() || acc < std::numeric_limits<qint32>::min())
        return false;
    value = static_cast<qint32>(acc);
    return true;
}
} // namespace

bool tryStrToInt(const QString& text, qint32& value) {
    return parseInt(
        text.size(), [&](qsizetype i) { return char16_t(text.at(i).unicode()); }, value);
}

bool tryBytesToInt(QByteArrayView bytes, qint32& value) {
    // A byte above 127 is a letter of the code page, never a digit.
    return parseInt(
        bytes.size(), [&](qsizetype i) { return char16_t(static_cast<unsigned char>(bytes[i])); },
        value);
}

qint32 strToInt(const QString& text) {
    qint32 v = 0;
    if (!tryStrToInt(text, v))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

qint32 fieldToInt(const QString& text, const QString& path, int recordNo, const char* field) {
    qint32 v = 0;
    if (!tryStrToInt(text, v))
        throw ConvertError(QStringLiteral("Soubor %1 je poškozen: záznam %2, pole %3: „%4“ není "
                                          "platné celé číslo.")
                               .arg(quotedPath(path))
                               .arg(recordNo)
                               .arg(QLatin1String(field), text));
    return v;
}

qint32 strToIntDef(const QString& text, qint32 fallback) {
    qint32 v = 0;
    return tryStrToInt(text, v) ? v : fallback;
}

} // namespace urn
