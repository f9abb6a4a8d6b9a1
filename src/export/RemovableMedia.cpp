#include "export/RemovableMedia.h"

#include "export/UDisksMedia.h"

#include <QFile>
#include <QStorageInfo>

#include <sys/stat.h>

namespace urn {

RemovableMedia::~RemovableMedia() = default;

QList<TZarExp> NactiZarizeni(RemovableMedia& media) {
    QList<TZarExp> tabulka = media.SeznamVymenitelnych();
    for (TZarExp& z : tabulka) {
        z.Size = -1;
        z.Free = -1;
        if (z.Pozice.isEmpty() || !z.Chyba.isEmpty())
            continue;
        const QStorageInfo info(z.Pozice);
        // A mount point that went away, or a filesystem that does not answer,
        // has no size: the medium is not offered.
        struct stat st {};
        if (!info.isValid() || !info.isReady() || info.bytesTotal() <= 0 ||
            ::stat(QFile::encodeName(z.Pozice).constData(), &st) != 0) {
            z.Chyba =
                QStringLiteral("Disk %1 nelze použít: nelze zjistit jeho velikost.").arg(z.Nazev);
            continue;
        }
        z.Size = info.bytesTotal();
        z.Free = info.bytesAvailable();
        z.Svazek = quint64(st.st_dev);
    }
    return tabulka;
}

bool JeStalePripojen(const TZarExp& disk) {
    struct stat st {};
    return !disk.Pozice.isEmpty() && disk.Svazek != 0 &&
           ::stat(QFile::encodeName(disk.Pozice).constData(), &st) == 0 &&
           quint64(st.st_dev) == disk.Svazek;
}

namespace {
RemovableMedia* g_media = nullptr;
}

RemovableMedia& removableMedia() {
    if (g_media)
        return *g_media;
    static UDisksMedia udisks;
    return udisks;
}

void setRemovableMedia(RemovableMedia* media) {
    g_media = media;
}

} // namespace urn
