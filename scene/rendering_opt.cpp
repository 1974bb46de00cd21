#include "scene/rendering_opt.h"

#include <exception>
#include <string>

namespace QvZin {

const CZinLabel kOutputTypes[] = {{"CmpPict", eOutputCmpPict}, {"Pict", eOutputPict},
                                  {"CmpTGA", eOutputCmpTGA},   {"TGA", eOutputTGA},
                                  {"BMP", eOutputBMP},         {"JPEG", eOutputJPEG},
                                  {"CmpQTime", eOutputCmpQTime}, {"QTime", eOutputQTime},
                                  {"CmpVRQTime", eOutputCmpVRQTime}, {"VRQTime", eOutputVRQTime},
                                  {"Real", eOutputReal},       {"AVI", eOutputAVI},
                                  {"Epix", eOutputEpix},       {"Tiff", eOutputTiff},
                                  {nullptr, 0}};
const CZinLabel kAntialiasLevels[] = {{"No", eAntialiasNo},
                                      {"Good", eAntialiasGood},
                                      {"Excellent", eAntialiasExcellent},
                                      {"Special", eAntialiasSpecial},
                                      {nullptr, 0}};
const CZinLabel kColorBehaviors[] = {{"Autolum", eColorAutolum}, {"IsoShutter", eColorIsoShutter}, {nullptr, 0}};

namespace {

// A client's call never throws: a failure (memory) becomes a warning.
void Report(IZinWarning* sink, const char* operation, const std::exception& e) {
  if (sink) sink->warning((std::string(operation) + " - " + e.what()).c_str());
}

}  // namespace

QuorveXML::XIXMLElement* CRenderingOpt::getExtendedData() {
  try {
    return mExtendedData.element(kExtendedDataTag);
  } catch (const std::exception& e) {
    Report(warningSink(), "CRenderingOpt::getExtendedData", e);
  }
  return nullptr;
}

void CRenderingOpt::setExtendedData(QuorveXML::XIXMLElement* element) {
  try {
    mExtendedData.copyFrom(element, kExtendedDataTag);
  } catch (const std::exception& e) {
    Report(warningSink(), "CRenderingOpt::setExtendedData", e);
  }
}

}  // namespace QvZin
