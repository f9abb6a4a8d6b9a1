#include "ui/PrinterChoice.h"

#include <QDialogButtonBox>
#include <QLabel>
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
    // The dialog would offer pages and copies even here, and they belong to
    // each printout (chosen in its preview), never to the printer: its
    // choices of pages and copies are hidden once the dialog is up (it shows
    // them as it opens).
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* pages = dialog.findChild<QWidget*>(QStringLiteral("gbPrintRange")))
            pages->hide();
        QWidget* copies = dialog.findChild<QWidget*>(QStringLiteral("copies"));
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (copies && label->buddy() == copies)
                label->hide();
        for (const char* name : {"copies", "collate"})
            if (auto* w = dialog.findChild<QWidget*>(QLatin1String(name)))
                w->hide();
    });
    dialog.exec();
}

} // namespace urn
