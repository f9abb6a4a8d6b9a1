#include "FuzzTargets.h"
#include "store/InstallDirs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// The readers work in a scratch installation; the runs leave the test's
// directories as they found them.
class FuzzCorpus : public testing::TestWithParam<urn::fuzz::FuzzTarget> {
protected:
    void TearDown() override { urn::setInstallDirs(m_dirs); }

private:
    urn::InstallDirs m_dirs = urn::installDirs();
};

} // namespace

// Every input kept from fuzzing a reader (the seeds, the minimised corpus and
// the inputs that once found a fault) runs through the same function as in
// the fuzzer: no crash, no sanitizer report, no broken invariant.
TEST_P(FuzzCorpus, KeptInputsReadCleanly) {
    const urn::fuzz::FuzzTarget& target = GetParam();
    const QDir dir(QStringLiteral(URNARIUM_FUZZ_CORPUS "/") + QLatin1String(target.name));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << dir.path().toStdString();
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray input = f.readAll();
        EXPECT_TRUE(
            target.run(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size())))
            << target.name << "/" << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzCorpus, testing::ValuesIn(urn::fuzz::kFuzzTargets),
                         [](const testing::TestParamInfo<urn::fuzz::FuzzTarget>& info) {
                             return std::string(info.param.name);
                         });
