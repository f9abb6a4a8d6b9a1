#include "printing/PreviewWindow.h"

#include "core/Dialogs.h"
#include "core/Errors.h"
#include "preview/PreviewControl.h"
#include "preview/PrintSystem.h"
#include "printing/LayoutEngine.h"
#include "ui/Application.h"
#include "ui/Fonts.h"
#include "ui/PrinterChoice.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPageRanges>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QToolButton>

namespace urn {

namespace {

constexpr int kClientWidth = 801;
constexpr int kClientHeight = 412;
constexpr int kPanelHeight = 29;
constexpr int kStatusHeight = 22;

// The buttons' pictures, drawn here so that they look the same everywhere.
enum class Glyph { First, Prior, Next, Last, Printer, Print, Close };

QIcon glyph(Glyph g) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x40, 0x80);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto triangle = [&](double x, bool left) {
        QPainterPath path;
        if (left) {
            path.moveTo(x + 5, 3);
            path.lineTo(x, 8);
            path.lineTo(x + 5, 13);
        } else {
            path.moveTo(x, 3);
            path.lineTo(x + 5, 8);
            path.lineTo(x, 13);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (g) {
    case Glyph::First:
        p.drawRect(3, 3, 2, 10);
        triangle(6, true);
        break;
    case Glyph::Prior:
        triangle(5, true);
        break;
    case Glyph::Next:
        triangle(6, false);
        break;
    case Glyph::Last:
        triangle(5, false);
        p.drawRect(11, 3, 2, 10);
        break;
    case Glyph::Printer:
    case Glyph::Print:
        p.setBrush(Qt::white);
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xb0, 0xb0, 0xb0));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        if (g == Glyph::Print) {
            p.setPen(QPen(QColor(0x00, 0x80, 0x00), 1.5));
            p.drawLine(QPointF(9, 3), QPointF(10.5, 5));
        }
        break;
    case Glyph::Close:
        p.setPen(QPen(QColor(0xa0, 0x10, 0x10), 2.2));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    return QIcon(pm);
}

QToolButton* speedButton(QWidget* parent, const char* name, Glyph g, const QString& hint,
                         QRect geometry) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(glyph(g));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(geometry);
    return b;
}

} // namespace

// The panel over the preview: zoom, paging, printer and the two buttons.
void TpreviewF::vytvorPanel() {
    previewP = new QWidget(this);
    previewP->setObjectName(QStringLiteral("previewP"));
    previewP->setGeometry(0, 0, kClientWidth, kPanelHeight);

    LupaL = new QLabel(QStringLiteral("Lupa:"), previewP);
    LupaL->setObjectName(QStringLiteral("LupaL"));
    QFont lupa;
    lupa.setFamilies(
        installedFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial")}));
    lupa.setPointSize(8);
    lupa.setBold(true);
    LupaL->setFont(lupa);
    LupaL->move(8, 8);
    LupaL->adjustSize();

    zoomCB = new QComboBox(previewP);
    zoomCB->setObjectName(QStringLiteral("zoomCB"));
    zoomCB->setToolTip(QStringLiteral("Změna náhledu"));
    zoomCB->addItems({QStringLiteral("50%"), QStringLiteral("100%"), QStringLiteral("Celá šířka"),
                      QStringLiteral("Celá strana"), QStringLiteral("1000%")});
    zoomCB->setGeometry(44, 4, 117, 21);
    zoomCB->setFocusPolicy(Qt::ClickFocus);

    firstSB = speedButton(previewP, "firstSB", Glyph::First, QStringLiteral("První strana"),
                          {176, 3, 20, 22});
    priorSB = speedButton(previewP, "priorSB", Glyph::Prior, QStringLiteral("Předchozí strana"),
                          {196, 3, 20, 22});
    nextSB = speedButton(previewP, "nextSB", Glyph::Next, QStringLiteral("Následující strana"),
                         {216, 3, 20, 22});
    lastSB = speedButton(previewP, "lastSB", Glyph::Last, QStringLiteral("Poslední strana"),
                         {236, 3, 20, 22});

    pageNL = new QLabel(QStringLiteral("Strana"), previewP);
    pageNL->setObjectName(QStringLiteral("pageNL"));
    pageNL->setGeometry(267, 8, 180, 14);

    printerSetupSB = speedButton(previewP, "printerSetupSB", Glyph::Printer,
                                 QStringLiteral("Nastavení tiskárny"), {456, 3, 22, 22});

    printBtn = new QPushButton(glyph(Glyph::Print), QStringLiteral("Tisk"), previewP);
    printBtn->setObjectName(QStringLiteral("printBtn"));
    printBtn->setToolTip(QStringLiteral("Tisk dle nastavení"));
    printBtn->setGeometry(484, 2, 89, 25);
    printBtn->setAutoDefault(false);

    zavritBtn = new QPushButton(glyph(Glyph::Close), QStringLiteral("Zavřít"), previewP);
    zavritBtn->setObjectName(QStringLiteral("zavritBtn"));
    zavritBtn->setToolTip(QStringLiteral("Ukončení náhledu"));
    zavritBtn->setGeometry(592, 2, 89, 25);
    zavritBtn->setAutoDefault(false);
}

TpreviewF::TpreviewF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("previewF"));
    setWindowTitle(QStringLiteral("Preview"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setGeometry(215, 54, kClientWidth, kClientHeight);

    vytvorPanel();

    // The status line says where the last print went.
    stavTiskuL = new QLabel(this);
    stavTiskuL->setObjectName(QStringLiteral("stavTiskuL"));
    stavTiskuL->setFrameShape(QFrame::StyledPanel);
    stavTiskuL->setFrameShadow(QFrame::Sunken);
    stavTiskuL->setIndent(6);
    stavTiskuL->setTextInteractionFlags(Qt::TextSelectableByMouse);
    stavTiskuL->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);

    m_preview = new TPrintPreview(this);
    m_preview->setObjectName(QStringLiteral("PrintPreview"));
    m_preview->SetUnits(mmLoMetric);
    m_preview->SetPrintJobTitle(QStringLiteral("VOLBY"));
    m_preview->SetZoomState(zsZoomOther);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(8);
    m_preview->SetFont(arial);
    m_preview->SetPrinterSource([] { return &vybranaTiskarna(); });
    m_preview->setGeometry(0, kPanelHeight, kClientWidth,
                           kClientHeight - kPanelHeight - kStatusHeight);
    setFocusProxy(m_preview);

    connect(zoomCB, &QComboBox::activated, this, guarded(this, &TpreviewF::zoomCBChange));
    connect(firstSB, &QToolButton::clicked, this, guarded(this, &TpreviewF::firstSBClick));
    connect(priorSB, &QToolButton::clicked, this, guarded(this, &TpreviewF::priorSBClick));
    connect(nextSB, &QToolButton::clicked, this, guarded(this, &TpreviewF::nextSBClick));
    connect(lastSB, &QToolButton::clicked, this, guarded(this, &TpreviewF::lastSBClick));
    connect(printerSetupSB, &QToolButton::clicked, this,
            guarded(this, &TpreviewF::printerSetupSBClick));
    connect(printBtn, &QPushButton::clicked, this, guarded(this, &TpreviewF::printBtnClick));
    connect(zavritBtn, &QPushButton::clicked, this, guarded(this, &TpreviewF::zavritBtnClick));
    connect(m_preview, &TPrintPreview::OnChange, this,
            guarded(this, &TpreviewF::PrintPreviewChange));
    connect(m_preview, &TPrintPreview::OnBeginDoc, this,
            guarded(this, &TpreviewF::ZacatekDokumentu));
    connect(m_preview, &TPrintPreview::OnNewPage, this,
            guarded(this, &TpreviewF::NovaStranaDokumentu));
}

TpreviewF::~TpreviewF() = default;

// ---------------------------------------------------------------- documents

void TpreviewF::ZacatekDokumentu() {
    PocetStran = 0;
    // Copies chosen for the previous document are not this one's.
    PocetKopii = 1;
    seznamStran.clear();
    vybranaTiskarna().setCopyCount(1);
    m_potvrzenySoubor.clear();
    OznamTisk(QString());
}

void TpreviewF::NovaStranaDokumentu() {
    ++PocetStran;
    odStrany = 1;
    doStrany = PocetStran;
    seznamStran.clear();
}

void TpreviewF::ShowModal() {
    if (showHook)
        showHook(*this);
    else
        exec();
}

// ---------------------------------------------------------------- window

void TpreviewF::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TpreviewF::FormShow() {
    m_preview->SetZoomState(zsZoomToWidth);
    zoomCB->setCurrentIndex(2);
    PocetKopii = 1;
    vybranaTiskarna().setCopyCount(1);
    FormResize();
    m_preview->setFocus();
}

void TpreviewF::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    FormResize();
}

void TpreviewF::FormResize() {
    const int frame = frameGeometry().width() - width();
    if (frameGeometry().width() < kMinSirka) {
        resize(kMinSirka - frame, height());
        return; // the resize comes back here
    }
    zavritBtn->move(width() - zavritBtn->width() - 20, zavritBtn->y());
    printBtn->move(zavritBtn->x() - printBtn->width() - 30, printBtn->y());
    printerSetupSB->move(printBtn->x() - printerSetupSB->width() - 15, printerSetupSB->y());
    previewP->resize(width(), kPanelHeight);
    // The preview takes the whole area between the panel and the status
    // line, so that its scroll bars stay in sight whatever the window's size.
    m_preview->setGeometry(0, kPanelHeight, width(),
                           qMax(0, height() - kPanelHeight - kStatusHeight));
    stavTiskuL->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
}

void TpreviewF::zoomCBChange(int index) {
    switch (index) {
    case 0:
        m_preview->SetZoom(50);
        break;
    case 1:
        m_preview->SetZoom(100);
        break;
    case 2:
        m_preview->SetZoomState(zsZoomToWidth);
        break;
    case 3:
        m_preview->SetZoomState(zsZoomToFit);
        break;
    case 4:
        m_preview->SetZoom(1000);
        break;
    default:
        break;
    }
    m_preview->setFocus();
}

void TpreviewF::firstSBClick() {
    if (m_preview->CurrentPage() != 1)
        m_preview->SetCurrentPage(1);
    aktBtn();
}

void TpreviewF::priorSBClick() {
    if (m_preview->CurrentPage() > 1)
        m_preview->SetCurrentPage(m_preview->CurrentPage() - 1);
    aktBtn();
}

void TpreviewF::nextSBClick() {
    if (m_preview->CurrentPage() < m_preview->TotalPages())
        m_preview->SetCurrentPage(m_preview->CurrentPage() + 1);
    aktBtn();
}

void TpreviewF::lastSBClick() {
    if (m_preview->CurrentPage() != m_preview->TotalPages())
        m_preview->SetCurrentPage(m_preview->TotalPages());
    aktBtn();
}

void TpreviewF::aktBtn() {
    const int current = m_preview->CurrentPage();
    const bool atEnd = current == m_preview->TotalPages();
    const bool atStart = current == 1;
    lastSB->setEnabled(!atEnd);
    nextSB->setEnabled(!atEnd);
    firstSB->setEnabled(!atStart);
    priorSB->setEnabled(!atStart);
}

void TpreviewF::PrintPreviewChange() {
    if (m_preview->CurrentPage() != 0) {
        pageNL->setText(QStringLiteral("Strana %1 z %2")
                            .arg(m_preview->CurrentPage())
                            .arg(m_preview->TotalPages()));
        // While a document is being recorded the window is not on the screen
        // yet; painting the label then would only slow the recording down.
        if (m_preview->State() == psCreating)
            pageNL->update();
        else
            pageNL->repaint();
        aktBtn();
    } else {
        pageNL->setText(QStringLiteral("Prázdný dokument"));
    }
}

void PrevezmiNastaveni(TpreviewF& okno, bool potvrzeno, const TNastaveniTisku& n) {
    if (potvrzeno) {
        okno.PocetKopii = n.Kopie;
        okno.seznamStran.clear();
        if (n.Rozsah && !n.Strany.isEmpty()) {
            okno.seznamStran = n.Strany;
            okno.odStrany = n.Strany.first();
            okno.doStrany = n.Strany.last();
        } else if (n.Rozsah) {
            okno.odStrany = n.OdStrany;
            okno.doStrany = n.DoStrany;
        } else {
            okno.odStrany = 1;
            okno.doStrany = okno.PocetStran;
        }
    }
    if (okno.PocetKopii <= 0)
        okno.PocetKopii = 1;
}

QList<int> TpreviewF::StranyKTisku() const {
    const int celkem = m_preview->TotalPages();
    QList<int> strany;
    if (!seznamStran.isEmpty()) {
        for (const int p : seznamStran)
            if (p >= 1 && p <= celkem)
                strany.append(p);
    } else {
        for (int p = qMax(1, odStrany); p <= qMin(celkem, doStrany); ++p)
            strany.append(p);
    }
    return strany;
}

QString ZpravaOTisku(const TPrintResult& vysledek) {
    QString co = CeskyPocet(vysledek.Pages, "strana", "strany", "stran");
    if (vysledek.Copies > 1)
        co += QStringLiteral(", počet kopií %1").arg(vysledek.Copies);
    if (!vysledek.File.isEmpty())
        return QStringLiteral("Uloženo do souboru „%1“ (%2).")
            .arg(QDir::toNativeSeparators(vysledek.File), co);
    QString zprava = QStringLiteral("Odesláno na tiskárnu „%1“: %2.").arg(vysledek.Printer, co);
    if (vysledek.Stopped)
        zprava += vysledek.Stopped->isEmpty()
                      ? QStringLiteral(" Tiskárna je však zastavena, úloha čeká v její frontě.")
                      : QStringLiteral(" Tiskárna je však zastavena (%1), úloha čeká v její "
                                       "frontě.")
                            .arg(*vysledek.Stopped);
    return zprava;
}

void TpreviewF::OznamTisk(const QString& text) {
    stavTiskuL->setText(text);
}

void TpreviewF::OznamTisk(const TPrintResult& vysledek) {
    const QString zprava = ZpravaOTisku(vysledek);
    OznamTisk(zprava);
    // Nothing comes out of a stopped printer: said where it cannot be missed.
    if (vysledek.Stopped)
        dialogs().warn(QString::fromUtf8(kTiskCaption), zprava);
}

QString TpreviewF::StavovyRadek() const {
    return stavTiskuL->text();
}

QString TpreviewF::souborDokumentu() const {
    const QPrinter& printer = vybranaTiskarna();
    QString name = m_preview->PrintJobTitle().trimmed();
    if (name.isEmpty())
        name = QStringLiteral("VOLBY");
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
    const QString previous = printer.outputFileName();
    const QString dir = previous.isEmpty() ? QDir::homePath() : QFileInfo(previous).absolutePath();
    return QDir(dir).filePath(name);
}

void TpreviewF::nabidniSouborDokumentu() {
    // Printing into a file: every document is offered under its own title,
    // in the directory of the previous file. The name of an earlier
    // document is never kept, or its file would be silently replaced.
    QPrinter& printer = vybranaTiskarna();
    if (printer.outputFormat() == QPrinter::PdfFormat &&
        printer.outputFileName() != m_potvrzenySoubor)
        printer.setOutputFileName(souborDokumentu());
}

bool TpreviewF::pripravVystup() {
    QPrinter& printer = vybranaTiskarna();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return true;
    nabidniSouborDokumentu();
    if (printer.outputFileName() == m_potvrzenySoubor || !QFile::exists(printer.outputFileName()))
        return true;
    // An existing file is replaced only after the dialog has shown its name.
    return NastaveniTiskarny();
}

void TpreviewF::ohlasChybejiciTiskarnu() {
    // Pages drawn for no printer would vanish without a trace while the
    // commission believes its record printed.
    dialogs().warn(QString::fromUtf8(kTiskCaption), QString::fromUtf8(kZadnaTiskarna));
}

int TpreviewF::PripravPrimyTisk(int kopie) {
    QPrinter& printer = vybranaTiskarna();
    TNastaveniTisku n;
    n.Kopie = kopie;
    // The copies are whole documents; the dialog only chooses where they go.
    n.NabidkaStran = false;
    bool dotazano = false;
    bool lze = true;
    if (!m_preview->PrinterInstalled()) {
        ohlasChybejiciTiskarnu();
        lze = OtevriDialog(n) && m_preview->PrinterInstalled();
        dotazano = true;
    }
    if (lze && printer.outputFormat() == QPrinter::PdfFormat) {
        nabidniSouborDokumentu();
        if (printer.outputFileName() != m_potvrzenySoubor &&
            QFile::exists(printer.outputFileName())) {
            // An existing file is replaced only after the dialog has shown
            // its name.
            lze = OtevriDialog(n);
            dotazano = true;
        }
    }
    if (!lze) {
        dialogs().inform(QString::fromUtf8(kTiskCaption), QString::fromUtf8(kNicNevytisteno));
        return 0;
    }
    // Every copy is a job of its own: a copy count left on the printer by an
    // earlier print would multiply each of them.
    printer.setCopyCount(1);
    return dotazano ? qMax(1, n.Kopie) : kopie;
}

bool TpreviewF::OtevriDialog(TNastaveniTisku& n) {
    QPrinter& printer = vybranaTiskarna();
    nabidniSouborDokumentu();
    if (printDialogHook) {
        const bool ok = printDialogHook(n);
        if (ok && printer.outputFormat() == QPrinter::PdfFormat)
            m_potvrzenySoubor = printer.outputFileName();
        return ok;
    }
    // The document's title is what the dialog offers as the file name.
    printer.setDocName(m_preview->PrintJobTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, n.NabidkaStran);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setMinMax(n.MinStrana, n.MaxStrana);
    printer.setFromTo(n.OdStrany, n.DoStrany);
    printer.setCopyCount(n.Kopie);
    const bool whole = n.OdStrany <= n.MinStrana && n.DoStrany >= n.MaxStrana;
    dialog.setPrintRange(whole ? QAbstractPrintDialog::AllPages : QAbstractPrintDialog::PageRange);
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            m_potvrzenySoubor = printer.outputFileName();
        n.Kopie = printer.copyCount();
        if (n.NabidkaStran)
            prevezmiVyberStran(printer, n);
    }
    // The window prints the pages it was told itself: nothing of the choice
    // stays on the shared printer, where the server would apply it again,
    // to this job and to every later one.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
    dropServerPageSelection(printer);
    return ok;
}

void TpreviewF::prevezmiVyberStran(QPrinter& printer, TNastaveniTisku& n) {
    n.Rozsah = printer.printRange() == QPrinter::PageRange;
    n.Strany.clear();
    QList<int> strany;
    if (n.Rozsah) {
        n.OdStrany = printer.fromPage();
        n.DoStrany = printer.toPage();
        // A range, or a list of pages and ranges ("3,5", "1-2,29").
        for (const QPageRanges::Range& r : printer.pageRanges().toRangeList())
            for (int p = r.from; p <= r.to; ++p)
                if (p >= n.MinStrana && p <= n.MaxStrana)
                    strany.append(p);
    } else {
        for (int p = n.MinStrana; p <= n.MaxStrana; ++p)
            strany.append(p);
    }
    // Odd or even pages. The dialog leaves them for the server, which
    // counts the pages of the job it gets (and the dialog has turned the
    // choice round where the range begins on an even page): they are
    // counted here the same way, in the pages chosen.
    const QString sada = serverPageSet(printer);
    if (!sada.isEmpty()) {
        const qsizetype zbytek = sada == QLatin1String("odd") ? 1 : 0;
        QList<int> sudeLiche;
        for (qsizetype i = 0; i < strany.size(); ++i)
            if ((i + 1) % 2 == zbytek)
                sudeLiche.append(strany[i]);
        strany = sudeLiche;
        n.Rozsah = true;
    }
    if (n.Rozsah) {
        n.Strany = strany;
        if (!strany.isEmpty()) {
            n.OdStrany = strany.first();
            n.DoStrany = strany.last();
        }
    }
}

void TpreviewF::printerSetupSBClick() {
    NastaveniTiskarny();
}

bool TpreviewF::NastaveniTiskarny() {
    TNastaveniTisku n;
    n.MinStrana = 1;
    n.MaxStrana = qMax(1, PocetStran);
    n.OdStrany = odStrany;
    n.DoStrany = doStrany;
    n.Kopie = PocetKopii;
    const bool ok = OtevriDialog(n);
    PrevezmiNastaveni(*this, ok, n);
    // The printer's own copy count is what the next print uses.
    vybranaTiskarna().setCopyCount(PocetKopii);
    return ok;
}

void TpreviewF::printBtnClick() {
    if (m_preview->State() == psReady) {
        bool tiskarna = m_preview->PrinterInstalled();
        if (!tiskarna) {
            ohlasChybejiciTiskarnu();
            tiskarna = NastaveniTiskarny() && m_preview->PrinterInstalled();
        }
        // The dialogs above may have chosen other pages.
        const QList<int> strany = tiskarna && pripravVystup() ? StranyKTisku() : QList<int>();
        if (!strany.isEmpty()) {
            vybranaTiskarna().setCopyCount(PocetKopii);
            try {
                m_preview->PrintPagesEx(strany);
            } catch (const UrnariumError&) {
                OznamTisk(QString::fromUtf8(kNicNevytisteno));
                throw;
            }
            OznamTisk(m_preview->LastPrint());
        } else {
            OznamTisk(QString::fromUtf8(kNicNevytisteno));
            dialogs().inform(QString::fromUtf8(kTiskCaption), QString::fromUtf8(kNicNevytisteno));
        }
    }
    m_preview->setFocus();
}

void TpreviewF::zavritBtnClick() {
    close();
}

} // namespace urn
