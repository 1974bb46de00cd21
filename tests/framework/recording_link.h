// A link object that records every warning, standing in for the manager's link in
// tests that must not depend on the manager. It counts its references on a plain
// integer so that tests can keep it on the stack.
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "ZinBase.h"

namespace QvZinTest {

class RecordingLink final : public QvZin::IZinMgrRef {
public:
  ~RecordingLink() {
    if (mCount != 0) std::abort();  // an object still holds the link
  }
  QvZin::ZinResult QueryInterface(const QvZin::CZinUUID&, void** out) override {
    if (out) *out = nullptr;
    return QvZin::kZinNoInterface;
  }
  int32_t AddRef() override {
    ++mCount;
    return 1;
  }
  int32_t Release() override {
    --mCount;
    return 1;
  }
  QvZin::IZinMgr* getMgr() override { return nullptr; }
  const char* getLanguage() override { return "en"; }
  void setLanguage(const char*) override {}
  const double* getTransformation() override { return nullptr; }
  void setTransformation(const double*) override {}
  void transformMatrix(double*) override {}
  void transformVector(double*) override {}
  void transformPoint(double*) override {}
  QvZin::IZinObjectLinkRef* getLinkRef() override { return this; }
  QvZin::IZinObjectLink* getParentLink() override { return nullptr; }
  QvZin::IZinWarning* getWarning() override { return this; }
  QvZin::IZinWarning* getDocumentWarning() override { return this; }
  void warning(const char* message) override { mWarnings.push_back(message); }
  void exception(const char*, const std::exception&) override {}
  void otherException(const char*) override {}

  /// The warnings so far, then forgotten.
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(mWarnings);
    return out;
  }

  int mCount = 0;
  std::vector<std::string> mWarnings;
};

}  // namespace QvZinTest
