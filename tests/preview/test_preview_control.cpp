#include "preview/PreviewControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace urn;

namespace {

// A preview in page units of 0.1 mm on A4, shown in a window of its own.
struct PreviewFixture {
    TPrintPreview preview;
    explicit PreviewFixture(QSize size = QSize(600, 400)) {
        preview.SetUnits(mmLoMetric);
        preview.resize(size);
        preview.show();
        QApplication::processEvents();
    }
    // Records `pages` pages, each with its number written in a corner.
    void record(int pages) {
        preview.BeginDoc();
        for (int i = 1; i <= pages; ++i) {
            if (i > 1)
                preview.NewPage();
            preview.Canvas()->drawText(100, 100, QString::number(i));
        }
        preview.EndDoc();
    }
};

bool darkAt(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 128;
}

void sendKey(QWidget& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent ev(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&w, &ev);
}

void sendWheel(TPrintPreview& p, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier,
               Qt::MouseButtons buttons = Qt::NoButton) {
    const QPointF local(p.width() / 2.0, p.height() / 2.0);
    QWheelEvent ev(local, p.mapToGlobal(local), QPoint(), QPoint(0, delta), buttons, mods,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(p.viewport(), &ev);
}

} // namespace

TEST(PreviewControl, OnePageDocument) {
    PreviewFixture f;
    QSignalSpy changes(&f.preview, &TPrintPreview::OnChange);
    f.preview.BeginDoc();
    EXPECT_EQ(f.preview.State(), psCreating);
    ASSERT_NE(f.preview.Canvas(), nullptr);
    EXPECT_EQ(f.preview.TotalPages(), 0);
    EXPECT_EQ(f.preview.CurrentPage(), 0);
    f.preview.EndDoc();
    EXPECT_EQ(f.preview.State(), psReady);
    EXPECT_EQ(f.preview.Canvas(), nullptr);
    EXPECT_EQ(f.preview.TotalPages(), 1);
    EXPECT_EQ(f.preview.CurrentPage(), 1);
    EXPECT_GE(changes.count(), 1);
    EXPECT_TRUE(f.preview.PaperView()->isVisible());
}

TEST(PreviewControl, CallsOutsideADocumentAreIgnored) {
    PreviewFixture f;
    f.preview.NewPage();
    f.preview.EndDoc();
    EXPECT_EQ(f.preview.TotalPages(), 0);
    EXPECT_EQ(f.preview.Canvas(), nullptr);
    EXPECT_EQ(f.preview.State(), psReady);

    f.record(2);
    f.preview.BeginDoc();
    f.preview.BeginDoc(); // not ready: ignored, the first document goes on
    f.preview.NewPage();
    f.preview.EndDoc();
    EXPECT_EQ(f.preview.TotalPages(), 2);
}

TEST(PreviewControl, NewDocumentReplacesTheOldOne) {
    PreviewFixture f;
    f.record(5);
    f.preview.SetCurrentPage(4);
    QSignalSpy changes(&f.preview, &TPrintPreview::OnChange);
    f.preview.BeginDoc();
    EXPECT_EQ(f.preview.TotalPages(), 0);
    EXPECT_EQ(f.preview.CurrentPage(), 0);
    EXPECT_FALSE(f.preview.PaperView()->isVisible());
    f.preview.EndDoc();
    EXPECT_EQ(f.preview.TotalPages(), 1);
    EXPECT_EQ(f.preview.CurrentPage(), 1);
}

TEST(PreviewControl, PageCanvasIsTenthsOfMillimetreFromTheSheetCorner) {
    const struct {
        TPrinterOrientation orientation;
        QSize ext;
    } cases[] = {{poPortrait, {2100, 2970}}, {poLandscape, {2970, 2100}}};
    for (const auto& c : cases) {
        PreviewFixture f;
        f.preview.SetOrientation(c.orientation);
        EXPECT_EQ(f.preview.PageExt(), c.ext);
        f.preview.BeginDoc();
        QPainter* p = f.preview.Canvas();
        p->setPen(QPen(Qt::black, 10));
        p->drawLine(200, 1500, 200, 2000); // 20 mm from the left
        p->drawLine(200, 2000, 600, 2000); // 200 mm from the top
        f.preview.EndDoc();
        // At 254 pixels per inch one pixel is 0.1 mm.
        const QImage img = f.preview.RenderPage(1, 254);
        ASSERT_EQ(img.size(), c.ext);
        EXPECT_TRUE(darkAt(img, 200, 1700));
        EXPECT_TRUE(darkAt(img, 400, 2000));
        EXPECT_FALSE(darkAt(img, 215, 1700));
        EXPECT_FALSE(darkAt(img, 400, 2015));
    }
}

TEST(PreviewControl, TextOfPointSizedFontIsMeasuredInPoints) {
    PreviewFixture f;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(72); // one inch = 254 units
    f.preview.SetFont(font);
    f.preview.BeginDoc();
    EXPECT_EQ(f.preview.Canvas()->font().pixelSize(), 254);
    f.preview.EndDoc();
}

TEST(PreviewControl, PaperChangesAreIgnoredDuringADocument) {
    PreviewFixture f;
    f.preview.BeginDoc();
    f.preview.SetOrientation(poLandscape);
    f.preview.SetPaperType(pA3);
    EXPECT_EQ(f.preview.Orientation(), poPortrait);
    EXPECT_EQ(f.preview.PaperType(), pA4);
    f.preview.EndDoc();
    f.preview.SetPaperType(pA3);
    EXPECT_EQ(f.preview.PageExt(), QSize(2970, 4200));
    f.preview.SetUnits(mmHiMetric);
    EXPECT_EQ(f.preview.PageExt(), QSize(29700, 42000));
}

TEST(PreviewControl, ZoomIsClamped) {
    PreviewFixture f;
    const struct {
        int set;
        int stored;
    } cases[] = {{5, 10}, {10, 10}, {100, 100}, {999, 999}, {2000, 1000}, {-3, 10}};
    for (const bool withPages : {false, true}) {
        if (withPages)
            f.record(1);
        for (const auto& c : cases) {
            f.preview.SetZoomState(zsZoomToFit);
            f.preview.SetZoom(c.set);
            EXPECT_EQ(f.preview.Zoom(), c.stored) << c.set << " pages " << withPages;
            EXPECT_EQ(f.preview.ZoomState(), zsZoomOther);
        }
    }
    f.preview.SetZoom(50);
    f.preview.SetZoomMin(80); // pulls the zoom inside the new limit
    EXPECT_EQ(f.preview.Zoom(), 80);
    f.preview.SetZoomMin(0); // must stay positive
    EXPECT_EQ(f.preview.ZoomMin(), 80);
    f.preview.SetZoomMax(50); // below the minimum
    EXPECT_EQ(f.preview.ZoomMax(), 1000);
}

TEST(PreviewControl, ZoomStatesSizeThePaper) {
    PreviewFixture f(QSize(600, 400));
    f.record(1);
    const QSize logical = f.preview.LogicalExt();
    ASSERT_EQ(logical, QSize(794, 1123)); // A4 at 96 pixels per inch
    const int ext = 2 * 1 + 3;            // border on both sides, shadow
    const int margin = TPrintPreview::kScrollMargin;

    f.preview.SetZoom(100);
    EXPECT_EQ(f.preview.PaperView()->size(), logical + QSize(ext, ext));

    // Fit: the whole sheet is visible, no scroll bars, centred.
    f.preview.SetZoomState(zsZoomToFit);
    EXPECT_FALSE(f.preview.CanScrollHorz());
    EXPECT_FALSE(f.preview.CanScrollVert());
    EXPECT_EQ(f.preview.PaperView()->height(), 400 - 2 * margin);
    EXPECT_EQ(f.preview.Zoom(), qRound((400 - 2 * margin - ext) * 100.0 / 1123));
    const QRect g = f.preview.PaperView()->geometry();
    EXPECT_NEAR(g.left(), 600 - g.right() - 1, 1);

    // Width: the sheet fills the width; it is taller than the window, so a
    // vertical bar takes its room from the width.
    f.preview.SetZoomState(zsZoomToWidth);
    EXPECT_FALSE(f.preview.CanScrollHorz());
    EXPECT_TRUE(f.preview.CanScrollVert());
    EXPECT_EQ(f.preview.PaperView()->width() + 2 * margin, f.preview.viewport()->width());
    EXPECT_TRUE(f.preview.verticalScrollBar()->isVisible());
}

TEST(PreviewControl, HighZoomScrollsAndShowsTheHand) {
    PreviewFixture f(QSize(300, 200));
    f.record(1);
    f.preview.SetZoom(1000);
    EXPECT_EQ(f.preview.Zoom(), 1000);
    EXPECT_TRUE(f.preview.CanScrollHorz());
    EXPECT_TRUE(f.preview.CanScrollVert());
    EXPECT_TRUE(f.preview.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(f.preview.verticalScrollBar()->isVisible());
    EXPECT_EQ(f.preview.PaperView()->cursor().shape(), Qt::OpenHandCursor);

    // Scrolling moves the paper; a small zoom centres it again.
    const QPoint before = f.preview.PaperView()->pos();
    sendKey(f.preview, Qt::Key_End);                      // right edge
    sendKey(f.preview, Qt::Key_End, Qt::ControlModifier); // bottom
    EXPECT_EQ(f.preview.horizontalScrollBar()->value(), f.preview.horizontalScrollBar()->maximum());
    EXPECT_EQ(f.preview.verticalScrollBar()->value(), f.preview.verticalScrollBar()->maximum());
    EXPECT_LT(f.preview.PaperView()->x(), before.x());
    sendKey(f.preview, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(f.preview.verticalScrollBar()->value(), 0);

    f.preview.SetZoom(10);
    EXPECT_FALSE(f.preview.CanScrollHorz());
    EXPECT_EQ(f.preview.PaperView()->cursor().shape(), Qt::ArrowCursor);
}

TEST(PreviewControl, KeepsTheRelativeScrollPositionWhenZooming) {
    PreviewFixture f(QSize(300, 200));
    f.record(1);
    f.preview.SetZoom(400);
    QScrollBar* vb = f.preview.verticalScrollBar();
    vb->setValue(vb->maximum() / 2);
    f.preview.SetZoom(800);
    EXPECT_NEAR(double(vb->value()) / vb->maximum(), 0.5, 0.01);
}

TEST(PreviewControl, CurrentPageRules) {
    PreviewFixture f;
    f.preview.SetCurrentPage(3); // no pages: nothing changes
    EXPECT_EQ(f.preview.CurrentPage(), 0);
    f.record(3);
    QSignalSpy changes(&f.preview, &TPrintPreview::OnChange);
    const struct {
        int set;
        int current;
        bool change;
    } cases[] = {{2, 2, true}, {2, 2, false}, {0, 1, true}, {-7, 1, false}, {99, 3, true}};
    for (const auto& c : cases) {
        const int before = int(changes.count());
        f.preview.SetCurrentPage(c.set);
        EXPECT_EQ(f.preview.CurrentPage(), c.current) << c.set;
        EXPECT_EQ(changes.count() - before, c.change ? 1 : 0) << c.set;
    }
}

TEST(PreviewControl, KeyboardNavigation) {
    PreviewFixture f;
    f.record(4);
    f.preview.SetZoom(100);
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        int page;
        int zoom;
    } cases[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2, 100},
        {Qt::Key_PageDown, Qt::NoModifier, 3, 100},
        {Qt::Key_PageDown, Qt::ControlModifier, 4, 100},
        {Qt::Key_PageDown, Qt::NoModifier, 4, 100},
        {Qt::Key_PageUp, Qt::NoModifier, 3, 100},
        {Qt::Key_PageUp, Qt::ControlModifier, 1, 100},
        {Qt::Key_Plus, Qt::KeypadModifier, 1, 110},
        {Qt::Key_Plus, Qt::NoModifier, 1, 110}, // only the numeric pad zooms
        {Qt::Key_Minus, Qt::KeypadModifier, 1, 100},
        {Qt::Key_Minus, Qt::KeypadModifier, 1, 90},
    };
    for (const auto& c : cases) {
        sendKey(f.preview, c.key, c.mods);
        EXPECT_EQ(f.preview.CurrentPage(), c.page) << c.key;
        EXPECT_EQ(f.preview.Zoom(), c.zoom) << c.key;
    }
}

TEST(PreviewControl, ArrowKeysScroll) {
    PreviewFixture f(QSize(300, 200));
    f.record(1);
    f.preview.SetZoom(400);
    QScrollBar* hb = f.preview.horizontalScrollBar();
    QScrollBar* vb = f.preview.verticalScrollBar();
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        int dx;
        int dy;
    } cases[] = {
        {Qt::Key_Right, Qt::NoModifier, hb->singleStep(), 0},
        {Qt::Key_Right, Qt::ShiftModifier, 1, 0},
        {Qt::Key_Right, Qt::ControlModifier, hb->pageStep(), 0},
        {Qt::Key_Left, Qt::ShiftModifier, -1, 0},
        {Qt::Key_Down, Qt::NoModifier, 0, vb->singleStep()},
        {Qt::Key_Down, Qt::ControlModifier, 0, vb->pageStep()},
        {Qt::Key_Up, Qt::ShiftModifier, 0, -1},
    };
    for (const auto& c : cases) {
        const int h = hb->value();
        const int v = vb->value();
        sendKey(f.preview, c.key, c.mods);
        EXPECT_EQ(hb->value() - h, c.dx) << c.key;
        EXPECT_EQ(vb->value() - v, c.dy) << c.key;
    }
}

TEST(PreviewControl, WheelNavigation) {
    PreviewFixture f(QSize(300, 200));
    f.record(5);
    f.preview.SetZoom(400);
    QScrollBar* vb = f.preview.verticalScrollBar();
    vb->setValue(200);

    sendWheel(f.preview, -120); // backwards: down one line
    EXPECT_EQ(vb->value(), 200 + vb->singleStep());
    sendWheel(f.preview, 60); // half a notch: nothing yet
    EXPECT_EQ(vb->value(), 200 + vb->singleStep());
    sendWheel(f.preview, 60);
    EXPECT_EQ(vb->value(), 200);

    sendWheel(f.preview, -240, Qt::ShiftModifier); // backwards: earlier pages, none before 1
    EXPECT_EQ(f.preview.CurrentPage(), 1);
    sendWheel(f.preview, 240, Qt::ShiftModifier);
    EXPECT_EQ(f.preview.CurrentPage(), 3);
    sendWheel(f.preview, 120, Qt::NoModifier, Qt::MiddleButton);
    EXPECT_EQ(f.preview.CurrentPage(), 4);

    sendWheel(f.preview, 120, Qt::ControlModifier);
    EXPECT_EQ(f.preview.Zoom(), 410);
}

TEST(PreviewControl, DrawnPageShowsOnThePaper) {
    PreviewFixture f(QSize(400, 560));
    f.preview.BeginDoc();
    f.preview.Canvas()->fillRect(QRect(0, 0, 1050, 2970), Qt::black); // left half of the sheet
    f.preview.EndDoc();
    f.preview.SetZoomState(zsZoomToFit);
    const QImage shot = f.preview.grab().toImage();
    const QRect paper = f.preview.PaperView()->geometry();
    const QRect page = f.preview.PaperView()->PageRect().translated(paper.topLeft());
    const QPoint left(page.left() + page.width() / 4, page.center().y());
    const QPoint right(page.left() + 3 * page.width() / 4, page.center().y());
    EXPECT_LT(qGray(shot.pixel(left)), 60);
    EXPECT_GT(qGray(shot.pixel(right)), 200);
}

TEST(PreviewControl, DraggingThePaperPansIt) {
    PreviewFixture f(QSize(300, 200));
    f.record(1);
    f.preview.SetZoom(400);
    QScrollBar* hb = f.preview.horizontalScrollBar();
    QScrollBar* vb = f.preview.verticalScrollBar();
    hb->setValue(300);
    vb->setValue(300);
    QWidget* paper = f.preview.PaperView();
    QSignalSpy clicks(&f.preview, &TPrintPreview::OnPaperClick);
    const QPointF start(paper->mapFromParent(QPoint(150, 100)));
    auto mouse = [&](QEvent::Type type, QPointF pos, Qt::MouseButtons buttons) {
        QMouseEvent ev(type, pos, paper->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(paper, &ev);
    };
    mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
    EXPECT_EQ(paper->cursor().shape(), Qt::ClosedHandCursor);
    EXPECT_TRUE(f.preview.hasFocus() || QApplication::focusWidget() == nullptr);
    mouse(QEvent::MouseMove, start + QPointF(-40, -25), Qt::LeftButton);
    EXPECT_EQ(hb->value(), 340); // the page follows the mouse
    EXPECT_EQ(vb->value(), 325);
    mouse(QEvent::MouseButtonRelease, start + QPointF(-40, -25), Qt::NoButton);
    EXPECT_EQ(paper->cursor().shape(), Qt::OpenHandCursor);
    mouse(QEvent::MouseMove, start, Qt::NoButton); // no button: no panning
    EXPECT_EQ(hb->value(), 340);
    EXPECT_EQ(clicks.count(), 0); // a drag is no click
    mouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, start, Qt::NoButton);
    EXPECT_EQ(clicks.count(), 1);
}
