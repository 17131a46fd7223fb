#include <fstream>
#include <iostream>
#include <string>

#include "script.h"
#include "session.h"

namespace {

const char* const Usage =
    "usage: quorvel-sim SCRIPT | quorvel-sim -i | quorvel-sim --help\n"
    "Plays an Outlook session with the Quorvel add-in from SCRIPT, or from the terminal with -i.\n"
    "The command language is in docs/simulator.md; tools/simulator/scenarios/ holds examples.\n"
    "Exit status: 0 when every line ran, 1 when a line could not run, 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
    std::string argument = argc == 2 ? argv[1] : "";
    if (argument == "--help" || argument == "-h") {
        std::cout << Usage;
        return 0;
    }
    if (argc != 2 || (argument.size() > 1 && argument[0] == '-' && argument != "-i")) {
        std::cerr << Usage;
        return 2;
    }
    Session session;
    Script script(session, std::cout);
    if (argument == "-i") {
        std::cout << "Quorvel in a simulated Outlook. Commands: docs/simulator.md; end with Ctrl-D.\n";
        return script.RunAll(std::cin, false) == 0 ? 0 : 1;
    }
    std::ifstream in(argument);
    if (!in) {
        std::cerr << "quorvel-sim: cannot read " << argument << "\n";
        return 2;
    }
    return script.RunAll(in, true) == 0 ? 0 : 1;
}
