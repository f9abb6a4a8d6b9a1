#include "PrintFixture.h"

#include "preview/PreviewControl.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"

#include <QPainter>

namespace urn::test {

QDateTime fixedPrintTime() {
    return QDateTime(QDate(2024, 6, 8), QTime(14, 35, 12));
}

TUdajeArchu udajeArchu(const PrecinctSession& session) {
    return {session.Stanice, session.AktOkrsek, session.SeznamStran, session.TabulkaKandidatu};
}

TUdajeArchu nactiArch(PrecinctSession& session) {
    session.AktOkrsek = session.Stanice.okrsek();
    NactiStrany(session.SeznamStran);
    NactiKandidaty(session.TabulkaKandidatu);
    return udajeArchu(session);
}

PrintFixture::PrintFixture() {
    session.Stanice = sampleStanice();
    okno.showHook = [this](TpreviewF& w) {
        ++shown;
        pagesWhenShown = w.PrintPreview()->TotalPages();
    };
}

PrintFixture::~PrintFixture() = default;

int PrintFixture::pages() {
    return okno.PrintPreview()->TotalPages();
}

DrawnPage PrintFixture::page(int n) {
    return drawnPage(okno.PrintPreview()->PageList().Metafiles(n - 1));
}

QImage PrintFixture::image(int n) {
    return okno.PrintPreview()->RenderPage(n, 100);
}

CanvasFixture::CanvasFixture()
    : stranky(*okno.PrintPreview()), s(stranky, fixedPrintTime(), session.Stanice.PriponaPisma) {
    stranky.ZacatekTisku();
    s.NovaStrana();
    s.NastavPismo(QStringLiteral("Arial"));
    s.NastavVelikost(24);
}

CanvasFixture::~CanvasFixture() {
    if (s.Platno) {
        stranky.KonecTisku();
        s.Platno = nullptr;
    }
}

DrawnPage CanvasFixture::finish() {
    stranky.KonecTisku();
    s.Platno = nullptr;
    return page(okno.PrintPreview()->TotalPages());
}

} // namespace urn::test
