// Generates sealed precinct data files of kind "O" such as polling stations
// bring to the receiving point, for benchmarks and tests of the receiving
// point's tools. Never part of an installation.
//
//   urnarium-gendata TABLES OUT --count N [--seed S]
//
// TABLES is a directory with the reference tables as urnarium-refdata builds
// them. N precincts are drawn from those the tables expect; each gets the
// expected number of voters give or take a few, the turnout of a European
// election, a few spoilt envelopes, the valid votes spread unevenly over the
// parties, preferential votes from part of each party's voters, and the
// control numbers, the closing record and the findings of the station's own
// check run as the program computes them before it exports. The same seed
// gives the same files.

#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "core/Errors.h"
#include "store/InstallDirs.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/ReferenceTables.h"
#include "store/Sealing.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using namespace urn;

namespace {

constexpr const char* kUsage = "Použití: urnarium-gendata TABULKY VÝSTUP --count N [--seed S]\n";

using Rng = std::mt19937_64;

double uniform(Rng& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}
int uniformInt(Rng& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

struct Party {
    int cislo = 0;
    int kandidatu = 0;
    double obliba = 0; // the party's share of the country's vote, before noise
};

// One voter's preferential votes: one or two different candidates of the
// party, the first places of the list drawing most of them.
void givePreferences(Rng& rng, TStranaVysl& s, int kandidatu) {
    std::vector<double> vahy;
    for (int k = 1; k <= kandidatu; ++k)
        vahy.push_back(1.0 / std::pow(k, 0.8));
    std::discrete_distribution<int> kandidat(vahy.begin(), vahy.end());
    const int first = kandidat(rng);
    ++s.pref(first + 1);
    if (kandidatu > 1 && uniform(rng, 0, 1) < 0.5) {
        int second = first;
        while (second == first)
            second = kandidat(rng);
        ++s.pref(second + 1);
    }
}

void fillResults(Rng& rng, TPrecinctRecord& r, const QList<Party>& parties, qint32 expected) {
    qint32 zakladni = expected > 0 ? expected : uniformInt(rng, 150, 1500);
    // Now and then the register differs much from what was expected (a new
    // housing estate, a closed hostel): the station's check warns of it.
    if (uniform(rng, 0, 1) < 0.03)
        zakladni = qint32(zakladni * uniform(rng, 0.6, 0.8));
    r.T2.ZapsOsoby = std::clamp(zakladni + uniformInt(rng, -5, 12), 1, 99999);
    r.T2.VydObalky =
        quint16(std::min(9999L, std::lround(r.T2.ZapsOsoby * uniform(rng, 0.2, 0.45))));
    r.T2.OdevzdObalky =
        quint16(r.T2.VydObalky - uniformInt(rng, 0, std::min<int>(2, r.T2.VydObalky)));
    r.T2.PlatneHlasy =
        quint16(r.T2.OdevzdObalky - std::lround(r.T2.OdevzdObalky * uniform(rng, 0.0, 0.015)));

    std::vector<double> vahy;
    for (const Party& p : parties)
        vahy.push_back(p.obliba * uniform(rng, 0.6, 1.4));
    std::discrete_distribution<int> strana(vahy.begin(), vahy.end());
    std::vector<int> hlasy(parties.size(), 0);
    for (int v = 0; v < r.T2.PlatneHlasy; ++v)
        ++hlasy[size_t(strana(rng))];
    for (qsizetype i = 0; i < parties.size(); ++i) {
        if (hlasy[size_t(i)] == 0)
            continue;
        const Party& p = parties.at(i);
        zaskrtniStranu(r, p.cislo, true);
        TStranaVysl& s = r.VyslStran(p.cislo);
        s.PocHl = quint16(hlasy[size_t(i)]);
        const double podil = uniform(rng, 0.2, 0.5);
        for (int v = 0; v < s.PocHl; ++v)
            if (p.kandidatu > 0 && uniform(rng, 0, 1) < podil)
                givePreferences(rng, s, p.kandidatu);
    }
}

// The record as the station's check command leaves it before the export:
// control numbers, the check run (its codes and flags go with the file), the
// closing record recomputed. False when the run found a blocking error; a
// station would not have exported such data.
bool completeAsExported(Rng& rng, TPrecinctRecord& r, const TSeznamStran& strany) {
    ProcDopoctiT2(r);
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p)
        if (r.T2.zaskrtnuta(p))
            ProcDopoctiT2P(r, strany, p);
    const TVstupTS vstup{
        QDateTime(QDate(2024, 6, 8), QTime(22, 0)).addSecs(uniformInt(rng, 0, 7200)),
        QString::number(uniformInt(rng, 1000000, 9999999)) + QStringLiteral("001"),
        QStringLiteral("17"), uniformInt(rng, 0, kNejvyssiNahodneCislo)};
    ProcDopoctiTS(r, strany, vstup);
    // Section III stays at the station and is complete there.
    const QList<TKomise> bezJmen;
    const TVysledekKontrol v = ProvedKontroly({r, strany, bezJmen}, CisChyb(), kVybranoKontrola,
                                              TRozsahKontrol{true, false});
    zapisPriznaky(v.Priznaky, r);
    if (v.StavKontrol.JsouChyby)
        return false;
    ProcDopoctiTS(r, strany, vstup);
    return true;
}

int generate(const QString& tables, const QString& out, qsizetype count, quint64 seed) {
    QString program = QDir(tables).absolutePath() + QLatin1Char('/');
    const QString data = QDir(out).absolutePath() + QLatin1Char('/');
    setInstallDirs({program, program, data});
    const ReferenceTablesInMemory inMemory;
    TSeznamStran strany;
    NactiStrany(strany);
    createErrorCatalogue(QList<TChybaInfo>{});
    // Files for benchmarks and tests, not a commission's work: no need to
    // wait for the disk after each.
    setSyncToDisk(false);

    QList<TAktOkrsek> precincts = expectedPrecincts(1000000);
    if (count > precincts.size())
        throw UrnariumError(
            QStringLiteral("Tabulky očekávají jen %1 okrsků.").arg(precincts.size()));
    Rng rng(seed);
    std::shuffle(precincts.begin(), precincts.end(), rng);
    precincts.resize(count);

    QList<Party> parties;
    for (const TStrana& s : strany.strany) {
        const int p = cisloStrany(s);
        if (p >= 1 && p <= kPocetStranVeZaznamu)
            parties.append({p, std::min(kPocetPrefHlasu, strToIntDef(s.PocetKand, 0)),
                            std::pow(0.8, double(parties.size())) * uniform(rng, 0.5, 1.5)});
    }
    if (parties.isEmpty())
        throw UrnariumError(QStringLiteral("Tabulky neuvádějí žádnou stranu."));

    const QByteArray key(kKlicDatovychSouboru);
    for (const TAktOkrsek& o : precincts) {
        TOkrsky entry;
        NajdiOkrsek(o.Obec, o.Okrsek, entry);
        TPrecinctRecord r;
        // Random results pass the blocking checks; tables that make every
        // result fail them would loop for ever.
        for (int attempt = 0;; ++attempt) {
            if (attempt == 100)
                throw UrnariumError(QStringLiteral("Pro okrsek %1/%2 nevznikla data bez chyb "
                                                   "(kódy chyb %3); jsou tabulky v pořádku?")
                                        .arg(o.Obec)
                                        .arg(o.Okrsek)
                                        .arg(r.TS.KodyChyb));
            r = TPrecinctRecord{};
            r.T2.TypVety = 1;
            r.T2.Okres = quint16(strToIntDef(entry.Okres, 9999));
            r.T2.Obec = o.Obec.toInt();
            r.T2.Okrsek = o.Okrsek;
            fillResults(rng, r, parties, OcekavaniVolici(o.Obec, o.Okrsek));
            if (completeAsExported(rng, r, strany))
                break;
        }
        storeSealed(QString(), data + dataFileName(kKindO, o), recordToLine(r, kKindO), key);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QStringList dirs;
    qsizetype count = -1;
    quint64 seed = 1;
    for (qsizetype i = 0; i < args.size(); ++i) {
        bool ok = true;
        if (args.at(i) == QLatin1String("--count") && i + 1 < args.size())
            count = args.at(++i).toLongLong(&ok);
        else if (args.at(i) == QLatin1String("--seed") && i + 1 < args.size())
            seed = args.at(++i).toULongLong(&ok);
        else if (!args.at(i).startsWith(QLatin1String("--")))
            dirs.append(args.at(i));
        else
            ok = false;
        if (!ok) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (dirs.size() != 2 || count < 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        if (!QDir().mkpath(dirs.at(1)))
            throw UrnariumError(QStringLiteral("Adresář %1 nelze vytvořit.").arg(dirs.at(1)));
        return generate(dirs.at(0), dirs.at(1), count, seed);
    } catch (const UrnariumError& e) {
        std::fprintf(stderr, "urnarium-gendata: %s\n", e.message().toUtf8().constData());
        return 1;
    }
}
