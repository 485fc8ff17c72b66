#include "core/Ref.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Counts destructions, so tests see exactly when the last reference goes.
struct Probe : Mem::Shared {
    explicit Probe(int& destroyed) : destroyed(&destroyed) {}
    ~Probe() override { ++*destroyed; }
    int* destroyed;
};

} // namespace

TEST(RefTest, LastReleaseDestroysOnceAndSelfAssignmentKeepsTheObject) {
    int destroyed = 0, other = 0;
    Mem::Ref<Probe> a(new Probe(destroyed));
    Mem::Ref<Probe>& alias = a;
    a = alias;  // the only holder assigned to itself
    a = std::move(alias);
    {
        Mem::Ref<Probe> b = a, c;
        c = b;
        b.reset();
        Mem::Ref<Probe> moved = std::move(c);
        EXPECT_FALSE(c);
    }
    EXPECT_EQ(destroyed, 0);
    Mem::Ref<Probe> d(new Probe(other));
    a = d;  // overwriting releases the last reference to the first object
    EXPECT_EQ(destroyed, 1);
    a.reset();
    d = Mem::Ref<Probe>();
    EXPECT_EQ(other, 1);
}

TEST(RefTest, CopiedObjectStartsAtZeroAndAssignmentKeepsBothCounts) {
    int destroyed = 0;
    Mem::Ref<Probe> a(new Probe(destroyed)), b = a, c = a;
    Probe copy(*a);
    EXPECT_EQ(++copy.refCount(), 1);
    *a = copy;
    EXPECT_EQ(++a->refCount(), 4);
    EXPECT_EQ(--a->refCount(), 3);
}
