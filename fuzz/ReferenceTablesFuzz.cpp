#include "ReferenceTablesFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "core/Errors.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"

#include <QStringList>

#include <memory>
#include <optional>

namespace urn::fuzz {

namespace {

enum Table { kOkrsky, kStrany, kKandidat, kQzrvok, kTableCount };

// ---- fields, for comparing records ----

QStringList fieldsOf(const TOkrsky& r) {
    return {r.Obec, r.NazevObce, r.OkrsekOd, r.OkrsekDo, r.Okres, r.NazevOkresu};
}
QStringList fieldsOf(const TStrana& r) {
    return {r.CisloStrany, r.NazevStrany, r.PocetKand};
}
QStringList fieldsOf(const TKandidat& r) {
    return {r.CisloStrany, r.CisloKand, r.KandJmeno1, r.KandJmeno2, r.KandPriznak};
}
QStringList fieldsOf(const TOcekavani& r) {
    return {r.Obec, QString::number(r.Okrsek), QString::number(r.PocetVolicu)};
}
QStringList fieldsOf(const TZvlastniOkrsek& r) {
    return {r.Obec, QString::number(r.Okrsek), r.NazevObce, r.NazevOkresu};
}

// A record decoded, written and decoded again holds the same fields (the
// bytes the code page leaves undefined become '?'), in a record of the
// file's size.
template <typename R> bool recordReadsBack(const QByteArray& raw, int recordSize) {
    const R first = R::fromRecord(raw);
    const QByteArray written = first.toRecord();
    if (written.size() != recordSize)
        return false;
    QStringList expected = fieldsOf(first);
    for (QString& f : expected)
        f = asWrittenBack(f);
    return fieldsOf(R::fromRecord(written)) == expected;
}

// ---- the files as the reference sees them ----

// The records of a file, or nothing when the store must refuse it (missing,
// or not a whole number of records).
std::optional<QList<QByteArray>> recordsOf(const std::optional<QByteArray>& file, int recordSize) {
    if (!file || file->size() % recordSize != 0)
        return std::nullopt;
    QList<QByteArray> records;
    for (qsizetype pos = 0; pos < file->size(); pos += recordSize)
        records.append(file->mid(pos, recordSize));
    return records;
}

// One record of the file, chosen by the input, reads back the same; over the
// runs every record the fuzzer makes is tried.
template <typename R>
bool chosenRecordReadsBack(const std::optional<QList<QByteArray>>& records, int recordSize,
                           quint8 which) {
    return !records || records->isEmpty() ||
           recordReadsBack<R>(records->at(which % records->size()), recordSize);
}

// The answer of a lookup as the product gives it: a value or a refusal.
template <typename T> std::optional<T> answer(auto&& lookup) {
    try {
        return lookup();
    } catch (const UrnariumError&) {
        return std::nullopt;
    }
}

struct Lookup {
    QString obec;
    qint32 okrsek = 0;
    quint8 record = 0; // the record whose municipality was taken, also round-tripped
};

// ---- the precinct list ----

struct OkrsekResult {
    bool found = false;
    QStringList entry;
    bool operator==(const OkrsekResult&) const = default;
};

// The precinct lookup worked out from the decoded records: the first record
// of the municipality decides its range; for the special municipality the
// first special precinct with the number decides instead.
std::optional<OkrsekResult> referenceNajdiOkrsek(const std::optional<QList<QByteArray>>& okrsky,
                                                 const std::optional<QList<QByteArray>>& zvlastni,
                                                 const Lookup& q) {
    if (!okrsky)
        return std::nullopt;
    TOkrsky entry{QString(6, QLatin1Char(' ')), QString(40, QLatin1Char(' ')),
                  QString(5, QLatin1Char(' ')), QString(5, QLatin1Char(' ')),
                  QString(4, QLatin1Char(' ')), QString(20, QLatin1Char(' '))};
    bool found = false;
    for (const QByteArray& r : *okrsky) {
        entry = TOkrsky::fromRecord(r);
        if (entry.Obec == q.obec) {
            found = true;
            break;
        }
    }
    if (found) {
        qint32 od = 0;
        qint32 po = 0;
        if (!tryStrToInt(entry.OkrsekOd, od) || !tryStrToInt(entry.OkrsekDo, po))
            return std::nullopt;
        found = od <= q.okrsek && q.okrsek <= po;
    }
    if (q.obec == QLatin1String(kZvlastniObec)) {
        if (!zvlastni)
            return std::nullopt;
        found = false;
        for (const QByteArray& r : *zvlastni) {
            const TZvlastniOkrsek z = TZvlastniOkrsek::fromRecord(r);
            if (z.Okrsek != q.okrsek)
                continue;
            if (z.Obec == q.obec) {
                found = true;
                entry.Obec = q.obec;
                entry.NazevObce = z.NazevObce;
                entry.NazevOkresu = z.NazevOkresu;
            }
            break;
        }
    }
    return OkrsekResult{found, fieldsOf(entry)};
}

std::optional<bool> referenceExistujeObec(const std::optional<QList<QByteArray>>& okrsky,
                                          const QString& obec) {
    if (!okrsky)
        return std::nullopt;
    for (const QByteArray& r : *okrsky)
        if (TOkrsky::fromRecord(r).Obec == obec)
            return true;
    return false;
}

bool checkOkrsky(const std::optional<QList<QByteArray>>& okrsky,
                 const std::optional<QList<QByteArray>>& zvlastni, const Lookup& q) {
    if (!chosenRecordReadsBack<TOkrsky>(okrsky, kOkrskySize, q.record) ||
        !chosenRecordReadsBack<TZvlastniOkrsek>(zvlastni, kQzrzvoSize, q.record))
        return false;
    const auto najdi = answer<OkrsekResult>([&] {
        TOkrsky entry;
        const bool found = NajdiOkrsek(q.obec, q.okrsek, entry);
        return OkrsekResult{found, fieldsOf(entry)};
    });
    if (najdi != referenceNajdiOkrsek(okrsky, zvlastni, q))
        return false;
    return answer<bool>([&] { return ExistujeObec(q.obec); }) ==
           referenceExistujeObec(okrsky, q.obec);
}

// ---- the party list ----

std::optional<qint32> referencePocetKandidatu(const std::optional<QList<QByteArray>>& strany,
                                              qint32 strana) {
    if (!strany)
        return std::nullopt;
    for (const QByteArray& r : *strany) {
        const TStrana s = TStrana::fromRecord(r);
        qint32 cislo = 0;
        if (!tryStrToInt(s.CisloStrany, cislo))
            return std::nullopt;
        if (cislo == strana) {
            qint32 pocet = 0;
            if (!tryStrToInt(s.PocetKand, pocet))
                return std::nullopt;
            return pocet;
        }
    }
    return 0;
}

bool checkStrany(const std::optional<QList<QByteArray>>& strany, const Lookup& q) {
    if (!chosenRecordReadsBack<TStrana>(strany, kStranySize, q.record))
        return false;
    // A list the program cannot hold is refused as a whole, and the list of
    // the previous load stays.
    TSeznamStran previous;
    previous.strany.append({QStringLiteral("99"), QStringLiteral("předchozí"), QString()});
    TSeznamStran seznam = previous;
    const bool loaded = answer<bool>([&] {
                            NactiStrany(seznam);
                            return true;
                        }).has_value();
    const bool acceptable = strany && strany->size() <= kMaxStran;
    if (loaded != acceptable)
        return false;
    QList<QStringList> expected;
    if (loaded) {
        for (const QByteArray& r : *strany)
            expected.append(fieldsOf(TStrana::fromRecord(r)));
    } else {
        for (const TStrana& s : previous.strany)
            expected.append(fieldsOf(s));
    }
    QList<QStringList> actual;
    for (const TStrana& s : seznam.strany)
        actual.append(fieldsOf(s));
    if (actual != expected)
        return false;
    return answer<qint32>([&] { return PocetKandidatu(q.okrsek); }) ==
           referencePocetKandidatu(strany, q.okrsek);
}

// ---- the candidates ----

bool sameCandidate(const TKandidat& a, const TKandidat& b) {
    return a.CisloStrany == b.CisloStrany && a.CisloKand == b.CisloKand &&
           a.KandJmeno1 == b.KandJmeno1 && a.KandJmeno2 == b.KandJmeno2 &&
           a.KandPriznak == b.KandPriznak;
}

bool sameTable(const TTabulkaKandidatu& a, const TTabulkaKandidatu& b) {
    for (size_t p = 0; p < a.size(); ++p)
        for (size_t c = 0; c < a[p].size(); ++c)
            if (!sameCandidate(a[p][c], b[p][c]))
                return false;
    return true;
}

// The table a load must give: dashes where the file names no candidate,
// the last record naming a place in it otherwise; nothing when a record names
// a party or candidate the table has no place for, or no number at all.
std::unique_ptr<TTabulkaKandidatu>
referenceKandidati(const std::optional<QList<QByteArray>>& kandidati) {
    if (!kandidati)
        return nullptr;
    auto table = std::make_unique<TTabulkaKandidatu>();
    TKandidat empty;
    empty.KandJmeno1 = QString(15, QLatin1Char('-'));
    empty.KandJmeno2 = QString(20, QLatin1Char('-'));
    empty.KandPriznak = QStringLiteral("-");
    for (auto& party : *table)
        party.fill(empty);
    for (const QByteArray& r : *kandidati) {
        const TKandidat k = TKandidat::fromRecord(r);
        qint32 p = 0;
        qint32 c = 0;
        if (!tryStrToInt(k.CisloStrany, p) || !tryStrToInt(k.CisloKand, c) || p < 1 ||
            p > kMaxStran || c < 1 || c > kMaxKandidatu)
            return nullptr;
        (*table)[size_t(p - 1)][size_t(c - 1)] = k;
    }
    return table;
}

bool checkKandidati(const std::optional<QList<QByteArray>>& kandidati, const Lookup& q) {
    if (!chosenRecordReadsBack<TKandidat>(kandidati, kKandidatSize, q.record))
        return false;
    static const std::unique_ptr<TTabulkaKandidatu> previous = [] {
        auto table = std::make_unique<TTabulkaKandidatu>();
        (*table)[kMaxStran - 1][kMaxKandidatu - 1].KandJmeno1 = QStringLiteral("předchozí");
        return table;
    }();
    auto tabulka = std::make_unique<TTabulkaKandidatu>(*previous);
    const bool loaded = answer<bool>([&] {
                            NactiKandidaty(*tabulka);
                            return true;
                        }).has_value();
    const std::unique_ptr<TTabulkaKandidatu> expected = referenceKandidati(kandidati);
    if (loaded != (expected != nullptr))
        return false;
    return sameTable(*tabulka, loaded ? *expected : *previous);
}

// ---- the expected numbers of voters ----

std::optional<qint32> referenceOcekavani(const std::optional<QList<QByteArray>>& ocekavani,
                                         const Lookup& q) {
    if (!ocekavani)
        return std::nullopt;
    qint32 result = 0;
    for (const QByteArray& r : *ocekavani) {
        const TOcekavani o = TOcekavani::fromRecord(r);
        if (o.Obec == q.obec && o.Okrsek == q.okrsek)
            result = o.PocetVolicu;
    }
    return result;
}

bool checkOcekavani(const std::optional<QList<QByteArray>>& ocekavani, const Lookup& q) {
    if (!chosenRecordReadsBack<TOcekavani>(ocekavani, kQzrvokSize, q.record))
        return false;
    return answer<qint32>([&] { return OcekavaniVolici(q.obec, q.okrsek); }) ==
           referenceOcekavani(ocekavani, q);
}

// ---- the run ----

struct TableFiles {
    const char* first;
    int firstSize;
    const char* second; // or null
    int secondSize;
};
constexpr TableFiles kFiles[kTableCount] = {
    {"OKRSKY.RCD", kOkrskySize, "QZRZVO.RCD", kQzrzvoSize},
    {"STRANY.RCD", kStranySize, nullptr, 0},
    {"KANDIDAT.RCD", kKandidatSize, nullptr, 0},
    {"QZRVOK.RCD", kQzrvokSize, nullptr, 0},
};
constexpr int kRepeats = 32;

// The municipality and precinct looked up, chosen so that the lookups meet
// the records of the file and not only strangers.
Lookup chooseLookup(Table table, quint8 which, qint32 fromInput,
                    const std::optional<QList<QByteArray>>& first,
                    const std::optional<QList<QByteArray>>& second) {
    Lookup q{QString(), fromInput, quint8(which & 0x3F)};
    const bool special = which & 0x80;
    const bool numberFromRecord = which & 0x40;
    const auto& records = special && second ? second : first;
    const QByteArray record =
        records && !records->isEmpty() ? records->at(q.record % records->size()) : QByteArray();
    q.obec = special ? QString::fromLatin1(kZvlastniObec) : getShortString(record, 0, 6);
    if (!numberFromRecord || record.isEmpty())
        return q;
    switch (table) {
    case kOkrsky:
        q.okrsek = special ? getInt32(record, 8)
                           : qint32(quint32(strToIntDef(TOkrsky::fromRecord(record).OkrsekOd, 0)) +
                                    quint32(fromInput % 3 - 1));
        break;
    case kStrany:
        q.okrsek = strToIntDef(TStrana::fromRecord(record).CisloStrany, 0);
        break;
    case kQzrvok:
        q.okrsek = getInt32(record, 8);
        break;
    default:
        break;
    }
    return q;
}

} // namespace

bool runReferenceTablesInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const quint8 choice = in.byte();
    const quint8 which = in.byte();
    const qint32 number = in.int32();
    const quint16 firstLength = in.uint16();
    QByteArray firstBytes = in.take(firstLength);
    const QByteArray secondBytes = in.rest();

    const auto table = Table((choice & 7) % kTableCount);
    const TableFiles& files = kFiles[table];
    const bool lowerCase = choice & 0x08;
    if (choice & 0x40)
        firstBytes = firstBytes.repeated(kRepeats);
    std::optional<QByteArray> first;
    std::optional<QByteArray> second;
    if (!(choice & 0x10))
        first = firstBytes;
    if (files.second && !(choice & 0x20))
        second = secondBytes;

    ScratchInstall inst;
    const auto fileName = [&](const char* name) {
        const QString n = QString::fromLatin1(name);
        return inst.dirs().program + (lowerCase ? n.toLower() : n);
    };
    if (first)
        ScratchInstall::write(fileName(files.first), *first);
    if (second)
        ScratchInstall::write(fileName(files.second), *second);

    const auto firstRecords = recordsOf(first, files.firstSize);
    const auto secondRecords =
        files.second ? recordsOf(second, files.secondSize) : std::optional<QList<QByteArray>>();
    const Lookup q = chooseLookup(table, which, number, firstRecords, secondRecords);
    switch (table) {
    case kOkrsky:
        return checkOkrsky(firstRecords, secondRecords, q);
    case kStrany:
        return checkStrany(firstRecords, q);
    case kKandidat:
        return checkKandidati(firstRecords, q);
    default:
        return checkOcekavani(firstRecords, q);
    }
}

} // namespace urn::fuzz
