#pragma once

// TCisChyb, the error catalogue (error numbers and their short Czech texts,
// read once from CISCHYB.RCD beside the program), and TChybProt, the error
// protocol (the findings of one full check run, kept sorted for the
// printouts).

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

namespace urn {

inline constexpr int kCisChybSize = 72;
// Capacity of a finding's parameter text (single-byte code page).
inline constexpr int kParamCapacity = 200;

// One catalogue entry; also the 72-byte record of CISCHYB.RCD.
struct TChybaInfo {
    qint32 Chyba = 0; // 0, 32-bit
    QString TypChyby; // 4, short string of 1 (kept, decides nothing)
    QString ZkrText;  // 6, short string of 65

    static TChybaInfo fromRecord(const QByteArray& record);
    QByteArray toRecord() const;
};

class TCisChyb {
public:
    // Reads CISCHYB.RCD from the program directory completely. A missing or
    // unreadable file raises InOutError; a trailing partial record is ignored.
    TCisChyb();
    // A catalogue over the given entries (tests, tools).
    explicit TCisChyb(QList<TChybaInfo> entries);

    // The first entry with the number in file order, or NenalezenaChyba.
    TChybaInfo NajdiChybu(qint32 iChyba) const;
    int count() const { return int(m_entries.size()); }
    const TChybaInfo& NenalezenaChyba() const { return m_nenalezena; }

private:
    QList<TChybaInfo> m_entries;
    TChybaInfo m_nenalezena;
};

inline constexpr const char* kChybaNenalezena = "Chyba nenalezena";

// One finding of a check run.
struct TChyba {
    qint32 EStrana = 0; // party whose Annex 1 sheet it concerns, 0 the record as a whole
    qint32 Chyba = 0;   // error number
    QString Param;      // at most 200 characters of the single-byte code page

    // Party and error number right-aligned in two characters each, then the
    // parameter: the sort key of the protocol and its one-line form.
    QString AsString() const;
};

// The findings of a check run, in ascending order of AsString().
class TChybProt {
public:
    // An empty protocol of no run yet, over no catalogue: every text it is
    // asked for is "Chyba nenalezena".
    TChybProt() = default;
    // An empty protocol over the catalogue, which must outlive it.
    explicit TChybProt(const TCisChyb& iCisChyb);

    // Adds a finding before the first one whose AsString() is not less than
    // its own, so equal findings keep the newest first.
    void PridejChybu(qint32 iEStrana, qint32 iChyba, const QString& iParam = QString());
    void Clear();

    int count() const { return int(m_items.size()); }
    // The finding at the 0-based index; an index outside the protocol raises
    // UrnariumError.
    const TChyba& VratChybu(int Index) const;
    // The catalogue text of the finding's error number ("Chyba nenalezena"
    // for a number the catalogue lacks).
    QString VratHlasku(int Index) const;
    // VratHlasku + " " + the parameter (the blank also when it is empty).
    QString VratHlaskuParam(int Index) const;

    const TChyba& Chyba(int Index) const { return VratChybu(Index); }
    QString Hlaska(int Index) const { return VratHlasku(Index); }
    QString HlaskaParam(int Index) const { return VratHlaskuParam(Index); }

private:
    struct Item {
        TChyba chyba;
        QString key; // chyba.AsString(), kept so that inserting compares texts only
    };
    const TCisChyb* m_cisChyb = nullptr;
    QList<Item> m_items;
};

// The program's one catalogue: read-only reference data, one per process.
// The main window loads it when it opens and frees it when it is destroyed;
// the check runs, the message window and the tools read it here.
//
// Loads CISCHYB.RCD; replaces an earlier catalogue. A missing or unreadable
// catalogue raises InOutError and changes nothing.
void createErrorCatalogue();
// The same over given entries (tests, tools).
void createErrorCatalogue(QList<TChybaInfo> entries);
// Protocols over the catalogue must be gone before it is freed or replaced.
void freeErrorCatalogue();
bool errorCatalogueCreated();
// Raises UrnariumError when the catalogue has not been created.
const TCisChyb& CisChyb();

} // namespace urn
