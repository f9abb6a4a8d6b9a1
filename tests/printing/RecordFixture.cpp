#include "RecordFixture.h"

#include "checks/ErrorCatalogue.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/PrinterChoice.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

namespace urn::test {

RecordFixture::RecordFixture(const VzorZapisu& vzor) {
    zapisTabulkyZapisu(inst.dirs().program, session);
    vzorovyZapis(session, vzor);
    printToFile();
}

RecordFixture::~RecordFixture() {
    noPrinter();
    vybranaTiskarna().setCopyCount(1);
    session.ChybProt = TChybProt();
    freeErrorCatalogue();
}

TUdajeZapisu RecordFixture::udajeZapisu(const PrecinctSession& session) {
    return {session.PrecinctRecord, session.Stanice, session.JmenaKomise, session.SeznamStran,
            errorCatalogueCreated() ? &session.ChybProt : nullptr};
}

void RecordFixture::tiskZapisu(int kopii) {
    TiskZapisu(udajeZapisu(), okno, kopii, fixedPrintTime());
}

void RecordFixture::printToFile(const QString& name) {
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(name));
}

void RecordFixture::noPrinter() {
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFileName(QString());
    printer.setPrinterName(QString());
}

int RecordFixture::pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return int(QString::fromLatin1(f.readAll())
                   .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

} // namespace urn::test
