// What the animation and panorama tests share beside the scene tests' helpers: reading a
// manager from text, the writer's element forms as text, and the texts of new view
// settings.
#pragma once

#include <string>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "manager/feedback_recorder.h"
#include "scene/scene_documents.h"
#include "scene/compression_opt.h"
#include "scene/rendering_opt.h"
#include "scene/view_info.h"
#include "serialization/field_walk.h"

namespace QvZinTest {

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


}  // namespace QvZinTest
