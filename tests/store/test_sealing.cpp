#include "TestInstall.h"
#include "core/Errors.h"
#include "store/RecordIO.h"
#include "store/Sealing.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace urn;
using urn::test::TestInstall;

namespace {

const QByteArray kKey(kKlicDatovychSouboru);

QByteArray randomBytes(QRandomGenerator& rng, qsizetype n) {
    QByteArray b(n, '\0');
    for (char& c : b)
        c = char(rng.bounded(256));
    return b;
}

// Text that compresses a little, like a data line.
QByteArray lineLike(QRandomGenerator& rng, qsizetype n) {
    QByteArray b(n, ' ');
    for (char& c : b)
        if (rng.bounded(3) == 0)
            c = char('0' + rng.bounded(10));
    return b;
}

QByteArray container(qint32 version, qint32 nameLength, const QByteArray& name, qint32 size,
                     const QByteArray& stream) {
    QByteArray c(8, '\0');
    putInt32(c, 0, version);
    putInt32(c, 4, nameLength);
    c.append(name);
    QByteArray s(4, '\0');
    putInt32(s, 0, size);
    return c + s + stream;
}

QByteArray zlibStream(const QByteArray& content) {
    // qCompress prefixes the zlib stream with its own 4-byte length.
    return qCompress(content).mid(4);
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(content), content.size());
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(Container, HeaderOfOurFilesIsTwentyBytes) {
    const QByteArray content("1003701500011    31  812 530 529 525 2396");
    const QByteArray c = packContainer(content);
    ASSERT_GE(c.size(), kContainerHeaderSize);
    EXPECT_EQ(getInt32(c, 0), 1);
    EXPECT_EQ(getInt32(c, 4), 8);
    EXPECT_EQ(c.mid(8, 8), QByteArray("data.dmp"));
    EXPECT_EQ(getInt32(c, 16), content.size());
    // One zlib stream at the default level with a 32 KiB window: 78 9C.
    EXPECT_EQ(c.mid(20, 2).toHex(), QByteArray("789c"));
    EXPECT_EQ(c.mid(20), zlibStream(content));
    EXPECT_EQ(unpackContainer(c, QStringLiteral("x")), content);
}

TEST(Container, ReaderFollowsTheNameLengthAndTheSize) {
    const QByteArray content("abcdefghijklmnopqrstuvwxyz0123456789");
    const QByteArray stream = zlibStream(content);
    struct Case {
        const char* what;
        QByteArray container;
        QByteArray expected;
    };
    const Case cases[] = {
        {"no name", container(1, 0, {}, content.size(), stream), content},
        {"version not checked", container(77, 8, "data.dmp", content.size(), stream), content},
        {"name of 255", container(1, 255, QByteArray(255, 'n'), content.size(), stream), content},
        // Above 254 the reader takes 255 bytes of name whatever the length says.
        {"name length 300", container(1, 300, QByteArray(255, 'n'), content.size(), stream),
         content},
        {"size shorter than the content", container(1, 8, "data.dmp", 10, stream),
         content.left(10)},
        {"empty content", container(1, 8, "data.dmp", 0, zlibStream({})), QByteArray()},
        {"bytes after the stream", container(1, 8, "data.dmp", content.size(), stream + "junk!!"),
         content},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unpackContainer(c.container, QStringLiteral("x")), c.expected) << c.what;
}

TEST(Container, DamagedContainersFailCleanly) {
    const QByteArray content(5000, 'x');
    const QByteArray stream = zlibStream(content);
    QByteArray flipped = stream;
    flipped[flipped.size() / 2] = char(flipped.at(flipped.size() / 2) ^ 0x55);
    QByteArray badChecksum = stream;
    badChecksum[badChecksum.size() - 1] = char(badChecksum.back() ^ 1);
    struct Case {
        const char* what;
        QByteArray container;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header cut short", container(1, 8, "data.dmp", 5000, {}).left(10)},
        {"negative name length", container(1, -1, {}, 5000, stream)},
        {"name length beyond the file", container(1, 200, "data.dmp", 5000, {})},
        {"huge name length", container(1, 0x7FFFFFFF, {}, 5000, {})},
        {"negative size", container(1, 8, "data.dmp", -5, stream)},
        {"size of gigabytes", container(1, 8, "data.dmp", 0x7FFFFFFF, stream)},
        {"size beyond the stream", container(1, 8, "data.dmp", 5001, stream)},
        {"stream cut short", container(1, 8, "data.dmp", 5000, stream.left(stream.size() / 2))},
        {"no stream", container(1, 8, "data.dmp", 5000, {})},
        {"not zlib", container(1, 8, "data.dmp", 5000, QByteArray(100, 'z'))},
        {"damaged stream", container(1, 8, "data.dmp", 5000, flipped)},
        {"wrong checksum", container(1, 8, "data.dmp", 5000, badChecksum)},
    };
    for (const Case& c : cases) {
        try {
            unpackContainer(c.container, QStringLiteral("/x/EE500011.00003"));
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const InOutError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("EE500011.00003"))) << c.what;
        }
    }
}

TEST(Container, SizeLimitIsTheCallers) {
    const QByteArray c = packContainer(QByteArray(1000, 'a'));
    EXPECT_THROW(unpackContainer(c, QStringLiteral("x"), 999), InOutError);
    EXPECT_EQ(unpackContainer(c, QStringLiteral("x"), 1000).size(), 1000);
}

TEST(Sealing, SizesOfTheSealedText) {
    struct Case {
        int containerSize;
        int cipherSize;
        int base64Size;
        int lineBreaks;
    };
    const Case cases[] = {
        {1, 8, 12, 0},      {8, 8, 12, 0},      {29, 32, 44, 0},    {57, 64, 88, 1},
        {56, 56, 76, 1},    {449, 456, 608, 8}, {452, 456, 608, 8}, {456, 456, 608, 8},
        {457, 464, 620, 8}, {0, 0, 0, 0},
    };
    QRandomGenerator rng(7);
    for (const Case& c : cases) {
        const QByteArray text = sealBytes(randomBytes(rng, c.containerSize), kKey);
        QByteArray joined = text;
        joined.replace("\r\n", "");
        EXPECT_EQ(joined.size(), c.base64Size) << c.containerSize;
        EXPECT_EQ(text.count("\r\n"), c.lineBreaks) << c.containerSize;
        EXPECT_EQ(text.size(), c.base64Size + 2 * c.lineBreaks) << c.containerSize;
        EXPECT_EQ(QByteArray::fromBase64(joined).size(), c.cipherSize) << c.containerSize;
        // Every line but a shorter last one is 76 characters and ends in CR LF.
        const QList<QByteArray> lines = text.split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            EXPECT_EQ(lines.at(i).size(), 77) << c.containerSize;
        EXPECT_FALSE(lines.back().contains('\r'));
        EXPECT_LT(lines.back().size(), 76);
    }
}

TEST(Sealing, CipherTextMatchesAnIndependentImplementation) {
    // 29 bytes: three full blocks and a last one of 5 bytes whose filler is
    // the tail of the previous cipher block, encrypted once more.
    QByteArray plain;
    for (int i = 0; i < 29; ++i)
        plain.append(char(i));
    EXPECT_EQ(sealBytes(plain, kKey), QByteArray("tWaZUxXabbtke4wuAznqtGB0Ntz6T/0u82JubYh3s1c="));

    QByteArray plain57;
    for (int i = 0; i < 57; ++i)
        plain57.append(char((i * 7 + 3) & 0xFF));
    EXPECT_EQ(
        sealBytes(plain57, kKey),
        QByteArray("tjukd0Se9uKJgkLyO0sWeEtskwv9qngvdwD7ZxxnaU0Z7Ci+gjfZPeVLfoLS2no8PeZANJBwQxsY"
                   "\r\n8xV6wG8a6Q=="));
}

TEST(Sealing, RandomRoundTrips) {
    QRandomGenerator rng(2024);
    const qsizetype sizes[] = {0, 1, 7, 8, 9, 57, 76, 455, 456, 4096, 31643, 1024 * 1024 + 3};
    for (qsizetype n : sizes) {
        for (int variant = 0; variant < 2; ++variant) {
            const QByteArray content = variant ? randomBytes(rng, n) : lineLike(rng, n);
            const QByteArray c = packContainer(content);
            const QByteArray unsealed = unsealBytes(sealBytes(c, kKey), kKey, QStringLiteral("x"));
            ASSERT_EQ(unsealed.size(), (c.size() + 7) / 8 * 8) << n;
            EXPECT_EQ(unsealed.left(c.size()), c) << n;
            EXPECT_EQ(unpackContainer(unsealed, QStringLiteral("x")), content) << n;
        }
    }
}

TEST(Sealing, WrongKeyOrDamagedTextFails) {
    QRandomGenerator rng(9);
    const QByteArray content = lineLike(rng, 3000);
    const QByteArray text = sealBytes(packContainer(content), kKey);
    QByteArray oneCharChanged = text;
    oneCharChanged[10] = oneCharChanged[10] == 'A' ? 'B' : 'A';
    const QByteArray otherKey("Q7m#Xr2/vK9*pL4x");
    struct Case {
        const char* what;
        QByteArray text;
        QByteArray key;
    };
    const Case cases[] = {
        {"other key", text, otherKey},
        {"short key", text, QByteArray("Q7m#")},
        {"one character changed", oneCharChanged, kKey},
        {"not Base64", QByteArray("this is not a sealed file!"), kKey},
        {"cut in the middle of a group", text.left(text.size() - 3), kKey},
        {"cut after a line", text.left(78), kKey},
        {"padding inside", QByteArray("QQ==QUFB"), kKey},
        {"empty", QByteArray(), kKey},
    };
    for (const Case& c : cases) {
        try {
            unpackContainer(unsealBytes(c.text, c.key, QStringLiteral("s")), QStringLiteral("s"));
            ADD_FAILURE() << c.what << ": accepted";
        } catch (const InOutError&) {
        }
    }
}

TEST(Base64Lines, DecoderSkipsLineBreaksOnly) {
    struct Case {
        const char* text;
        bool ok;
        const char* bytes;
        qsizetype badOffset;
    };
    const Case cases[] = {
        {"", true, "", 0},
        {"QQ==", true, "A", 0},
        {"QUI=", true, "AB", 0},
        {"QUJD", true, "ABC", 0},
        {"QU\r\nJD\r\n", true, "ABC", 0},
        {"QUJD\n", true, "ABC", 0},
        {"QUJ D", false, "", 3},
        {"QUJD=", false, "", 4},
        {"Q===", false, "", 1},
        {"QQ==QQ==", false, "", 4},
        {"QUJ", false, "", 3},
        {"QUJ\xC3", false, "", 3},
    };
    for (const Case& c : cases) {
        QByteArray out;
        qsizetype bad = -1;
        EXPECT_EQ(fromBase64Lines(QByteArray(c.text), out, &bad), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(out, QByteArray(c.bytes)) << c.text;
        else
            EXPECT_EQ(bad, c.badOffset) << c.text;
    }
    // Whatever we encode, we decode.
    QRandomGenerator rng(5);
    for (int n : {0, 1, 2, 3, 56, 57, 58, 114, 1000}) {
        const QByteArray b = randomBytes(rng, n);
        QByteArray back;
        ASSERT_TRUE(fromBase64Lines(toBase64Lines(b), back)) << n;
        EXPECT_EQ(back, b) << n;
    }
}

TEST(SealedFiles, FileOperationsRoundTrip) {
    TestInstall inst;
    const QString d = inst.root();
    QRandomGenerator rng(11);
    const QByteArray content = lineLike(rng, 20000);
    writeFile(d + "plain", content);
    Zabal(d + "plain", d + "packed");
    Zapecet(d + "packed", d + "sealed", kKey);
    Odpecet(d + "sealed", d + "unsealed", kKey);
    Rozbal(d + "unsealed", d + "unpacked");
    EXPECT_EQ(inst.readFile(d + "packed"), packContainer(content));
    EXPECT_EQ(inst.readFile(d + "sealed"), sealBytes(packContainer(content), kKey));
    EXPECT_EQ(inst.readFile(d + "unpacked"), content);
    // An existing output is overwritten.
    writeFile(d + "plain", "short");
    Zabal(d + "plain", d + "packed");
    Rozbal(d + "packed", d + "unpacked");
    EXPECT_EQ(inst.readFile(d + "unpacked"), QByteArray("short"));
}

TEST(SealedFiles, FailedOperationsLeaveNoHalfWrittenOutput) {
    TestInstall inst;
    const QString d = inst.root();
    writeFile(d + "bad.comp", container(1, 8, "data.dmp", 100000, zlibStream("abc")));
    writeFile(d + "target", "old content");
    EXPECT_THROW(Rozbal(d + "bad.comp", d + "out"), InOutError);
    EXPECT_FALSE(QFile::exists(d + "out"));
    EXPECT_THROW(Odpecet(d + "missing", d + "out", kKey), InOutError);
    EXPECT_FALSE(QFile::exists(d + "out"));
    EXPECT_THROW(Zapecet(d + "missing", d + "target", kKey), InOutError);
    EXPECT_THROW(Zapecet(d + "bad.comp", d + "target", QByteArray()), UrnariumError);
    EXPECT_EQ(inst.readFile(d + "target"), QByteArray("old content"));
}

TEST(SealedFiles, ChainsLeaveNothingBesideTheirTarget) {
    TestInstall inst;
    const QString cfg = inst.dirs().config;
    const QString target = inst.dirs().data + "sealed";
    QRandomGenerator rng(3);
    const QByteArray content = lineLike(rng, 5000);
    const QStringList before = filesIn(cfg);

    storeSealed(cfg, target, content, kKey);
    EXPECT_EQ(filesIn(cfg), before);
    EXPECT_EQ(loadSealed(cfg, target, kKey), content);
    EXPECT_EQ(filesIn(cfg), before);

    // Stray intermediate files of an earlier, interrupted run are removed,
    // whatever the case of their names.
    writeFile(cfg + "data.temp", "left over");
    writeFile(cfg + "DATA.COMP", "left over");
    removeChainTemporaries(cfg);
    EXPECT_EQ(filesIn(cfg), before);

    // A failing load removes them as well and leaves the source alone.
    const QByteArray sealed = inst.readFile(target);
    EXPECT_THROW(loadSealed(cfg, target, QByteArray("another key")), InOutError);
    EXPECT_EQ(filesIn(cfg), before);
    EXPECT_EQ(inst.readFile(target), sealed);
    // So does a failing store, and the old target stays.
    EXPECT_THROW(storeSealed(cfg, target, content, QByteArray(57, 'k')), UrnariumError);
    EXPECT_EQ(filesIn(cfg), before);
    EXPECT_EQ(inst.readFile(target), sealed);
}

TEST(SealedFiles, OversizedInputIsRefusedBeforeReading) {
    TestInstall inst;
    const QString d = inst.root();
    {
        QFile f(d + "huge");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxSealedFileSize + 1)); // sparse: costs no disk
    }
    EXPECT_THROW(Odpecet(d + "huge", d + "out", kKey), InOutError);
    EXPECT_FALSE(QFile::exists(d + "out"));
}

TEST(SealedFiles, StoreWithoutSyncStillReplacesTheTargetWhole) {
    // Benchmarks switch syncing off; the target must still be replaced by a
    // rename, keep its permissions and leave no temporary file.
    TestInstall inst;
    const QString cfg = inst.dirs().config;
    const QString target = inst.dirs().data + "sealed";
    setSyncToDisk(false);
    storeSealed(cfg, target, "first", kKey);
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    storeSealed(cfg, target, "second", kKey);
    setSyncToDisk(true);
    EXPECT_EQ(loadSealed(cfg, target, kKey), QByteArray("second"));
    const QFile::Permissions perms = QFile::permissions(target);
    EXPECT_TRUE(perms.testFlag(QFile::WriteOwner));
    EXPECT_FALSE(perms.testFlag(QFile::ReadGroup));
    EXPECT_FALSE(perms.testFlag(QFile::ReadOther));
    EXPECT_EQ(filesIn(inst.dirs().data), QStringList{"sealed"});
}
