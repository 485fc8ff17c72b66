#include "core/Ref.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Counts destructions so tests see exactly when the last reference goes.
struct Probe : Mem::Shared {
    explicit Probe(int& destroyed) : destroyed(&destroyed) {}
    ~Probe() override { ++*destroyed; }
    int* destroyed;
};

// A non-polymorphic record with its own counter, as layers are.
struct Record {
    explicit Record(int& destroyed) : destroyed(&destroyed) {}
    ~Record() { ++*destroyed; }
    Sync::Counter& refCount() { return count; }
    Sync::Counter count;
    int* destroyed;
};

} // namespace

TEST(RefTest, LastReleaseDestroysTheObjectOnce) {
    int destroyed = 0;
    {
        Mem::Ref<Probe> a(new Probe(destroyed));
        {
            Mem::Ref<Probe> b = a;
            Mem::Ref<Probe> c;
            c = b;
            c.reset();
            EXPECT_EQ(destroyed, 0);
        }
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(RefTest, SelfAssignmentKeepsTheObjectAlive) {
    int destroyed = 0;
    Mem::Ref<Probe> a(new Probe(destroyed));
    Mem::Ref<Probe>& alias = a;
    a = alias;
    a = std::move(alias);
    ASSERT_TRUE(a);
    EXPECT_EQ(destroyed, 0);
    a.reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(RefTest, OverwritingReleasesTheOldObjectAndMovesTransferTheReference) {
    int first = 0, second = 0;
    Mem::Ref<Record> a(new Record(first));
    Mem::Ref<Record> b(new Record(second));
    a = b;
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    Mem::Ref<Record> moved = std::move(a);
    EXPECT_FALSE(a);
    b.reset();
    EXPECT_EQ(second, 0);
    moved = Mem::Ref<Record>();
    EXPECT_EQ(second, 1);
}

TEST(RefTest, CopiedSharedObjectStartsAtZeroAndAssignmentKeepsCounts) {
    int destroyed = 0;
    Mem::Ref<Probe> a(new Probe(destroyed));
    Mem::Ref<Probe> b = a;
    Mem::Ref<Probe> c = a;
    Probe copy(*a);  // three holders share the original; the copy has none
    EXPECT_EQ(++copy.refCount(), 1);
    *a = copy;  // assignment leaves the target's count alone
    EXPECT_EQ(--a->refCount(), 2);
    ++a->refCount();
    EXPECT_EQ(--copy.refCount(), 0);
}
