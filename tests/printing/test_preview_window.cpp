#include "FakeDialogs.h"
#include "PrintFixture.h"
#include "core/ErrorHandler.h"
#include "core/Errors.h"
#include "preview/PageStore.h"
#include "preview/PreviewControl.h"
#include "ui/PrinterChoice.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct WindowFixture : PrintFixture {
    // A document of `n` pages drawn into the window's page store.
    void document(int n) {
        PreviewPageSink stranky(*okno.PrintPreview());
        stranky.ZacatekTisku();
        for (int i = 1; i <= n; ++i)
            stranky.VratCanvas()->drawText(200, 300, QStringLiteral("strana %1").arg(i));
        stranky.KonecTisku();
    }
    QToolButton* button(const char* name) { return okno.findChild<QToolButton*>(name); }
    QString label() { return okno.findChild<QLabel*>(QStringLiteral("pageNL"))->text(); }
    QString enabled() {
        QString r;
        for (const char* n : {"firstSB", "priorSB", "nextSB", "lastSB"})
            r += button(n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return r;
    }
};

} // namespace

TEST(PreviewWindow, DrawingContractCountsPagesAndResetsTheRange) {
    WindowFixture f;
    f.document(5);
    f.okno.odStrany = 2;
    f.okno.doStrany = 2;
    f.okno.PocetKopii = 3;
    PreviewPageSink stranky(*f.okno.PrintPreview());
    stranky.ZacatekTisku();
    QPainter* first = stranky.VratCanvas();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(f.okno.PrintPreview()->State(), psCreating);
    // The window follows the new document: its pages and the range of
    // all of them, and no copies chosen yet.
    EXPECT_EQ(f.okno.PocetStran, 1);
    EXPECT_EQ(f.okno.odStrany, 1);
    EXPECT_EQ(f.okno.doStrany, 1);
    EXPECT_EQ(f.okno.PocetKopii, 1);
    stranky.VratCanvas();
    stranky.VratCanvas();
    EXPECT_EQ(f.okno.PocetStran, 3);
    EXPECT_EQ(f.okno.doStrany, 3);
    stranky.KonecTisku();
    EXPECT_EQ(f.okno.PrintPreview()->TotalPages(), 3);
    EXPECT_EQ(f.okno.PrintPreview()->State(), psReady);
    // A canvas in 0.1 mm from the sheet's corner, text over a clear background.
    EXPECT_EQ(f.okno.PrintPreview()->Units(), mmLoMetric);
}

TEST(PreviewWindow, NavigationRules) {
    WindowFixture f;
    f.document(3);
    EXPECT_EQ(f.label(), QStringLiteral("Strana 1 z 3"));
    EXPECT_EQ(f.enabled(), QStringLiteral("0011"));
    const struct {
        const char* button;
        int page;
        const char* enabled; // first, prior, next, last
    } steps[] = {
        {"nextSB", 2, "1111"},  {"nextSB", 3, "1100"},  {"nextSB", 3, "1100"},
        {"priorSB", 2, "1111"}, {"firstSB", 1, "0011"}, {"priorSB", 1, "0011"},
        {"lastSB", 3, "1100"},  {"lastSB", 3, "1100"},  {"firstSB", 1, "0011"},
    };
    for (const auto& s : steps) {
        f.button(s.button)->click();
        EXPECT_EQ(f.okno.PrintPreview()->CurrentPage(), s.page) << s.button;
        EXPECT_EQ(f.enabled(), QString::fromLatin1(s.enabled)) << s.button;
        EXPECT_EQ(f.label(), QStringLiteral("Strana %1 z 3").arg(s.page));
    }
}

TEST(PreviewWindow, OnePageDocumentDisablesAllNavigation) {
    WindowFixture f;
    f.document(1);
    EXPECT_EQ(f.enabled(), QStringLiteral("0000"));
    EXPECT_EQ(f.label(), QStringLiteral("Strana 1 z 1"));
}

TEST(PreviewWindow, EmptyDocumentLabel) {
    WindowFixture f;
    f.document(2);
    PreviewPageSink stranky(*f.okno.PrintPreview());
    stranky.ZacatekTisku();
    stranky.VratCanvas(); // the new document has no stored page yet
    EXPECT_EQ(f.label(), QStringLiteral("Prázdný dokument"));
    stranky.KonecTisku();
    EXPECT_EQ(f.label(), QStringLiteral("Strana 1 z 1"));
}

TEST(PreviewWindow, PrintDialogChoices) {
    const struct {
        const char* name;
        bool confirm;
        TNastaveniTisku answer;
        int od;
        int doStrany;
        int kopie;
        QList<int> tisk; // the pages "Tisk" then prints
    } cases[] = {
        {"range", true, {1, 5, 2, 4, 3, true, true, {}}, 2, 4, 3, {2, 3, 4}},
        {"list", true, {1, 5, 3, 5, 1, true, true, {3, 5}}, 3, 5, 1, {3, 5}},
        {"all pages", true, {1, 5, 2, 4, 2, false, true, {3}}, 1, 5, 2, {1, 2, 3, 4, 5}},
        {"no copies", true, {1, 5, 1, 5, 0, false, true, {}}, 1, 5, 1, {1, 2, 3, 4, 5}},
        {"cancelled", false, {1, 5, 3, 3, 7, true, true, {}}, 2, 3, 4, {2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        f.document(5);
        f.okno.odStrany = 2;
        f.okno.doStrany = 3;
        f.okno.PocetKopii = 4;
        TNastaveniTisku shown;
        f.okno.printDialogHook = [&](TNastaveniTisku& n) {
            shown = n;
            const int min = n.MinStrana;
            const int max = n.MaxStrana;
            n = c.answer;
            n.MinStrana = min;
            n.MaxStrana = max;
            return c.confirm;
        };
        f.button("printerSetupSB")->click();
        EXPECT_EQ(shown.MinStrana, 1);
        EXPECT_EQ(shown.MaxStrana, 5);
        EXPECT_EQ(shown.OdStrany, 2);
        EXPECT_EQ(shown.DoStrany, 3);
        EXPECT_EQ(shown.Kopie, 4);
        EXPECT_EQ(f.okno.odStrany, c.od);
        EXPECT_EQ(f.okno.doStrany, c.doStrany);
        EXPECT_EQ(f.okno.PocetKopii, c.kopie);
        EXPECT_EQ(f.okno.StranyKTisku(), c.tisk);
    }
}

TEST(PreviewWindow, AllPagesAfterAnEarlierRange) {
    WindowFixture f;
    f.document(4);
    TNastaveniTisku answer{1, 4, 2, 3, 1, true, true, {}};
    f.okno.printDialogHook = [&](TNastaveniTisku& n) {
        n = answer;
        return true;
    };
    f.okno.printerSetupSBClick();
    EXPECT_EQ(f.okno.odStrany, 2);
    answer.Rozsah = false;
    f.okno.printerSetupSBClick();
    EXPECT_EQ(f.okno.odStrany, 1);
    EXPECT_EQ(f.okno.doStrany, 4);
}

TEST(PreviewWindow, ShowingResetsZoomAndCopies) {
    WindowFixture f;
    f.document(2);
    f.okno.PocetKopii = 3;
    vybranaTiskarna().setCopyCount(3);
    f.okno.PrintPreview()->SetZoom(300);
    f.okno.show();
    QApplication::processEvents();
    EXPECT_EQ(f.okno.PrintPreview()->ZoomState(), zsZoomToWidth);
    EXPECT_EQ(f.okno.findChild<QComboBox*>(QStringLiteral("zoomCB"))->currentText(),
              QStringLiteral("Celá šířka"));
    EXPECT_EQ(f.okno.PocetKopii, 1);
    EXPECT_EQ(vybranaTiskarna().copyCount(), 1);
    f.okno.close();
}

TEST(PreviewWindow, ZoomList) {
    WindowFixture f;
    f.document(1);
    f.okno.show();
    QApplication::processEvents();
    const struct {
        int item;
        TZoomState state;
        int zoom; // 0: computed
    } cases[] = {{0, zsZoomOther, 50},
                 {1, zsZoomOther, 100},
                 {2, zsZoomToWidth, 0},
                 {3, zsZoomToFit, 0},
                 {4, zsZoomOther, 1000}};
    for (const auto& c : cases) {
        f.okno.zoomCBChange(c.item);
        EXPECT_EQ(f.okno.PrintPreview()->ZoomState(), c.state) << c.item;
        if (c.zoom) {
            EXPECT_EQ(f.okno.PrintPreview()->Zoom(), c.zoom) << c.item;
        }
    }
    f.okno.close();
}

TEST(PreviewWindow, NeverNarrowerThan600Pixels) {
    WindowFixture f;
    f.okno.show();
    QApplication::processEvents();
    f.okno.resize(400, 300);
    QApplication::processEvents();
    EXPECT_EQ(f.okno.frameGeometry().width(), TpreviewF::kMinSirka);
    f.okno.resize(900, 500);
    QApplication::processEvents();
    EXPECT_EQ(f.okno.width(), 900);
    // The buttons keep to the right edge; the preview fills the window.
    auto* zavrit = f.okno.findChild<QPushButton*>(QStringLiteral("zavritBtn"));
    auto* tisk = f.okno.findChild<QPushButton*>(QStringLiteral("printBtn"));
    EXPECT_EQ(zavrit->x(), 900 - zavrit->width() - 20);
    EXPECT_EQ(tisk->x(), zavrit->x() - tisk->width() - 30);
    EXPECT_EQ(f.okno.PrintPreview()->width(), 900);
    f.okno.close();
}

TEST(PreviewWindow, EscapeCloses) {
    WindowFixture f;
    f.okno.show();
    QApplication::processEvents();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.okno.PrintPreview(), &esc);
    EXPECT_FALSE(f.okno.isVisible());
}

TEST(PreviewWindow, PrintButtonPrintsTheChosenPages) {
    WindowFixture f;
    QTemporaryDir dir;
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path() + QStringLiteral("/tisk.pdf"));
    f.document(4);
    f.okno.odStrany = 2;
    f.okno.doStrany = 3;
    QList<int> printed;
    QObject::connect(f.okno.PrintPreview(), &TPrintPreview::OnPageProcessing,
                     [&](int page, TPageProcessingChoice&) { printed.append(page); });
    // Refused while a document is being made.
    PreviewPageSink stranky(*f.okno.PrintPreview());
    stranky.ZacatekTisku();
    stranky.VratCanvas();
    f.okno.printBtnClick();
    EXPECT_TRUE(printed.isEmpty());
    stranky.KonecTisku();
    f.document(4);
    f.okno.odStrany = 2;
    f.okno.doStrany = 3;
    f.okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("QZKCH.pdf"));
    f.okno.findChild<QPushButton*>(QStringLiteral("printBtn"))->click();
    EXPECT_EQ(printed, (QList<int>{2, 3}));
    // The file carries the document's title, in the directory chosen before,
    // and the status line says so.
    EXPECT_TRUE(QFile::exists(dir.path() + QStringLiteral("/QZKCH.pdf")));
    EXPECT_EQ(f.okno.StavovyRadek(), QStringLiteral("Uloženo do souboru „%1“ (2 strany).")
                                         .arg(dir.path() + QStringLiteral("/QZKCH.pdf")));
    // A new document starts with an empty status line.
    f.document(1);
    EXPECT_EQ(f.okno.StavovyRadek(), QString());
    EXPECT_FALSE(QFile::exists(dir.path() + QStringLiteral("/tisk.pdf")));
    printer.setOutputFileName(QString());
}

TEST(PreviewWindow, AnExistingFileIsReplacedOnlyAfterTheDialogShowedItsName) {
    WindowFixture f;
    FakeDialogs dlg;
    QTemporaryDir dir;
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("QZKCH.pdf")));
    f.document(1);
    f.okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("QZKCH.pdf"));
    f.okno.printBtnClick();
    const QString protocol = dir.filePath(QStringLiteral("QZKCH.pdf"));
    ASSERT_TRUE(QFile::exists(protocol));
    const QByteArray protocolBytes = readAll(protocol);

    // The next document does not inherit the protocol's file name.
    QStringList offered;
    bool answer = false;
    f.okno.printDialogHook = [&](TNastaveniTisku&) {
        offered.append(printer.outputFileName());
        return answer;
    };
    f.document(2);
    f.okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("VOLBY"));
    f.okno.printBtnClick();
    EXPECT_TRUE(offered.isEmpty()) << "a new file needs no confirmation";
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("VOLBY.pdf"))));
    EXPECT_EQ(readAll(protocol), protocolBytes);

    // The protocol printed again: its file exists, so the dialog shows the
    // name first; cancelling prints nothing and says so.
    f.document(3);
    f.okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("QZKCH.pdf"));
    f.okno.printBtnClick();
    EXPECT_EQ(offered, QStringList{protocol});
    EXPECT_EQ(readAll(protocol), protocolBytes);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Nic nebylo vytištěno."));
    // Confirmed: replaced, and a second "Tisk" needs no new confirmation.
    answer = true;
    f.okno.printBtnClick();
    f.okno.printBtnClick();
    EXPECT_EQ(offered.size(), 2);
    EXPECT_NE(readAll(protocol), protocolBytes);
    printer.setOutputFileName(QString());
}

TEST(PreviewWindow, AFailedPageStoreLeavesThePreviewReadyForTheNextPrintout) {
    WindowFixture f;
    FakeDialogs dlg;
    QTemporaryDir dir;
    // A plain file where the temporary directory should be: the page store
    // cannot put its second page away.
    const QString file = dir.filePath(QStringLiteral("soubor"));
    QFile(file).open(QIODevice::WriteOnly);
    TMetafileList::SetTemporaryDirectory(file);
    f.okno.PrintPreview()->PageList().SetCacheSize(1);
    PreviewPageSink stranky(*f.okno.PrintPreview());
    LayoutEngine s(stranky, fixedPrintTime());
    const auto printout = [&](int pages) {
        return runReportingErrors([&] {
            TiskovyDokument dokument(s);
            for (int i = 1; i <= pages; ++i)
                s.NovaStrana()->drawText(200, 300, QStringLiteral("strana %1").arg(i));
            dokument.konec();
        });
    };
    EXPECT_FALSE(printout(3));
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(f.okno.PrintPreview()->State(), psReady);
    EXPECT_EQ(s.Platno, nullptr);
    EXPECT_FALSE(printout(3)) << "the next printout reports the same failure";
    TMetafileList::SetTemporaryDirectory(QString());
    EXPECT_TRUE(printout(3));
    EXPECT_EQ(f.okno.PrintPreview()->TotalPages(), 3);

    // An error in the middle of a direct print aborts the job: no half
    // document is left in the file.
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("primo.pdf")));
    f.okno.PrintPreview()->SetDirectPrint(true);
    EXPECT_FALSE(runReportingErrors([&] {
        TiskovyDokument dokument(s);
        s.NovaStrana();
        throw InOutError(QStringLiteral("Soubor nelze přečíst."));
    }));
    EXPECT_EQ(f.okno.PrintPreview()->State(), psReady);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("primo.pdf"))));
    f.okno.PrintPreview()->SetDirectPrint(false);
    printer.setOutputFileName(QString());
    EXPECT_TRUE(printout(2));
}

// "Tisk" without a printer says so and offers the print dialog; cancelled,
// nothing is printed and the user is told; a file chosen there is printed.
TEST(PreviewWindow, PrintButtonWithoutAPrinter) {
    WindowFixture f;
    FakeDialogs dlg;
    QTemporaryDir dir;
    QPrinter& printer = vybranaTiskarna();
    printer.setOutputFileName(QString());
    printer.setPrinterName(QString());
    f.document(3);
    ASSERT_FALSE(f.okno.PrintPreview()->PrinterInstalled());
    QList<TNastaveniTisku> nabidnuto;
    QString soubor;
    f.okno.printDialogHook = [&](TNastaveniTisku& n) {
        nabidnuto.append(n);
        if (soubor.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(soubor);
        return true;
    };
    f.okno.findChild<QPushButton*>(QStringLiteral("printBtn"))->click();
    ASSERT_EQ(nabidnuto.size(), 1);
    EXPECT_EQ(nabidnuto[0].MaxStrana, 3);
    EXPECT_TRUE(nabidnuto[0].NabidkaStran);
    ASSERT_EQ(dlg.shown.size(), 2);
    EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(kZadnaTiskarna));
    EXPECT_EQ(dlg.shown[1].text, QString::fromUtf8(kNicNevytisteno));

    dlg.shown.clear();
    soubor = dir.filePath(QStringLiteral("VOLBY.pdf"));
    f.okno.printBtnClick();
    EXPECT_EQ(nabidnuto.size(), 2);
    ASSERT_EQ(dlg.shown.size(), 1);
    EXPECT_EQ(dlg.shown[0].text, QString::fromUtf8(kZadnaTiskarna));
    EXPECT_TRUE(QFile::exists(soubor));
    printer.setOutputFileName(QString());
}
