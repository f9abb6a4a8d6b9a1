#pragma once

// Helpers shared by the reader targets: cutting one fuzz input into the
// choices and files of a run, and comparing texts the way a record file can
// carry them.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace urn::fuzz {

// Reads a fuzz input from the front; past the end every read gives zeros, so
// that a short input is still a complete run.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : m_data(reinterpret_cast<const char*>(data)), m_size(qsizetype(size)) {}

    quint8 byte() { return m_pos < m_size ? quint8(m_data[m_pos++]) : 0; }
    quint16 uint16() {
        const quint16 lo = byte();
        return quint16(lo | byte() << 8);
    }
    qint32 int32() {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v |= quint32(byte()) << (8 * i);
        return qint32(v);
    }
    // The next `n` bytes (fewer at the end).
    QByteArray take(qsizetype n) {
        n = std::min(n, m_size - m_pos);
        const QByteArray out(m_data + m_pos, n);
        m_pos += n;
        return out;
    }
    QByteArray rest() { return take(m_size - m_pos); }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// A text as it reads back after being written to a record file: the bytes
// the code page leaves undefined read as U+FFFD and are written as '?'.
inline QString asWrittenBack(QString text) {
    return text.replace(QChar(QChar::ReplacementCharacter), QLatin1Char('?'));
}

} // namespace urn::fuzz
