#pragma once

class QWidget;

namespace urn {

// Start-up measurement: with URNARIUM_STARTUP_PROBE set in the environment,
// the program ends as soon as its event loop is idle after `window` was
// shown (the work queued by showing it, such as reading the station's
// configuration, done). The start-up benchmark times whole processes this
// way; without the variable nothing happens.
void quitWhenIdleIfProbed(QWidget& window);

} // namespace urn
