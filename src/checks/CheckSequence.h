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

} // namespace urn
