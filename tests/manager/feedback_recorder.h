// A feedback object that records every call, for tests of what clients observe.
#pragma once

#include <string>
#include <vector>

#include "ZinMgr.h"

namespace QvZinTest {

struct FeedbackRecorder : QvZin::IZinFeedback {
  struct Warning {
    QvZin::IZinMgr* mgr;
    std::string text;
  };
  std::vector<Warning> warnings;
  std::vector<int> positions;
  bool answer = true;  // what progress returns
  int cancelAfter = -1;  // progress calls to accept before cancelling; -1: never

  bool warning(QvZin::IZinMgr* mgr, const char* message) override {
    warnings.push_back({mgr, message ? message : "<null>"});
    return true;
  }
  bool progress(QvZin::IZinMgr*, int position, int) override {
    positions.push_back(position);
    if (cancelAfter >= 0 && static_cast<int>(positions.size()) > cancelAfter) return false;
    return answer;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const Warning& w : warnings) out.push_back(w.text);
    return out;
  }
};

}  // namespace QvZinTest
