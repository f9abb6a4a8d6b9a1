#pragma once

// Where a printout's pages go. A printout begins its document, asks for the
// canvas of each page in turn and ends the document; it never knows whether
// the pages are stored for the preview, go straight to the printer or are
// only counted.

#include "preview/PreviewUnits.h"

#include <QString>

class QPainter;

namespace urn {

class TPrintPreview;

class PageSink {
public:
    virtual ~PageSink() = default;
    // Called once before the first page of a document.
    virtual void ZacatekTisku() = 0;
    // Closes the previous page, if any, and gives a fresh one in tenths of a
    // millimetre from the sheet's top-left corner; valid until the next page
    // or the end of the document.
    virtual QPainter* VratCanvas() = 0;
    // Ends the last page and the document.
    virtual void KonecTisku() = 0;
    // Gives up the document after a failure in the middle of it.
    virtual void ZrusTisk() = 0;
};

// The pages of the preview control: stored in its page store, or drawn
// straight on the printer while the control prints directly.
class PreviewPageSink : public PageSink {
public:
    // A4 in the given orientation and tenths of a millimetre; printers that
    // print into a file offer the title as the file's name.
    explicit PreviewPageSink(TPrintPreview& preview, TPrinterOrientation orientation = poPortrait,
                             const QString& title = QStringLiteral("VOLBY"));

    void ZacatekTisku() override;
    QPainter* VratCanvas() override;
    void KonecTisku() override;
    void ZrusTisk() override;

private:
    TPrintPreview& m_preview;
    int m_stran = 0; // pages begun since ZacatekTisku
};

} // namespace urn
