// readMediaInfo streams a big object file in constant memory: its geometry block
// (100 MB here, ahead of the definitions) is passed over, never buffered.
#include <gtest/gtest.h>

#include <string>

#include "ZinSDK.h"
#include "counting_allocator.h"
#include "test_support.h"

namespace {

TEST(MediaInfo, A100MBFileStreamsWithItsBlocksSkipped) {
  QvZinTest::CGeneratedReadStream file(
      "<?Zin library=\"5.1.1\" file=\"5.0\" min_version=\"5.1.0\" safe_version=\"5.1.0\"?>\n<Zin.File>\n"
      "\t<Points><![CDATA[\n3300000 \n",
      "1234.567890 -98.765432 100000.000001 \n", 100u * 1000u * 1000u,
      "]]></Points>\n\t<Object.Definition>\n\t\t<Name en=\"Tower\" fr=\"Tour\"/>\n\t</Object.Definition>\n"
      "</Zin.File>\n");
  ASSERT_GT(file.size(), 99u * 1000u * 1000u);
  QvZinTest::ManagerHold mgr;
  HostileTest::ResetPeak();
  const int64_t before = HostileTest::CurrentBytes();
  EXPECT_TRUE(mgr->readMediaInfo(&file));
  const int64_t grown = HostileTest::PeakBytes() - before;
  EXPECT_LT(grown, 8 << 20) << grown;
  EXPECT_EQ(file.size(), static_cast<size_t>(file.tell()));  // the whole file went through
  EXPECT_STREQ("Tour", mgr->getObjectDefinitions()->getNames()->get(QvZin::ZinLanguageCode("fr")));
  EXPECT_EQ(0u, mgr->getPoints()->getCount());
}

}  // namespace
