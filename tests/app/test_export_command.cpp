// The export-and-print command with scripted answers: what the commission is
// told, which windows come up, what lands on disk and what is printed.
#include "CheckFixture.h"
#include "ExportFixture.h"
#include "FakeDialogs.h"
#include "app/MainWindow.h"
#include "export/CopiesWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "ui/EntryEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {

const QString kCaption = QStringLiteral("Export dat a tisk zápisu");
const QString kVyzva = QStringLiteral("\r\rNa přebíracím místě budete vyzváni k uvedení možné "
                                      "příčiny zjištěných chyb a budete podepisovat ");

class ExportCommandTest : public CheckTest {
protected:
    void SetUp() override {
        CheckTest::SetUp();
        TStanice st = sampleStanice();
        st.Okrsek = 3;
        st.Stav = QStringLiteral("A"); // exported before: the check sets it back
        inst.writeStanice(st);
        inst.writeProgramFile(QStringLiteral("CISCHYB.RCD"), QByteArray());
        ASSERT_TRUE(QDir().mkpath(inst.dirs().program + QStringLiteral("Export")));
        menu = std::make_unique<TQZ_menu>(session, inst.dirs().program + QStringLiteral("urnarium"),
                                          QStringList{});
        ASSERT_FALSE(menu->refused());
        session.Stanice = NactiStanici();
        menu->tiskProtokolu = protocolOutput.tisk();
        AppWindows okna;
        okna.exportDat = &exportDat;
        okna.pocetKopii = &pocetKopii;
        okna.infoE = &infoE;
        menu->setWindows(okna);
        menu->tiskZapisu = [this](int copies) { printed << copies; };
    }
    void TearDown() override {
        menu.reset();
        CheckTest::TearDown();
    }

    // Saves the sample record (changed by `change`) as the station's data of
    // a kind, with sections I and III and the names.
    void saveRecord(char kind, const std::function<void(TPrecinctRecord&)>& change = {}) {
        NactiStrany(session.SeznamStran);
        fillCompleteRecord();
        if (change)
            change(rec());
        recompute();
        UlozData(kind, {QStringLiteral("582786"), 3}, rec());
        UlozHlaso(rec().Hlaso);
        UlozKomise(session.JmenaKomise);
    }
    QString dataPath(char kind) const {
        return inst.dirs().data + dataFileName(kind, {QStringLiteral("582786"), 3});
    }
    QString exported() const {
        return inst.dirs().program + QStringLiteral("Export/") +
               dataFileName('O', {QStringLiteral("582786"), 3});
    }
    QString stavOnDisk() const {
        return TStanice::fromRecord(
                   inst.readFile(inst.dirs().config + QStringLiteral("STANICE.RCD")))
            .Stav;
    }
    // The export window exports to its first item (the hard disk without
    // media), the copies window takes `copies`; every other window is closed
    // with OK.
    void scriptExport(const QString& copies) {
        driver.on(QStringLiteral("Z_infoE_F"), [this](QWidget&) {
            infoTexts << infoE.titulek2Text() + QStringLiteral(" | ") + infoE.titulek3Text();
            infoE.OK_BtnClick();
        });
        driver.on(QStringLiteral("Z_ExportDat_F"),
                  [this](QWidget&) { exportDat.Z_ExportDatOK_Btn()->click(); });
        driver.on(QStringLiteral("Z_PocetKopii_F"), [this, copies](QWidget&) {
            TSEdit* field = pocetKopii.Z_PocetKopii_SE();
            field->selectAll();
            QTest::keyClicks(field, copies);
            pocetKopii.Z_PKOK_Btn()->click();
        });
    }
    QStringList texts() const {
        QStringList out;
        for (const FakeDialogs::Shown& s : dlg.shown)
            out << s.kind + QLatin1Char(' ') + s.caption + QStringLiteral(": ") + s.text;
        return out;
    }

    FakeDialogs dlg;
    FakeMedia media;
    RecordingOutput protocolOutput;
    TZ_ExportDat_F exportDat{session.Stanice};
    TZ_PocetKopii_F pocetKopii;
    TZ_infoE_F infoE;
    std::unique_ptr<TQZ_menu> menu;
    ModalDriver driver;
    QList<int> printed;
    QStringList infoTexts;
};

} // namespace

TEST_F(ExportCommandTest, RefusesDataThatAreNotChecked) {
    struct Case {
        const char* name;
        QString kinds;
        QString text;
    };
    const Case cases[] = {
        {"entered only", QStringLiteral("E"),
         QStringLiteral("Data obsahují chyby, nebo nebyly po editaci dat spuštěny kontroly!")},
        {"edited after the check", QStringLiteral("OE"),
         QStringLiteral("Data obsahují chyby, nebo nebyly po editaci dat spuštěny kontroly!")},
        {"nothing entered", QString(), QStringLiteral("Data nejsou pořízena!")},
    };
    for (const Case& c : cases) {
        QFile::remove(dataPath('E'));
        QFile::remove(dataPath('O'));
        for (QChar kind : c.kinds)
            inst.writeDataFile(dataFileName(kind.toLatin1(), {QStringLiteral("582786"), 3}),
                               "sealed");
        dlg.shown.clear();
        session.Workflow.DataOK = true;
        menu->ExportTisk_MIClick();
        EXPECT_EQ(texts(), QStringList{QStringLiteral("warn Export dat: ") + c.text}) << c.name;
        EXPECT_FALSE(session.Workflow.DataOK);
        EXPECT_TRUE(driver.seen.isEmpty()) << c.name;
        EXPECT_EQ(stavOnDisk(), QStringLiteral("A")) << "no check ran";
        EXPECT_FALSE(QFile::exists(exported()));
    }
    EXPECT_TRUE(printed.isEmpty());
}

TEST_F(ExportCommandTest, BlockingErrorsOfferNeitherExportNorPrintout) {
    saveRecord(kKindO, [](TPrecinctRecord& r) { r.T2.PlatneHlasy = 600; });
    menu->ExportTisk_MIClick();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("warn ") + kCaption +
                                   QStringLiteral(": CHYBY V DATECH.\r\rNELZE VYTVOŘIT EXPORT "
                                                  "DAT ANI VYTISKNOUT ZÁPIS!!!")});
    EXPECT_TRUE(driver.seen.isEmpty());
    EXPECT_FALSE(QFile::exists(exported()));
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));
    EXPECT_TRUE(QFile::exists(dataPath('O'))) << "the command saves nothing";
    EXPECT_EQ(protocolOutput.calls, 0) << "no protocol for the export's check";
}

TEST_F(ExportCommandTest, TellsWhatTheChecksFoundThenExportsAndPrints) {
    struct Case {
        const char* name;
        std::function<void(TPrecinctRecord&)> change;
        std::function<void(TestInstall&)> tables;
        QStringList messages;
    };
    const Case cases[] = {
        {"clean", {}, {}, {}},
        {"warnings only",
         {},
         [](TestInstall& i) {
             i.writeOcekavani({{"582786", 3, 1000}});
         },
         {QStringLiteral("inform ") + kCaption + QStringLiteral(": Data obsahují UPOZORNĚNÍ.") +
          kVyzva + QStringLiteral("protokol.")}},
        {"passable errors only",
         [](TPrecinctRecord& r) { r.T2.OdevzdObalky = 531; },
         {},
         {QStringLiteral("inform ") + kCaption +
          QStringLiteral(": Data obsahují PROPUSTITELNÉ CHYBY.") + kVyzva +
          QStringLiteral("protokol.")}},
        {"both",
         [](TPrecinctRecord& r) { r.T2.OdevzdObalky = 531; },
         [](TestInstall& i) {
             i.writeOcekavani({{"582786", 3, 1000}});
         },
         {QStringLiteral("inform ") + kCaption +
          QStringLiteral(": Data obsahují PROPUSTITELNÉ CHYBY a UPOZORNĚNÍ.") + kVyzva +
          QStringLiteral("protokoly.")}},
    };
    for (const Case& c : cases) {
        writeTables();
        if (c.tables)
            c.tables(inst);
        saveRecord(kKindO, c.change);
        QFile::remove(exported());
        dlg.shown.clear();
        printed.clear();
        infoTexts.clear();
        driver.seen.clear();
        scriptExport(QStringLiteral("3"));

        menu->ExportTisk_MIClick();

        EXPECT_EQ(texts(), c.messages) << c.name;
        EXPECT_EQ(driver.seen,
                  (QStringList{QStringLiteral("Z_infoE_F"), QStringLiteral("Z_ExportDat_F"),
                               QStringLiteral("Z_infoE_F"), QStringLiteral("Z_PocetKopii_F")}))
            << c.name;
        ASSERT_EQ(infoTexts.size(), 2) << c.name;
        EXPECT_EQ(infoTexts[0], QStringLiteral("TISK ZÁPISU I EXPORT DAT POVOLEN. | Pro export na "
                                               "USB disk\nvložte (zapojte) technický nosič,\nna "
                                               "který chcete data exportovat.\n\nPokud žádný "
                                               "nevložíte,\nbude umožněn jen export dat na pevný "
                                               "disk.\n\nKontrolní zadání: neprovedeno"));
        EXPECT_TRUE(infoTexts[1].startsWith(
            QStringLiteral("Export dat na pevný disk proveden. | Soubor OE582786.00003\n")));
        EXPECT_EQ(inst.readFile(exported()), inst.readFile(dataPath('O'))) << c.name;
        EXPECT_FALSE(inst.readFile(exported()).isEmpty());
        EXPECT_EQ(stavOnDisk(), QStringLiteral("A")) << c.name;
        EXPECT_EQ(session.Stanice.Stav, QStringLiteral("A"));
        EXPECT_EQ(printed, QList<int>{3}) << c.name;
        EXPECT_EQ(protocolOutput.calls, 0);
    }
}

TEST_F(ExportCommandTest, CancellingTheExportPrintsNothingAndLeavesN) {
    saveRecord(kKindO);
    driver.on(QStringLiteral("Z_infoE_F"), [this](QWidget&) { infoE.OK_BtnClick(); });
    driver.on(QStringLiteral("Z_ExportDat_F"),
              [this](QWidget&) { exportDat.Z_ExportDatZrus_Btn()->click(); });
    menu->ExportTisk_MIClick();
    EXPECT_EQ(driver.seen,
              (QStringList{QStringLiteral("Z_infoE_F"), QStringLiteral("Z_ExportDat_F")}));
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));
    EXPECT_FALSE(QFile::exists(exported()));
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(ExportCommandTest, AFailedExportPrintsNothing) {
    saveRecord(kKindO);
    QDir(inst.dirs().program + QStringLiteral("Export")).removeRecursively();
    scriptExport(QStringLiteral("2"));
    menu->ExportTisk_MIClick();
    EXPECT_EQ(texts(), QStringList{QStringLiteral("warn Export dat: Export se nepovedl.\rCílový "
                                                  "adresář „%1Export/“ neexistuje.")
                                       .arg(inst.dirs().program)});
    EXPECT_EQ(driver.seen,
              (QStringList{QStringLiteral("Z_infoE_F"), QStringLiteral("Z_ExportDat_F")}));
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));
}

TEST_F(ExportCommandTest, FromTheDataEntryWindowAndOnF4) {
    saveRecord(kKindO);
    scriptExport(QStringLiteral("x")); // not a number of copies: one
    menu->ExportTisk_MIClick();
    EXPECT_EQ(printed, QList<int>{1});
    EXPECT_EQ(protocolOutput.calls, 0);

    // F4 in the opened main window: the default two copies.
    printed.clear();
    scriptExport(QString());
    QFile::remove(exported());
    menu->show();
    QTRY_VERIFY(menu->opened());
    QAction* f4 = menu->action(QStringLiteral("ExportTisk_MI"));
    ASSERT_TRUE(f4->isEnabled());
    EXPECT_EQ(f4->shortcut(), QKeySequence(Qt::Key_F4));
    f4->trigger();
    EXPECT_EQ(printed, QList<int>{2});
    EXPECT_TRUE(QFile::exists(exported()));
}
