#include "capi/FakeWorld.h"

#include "devices/DeviceNames.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/TestPlatform.h"

#include <memory>

namespace {

struct World {
    DirectInput::FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake)};
    std::string stick = "Stick {" + formatDeviceGuid(FakeDevices::guid(3)) + "}";

    World() {
        FakeDevices::keyboard(fake, 1);
        FakeDevices::mouse(fake, 2);
        FakeDevices::joystick(fake, 3, "Stick", true);
    }
};

std::unique_ptr<World> world;

} // namespace

void fake_world_install(void) { world = std::make_unique<World>(); }
void fake_world_remove(void) { world.reset(); }
const char* fake_world_stick(void) { return world->stick.c_str(); }
