#pragma once

// The sample record of CheckTest saved on a real installation of the
// station, for the check sequence and the commands that run it.

#include "CheckFixture.h"
#include "store/PrecinctDataFile.h"
#include "store/SectionsFile.h"

#include <functional>

namespace urn::test {

class CheckSequenceTest : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        TStanice st = sampleStanice();
        st.Okrsek = 3;
        inst.writeStanice(st);
        session.Stanice = NactiStanici();
        session.AktOkrsek = st.okrsek();
    }

    // Saves the sample record (changed by `change`) as the data file of a
    // kind, with sections I and III and the names.
    void saveRecord(char kind, const std::function<void(TPrecinctRecord&)>& change = {}) {
        NactiStrany(session.SeznamStran); // the closing record sums the parties of the list
        fillCompleteRecord();
        if (change)
            change(rec());
        recompute();
        UlozData(kind, okrsek(), rec());
        UlozHlaso(rec().Hlaso);
        UlozKomise(session.JmenaKomise);
    }
    void setStav(const char* stav) {
        TStanice st = session.Stanice;
        st.Stav = QString::fromLatin1(stav);
        inst.writeStanice(st);
        session.Stanice = NactiStanici();
    }
    QString stavOnDisk() const {
        return TStanice::fromRecord(
                   inst.readFile(inst.dirs().config + QStringLiteral("STANICE.RCD")))
            .Stav;
    }
    // Forgets what is in memory, as at the start of the program.
    void forgetMemory() {
        rec() = TPrecinctRecord{};
        session.SeznamStran = TSeznamStran{};
        session.JmenaKomise.clear();
    }
    static TAktOkrsek okrsek() { return {QStringLiteral("582786"), 3}; }
};

} // namespace urn::test
