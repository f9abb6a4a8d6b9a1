#include "core/Errors.h"
#include "preview/PageStore.h"

#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <gtest/gtest.h>

using namespace urn;

namespace {

// A page whose recording grows with `lines`, so that pages differ in size.
QPicture page(int lines) {
    QPicture pic;
    pic.setBoundingRect(QRect(0, 0, 2100, 2970));
    QPainter p(&pic);
    for (int i = 0; i < lines; ++i)
        p.drawLine(10 * i, 0, 10 * i, 100 + i);
    return pic;
}

QByteArray bytes(const QPicture& pic) {
    return QByteArray(pic.data(), pic.size());
}

struct Events {
    QList<QPair<int, int>> multiple;
    QList<int> single;
    void attach(TMetafileList& store) {
        store.FOnMultipleChange = [this](TMetafileList&, int a, int b) { multiple.append({a, b}); };
        store.FOnSingleChange = [this](TMetafileList&, int i) { single.append(i); };
    }
};

QList<int> pagesInMemory(const TMetafileList& store) {
    QList<int> r;
    for (int i = 0; i < store.Count(); ++i)
        if (store.Entry(i).Has(msInMemory))
            r.append(i + 1);
    return r;
}

} // namespace

TEST(PageStore, ThirtyPagesKeepTenInMemoryAndTwentyInTheFileEachWrittenOnce) {
    TMetafileList store;
    for (int i = 1; i <= 30; ++i)
        store.Add(page(i));
    ASSERT_EQ(store.Count(), 30);
    EXPECT_EQ(store.CachedCount(), 10);
    EXPECT_EQ(store.StorageWrites(), 20);
    // Equal touch counts: the page cached last goes first, so the first nine
    // stay with the newest one.
    EXPECT_EQ(pagesInMemory(store), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 30}));

    // The stored copies lie one after another without gaps or overlaps.
    QList<QPair<quint64, quint64>> stored;
    for (int i = 0; i < 30; ++i) {
        const TMetafileEntry& e = store.Entry(i);
        EXPECT_NE(e.Has(msInMemory), e.Has(msInStorage)) << "page " << i + 1;
        if (e.Has(msInStorage)) {
            EXPECT_FALSE(e.Has(msDirty));
            stored.append({e.Offset(), e.Size()});
        }
    }
    ASSERT_EQ(stored.size(), 20);
    std::sort(stored.begin(), stored.end());
    quint64 end = 0;
    for (const auto& s : stored) {
        EXPECT_EQ(s.first, end);
        end = s.first + s.second;
    }
    EXPECT_EQ(qint64(end), store.StorageSize());
}

TEST(PageStore, StoredPagesComeBackUnchanged) {
    TMetafileList store;
    for (int i = 1; i <= 15; ++i)
        store.Add(page(i));
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(bytes(store.Metafiles(i - 1)), bytes(page(i))) << "page " << i;
    EXPECT_EQ(store.CachedCount(), 10);
}

TEST(PageStore, EvictionFollowsTouchCounts) {
    struct Case {
        const char* name;
        int cacheSize;
        QList<int> views; // pages viewed, 1-based, after adding `pages`
        int pages;
        QList<int> inMemory; // pages held at the end
    };
    const Case cases[] = {
        // Pages viewed alternately stay; the untouched ones go.
        {"alternate views", 2, {1, 2, 1, 2, 1, 2}, 4, {1, 2}},
        // Loading a page evicts the least viewed one.
        {"least viewed goes", 3, {1, 1, 1, 2, 2, 3, 4}, 4, {1, 2, 4}},
        // Among equals, the page cached last goes.
        {"equal counts", 3, {}, 5, {1, 2, 5}},
        // The most viewed page is evicted last.
        {"most viewed stays", 2, {3, 3, 3, 1, 2, 4, 1, 2}, 4, {3, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMetafileList store;
        store.SetCacheSize(c.cacheSize);
        for (int i = 1; i <= c.pages; ++i)
            store.Add(page(i));
        for (int v : c.views)
            store.Items(v - 1);
        QList<int> expected = c.inMemory;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(pagesInMemory(store), expected);
        EXPECT_EQ(store.CachedCount(), c.cacheSize);
    }
}

TEST(PageStore, UnchangedPageIsNotWrittenAgain) {
    TMetafileList store;
    store.SetCacheSize(1);
    store.Add(page(3));
    store.Add(page(4)); // page 1 goes to the file
    EXPECT_EQ(store.StorageWrites(), 1);
    for (int round = 0; round < 5; ++round) {
        store.Items(0);
        store.Items(1);
    }
    // Page 2 was written once when page 1 first came back; no page since.
    EXPECT_EQ(store.StorageWrites(), 2);
}

TEST(PageStore, LastStoredCopyIsRewrittenInPlace) {
    struct Case {
        const char* name;
        int newLines;
    };
    for (const Case& c : {Case{"larger", 40}, Case{"smaller", 1}}) {
        SCOPED_TRACE(c.name);
        TMetafileList store;
        store.SetCacheSize(1);
        store.Add(page(10));
        store.Add(page(10)); // page 1 stored at 0
        store.Items(0);      // page 2 stored after it, last in the file
        const quint64 offset2 = store.Entry(1).Offset();
        store.Replace(1, page(c.newLines)); // loads page 2, changes it
        store.Items(0);                     // page 2 goes back to the file
        EXPECT_EQ(store.Entry(1).Offset(), offset2);
        EXPECT_EQ(store.Entry(1).Size(), quint64(page(c.newLines).size()));
        EXPECT_EQ(store.StorageSize(), qint64(offset2 + quint64(page(c.newLines).size())));
        EXPECT_EQ(store.StorageWrites(), 3);
        EXPECT_EQ(bytes(store.Metafiles(1)), bytes(page(c.newLines)));
    }
}

TEST(PageStore, ChangedCopyThatIsNotLastIsAppended) {
    TMetafileList store;
    store.SetCacheSize(1);
    store.Add(page(5));
    store.Add(page(6)); // page 1 at 0
    store.Items(0);     // page 2 after it
    const qint64 before = store.StorageSize();
    store.Replace(0, page(7));
    store.Items(1); // page 1 is not last in the file: appended
    EXPECT_EQ(store.Entry(0).Offset(), quint64(before));
    EXPECT_EQ(store.StorageSize(), before + page(7).size());
    EXPECT_EQ(bytes(store.Metafiles(0)), bytes(page(7)));
}

TEST(PageStore, DeletingTheLastStoredPageShrinksTheFile) {
    TMetafileList store;
    store.SetCacheSize(1);
    for (int i = 1; i <= 4; ++i)
        store.Add(page(i)); // pages 1..3 stored in order, page 4 in memory
    const quint64 offset3 = store.Entry(2).Offset();
    const qint64 full = store.StorageSize();
    store.Delete(1); // page 2: its bytes stay unused
    EXPECT_EQ(store.StorageSize(), full);
    store.Delete(1); // page 3, the last copy in the file
    EXPECT_EQ(store.StorageSize(), qint64(offset3));
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(bytes(store.Metafiles(0)), bytes(page(1)));
    EXPECT_EQ(bytes(store.Metafiles(1)), bytes(page(4)));
}

TEST(PageStore, CacheSizeNeverBelowOneAndShrinkingEvictsAtOnce) {
    const struct {
        int set;
        int stored;
    } cases[] = {{0, 1}, {-5, 1}, {1, 1}, {3, 3}, {10, 10}};
    for (const auto& c : cases) {
        TMetafileList store;
        store.SetCacheSize(c.set);
        EXPECT_EQ(store.CacheSize(), c.stored) << c.set;
    }
    TMetafileList store;
    for (int i = 1; i <= 8; ++i)
        store.Add(page(i));
    EXPECT_EQ(store.CachedCount(), 8);
    store.SetCacheSize(3);
    EXPECT_EQ(store.CachedCount(), 3);
    EXPECT_EQ(store.StorageWrites(), 5);
}

TEST(PageStore, ChangeEvents) {
    TMetafileList store;
    Events ev;
    ev.attach(store);
    store.Clear(); // nothing to clear: no event
    EXPECT_TRUE(ev.multiple.isEmpty());

    store.Add(page(1));
    store.Add(page(2));
    store.Insert(99, page(3)); // clamped to the end
    store.Insert(-4, page(4)); // clamped to the start
    EXPECT_EQ(ev.multiple, (QList<QPair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {0, 3}}));
    EXPECT_EQ(bytes(store.Metafiles(0)), bytes(page(4)));

    ev.multiple.clear();
    store.Exchange(3, 1);
    store.Exchange(2, 2);
    store.Move(0, 2);
    store.Move(1, 1);
    EXPECT_EQ(ev.multiple, (QList<QPair<int, int>>{{1, 3}, {0, 2}}));

    // A new page is dirty: its change is reported.
    store.Replace(0, page(9));
    EXPECT_EQ(ev.single, QList<int>{0});

    ev.multiple.clear();
    store.Delete(3);
    store.Clear();
    EXPECT_EQ(ev.multiple, (QList<QPair<int, int>>{{3, 2}, {0, -1}}));
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(store.HasStorage());
}

TEST(PageStore, DeletingTheOnlyPageClears) {
    TMetafileList store;
    Events ev;
    store.Add(page(1));
    ev.attach(store);
    store.Delete(0);
    EXPECT_EQ(ev.multiple, (QList<QPair<int, int>>{{0, -1}}));
}

TEST(PageStore, FileErrorIsReportedAndNothingIsLost) {
    QTemporaryDir dir;
    // A path below a plain file cannot hold a temporary file.
    QFile blocker(dir.path() + QStringLiteral("/plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TMetafileList::SetTemporaryDirectory(blocker.fileName() + QStringLiteral("/sub"));
    TMetafileList store;
    store.SetCacheSize(2);
    store.Add(page(1));
    store.Add(page(2));
    EXPECT_THROW(store.Add(page(3)), InOutError);
    TMetafileList::SetTemporaryDirectory(QString());
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(bytes(store.Metafiles(0)), bytes(page(1)));
    EXPECT_EQ(bytes(store.Metafiles(1)), bytes(page(2)));
    // With a usable directory again the document goes on.
    store.Add(page(3));
    EXPECT_EQ(store.Count(), 3);
    EXPECT_EQ(bytes(store.Metafiles(0)), bytes(page(1)));
}
