#include "outlook_template.h"

#include <exception>
#include <iostream>

// Writes the settings template the add-in ships with.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-settings-template OUTPUT.oft\n";
        return 2;
    }
    try {
        msgfile::writeTemplate(argv[1], {"Quorvel_Settings1_", "IPM.Appointment"});
    } catch (const std::exception& error) {
        std::cerr << "make-settings-template: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
