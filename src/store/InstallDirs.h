#pragma once

#include <QString>
#include <QStringList>

namespace urn {

// The three directories of an installation. Each ends with "/" (or is empty,
// when the program path had no directory part, meaning the current one).
struct InstallDirs {
    QString program; // reference tables, CISCHYB.RCD, Export/, stanice.rcd
    QString config;  // STANICE.RCD as rewritten, data.temp and data.comp
    QString data;    // STANICE.RCD as read at start, data files, HLASO.RCD, KOMISE.RCD
};

enum class StartupLayout {
    SingleStation, // "stanice.rcd" beside the program
    MultiStation,  // one parameter naming a subdirectory of data/ with STANICE.RCD
    MissingConfig, // the parameter's directory has no STANICE.RCD (or names no safe directory)
    NoParameter    // no stanice.rcd and not exactly one parameter
};

struct StartupDecision {
    StartupLayout layout = StartupLayout::NoParameter;
    InstallDirs dirs;
};

inline constexpr const char* kMsgMissingConfig =
    "Nenalezen konfigurační soubor!!!\r\rProgram bude ukončen - proveďte novou instalaci!!!";
inline constexpr const char* kMsgNoParameter =
    "Program je nutno pouštět ikonou na ploše nebo z nabídky Start!";
inline constexpr const char* kCaptionStartup = "Spuštění aplikace";

// Decides the installation layout from the executable's path and the
// command-line parameters (without the program name).
StartupDecision decideLayout(const QString& executablePath, const QStringList& parameters);

// A station parameter may only name one directory below data/: no path
// separators, no "." or "..", not empty.
bool isSafeStationName(const QString& parameter);

// The directories every other module reads. Set once at start; tests set their
// own.
const InstallDirs& installDirs();
void setInstallDirs(const InstallDirs& dirs);

// File names are matched without regard to case, as on the platform the data
// files come from: returns dir + the name of the existing entry that matches
// `name` case-insensitively, or dir + name when none does (so that creating
// or reporting the file uses the name as given). `name` may hold several
// components separated by "/"; each is matched on its own.
QString findFileNoCase(const QString& dir, const QString& name);

// Convenience: the path of a file in one of the three directories.
QString programFile(const QString& name);
QString configFile(const QString& name);
QString dataFile(const QString& name);

} // namespace urn
