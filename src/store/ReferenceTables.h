#pragma once

// The data store: the reference tables of the installation and the names of
// the commission members. Every file is opened by one operation and closed
// before it returns; lookups read their table anew each time, so a table
// changed on disk is seen at the next lookup. What is loaded (the party list,
// the candidate table, the names) goes where the caller says.

#include "store/PrecinctRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <memory>

namespace urn {

// ---- record sizes of the typed files ----
inline constexpr int kOkrskySize = 86;
inline constexpr int kStranySize = 90;
inline constexpr int kKandidatSize = 82;
inline constexpr int kQzrvokSize = 16;
inline constexpr int kQzrzvoSize = 64;
inline constexpr int kKomiseSize = 51;

inline constexpr int kMaxStran = 30;
inline constexpr int kMaxKandidatu = 28;
inline constexpr int kMaxKomise = 255;

// Code of the special municipality whose precincts QZRZVO.RCD lists.
inline constexpr const char* kZvlastniObec = "999997";

// ---- OKRSKY.RCD ----
struct TOkrsky {
    QString Obec;        // 0, 6
    QString NazevObce;   // 7, 40
    QString OkrsekOd;    // 48, 5
    QString OkrsekDo;    // 54, 5
    QString Okres;       // 60, 4
    QString NazevOkresu; // 65, 20

    static TOkrsky fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

// Finds precinct k of municipality o (see the lookup rules in the source).
// `entry` holds the last record read, also when nothing was found.
bool NajdiOkrsek(const QString& o, qint32 k, TOkrsky& entry);
bool ExistujeObec(const QString& o);

// ---- STRANY.RCD ----
struct TStrana {
    QString CisloStrany; // 0, 4
    QString NazevStrany; // 5, 81
    QString PocetKand;   // 87, 2

    static TStrana fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

struct TSeznamStran {
    QList<TStrana> strany; // place r of the list is strany[r - 1]
    int pocet() const { return int(strany.size()); }
};
// Replaces `seznam` with the records of STRANY.RCD; a file that cannot be
// read, or lists more parties than the record holds, raises InOutError and
// leaves `seznam` as it was.
void NactiStrany(TSeznamStran& seznam);
// PocetKand of the first party whose number converts to `strana`, 0 if none.
qint32 PocetKandidatu(qint32 strana);

// ---- KANDIDAT.RCD ----
struct TKandidat {
    QString CisloStrany; // 0, 4
    QString CisloKand;   // 5, 2
    QString KandJmeno1;  // 8, 40
    QString KandJmeno2;  // 49, 30
    QString KandPriznak; // 80, 1

    static TKandidat fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

using TTabulkaKandidatu = std::array<std::array<TKandidat, kMaxKandidatu>, kMaxStran>;
// The candidate (party 1..30, candidate 1..28) of the table.
const TKandidat& Kandidat(const TTabulkaKandidatu& tabulka, int strana, int kandidat);
// Replaces `tabulka` with KANDIDAT.RCD: every place not in the file holds
// dashes. A file that cannot be read or names a party or candidate outside
// the table raises InOutError and leaves `tabulka` as it was.
void NactiKandidaty(TTabulkaKandidatu& tabulka);

// ---- QZRVOK.RCD ----
struct TOcekavani {
    QString Obec;           // 0, 6
    qint32 Okrsek = 0;      // 8
    qint32 PocetVolicu = 0; // 12

    static TOcekavani fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};
qint32 OcekavaniVolici(const QString& o, qint32 k);

// ---- QZRZVO.RCD ----
struct TZvlastniOkrsek {
    QString Obec;        // 0, 6
    qint32 Okrsek = 0;   // 8
    QString NazevObce;   // 12, 25
    QString NazevOkresu; // 38, 20

    static TZvlastniOkrsek fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

// ---- the lookup tables kept in memory ----
//
// The program reads OKRSKY.RCD, QZRZVO.RCD, QZRVOK.RCD and STRANY.RCD anew at
// every lookup, so that a table replaced on disk counts at once. A tool that
// makes thousands of lookups against tables that cannot change under it (the
// receiving point's summary of many precincts) keeps them in memory instead:
// while an object of this class lives, NajdiOkrsek, ExistujeObec,
// OcekavaniVolici and PocetKandidatu answer from the copies read when it was
// made, with the same answers and the same errors as from the files, without
// scanning the whole table for each answer. One at a time; not thread-safe.
class ReferenceTablesInMemory {
public:
    // Reads the four tables from the program directory. A missing table or
    // one that is not a whole number of records raises InOutError.
    ReferenceTablesInMemory();
    ~ReferenceTablesInMemory();
    ReferenceTablesInMemory(const ReferenceTablesInMemory&) = delete;
    ReferenceTablesInMemory& operator=(const ReferenceTablesInMemory&) = delete;

    struct Data;

private:
    std::unique_ptr<Data> m_data;
};

// Every precinct that NajdiOkrsek finds, in table order: the range of the
// first OKRSKY.RCD record of each municipality, and for the special
// municipality the precincts QZRZVO.RCD gives it in the first record of their
// number. A range that is not a number raises ConvertError as the lookup
// does; tables that would list more than `limit` precincts raise InOutError
// (a damaged range must not make us allocate without bound).
QList<TAktOkrsek> expectedPrecincts(qsizetype limit);

// ---- KOMISE.RCD ----
struct TKomise {
    QString clen; // 0, 50

    static TKomise fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};
// Replaces `jmena` with the records of KOMISE.RCD in the data directory.
void NactiKomise(QList<TKomise>& jmena);
// Rewrites KOMISE.RCD crash-safely with the names.
void UlozKomise(const QList<TKomise>& jmena);
// Whether KOMISE.RCD exists in the data directory and holds a record.
bool KomiseNeniPrazdna();

} // namespace urn
