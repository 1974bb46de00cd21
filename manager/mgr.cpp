#include "manager/mgr.h"

#include <stdexcept>

#include "support/reporter.h"

namespace QvZin {

namespace {

// The reporter installation interface, answered by every manager. It is a
// process-wide service, so its counting does nothing.
class CZinReporterControl final : public IZinReporterControl {
public:
  ZinResult QueryInterface(const CZinUUID& iid, void** out) override {
    if (!out) return kZinInvalidArg;
    if (iid == IID_IUnknown || iid == IZinReporterControl::sIID) {
      *out = this;
      return kZinOk;
    }
    *out = nullptr;
    return kZinNoInterface;
  }
  int32_t AddRef() override { return 1; }
  int32_t Release() override { return 1; }
  Quorve::XIReporter* setThreadReporter(Quorve::XIReporter* reporter) override {
    return Quorve::XCReporter::SetThreadReporter(reporter);
  }
  Quorve::XIReporter* setProcessReporter(Quorve::XIReporter* reporter) override {
    return Quorve::XCReporter::SetProcessReporter(reporter);
  }
};

CZinReporterControl gReporterControl;

}  // namespace

IZinMgrRef* CZIN::NewLink(TSharedPtr<CZIN>* self) { return CreateZinObject<CZinMgrRef>(self); }

CZIN::CZIN(TSharedPtr<CZIN>* self, EVersionZIN clientVersion, IZinFeedback* feedback)
    : TZinCOMObjLinkRef<IZinMgr>(NewLink(self)), mClientVersion(clientVersion), mFeedback(feedback) {
  mLink.reset(CZinBasicData::getMgrRef());
  mLinkObject = static_cast<CZinMgrRef*>(mLink.get());
  if (clientVersion > eZinVersionCurrent) throw std::runtime_error("Client is newer than Zin Library!");
  if (clientVersion < eZinVersionOldest) throw std::runtime_error("Client is obsolete for this Zin Library!");
  mScene.createFront(mLink.get());
  mFileInfo.reset(CreateZinObject<CZinFileInfo>(mLink.get()));
  mScene.createBack(mLink.get());
  // The skeleton's providers hold the preview image, so the document comes after
  // the collections.
  newDocument();
}

CZIN::~CZIN() {
  mScene.releaseScene();
  // The document before the images: its providers hold references to them.
  mTree.reset();
  mFileInfo.reset();
  mScene.releaseImages();
  mScene.releaseRest();
}

CZIN* CZIN::Create(EVersionZIN clientVersion, IZinFeedback* feedback) {
  auto* block = new TSharedPtr<CZIN>();
  TZinWeakPtr<CZIN> keep(block);
  CZIN* manager = new CZIN(block, clientVersion, feedback);
  block->adopt(manager);
  manager->bindSelf(block);
  return manager;
}

CZinMgrRef& CZIN::link() const {
  if (!mLinkObject) throw std::runtime_error("TZinComPtr::operator->() - Dereferencing NULL");
  return *mLinkObject;
}

ZinResult CZIN::QueryInterface(const CZinUUID& iid, void** out) {
  if (out && iid == IZinReporterControl::sIID) {
    *out = &gReporterControl;
    return kZinOk;
  }
  return TZinCOMObjLinkRef<IZinMgr>::QueryInterface(iid, out);
}

void CZIN::feedbackWarning(const char* message) {
  if (mFeedback) mFeedback->warning(this, message);
}

void CZIN::setApplication(const char* name, const char* version) {
  mApplicationName = name ? name : "";
  mApplicationVersion = version ? version : "";
}

IZinMgrEx* CZIN::getMgrEx(EVersionZIN clientVersion) {
  if (clientVersion > eZinVersionCurrent) {
    feedbackWarning("Client is newer than Zin Library!");
    return nullptr;
  }
  if (clientVersion < 5) {
    feedbackWarning("Client is obsolete for this Zin Library!");
    return nullptr;
  }
  return this;
}

IZinProperty* CZIN::newShaderProperty() { return mScene.mShaderProperties->newZinObject(kZinEndOfList); }

void CZIN::removeShaderProperty(IZinProperty* property) {
  CZinPropertyList& shaders = *mScene.mShaderProperties;
  for (uint32_t i = 0; i < shaders.getCount(); ++i)
    if (shaders.getZinObject(i) == property) {
      shaders.removeObject(i);
      return;
    }
}

bool CZIN::getFileFormat(int* major, int* minor) {
  if (major) *major = mFileFormatMajor;
  if (minor) *minor = mFileFormatMinor;
  return true;
}

}  // namespace QvZin
