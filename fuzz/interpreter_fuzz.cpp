// Script lines played against a session that lives across inputs, as a user's session does:
// every line runs or is refused in the simulator's own words. A refusal carrying a library's
// text, or the simulator failing inside, is a finding. The session starts again every so many
// inputs (and once it has ended), from a prologue that loads the add-in with windows open; a
// finding prints every line the session played, a script that plays it again.
#include <sanitizer/common_interface_defs.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "script.h"
#include "session.h"

namespace {

constexpr int InputsPerSession = 64;
constexpr int LinesPerInput = 4;

const char* const Prologue[] = {"outlook security-wrapper installed", "explorer open inbox", "explorer open calendar",
                                "addin connect", "addin startup", "appointment new"};

struct Played {
    std::unique_ptr<Session> session;
    std::unique_ptr<Script> script;
    std::ostringstream out;
    std::vector<std::string> lines;
    int inputs = 0;
};

// Never destroyed: at exit the add-in's own function-local statics (its forms) are gone before a
// static session could shut the add-in down, so the session simply ends with the process.
Played& Current() {
    static Played* played = new Played;
    return *played;
}

void PrintPlayed() {
    std::fputs("The session played:\n", stderr);
    for (const std::string& line : Current().lines) std::fprintf(stderr, "%s\n", line.c_str());
}

void Play(const std::string& line) {
    Played& played = Current();
    played.lines.push_back(line);
    played.out.str("");
    played.script->Run(line);
}

void StartAgain() {
    Played& played = Current();
    played.script.reset();
    played.session.reset();
    played.lines.clear();
    played.inputs = 0;
    played.session = std::make_unique<Session>();
    played.script = std::make_unique<Script>(*played.session, played.out);
    for (const char* line : Prologue) Play(line);
}

// A refusal may repeat the line's own words, so library text counts only when the line lacks it.
bool Foreign(const std::string& answer, const std::string& line) {
    if (answer.find(Script::InternalFault) != std::string::npos) return true;
    size_t refusal = answer.find("  ! ");
    if (refusal == std::string::npos || answer.find("  ! The add-in or Outlook raised: ") == refusal) return false;
    for (const char* library : {"std::", "vector::", "__n", "what()"})
        if (answer.find(library, refusal) != std::string::npos && line.find(library) == std::string::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_set_death_callback(PrintPlayed);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Played& played = Current();
    if (!played.session || played.session->ended() || ++played.inputs > InputsPerSession) StartAgain();
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    for (int count = 0; count < LinesPerInput && std::getline(lines, line); ++count) {
        Play(line);
        if (Foreign(played.out.str(), line)) {
            std::fprintf(stderr, "Answered in a library's words:\n%s", played.out.str().c_str());
            PrintPlayed();
            std::abort();
        }
    }
    return 0;
}
