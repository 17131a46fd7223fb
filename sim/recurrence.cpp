#include "recurrence.h"

#include <cmath>

#include "item.h"

namespace sim {
namespace {

constexpr double OneMinute = 1.0 / (24 * 60);

}  // namespace

RecurrencePattern::RecurrencePattern(Context& session, std::shared_ptr<Item> appointment)
    : SimObject(session, "RecurrencePattern"), appointment_(std::move(appointment)) {
    property("RecurrenceType", [](Args&) { return Value(int32_t{1}); });
    property("Occurrences", [this](Args&) { return Value(int32_t{appointment_->series().count}); });
    method("GetOccurrence", [this](Args& args) {
        const double wanted = required(args, 0).toDate().serial;
        const ItemState state = appointment_->snapshot();
        for (int week = 0; week < appointment_->series().count; ++week) {
            const double start = state.start.serial + 7.0 * week;
            if (std::fabs(start - wanted) < OneMinute / 2)
                return objectValue(
                    make<Occurrence>(context(), state.subject, start, start + (state.end.serial - state.start.serial)));
        }
        throw fail::failed("No occurrence of this series starts at that time.");
    });
}

Occurrence::Occurrence(Context& session, std::string subject, double start, double end)
    : SimObject(session, "AppointmentItem"), subject_(std::move(subject)), start_(start), end_(end) {
    property("Subject", [this](Args&) { return Value(subject_); });
    property("Start", [this](Args&) { return Value(automation::Date{start_}); });
    property("End", [this](Args&) { return Value(automation::Date{end_}); });
}

}  // namespace sim
