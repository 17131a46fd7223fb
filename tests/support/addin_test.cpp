#include "addin_test.h"

#include <algorithm>

#include "host/globals.h"

using automation::Object;

void AddinTest::TearDown() {
    if (session.connected()) session.shutdown();
    EXPECT_EQ(outlook.addinReferences(), 0) << testing::PrintToString(outlook.heldObjects());
    OrganizerName.clear();
}

void AddinTest::Start() {
    session.connect();
    session.startupComplete();
}

namespace {

Object QuorvelBar(const Object& window) {
    Object bars = window.get("CommandBars").toObject();
    int16_t count = bars.get("Count").toInt16();
    for (int16_t index = 1; index <= count; ++index) {
        Object bar = bars.call("Item", {index}).toObject();
        if (bar.get("Name").toString() == "Quorvel") return bar;
    }
    return Object();
}

}  // namespace

std::vector<std::string> AddinTest::QuorvelButtons(const Object& window) {
    std::vector<std::string> captions;
    Object bar = QuorvelBar(window);
    if (!bar) return captions;
    Object controls = bar.get("Controls").toObject();
    int16_t count = controls.get("Count").toInt16();
    for (int16_t index = 1; index <= count; ++index)
        captions.push_back(controls.call("Item", {index}).toObject().get("Caption").toString());
    return captions;
}

int AddinTest::BarsNamedQuorvel(const Object& window) {
    Object bars = window.get("CommandBars").toObject();
    int16_t count = bars.get("Count").toInt16();
    int found = 0;
    for (int16_t index = 1; index <= count; ++index)
        if (bars.call("Item", {index}).toObject().get("Name").toString() == "Quorvel") ++found;
    return found;
}

Object AddinTest::QuorvelControl(const Object& window, const std::string& caption) {
    return QuorvelBar(window).get("Controls").toObject().call("Item", {caption}).toObject();
}

int AddinTest::CountLogged(const std::string& message) {
    std::vector<std::string> lines = Log();
    return static_cast<int>(std::count(lines.begin(), lines.end(), "09:00:00: " + message));
}

bool AddinTest::Logged(const std::string& message) { return CountLogged(message) > 0; }

int AddinTest::CountLoggedUnder(const std::string& label) {
    int count = 0;
    for (const std::string& line : Log()) count += line.rfind("09:00:00: " + label, 0) == 0;
    return count;
}
