// The printouts on a real print server: a private cupsd with a queue that
// keeps what reaches the paper. The print dialogs are the system's own,
// answered as the commission would answer them.

#include "PrintServer.h"
#include "RecordFixture.h"
#include "checks/ErrorCatalogue.h"
#include "preview/PreviewControl.h"
#include "printing/PrintCommands.h"
#include "ui/PrinterChoice.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace urn;
using namespace urn::test;

namespace {

// Answers the next print dialog: `fill` sets its controls as the user
// would, then the dialog's confirming button is pressed.
void answerPrintDialog(std::function<void(QPrintDialog&)> fill) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, fill] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        fill(*d);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    poll->start();
}

// "Pages from ... to ..." in the dialog's options.
std::function<void(QPrintDialog&)> pagesFromTo(int from, int to, int copies = 1) {
    return [=](QPrintDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("printRange"))->click();
        d.findChild<QSpinBox*>(QStringLiteral("from"))->setValue(from);
        d.findChild<QSpinBox*>(QStringLiteral("to"))->setValue(to);
        d.findChild<QSpinBox*>(QStringLiteral("copies"))->setValue(copies);
    };
}

// A range and, of it, the odd pages only ("Page Set").
std::function<void(QPrintDialog&)> oddPagesFromTo(int from, int to) {
    return [=](QPrintDialog& d) {
        pagesFromTo(from, to)(d);
        d.findChild<QComboBox*>(QStringLiteral("pageSetCombo"))->setCurrentIndex(1);
    };
}

// "Pages:" with a list typed in.
std::function<void(QPrintDialog&)> pageList(const QString& list) {
    return [=](QPrintDialog& d) {
        d.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"))->click();
        d.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"))->setText(list);
    };
}

// The numbers a pattern finds on each page of a job, one per page ("-" for
// a page without it).
QStringList numbers(const PrintServer::Job& job, const QString& pattern) {
    const QRegularExpression re(pattern);
    QStringList r;
    for (const QString& page : job.pages) {
        const QRegularExpressionMatch m = re.match(page);
        r.append(m.hasMatch() ? m.captured(1) : QStringLiteral("-"));
    }
    return r;
}

QStringList sheets(const PrintServer::Job& job) {
    return numbers(job, QStringLiteral("List:\\s+(\\d+) - QZ"));
}

QStringList recordPages(const PrintServer::Job& job) {
    return numbers(job, QStringLiteral("Strana: (\\d+/\\d+) QZ"));
}

QStringList range(const QString& pattern, int from, int to) {
    QStringList r;
    for (int i = from; i <= to; ++i)
        r.append(pattern.arg(i));
    return r;
}

// The sample record, its tables, candidates for the counting sheet, and the
// chosen printer set to the server's queue.
struct ServerFixture : RecordFixture {
    PrintServer server;
    std::function<void(TpreviewF&)> inPreview;

    ServerFixture() {
        QList<TKandidat> kandidati;
        for (int p = 1; p <= 30; ++p)
            for (int k = 1; k <= 3; ++k) {
                TKandidat c;
                c.CisloStrany = QString::number(p);
                c.CisloKand = QString::number(k);
                c.KandJmeno1 = QStringLiteral("Kandidát %1").arg(k);
                c.KandPriznak = QStringLiteral("A");
                kandidati.append(c);
            }
        inst.writeKandidati(kandidati);
        QPrinter& printer = vybranaTiskarna();
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(PrintServer::queue());
        okno.showHook = [this](TpreviewF& w) {
            ++shown;
            pagesWhenShown = w.PrintPreview()->TotalPages();
            if (inPreview)
                inPreview(w);
        };
    }

    void setUpPages() { okno.findChild<QToolButton*>(QStringLiteral("printerSetupSB"))->click(); }
    void print() { okno.findChild<QPushButton*>(QStringLiteral("printBtn"))->click(); }
    // The preview window's status line (as UTF-8, to be read in a failure).
    std::string status() const { return okno.StavovyRadek().toStdString(); }

    void countingSheet(std::function<void(QPrintDialog&)> dialog) {
        inPreview = [this, dialog](TpreviewF&) {
            answerPrintDialog(dialog);
            setUpPages();
            print();
        };
        ScitaciArch(nactiArch(session), okno, {});
    }
};

TUdajeProtokolu protocolWithoutFindings() {
    TUdajeProtokolu u;
    u.Obec = 582786;
    u.Okrsek = 2;
    u.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
    return u;
}

} // namespace

// The night as the commission printed it: sheets 2 to 3 of the counting
// sheet, the printer confirmed in "Výběr tiskárny", the test page, the check
// protocol and the record in two copies. Every printout reaches the paper
// whole, whatever range an earlier one chose.
TEST(PrintServer, EveryPageOfEveryPrintoutReachesThePaper) {
    ServerFixture f;
    ASSERT_TRUE(f.server.failure().isEmpty()) << f.server.failure().toStdString();

    f.countingSheet(pagesFromTo(2, 3));
    QList<PrintServer::Job> jobs = f.server.newJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(sheets(jobs[0]), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));

    // Only the printer is chosen there: the dialog offers no pages or copies.
    answerPrintDialog([](QPrintDialog& d) {
        for (QPushButton* b : d.findChildren<QPushButton*>())
            if (b->text().contains(QStringLiteral(">>")))
                b->click(); // the options opened
        for (const char* name : {"gbPrintRange", "copies"}) {
            const QWidget* w = d.findChild<QWidget*>(QLatin1String(name));
            ASSERT_NE(w, nullptr) << name;
            EXPECT_TRUE(w->parentWidget()->isVisibleTo(&d)) << name;
            EXPECT_FALSE(w->isVisibleTo(&d)) << name;
        }
    });
    VyberTiskarny(nullptr);

    f.inPreview = [&](TpreviewF&) { f.print(); };
    TiskZkusebniStrany(ZjistiProstredi(f.session.Stanice, f.okno), f.okno, fixedPrintTime());
    jobs = f.server.newJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    ASSERT_EQ(jobs[0].pages.size(), 1) << f.server.log().toStdString();
    EXPECT_TRUE(jobs[0].pages[0].contains(QStringLiteral("zkušební strany")))
        << jobs[0].pages[0].toStdString();

    TiskProtokolu(protocolWithoutFindings(), f.okno, fixedPrintTime());
    jobs = f.server.newJobs(1);
    ASSERT_EQ(jobs.size(), 1);
    ASSERT_EQ(jobs[0].pages.size(), 1);
    EXPECT_TRUE(jobs[0].pages[0].contains(QStringLiteral("PROTOKOL O KONTROLÁCH ZA OKRSEK")));

    f.inPreview = {};
    f.tiskZapisu(2);
    jobs = f.server.newJobs(2);
    ASSERT_EQ(jobs.size(), 2);
    for (const PrintServer::Job& copy : jobs) {
        EXPECT_EQ(copy.title, QStringLiteral("QZT2.pdf"));
        EXPECT_EQ(recordPages(copy), range(QStringLiteral("%1/8"), 1, 8));
    }
    EXPECT_TRUE(f.dlg.shown.isEmpty());
}

// Pages chosen in the preview's dialog, as a range or as a list, in the
// copies asked for: exactly those sheets, each copy whole and in order.
TEST(PrintServer, ThePagesChosenInThePreviewAndNoOthers) {
    const struct {
        const char* name;
        std::function<void(QPrintDialog&)> dialog;
        QStringList sheets;
    } cases[] = {
        {"pages 2 to 3", pagesFromTo(2, 3), {QStringLiteral("2"), QStringLiteral("3")}},
        {"pages 2 to 3, two copies",
         pagesFromTo(2, 3, 2),
         {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("3")}},
        {"list 3,5", pageList(QStringLiteral("3,5")), {QStringLiteral("3"), QStringLiteral("5")}},
        {"list 1-2,29",
         pageList(QStringLiteral("1-2,29")),
         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("29")}},
        {"odd pages of 2 to 6", oddPagesFromTo(2, 6), {QStringLiteral("3"), QStringLiteral("5")}},
    };
    ServerFixture f;
    ASSERT_TRUE(f.server.failure().isEmpty()) << f.server.failure().toStdString();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.countingSheet(c.dialog);
        const QList<PrintServer::Job> jobs = f.server.newJobs(1);
        ASSERT_EQ(jobs.size(), 1);
        EXPECT_EQ(sheets(jobs[0]), c.sheets) << f.server.log().toStdString();
    }
}

// What the commission is told after printing: where the pages went and how
// many; a stopped printer, whose jobs wait; a printer that takes no job, in
// the server's words, with nothing claimed as printed.
TEST(PrintServer, TheUserIsToldWhereThePrintWentOrWhyNot) {
    ServerFixture f;
    ASSERT_TRUE(f.server.failure().isEmpty()) << f.server.failure().toStdString();
    const QString queue = PrintServer::queue();
    f.inPreview = [&](TpreviewF&) { f.print(); };
    TiskProtokolu(protocolWithoutFindings(), f.okno, fixedPrintTime());
    EXPECT_EQ(f.status(), "Odesláno na tiskárnu „Urnarium“: 1 strana.");
    EXPECT_EQ(f.server.newJobs(1).size(), 1);

    f.inPreview = {};
    f.tiskZapisu(3);
    EXPECT_EQ(f.status(), "Odesláno na tiskárnu „Urnarium“: 8 stran, počet kopií 3.");
    EXPECT_EQ(f.server.newJobs(3).size(), 3);
    EXPECT_TRUE(f.dlg.shown.isEmpty());

    // Stopped: the job waits in the queue, and the user is told so.
    ASSERT_TRUE(f.server.run(QStringLiteral("cupsdisable"),
                             {QStringLiteral("-r"), QStringLiteral("Došel papír"), queue}));
    f.inPreview = [&](TpreviewF&) { f.print(); };
    TiskProtokolu(protocolWithoutFindings(), f.okno, fixedPrintTime());
    const std::string stopped = "Odesláno na tiskárnu „Urnarium“: 1 strana. Tiskárna je však "
                                "zastavena (Došel papír), úloha čeká v její frontě.";
    EXPECT_EQ(f.status(), stopped);
    ASSERT_EQ(f.dlg.shown.size(), 1);
    EXPECT_EQ(f.dlg.shown[0].kind, QStringLiteral("warn"));
    EXPECT_EQ(f.dlg.shown[0].text.toStdString(), stopped);
    EXPECT_EQ(f.server.pendingJobs(), 1);
    ASSERT_TRUE(f.server.run(QStringLiteral("cupsenable"), {queue}));
    EXPECT_EQ(f.server.newJobs(1).size(), 1);

    // Refusing jobs: the server's reason, and nothing claimed.
    f.dlg.shown.clear();
    ASSERT_TRUE(f.server.run(QStringLiteral("cupsreject"), {queue}));
    TiskProtokolu(protocolWithoutFindings(), f.okno, fixedPrintTime());
    EXPECT_EQ(f.status(), kNicNevytisteno);
    ASSERT_EQ(f.dlg.shown.size(), 1);
    EXPECT_TRUE(
        f.dlg.shown[0].text.startsWith(QStringLiteral("Tiskárna „Urnarium“ úlohu nepřijala: ")))
        << f.dlg.shown[0].text.toStdString();
    EXPECT_EQ(f.server.pendingJobs(), 0);

    f.dlg.shown.clear();
    f.inPreview = {};
    f.tiskZapisu(2);
    EXPECT_EQ(f.status(), kNicNevytisteno);
    ASSERT_EQ(f.dlg.shown.size(), 1);
    EXPECT_TRUE(f.dlg.shown[0].text.contains(QStringLiteral("úlohu nepřijala")));
}
