#pragma once

// The check sequence: the station's saved precinct checked from disk, as the
// check command, the save of the data-entry window and the export command
// run it; and the check command of the main window without its window.

#include <QString>

namespace urn {

class TChybProt;
struct TPrecinctRecord;
struct TStanice;

// Where the check protocol of a check run goes. The printing library
// registers its printout into the preview window; until one is registered
// the protocol is shown as text in an information box (caption
// "Protokol o kontrolách").
class ProtocolOutput {
public:
    virtual ~ProtocolOutput();
    // The protocol of the run that just ended, the record as it was checked
    // (identification, T2KC_1 and KontrSoucetTS for the heading and the
    // footer) and the station configuration (NazevObce).
    virtual void TiskProtokolu(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                               const TStanice& stanice) = 0;
};

// The output in use; registering nullptr returns to the text form. Not owned.
ProtocolOutput& protocolOutput();
void setProtocolOutput(ProtocolOutput* output);

// The protocol as plain text: heading with the precinct's identification,
// the findings in protocol order grouped under "Strana: n" like the
// printout ("<number> - <catalogue text> <parameter>"), or "Nebyly zjištěny
// žádné chyby", then KodyChyb of the closing record. Lines end with "\n".
QString protocolText(const TChybProt& protokol, const TPrecinctRecord& zaznam,
                     const TStanice& stanice);

// Loads the station's saved precinct as a check sees it: AktOkrsek becomes
// the station's precinct; record types 1 to 3 are cleared and the data file
// of kind "O" is loaded when it exists, of kind "E" otherwise; sections I and
// III from HLASO.RCD; the party list from STRANY.RCD; and, when more than one
// member is present, as many names of the commission as are present, taken
// from KOMISE.RCD when that holds any. Raises UrnariumError (InOutError,
// ConvertError) when a file cannot be read.
void loadStationPrecinct();

// The check sequence, for the command named by the workflow's Vybrano, which
// the caller sets first: loads the station's saved precinct, runs the full
// check run, marks the station's data as not exported (ZapisStav "N"), sets
// KontrolyOK and ExportOK, and for Vybrano 2 or 5 hands the protocol to
// protocolOutput(). Writes no data file: the caller saves what it decides.
// A file that cannot be read raises UrnariumError; KontrolyOK and ExportOK
// then keep their values.
void Kontroly();

// The main window's check command ("&Kontroly", F3), without the window:
// after an export it asks first (No ends it); with no saved data it warns
// "Data nejsou pořízena!" and sets DataOK false; otherwise Vybrano := 5,
// Kontroly, the closing record recomputed, and the data saved as kind "E"
// when the run found blocking errors (the file of kind "O" then removed), as
// kind "O" otherwise. Messages go through dialogs(). Returns true when the
// check ran. File errors raise UrnariumError for the general error handler.
bool runCheckCommand();

// Texts of the check command.
inline constexpr const char* kCaptionVstupDat = "Vstup dat za okrsek";
inline constexpr const char* kOtazkaZnovuKontrolovat =
    "Data okrsku byla již vyexportována.\rV případě opakovaných kontrol budete muset zopakovat "
    "export dat i tisk zápisu.\rChcete opravdu znovu zkontrolovat data?";
inline constexpr const char* kCaptionKontrolaDat = "Kontrola dat";
inline constexpr const char* kDataNejsouPorizena = "Data nejsou pořízena!";

} // namespace urn
