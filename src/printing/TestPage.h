#pragma once

// The printer test page: what the station's system and printer are.

#include <QChar>
#include <QString>

namespace urn {

struct TStanice;

// What the test page tells about the station's system.
struct TProstrediTisku {
    QString System;       // the operating system as printed
    QString PriponaPisma; // the station's font suffix
    QString Tiskarna;     // the selected printer
    QString Fonty; // the printer's fonts found among the program's, e.g. "Arial, Courier New, "
    int OknoPpi = 96;
    int OknoSirka = 0;
    int OknoVyska = 0;
    int ObrazovkaPpi = 96;
};

// The facts of the running system, the station, the preview window and the
// chosen printer.
TProstrediTisku ZjistiProstredi(const TStanice& stanice);

// The operating system as the runtime reports it.
struct TInfoSystemu {
    QString ProductName; // empty when unknown
    bool Windows = false;
    bool PlatformNT = false;
    int Major = 0;
    int Minor = 0;
    QString ServicePack;
    QString Jadro; // kernel type and version of other systems
};
TInfoSystemu InfoSystemu();
QString NazevWindows(bool platformNT, int major, int minor, const QString& verzeOS);
QString TextSystemu(const TInfoSystemu& info, const QString& verzeOS);

// The program's fonts in a delimited font list (quoted names with spaces).
QString NalezeneFonty(const QString& seznam, QChar oddelovac = QLatin1Char(','),
                      QChar uvozovky = QLatin1Char('"'));
// The fonts the printing system offers, as one delimited text.
QString SeznamFontuTiskarny();

inline constexpr const char* kEmailUradu = "podpora.volby@example.cz";

// The menu command "&Zkušební tisk" on the station's system.
void TiskZkusebniStrany(const TStanice& stanice);
void TiskZkusebniStrany(const TProstrediTisku& prostredi);

} // namespace urn
