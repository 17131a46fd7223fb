#include "script.h"

#include <stdexcept>

#include "automation/error.h"
#include "display_text.h"
#include "outlook_printer.h"
#include "tokens.h"
#include "window_printer.h"

using automation::Object;

namespace {

std::invalid_argument Usage(const std::string& what) { return std::invalid_argument(what); }

const std::string& Word(const std::vector<std::string>& words, size_t index, const char* what) {
    if (index >= words.size()) throw Usage(std::string("missing ") + what);
    return words[index];
}

int Number(const std::string& word) {
    try {
        size_t used = 0;
        int number = std::stoi(word, &used);
        if (used == word.size()) return number;
    } catch (const std::exception&) {
    }
    throw Usage("not a number: " + word);
}

sim::FolderKind FolderNamed(const std::string& name) {
    if (name == "calendar") return sim::FolderKind::Calendar;
    if (name == "inbox") return sim::FolderKind::Inbox;
    if (name == "deleted") return sim::FolderKind::DeletedItems;
    if (name == "sent") return sim::FolderKind::SentItems;
    throw Usage("unknown folder: " + name + " (calendar, inbox, deleted, sent)");
}

int16_t RecipientType(const std::string& name) {
    if (name == "required") return 1;
    if (name == "optional") return 2;
    if (name == "resource") return 3;
    throw Usage("unknown recipient type: " + name + " (required, optional, resource)");
}

}  // namespace

int Script::RunAll(std::istream& in, bool echo) {
    int failed = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (echo && !Tokenize(line).empty()) out_ << "> " << line << "\n";
        if (!Run(line)) ++failed;
    }
    return failed;
}

bool Script::Run(const std::string& line) {
    try {
        Words words = Tokenize(line);
        if (!words.empty()) Execute(words);
        ReportNewAlerts();
        return true;
    } catch (const automation::Error& error) {
        ReportNewAlerts();
        out_ << "  ! The add-in or Outlook raised: " << error.description() << "\n";
    } catch (const std::exception& error) {
        out_ << "  ! " << error.what() << "\n";
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
    if (verb == "outlook") return Outlook(words);
    if (verb == "addin") return Addin(words);
    if (verb == "explorer") return Explorer(words);
    if (verb == "inspector") return Inspector(words);
    if (verb == "window") return Window(words);
    if (verb == "ribbon") return Ribbon(words);
    if (verb == "show") return Show(words);
    if (verb == "calendar") return AddToCalendar(words);
    if (verb == "appointment" && Word(words, 1, "what") == "new") {
        Object item = session_.outlook().application().call("CreateItem", {int16_t{1}}).toObject();
        session_.outlook().displayItem(item);
        return;
    }
    if (verb == "mail" && Word(words, 1, "what") == "new") {
        Object item = session_.outlook().application().call("CreateItem", {int16_t{0}}).toObject();
        item.put("Subject", Word(words, 2, "subject"));
        session_.outlook().displayItem(item);
        return;
    }
    throw Usage("unknown command: " + verb + " (see docs/simulator.md)");
}

void Script::Outlook(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    const std::string& what = Word(words, 1, "what to change");
    const std::string& value = what == "startup" || what == "quit" ? what : Word(words, 2, "value");
    if (what == "version") return outlook.setVersion(value);
    if (what == "user") return outlook.setCurrentUser(value);
    if (what == "startup") return outlook.fireStartup();
    if (what == "quit") {
        outlook.fireQuit();
        if (session_.connected()) session_.shutdown();
        return;
    }
    if (what == "newmail") return outlook.fireNewMail(value);
    if (what == "security-wrapper") {
        outlook.installSecurityWrapper(value != "removed");
        outlook.setSecurityWrapperRefusesRecipients(value == "refusing");
        return;
    }
    if (what == "access") {
        accessDenied_ = value == "denied";
        return outlook.denyAccess(accessDenied_);
    }
    if (what == "fail") {
        int nth = words.size() > 4 ? Number(words[4]) : 0;
        return outlook.failMember(value, Word(words, 3, "description"), nth);
    }
    if (what == "faults") return outlook.clearFaults();
    if (what == "template") return session_.setTemplatePresent(value != "missing");
    if (what == "answer")
        return outlook.queueAlertAnswer(value == "cancel" ? sim::AlertAnswer::Cancel : sim::AlertAnswer::Ok);
    if (what == "unresolvable") return outlook.markUnresolvable(value);
    if (what == "remove-control") return outlook.removeControl(Number(value));
    throw Usage("unknown outlook setting: " + what);
}

void Script::Addin(const Words& words) {
    const std::string& what = Word(words, 1, "connect, startup or shutdown");
    if (what == "connect") return session_.connect();
    if (what == "startup") {
        session_.outlook().fireStartup();
        return session_.startupComplete();
    }
    if (what == "shutdown") return session_.shutdown();
    throw Usage("unknown add-in event: " + what);
}

void Script::Explorer(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    if (Word(words, 1, "explorer number") == "open") {
        outlook.openExplorer(FolderNamed(Word(words, 2, "folder")));
        return;
    }
    Object explorer = outlook.explorer(Number(words[1]));
    const std::string& verb = Word(words, 2, "action");
    if (verb == "close") return outlook.closeExplorer(explorer);
    if (verb == "activate") return outlook.activate(explorer);
    if (verb == "select") return outlook.changeSelection(explorer);
    if (verb == "folder") return outlook.switchFolder(explorer, FolderNamed(Word(words, 3, "folder")));
    if (verb == "click") {
        if (!outlook.clickButton(explorer, Word(words, 3, "caption"))) throw Usage("no such button: " + words[3]);
        return;
    }
    throw Usage("unknown explorer action: " + verb);
}

void Script::Inspector(const Words& words) {
    sim::Outlook& outlook = session_.outlook();
    if (Word(words, 1, "inspector number") == "new") {
        outlook.openEmptyInspector();
        return;
    }
    Object inspector = outlook.inspector(Number(words[1]));
    const std::string& verb = Word(words, 2, "action");
    if (verb == "close") {
        if (!outlook.closeInspector(inspector, words.size() > 3 && words[3] == "save")) out_ << "  (the close was cancelled)\n";
        return;
    }
    if (verb == "send") {
        if (!outlook.sendFromInspector(inspector)) out_ << "  (the send was cancelled)\n";
        return;
    }
    if (verb == "activate") return outlook.activate(inspector);
    if (verb == "click") {
        if (!outlook.clickButton(inspector, Word(words, 3, "caption"))) throw Usage("no such button: " + words[3]);
        return;
    }
    if (verb == "add") {
        // The user types into the window: Outlook's guard does not stand in the way.
        outlook.denyAccess(false);
        Object recipient = inspector.get("CurrentItem").toObject().get("Recipients").toObject().call(
            "Add", {Word(words, 4, "name")}).toObject();
        recipient.put("Type", RecipientType(Word(words, 3, "type")));
        outlook.denyAccess(accessDenied_);
        return;
    }
    throw Usage("unknown inspector action: " + verb);
}

void Script::Window(const Words& words) {
    const std::string& name = Word(words, 1, "window name");
    const std::string& verb = Word(words, 2, "action");
    if (verb == "close") return session_.windows().Close(name);
    if (verb == "click") return session_.windows().Click(name, Word(words, 3, "control"));
    if (verb == "tick") return session_.windows().Tick(name, Word(words, 3, "list"), Word(words, 4, "entry"));
    throw Usage("unknown window action: " + verb);
}

void Script::Ribbon(const Words& words) {
    const std::string& what = Word(words, 1, "ui, load or click");
    if (what == "ui") {
        std::string xml = session_.addin().GetCustomUI(Word(words, 2, "ribbon id"));
        out_ << "  Ribbon XML: " << (xml.empty() ? "(empty)" : xml) << "\n";
        return;
    }
    if (what == "load") return session_.addin().RibbonCallback("OnLoad");
    const std::string& button = Word(words, 2, "button");
    if (what == "click" && (button == "InviteButton" || button == "OrderButton"))
        return session_.addin().RibbonCallback("On" + button);
    throw Usage("unknown ribbon action");
}

void Script::Show(const Words& words) {
    const std::string what = words.size() > 1 ? words[1] : "windows";
    if (what == "windows") return PrintWindows(out_, session_);
    if (what == "log") return PrintLog(out_, session_);
    if (what == "schedules") return PrintSchedules(out_, session_);
    if (what == "references") return PrintReferences(out_, session_);
    if (what == "alerts") {
        for (const sim::Alert& alert : session_.outlook().alerts())
            out_ << "  Alert (" << alert.how << ") \"" << alert.title << "\": " << alert.text << "\n";
        return;
    }
    if (what == "item") {
        Object inspector = session_.outlook().inspector(Number(Word(words, 2, "inspector number")));
        return PrintItem(out_, session_, inspector.get("CurrentItem").toObject());
    }
    if (what == "window") {
        for (const WindowView& window : session_.windows().Windows())
            if (window.name == Word(words, 2, "window name")) return PrintWindow(out_, window);
        throw Usage("no window " + words[2] + " is loaded");
    }
    if (what == "opened") {
        for (const std::string& target : session_.outlook().platform().shellOpened()) out_ << "  Opened " << target << "\n";
        for (const std::string& path : session_.outlook().platform().processesStarted())
            out_ << "  Started " << path << "\n";
        return;
    }
    PrintFolder(out_, session_, FolderNamed(what));
}

void Script::AddToCalendar(const Words& words) {
    if (Word(words, 1, "add") != "add") throw Usage("calendar add SUBJECT [TYPE NAME]...");
    sim::AppointmentSpec appointment;
    appointment.subject = Word(words, 2, "subject");
    for (size_t index = 3; index < words.size(); index += 2)
        appointment.recipients.emplace_back(Word(words, index + 1, "name"), RecipientType(words[index]));
    session_.outlook().addAppointment(appointment);
}
