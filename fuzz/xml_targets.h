// The fuzz targets of the XML engine: the tree reader, the selective parser, edits of
// a tree driven by the input, and image blocks. Each returns 0 and stops the process
// when an oracle fails.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "xml/element.h"
#include "xml/image.h"
#include "xml/node_heap.h"
#include "xml/parser.h"
#include "xml/root.h"
#include "xml/tree.h"
#include "xml/tree_reader.h"

namespace ZinFuzz {

using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLElement;
using QuorveXML::XIXMLNode;
using QuorveXML::XIXMLReadStream;

inline std::string WriteElement(XIXMLElement* element) {
  CStringWriteStream out;
  element->Write(&out);
  return out.mText;
}

/// Parses text into a tree; null with *message set when the parse fails.
inline std::unique_ptr<QuorveXML::XCXMLTree> ReadTree(const void* data, size_t size, std::string* message,
                                                      QuorveXML::IXMLCDataReader* blocks = nullptr) {
  CBytesReadStream in(data, size);
  QuorveXML::CXMLTreeReader reader(blocks);
  std::unique_ptr<QuorveXML::XCXMLTree> tree;
  *message = MessageOf([&] { tree.reset(reader.Read(&in)); });
  return tree;
}

/// Node-heap allocations must come back to where they were when the input is done:
/// AddressSanitizer cannot see leaks inside the node heap's chunks.
class CNodeLeakCheck {
public:
  CNodeLeakCheck() : mLive(QuorveXML::CNodeHeap::LiveAllocations()) {}
  ~CNodeLeakCheck() {
    const int64_t now = QuorveXML::CNodeHeap::LiveAllocations();
    ZIN_FUZZ_CHECK(now == mLive, "node-heap allocations left behind: " + std::to_string(now - mLive));
  }

private:
  int64_t mLive;
};

// ---- tree reader: read, write, read the output again, copy, destroy

// Takes a few bytes of each block and leaves the rest to the parser.
class CBlockSampler final : public QuorveXML::IXMLCDataReader {
public:
  bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
    char buffer[7];
    stream->Read(buffer, sizeof buffer);
    return true;
  }
};

/// Whether a text of the tree begins with whitespace. The parser never puts raw
/// leading whitespace into a text, but a character reference can make some ("&#32;x"),
/// or a data block read as text can start with it; the writer puts it out as it is,
/// and the next read skips it: the format itself changes such a text once.
inline bool HasTextStartingWithWhitespace(XIXMLElement* root) {
  std::vector<XIXMLNode*> stack{root->GetNode()};
  while (!stack.empty()) {
    XIXMLNode* node = stack.back();
    stack.pop_back();
    if (QuorveXML::XIXMLData* data = node->AsData()) {
      const char* text = nullptr;
      MessageOf([&] { text = data->GetText(); });
      if (text && (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\n')) return true;
    }
    if (XIXMLElement* element = node->AsElement())
      for (XIXMLNode* child = element->GetFirstNode(); child; child = child->GetNext()) stack.push_back(child);
  }
  return false;
}

/// Whether the document node itself holds a text: a data block before or after the top
/// element is read as one, and the writer puts it out as text where no document may
/// hold any.
inline bool HasTopLevelText(XIXMLElement* root) {
  for (XIXMLNode* node = root->GetFirstNode(); node; node = node->GetNext())
    if (node->AsData()) return true;
  return false;
}

inline int TreeReader(const uint8_t* data, size_t size) {
  CNodeLeakCheck leaks;
  std::string message;
  {
    CBlockSampler sampler;
    ReadTree(data, size, &message, &sampler);
  }
  std::unique_ptr<QuorveXML::XCXMLTree> tree = ReadTree(data, size, &message);
  if (!tree) return 0;
  XIXMLElement* root = tree->GetRoot();
  const std::string first = WriteElement(root);
  // Callbacks receive zero-terminated texts, so a name or text holding a zero byte is
  // cut there (a name then may be empty, which no document can hold): no round trip.
  const bool textual = !std::memchr(data, 0, size);
  if (textual && !HasTopLevelText(root)) {
    // Whatever was read writes out as a document that reads back to the same text.
    std::unique_ptr<QuorveXML::XCXMLTree> again = ReadTree(first.data(), first.size(), &message);
    ZIN_FUZZ_CHECK(again, "the written document does not read again: " + message + "\n" + first);
    const std::string second = WriteElement(again->GetRoot());
    if (HasTextStartingWithWhitespace(root)) {
      std::unique_ptr<QuorveXML::XCXMLTree> third = ReadTree(second.data(), second.size(), &message);
      ZIN_FUZZ_CHECK(third && WriteElement(third->GetRoot()) == second, "third write differs:\n" + second);
    } else {
      ZIN_FUZZ_CHECK(second == first, "second write differs:\n" + first + "\n----\n" + second);
    }
    again.reset();
  }

  // A copy of every top-level node into another tree writes the same document.
  QuorveXML::XCXMLTree copy;
  for (XIXMLNode* node = root->GetFirstNode(); node; node = node->GetNext()) node->CopyTo(copy.GetRoot());
  ZIN_FUZZ_CHECK(WriteElement(copy.GetRoot()) == first, "the copy writes differently");

  // A copy of the top element into its own deepest last element: one copy is made.
  if (XIXMLElement* top = root->GetFirstElement()) {
    XIXMLElement* deepest = top;
    for (int depth = 0; depth < 64; ++depth) {
      XIXMLElement* child = nullptr;
      for (XIXMLElement* e = deepest->GetFirstElement(); e; e = e->GetNextElement()) child = e;
      if (!child) break;
      deepest = child;
    }
    const int32_t before = deepest->CountElements();
    top->GetNode()->CopyTo(deepest);
    ZIN_FUZZ_CHECK(deepest->CountElements() == before + 1, "self copy did not add one element");
    // Only written: a top-level element may carry a name that cannot stand inside
    // content ("[" there starts a data block), so the grown text need not read.
    WriteElement(root);
  }
  return 0;
}

// ---- selective parser: every callback logged; without skipping it equals Parse

class CEventLog final : public QuorveXML::CXMLParser {
public:
  // skipMask: an element is skipped when bit (name length % 8) is set.
  CEventLog(uint8_t skipMask, int stopAtPI) : mSkipMask(skipMask), mStopAtPI(stopAtPI) {}

  void OnComment(const char* text) override { Log("C", text); }
  bool OnPI(const char* target, const char* data) override {
    Log("P", target, data);
    return mStopAtPI-- != 0;
  }
  void OnDocType(const char* name, const char* publicId, const char* systemId, const char* subset) override {
    Log("D", name, publicId ? publicId : "<null>", systemId ? systemId : "<null>", subset);
  }
  void* OnStartElement(const char* name) override {
    Log("S", name);
    if (mSkipMask & (1u << (std::strlen(name) % 8))) return nullptr;
    return reinterpret_cast<void*>(++mHandles);
  }
  void OnAttribute(const char* name, const char* value) override { Log("A", name, value); }
  void OnText(const char* text) override { Log("T", text); }
  void OnCData(XIXMLReadStream* stream) override {
    char buffer[300];
    const uint32_t got = stream->Read(buffer, sizeof buffer);
    mLog += "B" + std::string(buffer, got) + "\n";
  }
  void OnEndElement(void* handle) override {
    mLog += "E" + std::to_string(reinterpret_cast<uintptr_t>(handle)) + "\n";
  }

  std::string mLog;

private:
  template <class... T>
  void Log(const char* kind, const T&... texts) {
    mLog += kind;
    ((mLog += texts, mLog += '|'), ...);
    mLog += '\n';
  }

  uint8_t mSkipMask;
  int mStopAtPI;
  uintptr_t mHandles = 0;
};

inline int SelectiveParser(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  ++data, --size;
  const int stopAtPI = (mode & 0x80) ? (mode >> 4 & 7) : -1;
  {
    CEventLog full(0, stopAtPI), selective(0, stopAtPI);
    CBytesReadStream in1(data, size), in2(data, size);
    const std::string fullError = MessageOf([&] { QuorveXML::Parse(&in1, &full); });
    const std::string selectiveError = MessageOf([&] { QuorveXML::ParseSelective(&in2, &selective); });
    ZIN_FUZZ_CHECK(fullError == selectiveError, fullError + " / " + selectiveError);
    ZIN_FUZZ_CHECK(full.mLog == selective.mLog, "selective parse without skips differs");
  }
  CEventLog skipping(mode & 0x7F, stopAtPI);
  CBytesReadStream in(data, size);
  MessageOf([&] { QuorveXML::ParseSelective(&in, &skipping); });
  // The parser is reusable after a failure.
  CBytesReadStream again(data, size);
  MessageOf([&] { QuorveXML::ParseSelective(&again, &skipping); });
  return 0;
}

// ---- tree edits driven by the input

// Every node reachable from the root and from the detached nodes the harness owns,
// and the attributes of every element among them.
struct CTreeView {
  std::vector<XIXMLNode*> nodes;
  std::vector<XIXMLAttribute*> attributes;

  void Collect(XIXMLNode* start) {
    std::vector<XIXMLNode*> stack{start};
    while (!stack.empty()) {
      XIXMLNode* node = stack.back();
      stack.pop_back();
      nodes.push_back(node);
      if (XIXMLElement* element = node->AsElement()) {
        for (XIXMLAttribute* a = element->GetFirstAttribute(); a; a = a->GetNext()) attributes.push_back(a);
        for (XIXMLNode* child = element->GetFirstNode(); child; child = child->GetNext()) stack.push_back(child);
      }
    }
  }
};

inline const char* const kEditNames[] = {"Zin.File", "Points", "Polygons", "Image", "UUID", "Name", "a", "b",
                                         "Preview.Image", "Origin", "X", ""};

inline int TreeEdit(const uint8_t* data, size_t size) {
  CNodeLeakCheck leaks;
  CCursor in(data, size);
  auto tree = std::make_unique<QuorveXML::XCXMLTree>();
  XIXMLElement* root = tree->GetRoot();
  std::vector<XIXMLNode*> detached;
  CTreeView view;
  auto refresh = [&] {
    view = CTreeView();
    view.Collect(root->GetNode());
    for (XIXMLNode* node : detached) view.Collect(node);
  };
  auto pickNode = [&]() -> XIXMLNode* { return view.nodes[in.Below(static_cast<uint32_t>(view.nodes.size()))]; };
  auto pickElement = [&]() -> XIXMLElement* {
    XIXMLElement* element = pickNode()->AsElement();
    return element ? element : root;
  };
  auto pickName = [&]() -> std::string {
    const uint32_t choice = in.Below(16);
    if (choice < sizeof kEditNames / sizeof *kEditNames) return kEditNames[choice];
    return in.Text(12);
  };
  auto forget = [&](XIXMLNode* node) {
    for (size_t i = 0; i < detached.size(); ++i)
      if (detached[i] == node) {
        detached.erase(detached.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
  };
  // Whether node lies inside one of the detached subtrees (or is one).
  auto isDetachedRoot = [&](XIXMLNode* node) {
    for (XIXMLNode* d : detached)
      if (d == node) return true;
    return false;
  };

  for (int step = 0; step < 64 && in.More(); ++step) {
    refresh();
    // A copy into itself doubles a tree, so 64 steps could ask for 2^64 nodes: the
    // library's work is linear in what it is asked to copy, and the program stops
    // once the tree is large enough to tell nothing new.
    if (view.nodes.size() > 20000) break;
    const uint8_t op = in.Byte() % 14;
    MessageOf([&] {
      switch (op) {
        case 0: {  // AddElement
          XIXMLElement* parent = pickElement();
          const std::string name = pickName();
          parent->AddElement(parent->GetKey(name.c_str()));
          break;
        }
        case 1: {  // AddNode: a detached node back under an element (cycles must fail)
          if (detached.empty()) break;
          XIXMLNode* node = detached[in.Below(static_cast<uint32_t>(detached.size()))];
          XIXMLElement* parent = pickElement();
          parent->AddNode(node);
          if (node->GetParent()) forget(node);
          break;
        }
        case 2: {  // RemoveNode from an element that may or may not be its parent
          XIXMLNode* node = pickNode();
          XIXMLElement* had = node->GetParent();
          XIXMLElement* parent = (in.Byte() & 1) && had ? had : pickElement();
          parent->RemoveNode(node);
          if (had && !node->GetParent()) detached.push_back(node);
          break;
        }
        case 3: {  // MoveNode
          XIXMLNode* node = pickNode();
          XIXMLElement* parent = node->GetParent() ? node->GetParent() : pickElement();
          XIXMLNode* before = (in.Byte() & 1) ? nullptr : pickNode();
          parent->MoveNode(node, before);
          break;
        }
        case 4: {  // CopyTo
          XIXMLNode* node = pickNode();
          node->CopyTo(pickElement());
          break;
        }
        case 5: {  // Delete
          XIXMLNode* node = pickNode();
          const bool wasDetached = isDetachedRoot(node);
          node->Delete();
          if (wasDetached) forget(node);
          break;
        }
        case 6: {  // AddAttribute
          XIXMLElement* element = pickElement();
          const std::string name = pickName();
          const std::string value = in.Text(24);
          element->AddAttribute(element->GetKey(name.c_str()), value.c_str());
          break;
        }
        case 7: {  // SetValue
          if (view.attributes.empty()) break;
          XIXMLAttribute* attribute = view.attributes[in.Below(static_cast<uint32_t>(view.attributes.size()))];
          const std::string value = in.Text(40);
          attribute->SetValue(value.c_str());
          break;
        }
        case 8: {  // text, comment or instruction
          XIXMLElement* element = pickElement();
          const std::string text = in.Text(20);
          switch (in.Byte() % 3) {
            case 0: element->AddData(text.c_str()); break;
            case 1: element->AddComment(text.c_str()); break;
            default: element->AddPI(pickName().c_str(), text.c_str()); break;
          }
          break;
        }
        case 9: {  // attribute removal
          if (view.attributes.empty()) break;
          XIXMLAttribute* attribute = view.attributes[in.Below(static_cast<uint32_t>(view.attributes.size()))];
          if (in.Byte() & 1) {
            attribute->Delete();
          } else {
            XIXMLElement* owner = attribute->GetOwner();
            owner->RemoveAttribute(attribute);
            if (!attribute->GetOwner()) attribute->Delete();
          }
          break;
        }
        case 10: {  // SetKey
          XIXMLElement* element = pickElement();
          const std::string name = pickName();
          element->SetKey(element->GetKey(name.c_str()));
          break;
        }
        case 11: {  // a detached element made by the harness
          XIXMLElement* element = root->AddElement(root->GetKey(pickName().c_str()));
          root->RemoveNode(element->GetNode());
          detached.push_back(element->GetNode());
          break;
        }
        case 12: {  // document type at the top
          root->AddDocType(root->GetKey(pickName().c_str()), nullptr, in.Byte() & 1 ? "s" : nullptr, "");
          break;
        }
        default: {  // the read operations
          XIXMLElement* element = pickElement();
          element->FindElement(element->GetKey(pickName().c_str()));
          element->CountElements();
          element->GetElement(static_cast<int32_t>(in.Below(8)) - 1);
          element->GetNodeIndex(pickNode());
          pickNode()->GetIndex();
          break;
        }
      }
    });
  }

  // The edited tree writes; when that output reads as a document, it settles: its
  // own output reads back to the same text.
  std::string written;
  if (MessageOf([&] { written = WriteElement(root); }).empty()) {
    std::string message;
    std::unique_ptr<QuorveXML::XCXMLTree> again = ReadTree(written.data(), written.size(), &message);
    if (again) {
      const std::string second = WriteElement(again->GetRoot());
      std::unique_ptr<QuorveXML::XCXMLTree> third = ReadTree(second.data(), second.size(), &message);
      ZIN_FUZZ_CHECK(third, "rewrite does not read: " + message + "\n" + second);
      ZIN_FUZZ_CHECK(WriteElement(third->GetRoot()) == second, "rewrite is not stable:\n" + second);
    }
  }
  for (XIXMLNode* node : detached) node->Delete();
  tree.reset();
  return 0;
}

// ---- image blocks

inline std::string WriteImage(const Quorve::XCXMLImage& image) {
  CStringWriteStream out;
  image.Write(&out);
  return out.mText;
}

inline std::string PixelsOf(const Quorve::XCXMLImage& image) {
  const uint64_t count = uint64_t{image.GetWidth()} * image.GetHeight();
  // A picture without pixels writes an empty block, whatever its width or height.
  if (count == 0) return "empty";
  return std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) + ":" +
         std::string(reinterpret_cast<const char*>(image.GetPixels()), static_cast<size_t>(count * 4));
}

/// Decodes a block; "" plus the pixels, or the error text.
inline std::string DecodeImage(XIXMLReadStream* stream) {
  std::string pixels;
  const std::string error = MessageOf([&] {
    Quorve::XCXMLImage* image = Quorve::XCXMLImage::ReadNew(stream);
    pixels = PixelsOf(*image);
    image->Release();
  });
  return error.empty() ? pixels : error;
}

// Decodes the block of the element it is given through a piecewise stream.
class CImageBlockReader final : public QuorveXML::IXMLCDataReader {
public:
  explicit CImageBlockReader(uint32_t piece) : mPiece(piece) {}
  bool Read(XIXMLElement*, XIXMLReadStream* stream) override {
    CPiecewiseReadStream pieces(stream, mPiece);
    mResult = DecodeImage(&pieces);
    return true;
  }
  uint32_t mPiece;
  std::string mResult = "<not called>";
};

inline int ImageBlock(const uint8_t* data, size_t size) {
  CNodeLeakCheck leaks;
  CBytesReadStream direct(data, size);
  const std::string decoded = DecodeImage(&direct);

  // A decoded image re-encodes to a block that decodes to the same pixels, and that
  // block writes the same text again.
  if (decoded.rfind("error: ", 0) != 0) {
    CBytesReadStream again(data, size);
    Quorve::XCXMLImage* image = Quorve::XCXMLImage::ReadNew(&again);
    const std::string text = WriteImage(*image);
    image->Release();
    CBytesReadStream encoded(text);
    Quorve::XCXMLImage* reread = Quorve::XCXMLImage::ReadNew(&encoded);
    ZIN_FUZZ_CHECK(PixelsOf(*reread) == decoded, "re-encoded pixels differ");
    ZIN_FUZZ_CHECK(WriteImage(*reread) == text, "second encoding differs");
    reread->Release();
  }

  // The same block inside a document, taken in pieces of 1 and of 1024 bytes.
  const std::string block(reinterpret_cast<const char*>(data), size);
  if (block.find("]]>") != std::string::npos) return 0;
  const std::string document = "<Image><![CDATA[" + block + "]]></Image>";
  for (uint32_t piece : {1u, 1024u}) {
    CImageBlockReader reader(piece);
    std::string message;
    ReadTree(document.data(), document.size(), &message, &reader);
    ZIN_FUZZ_CHECK(message.empty(), "the document around the block fails: " + message);
    ZIN_FUZZ_CHECK(reader.mResult == decoded,
                   "piece " + std::to_string(piece) + ": " + reader.mResult.substr(0, 80) + " / " + decoded.substr(0, 80));
  }
  return 0;
}

}  // namespace ZinFuzz
