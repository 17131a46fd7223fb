#include "wix_registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace win32::registration;

const Ids ids{"{6FE01BD5-7157-4B4A-B427-347DAE3050A2}", "{2125A69A-3C28-459F-883B-9CDCC4BF498F}",
              "{95F0595E-05B4-43D4-A0DF-D1FF010816AE}"};

// The RegistryValue lines of the component named Registration_<arch>.
std::vector<std::string> componentValues(const std::string& fragment, const std::string& arch) {
    std::istringstream lines(fragment);
    std::vector<std::string> values;
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.find("<Component Id=\"Registration_" + arch + "\"") != std::string::npos) inside = true;
        if (line.find("</Component>") != std::string::npos) inside = false;
        if (inside && line.find("<RegistryValue ") != std::string::npos) values.push_back(line);
    }
    return values;
}

size_t countWith(const std::vector<std::string>& lines, const std::string& part) {
    size_t count = 0;
    for (const std::string& line : lines) count += line.find(part) != std::string::npos;
    return count;
}

TEST(WixRegistry, EachBuildWritesWhatItsDllRegisterServerWritesInItsOwnView) {
    const std::string fragment = wix_registry::fragment(ids);
    const std::vector<std::string> x64 = componentValues(fragment, "x64");
    const std::vector<std::string> x86 = componentValues(fragment, "x86");
    EXPECT_EQ(x86.size(), plan(ids, "", Bitness::Win32).written.size());
    // The type library's HELPDIR, which both views share, is the one the 32-bit build writes last.
    EXPECT_EQ(x64.size(), plan(ids, "", Bitness::Win64).written.size() - 1);
    EXPECT_EQ(countWith(x64, "HELPDIR"), 0u);
    EXPECT_EQ(countWith(x86, "HELPDIR\" Type=\"string\" Value=\"[INSTALLFOLDER]x86\""), 1u);
    EXPECT_EQ(countWith(x64, "\\0\\win64\" Type=\"string\" Value=\"[INSTALLFOLDER]x64\\Quorvel.dll\""), 1u);
    EXPECT_EQ(countWith(x86, "\\0\\win32\" Type=\"string\" Value=\"[INSTALLFOLDER]x86\\Quorvel.dll\""), 1u);
    EXPECT_EQ(countWith(x64, "Name=\"LoadBehavior\" Type=\"integer\" Value=\"3\""), 1u);
    EXPECT_EQ(countWith(x64, "Root=\"HKMU\""), x64.size());
    EXPECT_EQ(countWith(x86, "Root=\"HKMU\""), x86.size());
    EXPECT_NE(fragment.find("<Component Id=\"Registration_x64\" Guid=\"{5D301689-0B1C-4308-AC29-8FE17108FFF3}\" Win64=\"yes\">"),
              std::string::npos);
    EXPECT_NE(fragment.find("<Component Id=\"Registration_x86\" Guid=\"{FAA8619B-CD67-4FAC-9D89-D11634EDD561}\" Win64=\"no\">"),
              std::string::npos);
}

// A repair reinstalls a build's keys when its class's server value is missing.
TEST(WixRegistry, TheKeyPathOfEachBuildIsItsClassServer) {
    const std::string fragment = wix_registry::fragment(ids);
    for (const char* arch : {"x64", "x86"}) {
        const std::vector<std::string> values = componentValues(fragment, arch);
        ASSERT_EQ(countWith(values, "KeyPath=\"yes\""), 1u) << arch;
        EXPECT_EQ(countWith(values, "\\InprocServer32\" Type=\"string\" Value=\"[INSTALLFOLDER]" + std::string(arch) +
                                        "\\Quorvel.dll\" KeyPath=\"yes\""),
                  1u)
            << arch;
    }
}

}  // namespace
