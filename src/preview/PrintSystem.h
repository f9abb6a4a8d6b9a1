#pragma once

// What the print server (CUPS) is told and what it answers, beyond what
// QPrinter passes on: the page selection the system's print dialog leaves
// for the server, whether the server took a job, and whether a printer is
// stopped.

#include <QString>

#include <optional>

class QPrinter;

namespace urn {

// The page selection that the system's print dialog leaves on the printer
// for the server to apply ("page-ranges", "page-set"). The program prints
// the pages chosen for a printout itself; a selection left for the server
// would be applied again to the shorter job, and to every later job on the
// same printer.
void dropServerPageSelection(QPrinter& printer);
// The dialog's choice of odd or even pages: "odd", "even", or empty.
QString serverPageSet(QPrinter& printer);

// Right after a job went to a CUPS printer: why the server did not take it
// (its own words), or empty when it did.
QString jobRefusal();
// Whether a CUPS printer is stopped, with its state message (which may be
// empty); nothing when it prints.
std::optional<QString> printerStopped(const QString& printer);

} // namespace urn
