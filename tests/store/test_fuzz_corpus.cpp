#include "DataFileFuzz.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// Every input kept from fuzzing (seeds and the inputs that once found a
// fault) runs through the reading side of the store again: no crash, no
// sanitizer report, and records that read back the same.
TEST(FuzzCorpus, KeptInputsReadCleanly) {
    const QDir dir(QStringLiteral(URNARIUM_FUZZ_CORPUS));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray input = f.readAll();
        EXPECT_TRUE(urn::fuzz::runDataFileInput(reinterpret_cast<const uint8_t*>(input.constData()),
                                                size_t(input.size())))
            << name.toStdString();
    }
}
