// user_locale.cpp - the user's default locale, made global for a scope.
#include "common/user_locale.h"

#include <clocale>

namespace VrenkGLWidge {
namespace {

// Made once: building it takes far longer than reading an icon or
// rasterising a short string. Null when the environment names a locale that
// is not installed.
const std::locale* UserLocale() {
  static const std::locale* user = []() -> const std::locale* {
    try {
      return new std::locale("");
    } catch (...) {
      return nullptr;
    }
  }();
  return user;
}

}  // namespace

CUserLocaleScope::CUserLocaleScope() {
  try {
    const std::locale* user = UserLocale();
    if (user == nullptr || std::locale() == *user) return;
    const char* current = std::setlocale(LC_ALL, nullptr);
    if (current != nullptr) m_strCLocale = current;
    m_previous = std::locale::global(*user);
    m_bSwitched = true;
  } catch (...) {
    m_bSwitched = false;
  }
}

CUserLocaleScope::~CUserLocaleScope() {
  if (!m_bSwitched) return;
  try {
    std::locale::global(m_previous);
  } catch (...) {
  }
  if (!m_strCLocale.empty()) std::setlocale(LC_ALL, m_strCLocale.c_str());
}

}  // namespace VrenkGLWidge
