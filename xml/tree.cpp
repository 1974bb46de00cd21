#include "xml/tree.h"

#include "xml/node.h"

namespace QuorveXML {

XCXMLTree::XCXMLTree() : mRoot(XCXMLRoot::New()) {}

XCXMLTree::~XCXMLTree() {
  try {
    mRoot->Mine().CheckMine();
    mRoot->Dispose();
  } catch (...) {
    ReportDestructorError("XCXMLTree::~XCXMLTree: Exception in destructor (%s)");
  }
  mRoot = nullptr;
}

}  // namespace QuorveXML
