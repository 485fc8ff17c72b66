#include "platform/session/SessionReader.h"
#include "support/DescribeSession.h"
#include "support/SessionSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string first = R"({"format":"vorlan-session","version":2})", header = first + "\n";
const std::string instance = R"({"device":"kbd","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000",)";
const std::string keyboard = instance + R"("type":1043,"name":"Keyboard"})" + "\n";

// A session whose one device line has these members after its id and instance.
std::string device(const std::string& members) { return header + instance + members + "}\n"; }
// A session with the keyboard and this line.
std::string withKeyboard(const std::string& line) { return header + keyboard + line + "\n"; }

// Each text, written to a file, is refused with its message after "FILE:".
template <size_t N>
void expectRefused(const std::pair<std::string, std::string> (&cases)[N]) {
    Session::Data data;
    std::string error;
    for (const auto& [text, message] : cases) {
        const std::string path = SessionTests::writeFile(".jsonl", text);
        EXPECT_FALSE(Session::readSession(path, data, error)) << message;
        EXPECT_EQ(error, path + ":" + message);
    }
}

} // namespace

TEST(SessionReaderTest, EachFaultIsNamedWithItsFileAndLine) {
    const std::pair<std::string, std::string> cases[] = {  // the text, the message after "FILE:"
        {"", " empty file, not a session"},
        {"\n  \n", " empty file, not a session"},
        {header + keyboard + R"({"frame":1,"devi)", "3: cut short: the file ends inside this line"},
        {header + "{\"frame\":1,\n", "2: not JSON: the line ends inside a value"},
        {header + "frame 1\n", "2: not JSON (column 2)"},
        {header + "[1,2]\n", "2: expected a JSON object, got [1,2]"},
        {R"({"format":"csv","version":1})", "1: not a session file: the first line must be " + first},
        {keyboard, "1: not a session file: the first line must be " + first},
        {R"({"format":"vorlan-session","version":3})", "1: format version 3 is newer than this library reads (2)"},
        {R"({"format":"vorlan-session","version":0})", "1: unknown format version 0"},
        {R"({"format":"vorlan-session","version":"1"})", "1: version: expected an integer, got \"1\""},
        {R"({"format":"vorlan-session"})", "1: version: missing"},
        {header + header, "2: a second header line"},
        {header + R"({"what":1})",
         "2: neither a device, a head-tracker nor a frame line (no member \"device\", \"headTracker\" or \"frame\")"},
        {withKeyboard(R"({"frame":1,"devices":{"stick2":{}}})"),
         "3: frame 1 names the device \"stick2\", which the session does not declare"},
        {device(R"("type":"keyboard","name":"K")"), "2: type: expected an integer from 0 to 4294967295, got \"keyboard\""},
        {device(R"("type":1,"name":"K","usagePage":70000)"), "2: usagePage: expected an integer from 0 to 65535, got 70000"},
        {header + R"({"device":"kbd","instance":"6F1D2B61-D5A0-11CF-BFC7","type":1,"name":"K"})",
         "2: instance: expected a GUID \"XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX\", got \"6F1D2B61-D5A0-11CF-BFC7\""},
        {header + R"({"device":"kbd","type":1,"name":"K"})", "2: instance: missing"},
        {header + R"({"device":"","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000","type":1,"name":"K"})",
         "2: device: expected a non-empty id"},
        {header + keyboard + keyboard, "3: the device \"kbd\" is declared twice"},
        {withKeyboard(R"({"device":"k2","instance":"6f1d2b61-d5a0-11cf-bfc7-444553540000","type":1,"name":"K"})"),
         "3: instance: 6F1D2B61-D5A0-11CF-BFC7-444553540000 is the device \"kbd\"'s already"},
        {device(R"("type":1,"name":"K","objects":[{"ofs":1}])"), "2: objects[0].type: missing"},
        {device(R"("type":1,"name":"K","caps":{"buttons":-1})"),
         "2: caps.buttons: expected an integer from 0 to 4294967295, got -1"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"dta":[]}}})"), "3: unknown member \"devices.kbd.dta\""},
        {header + R"({"frame":1,"a\nb":1})", "2: unknown member \"a\\x0Ab\""},  // one line, whatever the name
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"data":[[1,2]]}}})"),
         "3: devices.kbd.data[0]: expected [offset, data, time], got [1,2]"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"data":[[1,2,3],[-1,2,3]]}}})"),
         "3: devices.kbd.data[1][0]: expected an integer from 0 to 4294967295, got -1"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"data":[[1,4294967296,3]]}}})"),
         "3: devices.kbd.data[0][1]: expected an integer from -2147483648 to 4294967295, got 4294967296"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"result":-1,"data":[[1,2,3]]}}})"),
         "3: devices.kbd.data: records from a failing fetch"},
        {withKeyboard(R"({"frame":0,"devices":{"kbd":{"state":{"values":[[30,1]]}}}})"),
         "3: devices.kbd.state.values[0][0]: 30 is no axis, hat or button of the joystick state"},
        {withKeyboard(R"({"frame":0,"devices":{"kbd":{"state":{"values":[[48,256]]}}}})"),
         "3: devices.kbd.state.values[0][1]: expected an integer from 0 to 255, got 256"},
        {withKeyboard(R"({"frame":0,"devices":{"kbd":{"state":{"values":[[0,1],[0,2]]}}}})"),
         "3: devices.kbd.state.values[1][0]: the offset 0 is given twice"},
        {withKeyboard(R"({"frame":0,"devices":{"kbd":{"state":{"result":-1,"values":[[0,1]]}}}})"),
         "3: devices.kbd.state.values: values from a failing GetDeviceState"},
        {withKeyboard(R"({"frame":1,"ticks":[]})"), "3: ticks: expected a reading, got []"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"poll":-1,"data":[[1,2,3]]}}})"),
         "3: devices.kbd.data: records from a failing poll"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"data":{}}}})"), "3: devices.kbd.data: expected an array"},
        {header + R"({"frame":-1})", "2: frame: expected an integer from 0 to 16777216, got -1"},
        {header + "{\"frame\":2}\n{\"frame\":2}\n", "3: frame 2 comes after frame 2"},
        {header + "{\"frame\":1}\n" + keyboard, "3: device lines come before the first frame"},
        {header + R"({"frame":1,"ticks":-5})", "2: ticks: expected an integer from 0 to 4294967295, got -5"},
        {header + R"({"frame":1,"headTracker":{}})", "2: headTracker: the session declares no head tracker"},
        {header + "{\"headTracker\":{}}\n{\"headTracker\":{}}\n", "3: a second head-tracker line"},
        {header + R"({"headTracker":{"results":{"fly":1}}})", "2: headTracker.results: no set-up call is named \"fly\""},
        {header + R"({"headTracker":{"location":"moon"}})",
         "2: headTracker.location: expected \"found\" or \"unreadable\", got \"moon\""},
        {header + "{\"headTracker\":{}}\n" + R"({"frame":1,"headTracker":{"pitch":1e300}})",
         "3: headTracker.pitch: expected a number, \"NaN\", \"Infinity\" or \"-Infinity\", got 1e+300"},
        {device(R"("type":1,"name":{"bytes":"4"})"), "2: name: expected a string or {\"bytes\":\"HEX\"}, got {\"bytes\":\"4\"}"},
        {header + "{\"headTracker\":{}}\n" + R"({"frame":1,"headTracker":{"signature":65536}})",
         "3: headTracker.signature: expected an integer from 0 to 65535, got 65536"},
        {header + std::string(Session::MaxLineLength + 1, ' ') + "\n", "2: line longer than 1048576 bytes"},
        {header + std::string(100000, '[') + std::string(100000, ']') + "\n", "2: values nested deeper than 32 levels"},
        {header + R"({"frame":1,"x":"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\""})", "2: unknown member \"x\""},
    };
    expectRefused(cases);
    Session::Data data;
    std::string error;
    const std::pair<std::string, std::string> unreadable[] = {
        {"/nonexistent/session.jsonl", ": cannot be opened (No such file or directory)"},
        {".", ": cannot be read (Is a directory)"},  // the working folder
    };
    for (const auto& [path, message] : unreadable) {
        EXPECT_FALSE(Session::readSession(path, data, error));
        EXPECT_EQ(error, path + message);
    }
}

TEST(SessionReaderTest, NumbersBeyondADoubleAndFramesBeyondTheLimitAreRefusedWithTheirMember) {
    const std::string tracker = header + "{\"headTracker\":{}}\n";
    const std::pair<std::string, std::string> cases[] = {
        {tracker + R"({"frame":1,"headTracker":{"yaw":1e400}})", "3: headTracker.yaw: number overflow parsing '1e400'"},
        {withKeyboard(R"({"frame":1,"devices":{"kbd":{"data":[[1,-1e999,3]]}}})"),
         "3: devices.kbd.data: number overflow parsing '-1e999'"},
        {header + "[1e400]", "2: line: number overflow parsing '1e400'"},
        {header + R"({"frame":4294967295})", "2: frame: expected an integer from 0 to 16777216, got 4294967295"},
    };
    expectRefused(cases);
    Session::Data data;
    std::string error;
    EXPECT_TRUE(Session::readSession(SessionTests::writeFile(".jsonl", header + R"({"frame":16777216})"), data, error))
        << error;
}

// Frame lines of the usual shape are read without building their document;
// what that gives must be what reading every line thoroughly gives, also for
// lines at the edges of what that way takes, and lines it leaves to the
// thorough way (a state, a duplicate member, a tracker's "NaN").
TEST(SessionReaderTest, FramesReadQuicklyAreWhatTheThoroughReadingGives) {
    const std::string session = header + keyboard + R"({"device":"stick","instance":"A1B2C3D4-0000-11EF-8001-444553540000","type":66068,"name":"Stick"}
{"headTracker":{}}
{"frame":0,"ticks":[0,4294967295]}
{"ticks":5,"frame":1,"devices":{"kbd":{"data":[[30,-2147483648,0],[0,4294967295,4294967295],[1,-0,2]]}}}
{"frame":2,"devices":{"kbd":{},"stick":{"poll":1,"result":-1,"data":[]}}}
{"frame":3,"devices":{"stick":{"poll":-2147024866}},"headTracker":{"result":4294967295,"status":65535,"roll":-0,"pitch":1e-50,"yaw":3.4028235e38,"x":-340282346638528859811704183484516925440,"z":7}}
{"frame":4,"headTracker":{"signature":3,"y":-1.5}}
{"frame":5,"headTracker":{"y":"NaN","x":2}}
{"frame":6,"frame":7,"devices":{"stick":{"state":{"values":[[4,-5],[49,128]]},"data":[[4,1,1]]}}}
{"frame":9 , "devices" : { "stick" : { "data" : [ [ 0 , 1 , 2 ] ] } } }
)";
    std::istringstream quickIn(session), thoroughIn(session);
    Session::Data quick, thorough;
    std::string error;
    ASSERT_TRUE(Session::readSession(quickIn, "s", quick, error)) << error;
    ASSERT_TRUE(Session::readSession(thoroughIn, "s", thorough, error, Session::FrameReading::Thorough)) << error;
    ASSERT_EQ(quick.frames.size(), 8u);
    EXPECT_EQ(describe(quick), describe(thorough));
}
