#include "store/ReferenceTables.h"

#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/RecordIO.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <memory>

namespace urn {

namespace {
constexpr const char* kOkrskyName = "OKRSKY.RCD";
constexpr const char* kZvlastniName = "QZRZVO.RCD";
constexpr const char* kOcekavaniName = "QZRVOK.RCD";
constexpr const char* kStranyName = "STRANY.RCD";

// A lookup table's bytes and the file they came from (for messages).
struct LookupTable {
    QString path;
    QByteArray bytes;

    static LookupTable read(const char* name, int recordSize) {
        const QString path = programFile(QLatin1String(name));
        return {path, readRecordBytes(path, recordSize)};
    }
};
} // namespace

struct ReferenceTablesInMemory::Data {
    LookupTable okrsky, zvlastni, ocekavani, strany;
    // The raw Obec bytes of OKRSKY.RCD -> its first record with them.
    QHash<QByteArray, qsizetype> firstRecordOf;
    // Okrsek (4 bytes) and the raw Obec bytes of QZRVOK.RCD -> PocetVolicu of
    // the last record with them.
    QHash<QByteArray, qint32> expectedVoters;
};

namespace {

const ReferenceTablesInMemory::Data* g_inMemory = nullptr;

QByteArray expectedVotersKey(qint32 okrsek, QByteArrayView obec) {
    QByteArray key(4, '\0');
    putInt32(key, 0, okrsek);
    return key.append(obec);
}

LookupTable okrskyTable() {
    return g_inMemory ? g_inMemory->okrsky : LookupTable::read(kOkrskyName, kOkrskySize);
}
LookupTable zvlastniTable() {
    return g_inMemory ? g_inMemory->zvlastni : LookupTable::read(kZvlastniName, kQzrzvoSize);
}
LookupTable ocekavaniTable() {
    return g_inMemory ? g_inMemory->ocekavani : LookupTable::read(kOcekavaniName, kQzrvokSize);
}
LookupTable stranyTable() {
    return g_inMemory ? g_inMemory->strany : LookupTable::read(kStranyName, kStranySize);
}

// The first record (from 0) of the precinct list whose Obec is the key, or -1.
qsizetype firstRecordOfMunicipality(const LookupTable& okrsky, const RawKey& key) {
    // The index holds raw bytes, so it answers for keys the code page holds
    // exactly; any other key is compared the slow way, as the files are.
    if (g_inMemory && key.exact)
        return g_inMemory->firstRecordOf.value(key.bytes, -1);
    const QByteArray& all = okrsky.bytes;
    const qsizetype count = all.size() / kOkrskySize;
    for (qsizetype i = 0; i < count; ++i)
        if (key.matches(all.constData() + i * kOkrskySize, kOkrskySize, 0, 6))
            return i;
    return -1;
}

} // namespace

ReferenceTablesInMemory::ReferenceTablesInMemory() : m_data(std::make_unique<Data>()) {
    Data& d = *m_data;
    d.okrsky = LookupTable::read(kOkrskyName, kOkrskySize);
    d.zvlastni = LookupTable::read(kZvlastniName, kQzrzvoSize);
    d.ocekavani = LookupTable::read(kOcekavaniName, kQzrvokSize);
    d.strany = LookupTable::read(kStranyName, kStranySize);
    const char* okrsky = d.okrsky.bytes.constData();
    for (qsizetype pos = 0; pos < d.okrsky.bytes.size(); pos += kOkrskySize) {
        const QByteArray obec = rawShortString(okrsky + pos, kOkrskySize, 0, 6).toByteArray();
        if (!d.firstRecordOf.contains(obec))
            d.firstRecordOf.insert(obec, pos / kOkrskySize);
    }
    const QByteArray& ocekavani = d.ocekavani.bytes;
    for (qsizetype pos = 0; pos < ocekavani.size(); pos += kQzrvokSize)
        d.expectedVoters.insert(
            expectedVotersKey(getInt32(ocekavani, int(pos) + 8),
                              rawShortString(ocekavani.constData() + pos, kQzrvokSize, 0, 6)),
            getInt32(ocekavani, int(pos) + 12)); // the last wins
    g_inMemory = m_data.get();
}

ReferenceTablesInMemory::~ReferenceTablesInMemory() {
    if (g_inMemory == m_data.get())
        g_inMemory = nullptr;
}

// ---- record layouts ----

TOkrsky TOkrsky::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 6),  getShortString(r, 7, 40), getShortString(r, 48, 5),
            getShortString(r, 54, 5), getShortString(r, 60, 4), getShortString(r, 65, 20)};
}

QByteArray TOkrsky::toRecord() const {
    QByteArray r(kOkrskySize, '\0');
    putShortString(r, 0, 6, Obec);
    putShortString(r, 7, 40, NazevObce);
    putShortString(r, 48, 5, OkrsekOd);
    putShortString(r, 54, 5, OkrsekDo);
    putShortString(r, 60, 4, Okres);
    putShortString(r, 65, 20, NazevOkresu);
    return r;
}

TStrana TStrana::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 4), getShortString(r, 5, 81), getShortString(r, 87, 2)};
}

QByteArray TStrana::toRecord() const {
    QByteArray r(kStranySize, '\0');
    putShortString(r, 0, 4, CisloStrany);
    putShortString(r, 5, 81, NazevStrany);
    putShortString(r, 87, 2, PocetKand);
    return r;
}

TKandidat TKandidat::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 4), getShortString(r, 5, 2), getShortString(r, 8, 40),
            getShortString(r, 49, 30), getShortString(r, 80, 1)};
}

QByteArray TKandidat::toRecord() const {
    QByteArray r(kKandidatSize, '\0');
    putShortString(r, 0, 4, CisloStrany);
    putShortString(r, 5, 2, CisloKand);
    putShortString(r, 8, 40, KandJmeno1);
    putShortString(r, 49, 30, KandJmeno2);
    putShortString(r, 80, 1, KandPriznak);
    return r;
}

TOcekavani TOcekavani::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 6), getInt32(r, 8), getInt32(r, 12)};
}

QByteArray TOcekavani::toRecord() const {
    QByteArray r(kQzrvokSize, '\0');
    putShortString(r, 0, 6, Obec);
    putInt32(r, 8, Okrsek);
    putInt32(r, 12, PocetVolicu);
    return r;
}

TZvlastniOkrsek TZvlastniOkrsek::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 6), getInt32(r, 8), getShortString(r, 12, 25),
            getShortString(r, 38, 20)};
}

QByteArray TZvlastniOkrsek::toRecord() const {
    QByteArray r(kQzrzvoSize, '\0');
    putShortString(r, 0, 6, Obec);
    putInt32(r, 8, Okrsek);
    putShortString(r, 12, 25, NazevObce);
    putShortString(r, 38, 20, NazevOkresu);
    return r;
}

TKomise TKomise::fromRecord(const QByteArray& r) {
    return {getShortString(r, 0, 50)};
}

QByteArray TKomise::toRecord() const {
    QByteArray r(kKomiseSize, '\0');
    putShortString(r, 0, 50, clen);
    return r;
}

// ---- precinct list ----

bool NajdiOkrsek(const QString& o, qint32 k, TOkrsky& entry) {
    entry = {QString(6, QLatin1Char(' ')), QString(40, QLatin1Char(' ')),
             QString(5, QLatin1Char(' ')), QString(5, QLatin1Char(' ')),
             QString(4, QLatin1Char(' ')), QString(20, QLatin1Char(' '))};
    // The list is read anew at every lookup (a table changed on disk counts at
    // once) but only the record that answers is decoded.
    const LookupTable okrsky = okrskyTable();
    const QByteArray& all = okrsky.bytes;
    const qsizetype count = all.size() / kOkrskySize;
    const qsizetype first = firstRecordOfMunicipality(okrsky, RawKey(o));
    bool found = first >= 0;
    // Without a match the entry is the last record read, as a plain scan
    // leaves it.
    if (found)
        entry = TOkrsky::fromRecord(all.mid(first * kOkrskySize, kOkrskySize));
    else if (count > 0)
        entry = TOkrsky::fromRecord(all.right(kOkrskySize));
    // Only the first record of a municipality decides its range, even when the
    // municipality is listed again further on.
    if (found) {
        const int recordNo = int(first + 1);
        const qint32 od = fieldToInt(entry.OkrsekOd, okrsky.path, recordNo, "OkrsekOd");
        const qint32 po = fieldToInt(entry.OkrsekDo, okrsky.path, recordNo, "OkrsekDo");
        found = od <= k && k <= po;
    }
    if (o == QLatin1String(kZvlastniObec)) {
        const QByteArray special = zvlastniTable().bytes;
        found = false;
        for (qsizetype pos = 0; pos < special.size(); pos += kQzrzvoSize) {
            if (getInt32(special, int(pos) + 8) != k)
                continue;
            const TZvlastniOkrsek z = TZvlastniOkrsek::fromRecord(special.mid(pos, kQzrzvoSize));
            // The first record with this precinct number decides, whatever
            // municipality it names.
            if (z.Obec == o) {
                found = true;
                entry.Obec = o;
                entry.NazevObce = z.NazevObce;
                entry.NazevOkresu = z.NazevOkresu;
            }
            break;
        }
    }
    return found;
}

bool ExistujeObec(const QString& o) {
    return firstRecordOfMunicipality(okrskyTable(), RawKey(o)) >= 0;
}

QList<TAktOkrsek> expectedPrecincts(qsizetype limit) {
    const LookupTable okrsky = okrskyTable();
    const QString zvlastniObec = QLatin1String(kZvlastniObec);
    QList<TAktOkrsek> out;
    auto add = [&](const QString& obec, qint32 okrsek, const QString& path) {
        if (out.size() >= limit)
            throw InOutError(
                QStringLiteral("Tabulky %1 uvádějí více než %2 okrsků; jsou poškozené.")
                    .arg(quotedPath(path))
                    .arg(limit));
        out.append({obec, okrsek});
    };
    QSet<QByteArray> seen;
    const QByteArray& all = okrsky.bytes;
    for (qsizetype pos = 0; pos < all.size(); pos += kOkrskySize) {
        const char* r = all.constData() + pos;
        // Only the first record of a municipality counts, as in the lookup.
        const QByteArray obec = rawShortString(r, kOkrskySize, 0, 6).toByteArray();
        if (seen.contains(obec))
            continue;
        seen.insert(obec);
        const TOkrsky e = TOkrsky::fromRecord(all.mid(pos, kOkrskySize));
        if (e.Obec == zvlastniObec)
            continue;
        const int recordNo = int(pos / kOkrskySize + 1);
        const qint32 od = fieldToInt(e.OkrsekOd, okrsky.path, recordNo, "OkrsekOd");
        const qint32 po = fieldToInt(e.OkrsekDo, okrsky.path, recordNo, "OkrsekDo");
        for (qint64 k = od; k <= po; ++k)
            add(e.Obec, qint32(k), okrsky.path);
    }
    const LookupTable zvlastni = zvlastniTable();
    QSet<qint32> cisla;
    for (qsizetype pos = 0; pos < zvlastni.bytes.size(); pos += kQzrzvoSize) {
        const qint32 k = getInt32(zvlastni.bytes, int(pos) + 8);
        if (cisla.contains(k))
            continue;
        cisla.insert(k);
        if (TZvlastniOkrsek::fromRecord(zvlastni.bytes.mid(pos, kQzrzvoSize)).Obec == zvlastniObec)
            add(zvlastniObec, k, zvlastni.path);
    }
    return out;
}

// ---- party list and candidates ----

void NactiStrany(TSeznamStran& seznam) {
    const QString path = programFile(QStringLiteral("STRANY.RCD"));
    const QList<QByteArray> records = readRecords(path, kStranySize);
    // The record has room for 30 parties only; a longer list means a damaged
    // or foreign installation, and entering votes against a cut list would
    // give a wrong record, so the file is refused as a whole.
    if (records.size() > kMaxStran)
        throw InOutError(QStringLiteral("Soubor %1 obsahuje %2 stran, program jich pojme "
                                        "nejvýše %3.")
                             .arg(quotedPath(path))
                             .arg(records.size())
                             .arg(kMaxStran));
    TSeznamStran list;
    for (const QByteArray& r : records)
        list.strany.append(TStrana::fromRecord(r));
    seznam = std::move(list);
}

qint32 PocetKandidatu(qint32 strana) {
    const LookupTable strany = stranyTable();
    const QString& path = strany.path;
    const QByteArray& all = strany.bytes;
    int recordNo = 0;
    for (qsizetype pos = 0; pos < all.size(); pos += kStranySize) {
        ++recordNo;
        const char* r = all.constData() + pos;
        qint32 cislo = 0;
        if (!tryBytesToInt(rawShortString(r, kStranySize, 0, 4), cislo))
            fieldToInt(getShortString(all.mid(pos, kStranySize), 0, 4), path, recordNo,
                       "CisloStrany"); // raises, naming the record
        if (cislo == strana)
            return fieldToInt(getShortString(all.mid(pos, kStranySize), 87, 2), path, recordNo,
                              "PocetKand");
    }
    return 0;
}

const TKandidat& Kandidat(const TTabulkaKandidatu& tabulka, int strana, int kandidat) {
    return tabulka.at(size_t(strana - 1)).at(size_t(kandidat - 1));
}

void NactiKandidaty(TTabulkaKandidatu& tabulka) {
    const QString path = programFile(QStringLiteral("KANDIDAT.RCD"));
    const QList<QByteArray> records = readRecords(path, kKandidatSize);
    // Built aside and swapped in at the end: a refused file leaves the table
    // of the previous load intact.
    auto table = std::make_unique<TTabulkaKandidatu>();
    for (auto& party : *table)
        for (TKandidat& c : party) {
            c.KandJmeno1 = QString(15, QLatin1Char('-'));
            c.KandJmeno2 = QString(20, QLatin1Char('-'));
            c.KandPriznak = QStringLiteral("-");
        }
    int recordNo = 0;
    for (const QByteArray& r : records) {
        ++recordNo;
        const TKandidat k = TKandidat::fromRecord(r);
        const qint32 p = fieldToInt(k.CisloStrany, path, recordNo, "CisloStrany");
        const qint32 c = fieldToInt(k.CisloKand, path, recordNo, "CisloKand");
        if (p < 1 || p > kMaxStran || c < 1 || c > kMaxKandidatu)
            throw InOutError(QStringLiteral("Soubor %1 je poškozen: záznam %2 má stranu %3 a "
                                            "kandidáta %4, program zná strany 1 až %5 "
                                            "a kandidáty 1 až %6.")
                                 .arg(quotedPath(path))
                                 .arg(recordNo)
                                 .arg(p)
                                 .arg(c)
                                 .arg(kMaxStran)
                                 .arg(kMaxKandidatu));
        TKandidat& cell = (*table)[size_t(p - 1)][size_t(c - 1)];
        cell.CisloStrany = k.CisloStrany;
        cell.CisloKand = k.CisloKand;
        cell.KandJmeno1 = k.KandJmeno1;
        cell.KandJmeno2 = k.KandJmeno2;
        cell.KandPriznak = k.KandPriznak;
    }
    tabulka = *table;
}

// ---- expected numbers of voters ----

qint32 OcekavaniVolici(const QString& o, qint32 k) {
    const RawKey key(o);
    if (g_inMemory && key.exact)
        return g_inMemory->expectedVoters.value(expectedVotersKey(k, key.bytes), 0);
    const QByteArray all = ocekavaniTable().bytes;
    qint32 result = 0;
    // The last matching record wins: later records correct earlier ones.
    for (qsizetype pos = 0; pos < all.size(); pos += kQzrvokSize)
        if (getInt32(all, int(pos) + 8) == k &&
            key.matches(all.constData() + pos, kQzrvokSize, 0, 6))
            result = getInt32(all, int(pos) + 12);
    return result;
}

// ---- commission members ----

void NactiKomise(QList<TKomise>& jmena) {
    const QList<QByteArray> records =
        readRecords(dataFile(QStringLiteral("KOMISE.RCD")), kKomiseSize);
    // The list holds at most 255 names (the file is written with a one-byte
    // counter); records beyond that cannot have been written by the program
    // and are skipped rather than refusing the commission's own names.
    QList<TKomise> names;
    for (const QByteArray& r : records) {
        if (names.size() >= kMaxKomise)
            break;
        names.append(TKomise::fromRecord(r));
    }
    jmena = std::move(names);
}

void UlozKomise(const QList<TKomise>& jmena) {
    QByteArray content;
    const qsizetype n = std::min<qsizetype>(jmena.size(), kMaxKomise);
    content.reserve(n * kKomiseSize);
    for (qsizetype i = 0; i < n; ++i)
        content.append(jmena.at(i).toRecord());
    writeFileAtomically(dataFile(QStringLiteral("KOMISE.RCD")), content);
}

bool KomiseNeniPrazdna() {
    QFileInfo fi(dataFile(QStringLiteral("KOMISE.RCD")));
    return fi.exists() && fi.size() >= kKomiseSize;
}

} // namespace urn
