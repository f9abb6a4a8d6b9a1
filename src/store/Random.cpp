#include "store/Random.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace urn {

namespace {
QRandomGenerator& generator() {
    static QRandomGenerator g;
    return g;
}
} // namespace

void seedRandomFromClock() {
    generator().seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch() & 0xFFFFFFFFu));
}

quint32 randomBelow(quint32 bound) {
    return bound == 0 ? 0 : generator().bounded(bound);
}

} // namespace urn
