#ifndef VORLAN_TESTS_FACADEPLATFORM_H
#define VORLAN_TESTS_FACADEPLATFORM_H

#include "facade/State.h"

#include <utility>

// While it lives, the facade's initialize makes its platform context with the
// test's maker (see TestPlatform::maker); the platform's own comes back after.
class FacadePlatform {
public:
    explicit FacadePlatform(Platform::ContextMaker maker)
        : previous(std::exchange(facadeState().makePlatform, std::move(maker))) {}
    ~FacadePlatform() { facadeState().makePlatform = std::move(previous); }
    FacadePlatform(const FacadePlatform&) = delete;
    FacadePlatform& operator=(const FacadePlatform&) = delete;

private:
    Platform::ContextMaker previous;
};

#endif
