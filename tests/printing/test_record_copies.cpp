// The record's copies on paper: how many are printed, where they go when the
// printer writes PDF files, what happens without a printer, and the printed
// text of a full record read back from the PDF.

#include "RecordFixture.h"
#include "preview/PreviewControl.h"
#include "printing/PrintCommands.h"
#include "store/PrecinctRecord.h"
#include "ui/PrinterChoice.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

QByteArray obsah(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void zapis(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// The messages shown, as "kind|caption|text".
QStringList zpravy(const FakeDialogs& dlg) {
    QStringList r;
    for (const auto& s : dlg.shown)
        r.append(s.kind + QLatin1Char('|') + s.caption + QLatin1Char('|') + s.text);
    return r;
}

QString souborSKopiemi(const QString& path, int kopie) {
    return QStringLiteral("inform|Tisk zápisu|Zápis byl vytištěn do souboru\r%1\rPočet kopií v "
                          "souboru: %2.")
        .arg(QDir::toNativeSeparators(path))
        .arg(kopie);
}

const QString kZadna = QStringLiteral("warn|Tisk|") + QString::fromUtf8(kZadnaTiskarna);
const QString kNic = QStringLiteral("inform|Tisk|") + QString::fromUtf8(kNicNevytisteno);

} // namespace

TEST(RecordCopies, EveryCopyGoesIntoTheOneFileInTurn) {
    const struct {
        int pozadano;
        int kopii;
    } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pozadano);
        RecordFixture f;
        int dokumentu = 0;
        QObject::connect(f.okno.PrintPreview(), &TPrintPreview::OnBeginDoc, [&] { ++dokumentu; });
        f.tiskZapisu(c.pozadano);
        // Without asking: the file does not exist yet.
        EXPECT_EQ(zpravy(f.dlg), QStringList{souborSKopiemi(f.copiesFile(), c.kopii)});
        EXPECT_EQ(RecordFixture::pdfPages(f.copiesFile()), 8 * c.kopii);
        EXPECT_EQ(dokumentu, 2); // the copies, then the preview
        EXPECT_EQ(f.shown, 1);
        EXPECT_EQ(f.pagesWhenShown, 8);
        EXPECT_FALSE(f.okno.PrintPreview()->DirectPrint());
        EXPECT_EQ(vybranaTiskarna().copyCount(), 1);
        EXPECT_EQ(f.okno.StavovyRadek(), QStringLiteral("Uloženo do souboru „%1“ (%2 stran).")
                                             .arg(f.copiesFile())
                                             .arg(8 * c.kopii));
        if (havePdfTools()) {
            const QStringList strany = pdfText(f.copiesFile());
            ASSERT_EQ(strany.size(), 8 * c.kopii);
            for (int k = 0; k < c.kopii; ++k)
                for (int p = 1; p <= 8; ++p)
                    EXPECT_TRUE(
                        strany[8 * k + p - 1].contains(QStringLiteral("Strana: %1/8 QZ").arg(p)))
                        << "copy " << k + 1 << " page " << p;
        }
    }
}

TEST(RecordCopies, WithoutAPrinterTheUserIsToldAndOfferedTheDialog) {
    RecordFixture f;
    f.noPrinter();
    QList<TNastaveniTisku> nabidnuto;
    f.okno.printDialogHook = [&](TNastaveniTisku& n) {
        nabidnuto.append(n);
        return false;
    };
    f.tiskZapisu(2);
    ASSERT_EQ(nabidnuto.size(), 1);
    EXPECT_EQ(nabidnuto[0].Kopie, 2);
    EXPECT_FALSE(nabidnuto[0].NabidkaStran);
    EXPECT_EQ(zpravy(f.dlg), (QStringList{kZadna, kNic}));
    EXPECT_TRUE(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
    // The preview comes all the same, from which the record can be printed.
    EXPECT_EQ(f.shown, 1);
    EXPECT_EQ(f.pagesWhenShown, 8);

    // Choosing a file in the dialog prints the copies the dialog asks for.
    f.dlg.shown.clear();
    const QString soubor = f.dir.filePath(QStringLiteral("zapis.pdf"));
    f.okno.printDialogHook = [&](TNastaveniTisku& n) {
        vybranaTiskarna().setOutputFormat(QPrinter::PdfFormat);
        vybranaTiskarna().setOutputFileName(soubor);
        n.Kopie = 3;
        return true;
    };
    f.tiskZapisu(2);
    EXPECT_EQ(zpravy(f.dlg), (QStringList{kZadna, souborSKopiemi(soubor, 3)}));
    EXPECT_EQ(RecordFixture::pdfPages(soubor), 3 * 8);
    EXPECT_EQ(f.shown, 2);
}

TEST(RecordCopies, AnExistingFileIsReplacedOnlyAfterTheDialogShowedItsName) {
    RecordFixture f;
    const QByteArray stary("dříve vytištěný zápis");
    zapis(f.copiesFile(), stary);
    QStringList ukazano;
    bool odpoved = false;
    f.okno.printDialogHook = [&](TNastaveniTisku&) {
        ukazano.append(vybranaTiskarna().outputFileName());
        return odpoved;
    };
    f.tiskZapisu(2);
    EXPECT_EQ(ukazano, QStringList{f.copiesFile()});
    EXPECT_EQ(obsah(f.copiesFile()), stary);
    EXPECT_EQ(zpravy(f.dlg), QStringList{kNic});
    EXPECT_EQ(f.shown, 1);

    f.dlg.shown.clear();
    odpoved = true;
    f.tiskZapisu(2);
    EXPECT_EQ(ukazano.size(), 2);
    EXPECT_EQ(RecordFixture::pdfPages(f.copiesFile()), 2 * 8);
    EXPECT_EQ(zpravy(f.dlg), QStringList{souborSKopiemi(f.copiesFile(), 2)});

    // "Tisk" in the preview would replace the copies just written: the
    // dialog shows the name first there too.
    f.okno.printBtnClick();
    EXPECT_EQ(ukazano.size(), 3);
    EXPECT_EQ(RecordFixture::pdfPages(f.copiesFile()), 8);
}

TEST(RecordCopies, APrinterThatFailsIsReportedAndThePreviewStillComes) {
    RecordFixture f;
    // A file in a directory that does not exist cannot be written.
    vybranaTiskarna().setOutputFileName(f.dir.filePath(QStringLiteral("chybí/tisk.pdf")));
    f.tiskZapisu(2);
    ASSERT_EQ(f.dlg.shown.size(), 1);
    EXPECT_TRUE(f.dlg.shown[0].text.contains(QStringLiteral("se nepodařilo zahájit")))
        << f.dlg.shown[0].text.toStdString();
    EXPECT_EQ(f.shown, 1);
    EXPECT_EQ(f.pagesWhenShown, 8);
    EXPECT_FALSE(f.okno.PrintPreview()->DirectPrint());
    EXPECT_EQ(f.okno.PrintPreview()->State(), psReady);
}

// The copies are the document the commission saw in the preview, page for
// page, and every number of the record stands where the form has it.
TEST(RecordCopies, PrintedTextOfAFullRecord) {
    if (!havePdfTools())
        GTEST_SKIP() << "pdftotext not installed";
    RecordFixture f;
    THlaso& h = f.session.PrecinctRecord.Hlaso;
    h.Prerus = QStringLiteral("B");
    h.PrerusD = QStringLiteral("8.6.2024");
    h.PrerusOd = QStringLiteral("10:30");
    h.PrerusDo = QStringLiteral("11:05");
    h.DuvodPrer = QStringLiteral("Výpadek proudu");
    f.tiskZapisu(1);
    const QStringList kopie = pdfText(f.copiesFile());
    ASSERT_EQ(kopie.size(), 8);
    // The preview's pages printed into a file of their own.
    f.printToFile(QStringLiteral("nahled.pdf"));
    f.okno.PrintPreview()->SetPrintJobTitle(QStringLiteral("nahled.pdf"));
    f.okno.printBtnClick();
    const QStringList nahled = pdfText(f.dir.filePath(QStringLiteral("nahled.pdf")));
    EXPECT_EQ(kopie, nahled);

    const auto radek = [&](int strana, const QString& zacatek) {
        for (const QString& r : kopie.value(strana - 1).split(QLatin1Char('\n')))
            if (r.simplified().startsWith(zacatek))
                return r.simplified();
        return QString();
    };
    const auto obsahuje = [&](int strana, const QString& co) {
        const QRegularExpression re(QStringLiteral("(?<!\\d)") + QRegularExpression::escape(co) +
                                    QStringLiteral("(?!\\d)"));
        return kopie.value(strana - 1).simplified().contains(re);
    };
    const TPrecinctRecord& r = f.session.PrecinctRecord;
    // Section II: every number at the end of its own line.
    const struct {
        const char* zacatek;
        QString hodnota;
    } oddilII[] = {
        {"Počet osob zapsaných", QString::number(r.T2.ZapsOsoby)},
        {"Počet voličů, kterým", QString::number(r.T2.VydObalky)},
        {"Počet odevzdaných", QString::number(r.T2.OdevzdObalky)},
        {"Počet platných hlasů ve volebním", QString::number(r.T2.PlatneHlasy)},
        {"Kontrolní číslo 2", QString::number(r.T2.T2KC_2)},
        {"Identifikace volebního okrsku", QStringLiteral("582786 2 %1").arg(r.T2.T2KC_1)},
    };
    for (const auto& o : oddilII)
        EXPECT_TRUE(radek(1, QString::fromUtf8(o.zacatek)).endsWith(QLatin1Char(' ') + o.hodnota))
            << o.zacatek << ": " << radek(1, QString::fromUtf8(o.zacatek)).toStdString();
    for (const char* hodnota : {"14:00", "22:00", "08:00", "8.6.2024", "10:30", "11:05",
                                "Výpadek proudu", "Bílá Lhota u Kamenice", "Blansko"})
        EXPECT_TRUE(obsahuje(1, QString::fromUtf8(hodnota))) << hodnota;
    EXPECT_TRUE(
        radek(1, QStringLiteral("Chyby č.:")).startsWith(QStringLiteral("Chyby č.: 92, 96, 5")));
    EXPECT_EQ(radek(1, QStringLiteral("582786 - 2 -")),
              QStringLiteral("582786 - 2 - 852 055 062 Strana: 1/8 QZ"));
    EXPECT_TRUE(obsahuje(2, QStringLiteral("Ing. Jiří Dvořák")));
    EXPECT_TRUE(obsahuje(2, QStringLiteral("Marie Dvořáková")));
    for (int k = 1; k <= 7; ++k)
        EXPECT_TRUE(obsahuje(2, jmenoClena(k))) << k;

    // Every sheet: the party's votes, its control numbers, and for every
    // candidate with preferential votes the votes and the multiple.
    const QList<int> strany = {1, 2, 5, 20, 21, 30};
    for (int i = 0; i < strany.size(); ++i) {
        const int list = 3 + i;
        const TStranaVysl& s = r.VyslStran(strany[i]);
        SCOPED_TRACE(testing::Message() << "party " << strany[i]);
        EXPECT_TRUE(radek(list, QStringLiteral("Příloha č. 1 k tiskopisu T/2, list č."))
                        .endsWith(QStringLiteral("list č. %1").arg(i + 1)));
        EXPECT_TRUE(radek(list, QStringLiteral("Počet platných hlasů pro tuto"))
                        .endsWith(QLatin1Char(' ') + QString::number(s.PocHl)));
        EXPECT_TRUE(radek(list, QStringLiteral("Kontrolní číslo 2"))
                        .endsWith(QLatin1Char(' ') + QString::number(s.T2PKC2)));
        EXPECT_TRUE(radek(list, QStringLiteral("Kontrolní číslo 3"))
                        .endsWith(QLatin1Char(' ') + QString::number(s.T2PKC3)));
        EXPECT_TRUE(radek(list, QStringLiteral("Kontrolní číslo 4"))
                        .endsWith(QLatin1Char(' ') + QString::number(s.T2PKC4)));
        EXPECT_TRUE(radek(list, QStringLiteral("Poslední číslo kandidáta"))
                        .endsWith(QLatin1Char(' ') + QString::number(s.T2PPoslKand)));
        EXPECT_TRUE(radek(list, QStringLiteral("........................................"))
                        .endsWith(QStringLiteral("číslo .......... %1").arg(strany[i])));
        for (int k = 1; k <= 28; ++k) {
            if (s.pref(k) == 0)
                continue;
            EXPECT_TRUE(obsahuje(
                list, QStringLiteral("%1. %2 %3").arg(k).arg(s.pref(k)).arg(qint64(k) * s.pref(k))))
                << "candidate " << k;
        }
        EXPECT_TRUE(radek(list, QStringLiteral("582786 - 2 -"))
                        .endsWith(QStringLiteral("Strana: %1/8 QZ").arg(list)));
    }
}
