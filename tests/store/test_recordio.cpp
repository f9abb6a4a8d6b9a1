#include "TestInstall.h"
#include "core/Errors.h"
#include "store/RecordIO.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace urn;

TEST(StrToInt, AcceptsLeadingBlanksSignAndDigitsOnly) {
    struct Case {
        const char* text;
        bool ok;
        qint32 value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"   812", true, 812},
        {"-5", true, -5},
        {"+7", true, 7},
        {"  -12", true, -12},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"12 ", false, 0},
        {"1 2", false, 0},
        {"x1", false, 0},
        {"-", false, 0},
        {"$1F", false, 0},
        {"0x10", false, 0},
        {"99999999999", false, 0},
        {"١٢", false, 0},
    };
    for (const Case& c : cases) {
        qint32 v = -99;
        EXPECT_EQ(tryStrToInt(QString::fromUtf8(c.text), v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(StrToInt, ConversionErrorCarriesTheOffendingText) {
    try {
        strToInt(QStringLiteral("12a"));
        FAIL() << "no exception";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'12a' is not a valid integer value"));
    }
    EXPECT_EQ(strToIntDef(QStringLiteral("abc"), 9999), 9999);
}

TEST(ShortString, LengthByteAboveCapacityIsCutToTheCapacity) {
    QByteArray rec(10, '\0');
    rec[0] = char(200); // damaged length byte
    rec.replace(1, 5, "ABCDE");
    EXPECT_EQ(getShortString(rec, 0, 3), QStringLiteral("ABC"));
    // Never beyond the end of the record either.
    QByteArray shortRec("\x09"
                        "AB",
                        3);
    EXPECT_EQ(getShortString(shortRec, 0, 40), QStringLiteral("AB"));
}

TEST(ShortString, WriteCutsToCapacityAndZeroesTheRest) {
    QByteArray rec(8, '\xFF');
    putShortString(rec, 1, 5, QStringLiteral("Žluťoučký"));
    EXPECT_EQ(rec, QByteArray("\xFF\x05\x8Elu\x9Do\xFF", 8));
    putShortString(rec, 1, 5, QStringLiteral("ab"));
    EXPECT_EQ(rec, QByteArray("\xFF\x02"
                              "ab\0\0\0\xFF",
                              8));
}

TEST(Int32, LittleEndianSigned) {
    QByteArray rec(4, '\0');
    putInt32(rec, 0, -2);
    EXPECT_EQ(rec, QByteArray("\xFE\xFF\xFF\xFF", 4));
    putInt32(rec, 0, 0x01020304);
    EXPECT_EQ(rec, QByteArray("\x04\x03\x02\x01", 4));
    EXPECT_EQ(getInt32(rec, 0), 0x01020304);
}

TEST(TypedFile, MissingShortAndRaggedFilesRaiseErrorsNamingTheFile) {
    test::TestInstall inst;
    const QString missing = inst.dirs().program + QStringLiteral("CHYBI.RCD");
    try {
        readRecords(missing, 10);
        FAIL();
    } catch (const InOutError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("CHYBI.RCD"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("nebyl nalezen")));
    }
    inst.writeProgramFile(QStringLiteral("KRATKY.RCD"), QByteArray(5, 'x'));
    EXPECT_THROW(readFirstRecord(inst.dirs().program + QStringLiteral("KRATKY.RCD"), 10),
                 InOutError);
    inst.writeProgramFile(QStringLiteral("ROZTRH.RCD"), QByteArray(25, 'x'));
    try {
        readRecords(inst.dirs().program + QStringLiteral("ROZTRH.RCD"), 10);
        FAIL();
    } catch (const InOutError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ROZTRH.RCD")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("poškozen")));
    }
    inst.writeProgramFile(QStringLiteral("PRAZDNY.RCD"), QByteArray());
    EXPECT_TRUE(readRecords(inst.dirs().program + QStringLiteral("PRAZDNY.RCD"), 10).isEmpty());
}

TEST(AtomicWrite, ReplacesContentAndLeavesNoTemporaryFiles) {
    test::TestInstall inst;
    const QString path = inst.dirs().data + QStringLiteral("KOMISE.RCD");
    writeFileAtomically(path, "old");
    writeFileAtomically(path, "new content");
    EXPECT_EQ(inst.readFile(path), QByteArray("new content"));
    EXPECT_EQ(QDir(inst.dirs().data).entryList(QDir::Files),
              QStringList{QStringLiteral("KOMISE.RCD")});
}

TEST(AtomicWrite, UnwritableDirectoryRaisesAndKeepsTheOldFile) {
    test::TestInstall inst;
    const QString path = inst.dirs().data + QStringLiteral("nonexistent/X.RCD");
    EXPECT_THROW(writeFileAtomically(path, "data"), InOutError);
}
