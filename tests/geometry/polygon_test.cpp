// Polygons keep their vertices as records until a client asks for the contour or
// the holes; whichever form holds them, clients and blocks see the same polygon.
#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

const CZinVertex kA = Vertex(1), kB = Vertex(2, CZinVertex::kMarked), kC = Vertex(3, CZinVertex::kMapped, 0.5f, 0.75f);

Shape Sample(int corners, int holes) {
  Shape s;
  s.property = corners * 10 + holes;
  for (int i = 0; i < corners; ++i) s.outer.push_back(Vertex(i, i % 2 ? CZinVertex::kMarked : 0u));
  for (int h = 0; h < holes; ++h) s.holes.push_back(std::vector<CZinVertex>(static_cast<size_t>(h + 1), kC));
  return s;
}

// Fills a polygon through the record view, as a block reader does.
void FillRecords(CPolygon& polygon, const Shape& shape) {
  polygon.setSmooth(shape.smooth);
  polygon.setPropertyIndex(shape.property);
  for (const CZinVertex& v : shape.outer) polygon.appendOuter(v);
  for (const auto& hole : shape.holes) {
    polygon.addHole();
    for (const CZinVertex& v : hole) polygon.appendHoleVertex(v);
  }
}

// The polygon as the block writer sees it.
Shape RecordsOf(const CPolygon& polygon, bool smooth, int32_t property) {
  Shape s{smooth, property, {}, {}};
  s.outer.assign(polygon.outerRecords(), polygon.outerRecords() + polygon.outerCount());
  for (uint32_t h = 0; h < polygon.holeCount(); ++h) {
    uint32_t size = 0;
    const CZinVertex* records = polygon.holeRecords(h, &size);
    s.holes.emplace_back(records, records + size);
  }
  return s;
}

}  // namespace

TEST(GeometryPolygon, RecordsAndCollectionsAgree) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinMgrRef* link = &Zin(mgr)->link();
  // Shapes around the inline room (four vertices) and with and without holes.
  for (int corners : {0, 1, 4, 5, 40})
    for (int holes : {0, 1, 3}) {
      const Shape shape = Sample(corners, holes);
      TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(link));
      FillRecords(*polygon, shape);
      EXPECT_EQ(shape, RecordsOf(*polygon, shape.smooth, shape.property));
      // Asking for the contour first, then the holes, then writing through them.
      EXPECT_EQ(shape.outer.size(), polygon->getContour()->getCount());
      EXPECT_EQ(shape, ShapeOf(polygon.get()));
      EXPECT_EQ(shape, RecordsOf(*polygon, shape.smooth, shape.property));
      polygon->getContour()->newZinObject(0)->mPointIndex = 99;
      polygon->getHoles()->newZinObject(kZinEndOfList);
      polygon->appendHoleVertex(kB);
      Shape changed = shape;
      changed.outer.insert(changed.outer.begin(), Vertex(99));
      changed.holes.push_back({kB});
      EXPECT_EQ(changed, RecordsOf(*polygon, shape.smooth, shape.property));
      EXPECT_EQ(changed, ShapeOf(polygon.get()));
      // The collections stay the same objects.
      EXPECT_EQ(polygon->getContour(), polygon->getContour());
      EXPECT_EQ(polygon->getHoles(), polygon->getHoles());
    }
  EXPECT_EQ(Texts{}, feedback.texts());
}

TEST(GeometryPolygon, AssignAndResetInEveryForm) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  IZinMgrRef* link = &Zin(mgr)->link();
  const Shape shapes[] = {Sample(3, 0), Sample(6, 2), Sample(0, 1)};
  // Source and target each as records only, with a contour asked for, or with both
  // collections asked for; and a client's own implementation as the source.
  for (int sourceForm = 0; sourceForm < 4; ++sourceForm)
    for (int targetForm = 0; targetForm < 3; ++targetForm)
      for (const Shape& shape : shapes) {
        TZinComPtr<CPolygon> source(CreateZinObject<CPolygon>(link));
        CClientPolygon client(link);
        IZinPolygon* from = source.get();
        if (sourceForm == 3) {
          FillPolygon(&client, shape);
          from = &client;
        } else {
          FillRecords(*source, shape);
          if (sourceForm >= 1) source->getContour();
          if (sourceForm == 2) source->getHoles();
        }
        TZinComPtr<CPolygon> target(CreateZinObject<CPolygon>(link));
        FillRecords(*target, Sample(5, 3));
        target->setSmooth(true);
        if (targetForm >= 1) target->getContour();
        if (targetForm == 2) target->getHoles();
        TZinObjectMgr<CZinVertex>* contour = targetForm >= 1 ? target->getContour() : nullptr;

        target->assign(from);
        EXPECT_EQ(shape, RecordsOf(*target, target->isSmooth(), target->getPropertyIndex()));
        EXPECT_EQ(shape, ShapeOf(target.get())) << sourceForm << targetForm;
        target->assign(target.get());  // itself: nothing changes
        target->assign(nullptr);
        EXPECT_EQ(shape, ShapeOf(target.get()));
        if (contour) {
          EXPECT_EQ(contour, target->getContour());
        }

        target->reset();
        EXPECT_EQ(Shape(), ShapeOf(target.get()));
        EXPECT_EQ(0u, target->outerCount());
        EXPECT_EQ(0u, target->holeCount());
        // A client's pointer to the contour stays good across the reset.
        if (contour) {
          EXPECT_EQ(contour, target->getContour());
        }
      }
  EXPECT_EQ(Texts{}, feedback.texts());
}
