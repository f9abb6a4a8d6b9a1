#pragma once

namespace urn {

// The default system beep. Every refusal the user should hear goes through
// here, so that tests can tell that it sounded.
void systemBeep();

// How many beeps this process has sounded so far.
int beepCount();

} // namespace urn
