// The election night through the program's own windows, as a commission
// lives it: a fresh installation laid out by the demo script, the program's
// nine windows, the information window, the record typed through the
// keyboard page by page, the save with its check protocol, the export to the
// hard disk, the copies and the record printed into a PDF file. What lands
// on disk and on paper is then read back with the receiving point's tool and
// with pdftotext.
#include "ElectionNight.h"

#include <QFile>

using namespace urn;
using namespace urn::test;

TEST_F(ElectionNight, TypedSavedExportedAndPrinted) {
    dlg.answers = {true}; // "Chcete pokračovat exportem dat a tiskem zápisu?"
    ASSERT_NO_FATAL_FAILURE(runTheNight());

    EXPECT_EQ(driver.seen,
              (QStringList{QStringLiteral("TZ_Info_F"), QStringLiteral("R_Vstupni_Form"),
                           QStringLiteral("previewF"), QStringLiteral("Z_infoE_F"),
                           QStringLiteral("Z_ExportDat_F"), QStringLiteral("Z_infoE_F"),
                           QStringLiteral("Z_PocetKopii_F"), QStringLiteral("previewF")}));
    EXPECT_TRUE(findings.isEmpty()) << findings.join(QStringLiteral(", ")).toStdString();
    const QString pdf = dir.filePath(QStringLiteral("QZT2.pdf"));
    EXPECT_EQ(messages(),
              (QStringList{QStringLiteral("ask Vstup dat za okrsek: ") +
                               QString::fromUtf8(TR_Vstupni_Form::kOtazkaExport),
                           QStringLiteral("inform Tisk zápisu: Zápis byl vytištěn do souboru\r") +
                               pdf + QStringLiteral("\rPočet kopií v souboru: 2.")}));

    // The check protocol came first, without findings; the record last.
    ASSERT_EQ(previews.size(), 2);
    EXPECT_EQ(previews[0].title, QStringLiteral("QZKCH.pdf"));
    EXPECT_TRUE(flat(previews[0].pages.join(QLatin1Char('\n')))
                    .contains(QStringLiteral("Nebyly zjištěny žádné chyby")));
    EXPECT_EQ(previews[1].title, QStringLiteral("QZT2.pdf"));

    // Exported to the hard disk, the one target without a USB disk, byte for
    // byte; the data count as exported.
    EXPECT_EQ(exportTargets,
              QStringList{QStringLiteral("do adresáře ") + inst + QStringLiteral("Export ")});
    ASSERT_EQ(infoTexts.size(), 2);
    EXPECT_TRUE(infoTexts[0].startsWith(QStringLiteral("TISK ZÁPISU I EXPORT DAT POVOLEN.")));
    EXPECT_TRUE(infoTexts[1].startsWith(QStringLiteral("Export dat na pevný disk proveden.")));
    const QString nazev = dataFileName(kKindO, kOkrsek);
    EXPECT_EQ(filesIn(QStringLiteral("data")).filter(QStringLiteral("E582786")),
              QStringList{nazev});
    EXPECT_EQ(filesIn(QStringLiteral("Export")), QStringList{nazev});
    const QByteArray data = contents(dataPath(kKindO));
    EXPECT_FALSE(data.isEmpty());
    EXPECT_EQ(contents(inst + QStringLiteral("Export/") + nazev), data);
    EXPECT_EQ(stavOnDisk(), QStringLiteral("A"));

    // The exported file as the receiving point reads it: sections I and III
    // are not part of a data file.
    const QJsonObject json =
        showJson(inst + QStringLiteral("urnarium-data"), inst + QStringLiteral("Export/") + nazev);
    const QJsonObject t2 = json.value(QStringLiteral("T2")).toObject();
    const struct {
        const char* pole;
        int hodnota;
    } oddilII[] = {{"Obec", 582786},
                   {"Okrsek", 2},
                   {"ZapsOsoby", zapis.zapsOsoby},
                   {"VydObalky", zapis.vydObalky},
                   {"OdevzdObalky", zapis.odevzdObalky},
                   {"PlatneHlasy", zapis.platneHlasy}};
    for (const auto& o : oddilII)
        EXPECT_EQ(t2.value(QLatin1String(o.pole)).toInt(), o.hodnota) << o.pole;
    QString zaskrtnute(kPocetStranVeZaznamu, QLatin1Char('0'));
    for (const StranaZapisu& s : zapis.strany)
        zaskrtnute[s.cislo - 1] = QLatin1Char('1');
    EXPECT_EQ(t2.value(QStringLiteral("ZaskrtStrany")).toString(), zaskrtnute);
    const QJsonObject strany = json.value(QStringLiteral("VyslStran")).toObject();
    EXPECT_EQ(strany.size(), zapis.strany.size());
    for (const StranaZapisu& s : zapis.strany) {
        SCOPED_TRACE(testing::Message() << "party " << s.cislo);
        const QJsonObject j = strany.value(QString::number(s.cislo)).toObject();
        EXPECT_EQ(j.value(QStringLiteral("CisStr")).toInt(), s.cislo);
        EXPECT_EQ(j.value(QStringLiteral("PocHl")).toInt(), s.hlasy);
        EXPECT_EQ(j.value(QStringLiteral("T2PPoslKand")).toInt(), zapis.posledniKandidat(s));
        const QJsonArray pref = j.value(QStringLiteral("PrefHlasy")).toArray();
        ASSERT_EQ(pref.size(), kPocetPrefHlasu);
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            EXPECT_EQ(pref.at(k - 1).toInt(), s.pref.value(k)) << "candidate " << k;
    }

    // The closing record names the precinct and no failed check.
    const QJsonObject ts = json.value(QStringLiteral("TS")).toObject();
    EXPECT_EQ(ts.value(QStringLiteral("Obec")).toInt(), 582786);
    EXPECT_EQ(ts.value(QStringLiteral("Okrsek")).toInt(), 2);
    EXPECT_EQ(ts.value(QStringLiteral("KodyChyb")).toString().trimmed(), QString());

    // Sections I and III do not travel in a data file: they stay in the
    // data directory, as typed.
    ASSERT_NO_FATAL_FAILURE(checkSectionsOnDisk());

    // The printed record: two copies of the document in the preview, each
    // with every typed value where the form has it.
    ASSERT_TRUE(havePdfTools()) << "pdftotext (poppler-utils) is not installed";
    const QStringList stranky = pdfText(pdf);
    const qsizetype n = previews[1].pages.size();
    ASSERT_EQ(n, 2 + zapis.strany.size()); // sections I and II, section III, the sheets
    ASSERT_EQ(stranky.size(), 2 * n);
    EXPECT_EQ(stranky.mid(0, n), stranky.mid(n, n)) << "the copies differ";
    ASSERT_NO_FATAL_FAILURE(checkPrintedRecord(stranky.mid(0, n)));
}

TEST_F(ElectionNight, ABlockingErrorStopsAtTheSaveWithOnlyTheEnteredFile) {
    zapis.strany[2].hlasy = 70; // the parties' votes no longer add up to the valid votes
    ASSERT_NO_FATAL_FAILURE(runTheNight());

    // Reported while typing, ignored, and found again by the save's check
    // run; no export nor printout is offered.
    EXPECT_EQ(driver.seen,
              (QStringList{QStringLiteral("TZ_Info_F"), QStringLiteral("R_Vstupni_Form"),
                           QStringLiteral("THlaskaF"), QStringLiteral("previewF")}));
    EXPECT_EQ(findings, QStringList{QStringLiteral("Chyba č. 16")});
    ASSERT_EQ(previews.size(), 1);
    EXPECT_EQ(previews[0].title, QStringLiteral("QZKCH.pdf"));
    EXPECT_TRUE(flat(previews[0].pages.join(QLatin1Char('\n')))
                    .contains(QStringLiteral("16 - Součet hlasů pro strany nesouhlasí s platnými "
                                             "hlasy")));
    EXPECT_TRUE(dlg.shown.isEmpty()) << messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(filesIn(QStringLiteral("data")).filter(QStringLiteral("E582786")),
              QStringList{dataFileName(kKindE, kOkrsek)});
    EXPECT_TRUE(filesIn(QStringLiteral("Export")).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("QZT2.pdf"))));
    EXPECT_EQ(stavOnDisk(), QStringLiteral("N"));

    // F4 in the main window afterwards refuses the entered data.
    ASSERT_NO_FATAL_FAILURE(backToTheMainWindow());
    QTest::keyClick(menu.get(), Qt::Key_F4);
    EXPECT_EQ(messages().join(QLatin1Char('\n')),
              QStringLiteral("warn Export dat: Data obsahují chyby, nebo nebyly po editaci dat "
                             "spuštěny kontroly!"));
    EXPECT_TRUE(filesIn(QStringLiteral("Export")).isEmpty());
    EXPECT_EQ(driver.seen.size(), 4) << "no window after F4";
}
