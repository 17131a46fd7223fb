#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "automation/error.h"
#include "automation/object.h"
#include "outlook.h"
#include "outlook_template.h"

using automation::Error;
using automation::Object;
using automation::Value;

namespace {

constexpr int32_t STG_E_FILENOTFOUND = static_cast<int32_t>(0x80030002u);

class SimTemplate : public ::testing::Test {
protected:
    SimTemplate() : folder(std::filesystem::temp_directory_path() / ("sim_template_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder);
        app = outlook.application();
    }
    ~SimTemplate() override { std::filesystem::remove_all(folder); }

    // The path as the add-in builds it: the library folder, a backslash, the file name.
    std::string windowsPath(const std::string& name) const { return folder.string() + "\\" + name; }

    std::filesystem::path folder;
    sim::Outlook outlook;
    Object app;
};

int32_t codeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.code();
    }
    return 0;
}

}  // namespace

TEST_F(SimTemplate, CreatesAnUnsavedItemFromTheTemplate) {
    msgfile::writeTemplate((folder / "QuorvelSettings.oft").string(), {"Quorvel_Settings1_", "IPM.Appointment"});
    Object item = app.call("CreateItemFromTemplate", {windowsPath("QuorvelSettings.oft")}).toObject();
    EXPECT_EQ(item.get("Subject").toString(), "Quorvel_Settings1_");
    EXPECT_EQ(item.get("MessageClass").toString(), "IPM.Appointment");
    EXPECT_FALSE(item.get("Saved").toBool());
    EXPECT_TRUE(outlook.subjects(sim::FolderKind::Calendar).empty());
    item.call("Save");
    EXPECT_EQ(outlook.subjects(sim::FolderKind::Calendar), std::vector<std::string>{"Quorvel_Settings1_"});
}

TEST_F(SimTemplate, MissingOrBrokenFilesRaiseCannotOpen) {
    std::string missing = windowsPath("absent.oft");
    try {
        app.call("CreateItemFromTemplate", {missing});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.code(), STG_E_FILENOTFOUND);
        EXPECT_EQ(error.description().rfind("Cannot open file: " + missing + ".", 0), 0u);
    }
    std::ofstream(folder / "broken.oft") << "not a compound file";
    EXPECT_EQ(codeOf([&] { app.call("CreateItemFromTemplate", {windowsPath("broken.oft")}); }), STG_E_FILENOTFOUND);
}

TEST(SimAssistant, DoAlertAnswersFromTheQueueAndLogs) {
    sim::Outlook outlook;
    Object assistant = outlook.application().get("Assistant").toObject();
    auto alert = [&](int32_t defaultButton) {
        return assistant.call("DoAlert", {"Title", "Text", int32_t{1}, int32_t{3}, defaultButton, int32_t{1}, false})
            .toInt32();
    };
    bool ranWhileShown = false;
    outlook.queueAlertAnswer(sim::AlertAnswer::Cancel, [&] { ranWhileShown = true; });
    EXPECT_EQ(alert(0), 2);
    EXPECT_TRUE(ranWhileShown);
    EXPECT_EQ(alert(1), 1);
    EXPECT_THROW(alert(2), Error);
    ASSERT_EQ(outlook.alerts().size(), 2u);
    EXPECT_EQ(outlook.alerts()[0].how, "assistant");
    EXPECT_EQ(outlook.alerts()[0].title, "Title");
}

TEST(SimPlatform, MessageBoxesShareTheQueueAndOkOnlyBoxesLeaveIt) {
    sim::Outlook outlook;
    auto& platform = outlook.platform();
    outlook.queueAlertAnswer(sim::AlertAnswer::Cancel);
    EXPECT_EQ(platform.messageBox("Info", "T", platform::MessageBoxButtons::Ok), platform::MessageBoxAnswer::Ok);
    EXPECT_EQ(platform.messageBox("Sure?", "T", platform::MessageBoxButtons::OkCancel),
              platform::MessageBoxAnswer::Cancel);
    ASSERT_EQ(outlook.alerts().size(), 2u);
    EXPECT_EQ(outlook.alerts()[1].text, "Sure?");
    EXPECT_EQ(outlook.alerts()[1].how, "message box");
}

TEST(SimPlatform, RegistryAnswersWindowsCodes) {
    sim::Outlook outlook;
    auto& platform = outlook.platform();
    platform.setRegistryValue(platform::HKEY_LOCAL_MACHINE_ROOT, "Software\\Vesk\\Quorvel", "Version", 1, "1.1");
    uintptr_t key = 0;
    EXPECT_EQ(platform.regOpenKey(platform::HKEY_LOCAL_MACHINE_ROOT, "Software\\Other", 1, key), 2);
    EXPECT_EQ(key, 0u);
    ASSERT_EQ(platform.regOpenKey(platform::HKEY_LOCAL_MACHINE_ROOT, "software\\vesk\\quorvel", 1, key), 0);
    platform::RegistryData data;
    EXPECT_EQ(platform.regQueryValue(key, "Missing", 255, data), 2);
    EXPECT_EQ(platform.regQueryValue(key, "Version", 2, data), 234);
    ASSERT_EQ(platform.regQueryValue(key, "Version", 255, data), 0);
    EXPECT_EQ(data.bytes, "1.1");
    EXPECT_EQ(platform.openKeys(), 1u);
    EXPECT_EQ(platform.regCloseKey(key), 0);
    EXPECT_EQ(platform.regCloseKey(key), 6);
    EXPECT_EQ(platform.openKeys(), 0u);
}
