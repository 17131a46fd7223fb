#include "form_scenarios.h"

#include <string>

#include "dialogs/about_form.h"
#include "dialogs/info_form.h"
#include "dialogs/order_form.h"
#include "directory/people_resources_form.h"
#include "host/version.h"
#include "log/log.h"
#include "log/main_form.h"

namespace windowcheck {
namespace {

// Wine maps the dialog font to Tahoma, which the script installs.
const FontFaces DialogFont = {L"MS Shell Dlg", L"Tahoma"};

FormScenario mainForm() {
    FormExpectation expected;
    expected.name = "main";
    expected.caption = L"Quorvel";
    expected.clientWidthTwips = 7035;
    expected.clientHeightTwips = 6600;
    expected.buttons = {{L"Hide window", L"Hide window"}};
    expected.lists = {
        {{L": Quorvel started", false}, {L": Explorer opened", false}, {L": Settings item not found", false}}};
    expected.tabStops = {L"list 1", L"Hide window"};
    expected.font = DialogFont;
    auto open = [] {
        LogError("Quorvel started");
        LogError("Explorer opened");
        LogError("Settings item not found");
        MainFormInstance::Get().Show();
    };
    return {expected, open, L"Hide window"};
}

// Nothing is chosen or looked up while the window is made.
const std::wstring PeopleResourcesSummary;

FormScenario peopleResourcesForm() {
    FormExpectation expected;
    expected.name = "people_resources";
    expected.caption = L"People & Resources: Weekly planning";
    expected.clientWidthTwips = 7425;
    expected.clientHeightTwips = 6375;
    expected.buttons = {{L"Save && Close", L"Save & Close"}, {L"Cancel", L"Cancel"}};
    expected.labels = {L"Find:", L"People", L"Resources", PeopleResourcesSummary};
    expected.lists = {
        {{L"Anna Berg", false}, {L"Bo Lindqvist", true}, {L"Carla Diaz", false}, {L"David Okafor", false},
         {L"Guest Speaker", true}},
        {{L"Room Aurora", false}, {L"Room Borealis", true}, {L"Projector 2", false}},
    };
    expected.legend = L"Free, Tentative, Busy, Out of office, Working elsewhere, No information";
    expected.tabStops = {L"search box", L"list 1", L"list 2", L"Save && Close", L"Cancel"};
    expected.font = DialogFont;
    // The directory as the settings item loads it, then the appointment's attendees chosen, and
    // what is known of their time.
    auto open = [] {
        PeopleResourcesForm& form = PeopleResourcesFormInstance::Get();
        for (const char* name : {"Anna Berg", "Bo Lindqvist", "Carla Diaz", "David Okafor"})
            form.PeopleList().Append(name, DirectoryList::DirectoryEntry);
        for (const char* name : {"Room Aurora", "Room Borealis", "Projector 2"})
            form.ResourcesList().Append(name, DirectoryList::DirectoryEntry);
        form.PeopleList().AddItemIfNew("Bo Lindqvist", true);
        form.PeopleList().AddItemIfNew("Guest Speaker", true);
        form.ResourcesList().AddItemIfNew("Room Borealis", true);
        form.PeopleList().SetAvailability(0, ui::Availability::Busy);
        form.PeopleList().SetAvailability(1, ui::Availability::Free);
        form.PeopleList().SetAvailability(3, ui::Availability::Tentative);
        form.PeopleList().SetAvailability(4, ui::Availability::OutOfOffice);
        form.ResourcesList().SetAvailability(0, ui::Availability::WorkingElsewhere);
        form.ResourcesList().SetAvailability(1, ui::Availability::Free);
        form.ResourcesList().SetAvailability(2, ui::Availability::NoInformation);
        form.Window().setCaption("People & Resources: Weekly planning");
        form.Window().show();
    };
    return {expected, open, L"Cancel"};
}

std::wstring versionText() {
    return L"Version " + std::to_wstring(version::Major) + L"." + std::to_wstring(version::Minor) + L"." +
           std::to_wstring(version::Revision);
}

FormScenario aboutForm() {
    FormExpectation expected;
    expected.name = "about";
    expected.caption = L"About Quorvel";
    expected.clientWidthTwips = 5730;
    expected.clientHeightTwips = 3555;
    expected.buttons = {{L"OK", L"OK"}, {L"&System Info...", L"System Info..."}};
    expected.labels = {L"Quorvel",
                       versionText(),
                       L"This Outlook Addin simplifies appointment booking in Outlook - inviting people and "
                       L"handling resources.",
                       L"This program is provided as is, without warranty of any kind.",
                       L"Click here to open the User manual (need PDF Reader)",
                       L"support@vesk.example",
                       L"https://www.vesk.example/quorvel"};
    expected.pictures = 1;
    expected.tabStops = {L"OK", L"&System Info..."};
    expected.font = DialogFont;
    return {expected, [] { AboutFormInstance::Get().Show(); }, L"OK", true};
}

FormExpectation informationForm(const std::string& name, const std::wstring& caption, const std::wstring& text) {
    FormExpectation expected;
    expected.name = name;
    expected.caption = caption;
    expected.clientWidthTwips = 4560;
    expected.clientHeightTwips = 3060;
    expected.buttons = {{L"OK", L"OK"}};
    expected.labels = {text};
    expected.tabStops = {L"OK"};
    expected.font = DialogFont;
    return expected;
}

FormScenario infoForm() {
    const FormExpectation expected = informationForm(
        "info", L"Calendar Info",
        L"Contact && Resource Info shows information about the selected person or resource with text and pictures - "
        L"such as description, location, directions and map, if available. Ask your administrator to enable it for "
        L"your organisation's directory.");
    return {expected, [] { InfoFormInstance::Get().Show(); }, L"OK"};
}

FormScenario orderForm() {
    const FormExpectation expected = informationForm(
        "order", L"Order Items",
        L"Ordering items for a meeting - catering, equipment or services - is not set up for your organisation yet. "
        L"Please add your order to the meeting's notes or contact your facilities team.");
    return {expected, [] { OrderFormInstance::Get().Show(); }, L"OK"};
}

}  // namespace

std::vector<FormScenario> formScenarios() {
    return {mainForm(), peopleResourcesForm(), aboutForm(), infoForm(), orderForm()};
}

void unloadForms() {
    OrderFormInstance::Unload();
    InfoFormInstance::Unload();
    AboutFormInstance::Unload();
    PeopleResourcesFormInstance::Unload();
    MainFormInstance::Unload();
}

}  // namespace windowcheck
