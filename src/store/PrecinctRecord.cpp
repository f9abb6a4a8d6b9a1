#include "PrecinctRecord.h"

namespace urn {

TPrecinctRecord& PrecinctRecord() {
    static TPrecinctRecord record;
    return record;
}

TAktOkrsek& AktOkrsek() {
    static TAktOkrsek key;
    return key;
}

} // namespace urn
