#include "benchmark_directory.h"

#include <string>

void AddBenchmarkDirectory(sim::Outlook& outlook, int entries) {
    sim::AppointmentSpec settings;
    settings.subject = "Quorvel_Settings1_";
    for (int index = 0; index < entries; ++index) {
        bool room = index % 10 == 9;
        settings.recipients.emplace_back((room ? "Room " : "Person ") + std::to_string(index), int16_t(room ? 3 : 1));
    }
    outlook.addAppointment(settings);
}
