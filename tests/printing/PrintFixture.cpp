#include "PrintFixture.h"

#include "preview/PreviewControl.h"

#include <QPainter>

namespace urn::test {

QDateTime fixedPrintTime() {
    return QDateTime(QDate(2024, 6, 8), QTime(14, 35, 12));
}

PrintFixture::PrintFixture() {
    session.Stanice = sampleStanice();
    setHodinyTisku(&fixedPrintTime);
    okno.showHook = [this](TpreviewF& w) {
        ++shown;
        pagesWhenShown = w.PrintPreview()->TotalPages();
    };
}

PrintFixture::~PrintFixture() {
    setHodinyTisku({});
}

int PrintFixture::pages() {
    return okno.PrintPreview()->TotalPages();
}

DrawnPage PrintFixture::page(int n) {
    return drawnPage(okno.PrintPreview()->PageList().Metafiles(n - 1));
}

QImage PrintFixture::image(int n) {
    return okno.PrintPreview()->RenderPage(n, 100);
}

CanvasFixture::CanvasFixture() {
    PripravTisk(session.Stanice.PriponaPisma);
    okno.ZacatekTisku();
    NovaStrana();
    NastavPismo(QStringLiteral("Arial"));
    NastavVelikost(24);
}

CanvasFixture::~CanvasFixture() {
    if (StavTisku().Platno) {
        okno.KonecTisku();
        StavTisku().Platno = nullptr;
    }
    UvolniMereni();
}

DrawnPage CanvasFixture::finish() {
    okno.KonecTisku();
    StavTisku().Platno = nullptr;
    return page(okno.PrintPreview()->TotalPages());
}

} // namespace urn::test
