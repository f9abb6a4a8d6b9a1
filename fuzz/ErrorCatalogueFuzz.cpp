#include "ErrorCatalogueFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "checks/ErrorCatalogue.h"
#include "core/Errors.h"
#include "store/CodePage.h"

#include <QStringList>

#include <algorithm>
#include <optional>

namespace urn::fuzz {

namespace {

constexpr int kMaxFindings = 16;

QStringList fieldsOf(const TChybaInfo& e) {
    return {QString::number(e.Chyba), e.TypChyby, e.ZkrText};
}

// The entry a catalogue over these records must give for the number: the
// first in file order, or the "not found" entry.
QStringList referenceEntry(const QList<TChybaInfo>& entries, qint32 number) {
    for (const TChybaInfo& e : entries)
        if (e.Chyba == number)
            return fieldsOf(e);
    return {QStringLiteral("-1"), QString(), QString::fromUtf8(kChybaNenalezena)};
}

bool protocolHolds(const TCisChyb& catalogue, const QList<TChybaInfo>& entries,
                   const QList<TChyba>& added) {
    TChybProt prot(catalogue);
    for (const TChyba& c : added)
        prot.PridejChybu(c.EStrana, c.Chyba, c.Param);
    // The protocol holds the findings added, each parameter as a record field
    // would carry it, in the order of their one-line form.
    QStringList expected;
    for (TChyba c : added) {
        c.Param = fromCp1250(toCp1250(c.Param).left(kParamCapacity));
        expected.append(c.AsString());
    }
    std::sort(expected.begin(), expected.end());
    if (prot.count() != expected.size())
        return false;
    for (int i = 0; i < prot.count(); ++i) {
        const TChyba& c = prot.VratChybu(i);
        if (c.AsString() != expected.at(i) || !fitsCp1250(c.Param))
            return false;
        const QString text = referenceEntry(entries, c.Chyba).at(2);
        if (prot.VratHlasku(i) != text || prot.VratHlaskuParam(i) != text + u' ' + c.Param)
            return false;
    }
    // Asking past either end is refused, not read from beyond the list.
    for (int index : {-1, prot.count()}) {
        try {
            prot.VratChybu(index);
            return false;
        } catch (const UrnariumError&) {
        }
    }
    return true;
}

} // namespace

bool runErrorCatalogueInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const quint8 choice = in.byte();
    const quint8 which = in.byte();
    const qint32 number = in.int32();
    QList<TChyba> added;
    const int findings = in.byte() % (kMaxFindings + 1);
    for (int i = 0; i < findings; ++i) {
        TChyba c;
        c.EStrana = qint8(in.byte());
        c.Chyba = qint8(in.byte());
        c.Param = fromCp1250(in.take(in.byte()));
        added.append(c);
    }
    const QByteArray file = in.rest();
    const bool missing = choice & 1;

    ScratchInstall inst;
    if (!missing)
        ScratchInstall::write(inst.dirs().program + (choice & 2 ? QStringLiteral("cischyb.rcd")
                                                                : QStringLiteral("CISCHYB.RCD")),
                              file);

    // Every whole record, in file order; a trailing partial record is not
    // part of the catalogue.
    QList<TChybaInfo> entries;
    for (qsizetype pos = 0; pos + kCisChybSize <= file.size(); pos += kCisChybSize)
        entries.append(TChybaInfo::fromRecord(file.mid(pos, kCisChybSize)));

    std::optional<TCisChyb> catalogue;
    try {
        catalogue.emplace();
    } catch (const UrnariumError&) {
        return missing;
    }
    if (missing || catalogue->count() != entries.size())
        return false;
    for (const TChybaInfo& e : entries) {
        // Each record reads back the same after being written.
        const QByteArray written = e.toRecord();
        QStringList expected = fieldsOf(e);
        for (QString& f : expected)
            f = asWrittenBack(f);
        if (written.size() != kCisChybSize || fieldsOf(TChybaInfo::fromRecord(written)) != expected)
            return false;
    }
    const qint32 looked =
        choice & 0x80 || entries.isEmpty() ? number : entries.at(which % entries.size()).Chyba;
    if (fieldsOf(catalogue->NajdiChybu(looked)) != referenceEntry(entries, looked))
        return false;
    // The findings of a check run name the catalogue's numbers as well as
    // others.
    for (TChyba& c : added)
        if (!entries.isEmpty() && c.Chyba >= 0)
            c.Chyba = entries.at(c.Chyba % entries.size()).Chyba;
    return protocolHolds(*catalogue, entries, added);
}

} // namespace urn::fuzz
