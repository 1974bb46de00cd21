// readMediaInfo streams a big object file in constant memory: its geometry block
// (100 MB here, ahead of the definitions) is passed over, never buffered.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "ZinSDK.h"
#include "counting_allocator.h"
#include "test_support.h"

namespace {

// A file made as it is read: a head, a body line repeated up to size bytes, a tail.
class CGeneratedStream final : public QvZin::IZinReadStream {
public:
  CGeneratedStream(std::string head, std::string line, size_t size, std::string tail)
      : mHead(std::move(head)), mLine(std::move(line)), mTail(std::move(tail)) {
    mLines = (size - mHead.size() - mTail.size()) / mLine.size();
    mSize = mHead.size() + mLines * mLine.size() + mTail.size();
  }
  int read(void* buffer, int size) override {
    char* out = static_cast<char*>(buffer);
    int given = 0;
    while (given < size && mPosition < mSize) {
      const size_t bodyEnd = mHead.size() + mLines * mLine.size();
      const char* from;
      size_t available;
      if (mPosition < mHead.size()) {
        from = mHead.data() + mPosition;
        available = mHead.size() - mPosition;
      } else if (mPosition < bodyEnd) {
        const size_t at = (mPosition - mHead.size()) % mLine.size();
        from = mLine.data() + at;
        available = mLine.size() - at;
      } else {
        from = mTail.data() + (mPosition - bodyEnd);
        available = mSize - mPosition;
      }
      const size_t n = std::min(available, static_cast<size_t>(size - given));
      std::memcpy(out + given, from, n);
      given += static_cast<int>(n);
      mPosition += n;
    }
    return given;
  }
  int64_t tell() override { return static_cast<int64_t>(mPosition); }
  void seek(int64_t position) override { mPosition = static_cast<size_t>(position); }
  size_t size() const { return mSize; }

private:
  std::string mHead, mLine, mTail;
  size_t mLines = 0, mSize = 0, mPosition = 0;
};

TEST(MediaInfo, A100MBFileStreamsWithItsBlocksSkipped) {
  CGeneratedStream file(
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
