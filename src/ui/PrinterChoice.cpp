#include "ui/PrinterChoice.h"

#include <QPrinter>

namespace urn {

QPrinter& vybranaTiskarna() {
    // Created on first use: QPrinter needs the application object.
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace urn
