// The shipped Vorlan.dll on Wine's DirectInput, through the exported API only:
// a real window, the devices Wine offers, the files the library writes, and
// keys, mouse motion and a mouse button sent with xdotool coming back as the
// bound layer's actions. The run is recorded (session.jsonl) and its actions
// written (actions.txt) for scripts/wine-replay.sh; tests/wine/bindings.lua
// holds the same bindings.

#include "tests/wine/WineHarness.h"

#include "Filter.h"
#include "Vorlan.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

using WineTest::check;

namespace {

// Host commands with no name in the library's constant table, so that a
// replay's printout shows them as plain numbers.
constexpr int32_t kKeyDown = 900101, kKeyPressed = 900102, kKeyUp = 900103;
constexpr int32_t kMouseX = 900201;
constexpr int32_t kButtonDown = 900301, kButtonPressed = 900302, kButtonUp = 900303;
constexpr int32_t kKeyA = 0x1E;
constexpr int32_t kMouseXCode = 1024;       // the mouse block + offset 0
constexpr int32_t kMouseButton0 = 1024 + 12;

struct FrameAction {
    uint32_t frame;
    VorlanAction action;
};

// Runs frames and keeps every action with its frame number.
class Frames {
public:
    explicit Frames(Vorlan& input) : input(input) {}

    // Runs frames, ten milliseconds apart, until seen() holds or timeoutMs pass.
    bool runUntil(const std::function<bool()>& seen, DWORD timeoutMs) {
        return WineTest::waitFor([&] {
            std::vector<VorlanAction> actions;
            input.process(actions);
            ++frame;
            for (const VorlanAction& a : actions)
                all.push_back({frame, a});
            return seen();
        }, timeoutMs);
    }

    size_t count(int32_t command) const {
        return std::count_if(all.begin(), all.end(), [command](const FrameAction& f) {
            return f.action.getAction() == command;
        });
    }

    // The commands in the given set, in the order they came.
    std::vector<int32_t> sequence(std::initializer_list<int32_t> commands) const {
        std::vector<int32_t> seq;
        for (const FrameAction& f : all)
            if (std::find(commands.begin(), commands.end(), f.action.getAction()) != commands.end())
                seq.push_back(f.action.getAction());
        return seq;
    }

    const FrameAction* first(int32_t command) const {
        for (const FrameAction& f : all)
            if (f.action.getAction() == command)
                return &f;
        return nullptr;
    }

    // Every action as the sample host prints it: "frame F  time T  device D  C",
    // then "  value V absolute|relative" for axis actions.
    void write(const char* path) const {
        std::ofstream out(path, std::ios::binary);
        for (const FrameAction& f : all) {
            out << "frame " << f.frame << "  time " << f.action.getTime() << "  device " << f.action.getDevice()
                << "  " << f.action.getAction();
            if (f.action.hasValue())
                out << "  value " << f.action.getValue() << (f.action.isAbsolute() ? " absolute" : " relative");
            out << '\n';
        }
    }

    std::vector<FrameAction> all;

private:
    Vorlan& input;
    uint32_t frame = 0;
};

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string join(const std::vector<int32_t>& commands) {
    std::string text;
    for (int32_t c : commands)
        text += " " + std::to_string(c);
    return text;
}

// Down first, then only pressed actions, then up last.
bool downPressedUp(const std::vector<int32_t>& seq, int32_t down, int32_t pressed, int32_t up, size_t minPressed) {
    if (seq.size() < 2 + minPressed || seq.front() != down || seq.back() != up)
        return false;
    return std::all_of(seq.begin() + 1, seq.end() - 1, [pressed](int32_t c) { return c == pressed; });
}

void checkDevices(Vorlan& input) {
    std::vector<std::string> names;
    input.getDevices(names);
    std::string expectedList;
    for (const std::string& name : names)
        expectedList += name + "\n";
    const bool both = std::find(names.begin(), names.end(), "Keyboard") != names.end() &&
                      std::find(names.begin(), names.end(), "Mouse") != names.end();
    check(both, "getDevices names the keyboard and the mouse", expectedList);
    check(input.getDeviceType("Keyboard") == Vorlan::Keyboard && input.getDeviceType("Mouse") == Vorlan::Mouse,
          "getDeviceType knows the keyboard and the mouse");
    const std::string list = readFile("Temp/VorlanDevices.txt");
    check(list == expectedList, "Temp/VorlanDevices.txt lists the devices, one name a line", "\"" + list + "\"");

    std::vector<int> keys, axes;
    input.getDeviceKeysAxes("Mouse", keys, axes);
    check(std::find(axes.begin(), axes.end(), kMouseXCode) != axes.end() &&
              std::find(keys.begin(), keys.end(), kMouseButton0) != keys.end(),
          "the mouse's codes include its X axis and its first button");
}

void checkStartLog(const std::string& log) {
    check(contains(log, "Keyboard created[Keyboard].") && contains(log, "Mouse created[Mouse]."),
          "the log has the keyboard's and the mouse's creation entries");
    bool clean = true;
    for (const char* error : {"Input error", "SetCooperativeLevel ", "SetDataFormat ", "SetProperty ", "EnumObjects "})
        clean = clean && !contains(log, error);
    check(clean, "the log has no device error");
    check(contains(log, "Device acquire Keyboard") && contains(log, "Device acquire Mouse"),
          "activate(true) acquires the keyboard and the mouse");
    bool textLines = log.rfind("\r\n", 0) == 0;
    for (size_t at = log.find('\n'); at != std::string::npos; at = log.find('\n', at + 1))
        textLines = textLines && log[at - 1] == '\r';
    check(textLines, "the log is a text file: every line ends in CR LF");
}

void checkKey(Frames& frames) {
    WineTest::ask("keydown a");
    check(frames.runUntil([&] { return frames.count(kKeyDown) > 0; }, 5000), "a key press gives the down action");
    check(frames.runUntil([&] { return frames.count(kKeyPressed) >= 3; }, 2000),
          "a held key gives pressed actions frame after frame");
    WineTest::ask("keyup a");
    check(frames.runUntil([&] { return frames.count(kKeyUp) > 0; }, 5000), "the release gives the up action");
    const std::vector<int32_t> seq = frames.sequence({kKeyDown, kKeyPressed, kKeyUp});
    check(downPressedUp(seq, kKeyDown, kKeyPressed, kKeyUp, 3), "key actions come as down, pressed..., up", join(seq));
    const FrameAction* down = frames.first(kKeyDown);
    check(down && !down->action.hasValue() && down->action.getDevice() == 0, "the key's actions come from device 0");
}

// The keyboard's entry names the key's code and carries the record's time, the down action's time.
void checkKeyLog(const std::string& log, const Frames& frames) {
    const FrameAction* down = frames.first(kKeyDown);
    const FrameAction* up = frames.first(kKeyUp);
    check(down && up && contains(log, "KEY_A down " + std::to_string(down->action.getTime())) &&
              contains(log, "KEY_A up " + std::to_string(up->action.getTime())),
          "the keyboard logs the key by its code's name with the actions' times");
}

void checkMouse(Frames& frames, HWND window) {
    // Wine sees the pointer only over its windows: bring it in, then let that move pass.
    WineTest::pointToWindow(window);
    frames.runUntil([&] { return frames.count(kMouseX) > 0; }, 1000);
    const size_t before = frames.all.size();
    WineTest::ask("mousemove_relative -- 40 0");
    const bool moved = frames.runUntil([&] {
        return std::any_of(frames.all.begin() + before, frames.all.end(), [](const FrameAction& f) {
            return f.action.getAction() == kMouseX && f.action.getValue() > 0;
        });
    }, 5000);
    check(moved, "mouse motion to the right gives the X axis action with a positive value");
    if (moved) {
        const auto x = std::find_if(frames.all.begin() + before, frames.all.end(),
                                    [](const FrameAction& f) { return f.action.getAction() == kMouseX; });
        check(x->action.hasValue() && !x->action.isAbsolute() && x->action.getDevice() == 1024 &&
                  x->action.getValue() % 65540 == 0,
              "the X axis action is relative, from device 1024, 65540 per unit",
              "value " + std::to_string(x->action.getValue()));
    }
    WineTest::ask("mousedown 1");
    check(frames.runUntil([&] { return frames.count(kButtonDown) > 0; }, 5000), "a mouse button press gives the down action");
    WineTest::ask("mouseup 1");
    check(frames.runUntil([&] { return frames.count(kButtonUp) > 0; }, 5000), "its release gives the up action");
    const std::vector<int32_t> seq = frames.sequence({kButtonDown, kButtonPressed, kButtonUp});
    check(downPressedUp(seq, kButtonDown, kButtonPressed, kButtonUp, 0), "button actions come as down, pressed..., up",
          join(seq));
}

} // namespace

int main() {
    HWND window = WineTest::createWindow();
    if (!check(window != nullptr, "a window") || !check(WineTest::focus(window), "the window has the focus"))
        return WineTest::summary();

    // The library records what the devices deliver, for the replay on Linux.
    _putenv("VORLAN_RECORD=session.jsonl");
    Vorlan& input = *getGlobalInput();
    try {
        input.initialize(window);
    } catch (const std::exception& e) {
        check(false, "initialize", e.what());
        return WineTest::summary();
    }
    checkDevices(input);

    input.createLayer("wine");
    input.addKeyCombo("wine", kKeyA, {}, kKeyDown, kKeyPressed, kKeyUp);
    input.addAxisCombo("wine", kMouseXCode, {}, kMouseX, FilterInfo());
    input.addKeyCombo("wine", kMouseButton0, {}, kButtonDown, kButtonPressed, kButtonUp);
    input.setTopLayer("wine");
    input.activate(true);

    Frames frames(input);
    frames.runUntil([] { return false; }, 100);  // the first frames drain what came before
    checkKey(frames);
    checkMouse(frames, window);
    frames.write("actions.txt");

    const std::string log = readFile("temp/VorlanStart.txt");
    checkStartLog(log);
    checkKeyLog(log, frames);
    input.activate(false);
    input.uninitialize();
    const std::string end = readFile("temp/VorlanStart.txt");
    check(contains(end, "Device unacquire Keyboard") && contains(end, "Device unacquire Mouse"),
          "activate(false) unacquires the devices");
    return WineTest::summary();
}
