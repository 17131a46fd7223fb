#include <fstream>
#include <iostream>

#include "script.h"
#include "session.h"

// quorvel-sim SCRIPT: plays the script; quorvel-sim -i: reads commands from the terminal.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quorvel-sim SCRIPT | quorvel-sim -i\n";
        return 2;
    }
    Session session;
    Script script(session, std::cout);
    std::string argument = argv[1];
    if (argument == "-i") {
        std::cout << "Quorvel in a simulated Outlook. Commands: docs/simulator.md; end with Ctrl-D.\n";
        script.RunAll(std::cin, false);
        return 0;
    }
    std::ifstream in(argument);
    if (!in) {
        std::cerr << "quorvel-sim: cannot read " << argument << "\n";
        return 2;
    }
    int failed = script.RunAll(in, true);
    return failed == 0 ? 0 : 1;
}
