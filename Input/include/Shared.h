#ifndef VORLAN_SHARED_H
#define VORLAN_SHARED_H

#include "VorlanExport.h"

#include <atomic>
#include <cstdint>

namespace Sync {

// Atomic counter; the two operations return the new value.
class Counter {
public:
    Counter() = default;
    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;

    int32_t operator++() { return ++value; }
    int32_t operator--() { return --value; }

private:
    std::atomic<int32_t> value{0};
};

} // namespace Sync

namespace Mem {

// Base of reference-counted polymorphic objects (filters). The count belongs to
// the object: a new or copied object starts at 0 and assignment leaves it alone.
// Holders (Mem::Ref) take and release references; the last release deletes.
class VORLAN_API Shared {
public:
    virtual ~Shared() = default;

    Sync::Counter& refCount() { return count; }

protected:
    Shared() = default;
    Shared(const Shared&) {}
    Shared& operator=(const Shared&) { return *this; }

private:
    Sync::Counter count;
};

} // namespace Mem

#endif
