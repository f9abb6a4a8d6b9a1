#pragma once

// The export copy: the sealed data file of the station's precinct copied,
// unchanged, to a USB disk or to the export directory on the hard disk.
//
// The copy that leaves the machine must never be a false or half file: it is
// written under a temporary name in the target directory, forced to the
// medium, read back and compared, renamed over the final name, the directory
// forced to the medium, and the final file read back once more. Only then
// does it count as done. A failure removes the temporary file and leaves a
// file already there under the final name as it was.

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>

namespace urn {

// The results of KopirujSoubor, as the export window reads them.
enum TVysledekKopie : int {
    kKopieNepovedla = 0, // neither way of copying succeeded
    kKopieSystemem = 1,  // the system's file copy succeeded
    kKopieBloky = 2,     // the block copy succeeded after the system copy failed
};

// Why a copy failed, for the second line of the message.
enum class DuvodSelhani {
    Zadny,
    ChybiZdroj,     // the data file is not in the data directory
    ZdrojNecitelny, // the data file cannot be read
    ChybiCil,       // the target directory does not exist (or is not a directory)
    PlnyNosic,      // not enough free space on the target
    JenProCteni,    // the target is write-protected (read-only medium)
    BezOpravneni,   // the target directory may not be written by this user
    NosicOdebran,   // the medium went away or fails (input/output error)
    Neshoda,        // what was read back differs from the data file
    CilExistuje,    // a file of that name exists and may not be replaced
    Jine,           // any other system error
};

struct VysledekExportu {
    int kod = kKopieNepovedla;
    DuvodSelhani duvod = DuvodSelhani::Zadny;
    int chyba = 0;      // errno of the failing step, 0 when none
    QString soubor;     // the bare file name of the export
    QString cil;        // the target directory as given
    qint64 potreba = 0; // bytes of the data file
    qint64 volno = -1;  // free bytes of the target, -1 when unknown
    bool ok() const { return kod >= kKopieSystemem; }
};

// The system calls the copy makes, so that tests can make any of them fail
// (a full medium after some bytes, a read-only one, a failing flush, a
// medium that returns other bytes than were written). Every call returns what
// its POSIX namesake returns and leaves errno set on failure.
class ExportIo {
public:
    virtual ~ExportIo();
    virtual int open(const QByteArray& path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* buffer, size_t size);
    virtual ssize_t write(int fd, const void* buffer, size_t size);
    // The kernel's copy of up to `size` bytes between two open files
    // (copy_file_range, else sendfile): the system's file copy.
    virtual ssize_t copyRange(int from, int to, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const QByteArray& from, const QByteArray& to);
    virtual int unlink(const QByteArray& path);
    virtual int stat(const QByteArray& path, struct stat* info);
    virtual int lstat(const QByteArray& path, struct stat* info);
    virtual int statvfs(const QByteArray& path, struct statvfs* info);
    // Drops the file's pages from the cache after they reached the medium,
    // so that reading back reads the medium.
    virtual void dropCache(int fd);
};

// The real system calls.
ExportIo& systemExportIo();

// The name of the exported data file: kind + "E" + municipality + "." + the
// precinct in five digits ("OE123456.00012"). A municipality code that
// could leave the directory raises InOutError.
QString nazevExportu(const QString& iStav, const QString& iObec, qint32 iOkrsek);

// Copies the data file named iStav + "E" + iObec + "." + five-digit iOkrsek
// from the data directory into the directory iCil (ending with "/") under the
// same name. Returns 1 when the system's file copy succeeded, 2 when the
// block copy (4096 bytes at a time) succeeded after it, 0 when both failed or
// the copy could not start. With iNeprepsat an existing file of that name is
// not replaced (a failure); otherwise it is, and a symbolic link of that name
// is replaced, never followed. Both ways of copying check the free space
// first, write a temporary file, force it to the medium and read it back
// before it takes the final name.
int KopirujSoubor(const QString& iCil, const QString& iObec, qint32 iOkrsek, const QString& iStav,
                  bool iNeprepsat);
// The same with the details of a failure and a chosen I/O layer.
VysledekExportu KopirujSouborPodrobne(const QString& iCil, const QString& iObec, qint32 iOkrsek,
                                      const QString& iStav, bool iNeprepsat,
                                      ExportIo& io = systemExportIo());

// ---- outcome texts ----

// The device kind of a removable drive in the texts.
inline constexpr const char* kDruhVymenitelne = "vyjímatelné zařízení";
inline constexpr const char* kExportSeNepovedl = "Export se nepovedl.";

// The second line of the failure message: the reason in Czech.
QString duvodSelhani(const VysledekExportu& v);
// "Export se nepovedl." and the reason on the next line ("\r" between).
QString textSelhani(const VysledekExportu& v);

// The texts of the information window after a successful export to a
// removable drive: the title "Export dat na " + K + " proveden." and the
// message naming the file and the mount point.
QString titulekExportuNaDisk(const QString& druh);
QString textExportuNaDisk(const QString& soubor, const QString& druh, const QString& pripojeni);
// The same after an export to the hard disk's export directory.
QString titulekExportuNaPevnyDisk();
QString textExportuNaPevnyDisk(const QString& soubor, const QString& adresarProgramu);

} // namespace urn
