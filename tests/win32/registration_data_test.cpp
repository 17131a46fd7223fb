#include "win32/registration_data.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace win32::registration;

const Ids ids{"{6FE01BD5-7157-4B4A-B427-347DAE3050A2}", "{2125A69A-3C28-459F-883B-9CDCC4BF498F}",
              "{95F0595E-05B4-43D4-A0DF-D1FF010816AE}"};
const std::string dll = "C:\\Program Files\\Vesk\\Quorvel\\Quorvel.dll";

const Value* find(const Plan& plan, const std::string& key, const std::string& name) {
    for (const Value& value : plan.written)
        if (value.key == key && value.name == name) return &value;
    return nullptr;
}

bool isUnder(const std::string& key, const std::string& parent) {
    return key == parent || key.rfind(parent + "\\", 0) == 0;
}

bool isUnderAny(const std::string& key, const std::vector<std::string>& parents) {
    return std::any_of(parents.begin(), parents.end(), [&](const std::string& parent) { return isUnder(key, parent); });
}

TEST(Registration, UnregistrationRemovesEverythingRegistrationWrites) {
    for (Bitness bitness : {Bitness::Win32, Bitness::Win64}) {
        const Plan plan = win32::registration::plan(ids, dll, bitness);
        for (const Value& value : plan.written) {
            const bool shared = std::any_of(plan.sharedValues.begin(), plan.sharedValues.end(), [&](const ValueName& v) {
                return v.key == value.key && v.name == value.name;
            });
            EXPECT_TRUE(isUnderAny(value.key, plan.classKeys) || isUnderAny(value.key, plan.ownedKeys) ||
                        isUnderAny(value.key, plan.sharedKeys) || shared)
                << value.key << " " << value.name;
        }
    }
}

TEST(Registration, RemovesNoKeyThatOtherSoftwareShares) {
    const Plan plan = win32::registration::plan(ids, dll, Bitness::Win64);
    const std::string typeLibKey = "Software\\Classes\\TypeLib\\" + ids.libid;
    // Each key removed whole is named after one of the add-in's own identifiers, or lies below one.
    std::vector<std::string> removed = plan.classKeys;
    removed.insert(removed.end(), plan.ownedKeys.begin(), plan.ownedKeys.end());
    removed.insert(removed.end(), plan.sharedKeys.begin(), plan.sharedKeys.end());
    for (const std::string& key : removed) {
        const std::string last = key.substr(key.rfind('\\') + 1);
        const bool named = last == ids.clsid || last == ids.libid || last == ids.connectIid || last == ProgId;
        EXPECT_TRUE(named || isUnder(key, typeLibKey)) << key;
    }
    EXPECT_EQ(plan.keysRemovedWhenEmpty, (std::vector<std::string>{"Software\\Vesk\\Quorvel", "Software\\Vesk"}));
}

// Both bitnesses may be registered side by side: one's unregistration keeps what the other needs.
TEST(Registration, EachBitnessRemovesOnlyItsOwnKeysWhileTheOtherIsRegistered) {
    const std::string win32Dll = "C:\\Program Files (x86)\\Vesk\\Quorvel\\Quorvel.dll";
    const Plan win32Plan = win32::registration::plan(ids, win32Dll, Bitness::Win32);
    const Plan win64Plan = win32::registration::plan(ids, dll, Bitness::Win64);
    for (const auto& [plan, other] : {std::pair{&win32Plan, &win64Plan}, std::pair{&win64Plan, &win32Plan}}) {
        for (const std::string& owned : plan->ownedKeys)
            for (const Value& value : other->written) EXPECT_FALSE(isUnder(value.key, owned)) << owned;
        // The other build's sign of life is a key that only its own unregistration removes.
        EXPECT_TRUE(isUnderAny(plan->otherBuildKey, other->ownedKeys)) << plan->otherBuildKey;
        EXPECT_FALSE(isUnderAny(plan->otherBuildKey, plan->ownedKeys)) << plan->otherBuildKey;
        EXPECT_NE(find(*other, plan->otherBuildKey, ""), nullptr);
    }
    // The class keys may be one key for both builds: each build takes them only where they name
    // its own library.
    ASSERT_NE(find(win32Plan, win32Plan.serverKey, ""), nullptr);
    EXPECT_EQ(std::get<std::string>(find(win32Plan, win32Plan.serverKey, "")->data), win32Dll);
    EXPECT_EQ(std::get<std::string>(find(win64Plan, win64Plan.serverKey, "")->data), dll);
    EXPECT_TRUE(isUnderAny(win64Plan.serverKey, win64Plan.classKeys));
}

TEST(Registration, OutlookFindsTheAddinForTheCurrentUser) {
    const Plan plan = win32::registration::plan(ids, dll, Bitness::Win32);
    const std::string addin = "Software\\Microsoft\\Office\\Outlook\\Addins\\Quorvel.Connect";
    ASSERT_NE(find(plan, addin, "LoadBehavior"), nullptr);
    EXPECT_EQ(find(plan, addin, "LoadBehavior")->data, (std::variant<std::string, uint32_t>(uint32_t{3})));
    EXPECT_EQ(std::get<std::string>(find(plan, addin, "FriendlyName")->data), "Quorvel");
    EXPECT_EQ(std::get<std::string>(find(plan, addin, "Description")->data), "Quorvel Addin");
    EXPECT_EQ(std::get<std::string>(find(plan, "Software\\Vesk\\Quorvel", "Version")->data), "1.01.0004");
}

TEST(Registration, TheProgIdLeadsToThisLibrary) {
    const Plan plan = win32::registration::plan(ids, dll, Bitness::Win32);
    const std::string clsidKey = "Software\\Classes\\CLSID\\" + ids.clsid;
    EXPECT_EQ(std::get<std::string>(find(plan, "Software\\Classes\\Quorvel.Connect\\CLSID", "")->data), ids.clsid);
    EXPECT_EQ(std::get<std::string>(find(plan, clsidKey + "\\InprocServer32", "")->data), dll);
    EXPECT_EQ(std::get<std::string>(find(plan, clsidKey + "\\InprocServer32", "ThreadingModel")->data), "Apartment");
}

TEST(Registration, TypeLibraryEntryMatchesTheLibrarysBitness) {
    const std::string version = "Software\\Classes\\TypeLib\\" + ids.libid + "\\1.0";
    const Plan win32Plan = win32::registration::plan(ids, dll, Bitness::Win32);
    const Plan win64Plan = win32::registration::plan(ids, dll, Bitness::Win64);
    EXPECT_NE(find(win32Plan, version + "\\0\\win32", ""), nullptr);
    EXPECT_EQ(find(win32Plan, version + "\\0\\win64", ""), nullptr);
    EXPECT_NE(find(win64Plan, version + "\\0\\win64", ""), nullptr);
    EXPECT_EQ(std::get<std::string>(find(win64Plan, version + "\\HELPDIR", "")->data),
              "C:\\Program Files\\Vesk\\Quorvel");
}

}  // namespace
