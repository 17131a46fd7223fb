#include "addin_test.h"

#include "log/main_form.h"

using automation::Object;

namespace {
const char* Refusal = "Settings cannot be sent. Please Close and Save to store the settings!";
}

TEST_F(AddinTest, AnyItemWithTheSettingsSubjectIsNotSent) {
    Start();
    Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
    mail.put("Subject", "Quorvel_Settings1_");
    Object inspector = outlook.displayItem(mail);
    EXPECT_FALSE(outlook.sendFromInspector(inspector));
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].title, "Quorvel");
    EXPECT_EQ(outlook.alerts()[0].text, Refusal);
    EXPECT_EQ(outlook.alerts()[0].how, "assistant");
    EXPECT_TRUE(Logged("Addin: OutlookInstance_ItemSend"));
    EXPECT_TRUE(Logged("Addin: Prohibited Quorvel Settings to be sent"));
    EXPECT_EQ(outlook.inspectorCount(), 1) << "a cancelled send leaves the window open";
}

TEST_F(AddinTest, OtherSubjectsAreSentUntouched) {
    Start();
    for (const char* subject : {"quorvel_settings1_", "Quorvel_Settings1_ ", "Lunch"}) {
        Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
        mail.put("Subject", subject);
        EXPECT_TRUE(outlook.sendFromInspector(outlook.displayItem(mail))) << subject;
    }
    EXPECT_TRUE(outlook.alerts().empty());
    EXPECT_EQ(CountLogged("Addin: OutlookInstance_ItemSend"), 3);
    EXPECT_FALSE(Logged("Addin: Prohibited Quorvel Settings to be sent"));
}

TEST_F(AddinTest, OnOutlook2000TheRefusalComesInAMessageBoxWithTheLogShown) {
    outlook.setVersion("9.0.0.2711");
    Start();
    bool logShown = false;
    outlook.queueAlertAnswer(sim::AlertAnswer::Ok, [&] { logShown = MainFormInstance::Get().Visible(); });
    Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
    mail.put("Subject", "Quorvel_Settings1_");
    EXPECT_FALSE(outlook.sendFromInspector(outlook.displayItem(mail)));
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].how, "message box");
    EXPECT_TRUE(logShown);
}

TEST_F(AddinTest, AFailingAlertStillLeavesTheSendCancelled) {
    Start();
    outlook.failMember("Application.Assistant", "no assistant");
    Object mail = outlook.application().call("CreateItem", {int16_t{0}}).toObject();
    mail.put("Subject", "Quorvel_Settings1_");
    EXPECT_FALSE(outlook.sendFromInspector(outlook.displayItem(mail)));
    EXPECT_EQ(outlook.handlerFailures().size(), 1u);
}
