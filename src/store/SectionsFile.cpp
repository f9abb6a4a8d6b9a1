// HLASO.RCD: sections I and III of the record, one 1194-byte record of short
// strings in the data directory.

#include "store/SectionsFile.h"

#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"

#include <QFileInfo>

namespace urn {

namespace {

struct HlasoField {
    QString THlaso::*member;
    int offset;
    int capacity;
};

// clang-format off
constexpr HlasoField kHlasoFields[] = {
    {&THlaso::DatumVoleb, 0, 10},    {&THlaso::Zahajeno1, 11, 5},     {&THlaso::Ukonceno1, 17, 5},
    {&THlaso::Zahajeno2, 23, 5},     {&THlaso::Ukonceno2, 29, 5},     {&THlaso::Odroc, 35, 1},
    {&THlaso::OdrocenoD, 37, 23},    {&THlaso::OdrocenoH, 61, 2},     {&THlaso::OdrocenoM, 64, 2},
    {&THlaso::DuvodOdroc, 67, 200},  {&THlaso::Prodl, 268, 1},        {&THlaso::ProdlouzD, 270, 23},
    {&THlaso::ProdlouzH, 294, 2},    {&THlaso::ProdlouzM, 297, 2},    {&THlaso::DuvodProdl, 300, 200},
    {&THlaso::Prerus, 501, 1},       {&THlaso::PrerusD, 503, 23},     {&THlaso::PrerusOd, 527, 5},
    {&THlaso::PrerusDo, 533, 5},     {&THlaso::DuvodPrer, 539, 200},  {&THlaso::Stizn, 740, 1},
    {&THlaso::StizListu, 742, 2},    {&THlaso::Schranka, 745, 1},     {&THlaso::PrilListu, 747, 2},
    {&THlaso::ClenuOVKC, 750, 2},    {&THlaso::ClenuOVKP, 753, 2},    {&THlaso::Ostatni, 756, 200},
    {&THlaso::PoverPred, 957, 200},  {&THlaso::Zapisovat, 1158, 35},
};
// clang-format on

QString hlasoPath() {
    return dataFile(QStringLiteral("HLASO.RCD"));
}

} // namespace

QByteArray hlasoToBytes(const THlaso& hlaso) {
    QByteArray record(kHlasoSize, '\0');
    for (const HlasoField& f : kHlasoFields)
        putShortString(record, f.offset, f.capacity, hlaso.*f.member);
    return record;
}

THlaso hlasoFromBytes(const QByteArray& record) {
    THlaso h;
    for (const HlasoField& f : kHlasoFields)
        h.*f.member = getShortString(record, f.offset, f.capacity);
    return h;
}

void NactiHlaso(THlaso& hlaso) {
    const QString path = hlasoPath();
    // A station that has not entered sections I and III yet has no file:
    // that is an empty record, not a failure.
    if (!QFileInfo::exists(path)) {
        hlaso = THlaso{};
        return;
    }
    hlaso = hlasoFromBytes(readFirstRecord(path, kHlasoSize));
}

void UlozHlaso(const THlaso& hlaso) {
    writeFileAtomically(hlasoPath(), hlasoToBytes(hlaso));
}

} // namespace urn
