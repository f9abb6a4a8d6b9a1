#pragma once

// The numbered checks of the precinct record and the full check run.
//
// Every check has a two-digit number. Its class follows from the number
// alone: 04 to 10 are passable errors, 91 to 98 warnings, every other number
// an error that blocks the export and the printing of the record.
//
// A check is a question about its inputs: it returns true when it passes and
// changes nothing. Party checks take the party number (1..60). Where a check
// has an out argument it receives the value the checked field should hold,
// for the data-entry window to show. Recording a failure (its code into the
// closing record's KodyChyb, an outcome flag, the error flag of the record it
// concerns, a protocol entry) is the full run's business, done the same way
// for every check from one table; the data-entry window records the few
// checks it asks that have no silent form with ZaznamenejChybu.
//
// The checks read the record, the party list in memory, the names of the
// commission and the reference tables, which every lookup reads anew.

#include "checks/ErrorCatalogue.h"
#include "checks/Workflow.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"

#include <QString>

#include <array>

namespace urn {

enum class TridaChyby { Chyba, Propustitelna, Upozorneni };
// The class of an error number.
TridaChyby tridaChyby(int cislo);
// The two-digit code of an error number ("04").
QString kodChyby(int cislo);

// The text without blanks and control characters at either end, as the
// commission's count and name fields are judged.
QString orizni(const QString& text);

// What recording failures leaves besides the record and the protocol.
struct TStavKontrol {
    bool JsouChyby = false;         // an error was recorded
    bool JsouPropustitelne = false; // a passable error was recorded
    bool JsouUpozorneni = false;    // a warning was recorded
    QString ParamKontroly98;        // parameter text of the last check 98 of a run
    QString ParamKontroly39;        // parameter text of the last check 39 of a run
};

// What the checks read.
struct TVstupKontrol {
    const TPrecinctRecord& PrecinctRecord;
    const TSeznamStran& SeznamStran;   // the party list in memory, in its order
    const QList<TKomise>& JmenaKomise; // the names of the other members present
};

// The record a failure concerns.
inline constexpr int kVetaTS = -1; // the closing record
inline constexpr int kVetaT2 = 0;  // record type 1
// 1..50: the Annex 1 sheet of that party number.

// Records a failure of the check with the two-character code iKod for the
// record iVeta (see above; any other value marks no record): the code into
// the record's KodyChyb, the outcome flag of its class and, unless it is a
// warning, the error flag of the record.
void ZaznamenejChybu(TPrecinctRecord& record, TStavKontrol& stav, const QString& iKod, int iVeta);

// ---- record type 1 ----
bool Kontrola01(const TVstupKontrol& v);
// oNalezeny receives the precinct-list entry the lookup read (check 72
// compares the district codes with it).
bool Kontrola02(const TVstupKontrol& v, TOkrsky* oNalezeny = nullptr);
bool Kontrola03(const TVstupKontrol& v, qint64* oSpravne = nullptr);
bool Kontrola04(const TVstupKontrol& v);
bool Kontrola05(const TVstupKontrol& v);
bool Kontrola06(const TVstupKontrol& v);
bool Kontrola07(const TVstupKontrol& v);
bool Kontrola08(const TVstupKontrol& v);
bool Kontrola09(const TVstupKontrol& v);
bool Kontrola10(const TVstupKontrol& v);
bool Kontrola11(const TVstupKontrol& v, qint64* oSpravne = nullptr);
bool Kontrola16(const TVstupKontrol& v);

// ---- Annex 1 sheets ----
bool Kontrola12(const TVstupKontrol& v, int iEStrana);
bool Kontrola13(const TVstupKontrol& v, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola14(const TVstupKontrol& v, int iEStrana);
bool Kontrola15(const TVstupKontrol& v, int iEStrana);
bool Kontrola17(const TVstupKontrol& v, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola18(const TVstupKontrol& v, int iEStrana, int iKandidat);
bool Kontrola19(const TVstupKontrol& v, int iEStrana, qint64* oSoucet = nullptr);
bool Kontrola20(const TVstupKontrol& v, int iEStrana, int iKandidat);
bool Kontrola21(const TVstupKontrol& v, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola22(const TVstupKontrol& v, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola23(const TVstupKontrol& v, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola24(const TVstupKontrol& v, int iEStrana);
// An unticked party whose sheet holds votes. The full run asks it for every
// party of the list that is not ticked.
bool Kontrola41(const TVstupKontrol& v, int iEStrana);
bool Kontrola42(const TVstupKontrol& v, int iEStrana);

// ---- the whole record: record type 1, every ticked sheet, the closing record ----
bool Kontrola62(const TVstupKontrol& v);
bool Kontrola63(const TVstupKontrol& v);
bool Kontrola64(const TVstupKontrol& v);
// `nalezeny`: the precinct-list entry of check 02.
bool Kontrola72(const TVstupKontrol& v, const TOkrsky& nalezeny);

// ---- the closing record ----
bool Kontrola66(const TVstupKontrol& v);
bool Kontrola67(const TVstupKontrol& v);
bool Kontrola68(const TVstupKontrol& v);
bool Kontrola69(const TVstupKontrol& v);
bool Kontrola70(const TVstupKontrol& v);
bool Kontrola76(const TVstupKontrol& v);
bool Kontrola77(const TVstupKontrol& v);

// ---- warnings ----
bool Kontrola91(const TVstupKontrol& v);
bool Kontrola92(const TVstupKontrol& v);
bool Kontrola93(const TVstupKontrol& v);
bool Kontrola94(const TVstupKontrol& v);
bool Kontrola95(const TVstupKontrol& v);
// oOcekavani receives the expected number of registered voters (0 unknown).
bool Kontrola96(const TVstupKontrol& v, qint32* oOcekavani = nullptr);
bool Kontrola97(const TVstupKontrol& v);
// oParam receives the parameter text of the finding, empty when it passes.
bool Kontrola98(const TVstupKontrol& v, QString* oParam = nullptr);

// ---- section III ----
// oParam receives "Nalezené problémy: " and what was found, also when the
// check passes (then nothing follows the colon).
bool Kontrola39(const TVstupKontrol& v, QString* oParam = nullptr);

// ---- the full run ----

// What a run may consult besides the data file's own record. The program
// always has everything; a data file examined on its own, away from its
// station (at the receiving point), lacks the station's section III and may
// lack the reference tables.
struct TRozsahKontrol {
    // The reference tables of the program directory and the party list in
    // memory. Without them the checks that ask the tables (01, 02, 12, 14,
    // 20, 24, 41, 72 and 96) are not run, the expected number of voters
    // counts as unknown (check 93 then runs, as it does when the tables know
    // none), and the parties visited are the ticked ones in ascending number.
    bool tabulky = true;
    // Section III and the commission's names (check 39).
    bool oddilIII = true;
};

// What a run writes into the record it checked: the codes of its findings
// and the error flags of the records.
struct TPriznakyChyb {
    QString KodyChyb;
    quint16 T2Chyba = 0;
    std::array<quint16, kPocetStranVeZaznamu> T2PChyba{}; // T2PChyba[p - 1] is party p's
    quint16 TSChyba = 0;
};

// What a full run found.
struct TVysledekKontrol {
    TChybProt ChybProt;       // the findings in protocol order
    TStavKontrol StavKontrol; // the outcome flags and the parameter texts
    TPriznakyChyb Priznaky;   // for the record checked
    // The kind of data file the checked record is saved as: "E" when an
    // error blocks the export, "O" otherwise.
    char druhUlozeni() const;
};

// The full check run over `v` within `rozsah`, in the order and with the
// recording of the table in CheckRules.cpp; the protocol is over `katalog`,
// which must outlive it. The error flags of the record start from 0 when
// `vybrano` is 5 (check command or save), otherwise from the values the data
// were saved with. A reference table that cannot be read raises
// UrnariumError; nothing has been recorded then.
TVysledekKontrol ProvedKontroly(const TVstupKontrol& v, const TCisChyb& katalog, TVybrano vybrano,
                                const TRozsahKontrol& rozsah = {});
// The run's codes and error flags into the record it checked.
void zapisPriznaky(const TPriznakyChyb& priznaky, TPrecinctRecord& record);

} // namespace urn
