#include "checks/ErrorCatalogue.h"

#include "core/Errors.h"
#include "store/CodePage.h"
#include "store/InstallDirs.h"
#include "store/RecordIO.h"

namespace urn {

TChybaInfo TChybaInfo::fromRecord(const QByteArray& r) {
    return {getInt32(r, 0), getShortString(r, 4, 1), getShortString(r, 6, 65)};
}

QByteArray TChybaInfo::toRecord() const {
    QByteArray r(kCisChybSize, '\0');
    putInt32(r, 0, Chyba);
    putShortString(r, 4, 1, TypChyby);
    putShortString(r, 6, 65, ZkrText);
    return r;
}

TCisChyb::TCisChyb(QList<TChybaInfo> entries)
    : m_entries(std::move(entries)), m_nenalezena{-1, QString(),
                                                  QString::fromUtf8(kChybaNenalezena)} {}

TCisChyb::TCisChyb() : TCisChyb(QList<TChybaInfo>()) {
    const QByteArray all = readFileBytes(programFile(QStringLiteral("CISCHYB.RCD")));
    // The catalogue is a plain sequence of records; a trailing partial record
    // is never read.
    for (qsizetype pos = 0; pos + kCisChybSize <= all.size(); pos += kCisChybSize)
        m_entries.append(TChybaInfo::fromRecord(all.mid(pos, kCisChybSize)));
}

TChybaInfo TCisChyb::NajdiChybu(qint32 iChyba) const {
    for (const TChybaInfo& e : m_entries)
        if (e.Chyba == iChyba)
            return e;
    return m_nenalezena;
}

// ---- findings ----

QString TChyba::AsString() const {
    // Padding to two places makes the text order the numeric order for the
    // numbers that occur (0..99); longer numbers simply take more places.
    return QString::number(EStrana).rightJustified(2, QLatin1Char(' ')) +
           QString::number(Chyba).rightJustified(2, QLatin1Char(' ')) + Param;
}

TChybProt::TChybProt(const TCisChyb& iCisChyb) : m_cisChyb(&iCisChyb) {}

void TChybProt::PridejChybu(qint32 iEStrana, qint32 iChyba, const QString& iParam) {
    // The parameter is kept as the single-byte record field would hold it,
    // so what the protocol shows is what a file could carry.
    Item item{{iEStrana, iChyba, fromCp1250(toCp1250(iParam).left(kParamCapacity))}, QString()};
    item.key = item.chyba.AsString();
    qsizetype pos = 0;
    // QString's operator< compares UTF-16 code units one by one: the ordinal
    // order the protocol is defined by.
    while (pos < m_items.size() && m_items.at(pos).key < item.key)
        ++pos;
    m_items.insert(pos, std::move(item));
}

void TChybProt::Clear() {
    m_items.clear();
}

const TChyba& TChybProt::VratChybu(int Index) const {
    if (Index < 0 || Index >= m_items.size())
        throw UrnariumError(QStringLiteral("Protokol chyb nemá položku %1 (obsahuje %2 položek).")
                                .arg(Index)
                                .arg(m_items.size()));
    return m_items.at(Index).chyba;
}

QString TChybProt::VratHlasku(int Index) const {
    const qint32 cislo = VratChybu(Index).Chyba;
    return m_cisChyb ? m_cisChyb->NajdiChybu(cislo).ZkrText : QString::fromUtf8(kChybaNenalezena);
}

QString TChybProt::VratHlaskuParam(int Index) const {
    return VratHlasku(Index) + QLatin1Char(' ') + VratChybu(Index).Param;
}

// ---- the program's catalogue ----

namespace {
std::unique_ptr<TCisChyb> g_cisChyb;

[[noreturn]] void notCreated() {
    throw UrnariumError(QStringLiteral("Číselník chyb není načten."));
}
} // namespace

void createErrorCatalogue() {
    // Read first: a failed load leaves the previous catalogue as it was.
    auto catalogue = std::make_unique<TCisChyb>();
    g_cisChyb = std::move(catalogue);
}

void createErrorCatalogue(QList<TChybaInfo> entries) {
    g_cisChyb = std::make_unique<TCisChyb>(std::move(entries));
}

void freeErrorCatalogue() {
    g_cisChyb.reset();
}

bool errorCatalogueCreated() {
    return g_cisChyb != nullptr;
}

const TCisChyb& CisChyb() {
    if (!g_cisChyb)
        notCreated();
    return *g_cisChyb;
}

} // namespace urn
