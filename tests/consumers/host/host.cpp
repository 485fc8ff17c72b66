// A host built as a user builds one: it includes <vorlan/Vorlan.h>, starts the
// library on the session that VORLAN_REPLAY names and prints the devices found.
#include <vorlan/Vorlan.h>

#include <cstdio>
#include <exception>

int main() {
    try {
        Vorlan* input = getGlobalInput();
        input->initialize(nullptr);
        std::vector<std::string> names;
        input->getDevices(names);
        input->uninitialize();
        for (const std::string& name : names)
            std::printf("%s\n", name.c_str());
        return names.empty() ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "host: %s\n", e.what());
        return 1;
    }
}
