#include "EntryFixture.h"

#include "checks/CheckRules.h"
#include "checks/ControlNumbers.h"
#include "checks/ErrorCatalogue.h"
#include "entry/ErrorMessageWindow.h"
#include "store/PrecinctDataFile.h"
#include "store/RecordIO.h"
#include "store/SectionsFile.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace urn::test {

void RecordingProtocol::TiskProtokolu(const PrecinctSession& session) {
    ++calls;
    const TChybProt& protokol = session.ChybProt;
    for (int i = 0; i < protokol.count(); ++i)
        findings.append(protokol.VratChybu(i).Chyba);
}

HlaskaAnswerer::HlaskaAnswerer(TR_Vstupni_Form* okno) : m_okno(okno) {
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        THlaskaF* h = m_okno->hlaskaF();
        if (!h->isVisible())
            return;
        shown.append({h->ChybaL()->text(), h->HlaskaL()->text(), h->IgnorovatBtn()->text()});
        if (beforeAnswer)
            beforeAnswer();
        const bool o = opravit.isEmpty() ? true : opravit.takeFirst();
        (o ? h->OpravitBtn() : h->IgnorovatBtn())->click();
    });
    m_timer.start();
}

void EntryTest::SetUp() {
    writeTables();
    TStanice st = sampleStanice();
    inst.writeStanice(st);
    session.Stanice = st;
    QList<TChybaInfo> katalog;
    for (int n : {4, 5, 6, 7, 8, 9, 10, 15, 16, 18, 19, 91, 92, 93, 94, 95, 96, 97})
        katalog.append({n, QStringLiteral("C"), QStringLiteral("Text %1").arg(n)});
    createErrorCatalogue(katalog);
    // The tests look at what is on disk, not at how fast it gets there.
    setSyncToDisk(false);
}

void EntryTest::TearDown() {
    hlasky.reset();
    okno.reset();
    setSyncToDisk(true);
    session.ChybProt = TChybProt();
    freeErrorCatalogue();
}

void EntryTest::writeTables() {
    inst.writeOkrsky({{"582786", "Bílá Lhota u Kamenice", "1", "3", "3703", "Tábor"}});
    inst.writeStrany({{"1", "Strana první", "28"},
                      {"2", "Strana druhá", "15"},
                      {"3", "Strana třetí", "20"},
                      {"4", "Strana čtvrtá", "12"}});
    QList<TKandidat> kandidati;
    const int pocty[] = {28, 15, 20, 12};
    for (int p = 1; p <= 4; ++p)
        for (int k = 1; k <= pocty[p - 1]; ++k)
            kandidati.append({QString::number(p), QString::number(k),
                              QStringLiteral("Kandidát %1").arg(k),
                              QStringLiteral("Strany %1").arg(p),
                              (p == 1 && k == 5) ? QStringLiteral("N") : QStringLiteral("A")});
    inst.writeKandidati(kandidati);
    inst.writeOcekavani({{"582786", 2, 700}});
    inst.writeZvlastni({});
    writeCommission();
}

void EntryTest::writeCommission() {
    THlaso h;
    h.ClenuOVKC = QStringLiteral("5");
    h.ClenuOVKP = QStringLiteral("3");
    h.Zapisovat = QStringLiteral("Jana Nováková");
    h.PoverPred = QStringLiteral("Petr Svoboda");
    inst.writeDataFile(QStringLiteral("HLASO.RCD"), hlasoToBytes(h));
    inst.writeDataFile(
        QStringLiteral("KOMISE.RCD"),
        concat(QList<TKomise>{{QStringLiteral("Eva Malá")}, {QStringLiteral("Ivan Velký")}}));
}

void EntryTest::open() {
    if (!okno) {
        okno = std::make_unique<TR_Vstupni_Form>(session);
        okno->TiskProtokolu = [this](const PrecinctSession& s) { protocol.TiskProtokolu(s); };
        hlasky = std::make_unique<HlaskaAnswerer>(okno.get());
    }
    okno->show();
    okno->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(okno.get()));
    settle();
}

void EntryTest::closeWithoutSaving() {
    dlg.answers.append(true);
    key(Qt::Key_Escape);
    ASSERT_SOON(!okno->isVisible());
}

int EntryTest::page() const {
    return okno->R_TN_T2PR()->currentIndex();
}

void EntryTest::clickTab(int index) {
    QTabBar* bar = okno->R_TN_T2PR()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    settle();
}

void EntryTest::saveRecord(char kind, const QList<int>& strany) const {
    TSeznamStran seznam;
    NactiStrany(seznam);
    TPrecinctRecord r;
    r.T2.TypVety = 1;
    r.T2.Okres = 3703;
    r.T2.Obec = 582786;
    r.T2.Okrsek = 2;
    r.T2.ZapsOsoby = 700;
    r.T2.VydObalky = 530;
    r.T2.OdevzdObalky = 529;
    r.T2.PlatneHlasy = 525;
    for (int p : strany) {
        zaskrtniStranu(r, p, true);
        // The parties' votes add up to the valid votes.
        r.VyslStran(p).PocHl = quint16(p == strany.first() ? 525 - 10 * (strany.size() - 1) : 10);
        r.VyslStran(p).pref(1) = 3;
        ProcDopoctiT2P(r, seznam, p);
    }
    ProcDopoctiT2(r);
    UlozData(kind, {QStringLiteral("582786"), 2}, r);
}

QString EntryTest::fileName(char kind) const {
    return inst.dirs().data + dataFileName(kind, {QStringLiteral("582786"), 2});
}

bool EntryTest::fileExists(char kind) const {
    return QFileInfo::exists(fileName(kind));
}

TPrecinctRecord EntryTest::loadFile(char kind) const {
    TPrecinctRecord loaded;
    NactiData(kind, {QStringLiteral("582786"), 2}, loaded);
    loaded.Hlaso = hlasoFromBytes(inst.readFile(inst.dirs().data + QStringLiteral("HLASO.RCD")));
    return loaded;
}

} // namespace urn::test
