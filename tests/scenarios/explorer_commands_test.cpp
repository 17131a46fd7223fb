#include "addin_test.h"

#include "dialogs/about_form.h"
#include "platform/platform.h"

using automation::Object;

TEST_F(AddinTest, NewMeetingOpensAnEmptyAppointmentWithItsToolbar) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    outlook.clickButton(outlook.explorer(1), "New Meeting");
    ASSERT_EQ(outlook.inspectorCount(), 1);
    Object item = outlook.inspector(1).get("CurrentItem").toObject();
    EXPECT_EQ(item.get("Class").toInt16(), 26);
    EXPECT_TRUE(outlook.recipients(item).empty());
    EXPECT_EQ(item.get("MeetingStatus").toInt16(), 0);
    EXPECT_EQ(BarsNamedQuorvel(outlook.inspector(1)), 1);
    EXPECT_EQ(session.window("PeopleResourcesForm"), nullptr);
}

TEST_F(AddinTest, AboutAndShowInfoOpenOneWindowEach) {
    outlook.openExplorer(sim::FolderKind::Inbox);
    Start();
    for (int click = 0; click < 2; ++click) {
        outlook.clickButton(outlook.explorer(1), "About Quorvel");
        outlook.clickButton(outlook.explorer(1), "Show Info");
    }
    ui::headless::HeadlessWindow* about = session.window("AboutForm");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->caption(), "About Quorvel");
    EXPECT_EQ(about->label("lblVersion")->text(), "Version 1.1.4");
    EXPECT_EQ(about->label("lblTitle")->text(), "Quorvel");
    ui::headless::HeadlessWindow* info = session.window("InfoForm");
    EXPECT_EQ(info->caption(), "Calendar Info");
    EXPECT_EQ(info->label("Label1")->text().rfind("Contact && Resource Info shows information", 0), 0u);
    int dialogs = 0;
    for (const auto* window : session.toolkit().windows()) dialogs += window->spec().name != "MainForm";
    EXPECT_EQ(dialogs, 2);
    about->button("cmdOK")->click();
    EXPECT_EQ(session.window("AboutForm"), nullptr) << "OK unloads the About dialog";
    info->button("OKButton")->click();
    EXPECT_FALSE(info->isVisible());
    EXPECT_EQ(session.window("InfoForm"), info) << "OK only hides the information dialog";
}

TEST_F(AddinTest, AboutLinksOpenTheManualMailAndWeb) {
    AboutForm& about = AboutFormInstance::Get();
    about.LabelManual_Click();
    about.LabelEmail_Click();
    about.LabelWeb_Click();
    EXPECT_EQ(outlook.platform().shellOpened(),
              (std::vector<std::string>{std::string(QUORVEL_LIBRARY_FOLDER) + "\\Quorvel User Manual.pdf",
                                        std::string("mailto:") + AboutForm::SupportAddress, AboutForm::WebAddress}));
}

class SystemInfoTest : public AddinTest {
protected:
    void Press() { AboutFormInstance::Get().cmdSysInfo_Click(); }
    void SetValue(const char* key, const char* name, uint32_t type, const std::string& bytes) {
        outlook.platform().setRegistryValue(platform::HKEY_LOCAL_MACHINE_ROOT, key, name, type, bytes);
    }
    int Unavailable() {
        int shown = 0;
        for (const sim::Alert& alert : outlook.alerts())
            shown += alert.text == "System Information Is Unavailable At This Time" && alert.title == "Quorvel";
        return shown;
    }
};

TEST_F(SystemInfoTest, WithoutRegistryValuesTheUserIsToldOnce) {
    Press();
    EXPECT_EQ(Unavailable(), 1);
    EXPECT_TRUE(outlook.platform().processesStarted().empty());
    EXPECT_EQ(outlook.platform().openKeys(), 0u) << "a key was left open";
}

TEST_F(SystemInfoTest, TheToolsPathIsStartedAsItStands) {
    SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", 1, std::string("C:\\msinfo32.exe\0", 16));
    Press();
    EXPECT_EQ(outlook.platform().processesStarted(), std::vector<std::string>{"C:\\msinfo32.exe"});
    EXPECT_EQ(Unavailable(), 0);
}

TEST_F(SystemInfoTest, TheToolsFolderCountsOnlyWhenTheProgramIsThere) {
    SetValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", 1, "C:\\Tools");
    Press();
    EXPECT_EQ(Unavailable(), 1);
    outlook.platform().declareFile("C:\\Tools\\MSINFO32.EXE");
    Press();
    EXPECT_EQ(outlook.platform().processesStarted(), std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
}

TEST_F(SystemInfoTest, AValueOfAnotherTypeIsFoundEmptyAndCannotStart) {
    SetValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", 3, "\x01\x02");
    Press();
    EXPECT_EQ(Unavailable(), 1);
}

TEST_F(SystemInfoTest, ANumberIsReadAsItsDecimalValue) {
    SetValue("SOFTWARE\\Quorvel", "Count", 4, std::string("\x05\x01\x00\x00", 4));
    std::string value;
    EXPECT_TRUE(GetKeyValue(platform::HKEY_LOCAL_MACHINE_ROOT, "SOFTWARE\\Quorvel", "Count", value));
    EXPECT_EQ(value, "261");
    EXPECT_FALSE(GetKeyValue(platform::HKEY_LOCAL_MACHINE_ROOT, "SOFTWARE\\Quorvel", "Missing", value));
    EXPECT_EQ(value, "");
}

TEST_F(SystemInfoTest, TheMachinesKeysAreOpenedForReadingOnly) {
    SetValue("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", 1, "C:\\Tools");
    outlook.platform().declareFile("C:\\Tools\\MSINFO32.EXE");
    Press();
    std::vector<uint32_t> asked = outlook.platform().keyAccessAsked();
    ASSERT_FALSE(asked.empty());
    constexpr uint32_t KeyRead = 0x20019;
    for (uint32_t access : asked) EXPECT_EQ(access & ~KeyRead, 0u) << std::hex << access << " asks for more than reading";
    EXPECT_EQ(outlook.platform().processesStarted(), std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
}
