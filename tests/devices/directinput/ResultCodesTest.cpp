#include "devices/directinput/ResultCodes.h"
#include "devices/directinput/System.h"
#include "devices/directinput/fake/FakeDirectInput.h"

#include <gtest/gtest.h>

#include <string>

using namespace DirectInput;

TEST(ResultCodesTest, NamedCodesHaveTheirPlatformValues) {
    EXPECT_EQ(DI_OK, 0);
    EXPECT_EQ(DI_BUFFEROVERFLOW, 1);
    EXPECT_EQ(static_cast<uint32_t>(DIERR_INPUTLOST), 0x8007001Eu);
    EXPECT_EQ(static_cast<uint32_t>(DIERR_NOTACQUIRED), 0x8007000Cu);
    EXPECT_EQ(static_cast<uint32_t>(DIERR_OTHERAPPHASPRIO), 0x80070005u);
    EXPECT_EQ(static_cast<uint32_t>(DIERR_DEVICEFULL), 0x80040201u);
    EXPECT_EQ(static_cast<uint32_t>(E_FAIL), 0x80004005u);
    EXPECT_TRUE(failed(DIERR_INPUTLOST));
    EXPECT_TRUE(succeeded(DI_BUFFEROVERFLOW));
}

TEST(ResultCodesTest, EveryNamedCodeIsDescribedAndOthersAreNotAvailable) {
    const HResult named[] = {
        DI_OK, DI_BUFFEROVERFLOW, DI_POLLEDDEVICE, DI_DOWNLOADSKIPPED, DI_EFFECTRESTARTED, DI_TRUNCATED,
        DI_SETTINGSNOTSAVED, DI_TRUNCATEDANDRESTARTED, DI_WRITEPROTECT, E_PENDING, E_UNEXPECTED, E_NOTIMPL,
        E_NOINTERFACE, E_POINTER, E_ABORT, E_FAIL, E_ACCESSDENIED, E_HANDLE, E_OUTOFMEMORY, E_INVALIDARG,
        DIERR_OLDDIRECTINPUTVERSION, DIERR_BETADIRECTINPUTVERSION, DIERR_BADDRIVERVER, DIERR_DEVICENOTREG,
        DIERR_NOTFOUND, DIERR_NOTINITIALIZED, DIERR_ALREADYINITIALIZED, DIERR_NOAGGREGATION, DIERR_INPUTLOST,
        DIERR_ACQUIRED, DIERR_NOTACQUIRED, DIERR_INSUFFICIENTPRIVS, DIERR_DEVICEFULL, DIERR_MOREDATA,
        DIERR_NOTDOWNLOADED, DIERR_HASEFFECTS, DIERR_NOTEXCLUSIVEACQUIRED, DIERR_INCOMPLETEEFFECT,
        DIERR_NOTBUFFERED, DIERR_EFFECTPLAYING, DIERR_UNPLUGGED, DIERR_REPORTFULL, DIERR_MAPFILEFAIL};
    for (HResult code : named)
        EXPECT_NE(std::string(errorDescription(code)), "n/a") << std::hex << code;

    const HResult unknown[] = {5, -1, static_cast<HResult>(0x80040300), static_cast<HResult>(0x80070001)};
    for (HResult code : unknown)
        EXPECT_STREQ(errorDescription(code), "n/a") << std::hex << code;
}

TEST(PortTest, CreateGivesTheSelectedBackendsSystemAndFailsWithoutOne) {
    std::unique_ptr<System> system;
    EXPECT_EQ(create(system), DIERR_UNSUPPORTED);
    EXPECT_FALSE(system);

    FakeDirectInput fake;
    {
        const FakeInstallation installed = fake.install();
        EXPECT_EQ(create(system), DI_OK);
        EXPECT_TRUE(system);
        system.reset();

        fake.setResult("DirectInput8Create", DIERR_OLDDIRECTINPUTVERSION);
        EXPECT_EQ(create(system), DIERR_OLDDIRECTINPUTVERSION);
        EXPECT_FALSE(system);
    }
    EXPECT_EQ(create(system), DIERR_UNSUPPORTED);
    EXPECT_EQ(fake.journal("DirectInput8Create").size(), 2u);
}
