// Which members of the simulated Outlook a fault can be injected into, read from the objects.
#include <algorithm>

#include "outlook.h"
#include "sim_object.h"

namespace sim {
namespace {

// Brings one object of every simulated class to life, the way callers reach each, and answers
// their members while they live.
std::vector<std::string> specimenMembers(Outlook& outlook) {
    outlook.installSecurityWrapper(true);
    Object explorer = outlook.openExplorer(FolderKind::Inbox);
    AppointmentSpec meeting;
    meeting.subject = "Specimen";
    meeting.recipients.emplace_back("Specimen Person", int16_t{1});
    Object appointment = outlook.addAppointment(meeting);
    Object inspector = outlook.displayItem(appointment);
    Object bar = inspector.get("CommandBars").toObject().call("Add", {std::string("Specimen")}).toObject();
    Object button = bar.get("Controls").toObject().call("Add", {}).toObject();
    Object recipients = appointment.get("Recipients").toObject();
    Object recipient = recipients.call("Item", {int16_t{1}}).toObject();
    Object addressEntry = recipient.get("AddressEntry").toObject();
    Object nameSpace = outlook.application().get("Session").toObject();
    Object currentUser = nameSpace.get("CurrentUser").toObject();
    Object items = outlook.folder(FolderKind::Calendar).get("Items").toObject();
    Object mail = outlook.addMail(FolderKind::Inbox, "Specimen");
    Object request = outlook.addMeetingRequest("Specimen");
    Object wrapperUser = outlook.create("VeskSec1.VeskCurrentUser");
    Object wrapperItem = outlook.create("VeskSec1.VeskAppointmentItem");
    Object wrapperFolder = outlook.create("VeskSec1.VeskMAPIFolder");
    wrapperFolder.putRef("Item", outlook.folder(FolderKind::Calendar));
    Object hiddenItems = wrapperFolder.get("HiddenItems").toObject();
    return outlook.memberNames();
}

}  // namespace

std::vector<std::string> Outlook::memberNames() const {
    std::vector<std::string> names;
    for (const SimObject* object : context_->liveObjects())
        for (const std::string& member : object->memberNames()) names.push_back(object->className() + "." + member);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

const std::vector<std::string>& Outlook::failableMembers() {
    static const std::vector<std::string> members = [] {
        Outlook specimen;
        return specimenMembers(specimen);
    }();
    return members;
}

}  // namespace sim
