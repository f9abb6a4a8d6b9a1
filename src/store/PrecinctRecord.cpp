#include "store/PrecinctRecord.h"

namespace urn {

TPrecinctRecord& PrecinctRecord() {
    static TPrecinctRecord record;
    return record;
}

TAktOkrsek& AktOkrsek() {
    static TAktOkrsek key;
    return key;
}

// ---- clearing ----

void VyprazdniT2(TPrecinctRecord& record) {
    record.T2 = TVetaT2{};
}
void VyprazdniStrany(TPrecinctRecord& record) {
    record.Strany.fill(TStranaVysl{});
}
void VyprazdniTS(TPrecinctRecord& record) {
    record.TS = TVetaTS{};
}
void VyprazdniCleny(TPrecinctRecord& record) {
    record.Clenove.fill(QString());
}
void VyprazdniT2() {
    VyprazdniT2(PrecinctRecord());
}
void VyprazdniStrany() {
    VyprazdniStrany(PrecinctRecord());
}
void VyprazdniTS() {
    VyprazdniTS(PrecinctRecord());
}
void VyprazdniCleny() {
    VyprazdniCleny(PrecinctRecord());
}

} // namespace urn
