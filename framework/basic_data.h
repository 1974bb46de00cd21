// The record every object and collection carries (id, name, user data, UI
// value), and the stand-in for objects that carry none.
#pragma once

#include <map>
#include <string>

#include "ZinBasicData.h"
#include "ZinComPtr.h"

namespace QvZin {

/// Sends text through link's warning when link is set; a null link means no sink.
void WarnThrough(IZinMgrRef* link, const char* text);

class CZinBasicData : public IZinBasicData {
public:
  /// A new id from the system ("Can't create UUID" when it fails), empty name,
  /// no user data, UI value 0. owner is the link to warn through (may be null).
  explicit CZinBasicData(IZinMgrRef* owner);
  CZinBasicData(const CZinBasicData&) = delete;
  CZinBasicData& operator=(const CZinBasicData&) = delete;
  virtual ~CZinBasicData();

  int32_t putInXML(QuorveXML::XIXMLElement* element) override;
  int32_t initWithXML(QuorveXML::XIXMLElement* element) override;
  const CZinUUID* getId() override { return &mId; }
  void setId(const CZinUUID& id) override { mId = id; }
  const char* getName() override { return mName.c_str(); }
  void setName(const char* text) override;
  QuorveXML::XIXMLElement* getUserXML() override;
  void setUserXML(QuorveXML::XIXMLElement* element) override;
  IUnknown* getUserData(const CZinUUID& key) override;
  void setUserData(const CZinUUID& key, IUnknown* value) override;
  int32_t getUIValue() override { return mUIValue; }
  void setUIValue(int32_t value) override { mUIValue = value; }
  IZinMgrRef* getMgrRef() override { return mOwnerLink.get(); }

  /// Sends text through the owner link, when there is one.
  void warn(const char* text) { WarnThrough(mOwnerLink.get(), text); }

private:
  CZinUUID mId;
  std::string mName;
  std::map<CZinUUID, IUnknown*> mUserData;
  int32_t mUIValue = 0;
  TZinComPtr<IZinMgrRef> mOwnerLink;
};

/// Basic data of an object that has none: every operation warns
/// "CZinEmptyBasicData::<operation> - This class doesn't implement ..." and
/// returns 0 or null.
class CZinEmptyBasicData : public IZinBasicData {
public:
  explicit CZinEmptyBasicData(IZinMgrRef* owner) : mOwnerLink(owner) {}

  int32_t putInXML(QuorveXML::XIXMLElement* element) override;
  int32_t initWithXML(QuorveXML::XIXMLElement* element) override;
  const CZinUUID* getId() override;
  void setId(const CZinUUID& id) override;
  const char* getName() override;
  void setName(const char* text) override;
  QuorveXML::XIXMLElement* getUserXML() override;
  void setUserXML(QuorveXML::XIXMLElement* element) override;
  IUnknown* getUserData(const CZinUUID& key) override;
  void setUserData(const CZinUUID& key, IUnknown* value) override;
  int32_t getUIValue() override;
  void setUIValue(int32_t value) override;
  IZinMgrRef* getMgrRef() override { return mOwnerLink.get(); }

private:
  TZinComPtr<IZinMgrRef> mOwnerLink;
};

}  // namespace QvZin
