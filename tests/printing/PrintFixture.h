#pragma once

// A printing test bench: a temporary installation with the sample station,
// the preview window with its modal showing replaced, and a fixed clock.

#include "PageText.h"
#include "TestInstall.h"
#include "checks/PrecinctSession.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
#include "store/StationConfig.h"

#include <QDateTime>
#include <QImage>

namespace urn::test {

// 8 June 2024, 14:35:12: every reference image carries this date and time.
QDateTime fixedPrintTime();

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

// Starts a page of its own on the preview for the layout primitives.
struct CanvasFixture : PrintFixture {
    CanvasFixture();
    ~CanvasFixture();
    DrawnPage finish();
};

} // namespace urn::test
