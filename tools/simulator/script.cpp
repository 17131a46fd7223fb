#include "script.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "automation/error.h"
#include "display_text.h"
#include "nearest_names.h"
#include "outlook_printer.h"
#include "script_words.h"
#include "tokens.h"
#include "window_printer.h"

using automation::Object;

namespace {

const char* const Commands = "outlook, addin, ribbon, explorer, appointment, mail, calendar, inspector, window, show";

// The drivers' own refusals (a window or control that is not there) are in the simulator's words.
template <typename Action>
void OnWindow(Action action) {
    try {
        action();
    } catch (const std::invalid_argument& refusal) {
        throw LineError(refusal.what());
    }
}

}  // namespace

int Script::RunAll(std::istream& in, bool echo) {
    int failed = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (echo && !IsBlank(line)) out_ << "> " << line << "\n";
        if (!Run(line)) ++failed;
    }
    return failed;
}

bool Script::IsBlank(const std::string& line) {
    try {
        return Tokenize(line).empty();
    } catch (const std::invalid_argument&) {
        return false;
    }
}

bool Script::Run(const std::string& line) {
    try {
        Words words = Words();
        try {
            words = Tokenize(line);
        } catch (const std::invalid_argument& unclosed) {
            throw LineError(unclosed.what());
        }
        if (!words.empty()) Execute(words);
        ReportNewAlerts();
        return true;
    } catch (const LineError& error) {
        ReportNewAlerts();
        out_ << "  ! " << error.what() << "\n";
    } catch (const automation::Error& error) {
        ReportNewAlerts();
        out_ << "  ! The add-in or Outlook raised: " << error.description() << "\n";
    } catch (const std::exception&) {
        ReportNewAlerts();
        out_ << "  ! " << InternalFault << "\n";
    }
    return false;
}

void Script::ReportNewAlerts() {
    const std::vector<sim::Alert>& alerts = session_.outlook().alerts();
    for (; alertsSeen_ < alerts.size(); ++alertsSeen_) {
        const sim::Alert& alert = alerts[alertsSeen_];
        out_ << "  Alert (" << alert.how << ") \"" << alert.title << "\": " << alert.text << "\n";
    }
    const std::vector<std::string>& failures = session_.outlook().handlerFailures();
    for (; failuresSeen_ < failures.size(); ++failuresSeen_)
        out_ << "  (an add-in event handler failed, Outlook goes on) " << failures[failuresSeen_] << "\n";
}

void Script::Execute(const Words& words) {
    const std::string& verb = words[0];
    if (session_.ended() && !StillRunsAfterEnd(words))
        throw LineError(
            "Outlook has ended (outlook quit fast): only show references, show calls and addin release still run");
    if (verb == "outlook") return Outlook(words);
    if (verb == "addin") return Addin(words);
    if (verb == "explorer") return Explorer(words);
    if (verb == "inspector") return Inspector(words);
    if (verb == "window") return Window(words);
    if (verb == "ribbon") return Ribbon(words);
    if (verb == "show") return Show(words);
    if (verb == "calendar") return AddToCalendar(words);
    if (verb == "appointment") return NewAppointment(words);
    if (verb == "mail") return NewMail(words);
    throw LineError("unknown command: " + verb + " (" + Commands + "; see docs/simulator.md)");
}

void Script::Outlook(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    CheckForm(words, 2, 6, "outlook version|user|security-wrapper|access|fail|members|faults|template|answer|"
                           "unresolvable|availability|idle|remove-control|startup|quit|newmail ...",
              "a setting or an event");
    const std::string& what = words[1];
    if (what == "availability") return Availability(words);
    if (what == "idle") return Idle(words);
    if (what == "startup") {
        CheckForm(words, 2, 2, "outlook startup", "");
        return outlook.fireStartup();
    }
    if (what == "quit") return Quit(words);
    if (what == "members") {
        CheckForm(words, 2, 2, "outlook members", "");
        for (const std::string& member : sim::Outlook::failableMembers()) out_ << "    " << member << "\n";
        return;
    }
    if (what == "fail") return Fail(words);
    if (what == "version") {
        CheckForm(words, 3, 3, "outlook version VERSION", "a version");
        return outlook.setVersion(words[2]);
    }
    if (what == "user") {
        CheckForm(words, 3, 3, "outlook user \"NAME\"", "a name");
        return outlook.setCurrentUser(words[2]);
    }
    if (what == "newmail") {
        CheckForm(words, 3, 3, "outlook newmail \"Subject\"", "a subject");
        return outlook.fireNewMail(words[2]);
    }
    if (what == "security-wrapper") {
        const std::string form = "outlook security-wrapper installed|removed|refusing";
        CheckForm(words, 3, 3, form, "installed, removed or refusing");
        const std::string& state = OneOf(words[2], {"installed", "removed", "refusing"}, form);
        outlook.installSecurityWrapper(state != "removed");
        outlook.setSecurityWrapperRefusesRecipients(state == "refusing");
        return;
    }
    if (what == "access") {
        const std::string form = "outlook access denied|allowed";
        CheckForm(words, 3, 3, form, "denied or allowed");
        accessDenied_ = OneOf(words[2], {"denied", "allowed"}, form) == "denied";
        return outlook.denyAccess(accessDenied_);
    }
    if (what == "faults") {
        CheckForm(words, 3, 3, "outlook faults clear", "clear");
        OneOf(words[2], {"clear"}, "outlook faults clear");
        return outlook.clearFaults();
    }
    if (what == "template") {
        const std::string form = "outlook template missing|present";
        CheckForm(words, 3, 3, form, "missing or present");
        bool present = OneOf(words[2], {"missing", "present"}, form) == "present";
        try {
            return session_.setTemplatePresent(present);
        } catch (const std::runtime_error& refusal) {
            throw LineError(refusal.what());
        }
    }
    if (what == "answer") {
        const std::string form = "outlook answer ok|cancel";
        CheckForm(words, 3, 3, form, "ok or cancel");
        bool cancel = OneOf(words[2], {"ok", "cancel"}, form) == "cancel";
        return outlook.queueAlertAnswer(cancel ? sim::AlertAnswer::Cancel : sim::AlertAnswer::Ok);
    }
    if (what == "unresolvable") {
        CheckForm(words, 3, 3, "outlook unresolvable \"NAME\"", "a name");
        return outlook.markUnresolvable(words[2]);
    }
    if (what == "remove-control") {
        CheckForm(words, 3, 3, "outlook remove-control ID", "a control's number");
        return outlook.removeControl(Number(words[2]));
    }
    throw LineError("unknown outlook setting or event: " + what +
                    " (version, user, security-wrapper, access, fail, members, faults, template, answer, "
                    "unresolvable, availability, idle, remove-control, startup, quit, newmail)");
}

void Script::Quit(const Words& words) {
    CheckForm(words, 2, 3, "outlook quit [fast]", "");
    if (words.size() == 3) {
        OneOf(words[2], {"fast"}, "outlook quit [fast]");
        return session_.quitFast();
    }
    session_.outlook().fireQuit();
    if (session_.connected()) session_.shutdown();
}

void Script::Fail(const Words& words) {
    const std::string form = "outlook fail Class.Member \"description\" [N]";
    CheckForm(words, 4, 5, form, words.size() == 2 ? "a Class.Member" : "a description");
    const std::vector<std::string>& members = sim::Outlook::failableMembers();
    const std::string& wanted = words[2];
    bool known = std::any_of(members.begin(), members.end(), [&wanted](const std::string& member) {
        return member.size() == wanted.size() &&
               std::equal(member.begin(), member.end(), wanted.begin(), [](unsigned char a, unsigned char b) {
                   return std::tolower(a) == std::tolower(b);
               });
    });
    if (!known) {
        std::string nearest;
        for (const std::string& name : NearestNames(wanted, members, 3)) nearest += (nearest.empty() ? "" : ", ") + name;
        throw LineError("the simulated Outlook has no " + wanted + "; nearest: " + nearest +
                        " (outlook members lists them all)");
    }
    int nth = words.size() == 5 ? Number(words[4]) : 0;
    if (nth < 1 && words.size() == 5) throw LineError("N counts the member's calls from 1: " + form);
    session_.outlook().failMember(wanted, words[3], nth);
}

void Script::Addin(const Words& words) {
    const std::string form = "addin connect [after-startup]|startup|shutdown|disconnect|release";
    CheckForm(words, 2, 3, form, "connect, startup, shutdown, disconnect or release");
    const std::string& what = OneOf(words[1], {"connect", "startup", "shutdown", "disconnect", "release"}, form);
    if (words.size() == 3 && what != "connect") throw LineError("usage: " + form);
    if (what == "connect") {
        if (session_.connected()) throw LineError("the add-in is connected already");
        // Ticked in the COM Add-ins dialog while Outlook runs: Office sends no OnStartupComplete.
        const bool afterStartup = words.size() == 3 && !OneOf(words[2], {"after-startup"}, form).empty();
        return session_.connect(afterStartup ? Connect::ConnectMode::AfterStartup : Connect::ConnectMode::Startup);
    }
    RequireAddin();
    if (what == "startup") {
        session_.outlook().fireStartup();
        return session_.startupComplete();
    }
    if (what == "release") return session_.release();
    if (what == "disconnect") return session_.disconnect();
    session_.shutdown();
}

bool Script::StillRunsAfterEnd(const Words& words) {
    const std::string& verb = words[0];
    if (verb == "show") return words.size() == 2 && (words[1] == "references" || words[1] == "calls");
    return verb == "addin" && words.size() == 2 && words[1] == "release";
}

void Script::RequireAddin() {
    if (!session_.connected()) throw LineError("the add-in is not connected: addin connect comes first");
}

Object Script::ExplorerNumbered(const std::string& word) {
    sim::Outlook& outlook = session_.outlook();
    return outlook.explorer(WindowNumber(word, outlook.explorerCount(), "explorer"));
}

Object Script::InspectorNumbered(const std::string& word) {
    sim::Outlook& outlook = session_.outlook();
    return outlook.inspector(WindowNumber(word, outlook.inspectorCount(), "inspector"));
}

void Script::Explorer(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    const std::string form = "explorer open FOLDER | explorer N folder|select|activate|close|click ...";
    CheckForm(words, 2, 4, form, "open or an explorer number");
    if (words[1] == "open") {
        CheckForm(words, 3, 3, "explorer open FOLDER", "a folder");
        outlook.openExplorer(FolderNamed(words[2]));
        return;
    }
    CheckForm(words, 3, 4, form, "an action");
    const std::string& verb = words[2];
    if (verb == "folder") {
        CheckForm(words, 4, 4, "explorer N folder FOLDER", "a folder");
        return outlook.switchFolder(ExplorerNumbered(words[1]), FolderNamed(words[3]));
    }
    if (verb == "click") {
        CheckForm(words, 4, 4, "explorer N click \"CAPTION\"", "a caption");
        if (!outlook.clickButton(ExplorerNumbered(words[1]), words[3]))
            throw LineError("no such button: " + words[3]);
        return;
    }
    if (verb == "close" || verb == "activate" || verb == "select") {
        CheckForm(words, 3, 3, "explorer N " + verb, "");
        Object explorer = ExplorerNumbered(words[1]);
        if (verb == "close") return outlook.closeExplorer(explorer);
        if (verb == "activate") return outlook.activate(explorer);
        return outlook.changeSelection(explorer);
    }
    throw LineError("unknown explorer action: " + verb + " (folder, select, activate, close, click)");
}

void Script::Inspector(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    if (words.size() >= 2 && words[1] == "new") {
        CheckForm(words, 2, 2, "inspector new", "");
        outlook.openEmptyInspector();
        return;
    }
    CheckForm(words, 3, 5, "inspector new | inspector N add|click|send|close|activate|time|weekly ...",
              words.size() == 1 ? "new or an inspector number" : "an action");
    const std::string& verb = words[2];
    if (verb == "time") return AppointmentTime(InspectorNumbered(words[1]), words);
    if (verb == "weekly") return MakeWeekly(InspectorNumbered(words[1]), words);
    if (verb == "close") {
        CheckForm(words, 3, 4, "inspector N close [save]", "");
        if (words.size() == 4) OneOf(words[3], {"save"}, "inspector N close [save]");
        if (!outlook.closeInspector(InspectorNumbered(words[1]), words.size() == 4)) out_ << "  (the close was cancelled)\n";
        return;
    }
    if (verb == "send") {
        CheckForm(words, 3, 3, "inspector N send", "");
        if (!outlook.sendFromInspector(InspectorNumbered(words[1]))) out_ << "  (the send was cancelled)\n";
        return;
    }
    if (verb == "activate") {
        CheckForm(words, 3, 3, "inspector N activate", "");
        return outlook.activate(InspectorNumbered(words[1]));
    }
    if (verb == "click") {
        CheckForm(words, 4, 4, "inspector N click \"CAPTION\"", "a caption");
        if (!outlook.clickButton(InspectorNumbered(words[1]), words[3])) throw LineError("no such button: " + words[3]);
        return;
    }
    if (verb == "add") {
        CheckForm(words, 5, 5, "inspector N add TYPE \"Name\"", words.size() == 3 ? "a recipient type" : "a name");
        return TypeRecipient(InspectorNumbered(words[1]), RecipientType(words[3]), words[4]);
    }
    throw LineError("unknown inspector action: " + verb + " (add, click, send, close, activate, time, weekly)");
}

void Script::TypeRecipient(const Object& inspector, int16_t type, const std::string& name) {
    sim::Outlook& outlook = session_.outlook();
    sim::OwnCallScope typing = outlook.asSimulator();
    Object item = ItemOf(inspector);
    // The user types into the window: Outlook's guard does not stand in the way.
    outlook.denyAccess(false);
    try {
        Object recipient = item.get("Recipients").toObject().call("Add", {name}).toObject();
        recipient.put("Type", type);
    } catch (...) {
        outlook.denyAccess(accessDenied_);
        throw;
    }
    outlook.denyAccess(accessDenied_);
}

Object Script::ItemOf(const Object& inspector) {
    Object item;
    try {
        item = inspector.get("CurrentItem").toObject();
    } catch (const automation::Error&) {
    }
    if (!item) throw LineError("that inspector shows no item");
    return item;
}

void Script::Window(const Words& words) {
    CheckForm(words, 3, 5, "window NAME click|tick|type|escape|scroll|close ...",
              words.size() == 1 ? "a window name" : "an action");
    const std::string& name = words[1];
    const std::string& verb = words[2];
    if (verb == "close") {
        CheckForm(words, 3, 3, "window NAME close", "");
        return OnWindow([&] { session_.windows().Close(name); });
    }
    if (verb == "click") {
        CheckForm(words, 4, 4, "window NAME click CONTROL", "a control");
        return OnWindow([&] { session_.windows().Click(name, words[3]); });
    }
    if (verb == "tick") {
        CheckForm(words, 5, 5, "window NAME tick LIST \"Entry\"", words.size() == 3 ? "a list" : "an entry");
        return OnWindow([&] { session_.windows().Tick(name, words[3], words[4]); });
    }
    if (verb == "type") {
        CheckForm(words, 5, 5, "window NAME type BOX \"Text\"", words.size() == 3 ? "a search box" : "a text");
        return OnWindow([&] { session_.windows().Type(name, words[3], words[4]); });
    }
    if (verb == "escape") {
        CheckForm(words, 4, 4, "window NAME escape CONTROL", "a control");
        return OnWindow([&] { session_.windows().Escape(name, words[3]); });
    }
    if (verb == "scroll") {
        CheckForm(words, 5, 5, "window NAME scroll LIST \"Entry\"", words.size() == 3 ? "a list" : "an entry");
        return OnWindow([&] { session_.windows().Scroll(name, words[3], words[4]); });
    }
    throw LineError("unknown window action: " + verb + " (click, tick, type, escape, scroll, close)");
}

void Script::Ribbon(const Words& words) {
    CheckForm(words, 2, 3, "ribbon ui|load|click ...", "ui, load or click");
    const std::string& what = words[1];
    if (what == "ui") {
        CheckForm(words, 3, 3, "ribbon ui \"RIBBON-ID\"", "a ribbon id");
        RequireAddin();
        std::string xml = session_.addin().GetCustomUI(words[2]);
        out_ << "  Ribbon XML: " << (xml.empty() ? "(empty)" : xml) << "\n";
        return;
    }
    if (what == "load") {
        CheckForm(words, 2, 2, "ribbon load", "");
        RequireAddin();
        return session_.addin().RibbonCallback("OnLoad");
    }
    if (what == "click") {
        const std::string form = "ribbon click InviteButton|OrderButton";
        CheckForm(words, 3, 3, form, "a button");
        const std::string& button = OneOf(words[2], {"InviteButton", "OrderButton"}, form);
        RequireAddin();
        return session_.addin().RibbonCallback("On" + button);
    }
    throw LineError("unknown ribbon action: " + what + " (ui, load, click)");
}

void Script::Show(const Words& words) {
    CheckForm(words, 1, 3, "show [WHAT]", "");
    sim::OwnCallScope looking = session_.outlook().asSimulator();
    const std::string what = words.size() > 1 ? words[1] : "windows";
    if (what == "item") {
        CheckForm(words, 3, 3, "show item N", "an inspector number");
        return PrintItem(out_, session_, ItemOf(InspectorNumbered(words[2])));
    }
    if (what == "window") {
        CheckForm(words, 3, 3, "show window NAME", "a window name");
        return ShowWindow(words[2]);
    }
    CheckForm(words, 1, 2, "show " + what, "");
    if (what == "windows") return PrintWindows(out_, session_);
    if (what == "log") return PrintLog(out_, session_);
    if (what == "schedules") return PrintSchedules(out_, session_);
    if (what == "references") return PrintReferences(out_, session_);
    if (what == "calls") return PrintCalls(out_, session_);
    if (what == "alerts") {
        for (const sim::Alert& alert : session_.outlook().alerts())
            out_ << "  Alert (" << alert.how << ") \"" << alert.title << "\": " << alert.text << "\n";
        return;
    }
    if (what == "opened") {
        for (const std::string& target : session_.outlook().platform().shellOpened()) out_ << "  Opened " << target << "\n";
        for (const std::string& path : session_.outlook().platform().processesStarted())
            out_ << "  Started " << path << "\n";
        return;
    }
    if (what == "calendar" || what == "inbox" || what == "deleted" || what == "sent")
        return PrintFolder(out_, session_, FolderNamed(what));
    throw LineError("nothing to show called " + what +
                    " (log, alerts, calendar, inbox, deleted, sent, schedules, item, window, opened, references, calls)");
}

void Script::ShowWindow(const std::string& name) {
    std::string loaded;
    for (const WindowView& window : session_.windows().Windows()) {
        if (window.name == name) return PrintWindow(out_, window);
        loaded += (loaded.empty() ? "" : ", ") + window.name;
    }
    throw LineError("no window " + name + " is loaded" + (loaded.empty() ? "" : " (loaded: " + loaded + ")"));
}

void Script::NewAppointment(const Words& words) {
    CheckForm(words, 2, 2, "appointment new", "new");
    OneOf(words[1], {"new"}, "appointment new");
    Object item;
    {
        sim::OwnCallScope creating = session_.outlook().asSimulator();
        item = session_.outlook().application().call("CreateItem", {int16_t{1}}).toObject();
    }
    session_.outlook().displayItem(item);
}

void Script::NewMail(const Words& words) {
    CheckForm(words, 3, 3, "mail new \"Subject\"", words.size() == 1 ? "new" : "a subject");
    OneOf(words[1], {"new"}, "mail new \"Subject\"");
    Object item;
    {
        sim::OwnCallScope creating = session_.outlook().asSimulator();
        item = session_.outlook().application().call("CreateItem", {int16_t{0}}).toObject();
        item.put("Subject", words[2]);
    }
    session_.outlook().displayItem(item);
}

void Script::AddToCalendar(const Words& words) {
    const std::string form = "calendar add \"Subject\" [TYPE \"Name\"]...";
    CheckForm(words, 3, words.size(), form, words.size() == 1 ? "add" : "a subject");
    OneOf(words[1], {"add"}, form);
    if (words.size() % 2 == 0) throw LineError("`" + words.back() + "` needs a name after it: " + form);
    sim::AppointmentSpec appointment;
    appointment.subject = words[2];
    for (size_t index = 3; index < words.size(); index += 2)
        appointment.recipients.emplace_back(words[index + 1], RecipientType(words[index]));
    session_.outlook().addAppointment(appointment);
}
