// What the animation and panorama tests share beside the common helpers: reading a
// manager from text, the writer's element forms as text, and the texts of new view
// settings.
#pragma once

#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "manager/feedback_recorder.h"
#include "scene/compression_opt.h"
#include "scene/rendering_opt.h"
#include "scene/view_info.h"
#include "serialization/field_walk.h"

namespace QvZinTest {

const std::string kZeroId(32, '0');

/// The element moved depth levels down: a tab more after every line break.
inline std::string Nested(const std::string& element, int depth) {
  std::string out;
  for (char c : element) {
    out += c;
    if (c == '\n') out.append(static_cast<size_t>(depth), '\t');
  }
  return out;
}

/// An element tag with the attributes "X", "Y", "Z".
inline std::string Point(const char* tag, const char* x, const char* y, const char* z) {
  return std::string("<") + tag + "\n\t X=\"" + x + "\"\n\t Y=\"" + y + "\"\n\t Z=\"" + z + "\"/>";
}
inline std::string ZeroPoint(const char* tag) { return Point(tag, "0.000000", "0.000000", "0.000000"); }

/// What a part writes into a new element tag.
template <class P>
std::string PartElement(const char* tag, P& part) {
  Document document;
  CZinXMLAdd out(CZinXMLAdd(document.owner).AddElement(tag));
  part.putFields(out);
  return TextOf(out.GetElement());
}

/// A new view information, its id zero.
inline std::string ViewInfoText() {
  QvZin::CZinViewInfo info;
  info.setId(QvZin::CZinUUID());
  return PartElement("View.Info", info);
}

/// "Options" holding new rendering options (of output type outputType) and new
/// compression options.
inline std::string OptionsText(int32_t outputType = QvZin::eOutputCmpTGA) {
  QvZin::CRenderingOpt rendering;
  rendering.setOutputType(outputType);
  QvZin::CCompressionOpt compression;
  return "<Options>\n\t" + Nested(PartElement("Rendering", rendering), 1) + "\n\t" +
         Nested(PartElement("Compression", compression), 1) + "\n</Options>";
}

/// Reads text into mgr.
inline bool Read(QvZin::IZinMgr* mgr, const std::string& text) {
  QvZin::CZinMemoryReadStream in(text);
  return mgr->read(&in, nullptr);
}

/// The first open..close of text ("" when there is none).
inline std::string Section(const std::string& text, const std::string& open, const std::string& close) {
  const size_t start = text.find(open);
  const size_t end = text.find(close, start);
  if (start == std::string::npos || end == std::string::npos) return "";
  return text.substr(start, end + close.size() - start);
}

/// What feedback heard, without the notes on the empty geometry blocks of a scene
/// that has none.
inline Texts Heard(const FeedbackRecorder& feedback) {
  Texts out;
  for (const std::string& text : feedback.texts())
    if (text.find("seems wrong") == std::string::npos) out.push_back(text);
  return out;
}

}  // namespace QvZinTest
