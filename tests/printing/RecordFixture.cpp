#include "RecordFixture.h"

#include "checks/ErrorCatalogue.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "ui/PrinterChoice.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace urn::test {

RecordFixture::RecordFixture(const VzorZapisu& vzor) {
    zapisTabulkyZapisu(inst.dirs().program);
    vzorovyZapis(vzor);
    printToFile();
}

RecordFixture::~RecordFixture() {
    noPrinter();
    vybranaTiskarna().setCopyCount(1);
    freeErrorCatalogue();
    JmenaKomise().clear();
    PrecinctRecord() = TPrecinctRecord{};
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

bool havePdfTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

QStringList pdfText(const QString& path) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
            {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
             QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace urn::test
