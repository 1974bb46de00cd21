#include "support/c_locale.h"

namespace Quorve {

namespace {

// One object for the whole process, built on first use and never freed: threads
// may still hold it as their current locale while the process ends. When it cannot
// be built, uselocale(0) below only queries, so conversions fall back to the
// thread's own locale rather than failing.
locale_t CLocaleObject() {
  static const locale_t object = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return object;
}

}  // namespace

CCLocale::CCLocale() : mPrevious(uselocale(CLocaleObject())) {}

CCLocale::~CCLocale() {
  if (mPrevious) uselocale(mPrevious);
}

}  // namespace Quorve
