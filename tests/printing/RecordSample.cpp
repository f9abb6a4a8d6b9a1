#include "RecordSample.h"

#include "checks/PrecinctSession.h"

#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"

#include <QDateTime>
#include <QFile>

namespace urn::test {

namespace {

void zapis(const QString& path, const QByteArray& data) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

const char* const kNazvyStran[] = {
    "Hnutí zelené Evropy",
    "Unie pro venkov a spravedlivou budoucnost všech regionů České republiky",
    "Občanská aliance",
    "Strana moravského středu",
    "Koalice Spolu pro Evropu (SPOLU)",
};

const char* const kJmena[] = {
    "Mgr. Šárka Čermáková", "MUDr. Pavel Skála",  "Ing. Jiří Dvořák", "Bc. Lucie Nováková",
    "Petr Procházka",       "RNDr. Eva Kučerová", "Tomáš Veselý",     "Ing. arch. Jana Horáková",
    "Josef Černý",          "Alena Marková",      "Ondřej Růžička",
};

} // namespace

QString jmenoClena(int k) {
    const int n = int(std::size(kJmena));
    QString jmeno = QString::fromUtf8(kJmena[(k - 1) % n]);
    if (k > n)
        jmeno += QStringLiteral(" (%1)").arg(k);
    return jmeno;
}

void zapisTabulkyZapisu(const QString& programDir, PrecinctSession& session) {
    TOkrsky okrsek;
    okrsek.Obec = QStringLiteral("582786");
    okrsek.NazevObce = QStringLiteral("Bílá Lhota u Kamenice");
    okrsek.OkrsekOd = QStringLiteral("1");
    okrsek.OkrsekDo = QStringLiteral("3");
    okrsek.Okres = QStringLiteral("3646");
    okrsek.NazevOkresu = QStringLiteral("Blansko");
    TOkrsky jiny = okrsek;
    jiny.Obec = QStringLiteral("500011");
    jiny.NazevObce = QStringLiteral("Černá Voda");
    jiny.NazevOkresu = QStringLiteral("Jeseník");
    zapis(programDir + QStringLiteral("OKRSKY.RCD"), jiny.toRecord() + okrsek.toRecord());

    // Numbers 30 down to 1: the list's order is not the parties' order.
    QByteArray strany;
    for (int p = 30; p >= 1; --p) {
        TStrana s;
        s.CisloStrany = QString::number(p);
        s.NazevStrany = p <= int(std::size(kNazvyStran))
                            ? QString::fromUtf8(kNazvyStran[p - 1])
                            : QStringLiteral("Volební strana %1").arg(p);
        s.PocetKand = QStringLiteral("28");
        strany.append(s.toRecord());
    }
    zapis(programDir + QStringLiteral("STRANY.RCD"), strany);
    NactiStrany(session.SeznamStran);
}

void vzorovyZapis(PrecinctSession& session, const VzorZapisu& vzor) {
    TPrecinctRecord& r = session.PrecinctRecord;
    r = TPrecinctRecord{};
    TVetaT2& t2 = r.T2;
    t2.TypVety = 1;
    t2.Okres = 3646;
    t2.Obec = 582786;
    t2.Okrsek = 2;
    t2.ZapsOsoby = 812;
    t2.VydObalky = 530;
    t2.OdevzdObalky = 529;
    t2.PlatneHlasy = 525;
    ProcDopoctiT2ZakrStrana(r, vzor.strany);
    ProcDopoctiT2(r);
    int zbyva = t2.PlatneHlasy;
    for (int i = 0; i < vzor.strany.size(); ++i) {
        const int p = vzor.strany.at(i);
        zaskrtniStranu(r, p, true);
        TStranaVysl& s = r.VyslStran(p);
        const int hlasy = i + 1 == vzor.strany.size() ? zbyva : qMin(zbyva, 40 + 17 * i);
        zbyva -= hlasy;
        s.PocHl = quint16(hlasy);
        // A varied pattern with gaps: candidates without votes get blanks.
        for (int k = 1; k <= 28; ++k)
            s.pref(k) = quint16((k * 7 + p * 3) % 5 == 0 ? 0 : (k * 13 + p) % (hlasy / 2 + 1));
        ProcDopoctiT2P(r, session.SeznamStran, p);
    }
    TVstupTS vstup;
    vstup.ted = QDateTime(QDate(2024, 6, 8), QTime(14, 20, 5));
    vstup.IdStanice = session.Stanice.IdStanice;
    vstup.VerzeOS = session.Stanice.VerzeOS;
    vstup.NahodneCislo = 123456;
    ProcDopoctiTS(r, session.SeznamStran, vstup);

    THlaso& h = r.Hlaso;
    h.DatumVoleb = QStringLiteral("07.06.2024");
    h.Zahajeno1 = QStringLiteral("14:00");
    h.Ukonceno1 = QStringLiteral("22:00");
    h.Zahajeno2 = QStringLiteral("08:00");
    h.Ukonceno2 = QStringLiteral("14:00");
    h.Odroc = QStringLiteral("N");
    h.Prodl = QStringLiteral("N");
    h.Prerus = QStringLiteral("N");
    h.Stizn = QStringLiteral("N");
    h.Schranka = QStringLiteral("B");
    h.ClenuOVKC = QString::number(vzor.clenu + 2);
    h.ClenuOVKP = QString::number(vzor.clenu + 1);
    h.Ostatni = QStringLiteral("Jan Pokorný (pozorovatel)");
    h.PoverPred = QStringLiteral("Ing. Jiří Dvořák");
    h.Zapisovat = QStringLiteral("Marie Dvořáková");

    QList<TKomise>& jmena = session.JmenaKomise;
    jmena.clear();
    for (int k = 1; k <= vzor.clenu; ++k)
        jmena.append({jmenoClena(k)});

    createErrorCatalogue({
        {5, QStringLiteral("P"), QStringLiteral("Přednostní hlasy převyšují hlasy strany")},
        {11, QStringLiteral("C"), QStringLiteral("Obálek odevzdáno více než vydáno")},
        {92, QStringLiteral("U"), QStringLiteral("Neobvykle vysoká účast voličů")},
        {96, QStringLiteral("U"), QStringLiteral("Neobvyklý počet voličů")},
    });
    TChybProt protokol(CisChyb());
    protokol.PridejChybu(0, 92, QStringLiteral("98 %"));
    protokol.PridejChybu(0, 11);
    protokol.PridejChybu(5, 5, QStringLiteral("31"));
    protokol.PridejChybu(0, 96);
    session.ChybProt = protokol;
}

} // namespace urn::test
