#ifndef VORLAN_CORE_REF_H
#define VORLAN_CORE_REF_H

#include "Shared.h"

#include <utility>

namespace Mem {

// Holder of one reference to a shared object. T provides refCount() returning
// its Sync::Counter; the holder that drops the count to 0 deletes the object
// (through T's destructor, virtual for Mem::Shared).
template <class T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* object) : ptr(object) { take(); }
    Ref(const Ref& other) : ptr(other.ptr) { take(); }
    Ref(Ref&& other) noexcept : ptr(std::exchange(other.ptr, nullptr)) {}
    ~Ref() { release(); }

    // Takes the new reference before releasing the old one, so self-assignment
    // never destroys the object.
    Ref& operator=(const Ref& other) {
        T* old = ptr;
        ptr = other.ptr;
        take();
        drop(old);
        return *this;
    }
    Ref& operator=(Ref&& other) noexcept {
        if (this != &other) {
            T* old = std::exchange(ptr, std::exchange(other.ptr, nullptr));
            drop(old);
        }
        return *this;
    }

    void reset() { drop(std::exchange(ptr, nullptr)); }

    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    explicit operator bool() const { return ptr != nullptr; }

private:
    void take() {
        if (ptr)
            ++ptr->refCount();
    }
    void release() { drop(ptr); }
    static void drop(T* object) {
        if (object && --object->refCount() == 0)
            delete object;
    }

    T* ptr = nullptr;
};

} // namespace Mem

#endif
