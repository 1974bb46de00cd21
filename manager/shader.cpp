// Shader files: one material's node tree as a small document of its own.
#include <memory>

#include "manager/mgr.h"
#include "manager/stream_adapter.h"
#include "serialization/xml_io.h"
#include "materials/node_tree.h"
#include "support/raise.h"
#include "xml/root.h"
#include "xml/tree_reader.h"

namespace QvZin {

using QuorveXML::XIXMLElement;

namespace {

XIXMLElement* TopElement(QuorveXML::XCXMLTree& tree, const char* name) {
  QuorveXML::XCXMLRoot* root = tree.GetRoot();
  return root->FindElement(root->GetKey(name));
}

ITCENode* RootOf(IZinProperty* property, const char* missing) {
  IZinTCE* graph = property->getTCE();
  ITCENode* root = graph ? graph->getRootNode() : nullptr;
  Quorve::CheckPointer(root, "%s", missing);
  return root;
}

}  // namespace

bool CZIN::readShader(IZinProperty* property, IZinReadStream* stream) {
  try {
    Quorve::CheckPointer(stream, "read stream is NULL");
    Quorve::CheckPointer(property, "Property is NULL");
    ITCENode* root = RootOf(property, "Can't get root node");
    const int64_t start = stream->tell();
    char first = 0;
    const int got = stream->read(&first, 1);
    stream->seek(start);
    if (got != 1 || first != '<') Quorve::ThrowError("CZIN::readShader - Only XML shader are supported");

    QuorveXML::CXMLTreeReader reader;
    CReadStreamAdapter adapter(stream);
    std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&adapter));
    XIXMLElement* node = nullptr;
    if (XIXMLElement* older = TopElement(*tree, "Quorve.Shader")) {
      node = CZinXMLGet(older).GetElement("Node");
    } else {
      XIXMLElement* shader = TopElement(*tree, "Zin.Shader");
      Quorve::CheckPointer(shader, "This is not a shader");
      CZinXMLGet in(shader);
      if (in.HasElement("Property")) {
        // A property of ours reads through the half that throws, so that a bad
        // property fails the read as any other bad shader does; a client's own
        // reports through its entry point.
        IZinBasicData* basic = property->getBasicData();
        if (auto* own = dynamic_cast<CZinXMLBasicData*>(basic)) {
          CZinXMLIO io(shader, own->getMgrRef());
          own->initWithXML(io);
        } else {
          basic->initWithXML(shader);
        }
        return true;
      }
      // What writeShader writes.
      node = in.FindElement("Node");
      Quorve::CheckPointer(node, "Missing property data");
    }
    if (!mLinkObject) throw std::runtime_error("TZinComPtr::operator*() - Dereferencing NULL");
    // The whole tree is read before the property changes: a failure leaves it as it was.
    CZinNodeReading reading(property->getBasicData()->getMgrRef());
    TZinComPtr<ITCENode> top = GetNodeTree(node, reading);
    Quorve::CheckAssertion(top.get() != nullptr, "Can't root's child");
    // A graph of ours takes the node or throws; a client's own graph gets it through
    // its interface.
    if (CTCENode* own = CTCENode::From(root))
      own->adoptFirst(CTCENode::From(top.get()));
    else if (root->getChildCount() > 0)
      root->setChild(0, top.get());
    else
      root->addChild(top.get());
    return true;
  } catch (const std::exception& e) {
    feedbackWarning(e.what());
  } catch (...) {
    feedbackWarning("Unknown shader reading error");
  }
  return false;
}

bool CZIN::writeShader(IZinProperty* property, IZinWriteStream* stream) {
  try {
    QuorveXML::XCXMLTree tree;
    Quorve::CheckPointer(property, "Property is NULL");
    CZinXMLAdd document(tree.GetRoot());
    CZinXMLAdd shader(document.AddElement("Zin.Shader"), document);
    if (!mLinkObject) throw std::runtime_error("TZinComPtr::operator*() - Dereferencing NULL");
    ITCENode* root = RootOf(property, "Property root is NULL");
    ITCENode* first = root->getChild(0);
    Quorve::CheckPointer(first, "Property root's child is NULL");
    CTCENode* top = CTCENode::From(first);
    if (!top) Quorve::ThrowError("Node is unknown");
    PutNodeTree(shader.AddElement("Node"), *top);
    CWriteStreamAdapter adapter(stream);
    tree.GetRoot()->Write(&adapter);
    return true;
  } catch (const std::exception& e) {
    feedbackWarning(e.what());
  } catch (...) {
    feedbackWarning("Unknown shader writing error");
  }
  return false;
}

}  // namespace QvZin
