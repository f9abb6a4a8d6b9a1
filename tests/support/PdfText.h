#pragma once

// What a printed PDF file says, read back with poppler's pdftotext.

#include <QString>
#include <QStringList>

namespace urn::test {

// The text of a PDF file as pdftotext lays it out, page by page (empty when
// pdftotext is not installed).
QStringList pdfText(const QString& path);
bool havePdfTools();

} // namespace urn::test
