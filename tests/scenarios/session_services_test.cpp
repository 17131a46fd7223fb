#include "addin_test.h"

#include "automation/error.h"
#include "host/globals.h"
#include "log/main_form.h"
#include "session/addin.h"

using automation::Object;

TEST_F(AddinTest, OutlookVersionIsTheNumberBeforeTheFirstDot) {
    session.connect();
    outlook.setVersion("9.0.0.2711");
    EXPECT_EQ(gAddin->GetOutlookVersion(), 9);
    outlook.setVersion("12.0.4518.1014");
    EXPECT_EQ(gAddin->GetOutlookVersion(), 12);
    outlook.setVersion("12");
    EXPECT_THROW(gAddin->GetOutlookVersion(), automation::Error) << "a version without a dot";
    outlook.setVersion("x.0");
    try {
        gAddin->GetOutlookVersion();
        ADD_FAILURE();
    } catch (const automation::Error& error) {
        EXPECT_EQ(error.code(), automation::errors::TypeMismatch);
    }
    outlook.setVersion("0x0C.0");
    EXPECT_THROW(gAddin->GetOutlookVersion(), automation::Error) << "C's hexadecimal is no Basic number";
    gAddin->Destruct();
    EXPECT_EQ(gAddin->GetOutlookVersion(), 0);
}

TEST_F(AddinTest, AlertsUseTheAssistantFromOutlook2002) {
    outlook.setVersion("10.0.0.2627");
    session.connect();
    outlook.queueAlertAnswer(sim::AlertAnswer::Cancel);
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), 2);
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), 1);
    ASSERT_EQ(outlook.alerts().size(), 2u);
    EXPECT_EQ(outlook.alerts()[0].how, "assistant");
    EXPECT_FALSE(MainFormInstance::IsLoaded() && MainFormInstance::Get().Visible());
}

TEST_F(AddinTest, AlertsOnOutlook2000ShowTheLogWindowForTheirDuration) {
    outlook.setVersion("9.0.0.2711");
    session.connect();
    bool shownDuringAlert = false;
    outlook.queueAlertAnswer(sim::AlertAnswer::Ok, [&] { shownDuringAlert = MainFormInstance::Get().Visible(); });
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), -1);
    EXPECT_TRUE(shownDuringAlert);
    EXPECT_FALSE(MainFormInstance::Get().Visible());
    EXPECT_EQ(outlook.alerts().back().how, "message box");
    outlook.queueAlertAnswer(sim::AlertAnswer::Cancel);
    MainFormInstance::Get().Show();
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), 0);
    EXPECT_TRUE(MainFormInstance::Get().Visible()) << "a window shown before must stay shown";
}

TEST_F(AddinTest, ShutDownDuringAnOutlook2000AlertLeavesTheLogWindowUnloaded) {
    outlook.setVersion("9.0.0.2711");
    session.connect();
    outlook.queueAlertAnswer(sim::AlertAnswer::Ok, [&] { session.shutdown(); });
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), -1);
    EXPECT_FALSE(MainFormInstance::IsLoaded()) << "the unloaded form came back, or was touched freed";
}

TEST_F(AddinTest, TheSecurityNoticeNamesTheProduct) {
    session.connect();
    gAddin->OutlookSecurityInfo();
    ASSERT_EQ(outlook.alerts().size(), 1u);
    EXPECT_EQ(outlook.alerts()[0].title, "Outlook Security Info");
    EXPECT_EQ(outlook.alerts()[0].text,
              "Quorvel could not access data from Outlook. This is probably due to the fact that you prevented "
              "access to Outlook just before. Please allow access as Quorvel will not work correctly otherwise. "
              "Please refer to the documentation for info and possible ways to work around this issue.");
}

TEST_F(AddinTest, NoAlertWithoutAnApplication) {
    session.connect();
    gAddin->Destruct();
    gAddin->Destruct();
    EXPECT_EQ(gAddin->OutlookAlert("Title", "Text"), 0);
    EXPECT_TRUE(outlook.alerts().empty());
}

TEST_F(AddinTest, CurrentUserNameFromTheSecurityWrapperOnceThenCached) {
    outlook.setCurrentUser("Erik Lund");
    outlook.installSecurityWrapper(true);
    session.connect();
    long long before = outlook.calls();
    EXPECT_EQ(gAddin->GetCurrentUserName(), "Erik Lund");
    long long firstLookUp = outlook.calls() - before;
    EXPECT_EQ(gAddin->GetCurrentUserName(), "Erik Lund");
    EXPECT_EQ(outlook.calls() - before, firstLookUp) << "the second look-up asked again";
}

TEST_F(AddinTest, CurrentUserNameFromOutlookWithoutTheWrapperAndEmptyWhenRefused) {
    outlook.setCurrentUser("Erik Lund");
    session.connect();
    outlook.denyAccess(true);
    EXPECT_EQ(gAddin->GetCurrentUserName(), "");
    outlook.denyAccess(false);
    EXPECT_EQ(gAddin->GetCurrentUserName(), "Erik Lund") << "an empty answer must be asked again";
}

TEST_F(AddinTest, ItemsAreFoundByEntryIdOrNothing) {
    sim::AppointmentSpec review;
    review.subject = "Review";
    Object saved = outlook.addAppointment(review);
    std::string entryId = saved.get("EntryID").toString();
    session.connect();
    EXPECT_TRUE(gAddin->GetItemFromID(entryId, "").is(saved));
    EXPECT_TRUE(gAddin->GetItemFromID("no such id", "").isNothing());
}
