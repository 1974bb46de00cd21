// The fuzz target of materials: shader files read into a property. Returns 0 and
// stops the process when an oracle fails.
#pragma once

#include <memory>
#include <string>

#include "ZinFileStreams.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/xml_targets.h"
#include "materials/node_tree.h"
#include "materials/property.h"

namespace ZinFuzz {

/// The property's element as the library writes it.
inline std::string PropertyText(QvZin::IZinProperty* property) {
  QuorveXML::XCXMLTree tree;
  XIXMLElement* holder = tree.GetRoot()->AddElement(tree.GetRoot()->GetKey("Holder"));
  property->getBasicData()->putInXML(holder);
  return WriteElement(holder);
}

/// The shader file of property, or "" when it does not write.
inline std::string ShaderBytes(QvZin::IZinMgrEx* ex, QvZin::IZinProperty* property) {
  QvZin::CZinMemoryWriteStream out;
  return ex->writeShader(property, &out) ? out.bytes() : std::string();
}

inline std::string Last(const CRecordingFeedback& feedback) {
  return feedback.mWarnings.empty() ? std::string() : feedback.mWarnings.back();
}

inline int ShaderFile(const uint8_t* data, size_t size) {
  CRecordingFeedback feedback;
  CManager mgr(&feedback);
  QvZin::IZinMgrEx* ex = mgr->getMgrEx(QvZin::eZinVersionCurrent);
  // A property that already holds a material, so that a failed read shows whether
  // it changed anything.
  QvZin::IZinProperty* property = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
  QvZin::IZinTCE* graph = property->getTCE();
  QvZin::TZinComPtr<QvZin::ITCENode> top, leaf;
  top.attach(graph->createNode(QvZin::eFresnelNode));
  leaf.attach(graph->createNode(QvZin::eLeafNode));
  top->addChild(leaf.get());
  graph->getRootNode()->addChild(top.get());
  const std::string before = PropertyText(property);

  QvZin::CZinMemoryReadStream in(data, size);
  if (!ex->readShader(property, &in)) {
    // A failed read ends with its one warning; what the read recovered from before it
    // (an unusable custom data, a linked map dropped, a clipped value) may come first.
    ZIN_FUZZ_CHECK(!feedback.mWarnings.empty(), "a failed read without a warning");
    // Only a failure inside a whole "Property" may leave part of it read.
    if (std::string(reinterpret_cast<const char*>(data), size).find("Property") == std::string::npos)
      ZIN_FUZZ_CHECK(PropertyText(property) == before, "a failed read changed the property");
    return 0;
  }

  // What was read writes (unless a whole "Property" left the graph without a node),
  // reads back into a new property, and settles: the second write equals the first,
  // or the third the second when a text started with a blank, which the next read
  // drops.
  QvZin::ITCENode* root = graph->getRootNode();
  const std::string first = ShaderBytes(ex, property);
  ZIN_FUZZ_CHECK(first.empty() == (root->getChildCount() == 0), "the shader does not write: " + Last(feedback));
  if (first.empty()) return 0;
  std::string previous = first;
  for (int round = 0; round < 2; ++round) {
    QvZin::IZinProperty* again = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
    QvZin::CZinMemoryReadStream written(previous);
    ZIN_FUZZ_CHECK(ex->readShader(again, &written), "the written shader does not read: " + Last(feedback));
    const std::string next = ShaderBytes(ex, again);
    if (next == previous) break;
    ZIN_FUZZ_CHECK(round == 0, "the shader does not settle:\n" + previous + "\n----\n" + next);
    std::unique_ptr<QuorveXML::XCXMLTree> tree;
    std::string message;
    tree = ReadTree(previous.data(), previous.size(), &message);
    ZIN_FUZZ_CHECK(tree && HasTextStartingWithWhitespace(tree->GetRoot()),
                   "second write differs:\n" + previous + "\n----\n" + next);
    previous = next;
  }

  // A copy of the tree writes the same shader, or is refused as a whole.
  QvZin::IZinProperty* holder = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
  QvZin::TZinComPtr<QvZin::ITCENode> copy;
  const std::string refused = MessageOf(
      [&] { copy = QvZin::CopyNodeTree(root->getChild(0), holder->getBasicData()->getMgrRef()); });
  if (refused.empty()) {
    holder->getTCE()->getRootNode()->addChild(copy.get());
    ZIN_FUZZ_CHECK(ShaderBytes(ex, holder) == first, "the copy writes another shader");
  } else {
    ZIN_FUZZ_CHECK(refused == "error: Node is unknown", "copy: " + refused);
  }
  return 0;
}

}  // namespace ZinFuzz
