#pragma once

// The error catalogue: error numbers and their short Czech texts, read once
// from CISCHYB.RCD beside the program.

#include <QByteArray>
#include <QList>
#include <QString>

namespace urn {

inline constexpr int kCisChybSize = 72;

// One catalogue entry; also the 72-byte record of CISCHYB.RCD.
struct TChybaInfo {
    qint32 Chyba = 0; // 0, 32-bit
    QString TypChyby; // 4, short string of 1 (kept, decides nothing)
    QString ZkrText;  // 6, short string of 65

    static TChybaInfo fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

class TCisChyb {
public:
    // Reads CISCHYB.RCD from the program directory completely. A missing or
    // unreadable file raises InOutError; a trailing partial record is ignored.
    TCisChyb();
    // A catalogue over the given entries (tests, tools).
    explicit TCisChyb(QList<TChybaInfo> entries);

    // The first entry with the number in file order, or NenalezenaChyba.
    TChybaInfo NajdiChybu(qint32 iChyba) const;
    int count() const { return int(m_entries.size()); }
    const TChybaInfo& NenalezenaChyba() const { return m_nenalezena; }

private:
    QList<TChybaInfo> m_entries;
    TChybaInfo m_nenalezena;
};

inline constexpr const char* kChybaNenalezena = "Chyba nenalezena";

} // namespace urn
