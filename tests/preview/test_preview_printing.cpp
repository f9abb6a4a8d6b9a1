#include "core/Errors.h"
#include "preview/PreviewControl.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace urn;

namespace {

// A preview printing to a PDF file, the way a station without a printer
// gets its paper.
struct PdfFixture {
    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    TPrintPreview preview;
    PdfFixture() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath());
        preview.SetUnits(mmLoMetric);
        preview.SetPrinter(&printer);
    }
    QString pdfPath() const { return dir.path() + QStringLiteral("/out.pdf"); }
    // Records pages with a mark that tells them apart.
    void record(int pages) {
        preview.BeginDoc();
        for (int i = 1; i <= pages; ++i) {
            if (i > 1)
                preview.NewPage();
            preview.Canvas()->drawText(200, 300, QStringLiteral("Strana %1").arg(i));
        }
        preview.EndDoc();
    }
    int printedPages() const {
        QFile f(pdfPath());
        if (!f.open(QIODevice::ReadOnly))
            return 0;
        return int(QString::fromLatin1(f.readAll())
                       .count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
    }
};

} // namespace

TEST(PreviewPrinting, PageRangeIsClamped) {
    const struct {
        int from;
        int to;
        int printed;
    } cases[] = {{0, 99, 3}, {1, 3, 3}, {2, 2, 1}, {2, 3, 2}, {5, 9, 0}, {3, 1, 0}};
    for (const auto& c : cases) {
        PdfFixture f;
        f.record(3);
        f.preview.PrintPages(c.from, c.to);
        EXPECT_EQ(f.printedPages(), c.printed) << c.from << ".." << c.to;
        EXPECT_EQ(f.preview.State(), psReady);
    }
}

TEST(PreviewPrinting, PagesOfAListInListOrderAndCopies) {
    PdfFixture f;
    f.record(3);
    QList<int> order;
    QObject::connect(&f.preview, &TPrintPreview::OnPageProcessing,
                     [&](int page, TPageProcessingChoice&) { order.append(page); });
    f.printer.setCopyCount(2);
    f.preview.PrintPagesEx({3, 1});
    EXPECT_EQ(order, (QList<int>{3, 1, 3, 1}));
    EXPECT_EQ(f.printedPages(), 4);
}

TEST(PreviewPrinting, PageProcessingChoices) {
    const struct {
        const char* name;
        TPageProcessingChoice onPage2;
        int printed;
    } cases[] = {{"accept", pcAccept, 3}, {"ignore", pcIgnore, 2}, {"cancel", pcCancellAll, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PdfFixture f;
        f.record(3);
        QList<TPreviewState> states;
        QObject::connect(&f.preview, &TPrintPreview::OnPageProcessing,
                         [&](int page, TPageProcessingChoice& choice) {
                             states.append(f.preview.State());
                             if (page == 2)
                                 choice = c.onPage2;
                         });
        f.preview.Print();
        EXPECT_EQ(f.printedPages(), c.printed);
        for (TPreviewState s : states)
            EXPECT_EQ(s, psPrinting);
        EXPECT_EQ(f.preview.State(), psReady);
    }
}

TEST(PreviewPrinting, NothingIsPrintedWithoutAPrinter) {
    PdfFixture f;
    f.record(2);
    int before = 0;
    QObject::connect(&f.preview, &TPrintPreview::OnBeforePrint, [&] { ++before; });

    f.printer.setOutputFileName(QString()); // no printer, no file chosen
    EXPECT_FALSE(f.preview.PrinterInstalled());
    f.preview.Print();
    f.preview.SetPrinter(nullptr);
    f.preview.Print();
    EXPECT_EQ(before, 0);
    EXPECT_FALSE(QFile::exists(f.pdfPath()));
    EXPECT_EQ(f.preview.GetPrinterPageBounds(), QRect(0, 0, 2100, 2970));
}

TEST(PreviewPrinting, RefusedWhileADocumentIsRecorded) {
    PdfFixture f;
    f.record(2);
    f.preview.BeginDoc();
    f.preview.Print();
    f.preview.EndDoc();
    EXPECT_FALSE(QFile::exists(f.pdfPath()));
}

TEST(PreviewPrinting, ImposesA4AndTheOrientation) {
    for (const TPrinterOrientation o : {poPortrait, poLandscape}) {
        PdfFixture f;
        f.printer.setPageSize(QPageSize(QPageSize::Letter));
        f.printer.setPageOrientation(o == poPortrait ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
        f.preview.SetOrientation(o);
        f.record(1);
        f.preview.Print();
        EXPECT_EQ(f.printer.pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_EQ(f.printer.pageLayout().orientation(),
                  o == poPortrait ? QPageLayout::Portrait : QPageLayout::Landscape);
        // A PDF has no forms of its own: the name is made up from the size.
        EXPECT_EQ(f.preview.GetFormName(), o == poPortrait ? QStringLiteral("210mm x 297mm")
                                                           : QStringLiteral("297mm x 210mm"));
    }
}

TEST(PreviewPrinting, DirectDocumentLeavesTheStoredPages) {
    PdfFixture f;
    f.record(2);
    f.preview.SetDirectPrint(true);
    f.preview.SetPrintJobTitle(QStringLiteral("QZT2.pdf"));
    f.preview.BeginDoc();
    EXPECT_EQ(f.preview.State(), psPrinting);
    ASSERT_NE(f.preview.Canvas(), nullptr);
    f.preview.Canvas()->drawText(200, 300, QStringLiteral("přímo 1"));
    f.preview.NewPage();
    f.preview.NewPage();
    EXPECT_EQ(f.preview.TotalPages(), 2); // pages finished so far
    f.preview.EndDoc();
    f.preview.SetDirectPrint(false);
    EXPECT_EQ(f.preview.State(), psReady);
    EXPECT_EQ(f.printedPages(), 3);
    EXPECT_EQ(f.preview.TotalPages(), 2); // the preview document is still there
    EXPECT_EQ(f.preview.PageList().Count(), 2);
}

// Pages drawn for no printer would vanish while the printout seemed to have
// printed: the document is refused before it starts.
TEST(PreviewPrinting, DirectDocumentWithoutPrinterIsRefused) {
    PdfFixture f;
    f.record(2);
    f.printer.setOutputFileName(QString());
    for (QPrinter* printer : {&f.printer, static_cast<QPrinter*>(nullptr)}) {
        f.preview.SetPrinter(printer);
        f.preview.SetDirectPrint(true);
        try {
            f.preview.BeginDoc();
            FAIL() << "a direct document began without a printer";
        } catch (const InOutError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Není vybrána žádná tiskárna. Nic nebylo "
                                                  "vytištěno."));
        }
        EXPECT_EQ(f.preview.State(), psReady);
        EXPECT_EQ(f.preview.Canvas(), nullptr);
        f.preview.NewPage();
        f.preview.EndDoc();
        EXPECT_EQ(f.preview.State(), psReady);
        EXPECT_EQ(f.preview.PageList().Count(), 2);
    }
}

// Where the printed marks land on the sheet, read back from the PDF.
TEST(PreviewPrinting, PrintedPageKeepsItsGeometry) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm not installed";
    for (const bool direct : {false, true}) {
        SCOPED_TRACE(direct ? "direct" : "stored");
        PdfFixture f;
        auto draw = [&](QPainter* p) {
            p->setPen(QPen(Qt::black, 10));
            p->drawLine(200, 1500, 200, 2700);  // 20 mm from the left edge
            p->drawLine(200, 2700, 1900, 2700); // 270 mm from the top edge
        };
        if (direct) {
            f.preview.SetDirectPrint(true);
            f.preview.BeginDoc();
            draw(f.preview.Canvas());
            f.preview.EndDoc();
        } else {
            f.preview.BeginDoc();
            draw(f.preview.Canvas());
            f.preview.EndDoc();
            f.preview.Print();
        }
        QProcess::execute(pdftoppm,
                          {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"),
                           f.pdfPath(), f.dir.path() + QStringLiteral("/page")});
        const QImage img(f.dir.path() + QStringLiteral("/page-1.pgm"));
        ASSERT_FALSE(img.isNull());
        EXPECT_NEAR(img.width(), 2100, 2);
        EXPECT_NEAR(img.height(), 2970, 2);
        EXPECT_LT(qGray(img.pixel(200, 2000)), 100);
        EXPECT_LT(qGray(img.pixel(1000, 2700)), 100);
        EXPECT_GT(qGray(img.pixel(220, 2000)), 200);
        EXPECT_GT(qGray(img.pixel(1000, 2720)), 200);
    }
}

TEST(PreviewPrinting, AFileThatCannotBeWrittenIsReported) {
    for (const bool direct : {false, true}) {
        PdfFixture f;
        f.record(1);
        f.printer.setOutputFileName(f.dir.path() + QStringLiteral("/není/tisk.pdf"));
        f.preview.SetDirectPrint(direct);
        try {
            if (direct)
                f.preview.BeginDoc();
            else
                f.preview.Print();
            ADD_FAILURE() << "no error";
        } catch (const InOutError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("tisk.pdf"))) << e.what();
        }
        EXPECT_EQ(f.preview.State(), psReady);
        EXPECT_EQ(f.preview.Canvas(), nullptr);
        EXPECT_EQ(f.preview.PageList().Count(), 1);
    }
}
