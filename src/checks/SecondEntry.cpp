#include "checks/SecondEntry.h"

#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/SecondEntryState.h"

#include <QCryptographicHash>

namespace urn {

namespace {

qint64 poctyOddII(const TVetaT2& t2, int i) {
    switch (i) {
    case 0:
        return t2.ZapsOsoby;
    case 1:
        return t2.VydObalky;
    case 2:
        return t2.OdevzdObalky;
    default:
        return t2.PlatneHlasy;
    }
}

constexpr TUdajZadani kUdajeOddII[4] = {TUdajZadani::ZapsOsoby, TUdajZadani::VydObalky,
                                        TUdajZadani::OdevzdObalky, TUdajZadani::PlatneHlasy};

} // namespace

QString nazevPoctuOddII(int index) {
    switch (index) {
    case 0:
        return QStringLiteral("Počet osob zapsaných do výpisu ze seznamu voličů");
    case 1:
        return QStringLiteral("Počet voličů, kterým byly vydány úřední obálky");
    case 2:
        return QStringLiteral("Počet odevzdaných úředních obálek");
    default:
        return QStringLiteral("Počet platných hlasů");
    }
}

QList<TRozdil> porovnejZadani(const TPrecinctRecord& a, const TPrecinctRecord& b) {
    QList<TRozdil> rozdily;
    auto porovnej = [&](TUdajZadani udaj, int strana, int kandidat, qint64 x, qint64 y) {
        if (x != y)
            rozdily.append({udaj, strana, kandidat, x, y});
    };
    for (int i = 0; i < 4; ++i)
        porovnej(kUdajeOddII[i], 0, 0, poctyOddII(a.T2, i), poctyOddII(b.T2, i));
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p) {
        const bool va = a.T2.zaskrtnuta(p);
        const bool vb = b.T2.zaskrtnuta(p);
        porovnej(TUdajZadani::Zaskrtnuti, p, 0, va, vb);
        // A party ticked in one entry only has no sheet in the other: its
        // tick is the difference.
        if (!va || !vb)
            continue;
        const TStranaVysl& sa = a.VyslStran(p);
        const TStranaVysl& sb = b.VyslStran(p);
        porovnej(TUdajZadani::PocHl, p, 0, sa.PocHl, sb.PocHl);
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            porovnej(TUdajZadani::PrefHlasy, p, k, sa.pref(k), sb.pref(k));
        porovnej(TUdajZadani::PoslKand, p, 0, sa.T2PPoslKand, sb.T2PPoslKand);
    }
    return rozdily;
}

QString popisUdaje(const TRozdil& r) {
    const QString strana = QStringLiteral("Strana %1").arg(r.strana);
    switch (r.udaj) {
    case TUdajZadani::ZapsOsoby:
    case TUdajZadani::VydObalky:
    case TUdajZadani::OdevzdObalky:
    case TUdajZadani::PlatneHlasy:
        return nazevPoctuOddII(int(r.udaj) - int(TUdajZadani::ZapsOsoby));
    case TUdajZadani::Zaskrtnuti:
        return strana + QStringLiteral(" – zaškrtnutí (alespoň jeden platný hlas)");
    case TUdajZadani::PocHl:
        return strana + QStringLiteral(" – hlasy pro stranu");
    case TUdajZadani::PrefHlasy:
        return strana + QStringLiteral(", kandidát %1 – přednostní hlasy").arg(r.kandidat);
    case TUdajZadani::PoslKand:
        return strana + QStringLiteral(" – poslední kandidát s přednostními hlasy");
    }
    return QString();
}

QString textHodnoty(const TRozdil& r, qint64 hodnota) {
    if (r.udaj == TUdajZadani::Zaskrtnuti)
        return hodnota ? QStringLiteral("zaškrtnuta") : QStringLiteral("nezaškrtnuta");
    return QString::number(hodnota);
}

QByteArray otiskZadani(const TPrecinctRecord& r) {
    // Every compared value in a fixed order, each ended by a separator, so
    // that no two records give the same text.
    QByteArray text = "Obec=" + QByteArray::number(r.T2.Obec) +
                      ";Okrsek=" + QByteArray::number(r.T2.Okrsek) + ';';
    for (int i = 0; i < 4; ++i)
        text += QByteArray::number(poctyOddII(r.T2, i)) + ';';
    for (int p = 1; p <= kPocetStranVeZaznamu; ++p) {
        if (!r.T2.zaskrtnuta(p)) {
            text += "-;";
            continue;
        }
        const TStranaVysl& s = r.VyslStran(p);
        text += QByteArray::number(s.PocHl) + ':';
        for (int k = 1; k <= kPocetPrefHlasu; ++k)
            text += QByteArray::number(s.pref(k)) + ',';
        text += QByteArray::number(s.T2PPoslKand) + ';';
    }
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256);
}

bool nactiUlozenyZaznam(const TAktOkrsek& okrsek, TPrecinctRecord& record) {
    const bool o = dataFileExists(kKindO, okrsek);
    if (!o && !dataFileExists(kKindE, okrsek))
        return false;
    NactiData(o ? kKindO : kKindE, okrsek, record);
    return true;
}

TStavKZ stavKontrolnihoZadani(const TAktOkrsek& okrsek) {
    // Whatever cannot be read or does not match says the same: the second
    // entry of this record is still to be done.
    try {
        if (!secondEntryStateExists())
            return {};
        const SecondEntryState s = readSecondEntryState();
        if (s.okrsek.Obec != okrsek.Obec || s.okrsek.Okrsek != okrsek.Okrsek)
            return {};
        TPrecinctRecord ulozeny;
        if (!nactiUlozenyZaznam(okrsek, ulozeny) || otiskZadani(ulozeny) != s.otisk)
            return {};
        if (s.rozdilu == 0)
            return {TVysledekKZ::Shoda, 0};
        return {TVysledekKZ::Rozdily, s.rozdilu};
    } catch (const UrnariumError&) {
        return {};
    }
}

void zapisKontrolniZadani(const TAktOkrsek& okrsek, const TPrecinctRecord& ulozeny, int rozdilu) {
    writeSecondEntryState({okrsek, rozdilu, otiskZadani(ulozeny)});
}

QString textStavuKZ(const TStavKZ& stav) {
    const QString zacatek = QStringLiteral("Kontrolní zadání: ");
    switch (stav.vysledek) {
    case TVysledekKZ::Shoda:
        return zacatek + QStringLiteral("shoda");
    case TVysledekKZ::Rozdily:
        return zacatek + QStringLiteral("rozdíly (%1)").arg(stav.rozdilu);
    case TVysledekKZ::Neprovedeno:
        break;
    }
    return zacatek + QStringLiteral("neprovedeno");
}

} // namespace urn
