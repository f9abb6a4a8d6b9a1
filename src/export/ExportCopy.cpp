#include "export/ExportCopy.h"

#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <unistd.h>

namespace urn {

ExportIo::~ExportIo() = default;

int ExportIo::open(const QByteArray& path, int flags, mode_t mode) {
    return ::open(path.constData(), flags, mode);
}
ssize_t ExportIo::read(int fd, void* buffer, size_t size) {
    return ::read(fd, buffer, size);
}
ssize_t ExportIo::write(int fd, const void* buffer, size_t size) {
    return ::write(fd, buffer, size);
}
ssize_t ExportIo::copyRange(int from, int to, size_t size) {
    const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, size, 0);
    if (n >= 0)
        return n;
    // Between different filesystems (the data on ext4, the USB disk in FAT)
    // older and newer kernels refuse copy_file_range; sendfile copies there.
    if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
        return ::sendfile(to, from, nullptr, size);
    return n;
}
int ExportIo::fsync(int fd) {
    return ::fsync(fd);
}
int ExportIo::close(int fd) {
    return ::close(fd);
}
int ExportIo::rename(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData());
}
int ExportIo::unlink(const QByteArray& path) {
    return ::unlink(path.constData());
}
int ExportIo::stat(const QByteArray& path, struct stat* info) {
    return ::stat(path.constData(), info);
}
int ExportIo::lstat(const QByteArray& path, struct stat* info) {
    return ::lstat(path.constData(), info);
}
int ExportIo::statvfs(const QByteArray& path, struct statvfs* info) {
    return ::statvfs(path.constData(), info);
}
void ExportIo::dropCache(int fd) {
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

ExportIo& systemExportIo() {
    static ExportIo io;
    return io;
}

namespace {

constexpr size_t kBlok = 4096;

DuvodSelhani duvodZChyby(int e) {
    switch (e) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DuvodSelhani::PlnyNosic;
    case EROFS:
        return DuvodSelhani::JenProCteni;
    case EACCES:
    case EPERM:
        return DuvodSelhani::BezOpravneni;
    case ENOENT:
    case ENOTDIR:
        return DuvodSelhani::ChybiCil;
    case EIO:
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
    case ESTALE:
    case ENOTCONN:
    case EREMOTEIO:
        return DuvodSelhani::NosicOdebran;
    default:
        return DuvodSelhani::Jine;
    }
}

// One failed step of a copy.
struct Selhani {
    DuvodSelhani duvod = DuvodSelhani::Zadny;
    int chyba = 0;
};

Selhani zChyby(int e) {
    return {duvodZChyby(e), e};
}

// A file descriptor closed at the end of its scope. The written file's close
// is checked on its own (closeChecked), as some filesystems report delayed
// write errors only there.
class Fd {
public:
    Fd(ExportIo& io, int fd) : m_io(io), m_fd(fd) {}
    ~Fd() { reset(-1); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    void reset(int fd) {
        if (m_fd >= 0)
            m_io.close(m_fd);
        m_fd = fd;
    }
    int closeChecked() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 ? m_io.close(fd) : 0;
    }

private:
    ExportIo& m_io;
    int m_fd;
};

// Reads a whole file; false with errno set on failure.
bool nactiCely(ExportIo& io, int fd, QByteArray& out) {
    out.clear();
    char buffer[kBlok];
    for (;;) {
        const ssize_t n = io.read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        out.append(buffer, n);
    }
}

// Writes all bytes: a write that takes fewer goes on with the rest; one that
// takes none or fails is a failure (errno set).
bool zapisCele(ExportIo& io, int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = io.write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Reads the file at `path` back from the medium (its pages dropped from the
// cache first) and compares it with `expected`.
Selhani porovnej(ExportIo& io, const QByteArray& path, const QByteArray& expected) {
    Fd fd(io, io.open(path, O_RDONLY | O_CLOEXEC | O_NOFOLLOW, 0));
    if (!fd.valid())
        return zChyby(errno);
    io.dropCache(fd.get());
    QByteArray back;
    if (!nactiCely(io, fd.get(), back))
        return zChyby(errno);
    if (back != expected)
        return {DuvodSelhani::Neshoda, 0};
    return {};
}

Selhani fsyncAdresare(ExportIo& io, const QByteArray& dir) {
    Fd fd(io, io.open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (!fd.valid())
        return zChyby(errno);
    if (io.fsync(fd.get()) != 0) {
        // Some filesystems cannot sync a directory at all; the new name then
        // reaches the medium with the next sync or the safe removal.
        if (errno == EINVAL || errno == EOPNOTSUPP)
            return {};
        return zChyby(errno);
    }
    return {};
}

enum class Zpusob { Systemem, Bloky };

// The source's content goes to the temporary file by the kernel's copy or
// block by block from the source file, as the two ways of copying do.
Selhani zkopirujObsah(ExportIo& io, Zpusob zpusob, const QByteArray& zdroj, int out,
                      qint64 velikost) {
    Fd in(io, io.open(zdroj, O_RDONLY | O_CLOEXEC, 0));
    if (!in.valid()) {
        Selhani s = zChyby(errno);
        s.duvod = errno == ENOENT ? DuvodSelhani::ChybiZdroj : DuvodSelhani::ZdrojNecitelny;
        return s;
    }
    if (zpusob == Zpusob::Systemem) {
        qint64 zbyva = velikost;
        while (zbyva > 0) {
            const ssize_t n = io.copyRange(in.get(), out, size_t(zbyva));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return zChyby(errno);
            }
            if (n == 0) // the source got shorter under our hands
                return {DuvodSelhani::Neshoda, 0};
            zbyva -= n;
        }
        return {};
    }
    char buffer[kBlok];
    for (;;) {
        const ssize_t n = io.read(in.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Selhani s = zChyby(errno);
            s.duvod = DuvodSelhani::ZdrojNecitelny;
            return s;
        }
        if (n == 0)
            return {};
        if (!zapisCele(io, out, buffer, size_t(n)))
            return zChyby(errno);
    }
}

struct Ulohy {
    ExportIo& io;
    QByteArray zdroj;   // the data file
    QByteArray adresar; // the target directory, ending with "/"
    QByteArray cil;     // the final path
    QByteArray nazev;   // the bare name
    QByteArray obsah;   // the data file's bytes as read before copying
};

// One complete attempt: temporary file, copy, flush, read back, rename over
// the final name, directory flush, final read back. On a failure before the
// rename the temporary file goes and the final name is untouched.
Selhani proved(const Ulohy& u, Zpusob zpusob) {
    ExportIo& io = u.io;
    QByteArray docasny;
    Fd out(io, -1);
    for (int pokus = 0; pokus < 16 && !out.valid(); ++pokus) {
        docasny = u.adresar + '.' + u.nazev + '.' +
                  QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
        out.reset(io.open(docasny, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
        if (!out.valid() && errno != EEXIST)
            return zChyby(errno);
    }
    if (!out.valid())
        return zChyby(EEXIST);

    auto zahod = [&](Selhani s) {
        out.reset(-1);
        io.unlink(docasny);
        return s;
    };
    Selhani s = zkopirujObsah(io, zpusob, u.zdroj, out.get(), u.obsah.size());
    if (s.duvod != DuvodSelhani::Zadny)
        return zahod(s);
    if (io.fsync(out.get()) != 0)
        return zahod(zChyby(errno));
    if (out.closeChecked() != 0)
        return zahod(zChyby(errno));
    s = porovnej(io, docasny, u.obsah);
    if (s.duvod != DuvodSelhani::Zadny)
        return zahod(s);
    // rename replaces a symbolic link of the final name; it never writes
    // through it.
    if (io.rename(docasny, u.cil) != 0)
        return zahod(zChyby(errno));
    s = fsyncAdresare(io, u.adresar);
    if (s.duvod != DuvodSelhani::Zadny)
        return s;
    s = porovnej(io, u.cil, u.obsah);
    if (s.duvod == DuvodSelhani::Neshoda)
        io.unlink(u.cil); // a false file must not stay for the receiving point
    return s;
}

QByteArray soubor(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

QString nazevExportu(const QString& iStav, const QString& iObec, qint32 iOkrsek) {
    const char kind = iStav.isEmpty() ? 'O' : iStav.at(0).toLatin1();
    return dataFileName(kind, TAktOkrsek{iObec, iOkrsek});
}

VysledekExportu KopirujSouborPodrobne(const QString& iCil, const QString& iObec, qint32 iOkrsek,
                                      const QString& iStav, bool iNeprepsat, ExportIo& io) {
    VysledekExportu v;
    v.cil = iCil;
    v.soubor = nazevExportu(iStav, iObec, iOkrsek);
    auto selhalo = [&v](Selhani s) {
        v.kod = kKopieNepovedla;
        v.duvod = s.duvod;
        v.chyba = s.chyba;
        return v;
    };

    QString adresar = iCil;
    if (!adresar.endsWith(QLatin1Char('/')))
        adresar += QLatin1Char('/');
    Ulohy u{io,
            soubor(findFileNoCase(installDirs().data, v.soubor)),
            soubor(adresar),
            soubor(adresar + v.soubor),
            soubor(v.soubor),
            {}};

    // The data file first: without it there is nothing to export.
    {
        Fd in(io, io.open(u.zdroj, O_RDONLY | O_CLOEXEC, 0));
        if (!in.valid())
            return selhalo(
                {errno == ENOENT ? DuvodSelhani::ChybiZdroj : DuvodSelhani::ZdrojNecitelny, errno});
        if (!nactiCely(io, in.get(), u.obsah))
            return selhalo({DuvodSelhani::ZdrojNecitelny, errno});
    }
    v.potreba = u.obsah.size();

    struct stat info {};
    if (io.stat(u.adresar, &info) != 0)
        return selhalo(zChyby(errno));
    if (!S_ISDIR(info.st_mode))
        return selhalo({DuvodSelhani::ChybiCil, ENOTDIR});
    if (iNeprepsat && io.lstat(u.cil, &info) == 0)
        return selhalo({DuvodSelhani::CilExistuje, EEXIST});

    // Enough room for the whole file beside any old one of the same name,
    // which goes only when the new one takes its name.
    struct statvfs fs {};
    if (io.statvfs(u.adresar, &fs) == 0) {
        const qint64 jednotka = fs.f_frsize ? qint64(fs.f_frsize) : qint64(fs.f_bsize);
        v.volno = qint64(fs.f_bavail) * jednotka;
        const qint64 potreba =
            jednotka > 0 ? (v.potreba + jednotka - 1) / jednotka * jednotka : v.potreba;
        if (v.volno < potreba)
            return selhalo({DuvodSelhani::PlnyNosic, ENOSPC});
    }

    Selhani s = proved(u, Zpusob::Systemem);
    if (s.duvod == DuvodSelhani::Zadny) {
        v.kod = kKopieSystemem;
        return v;
    }
    s = proved(u, Zpusob::Bloky);
    if (s.duvod == DuvodSelhani::Zadny) {
        v.kod = kKopieBloky;
        return v;
    }
    return selhalo(s);
}

int KopirujSoubor(const QString& iCil, const QString& iObec, qint32 iOkrsek, const QString& iStav,
                  bool iNeprepsat) {
    return KopirujSouborPodrobne(iCil, iObec, iOkrsek, iStav, iNeprepsat).kod;
}

// ---- outcome texts ----

namespace {

QString uvozene(const QString& text) {
    return QStringLiteral("„%1“").arg(text);
}

// The common system errors in words a commission understands.
QString popisChyby(int e) {
    switch (e) {
    case EMFILE:
    case ENFILE:
        return QStringLiteral("příliš mnoho otevřených souborů");
    case ENAMETOOLONG:
        return QStringLiteral("příliš dlouhý název");
    case EISDIR:
        return QStringLiteral("v cíli je adresář stejného jména");
    case EEXIST:
        return QStringLiteral("soubor již existuje");
    case ENOMEM:
        return QStringLiteral("nedostatek paměti");
    default:
        return QStringLiteral("chyba systému č. %1 (%2)")
            .arg(e)
            .arg(QString::fromLocal8Bit(std::strerror(e)));
    }
}

} // namespace

QString duvodSelhani(const VysledekExportu& v) {
    switch (v.duvod) {
    case DuvodSelhani::Zadny:
        return QString();
    case DuvodSelhani::ChybiZdroj:
        return QStringLiteral("Datový soubor %1 nebyl v adresáři dat nalezen.")
            .arg(uvozene(v.soubor));
    case DuvodSelhani::ZdrojNecitelny:
        return QStringLiteral("Datový soubor %1 nelze přečíst: %2.")
            .arg(uvozene(v.soubor), popisChyby(v.chyba));
    case DuvodSelhani::ChybiCil:
        return QStringLiteral("Cílový adresář %1 neexistuje.").arg(uvozene(v.cil));
    case DuvodSelhani::PlnyNosic:
        return QStringLiteral("Na cílovém nosiči není dost volného místa.");
    case DuvodSelhani::JenProCteni:
        return QStringLiteral("Cílový nosič je chráněn proti zápisu.");
    case DuvodSelhani::BezOpravneni:
        return QStringLiteral("Do cílového adresáře %1 nelze zapisovat (chybí oprávnění).")
            .arg(uvozene(v.cil));
    case DuvodSelhani::NosicOdebran:
        return QStringLiteral("Cílový nosič byl odebrán nebo je vadný.");
    case DuvodSelhani::Neshoda:
        return QStringLiteral("Soubor přečtený zpět z cílového nosiče se neshoduje s datovým "
                              "souborem, nosič může být vadný.");
    case DuvodSelhani::CilExistuje:
        return QStringLiteral("Soubor %1 v cílovém adresáři již existuje.").arg(uvozene(v.soubor));
    case DuvodSelhani::Jine:
        return QStringLiteral("Zápis se nezdařil: %1.").arg(popisChyby(v.chyba));
    }
    return QString();
}

QString textSelhani(const VysledekExportu& v) {
    const QString duvod = duvodSelhani(v);
    QString text = QString::fromUtf8(kExportSeNepovedl);
    if (!duvod.isEmpty())
        text += QLatin1Char('\r') + duvod;
    return text;
}

namespace {
QString zaverecneRadky() {
    return QStringLiteral("\r\rS tímto souborem je nutno na PM předat jen zápis,\r"
                          " který bude nyní vytisknut.\r"
                          "Zápis je nutno vytisknout ve 2 kopiích.");
}
} // namespace

QString titulekExportuNaDisk(const QString& druh) {
    return QStringLiteral("Export dat na ") + druh + QStringLiteral(" proveden.");
}

QString textExportuNaDisk(const QString& soubor, const QString& druh, const QString& pripojeni) {
    return QStringLiteral("Soubor ") + soubor + QStringLiteral("\rje uložen na ") + druh +
           QStringLiteral(" v jednotce ") + pripojeni + QLatin1Char('.') + zaverecneRadky();
}

QString titulekExportuNaPevnyDisk() {
    return QStringLiteral("Export dat na pevný disk proveden.");
}

QString textExportuNaPevnyDisk(const QString& soubor, const QString& adresarProgramu) {
    return QStringLiteral("Soubor ") + soubor + QStringLiteral("\rje uložen v adresáři ") +
           adresarProgramu + QStringLiteral("Export.\rSoubor překopírujte na technický nosič.") +
           zaverecneRadky();
}

} // namespace urn
