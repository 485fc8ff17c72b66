#ifndef VORLAN_TESTS_WORKFOLDER_H
#define VORLAN_TESTS_WORKFOLDER_H

#include "support/LogCapture.h"

#include <stdlib.h>

#include <filesystem>

// Makes the log capture's folder the working folder while it lives, with the
// Temp/ folder that the device list goes to, and no head-tracker client
// configured.
class WorkFolder {
public:
    explicit WorkFolder(const LogCapture& log) {
        std::filesystem::create_directory(log.path("Temp"));
        std::filesystem::current_path(log.path(""));
        unsetenv("VORLAN_NPCLIENT_PATH");
    }
    ~WorkFolder() { std::filesystem::current_path(previous); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

private:
    std::filesystem::path previous = std::filesystem::current_path();
};

#endif
