#include "store/StationConfig.h"

#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"

namespace urn {

namespace {
constexpr int kOffStav = 226;
} // namespace

TStanice TStanice::fromRecord(const QByteArray& record) {
    TStanice s;
    s.raw = record.left(kStaniceSize);
    s.raw.resize(kStaniceSize, '\0');
    s.NazevObce = getShortString(s.raw, 7, 40);
    s.Obec = getShortString(s.raw, 48, 6);
    s.Okrsek = getInt32(s.raw, 56);
    s.IdStanice = getShortString(s.raw, 157, 10);
    s.PriponaPisma = getShortString(s.raw, 219, 3);
    s.VerzeOS = getShortString(s.raw, 223, 2);
    s.Stav = getShortString(s.raw, kOffStav, 1);
    return s;
}

QByteArray TStanice::toRecord() const {
    QByteArray r = raw;
    r.resize(kStaniceSize, '\0');
    // Fields that did not change keep their bytes, the undefined rest of
    // their capacity included.
    updateShortString(r, 7, 40, NazevObce);
    updateShortString(r, 48, 6, Obec);
    putInt32(r, 56, Okrsek);
    updateShortString(r, 157, 10, IdStanice);
    updateShortString(r, 219, 3, PriponaPisma);
    updateShortString(r, 223, 2, VerzeOS);
    updateShortString(r, kOffStav, 1, Stav);
    return r;
}

TAktOkrsek TStanice::okrsek() const {
    return {Obec.left(6), Okrsek};
}

TStanice NactiStanici() {
    return TStanice::fromRecord(
        readFirstRecord(dataFile(QStringLiteral("STANICE.RCD")), kStaniceSize));
}

void ZapisStav(TStanice& stanice, const QString& letter) {
    const QString path = configFile(QStringLiteral("STANICE.RCD"));
    // The whole file is read and written back so that anything the
    // installation keeps beyond the first record stays as it is.
    QByteArray file = readFileBytes(path);
    requireOneRecord(file, path, kStaniceSize);
    putShortString(file, kOffStav, 1, letter.left(1));
    writeFileAtomically(path, file);
    stanice = TStanice::fromRecord(file.left(kStaniceSize));
}

} // namespace urn
