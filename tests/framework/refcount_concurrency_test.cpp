#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/com_base.h"

using namespace QvZin;

namespace {

class IStressThing : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("00112233445566778899AABBCCDDEEFF");
};

std::atomic<int> gDestroyedCount[64];

class CStressThing final : public TZinCOMBase<IStressThing> {
public:
  explicit CStressThing(int index) : mIndex(index) {}
  ~CStressThing() override { gDestroyedCount[mIndex].fetch_add(1); }
  IZinObjectLink* getObjectLink() override { return nullptr; }
  IZinBasicData* getBasicData() override { return nullptr; }
  TSharedPtr<CStressThing>* block() const { return static_cast<TSharedPtr<CStressThing>*>(selfLink()); }

private:
  int mIndex;
};

}  // namespace

// 8 threads each make 200,000 AddRef/Release pairs (and strong locks through weak
// links) over 64 shared objects; every object must die exactly once, at the end.
TEST(RefCountConcurrency, EightThreadsOverSixtyFourObjects) {
  constexpr int kObjects = 64, kThreads = 8, kPairs = 200000;
  std::vector<CStressThing*> things;
  std::vector<TZinWeakPtr<CStressThing>> links;
  for (int i = 0; i < kObjects; ++i) {
    gDestroyedCount[i] = 0;
    things.push_back(CreateZinObject<CStressThing>(i));
    things.back()->AddRef();
    links.emplace_back(things.back()->block());
  }
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&, t] {
      for (int i = 0; i < kPairs; ++i) {
        const int index = (i * 7 + t * 13) % kObjects;
        if (i % 8 == 0) {
          TZinStrongPtr<CStressThing> strong = links[index].lock();
          EXPECT_TRUE(strong);
        } else {
          things[index]->AddRef();
          things[index]->Release();
        }
      }
    });
  for (auto& worker : workers) worker.join();
  for (int i = 0; i < kObjects; ++i) EXPECT_EQ(0, gDestroyedCount[i].load());
  for (CStressThing* thing : things) thing->Release();
  for (int i = 0; i < kObjects; ++i) EXPECT_EQ(1, gDestroyedCount[i].load()) << i;
  for (auto& link : links) EXPECT_FALSE(link.lock());
}
