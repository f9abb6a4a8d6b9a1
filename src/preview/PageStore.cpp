#include "preview/PageStore.h"

#include "core/Errors.h"

#include <QDir>
#include <QTemporaryFile>

namespace urn {

namespace {

QString& temporaryDirectory() {
    static QString dir;
    return dir;
}

[[noreturn]] void storageError(const QString& what) {
    throw InOutError(QStringLiteral("Chyba dočasného souboru náhledu tisku: %1").arg(what));
}

} // namespace

void TMetafileList::SetTemporaryDirectory(const QString& dir) {
    temporaryDirectory() = dir;
}

TMetafileList::TMetafileList() = default;

TMetafileList::~TMetafileList() {
    qDeleteAll(FEntries);
}

int TMetafileList::IndexOf(const TMetafileEntry* e) const {
    for (int i = 0; i < FEntries.size(); ++i)
        if (FEntries.at(i) == e)
            return i;
    return -1;
}

int TMetafileList::CachePosition(int index) const {
    return int(FCachedEntries.indexOf(FEntries.at(index)));
}

qint64 TMetafileList::StorageSize() const {
    return FStorage ? FStorage->size() : 0;
}

qint64 TMetafileList::MemoryBytes() const {
    qint64 n = 0;
    for (const TMetafileEntry* e : FCachedEntries)
        if (e->FMetafile)
            n += e->FMetafile->size();
    return n;
}

void TMetafileList::SetCacheSize(int value) {
    FCacheSize = value < 1 ? 1 : value;
    EvictDownTo(FCacheSize);
}

TMetafileEntry& TMetafileList::Items(int index) {
    TMetafileEntry& e = *FEntries.at(index);
    if (!e.Has(msInMemory)) {
        if (FCachedEntries.size() >= FCacheSize)
            EvictDownTo(FCacheSize - 1);
        Load(e);
        FCachedEntries.append(&e);
    }
    ++e.TouchCount;
    return e;
}

void TMetafileList::EvictDownTo(int n) {
    while (FCachedEntries.size() > qMax(n, 0)) {
        // The least touched page goes; among equals the one cached last, so
        // that the pages viewed first stay at hand.
        int victim = int(FCachedEntries.size()) - 1;
        for (int i = victim - 1; i >= 0; --i)
            if (FCachedEntries.at(i)->TouchCount < FCachedEntries.at(victim)->TouchCount)
                victim = i;
        TMetafileEntry& e = *FCachedEntries.at(victim);
        // Written first: when the file fails the page stays in memory and
        // nothing is lost.
        if (e.Has(msDirty))
            Unload(e);
        e.FMetafile.reset();
        e.FStates &= ~msInMemory;
        FCachedEntries.removeAt(victim);
    }
}

void TMetafileList::EnsureStorage() {
    if (FStorage)
        return;
    const QString dir = temporaryDirectory().isEmpty() ? QDir::tempPath() : temporaryDirectory();
    // Without asking for its name the file is created unnamed on Linux, so
    // the system removes it whenever the program ends, also abnormally.
    auto file = std::make_unique<QTemporaryFile>(dir + QStringLiteral("/urnarium-nahled-XXXXXX"));
    if (!file->open())
        storageError(QStringLiteral("soubor nelze vytvořit v adresáři %1 (%2).")
                         .arg(QDir::toNativeSeparators(dir), file->errorString()));
    FStorage = std::move(file);
}

void TMetafileList::Truncate(quint64 size) {
    if (!FStorage->resize(qint64(size)))
        storageError(FStorage->errorString());
}

void TMetafileList::Unload(TMetafileEntry& e) {
    EnsureStorage();
    const QByteArray data(e.FMetafile->data(), e.FMetafile->size());
    const quint64 end = quint64(FStorage->size());
    // Only the last copy in the file can be rewritten in place; any other
    // superseded copy stays as unused bytes until the store is cleared.
    const bool inPlace = e.Has(msInStorage) && e.FOffset + e.FSize == end;
    const quint64 offset = inPlace ? e.FOffset : end;
    if (!FStorage->seek(qint64(offset)) || FStorage->write(data) != data.size())
        storageError(FStorage->errorString());
    ++FWrites;
    if (inPlace && offset + quint64(data.size()) < end)
        Truncate(offset + quint64(data.size()));
    e.FOffset = offset;
    e.FSize = quint64(data.size());
    e.FStates |= msInStorage;
    e.FStates &= ~(msInMemory | msDirty);
    e.FMetafile.reset();
}

void TMetafileList::Load(TMetafileEntry& e) {
    if (!e.Has(msInStorage) || e.Has(msInMemory))
        return;
    if (!FStorage->seek(qint64(e.FOffset)))
        storageError(FStorage->errorString());
    const QByteArray data = FStorage->read(qint64(e.FSize));
    if (quint64(data.size()) != e.FSize)
        storageError(QStringLiteral("stránku nelze přečíst."));
    auto picture = std::make_unique<QPicture>();
    picture->setData(data.constData(), uint(data.size()));
    if (picture->isNull())
        storageError(QStringLiteral("stránka je poškozena."));
    e.FMetafile = std::move(picture);
    e.FStates |= msInMemory;
    e.TouchCount = 0;
}

int TMetafileList::Add(const QPicture& picture) {
    return Insert(Count(), picture);
}

int TMetafileList::Insert(int index, const QPicture& picture) {
    index = qBound(0, index, Count());
    EvictDownTo(FCacheSize - 1);
    auto* e = new TMetafileEntry(this);
    e->FMetafile = std::make_unique<QPicture>(picture);
    e->FStates = msInMemory | msDirty;
    FEntries.insert(index, e);
    FCachedEntries.append(e);
    if (FOnMultipleChange)
        FOnMultipleChange(*this, index, Count() - 1);
    return index;
}

void TMetafileList::Replace(int index, const QPicture& picture) {
    TMetafileEntry& e = Items(index);
    const bool notify = e.FSize != 0 || e.Has(msDirty);
    *e.FMetafile = picture;
    e.FStates |= msDirty;
    if (notify && FOnSingleChange)
        FOnSingleChange(*this, index);
}

void TMetafileList::Delete(int index) {
    if (Count() == 1) {
        Clear();
        return;
    }
    TMetafileEntry* e = FEntries.at(index);
    FCachedEntries.removeOne(e);
    if (FStorage && e->Has(msInStorage) && e->FOffset + e->FSize == quint64(FStorage->size()))
        Truncate(e->FOffset);
    FEntries.removeAt(index);
    delete e;
    if (FOnMultipleChange)
        FOnMultipleChange(*this, index, Count() - 1);
}

void TMetafileList::Clear() {
    if (FEntries.isEmpty())
        return;
    FCachedEntries.clear();
    qDeleteAll(FEntries);
    FEntries.clear();
    FStorage.reset();
    if (FOnMultipleChange)
        FOnMultipleChange(*this, 0, -1);
}

void TMetafileList::Exchange(int index1, int index2) {
    if (index1 == index2)
        return;
    FEntries.swapItemsAt(index1, index2);
    if (FOnMultipleChange)
        FOnMultipleChange(*this, qMin(index1, index2), qMax(index1, index2));
}

void TMetafileList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    FEntries.move(curIndex, newIndex);
    if (FOnMultipleChange)
        FOnMultipleChange(*this, qMin(curIndex, newIndex), qMax(curIndex, newIndex));
}

} // namespace urn
