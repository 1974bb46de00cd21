#include "xml/root.h"

#include "support/raise.h"
#include "xml/writer.h"

namespace QuorveXML {

XCXMLRoot* XCXMLRoot::New() {
  CHashKey* table = new (std::nothrow) CHashKey;
  if (!table) Quorve::ThrowError("Can't allocate key hash table.");
  void* memory = CNodeHeap::ForThread()->Allocate(sizeof(XCXMLRoot));
  if (!memory) {
    table->Release();
    Quorve::ThrowNullPointer(nullptr);
  }
  return new (memory) XCXMLRoot(table);
}

XCXMLRoot::~XCXMLRoot() {
  DestroyContent();
  if (mTable) mTable->Release();
  mTable = nullptr;
}

void XCXMLRoot::Dispose() noexcept {
  DestroyContent();
  if (mTable) mTable->Release();
  mTable = nullptr;
  Bury();
}

void XCXMLRoot::Delete() {
  mMine.CheckMine();
  Quorve::ThrowAssertion(nullptr);
}

void XCXMLRoot::Write(XCXMLWriter& writer, int32_t depth) {
  (void)depth;
  for (XCXMLNode* node = FirstChild(); node; node = NextChild(node)) node->Write(writer, 0);
  writer.WriteChar('\n');
}

void XCXMLRoot::Write(XIXMLWriteStream* stream) {
  XCXMLWriter writer(stream);
  Write(writer, 0);
  writer.Flush();
}

}  // namespace QuorveXML
