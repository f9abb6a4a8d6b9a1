#pragma once

// The removable media the export can go to: USB disks and memory cards with
// a mounted filesystem, with their size and free space, and their safe
// removal. A drive is identified by its mount point where other systems use
// a drive letter.

#include <QList>
#include <QString>

namespace urn {

// One removable medium.
struct TZarExp {
    QString Pozice;     // the mount point, e.g. "/media/komise/KOMISE"
    QString Nazev;      // what identifies it to a person: its label, else its device
    QString Zarizeni;   // the device, e.g. "/dev/sdb1"
    QString Objekt;     // the system's handle of its filesystem (for the removal)
    qint64 Size = -1;   // total bytes of the medium, -1 when they cannot be read
    qint64 Free = -1;   // bytes free for the user, -1 when they cannot be read
    quint64 Svazek = 0; // the filesystem found at the mount point when listed
    // Why the medium cannot take the export, as a sentence for the
    // commission ("Disk CIZI nelze připojit: …"); empty when it can.
    QString Chyba;
};

// How a safe removal ended.
enum class StavOdebrani {
    Odebran,    // flushed, unmounted and the drive powered off or ejected
    LzeVyjmout, // flushed and unmounted, but the drive stays on: safe to pull out
    Nepovedlo,  // still mounted (the flush or the unmount failed): not safe
};

struct VysledekOdebrani {
    StavOdebrani stav = StavOdebrani::Nepovedlo;
    QString duvod; // why it failed, in Czech; empty when not known
};

// Where the list of media and the safe removal come from: the system's disk
// service in the program, a fake in tests.
class RemovableMedia {
public:
    virtual ~RemovableMedia();
    // The removable media with a filesystem, in device order, without sizes.
    // A filesystem that is present but not mounted is mounted first; one that
    // cannot be mounted (or an encrypted one) is listed without a mount
    // point and with the reason in Chyba. Without the disk service the list
    // is empty; nothing is reported.
    virtual QList<TZarExp> SeznamVymenitelnych() = 0;
    // Flushes the medium's filesystem, unmounts it and powers its drive off
    // (or ejects it when it cannot power off). What is done already (a
    // filesystem no longer mounted) is not done again, so a second call
    // after a drive that would not power off answers from the device as it
    // is now. A failed flush or unmount ends the removal as Nepovedlo; a
    // failed power-off after them leaves the medium safe (LzeVyjmout).
    virtual VysledekOdebrani OdeberDisk(const TZarExp& disk) = 0;
};

// The media of SeznamVymenitelnych with the size and free space of each
// mounted filesystem (-1 when they cannot be read, with the reason in Chyba):
// the device table of the export window.
QList<TZarExp> NactiZarizeni(RemovableMedia& media);

// Whether the medium is still mounted where it was listed: the filesystem at
// its mount point is the one found there when the list was loaded. A medium
// unmounted meanwhile leaves an empty directory of the system disk, which
// must not receive the export.
bool JeStalePripojen(const TZarExp& disk);

// The media service of the program (UDisks2 on the system bus) unless
// another one was registered (tests); not owned.
RemovableMedia& removableMedia();
void setRemovableMedia(RemovableMedia* media);

} // namespace urn
