#include "script.h"

#include "automation/value.h"
#include "item.h"
#include "script_words.h"

using automation::Object;

namespace {

int BusyStatusNamed(const std::string& word, const std::string& form) {
    const std::string& state =
        OneOf(word, {"free", "tentative", "busy", "out-of-office", "working-elsewhere"}, form);
    if (state == "free") return 0;
    if (state == "tentative") return 1;
    if (state == "busy") return 2;
    if (state == "out-of-office") return 3;
    return 4;
}

std::shared_ptr<sim::Item> SimulatedItem(const Object& item) {
    std::shared_ptr<sim::Item> simulated = sim::objectOf<sim::Item>(automation::Value(item));
    if (!simulated || simulated->kind() != sim::ItemKind::Appointment)
        throw LineError("that inspector shows no appointment");
    return simulated;
}

}  // namespace

void Script::Availability(const Words& words) {
    const std::string form = "outlook availability \"NAME\" STATE \"FROM\" \"TO\" | \"NAME\" fails | cost MS";
    CheckForm(words, 4, 6, form, "a name");
    sim::FreeBusyBook& book = session_.outlook().freeBusy();
    if (words[2] == "cost") {
        CheckForm(words, 4, 4, "outlook availability cost MS", "milliseconds");
        const int milliseconds = Number(words[3]);
        if (milliseconds < 0) throw LineError("a cost is not negative: " + words[3]);
        book.costMilliseconds = milliseconds;
        return;
    }
    if (words[3] == "fails") {
        CheckForm(words, 4, 4, "outlook availability \"NAME\" fails", "");
        book.failing.insert(words[2]);
        return;
    }
    CheckForm(words, 6, 6, "outlook availability \"NAME\" STATE \"FROM\" \"TO\"", words.size() == 4 ? "a start" : "an end");
    const sim::BusySpan span{DateAndTime(words[4]), DateAndTime(words[5]), BusyStatusNamed(words[3], form)};
    if (span.end <= span.start) throw LineError("the span ends before it starts: " + words[4] + " to " + words[5]);
    book.spans[words[2]].push_back(span);
}

void Script::Idle(const Words& words) {
    CheckForm(words, 2, 3, "outlook idle [SLICES]", "");
    const int slices = words.size() == 3 ? Number(words[2]) : -1;
    if (words.size() == 3 && slices < 1) throw LineError("at least one slice: " + words[2]);
    const int ran = session_.windows().Idle(slices);
    out_ << "  (" << ran << (ran == 1 ? " timer slice" : " timer slices") << " of idle work)\n";
}

void Script::AppointmentTime(const Object& inspector, const Words& words) {
    CheckForm(words, 5, 5, "inspector N time \"YYYY-MM-DD HH:MM\" MINUTES", words.size() == 3 ? "a start" : "minutes");
    const double start = DateAndTime(words[3]);
    const int minutes = Number(words[4]);
    if (minutes < 0) throw LineError("a meeting lasts no negative time: " + words[4]);
    SimulatedItem(ItemOf(inspector))->setTime({start}, {start + minutes / (24.0 * 60)});
}

void Script::MakeWeekly(const Object& inspector, const Words& words) {
    CheckForm(words, 4, 4, "inspector N weekly COUNT", "a count");
    const int count = Number(words[3]);
    if (count < 0) throw LineError("a series has no negative count: " + words[3]);
    SimulatedItem(ItemOf(inspector))->setSeries({count});
}
