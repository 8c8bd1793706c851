// Setting and restoring process environment variables inside a test.
#ifndef VEXL33_TESTS_TEST_ENV_H
#define VEXL33_TESTS_TEST_ENV_H

#include <cstdlib>
#include <optional>
#include <string>

namespace vexl::test {

inline void set_env(const char *name, const char *value) {
#ifdef _WIN32
    _putenv_s(name, value);
#else
    setenv(name, value, 1);
#endif
}

inline void unset_env(const char *name) {
#ifdef _WIN32
    _putenv_s(name, ""); // the CRT removes a variable set to the empty string
#else
    unsetenv(name);
#endif
}

// Sets (or, with a null value, removes) a variable for the scope of a test
// and puts the previous state back afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char *name, const char *value) : name_(name) {
        if (const char *old = std::getenv(name))
            old_ = old;
        if (value)
            set_env(name, value);
        else
            unset_env(name);
    }
    ~ScopedEnv() {
        if (old_)
            set_env(name_.c_str(), old_->c_str());
        else
            unset_env(name_.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace vexl::test

#endif // VEXL33_TESTS_TEST_ENV_H
