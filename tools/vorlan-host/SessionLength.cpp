#include "SessionLength.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>

uint32_t sessionLength(const std::string& path) {
    std::ifstream in(path);
    uint32_t last = 0;
    for (std::string line; std::getline(in, line);) {
        const nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
        if (!object.is_object())
            continue;
        const auto frame = object.find("frame");
        if (frame != object.end() && frame->is_number_unsigned())
            last = std::max(last, frame->get<uint32_t>());
    }
    return last;
}
