// Number text that does not depend on the client's locale. A host application may
// call setlocale with a locale whose decimal separator is a comma; the file format
// still needs "1.500000". printf- and scanf-style conversions run inside a CCLocale
// scope, which switches the calling thread (only) to the "C" locale and back.
#pragma once

#include <locale.h>

namespace Quorve {

class CCLocale {
public:
  /// Switches the calling thread to the process's one "C" locale object.
  CCLocale();
  /// Restores the thread's previous locale.
  ~CCLocale();
  CCLocale(const CCLocale&) = delete;
  CCLocale& operator=(const CCLocale&) = delete;

private:
  locale_t mPrevious;
};

}  // namespace Quorve
