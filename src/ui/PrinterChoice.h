#pragma once

class QPrinter;

namespace urn {

// The printer the commission chose with "Výběr tiskárny" (the system's
// default printer until then). Every later printout prints on it.
QPrinter& vybranaTiskarna();

} // namespace urn
