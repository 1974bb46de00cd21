// Inputs shaped to hurt a parser: deep, wide, long, colliding, dense, or announcing
// far more than they hold, each made at any size, with the entry point it is fed to.
// The heap test (tests/hostile) and the time benchmark (bench/hostile_bench.cpp) run
// the same shapes; no test framework here.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "fuzz/manager_targets.h"
#include "manager/geometry_blocks.h"
#include "manager/mgr.h"
#include "materials/table.h"
#include "serialization/xml_get.h"
#include "xml/colliding_names.h"
#include "xml/image.h"
#include "xml/tree_reader.h"

namespace HostileShapes {

// head, then unit(i) for i = 0, 1, ... until the text reaches size, then tail.
inline std::string Repeat(const std::string& head, const std::function<std::string(size_t)>& unit, const std::string& tail,
                   size_t size) {
  std::string text = head;
  text.reserve(size + tail.size() + 64);
  for (size_t i = 0; text.size() + tail.size() < size; ++i) text += unit(i);
  return text + tail;
}

inline std::string Fixed(const char* unit) { return unit; }

inline const char kHeader[] = "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n";

// ---- the shapes

inline std::string DeepNesting(size_t size) {
  const size_t depth = size / 7;
  std::string text;
  text.reserve(depth * 7);
  for (size_t i = 0; i < depth; ++i) text += "<a>";
  for (size_t i = 0; i < depth; ++i) text += "</a>";
  return text;
}

inline std::string ManySiblings(size_t size) {
  return Repeat("<r>", [](size_t) { return Fixed("<a/>"); }, "</r>", size);
}

inline std::string ManyAttributes(size_t size) {
  return Repeat("<r", [](size_t) { return Fixed(" a=\"1\""); }, "/>", size);
}

inline std::string LongName(size_t size) { return "<" + std::string(size - 3, 'n') + "/>"; }

inline std::string LongText(size_t size) { return "<r>" + std::string(size - 7, 't') + "</r>"; }

inline std::string ManyDistinctNames(size_t size) {
  return Repeat("<r>", [](size_t i) { return "<n" + std::to_string(i) + "/>"; }, "</r>", size);
}

inline std::string CollidingNames(size_t size) {
  static const std::vector<std::string> names = XMLTest::CollidingNames(1 << 20);
  return Repeat("<r>", [](size_t i) { return "<" + names[i % names.size()] + "/>"; }, "</r>", size);
}

inline std::string DenseReferences(size_t size) {
  const std::string attribute = Repeat("<r a=\"", [](size_t) { return Fixed("&#x263a;&lt;&#65;"); }, "\">", size / 2);
  return attribute + Repeat("", [](size_t) { return Fixed("&#x263a;&amp;&#233;"); }, "</r>", size - attribute.size());
}

inline std::string DenseDataBlocks(size_t size) {
  return Repeat("<r>", [](size_t) { return Fixed("<b><![CDATA[x]]]></b>"); }, "</r>", size);
}

// A picture announcing about a thousand million pixels, followed by the pixels of one
// literal run that the input actually holds.
inline std::string HugeImage(size_t size) {
  std::string text = "00000001" "00008000" "00007FFF" "00000001" "FF000000";
  const size_t pixels = (size - text.size() - 8) / 8;
  char count[24];
  std::snprintf(count, sizeof count, "%08X", static_cast<unsigned>(pixels));
  text += count;
  for (size_t i = 0; i < pixels; ++i) text += (i & 1) ? "FF102030" : "FF405060";
  return text;
}

inline std::string HugePointCount(size_t size) {
  return Repeat("\n9999999\n", [](size_t) { return Fixed("1.0 -2.5 3.25\n"); }, "", size);
}

inline std::string HugePolygonCounts(size_t size) {
  return Repeat("\n2000000000\nh\t0 2000000000 2000000000 ", [](size_t i) { return std::to_string(i % 1000) + " "; },
                "", size);
}

// A new camera's element as the writer makes it, each view read into a camera.
inline std::string ManySceneObjects(size_t size) {
  static const std::string camera = [] {
    ZinFuzz::CManager mgr(nullptr);
    mgr->getPerspectiveViews()->newZinObject(QvZin::kZinEndOfList);
    QvZin::CZinMemoryWriteStream out;
    mgr->write(&out, nullptr);
    const std::string text = out.bytes();
    const size_t start = text.find("<Perspective.View\n");
    const std::string close = "</Perspective.View>";
    return text.substr(start, text.find(close, start) + close.size() - start);
  }();
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><Perspective.Views>",
                [](size_t) { return camera; }, "</Perspective.Views></Zin.File>", size);
}

inline std::string ManyImages(size_t size) {
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><Images>",
                [](size_t) { return Fixed("<Image><![CDATA[]]></Image>"); }, "</Images></Zin.File>", size);
}

// Internal component definitions whose blocks come back to the first one's id after
// many others: each block must find its definition without searching them all.
inline std::string RepeatedComponents(size_t size) {
  return Repeat(std::string(kHeader) + "<Zin.File><Working.Window/><InternalComponentDefinitions>",
                [](size_t i) {
                  char id[40];
                  std::snprintf(id, sizeof id, "%032zX", i % 2 ? size_t{1} : i + 1);
                  return std::string("<InternalComponentDefinition UUID=\"") + id +
                         "\"><Geometry.Level>0</Geometry.Level><Points><![CDATA[1 \n1.0 2.0 3.0 \n]]></Points>"
                         "</InternalComponentDefinition>";
                },
                "</InternalComponentDefinitions></Zin.File>", size);
}

// A shader file whose top node holds the same node as its sub-node, and so on as
// deep as the size allows.
inline std::string DeepNodeChain(size_t size) {
  const std::string open = "<Node Id=\"00000000000000000000000000000001\" Type=\"Fresnel\"><UI.Value>0</UI.Value>"
                           "<Min.Reflection>0</Min.Reflection><Power.Factor>5</Power.Factor>";
  const std::string head = "<Zin.Shader>", close = "</Node>", tail = "</Zin.Shader>";
  const size_t depth = (size - head.size() - tail.size()) / (open.size() + close.size());
  std::string text = head;
  text.reserve(size);
  for (size_t i = 0; i < depth; ++i) text += open;
  for (size_t i = 0; i < depth; ++i) text += close;
  return text + tail;
}

// A table announcing the most values a length can, followed by the values it holds.
inline std::string HugeTableLength(size_t size) {
  return Repeat("<Holder><Table Length=\"2147483647\">", [](size_t) { return Fixed("<Float>1.5</Float>"); },
                "</Table></Holder>", size);
}

// ---- the entry points: each returns "" when the entry point did what it must with
// the shape, else what went wrong.

inline std::string ReadTree(const std::string& text) {
  ZinFuzz::CBytesReadStream in(text);
  QuorveXML::CXMLTreeReader reader;
  std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&in));
  return tree ? "" : "the tree reader failed";
}

inline std::string ReadImage(const std::string& text) {
  ZinFuzz::CBytesReadStream in(text);
  // The run ends before the announced pixels: the data runs out.
  try {
    Quorve::XCXMLImage::ReadNew(&in)->Release();
  } catch (const std::runtime_error&) {
    return "";
  }
  return "a picture cut short was read";
}

inline std::string ReadGeometry(const std::string& text, bool points) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  auto* manager = static_cast<QvZin::CZIN*>(mgr.get());
  ZinFuzz::CBytesReadStream in(text);
  const std::string error = ZinFuzz::CGeometryBlockReader::ReadBlock(manager, manager, points, &in);
  return error.empty() ? "a block announcing more than it holds was read" : "";
}

inline std::string ReadDocument(const std::string& text) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(text);
  if (mgr->read(&in, nullptr)) return "";
  return feedback.mWarnings.empty() ? "the read failed" : feedback.mWarnings[0];
}

// A document with no "Working.Window": the read fails with exactly one warning.
inline std::string ReadDocumentFailing(const std::string& text) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(text);
  if (mgr->read(&in, nullptr)) return "the read succeeded";
  return feedback.mWarnings.size() == 1 ? "" : std::to_string(feedback.mWarnings.size()) + " warnings";
}

// A shader chain deeper than a tree may be: refused with its one warning.
inline std::string ReadShader(const std::string& text) {
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::IZinProperty* property = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
  QvZin::CZinMemoryReadStream in(text);
  if (mgr->getMgrEx(QvZin::eZinVersionCurrent)->readShader(property, &in)) return "a chain too deep was read";
  const std::vector<std::string> expected{"Node tree deeper than 100 levels"};
  return feedback.mWarnings == expected ? "" : feedback.mWarnings.empty() ? "no warning" : feedback.mWarnings[0];
}

// A table's announced length: it grows only as far as its values, then the read
// finds the rest missing.
inline std::string ReadTable(const std::string& text) {
  ZinFuzz::CBytesReadStream in(text);
  QuorveXML::CXMLTreeReader reader;
  std::unique_ptr<QuorveXML::XCXMLTree> tree(reader.Read(&in));
  QvZin::CZinXMLGet holder(tree->GetRoot()->GetFirstElement());
  QvZin::TZinComPtr<QvZin::CTable> table(QvZin::CreateZinObject<QvZin::CTable>());
  try {
    holder.GetTable("Table", table.get());
  } catch (const std::runtime_error&) {
    size_t values = 0;
    for (size_t at = text.find("<Float>"); at != std::string::npos; at = text.find("<Float>", at + 1)) ++values;
    return table->getLength() == static_cast<int32_t>(values) ? "" : "the table grew to " + std::to_string(table->getLength());
  }
  return "a table announcing more than it holds was read";
}

struct CShape {
  const char* name;
  std::string (*make)(size_t);
  std::string (*read)(const std::string&);
};

inline const std::vector<CShape>& Shapes() {
  static const std::vector<CShape> shapes = {
      {"deep nesting", DeepNesting, ReadTree},
      {"many siblings", ManySiblings, ReadTree},
      {"many attributes", ManyAttributes, ReadTree},
      {"long name", LongName, ReadTree},
      {"long text", LongText, ReadTree},
      {"many distinct names", ManyDistinctNames, ReadTree},
      {"names colliding in the key table", CollidingNames, ReadTree},
      {"dense character references", DenseReferences, ReadTree},
      {"dense data blocks", DenseDataBlocks, ReadTree},
      {"deep nesting in a document", [](size_t size) { return kHeader + DeepNesting(size - sizeof kHeader); },
       ReadDocumentFailing},
      {"many scene objects", ManySceneObjects, ReadDocument},
      {"many image blocks", ManyImages, ReadDocument},
      {"component blocks returning to one id", RepeatedComponents, ReadDocument},
      {"huge announced picture", HugeImage, ReadImage},
      {"huge announced point count", HugePointCount, [](const std::string& t) { return ReadGeometry(t, true); }},
      {"huge announced polygon counts", HugePolygonCounts,
       [](const std::string& t) { return ReadGeometry(t, false); }},
      {"deep node chain in a shader file", DeepNodeChain, ReadShader},
      {"huge announced table length", HugeTableLength, ReadTable},
  };
  return shapes;
}

}  // namespace HostileShapes
