#include "wix_registry.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace wix_registry {
namespace {

using win32::registration::Bitness;
using win32::registration::Plan;
using win32::registration::Value;

struct Build {
    const char* arch;
    Bitness bitness;
    const char* componentGuid;  // fixed, so that upgrades and repairs know the component
};

const Build builds[] = {
    {"x64", Bitness::Win64, "{5D301689-0B1C-4308-AC29-8FE17108FFF3}"},
    {"x86", Bitness::Win32, "{FAA8619B-CD67-4FAC-9D89-D11634EDD561}"},
};

std::string escaped(const std::string& text) {
    std::string result;
    for (char c : text) {
        switch (c) {
            case '&': result += "&amp;"; break;
            case '<': result += "&lt;"; break;
            case '>': result += "&gt;"; break;
            case '"': result += "&quot;"; break;
            default: result += c;
        }
    }
    return result;
}

bool isUnder(const std::string& key, const std::string& parent) {
    return key == parent || key.rfind(parent + "\\", 0) == 0;
}

// A key that both views see alike takes one value per name: where the builds differ (the type
// library's HELPDIR), the 32-bit build's, since setup registers it after the 64-bit one.
bool shadowedByLaterBuild(const Value& value, const Plan& own, const Plan& later) {
    const bool shared = std::any_of(own.sharedKeys.begin(), own.sharedKeys.end(),
                                    [&](const std::string& key) { return isUnder(value.key, key); });
    return shared && std::any_of(later.written.begin(), later.written.end(), [&](const Value& other) {
               return other.key == value.key && other.name == value.name && other.data != value.data;
           });
}

void printValue(std::ostream& out, const Value& value, const std::string& serverKey) {
    out << "        <RegistryValue Root=\"HKMU\" Key=\"" << escaped(value.key) << "\"";
    if (!value.name.empty()) out << " Name=\"" << escaped(value.name) << "\"";
    if (const auto* text = std::get_if<std::string>(&value.data))
        out << " Type=\"string\" Value=\"" << escaped(*text) << "\"";
    else
        out << " Type=\"integer\" Value=\"" << std::get<uint32_t>(value.data) << "\"";
    if (value.key == serverKey && value.name.empty()) out << " KeyPath=\"yes\"";
    out << "/>\n";
}

}  // namespace

std::string fragment(const win32::registration::Ids& ids) {
    std::vector<Plan> plans;
    for (const Build& build : builds)
        plans.push_back(win32::registration::plan(ids, std::string("[INSTALLFOLDER]") + build.arch + "\\Quorvel.dll",
                                                  build.bitness));
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<!-- Printed by quorvel-wix-registry from the table DllRegisterServer writes. -->\n"
           "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
           "  <Fragment>\n";
    for (size_t index = 0; index < plans.size(); ++index) {
        const Build& build = builds[index];
        const Plan& plan = plans[index];
        out << "    <DirectoryRef Id=\"INSTALLFOLDER_" << build.arch << "\">\n"
            << "      <Component Id=\"Registration_" << build.arch << "\" Guid=\"" << build.componentGuid << "\" Win64=\"" << (build.bitness == Bitness::Win64 ? "yes" : "no")
            << "\">\n";
        for (const Value& value : plan.written) {
            const bool later = index + 1 < plans.size();
            if (later && shadowedByLaterBuild(value, plan, plans[index + 1])) continue;
            printValue(out, value, plan.serverKey);
        }
        out << "      </Component>\n"
               "    </DirectoryRef>\n";
    }
    out << "  </Fragment>\n"
           "</Wix>\n";
    return out.str();
}

}  // namespace wix_registry
