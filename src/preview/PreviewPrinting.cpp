#include "core/Errors.h"
#include "preview/PreviewControl.h"
#include "preview/PrintSystem.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>

namespace urn {

namespace {

QPageSize pageSizeFor(const TDeviceMode& dm, TPaperType paper, const QList<QPageSize>& offered) {
    if (!dm.formName.isEmpty())
        for (const QPageSize& ps : offered)
            if (ps.name() == dm.formName)
                return ps;
    if (dm.paperSize == 256)
        return QPageSize(QSizeF(dm.paperWidth / 10.0, dm.paperLength / 10.0),
                         QPageSize::Millimeter);
    const QPageSize known(QPageSize::id(dm.paperSize));
    const TPaperSize table = PaperSizeOf(paper);
    const QSizeF exact = table.units == mmHiEnglish
                             ? QSizeF(table.width / 1000.0, table.height / 1000.0)
                             : QSizeF(table.width / 10.0, table.height / 10.0);
    const QPageSize::Unit unit =
        table.units == mmHiEnglish ? QPageSize::Inch : QPageSize::Millimeter;
    // The system's own size wins when it has the paper; otherwise the size is
    // given as it is defined.
    if (known.isValid() && known.id() != QPageSize::Custom && known.size(unit) == exact)
        return known;
    return QPageSize(exact, unit);
}

} // namespace

void TPrintPreview::SetPrinter(QPrinter* printer) {
    FPrinter = printer;
    FPrinterSource = nullptr;
    FFormNameKnown = false;
    UpdateExtent();
}

void TPrintPreview::SetPrinterSource(std::function<QPrinter*()> source) {
    FPrinter = nullptr;
    FPrinterSource = std::move(source);
    FFormNameKnown = false;
    UpdateExtent();
}

QPrinter* TPrintPreview::printer() const {
    // Making a printer asks the printing system for its printers, which
    // costs more than the rest of the preview's start; it is made when a
    // printout first needs it.
    if (!FPrinter && FPrinterSource)
        FPrinter = FPrinterSource();
    return FPrinter;
}

bool TPrintPreview::PrinterInstalled() const {
    if (!printer())
        return false;
    if (printer()->outputFormat() == QPrinter::PdfFormat)
        return !printer()->outputFileName().isEmpty();
    return !printer()->printerName().isEmpty() && !QPrinterInfo::availablePrinters().isEmpty();
}

void TPrintPreview::Print() {
    PrintPages(1, TotalPages());
}

void TPrintPreview::PrintPages(int fromPage, int toPage) {
    const int total = TotalPages();
    fromPage = qMax(1, fromPage);
    toPage = qMin(total, toPage);
    if (fromPage > total)
        return;
    QList<int> pages;
    for (int p = fromPage; p <= toPage; ++p)
        pages.append(p);
    PrintPagesEx(pages);
}

QString TPrintPreview::JobStartError() const {
    if (printer() && printer()->outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Tisk do souboru %1 se nepodařilo zahájit. Zvolte v nastavení "
                              "tiskárny jiný soubor.")
            .arg(QDir::toNativeSeparators(printer()->outputFileName()));
    return QStringLiteral("Tisk na tiskárně %1 se nepodařilo zahájit.")
        .arg(printer() ? printer()->printerName() : QString());
}

void TPrintPreview::PrepareJob() {
    ImposePrinterOptions();
    // The pages of a job are the ones chosen for it, selected here; the
    // server prints all it gets.
    dropServerPageSelection(*printer());
    // Copies made by the server come whole, one after another.
    printer()->setCollateCopies(true);
    printer()->setDocName(FPrintJobTitle);
}

void TPrintPreview::FinishJob(bool ended, const QString& refusal, int pages, int copies) {
    QPrinter& p = *printer();
    const bool file = p.outputFormat() == QPrinter::PdfFormat;
    if (!ended) {
        DiscardFileOutput();
        throw InOutError(
            file ? QStringLiteral("Soubor %1 se nepodařilo zapsat celý. Zvolte v nastavení "
                                  "tiskárny jiný soubor.")
                       .arg(QDir::toNativeSeparators(p.outputFileName()))
                 : QStringLiteral("Úlohu se nepodařilo předat tiskárně „%1“. Nic nebylo "
                                  "vytištěno.")
                       .arg(p.printerName()));
    }
    TPrintResult r;
    r.Pages = pages;
    r.Copies = copies;
    if (file) {
        r.File = p.outputFileName();
    } else {
        r.Printer = p.printerName();
        if (!refusal.isEmpty())
            throw InOutError(QStringLiteral("Tiskárna „%1“ úlohu nepřijala: %2\rNic nebylo "
                                            "vytištěno.")
                                 .arg(r.Printer, refusal));
        r.Stopped = printerStopped(r.Printer);
    }
    FLastPrint = r;
}

void TPrintPreview::DiscardFileOutput() {
    // A file cannot be aborted like a print job: an unfinished document
    // would pass for a complete one, so it goes.
    if (printer()->outputFormat() == QPrinter::PdfFormat)
        QFile::remove(printer()->outputFileName());
}

QRect TPrintPreview::PrinterTarget() const {
    const QRectF paper = printer()->paperRect(QPrinter::DevicePixel);
    const QRectF page = printer()->pageRect(QPrinter::DevicePixel);
    return {-qRound(page.left() - paper.left()), -qRound(page.top() - paper.top()),
            ConvertUnit(FPageExt.width(), FUnits, mmPixel, printer()->logicalDpiX()),
            ConvertUnit(FPageExt.height(), FUnits, mmPixel, printer()->logicalDpiY())};
}

void TPrintPreview::PrintPagesEx(const QList<int>& pages) {
    if (FState != psReady || !PrinterInstalled() || pages.isEmpty())
        return;
    SetState(psPrinting);
    QPainter painter;
    try {
        emit OnBeforePrint();
        PrepareJob();
        if (!painter.begin(printer()))
            throw InOutError(JobStartError());
        const QRect target = PrinterTarget();
        // A printer that makes its own copies gets each page once; output to
        // a file gets the copies written out.
        const int copies =
            printer()->supportsMultipleCopies() ? 1 : qMax(1, printer()->copyCount());
        const int total = int(pages.size()) * copies;
        int done = 0;
        int printed = 0;
        bool first = true;
        bool cancelled = false;
        for (int c = 0; c < copies && !cancelled; ++c) {
            for (int pageNo : pages) {
                emit OnProgress(done, total);
                TPageProcessingChoice choice = pcAccept;
                emit OnPageProcessing(pageNo, choice);
                if (choice == pcCancellAll) {
                    printer()->abort();
                    cancelled = true;
                    break;
                }
                if (choice == pcAccept && pageNo >= 1 && pageNo <= FPageList.Count()) {
                    if (!first)
                        printer()->newPage();
                    first = false;
                    emit OnPrintBackground(pageNo, &painter, target);
                    DrawPage(pageNo, painter, target);
                    emit OnPrintAnnotation(pageNo, &painter, target);
                    ++printed;
                }
                ++done;
            }
        }
        if (!cancelled)
            emit OnProgress(total, total);
        const bool ended = painter.end();
        // The server's answer, before anything else asks it something.
        const QString refusal = jobRefusal();
        if (cancelled)
            DiscardFileOutput();
        else
            FinishJob(ended, refusal, printed / copies, qMax(1, printer()->copyCount()));
        printer()->setDocName(QString());
        emit OnAfterPrint();
    } catch (...) {
        if (painter.isActive()) {
            printer()->abort();
            painter.end();
            DiscardFileOutput();
        }
        printer()->setDocName(QString());
        SetState(psReady);
        throw;
    }
    SetState(psReady);
}

// ---------------------------------------------------------------- direct printing

void TPrintPreview::BeginDirectDoc() {
    // Pages drawn for no printer would vanish while the printout seemed to
    // have printed: a document without a printer is refused before it starts.
    if (!PrinterInstalled())
        throw InOutError(QStringLiteral("Není vybrána žádná tiskárna. Nic nebylo vytištěno."));
    SetState(psPrinting);
    FDirectPrinting = true;
    FDirectPrintPageCount = 0;
    FCanvasPageNo = 0;
    FPageCanvas = nullptr;
    auto canvas = std::make_unique<QPainter>();
    PrepareJob();
    if (!canvas->begin(printer())) {
        FDirectPrinting = false;
        SetState(psReady);
        throw InOutError(JobStartError());
    }
    FCanvas = std::move(canvas);
    UpdateExtent();
    emit OnBeginDoc();
    NewPage();
}

void TPrintPreview::NewDirectPage() {
    if (FPageCanvas) {
        emit OnEndPage();
        ++FDirectPrintPageCount;
        printer()->newPage();
    }
    FPageCanvas = FCanvas.get();
    MapCanvas(*FCanvas, printer());
    ++FCanvasPageNo;
    emit OnNewPage();
}

void TPrintPreview::AbortDirectDoc() {
    const bool toPrinter = FCanvas && FCanvas->device() == static_cast<QPaintDevice*>(printer());
    if (toPrinter)
        printer()->abort();
    if (FCanvas && FCanvas->isActive())
        FCanvas->end();
    if (toPrinter)
        DiscardFileOutput();
    FPageCanvas = nullptr;
    FCanvas.reset();
    FPageMetafile.reset();
    if (printer())
        printer()->setDocName(QString());
    FDirectPrinting = false;
    FCanvasPageNo = 0;
    UpdateExtent();
    SetState(psReady);
}

void TPrintPreview::EndDirectDoc() {
    emit OnEndPage();
    ++FDirectPrintPageCount;
    FPageCanvas = nullptr;
    const bool ended = FCanvas->end();
    // The server's answer, before anything else asks it something.
    const QString refusal = jobRefusal();
    FCanvas.reset();
    FPageMetafile.reset();
    if (printer())
        printer()->setDocName(QString());
    FDirectPrinting = false;
    FCanvasPageNo = 0;
    UpdateExtent();
    SetState(psReady);
    // Each direct document is one copy, a job of its own.
    FinishJob(ended, refusal, FDirectPrintPageCount, 1);
    emit OnEndDoc();
}

// ---------------------------------------------------------------- printer options

QString TPrintPreview::GetFormName() {
    if (!FFormNameKnown && PrinterInstalled()) {
        QList<TFormInfo> forms;
        for (const QPageSize& ps : QPrinterInfo(*printer()).supportedPageSizes()) {
            const QSizeF mm = ps.size(QPageSize::Millimeter);
            forms.append({ps.name(), QSize(RoundHalfEven(mm.width()), RoundHalfEven(mm.height()))});
        }
        QSizeF portraitMm;
        if (FPaperType == pCustom) {
            const QSize p = FOrientation == poLandscape ? FPageExt.transposed() : FPageExt;
            portraitMm = QSizeF(ConvertX(p.width(), FUnits, mmHiMetric) / 100.0,
                                ConvertY(p.height(), FUnits, mmHiMetric) / 100.0);
        } else {
            const TPaperSize s = PaperSizeOf(FPaperType);
            portraitMm = QSizeF(ConvertUnit(s.width, s.units, mmHiMetric, 96) / 100.0,
                                ConvertUnit(s.height, s.units, mmHiMetric, 96) / 100.0);
        }
        const bool metric =
            MetricUnits(FUnits, QLocale().measurementSystem() == QLocale::MetricSystem);
        const TFormNameResult r =
            FindFormName(portraitMm, FOrientation == poLandscape, metric, forms);
        FFormName = r.formName;
        FVirtualFormName = r.virtualFormName;
        FFormNameKnown = true;
    }
    return FFormName.isEmpty() ? FVirtualFormName : FFormName;
}

void TPrintPreview::ImposePrinterOptions() {
    if (FUsePrinterOptions) {
        ReadPrinterOptions();
        return;
    }
    if (!PrinterInstalled())
        return;
    GetFormName();
    TFormNameResult form;
    form.formName = FFormName;
    form.virtualFormName = FVirtualFormName;
    const QSize custom = FOrientation == poLandscape ? FPageExt.transposed() : FPageExt;
    const TDeviceMode dm = ImposedDeviceMode(FPaperType, FOrientation, form,
                                             QSize(ConvertX(custom.width(), FUnits, mmLoMetric),
                                                   ConvertY(custom.height(), FUnits, mmLoMetric)));
    printer()->setPageSize(
        pageSizeFor(dm, FPaperType, QPrinterInfo(*printer()).supportedPageSizes()));
    printer()->setPageOrientation(dm.orientation == 2 ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
}

void TPrintPreview::ReadPrinterOptions() {
    if (!PrinterInstalled())
        return;
    const QPageLayout layout = printer()->pageLayout();
    const int number = layout.pageSize().windowsId();
    FOrientation = layout.orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    if (AllPaperTypes().contains(TPaperType(number)) && number != pCustom) {
        FPaperType = TPaperType(number);
    } else {
        const QSizeF mm = layout.pageSize().size(QPageSize::Millimeter);
        FPaperType = pCustom;
        FCustomSize = QSize(ConvertX(qRound(mm.width() * 10), mmLoMetric, FUnits),
                            ConvertY(qRound(mm.height() * 10), mmLoMetric, FUnits));
    }
    PageSizeFromTable();
    FFormNameKnown = false;
    UpdateExtent();
}

QRect TPrintPreview::GetPrinterPageBounds() {
    if (!PrinterInstalled())
        return {QPoint(0, 0), FPageExt};
    const QRectF paper = printer()->paperRect(QPrinter::DevicePixel);
    const QRectF page = printer()->pageRect(QPrinter::DevicePixel);
    const int dx = printer()->logicalDpiX();
    const int dy = printer()->logicalDpiY();
    return {ConvertUnit(qRound(page.left() - paper.left()), mmPixel, FUnits, dx),
            ConvertUnit(qRound(page.top() - paper.top()), mmPixel, FUnits, dy),
            ConvertUnit(qRound(page.width()), mmPixel, FUnits, dx),
            ConvertUnit(qRound(page.height()), mmPixel, FUnits, dy)};
}

} // namespace urn
