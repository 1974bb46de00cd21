#include "xml/hash_key.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "xml_test_support.h"

using namespace QuorveXML;
using namespace XMLTest;

namespace {

// A table released at the end of the scope.
struct CTable {
  CTable() : mTable(new CHashKey) {}
  ~CTable() { mTable->Release(); }
  CHashKey* operator->() const { return mTable; }
  CHashKey* mTable;
};

// Names numbered from a prefix until count of them have hash % modulus == residue.
std::vector<std::string> NamesWithHash(const std::string& prefix, uint32_t modulus, uint32_t residue, size_t count) {
  std::vector<std::string> names;
  for (int i = 0; names.size() < count; ++i) {
    std::string name = prefix + std::to_string(i);
    if (CHashKey::Hash(name.c_str()) % modulus == residue) names.push_back(name);
  }
  return names;
}

TEST(HashKey, TheHashOfTheFormat) {
  EXPECT_EQ(0u, CHashKey::Hash(""));
  EXPECT_EQ(1649u, CHashKey::Hash("a"));
  EXPECT_EQ(52755u, CHashKey::Hash("ab"));
  EXPECT_EQ(1557751251u, CHashKey::Hash("Zin.File"));
  EXPECT_EQ(CHashKey::Hash("\xFF\x80"), CHashKey::HashStep(CHashKey::HashStep(0, 0xFF), 0x80));
  EXPECT_EQ("exception", ErrorOf([] { CHashKey::Hash(nullptr); }));
}

TEST(HashKey, KeysAreStoredOnceAndNeverMove) {
  CTable table;
  EXPECT_EQ(64u, table->Capacity());
  EXPECT_EQ(10u, table->ProbeLimit());
  // The empty name hashes to 0, the mark of an empty slot beside the slots; a name
  // with a zero byte inside comes from the parser with its length.
  const char* empty = table->GetKey("");
  const char zeroInside[] = {'a', 0, 'b'};
  const uint32_t zeroInsideHash = CHashKey::HashStep(CHashKey::HashStep(CHashKey::HashStep(0, 'a'), 0), 'b');
  const char* withZero = table->GetKey(zeroInside, 3, zeroInsideHash);
  EXPECT_NE(withZero, table->GetKey("a"));
  // Two names of one hash, one the start of the other: a key answers its whole name only.
  ASSERT_EQ(CHashKey::Hash("Light"), CHashKey::Hash("Lightagrzfof"));
  const char* longer = table->GetKey("Lightagrzfof");
  EXPECT_STREQ("Light", table->GetKey("Light"));
  EXPECT_STREQ("Lightagrzfof", longer);
  std::vector<std::string> names;
  std::vector<const char*> keys;
  for (int i = 0; i < 5000; ++i) {
    names.push_back("Name." + std::to_string(i * 7919));
    keys.push_back(table->GetKey(names.back().c_str()));
  }
  EXPECT_EQ(5005u, table->Count());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(keys[i], table->GetKey(names[i].c_str())) << names[i];
    EXPECT_EQ(names[i], keys[i]);
  }
  EXPECT_EQ(empty, table->GetKey(""));
  EXPECT_EQ(withZero, table->GetKey(zeroInside, 3, zeroInsideHash));
  EXPECT_EQ(0, std::memcmp(withZero, zeroInside, 3));
  EXPECT_EQ(0u, table->OverflowCount()) << "ordinary names never reach the overflow";
  EXPECT_LE(table->Capacity(), 16u * 5000);
  const std::string longName(100000, 'n');
  EXPECT_EQ(longName, table->GetKey(longName.c_str()));
  EXPECT_EQ(keys[0], table->GetKey(names[0].c_str(), static_cast<uint32_t>(names[0].size()),
                                   CHashKey::Hash(names[0].c_str())));
  EXPECT_EQ("exception", ErrorOf([&] { table->GetKey(nullptr); }));
}

// A name asked for again at its address is answered from the cache; a buffer that
// holds another name (or a prefix, or a longer name) at that address gets that name's key.
TEST(HashKey, ANameAtAReusedAddressGetsItsOwnKey) {
  CTable table;
  char buffer[32];
  for (const char* name : {"Translation", "Rotation", "Translation", "Trans", "Translation.X", "", "Translation"}) {
    std::strcpy(buffer, name);
    const char* key = table->GetKey(buffer);
    EXPECT_STREQ(name, key);
    EXPECT_EQ(key, table->GetKey(buffer)) << name;
    EXPECT_EQ(key, table->GetKey(std::string(name).c_str())) << name;
  }
  EXPECT_EQ(5u, table->Count());
}

TEST(HashKey, TheFirstGrowthComesAtTheLatestWithThe65thName) {
  CTable table;
  std::vector<const char*> keys;
  std::vector<std::string> names;
  // One name for each home slot: no probing, so the 64 slots fill up completely.
  for (uint32_t residue = 0; residue < 64; ++residue) {
    names.push_back(NamesWithHash("slot", 64, residue, 1)[0]);
    keys.push_back(table->GetKey(names.back().c_str()));
  }
  EXPECT_EQ(64u, table->Capacity());
  EXPECT_EQ(10u, table->ProbeLimit());
  table->GetKey("the 65th");
  EXPECT_EQ(128u, table->Capacity());
  EXPECT_EQ(11u, table->ProbeLimit());
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(keys[i], table->GetKey(names[i].c_str()));
  EXPECT_EQ(65u, table->Count());
}

TEST(HashKey, AReinsertionThatFailsGrowsTwice) {
  // P names land in 64-slot windows that wrap around the end of the array; Q names
  // fill the slots after them. Re-inserted in slot order into 128 slots, the wrapped
  // P names find their window taken by Q names and the table doubles again.
  CCaptureReporter reporter;
  CTable table;
  const std::vector<std::string> p = NamesWithHash("p", 256, 124, 11);
  const std::vector<std::string> q = NamesWithHash("q", 256, 1, 5);
  std::vector<const char*> keys;
  for (size_t i = 0; i < 10; ++i) keys.push_back(table->GetKey(p[i].c_str()));
  for (const std::string& name : q) keys.push_back(table->GetKey(name.c_str()));
  EXPECT_EQ(64u, table->Capacity());
  table->GetKey(p[10].c_str());
  EXPECT_EQ(256u, table->Capacity());
  EXPECT_EQ(12u, table->ProbeLimit()) << "each attempt raised the limit";
  ASSERT_EQ(1u, reporter.mReports.size());
  EXPECT_EQ(Quorve::eReportWarning, reporter.mReports[0].first);
  EXPECT_EQ("CHashKey::Grow - Double grow needed", reporter.mReports[0].second);
  for (size_t i = 0; i < 10; ++i) EXPECT_EQ(keys[i], table->GetKey(p[i].c_str()));
  for (size_t i = 0; i < q.size(); ++i) EXPECT_EQ(keys[10 + i], table->GetKey(q[i].c_str()));
}

TEST(HashKey, CollidingNamesCannotFloodTheTable) {
  const std::vector<std::string> names = CollidingNames(5000);
  std::set<std::string> distinct(names.begin(), names.end());
  ASSERT_EQ(names.size(), distinct.size());
  for (const std::string& name : names) ASSERT_EQ(CHashKey::Hash(names[0].c_str()), CHashKey::Hash(name.c_str()));

  CTable small;
  for (size_t i = 0; i < 32; ++i) small->GetKey(names[i].c_str());
  // Doubling cannot part equal hashes: the window's ten names stay, the rest overflow.
  EXPECT_EQ(64u, small->Capacity()) << "32 such names would otherwise ask for 2^27 slots";
  EXPECT_EQ(22u, small->OverflowCount());

  CTable table;
  std::vector<const char*> keys;
  for (const std::string& name : names) keys.push_back(table->GetKey(name.c_str()));
  // Ordinary names still grow the table as before, and every key stays where it was.
  for (int i = 0; i < 3000; ++i) table->GetKey(("ordinary" + std::to_string(i)).c_str());
  EXPECT_EQ(8000u, table->Count());
  EXPECT_LE(table->Capacity(), 16u * 8000);
  EXPECT_GT(table->Capacity(), 64u);
  // Each growth raised the limit by one and took that many names back from the overflow.
  EXPECT_EQ(5000u - table->ProbeLimit(), table->OverflowCount());
  for (size_t i = 0; i < names.size(); ++i) ASSERT_EQ(keys[i], table->GetKey(names[i].c_str()));
  std::set<const char*> distinctKeys(keys.begin(), keys.end());
  EXPECT_EQ(names.size(), distinctKeys.size());
}

TEST(HashKey, ANamePendingBetweenBeginAndFinishGetsTheKeyGetKeyWouldGive) {
  const std::vector<std::string> names = CollidingNames(40);
  const uint32_t hash = CHashKey::Hash(names[0].c_str());
  CTable table;
  std::vector<const char*> window;
  for (size_t i = 0; i < 10; ++i) window.push_back(table->GetKey(names[i].c_str()));
  // Found or placed in its window: answered at once.
  EXPECT_EQ(window[3], table->Begin(names[3].c_str(), 16, hash).mKey);
  const CHashKey::CPending ordinary = table->Begin("ordinary", 8, CHashKey::Hash("ordinary"));
  ASSERT_NE(nullptr, ordinary.mKey);
  EXPECT_EQ(ordinary.mKey, table->Finish("ordinary", 8, CHashKey::Hash("ordinary"), ordinary));

  // Full windows: pending, a name twice among them, answered in any order later.
  std::vector<CHashKey::CPending> pending;
  std::vector<size_t> order = {10, 11, 12, 10, 13, 12};
  for (size_t i : order) {
    pending.push_back(table->Begin(names[i].c_str(), 16, hash));
    EXPECT_EQ(nullptr, pending.back().mKey) << i;
  }
  std::vector<const char*> keys;
  for (size_t at = 0; at < order.size(); ++at)
    keys.push_back(table->Finish(names[order[at]].c_str(), 16, hash, pending[at]));
  EXPECT_EQ(keys[0], keys[3]);
  EXPECT_EQ(keys[2], keys[5]);
  EXPECT_EQ(4u, std::set<const char*>(keys.begin(), keys.end()).size());
  for (size_t at = 0; at < order.size(); ++at) EXPECT_EQ(keys[at], table->GetKey(names[order[at]].c_str()));
  EXPECT_EQ(15u, table->Count());

  // The table grows between the halves, or another caller takes the name first.
  const CHashKey::CPending beforeGrowth = table->Begin(names[20].c_str(), 16, hash);
  const CHashKey::CPending takenMeanwhile = table->Begin(names[21].c_str(), 16, hash);
  ASSERT_EQ(nullptr, beforeGrowth.mKey);
  const char* taken = table->GetKey(names[21].c_str());
  for (int i = 0; i < 2000; ++i) table->GetKey(("grow" + std::to_string(i)).c_str());
  ASSERT_NE(beforeGrowth.mCapacity, table->Capacity());
  const char* grown = table->Finish(names[20].c_str(), 16, hash, beforeGrowth);
  EXPECT_EQ(grown, table->GetKey(names[20].c_str()));
  EXPECT_EQ(taken, table->Finish(names[21].c_str(), 16, hash, takenMeanwhile));
  EXPECT_EQ(2017u, table->Count());
  EXPECT_STREQ(names[20].c_str(), grown);

  // A table too large for the caches only asks for the lines in Begin.
  for (int i = 0; table->Capacity() <= CHashKey::kResidentCapacity; ++i)
    table->GetKey(("more" + std::to_string(i)).c_str());
  const uint32_t count = table->Count();
  const CHashKey::CPending known = table->Begin(names[3].c_str(), 16, hash);
  const CHashKey::CPending fresh = table->Begin("fresh", 5, CHashKey::Hash("fresh"));
  const CHashKey::CPending again = table->Begin("fresh", 5, CHashKey::Hash("fresh"));
  EXPECT_EQ(nullptr, known.mKey);
  EXPECT_EQ(nullptr, fresh.mKey);
  EXPECT_EQ(window[3], table->Finish(names[3].c_str(), 16, hash, known));
  const char* freshKey = table->Finish("fresh", 5, CHashKey::Hash("fresh"), fresh);
  EXPECT_EQ(freshKey, table->Finish("fresh", 5, CHashKey::Hash("fresh"), again));
  EXPECT_EQ(count + 1, table->Count());
  EXPECT_EQ("exception", ErrorOf([&] { table->Begin(nullptr, 0, 0); }));
}

}  // namespace
