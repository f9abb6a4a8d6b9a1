#pragma once

// A throw-away installation for the reader targets: a program directory
// (reference tables, CISCHYB.RCD, the configuration's STANICE.RCD) with data/
// below it, made once per process under $TMPDIR and emptied for every input,
// so that each run sees exactly the files it writes.

#include "store/InstallDirs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace urn::fuzz {

class ScratchInstall {
public:
    // Empties the directories and makes them the installation's; writes are
    // not forced to the disk while it lives (nothing here has to survive).
    ScratchInstall();
    // Restores the directories and the sync setting found at construction.
    ~ScratchInstall();
    ScratchInstall(const ScratchInstall&) = delete;
    ScratchInstall& operator=(const ScratchInstall&) = delete;

    const InstallDirs& dirs() const { return m_dirs; }

    static void write(const QString& path, const QByteArray& content);
    // The file's content; a missing file reads as a null array.
    static QByteArray read(const QString& path);
    // The names in a directory, sorted: a write that left a temporary file
    // behind shows up here.
    static QStringList files(const QString& dir);

private:
    InstallDirs m_dirs;
    InstallDirs m_previous;
    bool m_previousSync;
};

} // namespace urn::fuzz
