#pragma once

#include <string>
#include <utility>
#include <vector>

#include "addin_test.h"

// The directory as the settings item holds it: names with their recipient types.
using Entries = std::vector<std::pair<std::string, int16_t>>;

constexpr int16_t Required = 1;
constexpr int16_t Optional = 2;
constexpr int16_t Resource = 3;

class DirectoryTest : public AddinTest {
protected:
    // Puts a settings item holding `entries` into the calendar, organised by Erik Lund.
    automation::Object AddSettingsItem(const Entries& entries);
    // A new appointment in its window, with the given recipients, as the user made it.
    automation::Object NewAppointment(const std::string& subject, const Entries& recipients = {});
    std::vector<std::string> ListTexts(const std::string& list);
    std::vector<std::string> Chosen(const std::string& list);
    void Tick(const std::string& list, const std::string& entry);
    ui::headless::HeadlessWindow& Dialog() { return *session.window("PeopleResourcesForm"); }
};
