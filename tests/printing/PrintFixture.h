#pragma once

// A printing test bench: a temporary installation with the sample station,
// the preview window with its modal showing replaced, and the fixed time
// every printout is printed at.

#include "PageText.h"
#include "TestInstall.h"
#include "checks/PrecinctSession.h"
#include "printing/CountingSheet.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
#include "store/StationConfig.h"

#include <QDateTime>
#include <QImage>

namespace urn::test {

// 8 June 2024, 14:35:12: every reference image carries this date and time.
QDateTime fixedPrintTime();

// The counting sheet's data as the session keeps it: the station, its
// precinct and the tables read last.
TUdajeArchu udajeArchu(const PrecinctSession& session);
// As the menu command "Sčítací arch" reads them into the session: the
// station's precinct, the party list and the candidate table.
TUdajeArchu nactiArch(PrecinctSession& session);

struct PrintFixture {
    TestInstall inst;
    // What the printouts print: the sample station, and what a test puts in.
    PrecinctSession session;
    TpreviewF okno;
    int shown = 0;
    int pagesWhenShown = -1;

    PrintFixture();
    ~PrintFixture();

    int pages();
    DrawnPage page(int n);
    // The page rendered at 100 pixels per inch.
    QImage image(int n);
};

// Starts a page of its own on the preview for the layout primitives: `s` is
// the layout engine drawing on it.
struct CanvasFixture : PrintFixture {
    PreviewPageSink stranky;
    LayoutEngine s;
    CanvasFixture();
    ~CanvasFixture();
    DrawnPage finish();
};

} // namespace urn::test
