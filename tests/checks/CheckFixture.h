#pragma once

// A small installation and a complete, consistent precinct record that passes
// every check; each test spoils it in one way and looks at what the checks
// say.

#include "TestInstall.h"
#include "checks/CheckRules.h"
#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <gtest/gtest.h>
#include <ostream>

namespace urn::test {

struct Finding {
    int strana = 0;
    int chyba = 0;
    QString param;
    bool operator==(const Finding&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Finding& f) {
    return os << "(" << f.strana << ", " << f.chyba << ", \"" << f.param.toStdString() << "\")";
}

// Counts the protocols handed to the printout instead of printing them.
class RecordingOutput : public ProtocolOutput {
public:
    int calls = 0;
    int findings = -1;
    void TiskProtokolu(const TChybProt& protokol, const TPrecinctRecord&,
                       const TStanice&) override {
        ++calls;
        findings = protokol.count();
    }
};

// The closing record's inputs from outside, fixed so that sums are known.
TVstupTS fixedTSInput();

// The catalogue used by the tests: a text for every number the checks use.
QList<TChybaInfo> testCatalogue();

class CheckTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The sample tables: two municipalities, four parties (2 with 15
    // candidates, 3 with 20, 4 with 10, 1 with 28), one expected number of
    // voters (700 for the sample precinct).
    void writeTables();
    // Precinct 582786/3 (KČ1 1), 700 registered, 530 envelopes issued, 529 returned,
    // 525 valid; party 2 with 300 votes (candidates 1: 40, 3: 20) and party 3
    // with 225 (candidates 2: 30, 20: 5); section III complete.
    static void fillCompleteRecord();
    // The control numbers and the closing record as the data-entry window
    // computes them before it saves.
    static void recompute();

    static TPrecinctRecord& rec() { return PrecinctRecord(); }
    static QList<Finding> protocol();
    static QString kody() { return PrecinctRecord().TS.KodyChyb; }

    TestInstall inst;
};

} // namespace urn::test
