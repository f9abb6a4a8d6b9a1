#include "DataFileFuzz.h"

#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/Sealing.h"
#include "store/SectionsFile.h"

namespace urn::fuzz {

namespace {

const QString kSource = QStringLiteral("fuzz-input");
// Small enough that a hostile size field cannot slow the fuzzer down, large
// enough for every line we write.
constexpr qint64 kMaxContent = 256 * 1024;

QByteArray firstLine(QByteArray content) {
    for (qsizetype i = 0; i < content.size(); ++i) {
        if (content.at(i) == '\r' || content.at(i) == '\n') {
            content.truncate(i);
            break;
        }
    }
    return content;
}

// What was read and can be written must read back the same: the line
// format is a fixed point after one round.
bool lineRoundTrips(const QByteArray& line) {
    for (char kind : {kKindE, kKindO}) {
        TPrecinctRecord record;
        try {
            lineToRecord(line, kind, record);
        } catch (const UrnariumError&) {
            continue;
        }
        if (!overWideFields(record, kind).isEmpty())
            continue;
        const QByteArray written = recordToLine(record, kind);
        TPrecinctRecord again;
        lineToRecord(written, kind, again);
        if (recordToLine(again, kind) != written)
            return false;
    }
    return true;
}

bool hlasoRoundTrips(const QByteArray& bytes) {
    const THlaso h = hlasoFromBytes(bytes);
    const QByteArray written = hlasoToBytes(h);
    return written.size() == kHlasoSize && hlasoToBytes(hlasoFromBytes(written)) == written;
}

} // namespace

bool runDataFileInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return true;
    const int mode = data[0] % 4;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QByteArray key(kKlicDatovychSouboru);
    try {
        switch (mode) {
        case 0:
            return lineRoundTrips(
                firstLine(unpackContainer(unsealBytes(input, key, kSource), kSource, kMaxContent)));
        case 1: {
            const QByteArray unsealed = unsealBytes(sealBytes(input, key), key, kSource);
            if (unsealed.left(input.size()) != input || unsealed.size() % 8 != 0)
                return false;
            return lineRoundTrips(firstLine(unpackContainer(unsealed, kSource, kMaxContent)));
        }
        case 2:
            return lineRoundTrips(firstLine(input));
        default:
            return hlasoRoundTrips(input);
        }
    } catch (const UrnariumError&) {
        return true;
    }
}

} // namespace urn::fuzz
