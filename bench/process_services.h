// The process services of the benchmark that differ between systems:
// process_services_posix.cpp and process_services_win32.cpp.
#ifndef VEXL33_BENCH_PROCESS_SERVICES_H
#define VEXL33_BENCH_PROCESS_SERVICES_H

#include <string>
#include <vector>

namespace vexl::bench {

// The highest resident memory of this process's own address space so far, in
// KiB; -1 when the system does not tell.
long long own_peak_rss_kib();

// The processor time this thread has used so far (user and system), in
// seconds. Unlike the time on the clock it does not count the time other
// processes of a busy machine take, so two measurements made at different
// loads can still be compared.
double own_thread_cpu_seconds();

// The path of the running program (argv0 when nothing better is known).
std::string own_program_path(const char *argv0);

// Runs program with args, waits for it and returns its exit status; -1 when
// it cannot be started.
int run_program(const std::string &program, const std::vector<std::string> &args);

// Sets an environment variable unless it is set already.
void set_environment_default(const char *name, const char *value);

} // namespace vexl::bench

#endif // VEXL33_BENCH_PROCESS_SERVICES_H
