#include "framework/clip.h"

#include <cstdio>

namespace QvZin {

void SendClipWarning(IZinWarning* sink, const char* fixed, const char* prefix, const char* setter) {
  if (fixed) {
    sink->warning(fixed);
    return;
  }
  char text[512];
  std::snprintf(text, sizeof text, "%sMethod %s has clipped a value out of range.", prefix ? prefix : "",
                setter ? setter : "");
  sink->warning(text);
}

}  // namespace QvZin
