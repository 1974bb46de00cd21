#include "xml/tree_reader.h"

#include <cstring>
#include <memory>
#include <type_traits>

#include "support/raise.h"
#include "xml/comment.h"
#include "xml/data.h"
#include "xml/pi.h"

namespace QuorveXML {

namespace {

template <class T>
T* Made(T* node) {
  if (!node) Quorve::ThrowNullPointer(nullptr);
  return node;
}

}  // namespace

XCXMLTree* CXMLTreeReader::Read(XIXMLReadStream* stream) {
  if (mTree) Quorve::ThrowAssertion(nullptr);
  std::unique_ptr<XCXMLTree> tree(new XCXMLTree);
  XCXMLRoot* root = tree->GetRoot();
  mTree = tree.get();
  mCurrent = root;
  mCurrentRef = CNodeHeap::ToRef(static_cast<XCXMLElement*>(root));
  mTable = root->Table();
  mHeap = CNodeHeap::ForThread();
  for (CRecentName& recent : mRecent) recent = {nullptr, 0};
  struct CReset {
    CXMLTreeReader& mReader;
    ~CReset() {
      mReader.mTree = nullptr;
      mReader.mCurrent = nullptr;
      mReader.mCurrentRef = 0;
      mReader.mTable = nullptr;
      mReader.mWaitingCount = 0;
    }
  } reset{*this};
  Parse(stream, this);
  ResolveWaiting();
  return tree.release();
}

XCXMLElement* CXMLTreeReader::Current() {
  if (!mCurrent) Quorve::ThrowNullPointer(nullptr);
  return mCurrent;
}

const char* CXMLTreeReader::KeyOf(const char* name) {
  if (name != mName.mData || !mNameClean || !mTable) return mTree->GetRoot()->GetKey(name);
  const size_t length = mName.mLength;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(name);
  CRecentName& recent = mRecent[(length * 7 + bytes[0] * 31u + bytes[length - 1]) % kRecentNames];
  if (recent.mLength == length && recent.mKey && std::memcmp(recent.mKey, name, length) == 0) return recent.mKey;
  return KeyOfNew(name, length, recent);
}

const char* CXMLTreeReader::KeyOfNew(const char* name, size_t length, CRecentName& recent) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(name);
  uint32_t hash = 0;
  for (size_t i = 0; i < length; ++i) hash = CHashKey::HashStep(hash, bytes[i]);
  CWaitingName& waiting = mWaiting[mWaitingCount];
  if (length > sizeof waiting.mName) {  // too long to wait: answered now
    recent = {mTable->GetKey(name, static_cast<uint32_t>(length), hash), length};
    return recent.mKey;
  }
  const CHashKey::CPending pending = mTable->Begin(name, static_cast<uint32_t>(length), hash);
  if (pending.mKey) {
    recent = {pending.mKey, length};
    return pending.mKey;
  }
  waiting.mPending = pending;
  waiting.mRecent = &recent;
  std::memcpy(waiting.mName, name, length);
  waiting.mLength = static_cast<uint32_t>(length);
  waiting.mHash = hash;
  return nullptr;
}

template <class Node>
void CXMLTreeReader::Wait(Node* node) {
  CWaitingName& waiting = mWaiting[mWaitingCount++];
  waiting.mElement = nullptr;
  waiting.mAttribute = nullptr;
  if constexpr (std::is_same_v<Node, XCXMLElement>)
    waiting.mElement = node;
  else
    waiting.mAttribute = node;
  if (mWaitingCount == kWaitingNames) ResolveWaiting();
}

void CXMLTreeReader::ResolveWaiting() {
  // An exception leaves the rest keyless; the failed parse destroys them unread.
  for (size_t i = 0; i < mWaitingCount; ++i) {
    const CWaitingName& waiting = mWaiting[i];
    const char* key = mTable->Finish(waiting.mName, waiting.mLength, waiting.mHash, waiting.mPending);
    *waiting.mRecent = {key, waiting.mLength};
    if (waiting.mElement)
      waiting.mElement->Rekey(key);
    else
      waiting.mAttribute->Rekey(key);
  }
  mWaitingCount = 0;
}

void* CXMLTreeReader::OnStartElement(const char* name) {
  XCXMLElement* parent = Current();
  const char* key = KeyOf(name);
  XCXMLElement* element = Made(XCXMLElement::New(mHeap, key));
  const XRef ref = CNodeHeap::ToRef(element);
  parent->LinkChild(element, CNodeHeap::ToRef(static_cast<XCXMLNode*>(element)), mCurrentRef);
  mCurrent = element;
  mCurrentRef = ref;
  if (!key) Wait(element);
  return static_cast<XIXMLElement*>(element);
}

void CXMLTreeReader::OnAttribute(const char* name, const char* value) {
  XCXMLElement* element = Current();
  const size_t length = value == mValue.mData ? mValue.mLength : std::strlen(value);
  const char* key = KeyOf(name);
  XCXMLAttribute* attribute = Made(XCXMLAttribute::New(mHeap, key, value, length));
  element->LinkAttribute(attribute, CNodeHeap::ToRef(attribute), mCurrentRef);
  if (!key) Wait(attribute);
}

void CXMLTreeReader::OnText(const char* text) {
  XCXMLElement* element = Current();
  const size_t length = text == mValue.mData ? mValue.mLength : std::strlen(text);
  // A text that decodes to nothing ("&#;", an empty data block read as text) is kept
  // as no text at all, as whitespace-only content is: an empty data node would be
  // written as "<a></a>", which reads back without one, so the document would change
  // on its second round.
  if (length == 0) return;
  if (element->HasData()) Quorve::ThrowError("Only one data node for an element");
  XCXMLData* data = Made(XCXMLData::NewText(mHeap, text, length));
  element->LinkChild(data, CNodeHeap::ToRef(static_cast<XCXMLNode*>(data)), mCurrentRef);
  element->MarkData();
}

void CXMLTreeReader::OnComment(const char* text) {
  XCXMLElement* element = Current();
  const size_t length = text == mValue.mData ? mValue.mLength : std::strlen(text);
  XCXMLComment* comment = Made(XCXMLComment::New(mHeap, text, length));
  element->LinkChild(comment, CNodeHeap::ToRef(static_cast<XCXMLNode*>(comment)), mCurrentRef);
}

bool CXMLTreeReader::OnPI(const char* target, const char* data) {
  XCXMLElement* element = Current();
  XCXMLPI* pi = Made(XCXMLPI::New(mHeap, target, std::strlen(target), data, std::strlen(data)));
  element->LinkChild(pi, CNodeHeap::ToRef(static_cast<XCXMLNode*>(pi)), mCurrentRef);
  return true;
}

void CXMLTreeReader::OnDocType(const char* name, const char* publicId, const char* systemId, const char* subset) {
  XCXMLElement* element = Current();
  XCXMLRoot* root = mTree ? mTree->GetRoot() : nullptr;
  if (element != root) Quorve::ThrowAssertion(nullptr);
  Made(root->AddDocType(root->GetKey(name), publicId, systemId, subset));
}

void CXMLTreeReader::OnCData(XIXMLReadStream* stream) {
  XCXMLElement* element = Current();
  if (!mReader) {
    CXMLParser::OnCData(stream);
    return;
  }
  ResolveWaiting();
  if (!mReader->Read(element, stream)) Quorve::ThrowAssertion(nullptr);
}

void CXMLTreeReader::OnEndElement(void* handle) {
  XCXMLElement* element = Current();
  if (handle != static_cast<XIXMLElement*>(element)) Quorve::ThrowAssertion(nullptr);
  mCurrent = element->Parent();
  mCurrentRef = mCurrent ? CNodeHeap::ToRef(mCurrent) : 0;
}

}  // namespace QuorveXML
