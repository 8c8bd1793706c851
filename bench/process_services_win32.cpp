#include "process_services.h"

#include <cstdlib>
#include <memory>

#include <windows.h>

#include <psapi.h>

namespace vexl::bench {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using HandlePtr = std::unique_ptr<void, HandleCloser>;

} // namespace

long long own_peak_rss_kib() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
}

double own_thread_cpu_seconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME &time) { // 100 ns each
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

std::string own_program_path(const char *argv0) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string(argv0);
}

int run_program(const std::string &program, const std::vector<std::string> &args) {
    // Every argument quoted: the benchmark's own arguments never hold quotes.
    std::string command_line = "\"" + program + "\"";
    for (const std::string &arg : args)
        command_line += " \"" + arg + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return -1;
    const HandlePtr thread(process.hThread), child(process.hProcess);
    WaitForSingleObject(child.get(), INFINITE);
    DWORD status = 0;
    if (!GetExitCodeProcess(child.get(), &status))
        return -1;
    return static_cast<int>(status);
}

void set_environment_default(const char *name, const char *value) {
    if (std::getenv(name) == nullptr)
        _putenv_s(name, value);
}

} // namespace vexl::bench
