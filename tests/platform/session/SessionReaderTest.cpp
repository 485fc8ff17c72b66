#include "platform/directinput/System.h"
#include "platform/npclient/NPClient.h"
#include "platform/session/SessionReader.h"
#include "support/SessionSupport.h"

#include <gtest/gtest.h>

using SessionTests::ScopedVariable;

namespace {

const std::string header = "{\"format\":\"vorlan-session\",\"version\":1}\n";
const std::string keyboard =
    "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":1043,\"name\":\"Keyboard\"}\n";

} // namespace

TEST(SessionReaderTest, EachFaultIsNamedWithItsFileAndLine) {
    struct Case {
        std::string text;
        std::string message;  // after "FILE:"
    };
    const Case cases[] = {
        {"", " empty file, not a session"},
        {"\n  \n", " empty file, not a session"},
        {header + keyboard + "{\"frame\":1,\"devi", "3: cut short: the file ends inside this line"},
        {header + "{\"frame\":1,\n", "2: not JSON: the line ends inside a value"},
        {header + "frame 1\n", "2: not JSON (column 2)"},
        {header + "[1,2]\n", "2: expected a JSON object, got [1,2]"},
        {"{\"format\":\"csv\",\"version\":1}\n",
         "1: not a session file: the first line must be {\"format\":\"vorlan-session\",\"version\":1}"},
        {keyboard, "1: not a session file: the first line must be {\"format\":\"vorlan-session\",\"version\":1}"},
        {"{\"format\":\"vorlan-session\",\"version\":2}\n", "1: format version 2 is newer than this library reads (1)"},
        {"{\"format\":\"vorlan-session\",\"version\":0}\n", "1: unknown format version 0"},
        {"{\"format\":\"vorlan-session\",\"version\":\"1\"}\n", "1: version: expected an integer, got \"1\""},
        {"{\"format\":\"vorlan-session\"}\n", "1: version: missing"},
        {header + header, "2: a second header line"},
        {header + "{\"what\":1}\n",
         "2: neither a device, a head-tracker nor a frame line (no member \"device\", \"headTracker\" or \"frame\")"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"stick2\":{}}}\n",
         "3: frame 1 names the device \"stick2\", which the session does not declare"},
        {header + "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":\"keyboard\",\"name\":\"K\"}\n",
         "2: type: expected an integer from 0 to 4294967295, got \"keyboard\""},
        {header + "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":1,\"name\":\"K\",\"usagePage\":70000}\n",
         "2: usagePage: expected an integer from 0 to 65535, got 70000"},
        {header + "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7\",\"type\":1,\"name\":\"K\"}\n",
         "2: instance: expected a GUID \"XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX\", got \"6F1D2B61-D5A0-11CF-BFC7\""},
        {header + "{\"device\":\"kbd\",\"type\":1,\"name\":\"K\"}\n", "2: instance: missing"},
        {header + "{\"device\":\"\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":1,\"name\":\"K\"}\n",
         "2: device: expected a non-empty id"},
        {header + keyboard + keyboard, "3: the device \"kbd\" is declared twice"},
        {header + keyboard + "{\"device\":\"k2\",\"instance\":\"6f1d2b61-d5a0-11cf-bfc7-444553540000\",\"type\":1,\"name\":\"K\"}\n",
         "3: instance: 6F1D2B61-D5A0-11CF-BFC7-444553540000 is the device \"kbd\"'s already"},
        {header + "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":1,\"name\":\"K\",\"objects\":[{\"ofs\":1}]}\n",
         "2: objects[0].type: missing"},
        {header + "{\"device\":\"kbd\",\"instance\":\"6F1D2B61-D5A0-11CF-BFC7-444553540000\",\"type\":1,\"name\":\"K\",\"caps\":{\"buttons\":-1}}\n",
         "2: caps.buttons: expected an integer from 0 to 4294967295, got -1"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"dta\":[]}}}\n", "3: unknown member \"devices.kbd.dta\""},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"data\":[[1,2]]}}}\n",
         "3: devices.kbd.data[0]: expected [offset, data, time], got [1,2]"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"data\":[[1,2,3],[-1,2,3]]}}}\n",
         "3: devices.kbd.data[1][0]: expected an integer from 0 to 4294967295, got -1"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"data\":[[1,4294967296,3]]}}}\n",
         "3: devices.kbd.data[0][1]: expected an integer from -2147483648 to 4294967295, got 4294967296"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"result\":-1,\"data\":[[1,2,3]]}}}\n",
         "3: devices.kbd.data: records from a failing fetch"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"poll\":-1,\"data\":[[1,2,3]]}}}\n",
         "3: devices.kbd.data: records from a failing poll"},
        {header + keyboard + "{\"frame\":1,\"devices\":{\"kbd\":{\"data\":{}}}}\n", "3: devices.kbd.data: expected an array"},
        {header + "{\"frame\":0}\n", "2: frame: expected an integer from 1 to 4294967295, got 0"},
        {header + "{\"frame\":2}\n{\"frame\":2}\n", "3: frame 2 comes after frame 2"},
        {header + "{\"frame\":1}\n" + keyboard, "3: device lines come before the first frame"},
        {header + "{\"frame\":1,\"ticks\":-5}\n", "2: ticks: expected an integer from 0 to 4294967295, got -5"},
        {header + "{\"frame\":1,\"headTracker\":{}}\n", "2: headTracker: the session declares no head tracker"},
        {header + "{\"headTracker\":{}}\n{\"headTracker\":{}}\n", "3: a second head-tracker line"},
        {header + "{\"headTracker\":{\"results\":{\"fly\":1}}}\n", "2: headTracker.results: no set-up call is named \"fly\""},
        {header + "{\"headTracker\":{\"location\":\"moon\"}}\n",
         "2: headTracker.location: expected \"found\" or \"unreadable\", got \"moon\""},
        {header + "{\"headTracker\":{}}\n{\"frame\":1,\"headTracker\":{\"pitch\":1e300}}\n",
         "3: headTracker.pitch: expected a number, got 1e+300"},
        {header + "{\"headTracker\":{}}\n{\"frame\":1,\"headTracker\":{\"signature\":65536}}\n",
         "3: headTracker.signature: expected an integer from 0 to 65535, got 65536"},
        {header + std::string(Session::MaxLineLength + 1, ' ') + "\n", "2: line longer than 1048576 bytes"},
        {header + std::string(100000, '[') + std::string(100000, ']') + "\n", "2: values nested deeper than 32 levels"},
        {header + "{\"frame\":1,\"x\":\"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\\\"\"}\n", "2: unknown member \"x\""},
    };
    for (const Case& c : cases) {
        const std::string path = SessionTests::writeFile(".jsonl", c.text);
        Session::Data data;
        std::string error;
        EXPECT_FALSE(Session::readSession(path, data, error)) << c.message;
        EXPECT_EQ(error, path + ":" + c.message);
    }
    Session::Data data;
    std::string error;
    EXPECT_FALSE(Session::readSession("/nonexistent/session.jsonl", data, error));
    EXPECT_EQ(error, "/nonexistent/session.jsonl: cannot be opened (No such file or directory)");
}

TEST(SessionReaderTest, HandWrittenLinesMayEndInCarriageReturnsOrWithoutLineFeed) {
    const std::string path = SessionTests::writeFile(".jsonl", "{\"format\":\"vorlan-session\",\"version\":1}\r\n" + keyboard +
                                                                   "{\"frame\":3,\"devices\":{\"kbd\":{\"data\":[[30,4294967295,1]]}}}");
    Session::Data data;
    std::string error;
    ASSERT_TRUE(Session::readSession(path, data, error)) << error;
    ASSERT_EQ(data.frames.size(), 1u);
    EXPECT_EQ(data.frames[0].number, 3u);
    EXPECT_EQ(data.frames[0].fetches.at(0).records.at(0).data, 0xFFFFFFFFu);
}

TEST(SessionReaderTest, ABadSessionMakesCreateFailWithItsMessageAndInstallsNothing) {
    const std::string path = SessionTests::writeFile(".jsonl", header + keyboard + "{\"frame\":1}\n{\"frame\":2,\"devices\":{\"pad\":{}}}\n");
    ScopedVariable replay("VORLAN_REPLAY", path);
    std::unique_ptr<DirectInput::System> system;
    EXPECT_TRUE(DirectInput::failed(DirectInput::create(system)));
    EXPECT_FALSE(system);
    EXPECT_EQ(DirectInput::createFailure(), path + ":4: frame 2 names the device \"pad\", which the session does not declare");
    EXPECT_EQ(&NPClient::client(), &NPClient::nativeClient());
}
