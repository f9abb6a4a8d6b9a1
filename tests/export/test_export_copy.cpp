// The export copy: what lands on the target, and that a failure never leaves
// a false or half file there nor touches one that was there before.
#include "ExportFixture.h"
#include "export/ExportCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace urn;
using namespace urn::test;

namespace {

// An I/O layer that fails on purpose, in the manner of a full, read-only,
// removed or lying medium. Only files in the target directory are affected.
class FailingIo : public ExportIo {
public:
    explicit FailingIo(QString target) : m_target(QFile::encodeName(target)) {}

    int createErrno = 0;       // creating a file in the target fails so
    qint64 writeLimit = -1;    // bytes the target takes before writes fail
    int writeErrno = ENOSPC;   // ... with this error
    bool noKernelCopy = false; // the system copy is not available
    int fsyncErrno = 0;        // forcing the file to the medium fails so
    int dirFsyncErrno = 0;     // forcing the target directory to the medium fails so
    int renameErrno = 0;       // the rename fails so
    bool lyingMedium = false;  // the target returns other bytes than were written
    qint64 freeBytes = -1;     // what the target says is free (-1: the truth)
    int dirFsyncs = 0;         // directory flushes that were made to fail

    int open(const QByteArray& path, int flags, mode_t mode) override {
        const bool inTarget = path.startsWith(m_target);
        if (inTarget && (flags & O_CREAT) && createErrno) {
            errno = createErrno;
            return -1;
        }
        const int fd = ExportIo::open(path, flags, mode);
        if (fd >= 0 && inTarget && (flags & O_ACCMODE) == O_RDONLY && !(flags & O_DIRECTORY))
            m_readBack.insert(fd);
        if (fd >= 0 && inTarget && (flags & O_ACCMODE) == O_WRONLY)
            m_written.insert(fd);
        if (fd >= 0 && inTarget && (flags & O_DIRECTORY))
            m_directories.insert(fd);
        return fd;
    }
    ssize_t read(int fd, void* buffer, size_t size) override {
        const ssize_t n = ExportIo::read(fd, buffer, size);
        if (n > 0 && lyingMedium && m_readBack.contains(fd))
            static_cast<char*>(buffer)[0] ^= 0x5a;
        return n;
    }
    ssize_t write(int fd, const void* buffer, size_t size) override {
        if (m_written.contains(fd) && writeLimit >= 0) {
            const qint64 room = writeLimit - m_bytes;
            if (room <= 0) {
                errno = writeErrno;
                return -1;
            }
            size = std::min<size_t>(size, size_t(room));
        }
        const ssize_t n = ExportIo::write(fd, buffer, size);
        if (n > 0 && m_written.contains(fd))
            m_bytes += n;
        return n;
    }
    // The kernel copy, made of the reads and writes above so that the same
    // limits hold for it.
    ssize_t copyRange(int from, int to, size_t size) override {
        if (noKernelCopy) {
            errno = ENOSYS;
            return -1;
        }
        char buffer[8192];
        const ssize_t n = ExportIo::read(from, buffer, std::min(size, sizeof buffer));
        if (n <= 0)
            return n;
        const ssize_t w = write(to, buffer, size_t(n));
        if (w >= 0 && w < n)
            ::lseek(from, w - n, SEEK_CUR);
        return w;
    }
    int fsync(int fd) override {
        if (fsyncErrno && m_written.contains(fd)) {
            errno = fsyncErrno;
            return -1;
        }
        if (dirFsyncErrno && m_directories.contains(fd)) {
            ++dirFsyncs;
            errno = dirFsyncErrno;
            return -1;
        }
        return ExportIo::fsync(fd);
    }
    int close(int fd) override {
        m_readBack.remove(fd);
        m_written.remove(fd);
        m_directories.remove(fd);
        return ExportIo::close(fd);
    }
    int rename(const QByteArray& from, const QByteArray& to) override {
        if (renameErrno) {
            errno = renameErrno;
            return -1;
        }
        return ExportIo::rename(from, to);
    }
    int statvfs(const QByteArray& path, struct statvfs* info) override {
        const int r = ExportIo::statvfs(path, info);
        if (r == 0 && freeBytes >= 0)
            info->f_bavail = fsblkcnt_t(freeBytes / qint64(info->f_frsize));
        return r;
    }

private:
    QByteArray m_target;
    QSet<int> m_readBack;
    QSet<int> m_written;
    QSet<int> m_directories;
    qint64 m_bytes = 0;
};

class ExportCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.writeStanice(sampleStanice());
        ASSERT_TRUE(QDir().mkpath(exportDir()));
        data = sampleDataFile(20000);
        inst.writeDataFile(kName, data);
    }
    QString exportDir() const { return inst.dirs().program + QStringLiteral("Export/"); }
    QString target() const { return exportDir() + kName; }
    VysledekExportu copy(ExportIo& io = systemExportIo(), bool keep = false) {
        return KopirujSouborPodrobne(exportDir(), QStringLiteral("582786"), 2, QStringLiteral("O"),
                                     keep, io);
    }
    // Everything in the export directory but the final file: temporary
    // files must not stay behind.
    QStringList leftovers() const {
        QStringList all =
            QDir(exportDir())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        all.removeAll(kName);
        return all;
    }

    static inline const QString kName = QStringLiteral("OE582786.00002");
    TestInstall inst;
    QByteArray data;
};

} // namespace

TEST(ExportName, PrecinctInFiveDigits) {
    EXPECT_EQ(nazevExportu(QStringLiteral("O"), QStringLiteral("123456"), 12),
              QStringLiteral("OE123456.00012"));
    EXPECT_EQ(nazevExportu(QStringLiteral("O"), QStringLiteral("123456"), 1),
              QStringLiteral("OE123456.00001"));
    EXPECT_EQ(nazevExportu(QStringLiteral("O"), QStringLiteral("123456"), 12345),
              QStringLiteral("OE123456.12345"));
}

TEST_F(ExportCopyTest, SystemCopyGivesOneAndAnEqualFile) {
    const VysledekExportu v = copy();
    EXPECT_EQ(v.kod, 1);
    EXPECT_EQ(inst.readFile(target()), data);
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(' ').toStdString();
    // The plain entry says the same.
    QFile::remove(target());
    EXPECT_EQ(KopirujSoubor(exportDir(), QStringLiteral("582786"), 2, QStringLiteral("O"), false),
              1);
    EXPECT_EQ(inst.readFile(target()), data);
}

TEST_F(ExportCopyTest, BlockCopyWhenTheSystemCopyFailsGivesTwo) {
    FailingIo io(exportDir());
    io.noKernelCopy = true;
    EXPECT_EQ(copy(io).kod, 2);
    EXPECT_EQ(inst.readFile(target()), data);
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(ExportCopyTest, ExportingTwiceReplacesWithoutAsking) {
    QFile old(target());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(50000, 'x')); // longer than the new one
    old.close();
    EXPECT_EQ(copy().kod, 1);
    EXPECT_EQ(inst.readFile(target()), data);
    EXPECT_EQ(copy().kod, 1);
    EXPECT_EQ(inst.readFile(target()), data);
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(ExportCopyTest, AnEmptyDataFileIsCopiedToo) {
    inst.writeDataFile(kName, QByteArray());
    EXPECT_EQ(copy().kod, 1);
    EXPECT_TRUE(QFileInfo(target()).isFile());
    EXPECT_EQ(QFileInfo(target()).size(), 0);
}

TEST_F(ExportCopyTest, FailuresLeaveNoFileAndKeepAnOldOne) {
    struct Case {
        const char* name;
        std::function<void(FailingIo&)> setUp;
        QString message;
    };
    const QString full =
        QStringLiteral("Export se nepovedl.\rNa cílovém nosiči není dost volného místa.");
    const Case cases[] = {
        {"full after 8 KiB", [](FailingIo& io) { io.writeLimit = 8192; }, full},
        {"full at once", [](FailingIo& io) { io.writeLimit = 0; }, full},
        {"says it is full", [](FailingIo& io) { io.freeBytes = 4096; }, full},
        {"read-only", [](FailingIo& io) { io.createErrno = EROFS; },
         QStringLiteral("Export se nepovedl.\rCílový nosič je chráněn proti zápisu.")},
        {"no permission", [](FailingIo& io) { io.createErrno = EACCES; },
         QStringLiteral("Export se nepovedl.\rDo cílového adresáře „%1“ nelze zapisovat "
                        "(chybí oprávnění).")},
        {"removed while writing",
         [](FailingIo& io) {
             io.writeLimit = 4096;
             io.writeErrno = EIO;
         },
         QStringLiteral("Export se nepovedl.\rCílový nosič byl odebrán nebo je vadný.")},
        {"flush fails", [](FailingIo& io) { io.fsyncErrno = EIO; },
         QStringLiteral("Export se nepovedl.\rCílový nosič byl odebrán nebo je vadný.")},
        {"rename fails", [](FailingIo& io) { io.renameErrno = EIO; },
         QStringLiteral("Export se nepovedl.\rCílový nosič byl odebrán nebo je vadný.")},
        {"medium returns other bytes", [](FailingIo& io) { io.lyingMedium = true; },
         QStringLiteral("Export se nepovedl.\rSoubor přečtený zpět z cílového nosiče se "
                        "neshoduje s datovým souborem, nosič může být vadný.")},
    };
    for (const Case& c : cases) {
        for (const bool oldThere : {false, true}) {
            QFile::remove(target());
            const QByteArray oldContent = QByteArray("the export of an earlier evening");
            if (oldThere) {
                QFile old(target());
                ASSERT_TRUE(old.open(QIODevice::WriteOnly));
                old.write(oldContent);
            }
            FailingIo io(exportDir());
            c.setUp(io);
            const VysledekExportu v = copy(io);
            EXPECT_EQ(v.kod, 0) << c.name;
            EXPECT_EQ(textSelhani(v), c.message.contains(QLatin1String("%1"))
                                          ? c.message.arg(exportDir())
                                          : c.message)
                << c.name;
            if (oldThere)
                EXPECT_EQ(inst.readFile(target()), oldContent) << c.name;
            else
                EXPECT_FALSE(QFileInfo::exists(target())) << c.name;
            EXPECT_TRUE(leftovers().isEmpty())
                << c.name << ": " << leftovers().join(' ').toStdString();
        }
    }
}

TEST_F(ExportCopyTest, ADirectoryFlushFailingAfterTheRenameIsAFailure) {
    // The file is on the medium and renamed, but its new name may not be:
    // the receiving point could find no file at all.
    FailingIo io(exportDir());
    io.dirFsyncErrno = EIO;
    const VysledekExportu v = copy(io);
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(v.duvod, DuvodSelhani::NosicOdebran);
    EXPECT_EQ(textSelhani(v),
              QStringLiteral("Export se nepovedl.\rCílový nosič byl odebrán nebo je vadný."));
    EXPECT_EQ(io.dirFsyncs, 2) << "the block copy tries once more, and fails the same way";
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(' ').toStdString();
}

TEST_F(ExportCopyTest, MissingExportDirectoryOrDataFile) {
    ASSERT_TRUE(QDir(exportDir()).removeRecursively());
    VysledekExportu v = copy();
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(
        textSelhani(v),
        QStringLiteral("Export se nepovedl.\rCílový adresář „%1“ neexistuje.").arg(exportDir()));

    ASSERT_TRUE(QDir().mkpath(exportDir()));
    ASSERT_TRUE(QFile::remove(inst.dirs().data + kName));
    v = copy();
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(textSelhani(v), QStringLiteral("Export se nepovedl.\rDatový soubor "
                                             "„OE582786.00002“ nebyl v adresáři dat nalezen."));
    EXPECT_TRUE(QDir(exportDir()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    // A file where the directory should be.
    ASSERT_TRUE(QDir(exportDir()).removeRecursively());
    inst.writeProgramFile(QStringLiteral("Export"), "not a directory");
    inst.writeDataFile(kName, data);
    v = copy();
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(v.duvod, DuvodSelhani::ChybiCil);
}

TEST_F(ExportCopyTest, DataFileFoundWhateverTheCaseOfItsName) {
    ASSERT_TRUE(QFile::rename(inst.dirs().data + kName,
                              inst.dirs().data + QStringLiteral("oe582786.00002")));
    EXPECT_EQ(copy().kod, 1);
    EXPECT_EQ(inst.readFile(target()), data);
}

TEST_F(ExportCopyTest, ASymbolicLinkAtTheTargetIsReplacedNeverFollowed) {
    const QString victim = inst.root() + QStringLiteral("elsewhere.txt");
    inst.writeProgramFile(QStringLiteral("elsewhere.txt"), "keep me");
    ASSERT_TRUE(QFile::link(victim, target()));

    FailingIo failing(exportDir());
    failing.writeLimit = 100;
    EXPECT_EQ(copy(failing).kod, 0);
    EXPECT_TRUE(QFileInfo(target()).isSymLink());
    EXPECT_EQ(inst.readFile(victim), QByteArray("keep me"));

    EXPECT_EQ(copy().kod, 1);
    EXPECT_FALSE(QFileInfo(target()).isSymLink());
    EXPECT_EQ(inst.readFile(target()), data);
    EXPECT_EQ(inst.readFile(victim), QByteArray("keep me"));
}

TEST_F(ExportCopyTest, NotReplacingRefusesAnExistingFile) {
    inst.writeProgramFile(QStringLiteral("Export/") + kName, "old");
    const VysledekExportu v = copy(systemExportIo(), true);
    EXPECT_EQ(v.kod, 0);
    EXPECT_EQ(textSelhani(v), QStringLiteral("Export se nepovedl.\rSoubor „OE582786.00002“ v "
                                             "cílovém adresáři již existuje."));
    EXPECT_EQ(inst.readFile(target()), QByteArray("old"));
}

TEST(ExportTexts, OutcomeTextsOfBothTargets) {
    EXPECT_EQ(titulekExportuNaDisk(QString::fromUtf8(kDruhVymenitelne)),
              QStringLiteral("Export dat na vyjímatelné zařízení proveden."));
    EXPECT_EQ(textExportuNaDisk(QStringLiteral("OE123456.00012"),
                                QString::fromUtf8(kDruhVymenitelne),
                                QStringLiteral("/media/komise/KOMISE")),
              QStringLiteral("Soubor OE123456.00012\rje uložen na vyjímatelné zařízení v jednotce "
                             "/media/komise/KOMISE.\r\rS tímto souborem je nutno na PM předat jen "
                             "zápis,\r který bude nyní vytisknut.\rZápis je nutno vytisknout ve 2 "
                             "kopiích."));
    EXPECT_EQ(titulekExportuNaPevnyDisk(), QStringLiteral("Export dat na pevný disk proveden."));
    EXPECT_EQ(
        textExportuNaPevnyDisk(QStringLiteral("OE123456.00012"), QStringLiteral("/opt/urnarium/")),
        QStringLiteral("Soubor OE123456.00012\rje uložen v adresáři /opt/urnarium/Export.\r"
                       "Soubor překopírujte na technický nosič.\r\rS tímto souborem je nutno "
                       "na PM předat jen zápis,\r který bude nyní vytisknut.\rZápis je nutno "
                       "vytisknout ve 2 kopiích."));
}
