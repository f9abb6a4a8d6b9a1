// urnarium-data check DIR [--station P] [--json]
//
// Runs the full check run over the saved data of an installation, as the
// program's check command does, and prints the protocol. DIR is the program
// directory (the one with the reference tables); a multi-station installation
// names its station's subdirectory of data/ with --station. Nothing in the
// installation is changed: the temporary files of the load chain go to a
// private temporary directory and the station's export mark is not touched.

#include "checks/CheckRules.h"
#include "checks/CheckSequence.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/StationConfig.h"
#include "urnarium-data.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace urn::datatool {

namespace {

constexpr const char* kUsage = "check DIR [--json]";
constexpr const char* kUsageFull = "check DIR [--json] [--station P]";

QJsonObject resultJson(const PrecinctSession& session) {
    const TPrecinctRecord& r = session.PrecinctRecord;
    const TStavKontrol& stav = session.StavKontrol;
    QJsonObject strany;
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        if (r.T2.zaskrtnuta(p))
            strany.insert(QString::number(p), r.VyslStran(p).T2PChyba);
    QJsonArray protokol;
    const TChybProt& prot = session.ChybProt;
    for (int i = 0; i < prot.count(); ++i) {
        const TChyba& ch = prot.VratChybu(i);
        protokol.append(QJsonObject{
            {QStringLiteral("EStrana"), ch.EStrana},
            {QStringLiteral("Chyba"), ch.Chyba},
            {QStringLiteral("Param"), ch.Param},
        });
    }
    return QJsonObject{
        {QStringLiteral("KodyChyb"), r.TS.KodyChyb},
        {QStringLiteral("JsouChyby"), stav.JsouChyby},
        {QStringLiteral("JsouPropustitelne"), stav.JsouPropustitelne},
        {QStringLiteral("JsouUpozorneni"), stav.JsouUpozorneni},
        {QStringLiteral("T2Chyba"), r.T2.T2Chyba},
        {QStringLiteral("TSChyba"), r.TS.TSChyba},
        {QStringLiteral("T2PChyba"), strany},
        {QStringLiteral("protocol"), protokol},
    };
}

int runCheck(const QStringList& args) {
    QString dir;
    QString station;
    bool json = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--json"))
            json = true;
        else if (a == QLatin1String("--station") && i + 1 < args.size())
            station = args.at(++i);
        else if (dir.isEmpty() && !a.startsWith(QLatin1String("--")))
            dir = a;
        else
            return usage(kUsageFull);
    }
    if (dir.isEmpty())
        return usage(kUsageFull);
    if (!QFileInfo(dir).isDir())
        return fail(QStringLiteral("%1 není adresář.").arg(dir));

    QString program = QDir(dir).absolutePath();
    if (!program.endsWith(QLatin1Char('/')))
        program += QLatin1Char('/');
    const StartupDecision d =
        decideLayout(program + QStringLiteral("urnarium"),
                     station.isEmpty() ? QStringList() : QStringList{station});
    if (d.layout == StartupLayout::NoParameter)
        return fail(QStringLiteral("V adresáři %1 není stanice.rcd; u instalace pro více stanic "
                                   "zadejte --station.")
                        .arg(program));
    if (d.layout == StartupLayout::MissingConfig)
        return fail(
            QStringLiteral("Pro stanici %1 nebyl nalezen konfigurační soubor.").arg(station));

    // The load chain writes and deletes its temporary files in the
    // configuration directory; a private one keeps the installation as it is.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("Nelze vytvořit dočasný adresář."));
    InstallDirs dirs = d.dirs;
    dirs.config = scratch.path() + QLatin1Char('/');
    setInstallDirs(dirs);

    PrecinctSession session;
    try {
        session.Stanice = NactiStanici();
        createErrorCatalogue();
        const TAktOkrsek okrsek = session.Stanice.okrsek();
        if (!dataFileExists(kKindE, okrsek) && !dataFileExists(kKindO, okrsek))
            return fail(QString::fromUtf8(kDataNejsouPorizena));
        loadStationPrecinct(session);
        session.prevezmiVysledek(
            ProvedKontroly(session.vstupKontrol(), CisChyb(), kVybranoKontrola));
    } catch (const UrnariumError& e) {
        return fail(e.message());
    }
    if (json)
        printOut(
            QString::fromUtf8(QJsonDocument(resultJson(session)).toJson(QJsonDocument::Indented)));
    else
        printOut(protocolText(session.ChybProt, session.PrecinctRecord, session.Stanice));
    return kExitOk;
}

const bool registered =
    addSubcommand({"check", kUsage,
                   "spustí všechny kontroly nad uloženými daty instalace, nic nezmění "
                   "(stanice instalace pro více stanic: --station P)",
                   &runCheck});

} // namespace

} // namespace urn::datatool
