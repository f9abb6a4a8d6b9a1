#pragma once

// The auxiliary counting sheet for preferential votes, one landscape page
// per party.

#include <QString>

#include <functional>

namespace urn {

struct PrecinctSession;

// Shows the information window: caption, title, text ("\r" between lines).
using UkazInfo =
    std::function<void(const QString& caption, const QString& titulek, const QString& text)>;

inline constexpr const char* kScitaciArchCaption = "Sčítací arch";
// "Tisk pomocného sčítacího archu má 27 stran.": the pages of the sheet as
// the party list makes it.
QString TitulekScitacihoArchu(int stran);
inline constexpr const char* kScitaciArchText =
    "Pokud chcete tisknout jen vybrané stránky,\rjejich výběr provedete zadáním jejich rozsahu\r"
    "v Nastavení tiskárny (ikonka s tiskárnou)\rv preview tisku a potvrdíte tlačítkem OK.\r"
    "Vlastní tisk provedete stisknutím tlačítka Tisk.";

// The menu command "&Sčítací arch": the session's precinct becomes the
// station's, its party list and candidate table are read, the sheet is
// printed into the preview window, the notice tells how many pages it has,
// and the preview shows it.
void ScitaciArch(PrecinctSession& session, const UkazInfo& ukazInfo);
// The sheet of the session's precinct, party list and candidates into the
// preview window, shown there.
void TiskScitacihoArchu(const PrecinctSession& data);

} // namespace urn
