#include "sweep_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "script.h"
#include "session.h"
#include "session_checks.h"

namespace {

constexpr const char* InjectedDescription = "Injected by the sweep";
constexpr int Held = 0;
constexpr int NotHeld = 3;

std::string TemporaryFile() {
    char name[] = "/tmp/quorvel-sweep-XXXXXX";
    int descriptor = mkstemp(name);
    if (descriptor < 0) {
        std::perror("quorvel-sweep: mkstemp");
        std::exit(2);
    }
    close(descriptor);
    return name;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The child: plays the lines, writes what it saw to stderr (the report file) and ends without
// running any destructor of the parent's state.
[[noreturn]] void PlayAndCheck(const std::vector<std::string>& lines, const InjectedFault* fault) {
    std::ostringstream out;
    bool problem = false;
    {
        Session session;
        Script script(session, out);
        SessionChecks checks(session);
        std::map<std::string, long long> before;
        for (size_t index = 0; index < lines.size(); ++index) {
            if (fault && fault->line == index + 1) script.Run(fault->ScriptLine());
            before = session.outlook().addinCalls();
            script.Run(lines[index]);
            checks.AfterLine();
            if (fault) continue;
            for (const auto& [member, count] : session.outlook().addinCalls()) {
                long long made = count - before[member];
                if (made > 0) std::fprintf(stderr, "call\t%zu\t%s\t%lld\n", index + 1, member.c_str(), made);
            }
        }
        for (const std::string& found : checks.AtEnd()) {
            std::fprintf(stderr, "problem\t%s\n", found.c_str());
            problem = true;
        }
    }
    std::fflush(stderr);
    _exit(problem ? NotHeld : Held);
}

pid_t Start(const std::vector<std::string>& lines, const InjectedFault* fault, const std::string& report) {
    std::fflush(nullptr);
    pid_t child = fork();
    if (child < 0) {
        std::perror("quorvel-sweep: fork");
        std::exit(2);
    }
    if (child > 0) return child;
    if (!std::freopen(report.c_str(), "w", stderr) || !std::freopen("/dev/null", "w", stdout)) _exit(2);
    PlayAndCheck(lines, fault);
}

RunResult Finish(int status, const std::string& report) {
    RunResult result;
    std::istringstream lines(Contents(report));
    std::remove(report.c_str());
    std::string line;
    bool sanitizer = false;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind;
        std::getline(fields, kind, '\t');
        if (kind == "problem") {
            result.problems.push_back(line.substr(kind.size() + 1));
        } else if (kind == "call") {
            LineCalls calls;
            std::string number;
            std::getline(fields, number, '\t');
            calls.line = std::stoul(number);
            std::getline(fields, calls.member, '\t');
            fields >> calls.count;
            result.calls.push_back(calls);
        } else if (line.find("Sanitizer") != std::string::npos || line.find("runtime error:") != std::string::npos) {
            if (!sanitizer) result.problems.push_back("sanitizer report: " + line);
            sanitizer = true;
        }
    }
    if (WIFSIGNALED(status)) result.problems.push_back("crashed with signal " + std::to_string(WTERMSIG(status)));
    if (WIFEXITED(status) && WEXITSTATUS(status) != Held && WEXITSTATUS(status) != NotHeld)
        result.problems.push_back("ended with status " + std::to_string(WEXITSTATUS(status)));
    result.held = result.problems.empty();
    return result;
}

}  // namespace

std::string InjectedFault::ScriptLine() const {
    return "outlook fail " + member + " \"" + InjectedDescription + "\" " + std::to_string(nth);
}

RunResult SweepRunner::Record(const std::vector<std::string>& lines) {
    std::string report = TemporaryFile();
    pid_t child = Start(lines, nullptr, report);
    int status = 0;
    waitpid(child, &status, 0);
    return Finish(status, report);
}

std::vector<RunResult> SweepRunner::Inject(const std::vector<std::string>& lines,
                                           const std::vector<InjectedFault>& faults) {
    std::vector<RunResult> results(faults.size());
    std::map<pid_t, std::pair<size_t, std::string>> running;
    size_t next = 0;
    while (next < faults.size() || !running.empty()) {
        while (next < faults.size() && static_cast<int>(running.size()) < parallel_) {
            std::string report = TemporaryFile();
            running[Start(lines, &faults[next], report)] = {next, report};
            ++next;
        }
        int status = 0;
        pid_t ended = waitpid(-1, &status, 0);
        auto found = running.find(ended);
        if (found == running.end()) continue;
        results[found->second.first] = Finish(status, found->second.second);
        running.erase(found);
    }
    return results;
}
