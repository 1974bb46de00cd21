// The manager's link object: every object of a manager holds it, so objects
// reach the language, the transformation and the feedback object without
// keeping the manager alive.
#pragma once

#include "ZinMgr.h"
#include "framework/com_base.h"

namespace QvZin {

class CZIN;

class CZinMgrRef final : public TZinCOMBase<IZinMgrRef> {
public:
  /// manager is the manager's control block; the link keeps a weak link to it.
  explicit CZinMgrRef(TSharedPtr<CZIN>* manager);

  ZinResult QueryInterface(const CZinUUID& iid, void** out) override;

  // IZinMgrRef
  IZinMgr* getMgr() override;
  const char* getLanguage() override { return mLanguage; }
  void setLanguage(const char* language) override;
  const double* getTransformation() override { return mMatrix; }
  void setTransformation(const double* matrix) override;
  void transformMatrix(double* matrix) override;
  void transformVector(double* xyz) override;
  void transformPoint(double* xyz) override;

  // IZinObjectLink
  IZinObjectLinkRef* getLinkRef() override { return this; }
  IZinObjectLink* getParentLink() override { return nullptr; }
  IZinWarning* getWarning() override { return this; }
  IZinWarning* getDocumentWarning() override { return this; }

  // IZinWarning
  void warning(const char* message) override;
  void exception(const char* where, const std::exception& e) override;
  void otherException(const char* where) override;

  bool isActive() const { return mActive; }

private:
  TZinWeakPtr<CZIN> mMgr;
  bool mActive = false;
  double mMatrix[16];
  char mLanguage[3] = {'e', 'n', 0};
};

}  // namespace QvZin
