#include "printing/PrintCommands.h"

#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "preview/PreviewControl.h"
#include "printing/PageSink.h"
#include "printing/PreviewWindow.h"
#include "store/StationConfig.h"
#include "ui/PrinterChoice.h"

#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>

#include <optional>

namespace urn {

namespace {

// The record's copies printed directly, each a job of its own. A PDF file
// would be written anew by every job, so that only the last copy would
// remain: into a file the copies go one after another, as one document.
// `vytisteno` tells what went where, also when a later copy fails.
void TiskKopii(TpreviewF& okno, PageSink& stranky, const TUdajeZapisu& udaje,
               const TStavZapisu& zacatek, int kopie, std::optional<TPrintResult>& vytisteno) {
    TPrintPreview* pp = okno.PrintPreview();
    pp->SetDirectPrint(true);
    struct Vypni {
        TPrintPreview* pp;
        ~Vypni() { pp->SetDirectPrint(false); }
    } vypni{pp};
    QPrinter* tiskarna = pp->Printer();
    if (tiskarna && tiskarna->outputFormat() == QPrinter::PdfFormat) {
        const QString soubor = tiskarna->outputFileName();
        SestavZapis(stranky, udaje, zacatek, kopie);
        dialogs().inform(QStringLiteral("Tisk zápisu"),
                         QStringLiteral("Zápis byl vytištěn do souboru\r%1\rPočet kopií v "
                                        "souboru: %2.")
                             .arg(QDir::toNativeSeparators(soubor))
                             .arg(kopie));
        vytisteno = pp->LastPrint();
        return;
    }
    for (int i = 0; i < kopie; ++i) {
        SestavZapis(stranky, udaje, zacatek);
        vytisteno = pp->LastPrint();
        vytisteno->Copies = i + 1;
    }
}

} // namespace

void TiskZapisu(const TUdajeZapisu& udaje, TpreviewF& okno, int pocetKopii, const QDateTime& cas) {
    // A printer that writes PDF files offers this as the file's name.
    PreviewPageSink stranky(*okno.PrintPreview(), poPortrait, QStringLiteral("QZT2.pdf"));
    const TStavZapisu zacatek = PripravZapis(udaje, cas);
    const int kopie = okno.PripravPrimyTisk(pocetKopii >= 2 ? pocetKopii : 1);
    std::optional<TPrintResult> vytisteno;
    if (kopie > 0) {
        // A printer that fails is reported; the preview still comes, from
        // which the record can be printed again.
        runReportingErrors([&] { TiskKopii(okno, stranky, udaje, zacatek, kopie, vytisteno); });
    }
    SestavZapis(stranky, udaje, zacatek);
    // The preview's status line tells where the copies went.
    if (vytisteno)
        okno.OznamTisk(*vytisteno);
    else
        okno.OznamTisk(QString::fromUtf8(kNicNevytisteno));
    okno.ShowModal();
}

void TiskProtokolu(const TUdajeProtokolu& udaje, TpreviewF& okno, const QDateTime& cas) {
    // Offered as the file name by printers that print into a file.
    PreviewPageSink stranky(*okno.PrintPreview(), poPortrait, QStringLiteral("QZKCH.pdf"));
    SestavProtokol(stranky, udaje, cas);
    okno.ShowModal();
}

void TiskScitacihoArchu(const TUdajeArchu& udaje, TpreviewF& okno, const QDateTime& cas) {
    PreviewPageSink stranky(*okno.PrintPreview(), poLandscape);
    SestavScitaciArch(stranky, udaje, cas);
    okno.ShowModal();
}

void ScitaciArch(const TUdajeArchu& udaje, TpreviewF& okno, const UkazInfo& ukazInfo,
                 const QDateTime& cas) {
    // The notice gives the pages of the sheet as it is: made first, shown
    // after the notice.
    PreviewPageSink stranky(*okno.PrintPreview(), poLandscape);
    SestavScitaciArch(stranky, udaje, cas);
    if (ukazInfo)
        ukazInfo(QString::fromUtf8(kScitaciArchCaption),
                 TitulekScitacihoArchu(okno.PrintPreview()->TotalPages()),
                 QString::fromUtf8(kScitaciArchText));
    okno.ShowModal();
}

TProstrediTisku ZjistiProstredi(const TStanice& stanice, const TpreviewF& okno) {
    TProstrediTisku p;
    p.System = TextSystemu(InfoSystemu(), stanice.VerzeOS);
    const QPrinter& printer = vybranaTiskarna();
    p.Tiskarna = printer.printerName();
    if (p.Tiskarna.isEmpty())
        p.Tiskarna =
            printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                ? QStringLiteral("tisk do souboru ") + printer.outputFileName()
                : QStringLiteral("žádná tiskárna");
    p.Fonty = NalezeneFonty(SeznamFontuTiskarny());
    p.OknoPpi = okno.logicalDpiY();
    p.OknoSirka = okno.frameGeometry().width();
    p.OknoVyska = okno.frameGeometry().height();
    const QScreen* screen = QGuiApplication::primaryScreen();
    p.ObrazovkaPpi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    p.PriponaPisma = stanice.PriponaPisma;
    return p;
}

void TiskZkusebniStrany(const TProstrediTisku& prostredi, TpreviewF& okno, const QDateTime& cas) {
    PreviewPageSink stranky(*okno.PrintPreview());
    SestavZkusebniStranu(stranky, prostredi, cas);
    okno.ShowModal();
}

void TiskZkusebniStrany(const TStanice& stanice, TpreviewF& okno) {
    TiskZkusebniStrany(ZjistiProstredi(stanice, okno), okno);
}

} // namespace urn
