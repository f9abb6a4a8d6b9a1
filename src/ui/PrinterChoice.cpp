#include "ui/PrinterChoice.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

namespace urn {

QPrinter& vybranaTiskarna() {
    // Created on first use: QPrinter needs the application object.
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void VyberTiskarny(QWidget* parent) {
    QPrintDialog dialog(&vybranaTiskarna(), parent);
    dialog.setWindowTitle(QStringLiteral("Výběr tiskárny"));
    // Only the printer is chosen here; what to print is decided by each
    // printout. Printing to a PDF file stays offered for a station without a
    // printer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    // The dialog confirms a choice, it prints nothing.
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    // The dialog would offer pages to the print server even here, and the
    // printouts never send it any: pages are chosen in each preview. The
    // group is shown with the dialog, so it is hidden once the dialog is up.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* pages = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange")))
            pages->hide();
    });
    dialog.exec();
}

} // namespace urn
