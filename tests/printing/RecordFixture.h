#pragma once

// The record printout's test bench: the sample record in memory, its tables
// in the installation, and the chosen printer printing into a PDF file in a
// temporary directory (where the direct copies go as "QZT2.pdf").

#include "FakeDialogs.h"
#include "PdfText.h"
#include "PrintFixture.h"
#include "RecordSample.h"

#include <QTemporaryDir>

namespace urn::test {

struct RecordFixture : PrintFixture {
    FakeDialogs dlg;
    QTemporaryDir dir;

    explicit RecordFixture(const VzorZapisu& vzor = {});
    ~RecordFixture();

    // The chosen printer prints into `name` in the temporary directory.
    void printToFile(const QString& name = QStringLiteral("tisk.pdf"));
    // No printer chosen and no file.
    void noPrinter();
    QString copiesFile() const { return dir.filePath(QStringLiteral("QZT2.pdf")); }
    // Pages of a PDF file (0 when there is none).
    static int pdfPages(const QString& path);
};

} // namespace urn::test
