#pragma once

// The election night's fixture: a fresh installation laid out by the demo
// script, the program with its windows, each modal window answered as a
// commission answers it, and the record typed through the keyboard page by
// page. What lands on disk and on paper is read back with the receiving
// point's tool and with pdftotext.
#include "ExportFixture.h"
#include "FakeDialogs.h"
#include "Keyboard.h"
#include "PageText.h"
#include "PdfText.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "app/ProgramWindows.h"
#include "checks/PrecinctSession.h"
#include "entry/AnnexPage.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "preview/PreviewControl.h"
#include "printing/PreviewWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"
#include "ui/PrinterChoice.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMap>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace urn::test {

// ---- what the commission types ----

struct StranaZapisu {
    int cislo;
    int hlasy;
    QMap<int, int> pref; // candidate → preferential votes
};

// The record of the night, in the order of the form; the checks afterwards
// read the same table. The numbers pass every check on the demo tables
// (661 voters expected in the precinct), warnings included.
struct Zapis {
    // Section I: both days, an adjourned poll, complaints on two sheets.
    QString zahajeno1 = QStringLiteral("14:00");
    QString ukonceno1 = QStringLiteral("22:00");
    QString zahajeno2 = QStringLiteral("08:00");
    QString ukonceno2 = QStringLiteral("14:00");
    QString odrocenoD = QStringLiteral("7.6.2024");
    QString odrocenoH = QStringLiteral("15");
    QString odrocenoM = QStringLiteral("30");
    QString duvodOdroc = QStringLiteral("výpadek elektřiny");
    QString stizListu = QStringLiteral("2");
    // Section II.
    int zapsOsoby = 661;
    int vydObalky = 500;
    int odevzdObalky = 498;
    int platneHlasy = 490;
    // Annex 1: three parties, in ascending number as the form lists them;
    // party 2 has a withdrawn candidate (26) below its last one with votes.
    QList<StranaZapisu> strany = {
        {2, 250, {{1, 40}, {3, 25}, {28, 12}}},
        {5, 160, {{2, 30}, {7, 9}}},
        {9, 80, {{1, 15}}},
    };
    // Section III: five members present of seven, the recorder first.
    QString clenuCelkem = QStringLiteral("7");
    QString clenuPritomno = QStringLiteral("5");
    QString zapisovatel = QStringLiteral("Jana Nováková");
    QStringList clenove = {QStringLiteral("Eva Malá"), QStringLiteral("Ivan Velký"),
                           QStringLiteral("Šárka Dvořáková"), QStringLiteral("Petr Černý")};
    QString poverPred = QStringLiteral("Ivan Velký");
    QString ostatni = QStringLiteral("Tomáš Řezníček, pozorovatel");

    int posledniKandidat(const StranaZapisu& s) const { return s.pref.lastKey(); }
};

inline const TAktOkrsek kOkrsek{QStringLiteral("582786"), 2};
// However loaded the machine, the night ends well within this.
constexpr int kLimitMs = 60000;

// ---- the installation ----

// A fresh installation as the demo script lays it out, in `dir`.
inline void layOutDemo(const QString& dir) {
    QProcess p;
    p.setWorkingDirectory(QStringLiteral(URNARIUM_SOURCE_DIR));
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("bash"),
            {QStringLiteral("scripts/lay-out-demo.sh"), QStringLiteral(URNARIUM_BUILD_DIR), dir});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
}

inline QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the receiving point's tool reads from a data file.
inline QJsonObject showJson(const QString& tool, const QString& file) {
    QProcess p;
    p.start(tool, {QStringLiteral("show"), file, QStringLiteral("--json")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << "urnarium-data show: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// A page of text as one line, single-spaced.
inline QString flat(const QString& page) {
    return page.simplified();
}

// Whether the page holds the values in this order, numbers not run into
// other digits.
inline bool holdsInOrder(const QString& page, const QStringList& values) {
    QStringList parts;
    for (const QString& v : values)
        parts << QStringLiteral("(?<!\\d)") + QRegularExpression::escape(v) +
                     QStringLiteral("(?!\\d)");
    return flat(page).contains(QRegularExpression(parts.join(QStringLiteral(".*"))));
}

// The page's first line that starts with `start`, single-spaced.
inline QString lineOf(const QString& page, const QString& start) {
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (flat(line).startsWith(start))
            return flat(line);
    return QString();
}

// The text of every page of the document in the preview window.
inline QStringList previewTexts(TpreviewF& preview) {
    QStringList pages;
    TPrintPreview* pp = preview.PrintPreview();
    for (int i = 0; i < pp->TotalPages(); ++i)
        pages << drawnPage(pp->PageList().Metafiles(i)).strings().join(QLatin1Char('\n'));
    return pages;
}

class ElectionNight : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        inst = dir.filePath(QStringLiteral("instalace")) + QLatin1Char('/');
        ASSERT_NO_FATAL_FAILURE(layOutDemo(inst));
        // The station's printer writes PDF files; the record's copies go to
        // QZT2.pdf beside the file chosen.
        QPrinter& printer = vybranaTiskarna();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("tisk.pdf")));

        menu =
            std::make_unique<TQZ_menu>(session, inst + QStringLiteral("urnarium"), QStringList{});
        ASSERT_FALSE(menu->refused());
        okna = std::make_unique<ProgramWindows>(*menu);
        // Start-up makes only the main window; the others follow when used.
        EXPECT_EQ(okna->created(), 0);
        answerModalWindows();
        QObject::connect(&deadline, &QTimer::timeout, [this] {
            ADD_FAILURE() << "the night took longer than " << kLimitMs << " ms";
            driver.giveUp();
        });
        deadline.setSingleShot(true);
        deadline.start(kLimitMs);
    }

    void TearDown() override {
        driver.giveUp();
        deadline.stop();
        okna.reset();
        menu.reset();
        QPrinter& printer = vybranaTiskarna();
        printer.setOutputFileName(QString());
        printer.setPrinterName(QString());
    }

    // ---- one helper per window ----

    void answerModalWindows() {
        driver.on(QStringLiteral("TZ_Info_F"), [](QWidget& w) { press(w, Qt::Key_Return); });
        driver.on(QStringLiteral("R_Vstupni_Form"), [this](QWidget&) { typeTheNight(); });
        driver.on(QStringLiteral("THlaskaF"), [this](QWidget& w) { ignoreFinding(w); });
        driver.on(QStringLiteral("previewF"), [this](QWidget& w) { lookAtPreview(w); });
        driver.on(QStringLiteral("Z_infoE_F"), [this](QWidget& w) { readInformation(w); });
        driver.on(QStringLiteral("Z_ExportDat_F"), [this](QWidget& w) { exportToHardDisk(w); });
        driver.on(QStringLiteral("Z_PocetKopii_F"), [](QWidget& w) {
            press(w, Qt::Key_Backspace);
            type(QStringLiteral("2"));
            press(w, Qt::Key_Return);
        });
    }

    // A key where the person types: into the focused control of the window.
    static void press(QWidget& window, int k) {
        QWidget* f = focus();
        if (!f || f->window() != &window) {
            ADD_FAILURE() << "nothing in " << ModalDriver::nameOf(window).toStdString()
                          << " has the focus";
            return;
        }
        key(k);
    }

    // The data-entry window: the whole record, then F2. Everything after the
    // save happens inside that key.
    void typeTheNight() {
        typeRecord();
        if (HasFatalFailure()) {
            driver.giveUp();
            return;
        }
        key(Qt::Key_F2);
    }

    // The error message window: "Ignorovat" with Tab and Enter.
    void ignoreFinding(QWidget& w) {
        findings << static_cast<THlaskaF&>(w).ChybaL()->text();
        press(w, Qt::Key_Tab);
        press(w, Qt::Key_Return);
    }

    // The preview window: what it shows is noted, and Esc closes it.
    void lookAtPreview(QWidget& w) {
        TpreviewF& preview = okna->preview();
        previews << Preview{preview.PrintPreview()->PrintJobTitle(), previewTexts(preview)};
        press(w, Qt::Key_Escape);
    }

    // The export's information window: its title and text noted, Enter.
    void readInformation(QWidget& w) {
        infoTexts << okna->infoE().titulek2Text() + QStringLiteral(" | ") +
                         okna->infoE().titulek3Text();
        press(w, Qt::Key_Return);
    }

    // The export window: the target as offered, Enter (on to the next
    // control), Tab to "Uložit", Enter.
    void exportToHardDisk(QWidget& w) {
        const QComboBox* cile = okna->exportDat().Z_SeznZar_CB();
        for (int i = 0; i < cile->count(); ++i)
            exportTargets << cile->itemText(i);
        EXPECT_EQ(cile->currentIndex(), 0);
        press(w, Qt::Key_Return);
        press(w, Qt::Key_Tab);
        ASSERT_TRUE(focused("Z_ExportDatOK_Btn"));
        press(w, Qt::Key_Return);
    }

    // ---- the record, page by page ----

    void typeRecord() {
        ASSERT_NO_FATAL_FAILURE(typeSectionOne());
        ASSERT_NO_FATAL_FAILURE(typeSectionTwo());
        ASSERT_NO_FATAL_FAILURE(typeAnnex());
        ASSERT_SOON(page() == 3);
        ASSERT_NO_FATAL_FAILURE(typeSectionThree());
    }

    void typeSectionOne() {
        ASSERT_TRUE(focused("R_SEdZahajeno1"));
        field(zapis.zahajeno1);
        field(zapis.ukonceno1);
        field(zapis.zahajeno2);
        field(zapis.ukonceno2);
        ASSERT_TRUE(focused("R_OdrocNRB"));
        key(Qt::Key_Right); // "bylo odročeno"
        enter();
        ASSERT_TRUE(focused("R_SEDOdrocenoD"));
        field(zapis.odrocenoD);
        field(zapis.odrocenoH);
        field(zapis.odrocenoM);
        field(zapis.duvodOdroc);
        for (const char* neni : {"R_ProdlNRB", "R_PrerusNRB"}) {
            ASSERT_TRUE(focused(neni));
            for (int i = 0; i < 5; ++i)
                enter(); // "No", and the four fields it leaves empty
        }
        ASSERT_TRUE(focused("R_StiznNRB"));
        key(Qt::Key_Right);
        enter();
        field(zapis.stizListu);
        ASSERT_TRUE(focused("R_SchrankaNRB"));
        enter();
        ASSERT_TRUE(focused("PokracovatBBtn"));
        enter();
        ASSERT_EQ(page(), 1);
    }

    void typeSectionTwo() {
        ASSERT_TRUE(focused("R_EdZapsOsoby"));
        for (int n : {zapis.zapsOsoby, zapis.vydObalky, zapis.odevzdObalky, zapis.platneHlasy})
            field(QString::number(n));
        // Down the party list: Space ticks a party, Enter goes on.
        for (int p = 1; focused(qPrintable(QStringLiteral("R_StranaCB%1").arg(p))); ++p) {
            for (const StranaZapisu& s : zapis.strany)
                if (s.cislo == p)
                    key(Qt::Key_Space);
            enter();
        }
        ASSERT_TRUE(focused("R_Dalsi2_Btn"));
        enter();
        ASSERT_EQ(page(), 2);
    }

    void typeAnnex() {
        AnnexPage* annex = entryWindow().strankaPrilohy();
        for (const StranaZapisu& s : zapis.strany) {
            ASSERT_SOON(focused("R_CBT2P_1"));
            ASSERT_EQ(annex->zobrazenaStrana(), s.cislo);
            enter();
            field(QString::number(s.hlasy));
            for (int k = 1; k <= zapis.posledniKandidat(s); ++k) {
                // A withdrawn candidate's row takes no votes and no focus.
                if (!annex->prefPole(k)->isEnabled())
                    continue;
                ASSERT_TRUE(focused(qPrintable(QStringLiteral("R_EdPref%1").arg(k)))) << k;
                if (s.pref.contains(k))
                    field(QString::number(s.pref.value(k)));
                else
                    enter();
            }
            key(Qt::Key_Return, Qt::ControlModifier); // on to the last candidate's number
            ASSERT_TRUE(focused("R_EdT2PPoslKand"));
            enter();
        }
    }

    void typeSectionThree() {
        ASSERT_SOON(focused("R_SEdClenuOVKC"));
        field(zapis.clenuCelkem);
        field(zapis.clenuPritomno);
        field(zapis.zapisovatel);
        ASSERT_TRUE(focused("R_JmenaKomise_SG"));
        for (const QString& jmeno : zapis.clenove) {
            type(jmeno);
            enter();
        }
        ASSERT_TRUE(focused("R_SEdPoverPred"));
        field(zapis.poverPred);
        ASSERT_TRUE(focused("R_SEdOstatni"));
        type(zapis.ostatni);
    }

    // The window typed into: the data-entry window unless a test says which.
    TR_Vstupni_Form& entryWindow() const { return typing ? *typing : okna->vstup(); }
    int page() const { return entryWindow().R_TN_T2PR()->currentIndex(); }

    // ---- the night ----

    // Starts the program, answers the information window and opens the
    // data-entry window with F2; returns when that window has closed.
    void runTheNight() {
        menu->show();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return driver.seen.contains(QStringLiteral("TZ_Info_F")) &&
                       !okna->info().isVisible();
            },
            kLimitMs));
        ASSERT_TRUE(menu->opened());
        ASSERT_NO_FATAL_FAILURE(backToTheMainWindow());
        QTest::keyClick(menu.get(), Qt::Key_F2);
        EXPECT_FALSE(okna->vstup().isVisible());
    }

    // The main window active again, as a click on it makes it (offscreen,
    // no window manager gives it back when a modal window closes).
    void backToTheMainWindow() {
        menu->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(menu.get(), kLimitMs));
    }

    // One copy of the printed record: page 1 with sections I and II, page 2
    // with section III, then one Annex 1 sheet per party.
    void checkPrintedRecord(const QStringList& strany) const {
        EXPECT_TRUE(holdsInOrder(strany[0], {zapis.zahajeno1, zapis.ukonceno1, zapis.zahajeno2,
                                             zapis.ukonceno2, zapis.odrocenoD, zapis.odrocenoH,
                                             zapis.odrocenoM, zapis.duvodOdroc, zapis.stizListu,
                                             QStringLiteral("listech")}))
            << strany[0].toStdString();
        const struct {
            const char* radek;
            int hodnota;
        } oddilII[] = {{"Počet osob zapsaných", zapis.zapsOsoby},
                       {"Počet voličů, kterým", zapis.vydObalky},
                       {"Počet odevzdaných", zapis.odevzdObalky},
                       {"Počet platných hlasů ve volebním", zapis.platneHlasy}};
        for (const auto& o : oddilII)
            EXPECT_TRUE(lineOf(strany[0], QString::fromUtf8(o.radek))
                            .endsWith(QLatin1Char(' ') + QString::number(o.hodnota)))
                << o.radek;
        EXPECT_TRUE(
            holdsInOrder(strany[1], QStringList{zapis.clenuCelkem, zapis.clenuPritomno,
                                                zapis.ostatni, zapis.poverPred, zapis.zapisovatel} +
                                        zapis.clenove))
            << strany[1].toStdString();
        for (int i = 0; i < zapis.strany.size(); ++i) {
            const StranaZapisu& s = zapis.strany[i];
            const QString& list = strany[2 + i];
            SCOPED_TRACE(testing::Message() << "party " << s.cislo);
            EXPECT_TRUE(lineOf(list, QStringLiteral("........"))
                            .endsWith(QStringLiteral("číslo .......... %1").arg(s.cislo)));
            EXPECT_TRUE(lineOf(list, QStringLiteral("Počet platných hlasů pro tuto"))
                            .endsWith(QLatin1Char(' ') + QString::number(s.hlasy)));
            EXPECT_TRUE(
                lineOf(list, QStringLiteral("Poslední číslo kandidáta"))
                    .endsWith(QLatin1Char(' ') + QString::number(zapis.posledniKandidat(s))));
            for (auto [k, hlasy] : s.pref.asKeyValueRange())
                EXPECT_TRUE(holdsInOrder(
                    list, {QStringLiteral("%1. %2 %3").arg(k).arg(hlasy).arg(k * hlasy)}))
                    << "candidate " << k;
            EXPECT_TRUE(holdsInOrder(list, QStringList{zapis.zapisovatel} + zapis.clenove));
        }
    }

    // HLASO.RCD and KOMISE.RCD of the data directory hold sections I and III
    // and the members' names.
    void checkSectionsOnDisk() const {
        const QByteArray bytes = contents(inst + QStringLiteral("data/HLASO.RCD"));
        ASSERT_EQ(bytes.size(), kHlasoSize);
        const THlaso h = hlasoFromBytes(bytes);
        const struct {
            const char* pole;
            QString ulozeno;
            QString napsano;
        } pole[] = {
            {"Zahajeno1", h.Zahajeno1, zapis.zahajeno1},
            {"Ukonceno1", h.Ukonceno1, zapis.ukonceno1},
            {"Zahajeno2", h.Zahajeno2, zapis.zahajeno2},
            {"Ukonceno2", h.Ukonceno2, zapis.ukonceno2},
            {"Odroc", h.Odroc, QStringLiteral("B")},
            {"OdrocenoD", h.OdrocenoD, zapis.odrocenoD},
            {"OdrocenoH", h.OdrocenoH, zapis.odrocenoH},
            {"OdrocenoM", h.OdrocenoM, zapis.odrocenoM},
            {"DuvodOdroc", h.DuvodOdroc, zapis.duvodOdroc},
            {"Prodl", h.Prodl, QStringLiteral("N")},
            {"Prerus", h.Prerus, QStringLiteral("N")},
            {"Stizn", h.Stizn, QStringLiteral("B")},
            {"StizListu", h.StizListu, zapis.stizListu},
            {"Schranka", h.Schranka, QStringLiteral("N")},
            {"PrilListu", h.PrilListu, QString::number(zapis.strany.size())},
            {"ClenuOVKC", h.ClenuOVKC, zapis.clenuCelkem},
            {"ClenuOVKP", h.ClenuOVKP, zapis.clenuPritomno},
            {"Ostatni", h.Ostatni, zapis.ostatni},
            {"PoverPred", h.PoverPred, zapis.poverPred},
            {"Zapisovat", h.Zapisovat, zapis.zapisovatel},
        };
        for (const auto& p : pole)
            EXPECT_EQ(p.ulozeno.trimmed(), p.napsano) << p.pole;

        const QByteArray komise = contents(inst + QStringLiteral("data/KOMISE.RCD"));
        QStringList jmena;
        for (qsizetype i = 0; i + kKomiseSize <= komise.size(); i += kKomiseSize)
            jmena << TKomise::fromRecord(komise.mid(i, kKomiseSize)).clen;
        EXPECT_EQ(komise.size() % kKomiseSize, 0);
        EXPECT_EQ(jmena, zapis.clenove);
    }

    QString dataPath(char kind) const {
        return inst + QStringLiteral("data/") + dataFileName(kind, kOkrsek);
    }
    QStringList filesIn(const QString& sub) const {
        return QDir(inst + sub).entryList(QDir::Files, QDir::Name);
    }
    QString stavOnDisk() const {
        return TStanice::fromRecord(contents(inst + QStringLiteral("stanice.rcd"))).Stav;
    }
    QStringList messages() const {
        QStringList out;
        for (const FakeDialogs::Shown& s : dlg.shown)
            out << s.kind + QLatin1Char(' ') + s.caption + QStringLiteral(": ") + s.text;
        return out;
    }

    struct Preview {
        QString title;
        QStringList pages;
    };

    QTemporaryDir dir;
    QString inst;
    FakeDialogs dlg;
    FakeMedia media; // no removable media: the export goes to the hard disk
    ModalDriver driver;
    QTimer deadline;
    PrecinctSession session;
    std::unique_ptr<TQZ_menu> menu;
    std::unique_ptr<ProgramWindows> okna;
    Zapis zapis;
    TR_Vstupni_Form* typing = nullptr;

    QStringList findings;
    QList<Preview> previews;
    QStringList infoTexts;
    QStringList exportTargets;
};

} // namespace urn::test
