#include "lua/Constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

namespace {

const LuaConstant* const first = luaConstants;
const LuaConstant* const last = luaConstants + luaConstantCount;

bool isLuaIdentifier(const std::string& s) {
    static const std::set<std::string> keywords = {"and", "break", "do", "else", "elseif", "end", "false",
                                                   "for", "function", "if", "in", "local", "nil", "not", "or",
                                                   "repeat", "return", "then", "true", "until", "while"};
    return !s.empty() && !std::isdigit(static_cast<unsigned char>(s[0])) && keywords.count(s) == 0 &&
           std::all_of(s.begin(), s.end(), [](unsigned char ch) { return std::isalnum(ch) || ch == '_'; });
}

// The family of a name: its prefix, with the obsolete commands among the commands.
std::string family(const std::string& name) {
    for (const char* prefix : {"KEY_", "MOUSE_", "TRACKIR_", "JOYSTICK_", "iCommand", "wsRep"})
        if (name.rfind(prefix, 0) == 0)
            return prefix;
    return name.rfind("Obsolete_iCommand", 0) == 0 ? "iCommand" : "";
}

bool byValue(const LuaConstant& a, const LuaConstant& b) { return a.value < b.value; }
bool notBelow(const LuaConstant& a, const LuaConstant& b) { return a.value >= b.value; }

} // namespace

TEST(ConstantsTest, NamesAreUniqueLuaIdentifiers) {
    EXPECT_EQ(luaConstantCount, 1833u);
    std::set<std::string> names;
    for (const LuaConstant* c = first; c != last; ++c) {
        EXPECT_TRUE(isLuaIdentifier(c->name)) << c->name;
        EXPECT_TRUE(names.insert(c->name).second) << c->name << " twice";
    }
}

// Families in order with their counts and ranges, the first `ascending` of
// each in ascending order (the main keys, then their aliases), and nothing in their gaps.
TEST(ConstantsTest, FamiliesComeInOrderWithTheirCountsRangesAndGaps) {
    const struct {
        std::string prefix;
        std::size_t count, ascending;
        int32_t min, max;
        std::set<int32_t> gaps;
    } families[] = {{"KEY_", 160, 144, 1, 237, {0, 84, 85, 152, 212, 238}},
                    {"MOUSE_", 11, 0, 1024, 1043, {1023, 1044}},
                    {"TRACKIR_", 6, 0, 3073, 3078, {3072, 3079}},
                    {"JOYSTICK_", 200, 0, 4096, 5119, {4101, 4143, 4368, 5083}},
                    {"iCommand", 1061, 1061, 0, 4000, {584, 602, 603, 604, 958, 1999, 2104, 2999, 4001}},
                    {"wsRep", 395, 395, 4000, 9998, {3999, 4112, 4246, 5605, 9999}}};
    const LuaConstant* c = first;
    for (const auto& f : families) {
        const LuaConstant* begin = c;
        for (; c != last && family(c->name) == f.prefix; ++c)
            EXPECT_EQ(f.gaps.count(c->value), 0u) << c->name;
        ASSERT_EQ(static_cast<std::size_t>(c - begin), f.count) << f.prefix;
        EXPECT_EQ(std::min_element(begin, c, byValue)->value, f.min) << f.prefix;
        EXPECT_EQ(std::max_element(begin, c, byValue)->value, f.max) << f.prefix;
        EXPECT_EQ(std::adjacent_find(begin, begin + f.ascending, notBelow), begin + f.ascending) << f.prefix;
    }
    EXPECT_EQ(c, last);
    EXPECT_STREQ(luaConstants[143].name, "KEY_MEDIASELECT");
    EXPECT_STREQ(luaConstants[144].name, "KEY_BACKSPACE");
}

TEST(ConstantsTest, ValuesAtGroupEdgesAndAliases) {
    const std::map<std::string, int32_t> expected = {
        {"KEY_ESCAPE", 1}, {"KEY_DECIMAL", 83}, {"KEY_OEM_102", 86}, {"KEY_F13", 100}, {"KEY_UNLABELED", 151},
        {"KEY_RMENU", 184}, {"KEY_DELETE", 211}, {"KEY_MEDIASELECT", 237}, {"KEY_BACK", 14}, {"KEY_BACKSPACE", 14},
        {"KEY_PREVTRACK", 144}, {"KEY_CIRCUMFLEX", 144}, {"KEY_NUMPADSLASH", 181}, {"KEY_PGDN", 209},
        {"MOUSE_X", 1024}, {"MOUSE_Z", 1032}, {"MOUSE_BUTTON0", 1036}, {"MOUSE_BUTTON7", 1043},
        {"TRACKIR_PITCH", 3073}, {"TRACKIR_Z", 3078}, {"JOYSTICK_X", 4096}, {"JOYSTICK_POV3", 4140},
        {"JOYSTICK_BUTTON0", 4144}, {"JOYSTICK_BUTTON127", 4271}, {"JOYSTICK_VX", 4272}, {"JOYSTICK_AX", 4304},
        {"JOYSTICK_FX", 4336}, {"JOYSTICK_FSLIDER1", 4364}, {"JOYSTICK_BUTTON_POV0", 5119},
        {"JOYSTICK_BUTTON_POV0_UL", 5111}, {"JOYSTICK_BUTTON_POV1", 5110}, {"JOYSTICK_BUTTON_POV3_UL", 5084},
        {"iCommandNull", 0}, {"Obsolete_iCommandViewRangeFinderOn", 415}, {"Obsolete_iCommandViewAWACSShowLabels", 422},
        {"iCommandPlane_ADF_Mode_change", 583}, {"iCommandPlane_ADF_Receiver_Mode_change", 585},
        {"iCommandHelicopter_Rotor_Lock", 605}, {"iCommandMaximum", 957}, {"iCommandKeyNull", 2000},
        {"iCommandKeyMaximum", 2103}, {"iCommandCockpitDeviceCommandsStart", 3000},
        {"iCommandCockpitDeviceCommandsEnd", 3999}, {"iCommandRepKeyBegin", 4000}, {"wsRepNull", 4000},
        {"wsRepBettyNull", 4200}, {"wsRepBettyMaximum", 4300}, {"wsRepHumanEngageMyTarget", 4301},
        {"wsRepMaximum", 5024}, {"wsRepHumanDialogMax", 5600}, {"wsRepBroadcastStationMessage", 9997},
        {"wsRepHumanMaximum", 9998}};
    std::map<std::string, int32_t> found;
    for (const LuaConstant* c = first; c != last; ++c)
        if (expected.count(c->name))
            found.emplace(c->name, c->value);
    EXPECT_EQ(found, expected);
}
