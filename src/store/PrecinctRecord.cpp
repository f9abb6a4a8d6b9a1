#include "store/PrecinctRecord.h"

namespace urn {

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

} // namespace urn
