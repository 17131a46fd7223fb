#include "outlook_printer.h"

#include <set>

#include "automation/error.h"

#include "display_text.h"
#include "window_printer.h"

using automation::Object;

namespace {

const char* RecipientTypeName(int16_t type) {
    switch (type) {
    case 0: return "organizer";
    case 1: return "required";
    case 2: return "optional";
    case 3: return "resource";
    default: return "other";
    }
}

void PrintRecipients(std::ostream& out, Session& session, const Object& item) {
    for (const sim::RecipientInfo& recipient : session.outlook().recipients(item))
        out << "      " << RecipientTypeName(recipient.type) << ": " << recipient.name
            << (recipient.resolved ? "" : " (unresolved)") << "\n";
}

void PrintButtons(std::ostream& out, const Object& bar) {
    Object controls = bar.get("Controls").toObject();
    int16_t count = controls.get("Count").toInt16();
    out << "   ";
    for (int16_t index = 1; index <= count; ++index) {
        Object control = controls.call("Item", {index}).toObject();
        if (control.get("BeginGroup").toBool()) out << " |";
        out << " [" << DisplayText(control.get("Caption").toString()) << "]";
        if (!control.get("Visible").toBool()) out << "(hidden)";
    }
    out << "\n";
}

}  // namespace

void PrintToolbars(std::ostream& out, const Object& window) {
    Object bars = window.get("CommandBars").toObject();
    int16_t count = bars.get("Count").toInt16();
    for (int16_t index = 1; index <= count; ++index) {
        Object bar = bars.call("Item", {index}).toObject();
        // Outlook's own bars are there for the built-in commands; the user sees only the visible ones.
        if (!bar.get("Visible").toBool()) continue;
        out << "    Toolbar \"" << bar.get("Name").toString() << "\"\n";
        PrintButtons(out, bar);
    }
}

void PrintWindows(std::ostream& out, Session& session) {
    sim::Outlook& outlook = session.outlook();
    for (int index = 1; index <= outlook.explorerCount(); ++index) {
        Object explorer = outlook.explorer(index);
        out << "  Explorer " << index << ": " << explorer.get("CurrentFolder").toObject().get("Name").toString() << "\n";
        PrintToolbars(out, explorer);
    }
    for (int index = 1; index <= outlook.inspectorCount(); ++index) {
        Object inspector = outlook.inspector(index);
        Object item;
        try {
            item = inspector.get("CurrentItem").toObject();
        } catch (const automation::Error&) {
        }
        out << "  Inspector " << index << ": " << (item ? "\"" + item.get("Subject").toString() + "\"" : "(no item)")
            << "\n";
        PrintToolbars(out, inspector);
    }
    for (const WindowView& window : session.windows().Windows())
        if (window.visible) PrintWindow(out, window);
}

void PrintItem(std::ostream& out, Session& session, const Object& item) {
    out << "    \"" << item.get("Subject").toString() << "\"" << (session.outlook().isSaved(item) ? "" : " (unsaved)");
    if (item.get("Class").toInt16() == 26) {
        out << " meeting status " << item.get("MeetingStatus").toInt16();
        out << "\n      required attendees: \"" << session.outlook().requiredAttendees(item) << "\"";
        out << "\n      resources: \"" << session.outlook().resources(item) << "\"";
    }
    out << "\n";
    PrintRecipients(out, session, item);
}

void PrintFolder(std::ostream& out, Session& session, sim::FolderKind folder) {
    std::set<std::string> printed;
    for (const std::string& subject : session.outlook().subjects(folder)) {
        if (!printed.insert(subject).second) continue;
        for (const Object& item : session.outlook().findItems(folder, subject)) PrintItem(out, session, item);
    }
}

void PrintSchedules(std::ostream& out, Session& session) {
    std::vector<Object> schedules = session.outlook().hiddenItems();
    if (schedules.empty()) out << "    (no group schedules)\n";
    for (const Object& schedule : schedules) {
        out << "    \"" << schedule.get("Subject").toString() << "\" (" << schedule.get("MessageClass").toString()
            << ")\n";
        PrintRecipients(out, session, schedule);
    }
}

void PrintLog(std::ostream& out, Session& session) {
    for (const std::string& line : session.logLines()) out << "    " << line << "\n";
}

void PrintReferences(std::ostream& out, Session& session) {
    out << "  The add-in holds " << session.outlook().addinReferences() << " references to Outlook objects\n";
    for (const std::string& held : session.outlook().heldObjects()) out << "    " << held << "\n";
    if (!session.ended()) return;
    // The process ends now: what the add-in holds goes with it, but nothing may call in any more.
    const std::vector<std::string>& late = session.outlook().callsAfterEnd();
    out << "  Outlook ended without notifying the add-in; calls into Outlook after Quit: " << late.size() << "\n";
    for (const std::string& call : late) out << "    " << call << "\n";
}

void PrintCalls(std::ostream& out, Session& session) {
    out << "  The add-in's calls into Outlook:\n";
    for (const auto& [member, count] : session.outlook().addinCalls()) out << "    " << member << " " << count << "\n";
    out << "  The simulator's own calls:\n";
    for (const auto& [member, count] : session.outlook().ownCalls()) out << "    " << member << " " << count << "\n";
}
