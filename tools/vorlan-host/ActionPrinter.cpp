#include "ActionPrinter.h"

#include <nlohmann/json.hpp>

ActionPrinter::ActionPrinter(std::ostream& out, Format format) : out(out), format(format) {}

void ActionPrinter::print(uint32_t frame, const VorlanAction& action) {
    if (format == Format::Text)
        printText(frame, action);
    else
        printJson(frame, action);
}

// frame 3  time 1016  device 1024  iCommandPlaneRoll (2002)  value -327700 relative
void ActionPrinter::printText(uint32_t frame, const VorlanAction& action) {
    out << "frame " << frame << "  time " << action.getTime() << "  device " << action.getDevice() << "  ";
    const std::string& name = commands.name(action.getAction());
    if (name.empty())
        out << action.getAction();
    else
        out << name << " (" << action.getAction() << ")";
    if (action.hasValue())
        out << "  value " << action.getValue() << (action.isAbsolute() ? " absolute" : " relative");
    out << '\n';
}

void ActionPrinter::printJson(uint32_t frame, const VorlanAction& action) {
    const std::string& name = commands.name(action.getAction());
    nlohmann::ordered_json line = {
        {"frame", frame},
        {"time", action.getTime()},
        {"device", action.getDevice()},
        {"action", action.getAction()},
        {"command", name.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(name)},
        {"hasValue", action.hasValue()},
        {"value", action.getValue()},
        {"absolute", action.isAbsolute()},
    };
    out << line.dump() << '\n';
}
