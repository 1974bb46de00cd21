// The polygon collection keeps polygons as flat records and makes an object only
// for a polygon a client asks for: every shape survives both forms, the text goes
// out again byte for byte, changes made through an object are what is written,
// and an object outlives its manager.
#include <cmath>
#include <limits>

#include "framework/recording_link.h"
#include "geometry/polygon_store.h"
#include "geometry_support.h"

using namespace QvZinGeoTest;

namespace {

const char kPoints[] = "\n3 \n1.0 0.1 -2.25 \n4.0 5.0 6.0 \n-7.5 8.0 9.0 \n";
// Every form a record takes: no vertex, a triangle, a marked smooth quad, mapped
// corners (some only), five corners, an empty hole, a hole without outer
// vertices, and a negative property and point index.
const char kPolygons[] =
    "\n9 \np\t0 0 \np\t1 3 0 1 2 \no\t2 4 I 0 1 I 2 3 \np\t3 3 M 0.5 0.25 0 1 M 1.0 0.0 2 \n"
    "p\t-4 5 0 1 2 3 4 \nh\t5 2 3 0 1 2 0 \nh\t6 3 0 3 I 1 M 0.125 0.5 2 3 2 3 4 \no\t7 4 3 2 1 -1 \n"
    "p\t8 4 I M 0.75 0.375 0 I M 0.0 0.5 1 I 2 I 3 \n";

std::string FileWith(const std::string& points, const std::string& polygons) {
  ManagerHold empty;
  std::string file = WriteToText(empty.mgr);
  file = Replaced(file, "<Points><![CDATA[" + BlockOf(file, "Points") + "]]>", "<Points><![CDATA[" + points + "]]>");
  return Replaced(file, "<Polygons><![CDATA[" + BlockOf(file, "Polygons") + "]]>",
                  "<Polygons><![CDATA[" + polygons + "]]>");
}

// The shapes of kPolygons as values.
std::vector<Shape> Shapes() {
  const uint32_t M = CZinVertex::kMapped, I = CZinVertex::kMarked;
  return {Polygon(0, {}),
          Polygon(1, {Vertex(0), Vertex(1), Vertex(2)}),
          Polygon(2, {Vertex(0, I), Vertex(1), Vertex(2, I), Vertex(3)}, {}, true),
          Polygon(3, {Vertex(0, M, 0.5f, 0.25f), Vertex(1), Vertex(2, M, 1.0f, 0.0f)}),
          Polygon(-4, {Vertex(0), Vertex(1), Vertex(2), Vertex(3), Vertex(4)}),
          Polygon(5, {Vertex(0), Vertex(1), Vertex(2)}, {{}}),
          Polygon(6, {}, {{Vertex(1, I), Vertex(2, M, 0.125f, 0.5f), Vertex(3)}, {Vertex(3), Vertex(4)}}),
          Polygon(7, {Vertex(3), Vertex(2), Vertex(1), Vertex(-1)}, {}, true),
          Polygon(8, {Vertex(0, I | M, 0.75f, 0.375f), Vertex(1, I | M, 0.0f, 0.5f), Vertex(2, I), Vertex(3, I)})};
}

// The blocks a client storage holding these shapes gets written: the reference for
// what a manager holding them must write.
std::string PolygonsWrittenFrom(const std::vector<Shape>& shapes) {
  ManagerHold writer;
  CRecordingWriterStorage storage;
  storage.logItems = false;
  storage.geometries["scene"] = Geometry{{}, shapes};
  return BlockOf(WriteToText(writer.mgr, &storage), "Polygons");
}

Shape StoredShape(const CPolygonStore& store, uint32_t index, IZinMgrRef* link) {
  TZinComPtr<CPolygon> out(CreateZinObject<CPolygon>(link));
  store.copyTo(index, *out);
  return ShapeOf(out.get());
}

}  // namespace

TEST(GeometryPolygonStore, TheTextGoesOutAgainByteForByte) {
  FeedbackRecorder feedback;
  const std::string file = FileWith(kPoints, kPolygons);
  ManagerHold mgr(&feedback);
  ASSERT_TRUE(Read(mgr.mgr, file));
  // Nothing asked for: the records alone write the file that was read.
  EXPECT_EQ(file, WriteToText(mgr.mgr));
  EXPECT_EQ(kPolygons, PolygonsWrittenFrom(Shapes()));
  // Every polygon asked for: the objects write it too.
  const std::vector<Shape> shapes = Shapes();
  ASSERT_EQ(shapes.size(), mgr->getPolygons()->getCount());
  for (uint32_t i = 0; i < shapes.size(); ++i) EXPECT_EQ(shapes[i], ShapeOf(mgr->getPolygons()->getZinObject(i))) << i;
  EXPECT_EQ(file, WriteToText(mgr.mgr));
  EXPECT_EQ(Texts{}, Heard(feedback));
}

TEST(GeometryPolygonStore, ChangesThroughObjectsAreWritten) {
  FeedbackRecorder feedback;
  ManagerHold mgr(&feedback);
  ASSERT_TRUE(Read(mgr.mgr, FileWith(kPoints, kPolygons)));
  TZinObjectMgr<IZinPolygon>* polygons = mgr->getPolygons();
  std::vector<Shape> model = Shapes();

  // One change of each kind on objects of every form; the others stay records.
  IZinPolygon* triangle = polygons->getZinObject(1);
  triangle->setPropertyIndex(11);
  triangle->setSmooth(true);
  *triangle->getContour()->newZinObject(kZinEndOfList) = Vertex(7, CZinVertex::kMapped, 0.5f, 0.5f);
  model[1].property = 11;
  model[1].smooth = true;
  model[1].outer.push_back(Vertex(7, CZinVertex::kMapped, 0.5f, 0.5f));
  IZinPolygon* mapped = polygons->getZinObject(3);
  mapped->getContour()->getZinObject(0)->mFlags = CZinVertex::kMarked;
  model[3].outer[0].mFlags = CZinVertex::kMarked;
  IZinPolygon* holed = polygons->getZinObject(6);
  holed->getHoles()->removeObject(0);
  model[6].holes.erase(model[6].holes.begin());
  // Asked twice, the same object; held by the client, it outlives its removal.
  EXPECT_EQ(triangle, polygons->getZinObject(1));
  IZinPolygon* quad = polygons->getZinObject(2);
  quad->AddRef();
  polygons->removeObject(2);
  model.erase(model.begin() + 2);
  EXPECT_EQ(2, quad->getPropertyIndex());
  quad->setPropertyIndex(99);  // no longer in the collection: written nowhere
  quad->Release();
  // Moves and insertions among records and objects.
  polygons->moveObject(0, 6);
  std::rotate(model.begin(), model.begin() + 1, model.begin() + 7);
  FillPolygon(polygons->newZinObject(2), Polygon(12, {Vertex(2), Vertex(1), Vertex(0)}));
  model.insert(model.begin() + 2, Polygon(12, {Vertex(2), Vertex(1), Vertex(0)}));
  polygons->removeObject(kZinEndOfList);
  model.pop_back();

  EXPECT_EQ(PolygonsWrittenFrom(model), BlockOf(WriteToText(mgr.mgr), "Polygons"));
  ASSERT_EQ(model.size(), polygons->getCount());
  for (uint32_t i = 0; i < model.size(); ++i) EXPECT_EQ(model[i], ShapeOf(polygons->getZinObject(i))) << i;
  // Index errors warn as in every collection, through the manager.
  EXPECT_EQ(nullptr, polygons->getZinObject(model.size()));
  EXPECT_EQ(nullptr, polygons->newZinObject(model.size() + 1));
  polygons->removeObject(model.size());
  polygons->moveObject(0, model.size());
  EXPECT_EQ((Texts{"getZinObject: Bad index value", "newZinObject: Bad index value", "removeObject: Bad index value",
                   "moveObject: Bad index value"}),
            Heard(feedback));
}

TEST(GeometryPolygonStore, AnObjectOutlivesItsManager) {
  IZinPolygon* kept = nullptr;
  IZinPolygon* made = nullptr;
  {
    ManagerHold mgr;
    ASSERT_TRUE(Read(mgr.mgr, FileWith(kPoints, kPolygons)));
    kept = mgr->getPolygons()->getZinObject(6);
    kept->AddRef();
    made = mgr->getPolygons()->newZinObject(kZinEndOfList);
    made->AddRef();
  }
  // The link is dead: the objects answer, their warnings go nowhere.
  EXPECT_EQ(Shapes()[6], ShapeOf(kept));
  EXPECT_EQ(nullptr, kept->getContour()->getZinObject(5));
  kept->getHoles()->getZinObject(1)->getContour()->removeObject(0);
  made->setSmooth(true);
  *made->getContour()->newZinObject(kZinEndOfList) = Vertex(1);
  EXPECT_EQ(Polygon(0, {Vertex(1)}, {}, true), ShapeOf(made));
  made->Release();
  kept->Release();
}

TEST(GeometryPolygonStore, RecordsKeepEveryValue) {
  QvZinTest::RecordingLink link;
  {
    TZinComPtr<CPolygonStore> store = NewZinCollection<CPolygonStore>(&link);
    const float negativeZero = -0.0f, nan = std::numeric_limits<float>::quiet_NaN();
    // Values no file holds but a client may set: flag bits of its own, mapping
    // coordinates on unmapped vertices, a negative zero.
    std::vector<Shape> shapes = Shapes();
    shapes.push_back(Polygon(1, {Vertex(1, 0x10), Vertex(2)}));
    shapes.push_back(Polygon(2, {Vertex(1, 0, negativeZero, 0), Vertex(2, 0, 0, 3)}));
    shapes.push_back(Polygon(INT32_MIN, {Vertex(INT32_MAX, CZinVertex::kMapped, nan, -1e30f)}, {}, true));
    for (const Shape& shape : shapes) {
      // From the library's own polygon and from a client's class.
      TZinComPtr<CPolygon> own(CreateZinObject<CPolygon>(&link));
      FillPolygon(own.get(), shape);
      store->append(own.get());
      CClientPolygon client(&link);
      FillPolygon(&client, shape);
      store->append(&client);
    }
    ASSERT_EQ(2 * shapes.size(), store->getCount());
    for (uint32_t i = 0; i < store->getCount(); ++i) EXPECT_EQ(shapes[i / 2], StoredShape(*store, i, &link)) << i;
    for (uint32_t i = 0; i < store->getCount(); i += 3) EXPECT_EQ(shapes[i / 2], ShapeOf(store->getZinObject(i))) << i;
    for (uint32_t i = 0; i < store->getCount(); ++i) EXPECT_EQ(shapes[i / 2], StoredShape(*store, i, &link)) << i;

    // A plain triangle or quad costs its record alone.
    TZinComPtr<CPolygonStore> plain = NewZinCollection<CPolygonStore>(&link);
    TZinComPtr<CPolygon> quad(CreateZinObject<CPolygon>(&link));
    FillPolygon(quad.get(), Shapes()[2]);
    plain->append(quad.get());
    EXPECT_EQ(28u, plain->bytesUsed());
    quad->reset();
    FillPolygon(quad.get(), Polygon(0, {Vertex(0, CZinVertex::kMapped, 1, 1)}));
    plain->append(quad.get());
    EXPECT_EQ(2 * 28u + 8u, plain->bytesUsed());
  }
  EXPECT_TRUE(link.take().empty());
  EXPECT_EQ(0, link.mCount);
}

TEST(GeometryPolygonStore, WasteIsGivenBack) {
  QvZinTest::RecordingLink link;
  TZinComPtr<CPolygonStore> store = NewZinCollection<CPolygonStore>(&link);
  TZinComPtr<CPolygon> polygon(CreateZinObject<CPolygon>(&link));
  // Mapped triangles and holed polygons, whose data lives in the shared arrays.
  const Shape shapes[] = {Shapes()[3], Shapes()[6]};
  const uint32_t count = 24000;
  for (uint32_t i = 0; i < count; ++i) {
    polygon->reset();
    FillPolygon(polygon.get(), shapes[i % 2]);
    polygon->setPropertyIndex(static_cast<int32_t>(i));
    store->append(polygon.get());
  }
  const size_t full = store->bytesUsed();
  // Every polygon but the first two hundred made an object, then removed: the
  // arrays are compacted on the way, and what stays reads back.
  for (uint32_t i = 200; i < count; ++i) store->getZinObject(i);
  const size_t records = size_t{count} * 28;
  EXPECT_LT(store->bytesUsed() - records, (full - records) / 2);
  while (store->getCount() > 200) store->removeObject(kZinEndOfList);
  for (uint32_t i = 0; i < 200; ++i) {
    Shape expected = shapes[i % 2];
    expected.property = static_cast<int32_t>(i);
    EXPECT_EQ(expected, StoredShape(*store, i, &link)) << i;
  }
  store->removeAll();
  EXPECT_EQ(0u, store->bytesUsed());
  EXPECT_TRUE(link.take().empty());
}
