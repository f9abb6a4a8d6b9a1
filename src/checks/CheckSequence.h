#pragma once

// The check sequence: the station's saved precinct checked from disk, as the
// check command, the save of the data-entry window and the export command
// run it.

#include "checks/Workflow.h"

#include <QString>

namespace urn {

class TChybProt;
struct PrecinctSession;
struct TPrecinctRecord;
struct TStanice;

// The protocol as plain text: heading with the precinct's identification,
// the findings in protocol order grouped under "Strana: n" like the
// printout ("<number> - <catalogue text> <parameter>"), or "Nebyly zjištěny
// žádné chyby", then KodyChyb of the closing record. Lines end with "\n".
QString protocolText(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                     const TStanice& stanice);

// Loads the station's saved precinct into the session as a check sees it:
// AktOkrsek becomes the station's precinct; record types 1 to 3 are cleared
// and the data file of kind "O" is loaded when it exists, of kind "E"
// otherwise; sections I and III from HLASO.RCD; the party list from
// STRANY.RCD; and, when more than one member is present, as many names of
// the commission as are present, taken from KOMISE.RCD when that holds any.
// Raises UrnariumError (InOutError, ConvertError) when a file cannot be read.
void loadStationPrecinct(PrecinctSession& session);

// The check sequence, for the command `vybrano`: loads the station's saved
// precinct, runs the full check run over the error catalogue and takes its
// result into the session, marks the station's data as not exported
// (ZapisStav "N"), and sets KontrolyOK and ExportOK. Prints nothing: the
// check command and the save of the data-entry window print the protocol
// themselves; and writes no data file: the caller saves what it decides. A
// file that cannot be read raises UrnariumError; KontrolyOK, ExportOK and
// the last run's protocol and flags then keep their values.
void Kontroly(PrecinctSession& session, TVybrano vybrano);

// Texts of the check command.
inline constexpr const char* kCaptionVstupDat = "Vstup dat za okrsek";
inline constexpr const char* kOtazkaZnovuKontrolovat =
    "Data okrsku byla již vyexportována.\rV případě opakovaných kontrol budete muset zopakovat "
    "export dat i tisk zápisu.\rChcete opravdu znovu zkontrolovat data?";
inline constexpr const char* kCaptionKontrolaDat = "Kontrola dat";
inline constexpr const char* kDataNejsouPorizena = "Data nejsou pořízena!";

} // namespace urn
