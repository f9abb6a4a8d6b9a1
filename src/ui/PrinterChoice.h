#pragma once

// The printer the commission chose, and the window it chooses it in.

class QPrinter;
class QWidget;

namespace urn {

// The printer the commission chose with "Výběr tiskárny" (the system's
// default printer until then). Every later printout of the run prints on it,
// whichever window shows it: one for the program's whole run, as the choice
// is, made at its first use (a printer needs the application object). What
// each printout prints (pages, copies) is chosen for that printout alone.
QPrinter& vybranaTiskarna();

// "Výběr tiskárny": the print dialog over the chosen printer, where only the
// printer (or printing to a PDF file) is chosen.
void VyberTiskarny(QWidget* parent);

} // namespace urn
