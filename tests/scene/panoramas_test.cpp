#include "scene/panoramas.h"

#include "scene/effects_texts.h"
#include "serialization/field_walk.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

const std::string kNode = "0000000000000000000000000000000A";
const std::string kPath = "0000000000000000000000000000000B";

std::string PanoramaText() {
  return "<PanoramaV2\n\t UUID=\"" + kZeroId + "\"\n\t Current.Node.Id=\"" + kZeroId + "\">\n\t<Name en=\"\"/>" +
         Child(ZeroPoint("Direction")) + "\n\t<Focal>0.000000</Focal>\n\t<UI.Value>0</UI.Value>\n\t<View.Flags>0</View.Flags>" +
         Child(ZeroPoint("Current.Direction")) + "\n\t<Current.Focal>0.000000</Current.Focal>\n\t<Start.NodeID UUID=\"" +
         kZeroId + "\"/>" + Child(OptionsText()) + Child(ViewInfoText()) + "\n\t<PanoramaV2.Nodes/>\n\t<PanoV2.Links/>\n\t<Parallel.Views/>\n</PanoramaV2>";
}

std::string NodeText() {
  return "<PanoramaV2.Node UUID=\"" + kZeroId + "\">\n\t<Name en=\"\"/>" + Child(ZeroPoint("Position")) +
         "\n\t<Direct.Neighboring/>" + Child(ZeroPoint("Direction")) + "\n</PanoramaV2.Node>";
}

std::string LinkText(const std::string& id = kZeroId, const std::string& start = kZeroId,
                     const std::string& end = kZeroId) {
  return "<PanoV2.Link UUID=\"" + id + "\">\n\t<Start UUID=\"" + start + "\"/>\n\t<End UUID=\"" + end +
         "\"/>\n\t<Path.Id UUID=\"" + kZeroId + "\"/>\n</PanoV2.Link>";
}

}  // namespace

ZIN_FIELD_WALK(CZinPanoramaV2, PanoramaText())
ZIN_FIELD_WALK(CZinPanoNodeV2, NodeText())
ZIN_FIELD_WALK(CZinPanoLinkV2, LinkText())

namespace {

// A panorama away from its defaults: two nodes, a link between them without a
// path and one along a path, two parallel views.
IZinPanoramaV2* BuildPanorama(IZinMgr* mgr) {
  IZinPanoramaV2* panorama = mgr->getPanoramas()->newZinObject(kZinEndOfList);
  panorama->getBasicData()->setName("Visit");
  panorama->getBasicData()->setUIValue(-4);
  panorama->setDirection(CZinVector3D(0, 0, 1));
  panorama->setFocal(70);
  panorama->setCurrentDirection(CZinVector3D(1, 0, 0));
  panorama->setStartNodeId(CZinUUID::fromText(kNode.c_str()));
  panorama->getRenderingOpt()->setPanoramaResolution(3);
  panorama->getViewInfo()->setHeliodonName("Dusk");
  IZinPanoNodeV2* hall = panorama->getNodes()->newZinObject(kZinEndOfList);
  hall->getBasicData()->setId(CZinUUID::fromText(kNode.c_str()));
  hall->getBasicData()->setName("Hall");
  hall->setPosition(CZinVector3D(1, 1.5, 0));
  IZinPanoNodeV2* stairs = panorama->getNodes()->newZinObject(kZinEndOfList);
  stairs->setDirection(CZinVector3D(0, -1, 0));
  panorama->setCurrentNodeId(*stairs->getBasicData()->getId());
  IZinPanoLinkV2* walk = panorama->getLinks()->newZinObject(kZinEndOfList);
  walk->setStartNodeId(*hall->getBasicData()->getId());
  walk->setEndNodeId(*stairs->getBasicData()->getId());
  IZinPanoLinkV2* climb = panorama->getLinks()->newZinObject(kZinEndOfList);
  climb->setStartNodeId(*stairs->getBasicData()->getId());
  climb->setPathId(CZinUUID::fromText(kPath.c_str()));
  *panorama->getParallelViews()->newZinObject(kZinEndOfList) = CZinUUID::fromText(kPath.c_str());
  *panorama->getParallelViews()->newZinObject(kZinEndOfList) = CZinUUID::fromText(kNode.c_str());
  return panorama;
}

}  // namespace

TEST(Panoramas, NodesLinksAndViewsReadBackByteForByte) {
  ManagerHold mgr;
  IZinPanoramaV2* panorama = BuildPanorama(mgr.mgr);
  const std::string first = WriteToText(mgr.mgr);
  // A link without a path names the zero id.
  IZinPanoLinkV2* link = panorama->getLinks()->getZinObject(0);
  EXPECT_NE(std::string::npos,
            first.find(Nested(LinkText(QvZinTest::ToText(*link->getBasicData()->getId()), kNode,
                                       QvZinTest::ToText(link->getEndNodeId())),
                              4)));
  EXPECT_NE(std::string::npos, first.find("<Parallel.Views>\n\t\t\t\t<Parallel.View UUID=\"" + kPath +
                                          "\"/>\n\t\t\t\t<Parallel.View UUID=\"" + kNode + "\"/>"));
  FeedbackRecorder heard;
  ManagerHold fresh(&heard);
  ASSERT_TRUE(Read(fresh.mgr, first));
  EXPECT_EQ(first, WriteToText(fresh.mgr));
  EXPECT_EQ(Texts{}, Heard(heard));  // ids that name nothing are kept as they are

  // Reading into a manager that holds panoramas gives the same manager.
  ManagerHold used;
  BuildPanorama(used.mgr);
  BuildPanorama(used.mgr);
  ASSERT_TRUE(Read(used.mgr, first));
  EXPECT_EQ(first, WriteToText(used.mgr));
}

TEST(Panoramas, NoLinksWriteAnEmptyList) {
  ManagerHold mgr;
  IZinPanoramaV2* panorama = mgr->getPanoramas()->newZinObject(kZinEndOfList);
  panorama->getNodes()->newZinObject(kZinEndOfList);
  const std::string text = WriteToText(mgr.mgr);
  EXPECT_NE(std::string::npos, text.find("</PanoramaV2.Nodes>\n\t\t\t<PanoV2.Links/>\n\t\t\t<Parallel.Views/>"));
}

TEST(Panoramas, DirectionsAreReadOnlyWhenPresent) {
  TZinComPtr<CZinPanoNodeV2> node(CreateZinObject<CZinPanoNodeV2>(nullptr));
  node->setDirection(CZinVector3D(0, 0, 1));
  Document document;
  QuorveXML::XIXMLElement* element = WriteRows(document, "PanoramaV2.Node", *node);
  element->GetFirstElement()->GetNextElement()->GetNextElement()->GetNextElement()->GetNode()->Delete();
  ASSERT_EQ(std::string::npos, TextOf(element).find("Direction"));
  node->setDirection(CZinVector3D(5, 5, 5));
  ReadRows(element, *node);
  EXPECT_EQ(CZinVector3D(5, 5, 5), node->getDirection());

  // In a file, the panorama's two directions and a node's may all be missing.
  ManagerHold source;
  BuildPanorama(source.mgr);
  const std::string file = WriteToText(source.mgr);
  const std::string panoramas = Section(file, "<PanoramasV2>", "</PanoramasV2>");
  std::string edited = panoramas;
  for (const char* tag : {"<Direction", "<Current.Direction", "<Direction"})
    edited = Replaced(edited, Section(edited, tag, "/>"), "");
  ManagerHold mgr;
  ASSERT_TRUE(Read(mgr.mgr, Replaced(file, panoramas, edited)));
  IZinPanoramaV2* panorama = mgr->getPanoramas()->getZinObject(0);
  EXPECT_EQ(CZinVector3D(), panorama->getDirection());
  EXPECT_EQ(CZinVector3D(), panorama->getCurrentDirection());
  EXPECT_EQ(CZinVector3D(), panorama->getNodes()->getZinObject(0)->getDirection());
  EXPECT_EQ(CZinVector3D(0, -1, 0), panorama->getNodes()->getZinObject(1)->getDirection());
}

TEST(Panoramas, WhatClientsAndFilesCannotDo) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinPanoramaV2* panorama = BuildPanorama(mgr.mgr);
  const std::string file = WriteToText(mgr.mgr);
  feedback.warnings.clear();
  EXPECT_EQ(nullptr, panorama->getNodes()->getZinObject(2));
  EXPECT_EQ(nullptr, panorama->getLinks()->newZinObject(3));
  panorama->getParallelViews()->removeAll();
  panorama->getParallelViews()->removeObject(0);
  EXPECT_EQ((Texts{"getZinObject: Bad index value", "newZinObject: Bad index value", "removeObject: Bad index value"}),
            feedback.texts());
  ExpectEachEditFailsTheRead(file, {
      {"<Start.NodeID", "<Start.Node", "CZinXMLGet::GetElement - NULL ptr for tag Start.NodeID"},
      {"<Start UUID=", "<Start ID=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"<End UUID=", "<Ends UUID=", "CZinXMLGet::GetElement - NULL ptr for tag End"},
      {" Current.Node.Id=\"", " Current.Node.Id=\"G", "Invalid hex value"},
      {"<PanoramaV2.Node UUID=", "<PanoramaV2.Node Id=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
      {"<Parallel.View UUID=", "<Parallel.View ID=", "CZinXMLGet::GetUUID - NULL ptr for tag UUID"},
  });
}
