#include "process_services.h"

#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char **environ;

namespace vexl::bench {

long long own_peak_rss_kib() {
    // Linux carries the spawning process's peak over into a child's
    // ru_maxrss, so a child started by a large benchmark process would report
    // that peak. VmHWM counts this address space only.
    std::ifstream status("/proc/self/status");
    std::string field;
    long long kib = -1;
    while (status >> field) {
        if (field == "VmHWM:" && status >> kib)
            return kib;
    }
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return -1;
    return usage.ru_maxrss; // KiB on Linux and the BSDs
}

double own_thread_cpu_seconds() {
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return 0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string own_program_path(const char *argv0) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string(argv0);
}

int run_program(const std::string &program, const std::vector<std::string> &args) {
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void set_environment_default(const char *name, const char *value) {
    setenv(name, value, 0);
}

} // namespace vexl::bench
