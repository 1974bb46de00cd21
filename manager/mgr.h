// The concrete manager.
#pragma once

#include <string>

#include "ZinMgr.h"
#include "framework/obj_link_ref.h"
#include "manager/mgr_ref.h"

namespace QvZin {

class CZIN final : public TZinCOMObjLinkRef<IZinMgr>, public TZinFrontier<IZinMgrEx> {
public:
  /// Builds a manager bound to its control block self. Throws "Client is newer than
  /// Zin Library!" above generation 50 and "Client is obsolete for this Zin
  /// Library!" below 30.
  CZIN(TSharedPtr<CZIN>* self, EVersionZIN clientVersion, IZinFeedback* feedback);
  ~CZIN() override;

  /// Creates a manager with no reference yet; the caller takes the first one.
  static CZIN* Create(EVersionZIN clientVersion, IZinFeedback* feedback);

  // IUnknown
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override;

  // IZinMgr
  void setApplication(const char* name, const char* version) override;
  IZinMgrEx* getMgrEx(EVersionZIN clientVersion) override;
  const CZinVersion* getFileVersion() override { return &mFileVersion; }
  bool getFileFormat(int* major, int* minor) override;
  const char* getLanguage() override { return link().getLanguage(); }
  void setLanguage(const char* language) override { link().setLanguage(language); }
  const double* getTransformation() override { return link().getTransformation(); }
  void setTransformation(const double* matrix) override { link().setTransformation(matrix); }

  IZinFeedback* getFeedback() const { return mFeedback; }
  EVersionZIN getClientVersion() const { return mClientVersion; }
  /// Sends message to the feedback object with this manager, when there is one.
  void feedbackWarning(const char* message);
  /// The link object; throws "TZinComPtr::operator->() - Dereferencing NULL" when missing.
  CZinMgrRef& link() const;

private:
  static IZinMgrRef* NewLink(TSharedPtr<CZIN>* self);

  TZinComPtr<IZinMgrRef> mLink;
  CZinMgrRef* mLinkObject = nullptr;
  int32_t mFileFormatMajor = 5;
  int32_t mFileFormatMinor = 1;
  EVersionZIN mClientVersion;
  IZinFeedback* mFeedback;
  std::string mApplicationName;
  std::string mApplicationVersion;
  CZinVersion mFileVersion;
};

}  // namespace QvZin
