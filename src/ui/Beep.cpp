#include "ui/Beep.h"

#include <QApplication>

namespace urn {

namespace {
int g_beeps = 0;
}

void systemBeep() {
    ++g_beeps;
    QApplication::beep();
}

int beepCount() {
    return g_beeps;
}

} // namespace urn
