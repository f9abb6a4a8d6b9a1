#include "CommissionFuzz.h"

#include "FuzzInput.h"
#include "ScratchInstall.h"
#include "core/Errors.h"
#include "store/CodePage.h"
#include "store/ReferenceTables.h"

#include <QStringList>

namespace urn::fuzz {

namespace {

constexpr int kNameCapacity = kKomiseSize - 1;
constexpr int kManyNames = 300;

QStringList namesOf(const QList<TKomise>& list) {
    QStringList names;
    for (const TKomise& k : list)
        names.append(k.clen);
    return names;
}

QList<TKomise> earlierNames() {
    return {{QStringLiteral("Jan Novák")}, {QString()}, {QStringLiteral("předchozí")}};
}

// The names a whole-record file holds, as NactiKomise must load them.
QStringList namesInFile(const QByteArray& file) {
    QStringList names;
    for (qsizetype pos = 0; pos < file.size() && names.size() < kMaxKomise; pos += kKomiseSize)
        names.append(fromCp1250(file.constData() + pos + 1,
                                std::min<int>(quint8(file.at(pos)), kNameCapacity)));
    return names;
}

} // namespace

bool runCommissionInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const quint8 choice = in.byte();
    const QString addedName = fromCp1250(in.take(in.byte()));
    QByteArray file = in.rest();
    const bool missing = choice & 1;
    if ((choice & 0x10) && !file.isEmpty())
        file = file.repeated((kMaxKomise + 1) * kKomiseSize / file.size() + 1);

    ScratchInstall inst;
    const QString givenPath = inst.dirs().data + (choice & 2 ? QStringLiteral("komise.rcd")
                                                             : QStringLiteral("KOMISE.RCD"));
    if (!missing)
        ScratchInstall::write(givenPath, file);
    const QString path = missing ? inst.dirs().data + QStringLiteral("KOMISE.RCD") : givenPath;
    const QStringList filesBefore = ScratchInstall::files(inst.dirs().data);

    if (KomiseNeniPrazdna() != (!missing && file.size() >= kKomiseSize))
        return false;

    QList<TKomise> jmena = earlierNames();
    try {
        NactiKomise(jmena);
    } catch (const UrnariumError&) {
        // Only a missing file or one of a partial record may be refused, and
        // the names already in memory stay.
        if (!(missing || file.size() % kKomiseSize != 0) ||
            namesOf(jmena) != namesOf(earlierNames()))
            return false;
    }
    if (!missing && file.size() % kKomiseSize == 0 && namesOf(jmena) != namesInFile(file))
        return false;

    if (choice & 4)
        jmena.append({addedName});
    if (choice & 8)
        for (int i = 0; i < kManyNames; ++i)
            jmena.append({addedName});
    QStringList expected;
    for (const TKomise& k : jmena.mid(0, kMaxKomise))
        expected.append(asWrittenBack(fromCp1250(toCp1250(k.clen).left(kNameCapacity))));

    try {
        UlozKomise(jmena);
        if (ScratchInstall::read(path).size() != expected.size() * kKomiseSize)
            return false;
        QStringList filesAfter = filesBefore;
        if (missing)
            filesAfter = QStringList{QStringLiteral("KOMISE.RCD")};
        if (ScratchInstall::files(inst.dirs().data) != filesAfter)
            return false;
        jmena = earlierNames();
        NactiKomise(jmena);
    } catch (const UrnariumError&) {
        return true;
    }
    return namesOf(jmena) == expected && KomiseNeniPrazdna() == !expected.isEmpty();
}

} // namespace urn::fuzz
