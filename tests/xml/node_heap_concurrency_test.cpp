// The node heap and the key registry are shared by every thread: documents built in
// one thread and destroyed in another, many threads at once.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/c_locale.h"
#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

std::string SampleDocument(int items) {
  std::string document = "<r>";
  for (int i = 0; i < items; ++i)
    document += "<item n='" + std::to_string(i) + "'><v>" + std::to_string(i * 3) + "</v><flag/></item>";
  return document + "</r>";
}

TEST(NodeHeapConcurrency, TreesBuiltInOneThreadDieInAnother) {
  const std::string document = SampleDocument(3000);
  std::mutex lock;
  std::condition_variable ready;
  std::deque<XCXMLTree*> queue;
  bool done = false;
  constexpr int kTrees = 60;

  std::thread consumer([&] {
    for (int destroyed = 0; destroyed < kTrees;) {
      std::unique_lock<std::mutex> hold(lock);
      ready.wait(hold, [&] { return !queue.empty() || done; });
      while (!queue.empty()) {
        XCXMLTree* tree = queue.front();
        queue.pop_front();
        hold.unlock();
        // Edit before destroying: nodes allocated here land in this thread's chunks.
        XIXMLElement* r = tree->GetRoot()->GetFirstElement();
        r->AddElement(tree->GetRoot()->GetKey("added"))->AddData("x");
        r->GetFirstElement()->GetNode()->Delete();
        delete tree;
        ++destroyed;
        hold.lock();
      }
    }
  });
  std::vector<std::thread> producers;
  for (int p = 0; p < 2; ++p) {
    producers.emplace_back([&] {
      for (int i = 0; i < kTrees / 2; ++i) {
        XCXMLTree* tree = ReadTree(document).release();
        std::lock_guard<std::mutex> hold(lock);
        queue.push_back(tree);
        ready.notify_one();
      }
    });
  }
  for (std::thread& producer : producers) producer.join();
  {
    std::lock_guard<std::mutex> hold(lock);
    done = true;
    ready.notify_one();
  }
  consumer.join();
}

TEST(NodeHeapConcurrency, ThreadsEditAndMoveNodesAtOnce) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int round = 0; round < 50; ++round) {
        auto from = std::make_unique<XCXMLTree>();
        auto to = std::make_unique<XCXMLTree>();
        XIXMLElement* root = from->GetRoot();
        XIXMLElement* moved = root->AddElement(root->GetKey("moved"));
        moved->AddAttribute(root->GetKey("thread"), std::to_string(t).c_str());
        root->RemoveNode(moved->GetNode());
        from.reset();
        to->GetRoot()->AddNode(moved->GetNode());
        EXPECT_EQ(to->GetRoot()->GetKey("moved"), moved->GetKeyRef());
        XIXMLAttribute* attribute = moved->GetFirstAttribute();
        moved->RemoveAttribute(attribute);
        attribute->Format("%lf", 0.5 * round);
        Quorve::CCLocale c;
        double value = 0;
        attribute->Scan("%lf", &value);
        EXPECT_EQ(0.5 * round, value);
        attribute->Delete();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace
