#include "SectionsFileFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "core/Errors.h"
#include "store/PrecinctRecord.h"
#include "store/SectionsFile.h"

#include <QStringList>

namespace urn::fuzz {

namespace {

QStringList fieldsOf(const THlaso& h) {
    return {h.DatumVoleb, h.Zahajeno1, h.Ukonceno1,  h.Zahajeno2,  h.Ukonceno2, h.Odroc,
            h.OdrocenoD,  h.OdrocenoH, h.OdrocenoM,  h.DuvodOdroc, h.Prodl,     h.ProdlouzD,
            h.ProdlouzH,  h.ProdlouzM, h.DuvodProdl, h.Prerus,     h.PrerusD,   h.PrerusOd,
            h.PrerusDo,   h.DuvodPrer, h.Stizn,      h.StizListu,  h.Schranka,  h.PrilListu,
            h.ClenuOVKC,  h.ClenuOVKP, h.Ostatni,    h.PoverPred,  h.Zapisovat};
}

// What sections I and III hold in memory before the file is read.
THlaso earlierSections() {
    THlaso h;
    h.DatumVoleb = QStringLiteral("předchozí");
    h.ClenuOVKP = QStringLiteral("7");
    return h;
}

} // namespace

bool runSectionsFileInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    // Choices: bit 0 no file at all, bit 1 the file name in lower case.
    const quint8 choice = in.byte();
    const QByteArray file = in.rest();
    const bool missing = choice & 1;

    ScratchInstall inst;
    const QString path =
        inst.dirs().data + (choice & 2 ? QStringLiteral("hlaso.rcd") : QStringLiteral("HLASO.RCD"));
    if (!missing)
        ScratchInstall::write(path, file);
    const QStringList filesBefore = ScratchInstall::files(inst.dirs().data);

    THlaso hlaso = earlierSections();
    try {
        NactiHlaso(hlaso);
    } catch (const UrnariumError&) {
        // Only a file shorter than the record may be refused, and the sections
        // already in memory must survive the refusal.
        return !missing && file.size() < kHlasoSize &&
               fieldsOf(hlaso) == fieldsOf(earlierSections());
    }
    if (missing) {
        if (fieldsOf(hlaso) != fieldsOf(THlaso{}))
            return false;
    } else if (file.size() < kHlasoSize ||
               fieldsOf(hlaso) != fieldsOf(hlasoFromBytes(file.left(kHlasoSize)))) {
        return false;
    }

    QStringList expected = fieldsOf(hlaso);
    for (QString& f : expected)
        f = asWrittenBack(f);
    try {
        UlozHlaso(hlaso);
        // A missing file is created under the name the program asks for.
        const QByteArray written =
            ScratchInstall::read(missing ? inst.dirs().data + QStringLiteral("HLASO.RCD") : path);
        if (written.size() != kHlasoSize)
            return false;
        if (ScratchInstall::files(inst.dirs().data) !=
            (missing ? QStringList{QStringLiteral("HLASO.RCD")} : filesBefore))
            return false;
        hlaso = earlierSections();
        NactiHlaso(hlaso);
    } catch (const UrnariumError&) {
        return true;
    }
    return fieldsOf(hlaso) == expected;
}

} // namespace urn::fuzz
