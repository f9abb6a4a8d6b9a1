#include "FuzzTargets.h"
#include "store/InstallDirs.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The readers load into the program's one station, party list, candidate
// table, commission and record; the runs leave them as they found them.
class FuzzCorpus : public testing::TestWithParam<urn::fuzz::FuzzTarget> {
protected:
    void TearDown() override {
        urn::setInstallDirs(m_dirs);
        urn::Stanice() = m_stanice;
        urn::SeznamStran() = m_strany;
        urn::TabulkaKandidatu() = *m_kandidati;
        urn::JmenaKomise() = m_komise;
        urn::PrecinctRecord().Hlaso = m_hlaso;
    }

private:
    urn::InstallDirs m_dirs = urn::installDirs();
    urn::TStanice m_stanice = urn::Stanice();
    urn::TSeznamStran m_strany = urn::SeznamStran();
    std::unique_ptr<urn::TTabulkaKandidatu> m_kandidati =
        std::make_unique<urn::TTabulkaKandidatu>(urn::TabulkaKandidatu());
    QList<urn::TKomise> m_komise = urn::JmenaKomise();
    urn::THlaso m_hlaso = urn::PrecinctRecord().Hlaso;
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
