// env.h - an environment variable set for one scope.
#ifndef VRENK_TESTS_ENV_H
#define VRENK_TESTS_ENV_H

#include <cstdlib>
#include <string>

namespace vrenktest {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (m_had) m_old = old;
    Set(value);
  }
  ~ScopedEnv() { Set(m_had ? m_old.c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
#if defined(_WIN32)
    _putenv_s(m_name.c_str(), value != nullptr ? value : "");
#else
    if (value != nullptr) {
      setenv(m_name.c_str(), value, 1);
    } else {
      unsetenv(m_name.c_str());
    }
#endif
  }
  std::string m_name;
  std::string m_old;
  bool m_had = false;
};

}  // namespace vrenktest

#endif  // VRENK_TESTS_ENV_H
