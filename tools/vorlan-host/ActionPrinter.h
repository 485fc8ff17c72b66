#ifndef VORLAN_HOST_ACTION_PRINTER_H
#define VORLAN_HOST_ACTION_PRINTER_H

#include "CommandNames.h"
#include "VorlanAction.h"

#include <cstdint>
#include <ostream>

// Writes the actions of a frame, one line per action: readable text, or one
// JSON object per line.
class ActionPrinter {
public:
    enum class Format { Text, JsonLines };

    ActionPrinter(std::ostream& out, Format format);

    void print(uint32_t frame, const VorlanAction& action);

private:
    void printText(uint32_t frame, const VorlanAction& action);
    void printJson(uint32_t frame, const VorlanAction& action);

    std::ostream& out;
    Format format;
    CommandNames commands;
};

#endif
