#include "lua/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

namespace {

const LuaConstant* begin() {
    return luaConstants;
}
const LuaConstant* end() {
    return luaConstants + luaConstantCount;
}

std::map<std::string, int32_t> byName() {
    std::map<std::string, int32_t> names;
    for (const LuaConstant* c = begin(); c != end(); ++c)
        names.emplace(c->name, c->value);
    return names;
}

bool isLuaIdentifier(const std::string& s) {
    static const std::set<std::string> keywords = {
        "and", "break",    "do",     "else", "elseif", "end",   "false",
        "for", "function", "if",     "in",   "local",  "nil",   "not",
        "or",  "repeat",   "return", "then", "true",   "until", "while"};
    auto wordChar = [](unsigned char ch) { return std::isalnum(ch) || ch == '_'; };
    return !s.empty() && !std::isdigit(static_cast<unsigned char>(s[0])) &&
           std::all_of(s.begin(), s.end(), wordChar) && keywords.count(s) == 0;
}

// The family of a name: its prefix, with the obsolete commands among the commands.
std::string family(const std::string& name) {
    for (const char* prefix : {"KEY_", "MOUSE_", "TRACKIR_", "JOYSTICK_", "iCommand", "wsRep"})
        if (name.rfind(prefix, 0) == 0)
            return prefix;
    return name.rfind("Obsolete_iCommand", 0) == 0 ? "iCommand" : "";
}

} // namespace

TEST(ConstantsTest, NamesAreUniqueLuaIdentifiers) {
    EXPECT_EQ(luaConstantCount, 1833u);
    EXPECT_EQ(byName().size(), luaConstantCount);
    for (const LuaConstant* c = begin(); c != end(); ++c)
        EXPECT_TRUE(isLuaIdentifier(c->name)) << c->name;
}

TEST(ConstantsTest, FamiliesComeInOrderWithTheirCountsAndRanges) {
    struct Family {
        std::string prefix;
        std::size_t count;
        int32_t min, max;
    };
    const Family expected[] = {{"KEY_", 160, 1, 237},       {"MOUSE_", 11, 1024, 1043},
                               {"TRACKIR_", 6, 3073, 3078}, {"JOYSTICK_", 200, 4096, 5119},
                               {"iCommand", 1061, 0, 4000}, {"wsRep", 395, 4000, 9998}};
    const LuaConstant* c = begin();
    for (const Family& f : expected) {
        const LuaConstant* first = c;
        while (c != end() && family(c->name) == f.prefix)
            ++c;
        auto byValue = [](const LuaConstant& a, const LuaConstant& b) { return a.value < b.value; };
        ASSERT_EQ(static_cast<std::size_t>(c - first), f.count) << f.prefix;
        EXPECT_EQ(std::min_element(first, c, byValue)->value, f.min) << f.prefix;
        EXPECT_EQ(std::max_element(first, c, byValue)->value, f.max) << f.prefix;
        if (f.prefix == "iCommand" || f.prefix == "wsRep") {
            EXPECT_TRUE(std::is_sorted(first, c, byValue)) << f.prefix << " not in ascending order";
        }
    }
    EXPECT_EQ(c, end());
}

TEST(ConstantsTest, MainKeysAscendAndTheAliasesFollowThem) {
    const std::size_t mainKeys = 144;
    for (std::size_t i = 1; i < mainKeys; ++i)
        EXPECT_LT(luaConstants[i - 1].value, luaConstants[i].value) << luaConstants[i].name;
    EXPECT_STREQ(luaConstants[mainKeys - 1].name, "KEY_MEDIASELECT");
    EXPECT_STREQ(luaConstants[mainKeys].name, "KEY_BACKSPACE");
}

TEST(ConstantsTest, ValuesAtGroupEdgesAndAliases) {
    const std::map<std::string, int32_t> expected = {
        {"KEY_ESCAPE", 1},
        {"KEY_DECIMAL", 83},
        {"KEY_OEM_102", 86},
        {"KEY_F13", 100},
        {"KEY_UNLABELED", 151},
        {"KEY_RMENU", 184},
        {"KEY_DELETE", 211},
        {"KEY_MEDIASELECT", 237},
        {"KEY_BACK", 14},
        {"KEY_BACKSPACE", 14},
        {"KEY_PREVTRACK", 144},
        {"KEY_CIRCUMFLEX", 144},
        {"KEY_NUMPADSLASH", 181},
        {"KEY_PGDN", 209},
        {"MOUSE_X", 1024},
        {"MOUSE_Z", 1032},
        {"MOUSE_BUTTON0", 1036},
        {"MOUSE_BUTTON7", 1043},
        {"TRACKIR_PITCH", 3073},
        {"TRACKIR_Z", 3078},
        {"JOYSTICK_X", 4096},
        {"JOYSTICK_POV3", 4140},
        {"JOYSTICK_BUTTON0", 4144},
        {"JOYSTICK_BUTTON127", 4271},
        {"JOYSTICK_VX", 4272},
        {"JOYSTICK_AX", 4304},
        {"JOYSTICK_FX", 4336},
        {"JOYSTICK_FSLIDER1", 4364},
        {"JOYSTICK_BUTTON_POV0", 5119},
        {"JOYSTICK_BUTTON_POV0_UL", 5111},
        {"JOYSTICK_BUTTON_POV1", 5110},
        {"JOYSTICK_BUTTON_POV3_UL", 5084},
        {"iCommandNull", 0},
        {"Obsolete_iCommandViewRangeFinderOn", 415},
        {"Obsolete_iCommandViewAWACSShowLabels", 422},
        {"iCommandPlane_ADF_Mode_change", 583},
        {"iCommandPlane_ADF_Receiver_Mode_change", 585},
        {"iCommandHelicopter_Rotor_Lock", 605},
        {"iCommandMaximum", 957},
        {"iCommandKeyNull", 2000},
        {"iCommandKeyMaximum", 2103},
        {"iCommandCockpitDeviceCommandsStart", 3000},
        {"iCommandCockpitDeviceCommandsEnd", 3999},
        {"iCommandRepKeyBegin", 4000},
        {"wsRepNull", 4000},
        {"wsRepBettyNull", 4200},
        {"wsRepBettyMaximum", 4300},
        {"wsRepHumanEngageMyTarget", 4301},
        {"wsRepMaximum", 5024},
        {"wsRepHumanDialogMax", 5600},
        {"wsRepBroadcastStationMessage", 9997},
        {"wsRepHumanMaximum", 9998}};
    const auto names = byName();
    for (const auto& [name, value] : expected) {
        auto found = names.find(name);
        ASSERT_NE(found, names.end()) << name;
        EXPECT_EQ(found->second, value) << name;
    }
}

TEST(ConstantsTest, GapsHaveNoConstantInTheirFamily) {
    const std::map<std::string, std::set<int32_t>> gaps = {
        {"KEY_", {0, 84, 85, 152, 212, 238}},
        {"MOUSE_", {1023, 1044}},
        {"TRACKIR_", {3072, 3079}},
        {"JOYSTICK_", {4101, 4143, 4368, 5083}},
        {"iCommand", {584, 602, 603, 604, 958, 1999, 2104, 2999, 4001}},
        {"wsRep", {3999, 4112, 4246, 5605, 9999}}};
    for (const LuaConstant* c = begin(); c != end(); ++c)
        EXPECT_EQ(gaps.at(family(c->name)).count(c->value), 0u) << c->name;
}
