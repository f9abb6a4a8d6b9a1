#pragma once

// The printouts as the program's commands print them: each is drawn into the
// page store of the preview window it is given and shown there modally; the
// record's copies go straight to the printer first. The time a printout
// carries is the time of the call unless the caller gives one.

#include "printing/CheckProtocol.h"
#include "printing/CountingSheet.h"
#include "printing/RecordPrintout.h"
#include "printing/TestPage.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace urn {

class TpreviewF;
struct TStanice;

// Prints the record: `pocetKopii` copies directly (0 and 1 print one), each
// its own print job titled "QZT2.pdf", then the same document into the
// preview window, shown modally. Without a printer the user is told and
// offered the print dialog; the preview comes in every case.
void TiskZapisu(const TUdajeZapisu& udaje, TpreviewF& okno, int pocetKopii,
                const QDateTime& cas = QDateTime::currentDateTime());

// Draws the check protocol into the preview window and shows it.
void TiskProtokolu(const TUdajeProtokolu& udaje, TpreviewF& okno,
                   const QDateTime& cas = QDateTime::currentDateTime());

// Shows the information window: caption, title, text ("\r" between lines).
using UkazInfo =
    std::function<void(const QString& caption, const QString& titulek, const QString& text)>;

// The menu command "&Sčítací arch" with the station's precinct, the party
// list and the candidate table read: the sheet is printed into the preview
// window, the notice tells how many pages it has, and the preview shows it.
void ScitaciArch(const TUdajeArchu& udaje, TpreviewF& okno, const UkazInfo& ukazInfo,
                 const QDateTime& cas = QDateTime::currentDateTime());
// The sheet into the preview window, shown there.
void TiskScitacihoArchu(const TUdajeArchu& udaje, TpreviewF& okno,
                        const QDateTime& cas = QDateTime::currentDateTime());

// The facts of the running system, the station, the preview window and the
// chosen printer.
TProstrediTisku ZjistiProstredi(const TStanice& stanice, const TpreviewF& okno);
// The menu command "&Zkušební tisk".
void TiskZkusebniStrany(const TStanice& stanice, TpreviewF& okno);
void TiskZkusebniStrany(const TProstrediTisku& prostredi, TpreviewF& okno,
                        const QDateTime& cas = QDateTime::currentDateTime());

} // namespace urn
