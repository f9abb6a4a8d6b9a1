#pragma once

// The precinct record: everything the commission enters for its precinct.
// Field names, memory widths and the order of the fields follow the data file
// line (see the line format in PrecinctDataFile.cpp); 16-bit fields are
// unsigned, 32-bit fields signed, reals are doubles that always hold whole
// numbers.

#include "core/Errors.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <array>

namespace urn {

inline constexpr int kPocetStranVeZaznamu = 60; // VyslStran[1..60], ZaskrtStrany
inline constexpr int kPocetPrefHlasu = 28;      // PrefHlasy[1..28]
inline constexpr int kPocetClenu = 99;          // JmenaClenu[1..99]

// The key of a precinct: the data files of the precinct are named by it.
struct TAktOkrsek {
    QString Obec; // at most 6 characters
    qint32 Okrsek = 0;
};

// Record type 1: identification and section II of form T/2.
struct TVetaT2 {
    quint16 TypVety = 0;
    quint16 T2Oprava = 0;
    quint16 T2Chyba = 0;
    quint16 Okres = 0;
    qint32 Obec = 0;
    qint32 Okrsek = 0;
    quint16 T2KC_1 = 0;
    qint32 ZapsOsoby = 0;
    quint16 VydObalky = 0;
    quint16 OdevzdObalky = 0;
    quint16 PlatneHlasy = 0;
    qint32 T2KC_2 = 0;
    // Character i (from 1) is '1' when party i is ticked, else '0'.
    QString ZaskrtStrany = QString(kPocetStranVeZaznamu, QLatin1Char('0'));

    bool zaskrtnuta(int strana) const {
        return strana >= 1 && strana <= ZaskrtStrany.size() &&
               ZaskrtStrany.at(strana - 1) == QLatin1Char('1');
    }
};

// Record type 2: the Annex 1 sheet of one party.
struct TStranaVysl {
    quint16 TypVety = 0;
    quint16 T2POprava = 0;
    quint16 T2PChyba = 0;
    quint16 Okres = 0;
    qint32 Obec = 0;
    qint32 Okrsek = 0;
    quint16 T2PKC1 = 0;
    quint16 CisStr = 0;
    quint16 PocHl = 0;
    quint16 T2PKC2 = 0;
    std::array<quint16, kPocetPrefHlasu> PrefHlasy{}; // PrefHlasy[k - 1] is candidate k
    qint32 T2PKC3 = 0;
    qint32 T2PKC4 = 0;
    quint16 T2PPoslKand = 0;
    qint32 T2PKontrSoucet = 0;

    quint16& pref(int kandidat) { return PrefHlasy.at(size_t(kandidat - 1)); }
    quint16 pref(int kandidat) const { return PrefHlasy.at(size_t(kandidat - 1)); }
    bool operator==(const TStranaVysl&) const = default;
};

// Record type 3: the closing record with the control sums.
struct TVetaTS {
    quint16 TypVety = 0;
    quint16 TSOprava = 0;
    quint16 TSChyba = 0;
    quint16 Okres = 0;
    qint32 Obec = 0;
    qint32 Okrsek = 0;
    quint16 TSKC1 = 0;
    QString KodyChyb;   // at most 50
    QString DatumKontr; // "yyyymmdd"
    QString CasKontr;   // "hhnnss"
    double IdStanice = 0;
    quint16 T2ZapisTN = 0;
    quint16 VerzeOS = 0;
    // Reserved fields, in line order; always written empty or 0.
    QString Rezerva1;     // short string of 1
    quint16 Rezerva2 = 0; // 16-bit, w 2
    QString Rezerva3;     // 15
    QString Rezerva4;     // 8
    QString Rezerva5;     // 6
    double Rezerva6 = 0;  // real, w 10
    quint16 Rezerva7 = 0; // 16-bit, w 2
    QString Rezerva8;     // 15
    QString Rezerva9;     // 8
    QString Rezerva10;    // 6
    double Rezerva11 = 0; // real, w 10
    quint16 SoucetKC1 = 0;
    qint32 SoucetKC2 = 0;
    double SoucetKC3 = 0;
    double SoucetKC4 = 0;
    qint32 NahodneCislo = 0;
    qint32 Rezerva12 = 0; // 32-bit, w 6
    qint32 Rezerva13 = 0; // 32-bit, w 6
    double SoucetKontr = 0;
    double KontrSoucetTS = 0;
    double Rezerva14 = 0; // real, w 12
    double Rezerva15 = 0; // real, w 13
};

// Sections I and III: the single record of HLASO.RCD (1194 bytes).
struct THlaso {
    QString DatumVoleb; // 10
    QString Zahajeno1;  // 5
    QString Ukonceno1;  // 5
    QString Zahajeno2;  // 5
    QString Ukonceno2;  // 5
    QString Odroc;      // 1, "B"/"N"
    QString OdrocenoD;  // 23
    QString OdrocenoH;  // 2
    QString OdrocenoM;  // 2
    QString DuvodOdroc; // 200
    QString Prodl;      // 1
    QString ProdlouzD;  // 23
    QString ProdlouzH;  // 2
    QString ProdlouzM;  // 2
    QString DuvodProdl; // 200
    QString Prerus;     // 1
    QString PrerusD;    // 23
    QString PrerusOd;   // 5
    QString PrerusDo;   // 5
    QString DuvodPrer;  // 200
    QString Stizn;      // 1
    QString StizListu;  // 2
    QString Schranka;   // 1
    QString PrilListu;  // 2
    QString ClenuOVKC;  // 2
    QString ClenuOVKP;  // 2
    QString Ostatni;    // 200
    QString PoverPred;  // 200
    QString Zapisovat;  // 35
};

struct TPrecinctRecord {
    TVetaT2 T2;
    std::array<TStranaVysl, kPocetStranVeZaznamu> Strany{}; // VyslStran(i) is Strany[i - 1]
    TVetaTS TS;
    std::array<QString, kPocetClenu> Clenove{}; // JmenaClenu(k) is Clenove[k - 1]
    THlaso Hlaso;

    TStranaVysl& VyslStran(int strana) { return Strany.at(size_t(strana - 1)); }
    const TStranaVysl& VyslStran(int strana) const { return Strany.at(size_t(strana - 1)); }
    QString& JmenaClenu(int k) { return Clenove.at(size_t(k - 1)); }
    const QString& JmenaClenu(int k) const { return Clenove.at(size_t(k - 1)); }
};

// Clearing parts of the record: numbers to 0, texts to empty, ZaskrtStrany to
// sixty "0".
void VyprazdniT2(TPrecinctRecord& record);
void VyprazdniStrany(TPrecinctRecord& record);
void VyprazdniTS(TPrecinctRecord& record);
void VyprazdniCleny(TPrecinctRecord& record);

} // namespace urn
