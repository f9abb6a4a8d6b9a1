#include "RecoveryCopyFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "core/Errors.h"
#include "store/RecoveryCopy.h"

#include <optional>

namespace urn::fuzz {

namespace {

const QString kSource = QStringLiteral("fuzz-input");

std::optional<RecoveryCopy> parsed(const QByteArray& content) {
    try {
        return parseRecoveryContent(content, kSource);
    } catch (const UrnariumError&) {
        return std::nullopt;
    }
}

QByteArray contentOf(const RecoveryCopy& copy) {
    return recoveryContent(copy.okrsek, copy.record, copy.jmenaKomise);
}

// The window offers a copy it has read and writes it again as typing goes
// on: what the writer makes of it must read back to the same content, both
// as text and through the sealed file.
bool writesBackTheSame(const RecoveryCopy& copy) {
    const QByteArray content = contentOf(copy);
    const std::optional<RecoveryCopy> again = parsed(content);
    if (!again || contentOf(*again) != content)
        return false;
    try {
        writeRecoveryCopy(content);
        return contentOf(readRecoveryCopy()) == content;
    } catch (const UrnariumError&) {
        return false;
    }
}

} // namespace

bool runRecoveryCopyInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const quint8 choice = in.byte();
    const QByteArray input = in.rest();
    const bool asContent = choice & 1;

    ScratchInstall inst;
    const QString path = inst.dirs().config +
                         (choice & 2 ? QStringLiteral("obnova.dat") : QStringLiteral("OBNOVA.DAT"));
    if (asContent) {
        try {
            writeRecoveryCopy(input);
        } catch (const UrnariumError&) {
            return false; // any content the window gives must reach the disk
        }
        if (!recoveryCopyExists())
            return false;
    } else {
        ScratchInstall::write(path, input);
    }
    if (!recoveryCopyExists() || recoveryCopyPath().compare(path, Qt::CaseInsensitive) != 0)
        return false;
    const QString onDisk = recoveryCopyPath();
    const QByteArray fileBefore = ScratchInstall::read(onDisk);
    const QStringList filesBefore = ScratchInstall::files(inst.dirs().config);

    std::optional<RecoveryCopy> copy;
    try {
        copy = readRecoveryCopy();
    } catch (const UrnariumError&) {
    }
    // Reading, refused or not, changes nothing on disk: a refused copy is
    // still there for the commission to take elsewhere.
    if (ScratchInstall::read(onDisk) != fileBefore ||
        ScratchInstall::files(inst.dirs().config) != filesBefore)
        return false;
    // Sealing is transparent: the file the writer made reads as its content
    // does.
    if (asContent) {
        const std::optional<RecoveryCopy> direct = parsed(input);
        if (direct.has_value() != copy.has_value() ||
            (direct && contentOf(*direct) != contentOf(*copy)))
            return false;
    }
    return !copy || writesBackTheSame(*copy);
}

} // namespace urn::fuzz
