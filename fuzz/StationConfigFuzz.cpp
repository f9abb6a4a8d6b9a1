#include "StationConfigFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "core/Errors.h"
#include "store/CodePage.h"
#include "store/StationConfig.h"

#include <QFileInfo>

namespace urn::fuzz {

namespace {

// The layout of the record, stated here independently of the reader.
struct StationField {
    QString TStanice::*text; // null for the precinct number
    int offset;
    int width; // bytes the field occupies, the length byte included
};
const StationField kFields[] = {
    {&TStanice::NazevObce, 7, 41},
    {&TStanice::Obec, 48, 7},
    {nullptr, 56, 4},
    {&TStanice::IdStanice, 157, 11},
    {&TStanice::PriponaPisma, 219, 4},
    {&TStanice::VerzeOS, 223, 3},
    {&TStanice::Stav, 226, 2},
};
constexpr int kOffStav = 226;

bool sameFields(const TStanice& a, const TStanice& b) {
    return a.NazevObce == b.NazevObce && a.Obec == b.Obec && a.Okrsek == b.Okrsek &&
           a.IdStanice == b.IdStanice && a.PriponaPisma == b.PriponaPisma &&
           a.VerzeOS == b.VerzeOS && a.Stav == b.Stav;
}

// Bytes outside [from, to) are equal (both arrays of the record's size).
bool equalOutside(const QByteArray& a, const QByteArray& b, int from, int to) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if ((i < from || i >= to) && a.at(i) != b.at(i))
            return false;
    return true;
}

// Reading the data directory's copy: what is read is the file's first record,
// and it writes back unchanged; a file shorter than a record is refused and
// leaves the configuration in memory alone.
bool readsFaithfully(const QByteArray& file) {
    TStanice before;
    before.NazevObce = QStringLiteral("předchozí");
    TStanice stanice = before;
    try {
        stanice = NactiStanici();
    } catch (const UrnariumError&) {
        return file.size() < kStaniceSize && sameFields(stanice, before);
    }
    if (file.size() < kStaniceSize)
        return false;
    const QByteArray record = file.left(kStaniceSize);
    return sameFields(stanice, TStanice::fromRecord(record)) && stanice.raw == record &&
           stanice.toRecord() == record;
}

// Changing one field in memory: the record written differs from the one read
// only within that field, and reads back with the new value (as far as the
// field and the code page can hold it).
bool changesOnlyTheField(const QByteArray& record, quint8 which, const QByteArray& valueBytes) {
    const StationField& f = kFields[which % std::size(kFields)];
    TStanice s = TStanice::fromRecord(record);
    const QString value = fromCp1250(valueBytes);
    if (f.text)
        s.*f.text = value;
    else
        s.Okrsek = qint32(valueBytes.size() * 7919 - 50000);
    const QByteArray written = s.toRecord();
    if (written.size() != kStaniceSize ||
        !equalOutside(written, record, f.offset, f.offset + f.width))
        return false;
    const TStanice again = TStanice::fromRecord(written);
    if (!f.text)
        return again.Okrsek == s.Okrsek;
    // A value equal to the one read leaves the bytes as they were.
    if (TStanice::fromRecord(record).*f.text == value)
        return written == record;
    return again.*f.text == asWrittenBack(value.left(f.width - 1));
}

// ZapisStav: the configuration's file keeps every byte but the two of the
// mark, whatever else it holds; a file shorter than a record is refused and
// left as it was; no temporary file stays behind.
bool marksOnlyTheStav(const ScratchInstall& inst, const QString& name, const QByteArray& file,
                      const QString& letter) {
    const QString path = inst.dirs().config + name;
    ScratchInstall::write(path, file);
    const QStringList filesBefore = ScratchInstall::files(inst.dirs().config);
    TStanice stanice;
    bool refused = false;
    try {
        ZapisStav(stanice, letter);
    } catch (const UrnariumError&) {
        refused = true;
    }
    const QByteArray after = ScratchInstall::read(path);
    if (ScratchInstall::files(inst.dirs().config) != filesBefore)
        return false;
    if (refused)
        return file.size() < kStaniceSize && after == file;
    if (file.size() < kStaniceSize || !equalOutside(after, file, kOffStav, kOffStav + 2))
        return false;
    const QByteArray mark = toCp1250(letter.left(1));
    return after.at(kOffStav) == char(mark.size()) &&
           after.at(kOffStav + 1) == (mark.isEmpty() ? '\0' : mark.at(0)) &&
           stanice.Stav == fromCp1250(mark) &&
           sameFields(stanice,
                      TStanice::fromRecord(
                          file.left(kStaniceSize).replace(kOffStav, 2, after.mid(kOffStav, 2))));
}

} // namespace

bool runStationConfigInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    // Choices: bit 0 the spelling of the file name (the lookup ignores case),
    // bits 1-3 the field changed in memory, bits 4-6 the mark written.
    const quint8 choice = in.byte();
    const quint8 valueLength = in.byte();
    const QByteArray value = in.take(valueLength % 64);
    const QByteArray file = in.rest();
    const QString name = choice & 1 ? QStringLiteral("stanice.rcd") : QStringLiteral("STANICE.RCD");
    static const QString kMarks[] = {
        QStringLiteral("A"), QStringLiteral("N"),  QStringLiteral("E"), QString(),
        QStringLiteral("Ž"), QStringLiteral("AN"), QStringLiteral("€"), QStringLiteral("\u4e2d")};
    const QString& letter = kMarks[(choice >> 4) % 8];

    ScratchInstall inst;
    ScratchInstall::write(inst.dirs().data + name, file);
    try {
        if (!readsFaithfully(file))
            return false;
        if (file.size() >= kStaniceSize &&
            !changesOnlyTheField(file.left(kStaniceSize), choice >> 1, value))
            return false;
        return marksOnlyTheStav(inst, name, file, letter);
    } catch (const UrnariumError&) {
        return true;
    }
}

} // namespace urn::fuzz
