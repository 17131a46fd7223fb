#include "host_checks.h"

#include <string>
#include <vector>

#include "call_counter.h"
#include "sim_com_object.h"

namespace host {

bool checkAfterShutdown(const sim::Outlook& outlook, std::ostream& out) {
    bool passed = true;
    const std::vector<std::string> repeated = repeatedNameLookups();
    for (const std::string& lookup : repeated) out << "FAILED: GetIDsOfNames for " << lookup << "\n";
    if (repeated.empty()) out << "ok: GetIDsOfNames asked at most once per interface and member name\n";
    passed = passed && repeated.empty();

    const int held = outlook.addinReferences();
    if (held == 0 && liveComObjects() == 0) {
        out << "ok: after shut-down the add-in holds no reference to a host object\n";
    } else {
        out << "FAILED: after shut-down the add-in holds " << held << " reference(s) to host objects:";
        for (const std::string& object : outlook.heldObjects()) out << " " << object;
        out << "\n";
        passed = false;
    }
    return passed;
}

}  // namespace host
