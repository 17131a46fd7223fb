#pragma once

#include <optional>
#include <string>
#include <vector>

// One call of the add-in into Outlook to make fail: the `nth` call of `member` made while line
// `line` (from 1) of the scenario runs.
struct InjectedFault {
    size_t line = 0;
    std::string member;
    long long nth = 0;

    // The script line that, put before line `line`, makes this call fail.
    std::string ScriptLine() const;
};

// How many calls of each member the add-in made while one line ran.
struct LineCalls {
    size_t line = 0;
    std::string member;
    long long count = 0;
};

struct RunResult {
    bool held = false;
    // Why the run did not hold: a crash, a sanitizer report or a check that failed.
    std::vector<std::string> problems;
    // Filled by a run without a fault.
    std::vector<LineCalls> calls;
};

// Plays the scenario's lines in a child process, with the fault if one is given, and checks
// the session afterwards. Runs as many children at once as `parallel` allows.
class SweepRunner {
public:
    explicit SweepRunner(int parallel) : parallel_(parallel) {}

    RunResult Record(const std::vector<std::string>& lines);
    std::vector<RunResult> Inject(const std::vector<std::string>& lines, const std::vector<InjectedFault>& faults);

private:
    int parallel_;
};
