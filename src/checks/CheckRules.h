#pragma once

// The numbered checks of the precinct record and the full check run.
//
// Every check has a two-digit number. Its class follows from the number
// alone: 04 to 10 are passable errors, 91 to 98 warnings, every other number
// an error that blocks the export and the printing of the record.
//
// A check returns true when it passes. The checks with a first argument
// iTiche only report when it is true (the data-entry window asks them while
// the commission types); otherwise, and always for the checks without it, a
// failure is recorded: its code goes into the closing record's KodyChyb, it
// sets an outcome flag and, unless it is a warning, the error flag of the
// record it concerns. Party checks take the party number (1..60). Where a
// check has an out argument it receives the value the checked field should
// hold, for the data-entry window to show.
//
// The checks read the program's record (PrecinctRecord), the party list in
// memory (SeznamStran), the names of the commission (JmenaKomise) and the
// reference tables, which every lookup reads anew.

#include "store/ReferenceTables.h"

#include <QString>

namespace urn {

enum class TridaChyby { Chyba, Propustitelna, Upozorneni };
// The class of an error number.
TridaChyby tridaChyby(int cislo);
// The two-digit code of an error number ("04").
QString kodChyby(int cislo);

// The text without blanks and control characters at either end, as the
// commission's count and name fields are judged.
QString orizni(const QString& text);

// What a run and the recording leave behind, besides the record and the
// protocol.
struct TStavKontrol {
    bool JsouChyby = false;         // an error was recorded
    bool JsouPropustitelne = false; // a passable error was recorded
    bool JsouUpozorneni = false;    // a warning was recorded
    QString ParamKontroly98;        // parameter text of the last check 98
    QString ParamKontroly39;        // parameter text of the last check 39
    // The precinct-list entry of the latest precinct lookup (check 02 or the
    // data-entry window's own); check 72 compares the district codes with it.
    TOkrsky NalezenyOkrsek;
};
TStavKontrol& StavKontrol();

// The record a failure concerns.
inline constexpr int kVetaTS = -1; // the closing record
inline constexpr int kVetaT2 = 0;  // record type 1
// 1..50: the Annex 1 sheet of that party number.

// Records a failure of the check with the two-character code iKod for the
// record iVeta (see above; any other value marks no record).
void ZaznamenejChybu(const QString& iKod, int iVeta);

// ---- record type 1 ----
bool Kontrola01(bool iTiche);
bool Kontrola02(bool iTiche);
bool Kontrola03(bool iTiche, qint64* oSpravne = nullptr);
bool Kontrola04(bool iTiche);
bool Kontrola05(bool iTiche);
bool Kontrola06(bool iTiche);
bool Kontrola07(bool iTiche);
bool Kontrola08(bool iTiche);
bool Kontrola09(bool iTiche);
bool Kontrola10(bool iTiche);
bool Kontrola11(bool iTiche, qint64* oSpravne = nullptr);
bool Kontrola16();

// ---- Annex 1 sheets ----
bool Kontrola12(int iEStrana);
bool Kontrola13(int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola14(int iEStrana);
bool Kontrola15(bool iTiche, int iEStrana);
bool Kontrola17(bool iTiche, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola18(bool iTiche, int iEStrana, int iKandidat);
bool Kontrola19(bool iTiche, int iEStrana, qint64* oSoucet = nullptr);
bool Kontrola20(int iEStrana, int iKandidat);
bool Kontrola21(bool iTiche, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola22(bool iTiche, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola23(bool iTiche, int iEStrana, qint64* oSpravne = nullptr);
bool Kontrola24(bool iTiche, int iEStrana);
// An unticked party whose sheet holds votes. The full run asks it for every
// party of the list that is not ticked.
bool Kontrola41(int iEStrana);
bool Kontrola42(int iEStrana);

// ---- the whole record; these add their own protocol entries ----
bool Kontrola62();
bool Kontrola63();
bool Kontrola64();
bool Kontrola72();
bool Kontrola76();

// ---- the closing record ----
bool Kontrola66();
bool Kontrola67();
bool Kontrola68();
bool Kontrola69();
bool Kontrola70();
bool Kontrola77();

// ---- warnings ----
bool Kontrola91();
bool Kontrola92();
bool Kontrola93(bool iTiche);
bool Kontrola94();
bool Kontrola95();
// oOcekavani receives the expected number of registered voters (0 unknown).
bool Kontrola96(qint32* oOcekavani = nullptr);
bool Kontrola97();
bool Kontrola98();

// ---- section III ----
bool Kontrola39();

// The full check run: clears and fills the protocol (ChybProt), KodyChyb,
// the record error flags and the outcome flags. The error flags are reset
// first only when the workflow's Vybrano is 5 (check command or save).
void ProvedKontroly();

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
// The full check run within that scope; ProvedKontroly() is this run with
// everything.
void ProvedKontroly(const TRozsahKontrol& rozsah);

} // namespace urn
