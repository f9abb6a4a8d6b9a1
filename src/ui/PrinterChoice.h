#pragma once

class QPrinter;
class QWidget;

namespace urn {

// The printer the commission chose with "Výběr tiskárny" (the system's
// default printer until then). Every later printout prints on it; what each
// printout prints (pages, copies) is chosen for that printout alone.
QPrinter& vybranaTiskarna();

// "Výběr tiskárny": the print dialog over the chosen printer, where only the
// printer (or printing to a PDF file) is chosen.
void VyberTiskarny(QWidget* parent);

} // namespace urn
