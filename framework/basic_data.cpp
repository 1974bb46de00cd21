#include "framework/basic_data.h"

#include "framework/uuid.h"

namespace QvZin {

void WarnThrough(IZinMgrRef* link, const char* text) {
  if (link) link->warning(text);
}

// ---- CZinBasicData

CZinBasicData::CZinBasicData(IZinMgrRef* owner) : mId(NewZinUUID()), mOwnerLink(owner) {}

CZinBasicData::~CZinBasicData() {
  for (auto& entry : mUserData)
    if (entry.second) entry.second->Release();
}

void CZinBasicData::setName(const char* text) {
  if (!text) {
    warn("CZinBasicData::setName - inName is NULL");
    return;
  }
  mName = text;
}

// The XML halves of a record without an element layout behave as the empty record's.
int32_t CZinBasicData::putInXML(QuorveXML::XIXMLElement*) {
  warn("CZinEmptyBasicData::putInXML - This class doesn't implement XML");
  return 0;
}

int32_t CZinBasicData::initWithXML(QuorveXML::XIXMLElement*) {
  warn("CZinEmptyBasicData::initWithXML - This class doesn't implement XML");
  return 0;
}

QuorveXML::XIXMLElement* CZinBasicData::getUserXML() {
  warn("CZinEmptyBasicData::getUserXML - This class doesn't implement user XML");
  return nullptr;
}

void CZinBasicData::setUserXML(QuorveXML::XIXMLElement*) {
  warn("CZinEmptyBasicData::setUserXML - This class doesn't implement user XML");
}

IUnknown* CZinBasicData::getUserData(const CZinUUID& key) {
  auto found = mUserData.find(key);
  return found == mUserData.end() ? nullptr : found->second;
}

void CZinBasicData::setUserData(const CZinUUID& key, IUnknown* value) {
  IUnknown*& slot = mUserData[key];
  // The new value is referenced before the old one is released: storing the same
  // value again must not destroy it.
  if (value) value->AddRef();
  IUnknown* old = slot;
  slot = value;
  if (old) old->Release();
}

// ---- CZinEmptyBasicData

int32_t CZinEmptyBasicData::putInXML(QuorveXML::XIXMLElement*) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::putInXML - This class doesn't implement XML");
  return 0;
}

int32_t CZinEmptyBasicData::initWithXML(QuorveXML::XIXMLElement*) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::initWithXML - This class doesn't implement XML");
  return 0;
}

const CZinUUID* CZinEmptyBasicData::getId() {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::getId - This class doesn't implement id");
  return nullptr;
}

void CZinEmptyBasicData::setId(const CZinUUID&) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::setId - This class doesn't implement id");
}

const char* CZinEmptyBasicData::getName() {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::getName - This class doesn't implement name");
  return nullptr;
}

void CZinEmptyBasicData::setName(const char*) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::setName - This class doesn't implement name");
}

QuorveXML::XIXMLElement* CZinEmptyBasicData::getUserXML() {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::getUserXML - This class doesn't implement user XML");
  return nullptr;
}

void CZinEmptyBasicData::setUserXML(QuorveXML::XIXMLElement*) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::setUserXML - This class doesn't implement user XML");
}

IUnknown* CZinEmptyBasicData::getUserData(const CZinUUID&) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::getUserData - This class doesn't implement user data");
  return nullptr;
}

void CZinEmptyBasicData::setUserData(const CZinUUID&, IUnknown*) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::setUserData - This class doesn't implement user data");
}

int32_t CZinEmptyBasicData::getUIValue() {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::getUIValue - This class doesn't implement UI value");
  return 0;
}

void CZinEmptyBasicData::setUIValue(int32_t) {
  WarnThrough(getMgrRef(), "CZinEmptyBasicData::setUIValue - This class doesn't implement UI value");
}

}  // namespace QvZin
