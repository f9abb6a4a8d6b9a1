#pragma once

// TMetafileList, the page store of the preview: every page of a document is
// a recorded picture (TMetafileEntry). Only a bounded number of pictures stay
// in memory; the others lie in one temporary file, so that a long document
// does not fill the memory.

#include <QList>
#include <QPicture>
#include <QString>

#include <functional>
#include <memory>

class QFileDevice;

namespace urn {

class TMetafileList;

enum TMetafileState {
    msInMemory = 0x1,  // the picture is loaded
    msInStorage = 0x2, // a copy lies in the temporary file
    msDirty = 0x4      // the loaded picture differs from the stored copy, or was never stored
};

class TMetafileEntry {
public:
    explicit TMetafileEntry(TMetafileList* owner) : FOwner(owner) {}

    bool Has(TMetafileState s) const { return (FStates & s) != 0; }
    quint64 Offset() const { return FOffset; }
    quint64 Size() const { return FSize; }
    int Touches() const { return TouchCount; }
    // The picture; only valid while the page is in memory (reach pages through
    // TMetafileList::Items, which loads them).
    const QPicture& Metafile() const { return *FMetafile; }

private:
    friend class TMetafileList;
    TMetafileList* FOwner;
    std::unique_ptr<QPicture> FMetafile;
    int FStates = 0;
    quint64 FOffset = 0;
    quint64 FSize = 0;
    qint32 TouchCount = 0;
};

class TMetafileList {
public:
    static constexpr int kDefaultCacheSize = 10;

    TMetafileList();
    ~TMetafileList();
    TMetafileList(const TMetafileList&) = delete;
    TMetafileList& operator=(const TMetafileList&) = delete;

    int Count() const { return int(FEntries.size()); }
    // Page `index` (0-based), loaded from the temporary file when needed;
    // every access counts as a touch for the choice of the page to unload.
    TMetafileEntry& Items(int index);
    const QPicture& Metafiles(int index) { return Items(index).Metafile(); }

    int CacheSize() const { return FCacheSize; }
    // Values below 1 store 1; a smaller size unloads pages at once.
    void SetCacheSize(int value);

    int Add(const QPicture& picture);
    int Insert(int index, const QPicture& picture);
    // Gives a page a new picture (the page becomes dirty).
    void Replace(int index, const QPicture& picture);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);

    // (store, index): one page changed.
    std::function<void(TMetafileList&, int)> FOnSingleChange;
    // (store, first, last): pages were added, removed or reordered; (0, -1)
    // after clearing.
    std::function<void(TMetafileList&, int, int)> FOnMultipleChange;

    // What the store holds, for diagnostics and tests.
    const TMetafileEntry& Entry(int index) const { return *FEntries.at(index); }
    int CachedCount() const { return int(FCachedEntries.size()); }
    // Position of a page in the cache order, -1 when not cached.
    int CachePosition(int index) const;
    bool HasStorage() const { return FStorage != nullptr; }
    qint64 StorageSize() const;
    int StorageWrites() const { return FWrites; }
    // Bytes of the pictures held in memory.
    qint64 MemoryBytes() const;

    // Directory for the temporary files of every store; empty means the
    // system's temporary directory.
    static void SetTemporaryDirectory(const QString& dir);

private:
    void EvictDownTo(int n);
    void Unload(TMetafileEntry& e);
    void Load(TMetafileEntry& e);
    void EnsureStorage();
    void Truncate(quint64 size);
    int IndexOf(const TMetafileEntry* e) const;

    QList<TMetafileEntry*> FEntries; // owned
    QList<TMetafileEntry*> FCachedEntries;
    std::unique_ptr<QFileDevice> FStorage;
    int FCacheSize = kDefaultCacheSize;
    int FWrites = 0;
};

} // namespace urn
