#include "QZchyby.h"

#include "InstallDirs.h"
#include "RecordIO.h"

namespace urn {

TChybaInfo TChybaInfo::fromRecord(const QByteArray& r) {
    return {getInt32(r, 0), getShortString(r, 4, 1), getShortString(r, 6, 65)};
}

QByteArray TChybaInfo::toRecord() const {
    QByteArray r(kCisChybSize, '\0');
    putInt32(r, 0, Chyba);
    putShortString(r, 4, 1, TypChyby);
    putShortString(r, 6, 65, ZkrText);
    return r;
}

TCisChyb::TCisChyb(QList<TChybaInfo> entries)
    : m_entries(std::move(entries)), m_nenalezena{-1, QString(),
                                                  QString::fromUtf8(kChybaNenalezena)} {}

TCisChyb::TCisChyb() : TCisChyb(QList<TChybaInfo>()) {
    const QByteArray all = readFileBytes(programFile(QStringLiteral("CISCHYB.RCD")));
    // The catalogue is a plain sequence of records; a trailing partial record
    // is never read.
    for (qsizetype pos = 0; pos + kCisChybSize <= all.size(); pos += kCisChybSize)
        m_entries.append(TChybaInfo::fromRecord(all.mid(pos, kCisChybSize)));
}

TChybaInfo TCisChyb::NajdiChybu(qint32 iChyba) const {
    for (const TChybaInfo& e : m_entries)
        if (e.Chyba == iChyba)
            return e;
    return m_nenalezena;
}

} // namespace urn
