// user_locale.h - the user's default locale, made global for a scope.
//
// Icon files are opened and tooltip texts rasterised under the user's
// default locale (the one the empty name gives). The scope makes it the
// process-wide locale and puts back both the C++ and the C locale when it
// ends. Where the environment names a locale that is not installed, the
// current one stays in force. Never throws.
#ifndef VRENK_COMMON_USER_LOCALE_H
#define VRENK_COMMON_USER_LOCALE_H

#include <locale>
#include <string>

namespace VrenkGLWidge {

class CUserLocaleScope {
 public:
  CUserLocaleScope();
  ~CUserLocaleScope();
  CUserLocaleScope(const CUserLocaleScope&) = delete;
  CUserLocaleScope& operator=(const CUserLocaleScope&) = delete;

 private:
  std::locale m_previous;
  std::string m_strCLocale;
  bool m_bSwitched = false;
};

}  // namespace VrenkGLWidge

#endif  // VRENK_COMMON_USER_LOCALE_H
