#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "xml/image.h"

using namespace Quorve;

namespace {

// Counts its destructions and checks that the pixels are intact when it dies.
class CCountedImage : public XCXMLImage {
public:
  CCountedImage(std::atomic<int>* destroyed, std::atomic<int>* intact) : mDestroyed(destroyed), mIntact(intact) {
    Resize(8, 8);
    for (uint32_t i = 0; i < 64; ++i) GetPixels()[i] = imx_pixel_RGBAn8{static_cast<unsigned char>(i), 1, 2, 3};
  }

protected:
  ~CCountedImage() override {
    bool intact = true;
    for (uint32_t i = 0; i < 64; ++i) intact = intact && GetPixels()[i].mRed == i;
    if (intact) ++*mIntact;
    ++*mDestroyed;
  }

private:
  std::atomic<int>* mDestroyed;
  std::atomic<int>* mIntact;
};

}  // namespace

// Four threads take and drop references to one picture, as data nodes copied and
// destroyed on different threads would; each also drops a reference it was handed, so
// the last release may come from any of them. The picture must die exactly once, after
// everyone is done with it.
TEST(ImageConcurrency, DuplicateAndReleaseFromFourThreads) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 20000;
  for (int trial = 0; trial < 20; ++trial) {
    std::atomic<int> destroyed{0}, intact{0};
    XCXMLImage* image = new CCountedImage(&destroyed, &intact);
    image->Duplicate();  // the main thread's reference
    for (int i = 0; i < kThreads; ++i) image->Duplicate();
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
      threads.emplace_back([image, &go] {
        while (!go.load(std::memory_order_acquire)) std::this_thread::yield();
        QuorveXML::IXMLCData* provider = image;
        for (int round = 0; round < kRounds; ++round) {
          QuorveXML::IXMLCData* copy = provider->Duplicate();
          EXPECT_EQ(provider, copy);
          EXPECT_EQ(8u, image->GetWidth());
          copy->Release();
        }
        provider->Release();  // the reference this thread was handed
      });
    }
    go.store(true, std::memory_order_release);
    image->Release();
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(1, destroyed.load());
    EXPECT_EQ(1, intact.load());
  }
}
