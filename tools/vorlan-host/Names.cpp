#include "Names.h"

std::string Names::command(int32_t command) const {
    if (command == 0)
        return "";
    const std::string& name = commands.name(command);
    return name.empty() ? std::to_string(command) : name + " (" + std::to_string(command) + ")";
}

std::string Names::codeList(const std::vector<int32_t>& list, const char* separator) const {
    std::string text;
    for (const int32_t code : list)
        text += (text.empty() ? "" : separator) + codeConstantName(code);
    return text;
}
