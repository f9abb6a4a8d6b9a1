#pragma once

// A small installation and a complete, consistent precinct record that passes
// every check; each test spoils it in one way and looks at what the checks
// say.

#include "TestInstall.h"
#include "checks/CheckRules.h"
#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "checks/Workflow.h"
#include "store/PrecinctRecord.h"
#include "store/StationConfig.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <functional>
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
struct RecordingOutput {
    int calls = 0;
    int findings = -1;
    std::function<void(const PrecinctSession&)> tisk() {
        return [this](const PrecinctSession& s) {
            ++calls;
            findings = s.ChybProt.count();
        };
    }
};

// The findings of a protocol in its order.
QList<Finding> findingsOf(const TChybProt& protokol);

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
    void fillCompleteRecord();
    // The control numbers and the closing record as the data-entry window
    // computes them before it saves.
    void recompute();
    // A full run over the session's record, taken into the session as the
    // check sequence takes it.
    void provedKontroly(TVybrano vybrano = kVybranoKontrola, const TRozsahKontrol& rozsah = {});

    TPrecinctRecord& rec() { return session.PrecinctRecord; }
    TVstupKontrol vstup() const { return session.vstupKontrol(); }
    QList<Finding> protocol() const { return findingsOf(session.ChybProt); }
    QString kody() const { return session.PrecinctRecord.TS.KodyChyb; }

    TestInstall inst;
    PrecinctSession session;
};

} // namespace urn::test
