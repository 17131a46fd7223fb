// quorvel-sweep: plays each scenario once for every call the add-in makes into Outlook, with
// that one call failing, and checks what must hold however it failed.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sweep_run.h"

namespace {

struct Options {
    int parallel = 2;
    size_t every = 1;
    std::vector<std::string> scenarios;
};

[[noreturn]] void Usage() {
    std::cerr << "usage: quorvel-sweep [-j PROCESSES] [--every K] SCENARIO.qvs...\n"
                 "  --every K injects only every K-th fault (a fixed sample)\n";
    std::exit(2);
}

int Count(const std::string& word) {
    if (word.empty() || !std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); }) ||
        word.size() > 6 || std::stoi(word) < 1)
        Usage();
    return std::stoi(word);
}

Options Parse(int argc, char** argv) {
    Options options;
    for (int index = 1; index < argc; ++index) {
        std::string argument = argv[index];
        if (argument == "-j" && index + 1 < argc) {
            options.parallel = Count(argv[++index]);
        } else if (argument == "--every" && index + 1 < argc) {
            options.every = static_cast<size_t>(Count(argv[++index]));
        } else if (!argument.empty() && argument[0] != '-') {
            options.scenarios.push_back(argument);
        } else {
            Usage();
        }
    }
    if (options.scenarios.empty()) Usage();
    return options;
}

std::vector<std::string> LinesOf(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        std::cerr << "quorvel-sweep: cannot read " << path << "\n";
        std::exit(2);
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Members the scenario makes fail itself: one more fault there would replace the scenario's own.
bool FailedByScenario(const std::vector<std::string>& lines, const std::string& member) {
    std::string wanted = "outlook fail " + Lowered(member) + " ";
    return std::any_of(lines.begin(), lines.end(),
                       [&wanted](const std::string& line) { return Lowered(line).find(wanted) != std::string::npos; });
}

std::vector<InjectedFault> FaultsOf(const std::vector<std::string>& lines, const RunResult& clean, size_t every,
                                    size_t& seen) {
    std::vector<InjectedFault> faults;
    for (const LineCalls& calls : clean.calls) {
        if (FailedByScenario(lines, calls.member)) continue;
        for (long long nth = 1; nth <= calls.count; ++nth)
            if (seen++ % every == 0) faults.push_back({calls.line, calls.member, nth});
    }
    return faults;
}

std::string Cause(const RunResult& result) {
    std::string cause;
    for (const std::string& problem : result.problems) cause += (cause.empty() ? "" : "; ") + problem;
    return cause;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = Parse(argc, argv);
    SweepRunner runner(options.parallel);
    size_t injected = 0;
    size_t held = 0;
    size_t seen = 0;
    std::map<std::string, std::vector<std::string>> failures;  // cause → reproducing lines
    for (const std::string& scenario : options.scenarios) {
        std::vector<std::string> lines = LinesOf(scenario);
        RunResult clean = runner.Record(lines);
        if (!clean.held) failures[Cause(clean)].push_back(scenario + ": (no fault injected)");
        std::vector<InjectedFault> faults = FaultsOf(lines, clean, options.every, seen);
        std::vector<RunResult> results = runner.Inject(lines, faults);
        for (size_t index = 0; index < faults.size(); ++index) {
            ++injected;
            if (results[index].held) {
                ++held;
                continue;
            }
            failures[Cause(results[index])].push_back(scenario + ":" + std::to_string(faults[index].line) + ": " +
                                                      faults[index].ScriptLine());
        }
    }
    if (!failures.empty())
        std::cout << "Runs that did not hold, each as the line that reproduces it when put before line N of the "
                     "scenario (SCENARIO:N: LINE), grouped by what did not hold:\n";
    for (const auto& [cause, reproducers] : failures) {
        std::cout << "\n" << cause << " (" << reproducers.size() << " runs)\n";
        for (const std::string& line : reproducers) std::cout << "  " << line << "\n";
    }
    std::cout << "\nquorvel-sweep: " << options.scenarios.size() << " scenarios, " << injected
              << " faults injected, " << held << " runs held, " << injected - held << " did not hold\n";
    return failures.empty() ? 0 : 1;
}
