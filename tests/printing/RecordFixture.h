#pragma once

// The record printout's test bench: the sample record in memory, its tables
// in the installation, and the chosen printer printing into a PDF file in a
// temporary directory (where the direct copies go as "QZT2.pdf").

#include "FakeDialogs.h"
#include "PdfText.h"
#include "PrintFixture.h"
#include "RecordSample.h"
#include "printing/PrintCommands.h"

#include <QTemporaryDir>

namespace urn::test {

struct RecordFixture : PrintFixture {
    FakeDialogs dlg;
    QTemporaryDir dir;

    explicit RecordFixture(const VzorZapisu& vzor = {});
    ~RecordFixture();

    // The record as the session keeps it: the station's record, the names of
    // the commission, the party list and the last check run.
    static TUdajeZapisu udajeZapisu(const PrecinctSession& session);
    TUdajeZapisu udajeZapisu() const { return udajeZapisu(session); }
    // TiskZapisu of that record into this fixture's window at the fixed time.
    void tiskZapisu(int kopii);
    // The chosen printer prints into `name` in the temporary directory.
    void printToFile(const QString& name = QStringLiteral("tisk.pdf"));
    // No printer chosen and no file.
    void noPrinter();
    QString copiesFile() const { return dir.filePath(QStringLiteral("QZT2.pdf")); }
    // Pages of a PDF file (0 when there is none).
    static int pdfPages(const QString& path);
};

} // namespace urn::test
