#pragma once

// TPrintPreview, the print preview control, with TPaperPreview, the paper it
// shows a page on. Printouts record their pages on it (BeginDoc,
// Canvas, NewPage, EndDoc) in page units with the origin at the sheet's
// top-left corner; it keeps the pages in its page store, shows one at a time
// on a paper with border and shadow, zooms and scrolls, and prints the
// stored pages or draws a document straight on the printer.

#include "preview/PageStore.h"
#include "preview/PreviewUnits.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPicture;
class QPrinter;

namespace urn {

enum TZoomState { zsZoomOther, zsZoomToWidth, zsZoomToHeight, zsZoomToFit };

enum TPreviewState {
    psReady,
    psCreating,
    psPrinting,
    psEditing,
    psReplacing,
    psInserting,
    psLoading,
    psSaving,
    psSavingPDF,
    psSavingTIF
};

enum TPageProcessingChoice { pcAccept, pcIgnore, pcCancellAll };

struct TPaperPreviewOptions {
    QColor PaperColor = Qt::white;
    QColor BorderColor = Qt::black;
    int BorderWidth = 1;
    QColor ShadowColor; // the style's button shadow when invalid
    int ShadowWidth = 3;
    QCursor Cursor = QCursor(Qt::ArrowCursor);
    QCursor DragCursor = QCursor(Qt::OpenHandCursor);
    QCursor GrabCursor = QCursor(Qt::ClosedHandCursor);
};

// What a print job sent and where it went.
struct TPrintResult {
    QString Printer; // the printer's name; empty when the job went into a file
    QString File;    // the file written; empty for a printer
    int Pages = 0;   // pages of one copy
    int Copies = 1;
    // Set when the printer is stopped and the job waits in its queue: the
    // printer's state message (which may be empty).
    std::optional<QString> Stopped;
};

class TPrintPreview;

// The paper on which the current page is shown.
class TPaperPreview : public QWidget {
    Q_OBJECT
public:
    explicit TPaperPreview(TPrintPreview* owner);
    // The page needs drawing again (page changed, zoom changed).
    void Invalidate();
    // The rectangle of the page inside the paper control.
    QRect PageRect() const;

signals:
    void Clicked();
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Rebuild(const QRect& visible);

    TPrintPreview* FOwner;
    QPixmap FCache;
    QRect FCacheRect;
    bool FCacheValid = false;
    bool FPaintFailed = false; // reported; not again until the page changes
    QPoint FPressPos;
};

class TPrintPreview : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TPrintPreview(QWidget* parent = nullptr);
    ~TPrintPreview() override;

    // ---- recording a document ----
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Gives up the document being recorded or printed directly, after a
    // failure in the middle of it: the pages recorded so far stay, a direct
    // print job is aborted (a half-written file removed) and the control is
    // ready for the next document.
    void AbortDoc();
    // The canvas of the page being drawn, or none when no page is open.
    QPainter* Canvas() const { return FPageCanvas; }

    // ---- paper and units ----
    TUnits Units() const { return FUnits; }
    void SetUnits(TUnits units);
    TPaperType PaperType() const { return FPaperType; }
    void SetPaperType(TPaperType paper); // ignored unless ready
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation orientation); // ignored unless ready
    // Size of a pCustom paper in the current units (portrait).
    void SetCustomPaperSize(QSize size);
    QSize PageExt() const { return FPageExt; }
    QSize DeviceExt() const { return FDeviceExt; }
    QSize LogicalExt() const { return FLogicalExt; }

    // The font every new page canvas starts with; a point size counts in
    // points of the sheet.
    const QFont& Font() const { return FFont; }
    void SetFont(const QFont& font) { FFont = font; }
    QString PrintJobTitle() const { return FPrintJobTitle; }
    void SetPrintJobTitle(const QString& title) { FPrintJobTitle = title; }
    TPaperPreviewOptions& PaperViewOptions() { return FPaperViewOptions; }

    // ---- pages and view ----
    int TotalPages() const;
    int CurrentPage() const { return FCurrentPage; }
    void SetCurrentPage(int page);
    int Zoom() const { return FZoom; }
    void SetZoom(int zoom);
    TZoomState ZoomState() const { return FZoomState; }
    void SetZoomState(TZoomState state);
    int ZoomMin() const { return FZoomMin; }
    int ZoomMax() const { return FZoomMax; }
    int ZoomStep() const { return FZoomStep; }
    void SetZoomMin(int value);
    void SetZoomMax(int value);
    void SetZoomStep(int value) { FZoomStep = qMax(1, value); }
    bool ZoomSavePos() const { return FZoomSavePos; }
    void SetZoomSavePos(bool value) { FZoomSavePos = value; }
    TPreviewState State() const { return FState; }
    bool CanScrollHorz() const { return FCanScrollHorz; }
    bool CanScrollVert() const { return FCanScrollVert; }
    TPaperPreview* PaperView() const { return FPaperView; }
    TMetafileList& PageList() { return FPageList; }

    // Draws stored page `pageNo` (1-based) scaled into `target` of the
    // painter; the one routine behind the screen, the printer and images.
    void DrawPage(int pageNo, QPainter& painter, const QRectF& target);
    // Renders a stored page on white at `pixelsPerInch`, e.g. to look at it.
    QImage RenderPage(int pageNo, double pixelsPerInch);

    // ---- printing ----
    // The printer to print on; not owned. Without one nothing is printed.
    void SetPrinter(QPrinter* printer);
    // The printer, made by `source` when it is first needed.
    void SetPrinterSource(std::function<QPrinter*()> source);
    QPrinter* Printer() const { return printer(); }
    // Whether the printer can take a job: an installed printer, or output to
    // a file chosen in the print dialog.
    bool PrinterInstalled() const;
    bool DirectPrint() const { return FDirectPrint; }
    void SetDirectPrint(bool value);
    bool UsePrinterOptions() const { return FUsePrinterOptions; }
    void SetUsePrinterOptions(bool value) { FUsePrinterOptions = value; }
    void Print();
    void PrintPages(int fromPage, int toPage);
    void PrintPagesEx(const QList<int>& pages);
    // What the last print job that ended sent and where.
    const TPrintResult& LastPrint() const { return FLastPrint; }
    QString GetFormName();
    // The printable area in the current units; the whole paper without a
    // printer.
    QRect GetPrinterPageBounds();

    // ---- unit conversions (pixels at the reference device's resolution) ----
    int ConvertX(int value, TUnits from, TUnits to) const;
    int ConvertY(int value, TUnits from, TUnits to) const;
    QPoint ConvertXY(QPoint p, TUnits from, TUnits to) const;
    void ConvertPoints(QList<QPoint>& points, TUnits from, TUnits to) const;
    int XFrom(TUnits from, int value) const { return ConvertX(value, from, FUnits); }
    int YFrom(TUnits from, int value) const { return ConvertY(value, from, FUnits); }
    QPoint PointFrom(TUnits from, QPoint p) const { return ConvertXY(p, from, FUnits); }
    QRect RectFrom(TUnits from, const QRect& r) const;
    QRect BoundsFrom(TUnits from, const QRect& r) const;

    // Horizontal / vertical resolution of the reference device.
    int ReferenceDpiX() const;
    int ReferenceDpiY() const;
    int ScreenDpi() const;

    static constexpr int kScrollMargin = 8;

signals:
    void OnChange();
    void OnBeginDoc();
    void OnEndDoc();
    void OnNewPage();
    void OnEndPage();
    void OnStateChange();
    void OnPaperChange();
    void OnZoomChange();
    void OnBeforePrint();
    void OnAfterPrint();
    void OnProgress(int done, int total);
    void OnPageProcessing(int pageNo, urn::TPageProcessingChoice& choice);
    void OnPrintBackground(int pageNo, QPainter* painter, const QRectF& target);
    void OnPrintAnnotation(int pageNo, QPainter* painter, const QRectF& target);
    void OnPaperClick();
    void OnPaperDblClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class TPaperPreview;

    void SetState(TPreviewState state);
    bool ReferenceIsPrinter() const;
    QPrinter* printer() const;
    void BeginDirectDoc();
    void NewDirectPage();
    void EndDirectDoc();
    void ClosePage();
    void ClosePageOrAbort();
    void AbortDirectDoc();
    void MapCanvas(QPainter& painter, QPaintDevice* device);
    QFont CanvasFont() const;
    void UpdateExtent();
    void PaperChanged();
    void PageSizeFromTable();
    void UpdateZoom();
    void PlacePaper();
    void PagesChanged(int first, int last);
    void PageChanged(int index);
    void RepaintPaper();
    void ScrollBy(int dx, int dy);
    QSize PaperSizeFor(int availW, int availH) const;
    void ImposePrinterOptions();
    void ReadPrinterOptions();
    QRect PrinterTarget() const;
    void DiscardFileOutput();
    QString JobStartError() const;
    void PrepareJob();
    void FinishJob(bool ended, const QString& refusal, int pages, int copies);

    // Dragging the paper (called by the paper control).
    void BeginDrag(QPoint globalPos);
    void DragTo(QPoint globalPos);
    void EndDrag();

    TMetafileList FPageList;
    TPaperPreview* FPaperView = nullptr;
    TPaperPreviewOptions FPaperViewOptions;
    QString FPrintJobTitle;
    TUnits FUnits = mmHiMetric;
    TPaperType FPaperType = pA4;
    TPrinterOrientation FOrientation = poPortrait;
    QSize FCustomSize;
    QSize FPageExt;
    QSize FDeviceExt;
    QSize FLogicalExt;
    int FCurrentPage = 0;
    TPreviewState FState = psReady;
    int FZoom = 100;
    TZoomState FZoomState = zsZoomToFit;
    int FZoomMin = 10;
    int FZoomMax = 1000;
    int FZoomStep = 10;
    bool FZoomSavePos = true;
    int FLastZoom = 100;
    bool FDirectPrint = false;
    bool FDirectPrinting = false;
    int FDirectPrintPageCount = 0;
    bool FUsePrinterOptions = false;
    QString FFormName;
    QString FVirtualFormName;
    bool FFormNameKnown = false;
    QPainter* FPageCanvas = nullptr;
    int FCanvasPageNo = 0;
    std::unique_ptr<QPicture> FPageMetafile;
    std::unique_ptr<QPainter> FCanvas;
    mutable QPrinter* FPrinter = nullptr;
    std::function<QPrinter*()> FPrinterSource;
    TPrintResult FLastPrint;
    QFont FFont;
    bool FCanScrollHorz = false;
    bool FCanScrollVert = false;
    bool FIsDragging = false;
    QPoint FOldMousePos;
    int FWheelAccumulator = 0;
    bool FInLayout = false;
};

} // namespace urn
