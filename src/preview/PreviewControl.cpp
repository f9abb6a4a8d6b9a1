#include "preview/PreviewControl.h"

#include "core/Errors.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace urn {

namespace {
constexpr int kLineStep = 20;    // pixels of one "line" of scrolling
constexpr int kWheelNotch = 120; // wheel units of one notch
} // namespace

TPrintPreview::TPrintPreview(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    horizontalScrollBar()->setSingleStep(kLineStep);
    verticalScrollBar()->setSingleStep(kLineStep);
    FPaperView = new TPaperPreview(this);
    FPaperView->hide();
    FFont = QFont(QStringLiteral("Arial"));
    FFont.setPointSize(8);
    FPageList.FOnMultipleChange = [this](TMetafileList&, int first, int last) {
        PagesChanged(first, last);
    };
    FPageList.FOnSingleChange = [this](TMetafileList&, int index) { PageChanged(index); };
    PageSizeFromTable();
    UpdateExtent();
}

TPrintPreview::~TPrintPreview() {
    // The store outlives nothing that listens to it.
    FPageList.FOnMultipleChange = nullptr;
    FPageList.FOnSingleChange = nullptr;
    if (FCanvas && FCanvas->isActive())
        FCanvas->end();
}

// ---------------------------------------------------------------- state

void TPrintPreview::SetState(TPreviewState state) {
    if (FState == state)
        return;
    FState = state;
    emit OnStateChange();
}

int TPrintPreview::TotalPages() const {
    return FDirectPrinting ? FDirectPrintPageCount : FPageList.Count();
}

// ---------------------------------------------------------------- recording

void TPrintPreview::BeginDoc() {
    if (FState != psReady)
        return;
    if (FDirectPrint) {
        BeginDirectDoc();
        return;
    }
    FPageCanvas = nullptr;
    FCanvas.reset();
    FPageMetafile.reset();
    FPageList.Clear();
    SetState(psCreating);
    if (FUsePrinterOptions)
        ReadPrinterOptions();
    UpdateExtent();
    emit OnBeginDoc();
    NewPage();
}

void TPrintPreview::NewPage() {
    if (FDirectPrinting) {
        NewDirectPage();
        return;
    }
    if (FState != psCreating)
        return;
    if (FPageCanvas) {
        emit OnEndPage();
        ClosePageOrAbort();
    }
    auto picture = std::make_unique<QPicture>();
    picture->setBoundingRect(QRect(QPoint(0, 0), FPageExt));
    auto canvas = std::make_unique<QPainter>();
    if (!canvas->begin(picture.get())) {
        AbortDoc();
        throw UrnariumError(QStringLiteral("Pro novou stránku tisku není dost paměti."));
    }
    FPageMetafile = std::move(picture);
    FCanvas = std::move(canvas);
    MapCanvas(*FCanvas, FPageMetafile.get());
    FPageCanvas = FCanvas.get();
    ++FCanvasPageNo;
    emit OnNewPage();
}

void TPrintPreview::EndDoc() {
    if (FDirectPrinting) {
        EndDirectDoc();
        return;
    }
    if (FState != psCreating)
        return;
    emit OnEndPage();
    FCanvasPageNo = 0;
    ClosePageOrAbort();
    emit OnEndDoc();
    SetState(psReady);
}

void TPrintPreview::ClosePageOrAbort() {
    try {
        ClosePage();
    } catch (...) {
        AbortDoc();
        throw;
    }
}

void TPrintPreview::AbortDoc() {
    if (FDirectPrinting) {
        AbortDirectDoc();
        return;
    }
    if (FState != psCreating)
        return;
    if (FCanvas && FCanvas->isActive())
        FCanvas->end();
    FPageCanvas = nullptr;
    FCanvas.reset();
    FPageMetafile.reset();
    FCanvasPageNo = 0;
    SetState(psReady);
    UpdateExtent();
}

void TPrintPreview::ClosePage() {
    if (!FCanvas)
        return;
    FCanvas->end();
    FPageCanvas = nullptr;
    FCanvas.reset();
    std::unique_ptr<QPicture> picture = std::move(FPageMetafile);
    if (picture)
        FPageList.Add(*picture);
}

QFont TPrintPreview::CanvasFont() const {
    // A size in points means points of the sheet: turn it into page units,
    // which is what a pixel size on the canvas counts in.
    QFont f = FFont;
    if (f.pointSizeF() > 0) {
        const double perInch = UnitsPerInch(FUnits, ReferenceDpiY());
        f.setPixelSize(qMax(1, RoundHalfEven(f.pointSizeF() * perInch / 72.0)));
    }
    return f;
}

void TPrintPreview::MapCanvas(QPainter& painter, QPaintDevice* device) {
    if (printer() && device == static_cast<QPaintDevice*>(printer())) {
        // The printer's origin is the corner of its printable area: move the
        // viewport back by that offset so that (0, 0) is the sheet's corner.
        const QRectF paper = printer()->paperRect(QPrinter::DevicePixel);
        const QRectF page = printer()->pageRect(QPrinter::DevicePixel);
        const int offX = qRound(page.left() - paper.left());
        const int offY = qRound(page.top() - paper.top());
        const int vw = ConvertUnit(FPageExt.width(), FUnits, mmPixel, printer()->logicalDpiX());
        const int vh = ConvertUnit(FPageExt.height(), FUnits, mmPixel, printer()->logicalDpiY());
        painter.setWindow(0, 0, FPageExt.width(), FPageExt.height());
        painter.setViewport(-offX, -offY, vw, vh);
    } else {
        // Pages are recorded in page units as they are; they are scaled when
        // they are shown or printed.
        painter.resetTransform();
    }
    painter.setFont(CanvasFont());
    painter.setPen(QPen(Qt::black));
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);
}

// ---------------------------------------------------------------- units and paper

int TPrintPreview::ScreenDpi() const {
    return logicalDpiX() > 0 ? logicalDpiX() : 96;
}

bool TPrintPreview::ReferenceIsPrinter() const {
    return (FDirectPrint || FDirectPrinting) && PrinterInstalled();
}

int TPrintPreview::ReferenceDpiX() const {
    return ReferenceIsPrinter() ? printer()->logicalDpiX() : ScreenDpi();
}

int TPrintPreview::ReferenceDpiY() const {
    return ReferenceIsPrinter() ? printer()->logicalDpiY() : ScreenDpi();
}

int TPrintPreview::ConvertX(int value, TUnits from, TUnits to) const {
    return ConvertUnit(value, from, to, ReferenceDpiX());
}

int TPrintPreview::ConvertY(int value, TUnits from, TUnits to) const {
    return ConvertUnit(value, from, to, ReferenceDpiY());
}

QPoint TPrintPreview::ConvertXY(QPoint p, TUnits from, TUnits to) const {
    return {ConvertX(p.x(), from, to), ConvertY(p.y(), from, to)};
}

void TPrintPreview::ConvertPoints(QList<QPoint>& points, TUnits from, TUnits to) const {
    for (QPoint& p : points)
        p = ConvertXY(p, from, to);
}

QRect TPrintPreview::RectFrom(TUnits from, const QRect& r) const {
    const QPoint tl = PointFrom(from, r.topLeft());
    const QPoint br = PointFrom(from, QPoint(r.left() + r.width(), r.top() + r.height()));
    return {tl, QSize(br.x() - tl.x(), br.y() - tl.y())};
}

QRect TPrintPreview::BoundsFrom(TUnits from, const QRect& r) const {
    return {PointFrom(from, r.topLeft()), QSize(XFrom(from, r.width()), YFrom(from, r.height()))};
}

void TPrintPreview::PageSizeFromTable() {
    if (FPaperType == pCustom) {
        FPageExt = FOrientation == poLandscape ? FCustomSize.transposed() : FCustomSize;
        return;
    }
    const TPaperSize s = PaperSizeOf(FPaperType);
    QSize ext(ConvertUnit(s.width, s.units, FUnits, ScreenDpi()),
              ConvertUnit(s.height, s.units, FUnits, ScreenDpi()));
    FPageExt = FOrientation == poLandscape ? ext.transposed() : ext;
}

void TPrintPreview::SetUnits(TUnits units) {
    if (units == FUnits)
        return;
    const TUnits old = FUnits;
    FUnits = units;
    if (FPaperType == pCustom) {
        FCustomSize = QSize(ConvertX(FCustomSize.width(), old, units),
                            ConvertY(FCustomSize.height(), old, units));
    }
    PageSizeFromTable();
    if (FPageCanvas) {
        QPen pen = FPageCanvas->pen();
        pen.setWidth(ConvertX(pen.width(), old, units));
        FPageCanvas->setPen(pen);
    }
    PaperChanged();
}

void TPrintPreview::SetPaperType(TPaperType paper) {
    if (FState != psReady || paper == FPaperType)
        return;
    FPaperType = paper;
    PageSizeFromTable();
    PaperChanged();
}

void TPrintPreview::SetCustomPaperSize(QSize size) {
    if (FState != psReady)
        return;
    FCustomSize = size;
    if (FPaperType == pCustom) {
        PageSizeFromTable();
        PaperChanged();
    }
}

void TPrintPreview::SetOrientation(TPrinterOrientation orientation) {
    if (FState != psReady || orientation == FOrientation)
        return;
    FOrientation = orientation;
    FPageExt = FPageExt.transposed();
    PaperChanged();
}

void TPrintPreview::PaperChanged() {
    FFormName.clear();
    FVirtualFormName.clear();
    FFormNameKnown = false;
    UpdateExtent();
    UpdateZoom();
    emit OnPaperChange();
}

void TPrintPreview::UpdateExtent() {
    const int rx = ReferenceDpiX();
    const int ry = ReferenceDpiY();
    FDeviceExt = QSize(ConvertUnit(FPageExt.width(), FUnits, mmPixel, rx),
                       ConvertUnit(FPageExt.height(), FUnits, mmPixel, ry));
    const int screen = ScreenDpi();
    FLogicalExt = QSize(RoundHalfEven(double(FDeviceExt.width()) * screen / rx),
                        RoundHalfEven(double(FDeviceExt.height()) * screen / ry));
}

void TPrintPreview::SetDirectPrint(bool value) {
    FDirectPrint = value;
    UpdateExtent();
}

// ---------------------------------------------------------------- pages

void TPrintPreview::SetCurrentPage(int page) {
    const int count = FPageList.Count();
    if (count == 0)
        return;
    page = qBound(1, page, count);
    if (page == FCurrentPage)
        return;
    FCurrentPage = page;
    RepaintPaper();
    emit OnChange();
}

void TPrintPreview::PagesChanged(int first, int last) {
    const int count = FPageList.Count();
    if (count == 0) {
        FCurrentPage = 0;
        FPaperView->hide();
        viewport()->update();
        emit OnChange();
        return;
    }
    if (FCurrentPage == 0) {
        FCurrentPage = 1;
        FPaperView->show();
        UpdateZoom();
        RepaintPaper();
    } else if (FCurrentPage > count) {
        FCurrentPage = count;
        RepaintPaper();
    } else if (FCurrentPage - 1 >= first && (last < 0 || FCurrentPage - 1 <= last)) {
        RepaintPaper();
    }
    emit OnChange();
}

void TPrintPreview::PageChanged(int index) {
    if (index == FCurrentPage - 1)
        RepaintPaper();
    emit OnChange();
}

void TPrintPreview::RepaintPaper() {
    FPaperView->Invalidate();
}

void TPrintPreview::DrawPage(int pageNo, QPainter& painter, const QRectF& target) {
    if (pageNo < 1 || pageNo > FPageList.Count())
        return;
    const QPicture& picture = FPageList.Metafiles(pageNo - 1);
    const QRect b = picture.boundingRect();
    if (b.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.translate(target.topLeft());
    painter.scale(target.width() / b.width(), target.height() / b.height());
    painter.translate(-b.topLeft());
    // Replaying a picture scales it by the target's resolution over the
    // recording's; the page is already mapped onto the target, so undo it.
    const QPaintDevice* dev = painter.device();
    painter.scale(double(picture.logicalDpiX()) / dev->logicalDpiX(),
                  double(picture.logicalDpiY()) / dev->logicalDpiY());
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

QImage TPrintPreview::RenderPage(int pageNo, double pixelsPerInch) {
    if (pageNo < 1 || pageNo > FPageList.Count())
        return {};
    const QRect b = FPageList.Metafiles(pageNo - 1).boundingRect();
    const int ppi = qRound(pixelsPerInch);
    QImage image(ConvertUnit(b.width(), FUnits, mmPixel, ppi),
                 ConvertUnit(b.height(), FUnits, mmPixel, ppi), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(pixelsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(pixelsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter p(&image);
    DrawPage(pageNo, p, QRectF(0, 0, image.width(), image.height()));
    return image;
}

// ---------------------------------------------------------------- zoom and layout

void TPrintPreview::SetZoom(int zoom) {
    FZoom = qBound(FZoomMin, zoom, FZoomMax);
    FZoomState = zsZoomOther;
    UpdateZoom();
}

void TPrintPreview::SetZoomState(TZoomState state) {
    FZoomState = state;
    UpdateZoom();
}

void TPrintPreview::SetZoomMin(int value) {
    if (value <= 0 || value > FZoomMax)
        return;
    FZoomMin = value;
    if (FZoomState == zsZoomOther && FZoom < value)
        SetZoom(value);
}

void TPrintPreview::SetZoomMax(int value) {
    if (value < FZoomMin)
        return;
    FZoomMax = value;
    if (FZoomState == zsZoomOther && FZoom > value)
        SetZoom(value);
}

QSize TPrintPreview::PaperSizeFor(int availW, int availH) const {
    const int ext = 2 * FPaperViewOptions.BorderWidth + FPaperViewOptions.ShadowWidth;
    const double lw = FLogicalExt.width();
    const double lh = FLogicalExt.height();
    int pw = 0;
    int ph = 0;
    auto toWidth = [&] {
        pw = availW - ext;
        ph = qRound(pw * lh / lw);
    };
    auto toHeight = [&] {
        ph = availH - ext;
        pw = qRound(ph * lw / lh);
    };
    switch (FZoomState) {
    case zsZoomOther:
        pw = qRound(lw * FZoom / 100.0);
        ph = qRound(lh * FZoom / 100.0);
        break;
    case zsZoomToWidth:
        toWidth();
        break;
    case zsZoomToHeight:
        toHeight();
        break;
    case zsZoomToFit:
        if (double(availH) / availW > lh / lw)
            toWidth();
        else
            toHeight();
        break;
    }
    return {qMax(1, pw) + ext, qMax(1, ph) + ext};
}

void TPrintPreview::UpdateZoom() {
    if (FInLayout || FCurrentPage == 0 || FLogicalExt.isEmpty())
        return;
    // The whole area inside the frame, as if no scroll bar were shown.
    const QSize full = contentsRect().size();
    int availW = full.width() - 2 * kScrollMargin;
    int availH = full.height() - 2 * kScrollMargin;
    if (availW <= 0 || availH <= 0)
        return;
    FInLayout = true;
    QScrollBar* hb = horizontalScrollBar();
    QScrollBar* vb = verticalScrollBar();
    double relX = 0;
    double relY = 0;
    if (FZoomSavePos) {
        relX = hb->maximum() > 0 ? qMax(0, hb->value()) / double(hb->maximum()) : 0.0;
        relY = vb->maximum() > 0 ? qMax(0, vb->value()) / double(vb->maximum()) : 0.0;
    }
    const int barW = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, vb);
    const int barH = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, hb);
    QSize paper = PaperSizeFor(availW, availH);
    bool h = paper.width() > availW;
    bool v = paper.height() > availH;
    // A bar in one direction takes room from the other: size once more.
    for (int pass = 0; pass < 2 && (h || v); ++pass) {
        const int aw = availW - (v ? barW : 0);
        const int ah = availH - (h ? barH : 0);
        paper = PaperSizeFor(aw, ah);
        const bool h2 = paper.width() > aw;
        const bool v2 = paper.height() > ah;
        if (h2 == h && v2 == v)
            break;
        h = h2;
        v = v2;
    }
    FCanScrollHorz = h;
    FCanScrollVert = v;
    if (FZoomState != zsZoomOther) {
        const int ext = 2 * FPaperViewOptions.BorderWidth + FPaperViewOptions.ShadowWidth;
        FZoom = qRound((paper.height() - ext) * 100.0 / FLogicalExt.height());
    }
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FPaperView->resize(paper);
    const QSize vp = viewport()->size();
    hb->setRange(0, qMax(0, paper.width() + 2 * kScrollMargin - vp.width()));
    hb->setPageStep(qMax(1, vp.width()));
    vb->setRange(0, qMax(0, paper.height() + 2 * kScrollMargin - vp.height()));
    vb->setPageStep(qMax(1, vp.height()));
    if (FZoomSavePos) {
        hb->setValue(qRound(relX * hb->maximum()));
        vb->setValue(qRound(relY * vb->maximum()));
    }
    PlacePaper();
    const TPaperPreviewOptions& o = FPaperViewOptions;
    FPaperView->setCursor(h || v ? o.DragCursor : o.Cursor);
    FPaperView->Invalidate();
    FInLayout = false;
    if (FZoom != FLastZoom) {
        FLastZoom = FZoom;
        emit OnZoomChange();
    }
}

void TPrintPreview::PlacePaper() {
    const QSize vp = viewport()->size();
    const QSize paper = FPaperView->size();
    const int x = FCanScrollHorz ? kScrollMargin - horizontalScrollBar()->value()
                                 : qMax(kScrollMargin, (vp.width() - paper.width()) / 2);
    const int y = FCanScrollVert ? kScrollMargin - verticalScrollBar()->value()
                                 : qMax(kScrollMargin, (vp.height() - paper.height()) / 2);
    FPaperView->move(x, y);
}

void TPrintPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateZoom();
}

void TPrintPreview::scrollContentsBy(int, int) {
    PlacePaper();
}

void TPrintPreview::paintEvent(QPaintEvent*) {
    // The viewport fills its own background; the paper paints itself.
}

bool TPrintPreview::viewportEvent(QEvent* event) {
    return QAbstractScrollArea::viewportEvent(event);
}

// ---------------------------------------------------------------- keyboard, wheel, mouse

void TPrintPreview::ScrollBy(int dx, int dy) {
    if (dx)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    if (dy)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void TPrintPreview::keyPressEvent(QKeyEvent* event) {
    QScrollBar* hb = horizontalScrollBar();
    QScrollBar* vb = verticalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    auto step = [&](QScrollBar* bar) {
        return shift ? 1 : ctrl ? bar->pageStep() : bar->singleStep();
    };
    switch (event->key()) {
    case Qt::Key_Home:
        (ctrl ? vb : hb)->setValue((ctrl ? vb : hb)->minimum());
        break;
    case Qt::Key_End:
        (ctrl ? vb : hb)->setValue((ctrl ? vb : hb)->maximum());
        break;
    case Qt::Key_Left:
        ScrollBy(-step(hb), 0);
        break;
    case Qt::Key_Right:
        ScrollBy(step(hb), 0);
        break;
    case Qt::Key_Up:
        ScrollBy(0, -step(vb));
        break;
    case Qt::Key_Down:
        ScrollBy(0, step(vb));
        break;
    case Qt::Key_PageUp:
        SetCurrentPage(ctrl ? 1 : FCurrentPage - 1);
        break;
    case Qt::Key_PageDown:
        SetCurrentPage(ctrl ? TotalPages() : FCurrentPage + 1);
        break;
    case Qt::Key_Plus:
        if (!keypad) {
            event->ignore();
            return;
        }
        SetZoom(FZoom + FZoomStep);
        break;
    case Qt::Key_Minus:
        if (!keypad) {
            event->ignore();
            return;
        }
        SetZoom(FZoom - FZoomStep);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TPrintPreview::wheelEvent(QWheelEvent* event) {
    if (!rect().contains(mapFromGlobal(event->globalPosition().toPoint()))) {
        event->ignore();
        return;
    }
    const QPoint delta = event->angleDelta();
    FWheelAccumulator += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = FWheelAccumulator / kWheelNotch;
    FWheelAccumulator -= notches * kWheelNotch;
    event->accept();
    if (notches == 0)
        return;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & Qt::ControlModifier)
        SetZoom(FZoom + notches * FZoomStep);
    else if ((mods & Qt::ShiftModifier) || (event->buttons() & Qt::MiddleButton))
        SetCurrentPage(FCurrentPage + notches);
    else
        ScrollBy(0, -notches * verticalScrollBar()->singleStep());
}

void TPrintPreview::BeginDrag(QPoint globalPos) {
    setFocus(Qt::MouseFocusReason);
    if (!FCanScrollHorz && !FCanScrollVert)
        return;
    FIsDragging = true;
    FOldMousePos = globalPos;
    FPaperView->setCursor(FPaperViewOptions.GrabCursor);
}

void TPrintPreview::DragTo(QPoint globalPos) {
    if (!FIsDragging)
        return;
    const QPoint d = globalPos - FOldMousePos;
    FOldMousePos = globalPos;
    ScrollBy(-d.x(), -d.y());
}

void TPrintPreview::EndDrag() {
    if (!FIsDragging)
        return;
    FIsDragging = false;
    FPaperView->setCursor(FCanScrollHorz || FCanScrollVert ? FPaperViewOptions.DragCursor
                                                           : FPaperViewOptions.Cursor);
}

} // namespace urn
