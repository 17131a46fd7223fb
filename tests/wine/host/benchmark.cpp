#include "benchmark.h"

#include <memory>

#include "benchmark_steps.h"
#include "call_counter.h"
#include "com_addin.h"
#include "message_box_answerer.h"
#include "security_wrapper_classes.h"
#include "session.h"
#include "settings_template_switch.h"
#include "win32_window_driver.h"

namespace host {
namespace {

// A session with Quorvel.dll, as the scenarios have it.
struct HostedSession {
    Session session{MakeComAddin, std::make_unique<Win32WindowDriver>(), settingsTemplateSwitch()};
    SecurityWrapperClasses wrapperClasses{session.outlook()};
    MessageBoxAnswerer alerts{session.outlook()};
};

}  // namespace

int runBenchmark(std::ostream& out) {
    out << "Quorvel.dll through COM, " << sizeof(void*) * 8 << "-bit\n";
    BenchmarkHost host{[] {
                           auto hosted = std::make_shared<HostedSession>();
                           return std::shared_ptr<Session>(hosted, &hosted->session);
                       },
                       [](Session&) { return callCounts(); },
                       [] { MakeComAddin(); }};
    RunBenchmark(out, host);
    return 0;
}

}  // namespace host
