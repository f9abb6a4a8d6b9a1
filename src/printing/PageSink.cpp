#include "printing/PageSink.h"

#include "core/Errors.h"
#include "preview/PreviewControl.h"

namespace urn {

namespace {
// A printout that failed half-way may have left its document open; the next
// one starts from a ready control.
void zrusNedokonceny(TPrintPreview& preview) {
    if (preview.State() != psReady)
        preview.AbortDoc();
}
} // namespace

PreviewPageSink::PreviewPageSink(TPrintPreview& preview, TPrinterOrientation orientation,
                                 const QString& title)
    : m_preview(preview) {
    zrusNedokonceny(m_preview);
    m_preview.SetPaperType(pA4);
    m_preview.SetUnits(mmLoMetric);
    m_preview.SetOrientation(orientation);
    m_preview.SetPrintJobTitle(title);
}

void PreviewPageSink::ZacatekTisku() {
    zrusNedokonceny(m_preview);
    m_stran = 0;
}

QPainter* PreviewPageSink::VratCanvas() {
    if (m_stran == 0)
        m_preview.BeginDoc();
    else
        m_preview.NewPage();
    QPainter* canvas = m_preview.Canvas();
    if (!canvas)
        throw UrnariumError(QStringLiteral("Stránku tisku se nepodařilo založit."));
    ++m_stran;
    return canvas;
}

void PreviewPageSink::KonecTisku() {
    m_preview.EndDoc();
}

void PreviewPageSink::ZrusTisk() {
    m_preview.AbortDoc();
}

} // namespace urn
