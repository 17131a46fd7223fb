#pragma once

#include <memory>

#include "sim_object.h"

namespace sim {

// A weekly series: `count` occurrences from the first, seven days apart.
struct WeeklySeries {
    int count = 0;
};

class Item;

// An appointment's RecurrencePattern: it finds the occurrence that starts at a given date and
// time, as Outlook's GetOccurrence does, and raises where there is none.
class RecurrencePattern : public SimObject {
public:
    RecurrencePattern(Context& session, std::shared_ptr<Item> appointment);

private:
    std::shared_ptr<Item> appointment_;
};

// One occurrence of a series, as GetOccurrence hands it out.
class Occurrence : public SimObject {
public:
    Occurrence(Context& session, std::string subject, double start, double end);

private:
    std::string subject_;
    double start_;
    double end_;
};

}  // namespace sim
