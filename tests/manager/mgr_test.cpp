#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "ZinReporter.h"
#include "test_support.h"

using namespace QvZin;
using namespace QvZinTest;

namespace {

IZinMgr* NewManager(FeedbackRecorder* feedback = nullptr, int version = eZinVersionCurrent) {
  IZinMgr* mgr = nullptr;
  CZinEntryPoints::newZinMgr(&mgr, static_cast<EVersionZIN>(version), feedback);
  return mgr;
}

}  // namespace

TEST(Manager, VersionNegotiation) {
  EXPECT_EQ(50, IZinMgr::getZINVersion());
  EXPECT_EQ(50, IZinMgr::getExtendedZinVersion());
  struct Case {
    int version;
    bool created;
    const char* warning;
  } cases[] = {
      {50, true, nullptr},
      {30, true, nullptr},
      {40, true, nullptr},
      {51, false, "Client is newer than Zin Library!"},
      {29, false, "Client is obsolete for this Zin Library!"},
      {-1, false, "Client is obsolete for this Zin Library!"},
  };
  for (const Case& c : cases) {
    FeedbackRecorder feedback;
    IZinMgr* mgr = NewManager(&feedback, c.version);
    EXPECT_EQ(c.created, mgr != nullptr) << c.version;
    if (c.warning) {
      ASSERT_EQ(1u, feedback.warnings.size()) << c.version;
      EXPECT_EQ(nullptr, feedback.warnings[0].mgr);
      EXPECT_EQ(c.warning, feedback.warnings[0].text);
    } else {
      EXPECT_TRUE(feedback.warnings.empty());
    }
    if (mgr) mgr->Release();
    // Without a feedback object the refusal is silent.
    IZinMgr* silent = NewManager(nullptr, c.version);
    EXPECT_EQ(c.created, silent != nullptr);
    if (silent) silent->Release();
  }
  CZinEntryPoints::newZinMgr(nullptr);  // no out-pointer: nothing happens
}

TEST(Manager, NewZinMgrReleasesThePreviousManager) {
  FeedbackRecorder feedback;
  IZinMgr* mgr = NewManager(&feedback);
  IZinMgrRef* link = mgr->getBasicData()->getMgrRef();
  link->AddRef();
  EXPECT_EQ(mgr, link->getMgr());
  IZinMgr* previous = mgr;
  CZinEntryPoints::newZinMgr(&mgr, eZinVersionCurrent, &feedback);
  ASSERT_NE(nullptr, mgr);
  EXPECT_EQ(nullptr, link->getMgr());  // the first manager is gone
  (void)previous;
  // A refused request still releases what the out-pointer held.
  CZinEntryPoints::newZinMgr(&mgr, static_cast<EVersionZIN>(51), &feedback);
  EXPECT_EQ(nullptr, mgr);
  link->Release();
}

TEST(Manager, NewManagerStateAndInterfaces) {
  ManagerHold hold;
  IZinMgr* mgr = hold.mgr;
  EXPECT_EQ(CZinVersion(), *mgr->getFileVersion());
  int major = 0, minor = 0;
  EXPECT_TRUE(mgr->getFileFormat(&major, &minor));
  EXPECT_EQ(51, major * 10 + minor);
  EXPECT_TRUE(mgr->getFileFormat(nullptr, nullptr));
  EXPECT_STREQ("en", mgr->getLanguage());
  for (int i = 0; i < 16; ++i) EXPECT_EQ(i % 5 == 0 ? 1.0 : 0.0, mgr->getTransformation()[i]);
  EXPECT_EQ(nullptr, mgr->getObjectLink()->getParentLink());
  mgr->setApplication(nullptr, nullptr);

  for (const CZinUUID& iid : {IID_IUnknown, kIID_ZinBasicObject, IZinMgr::sIID}) {
    void* out = nullptr;
    EXPECT_EQ(kZinOk, mgr->QueryInterface(iid, &out));
    EXPECT_EQ(static_cast<IUnknown*>(mgr), out);
    mgr->Release();
  }
  void* out = nullptr;
  EXPECT_EQ(kZinNoInterface, mgr->QueryInterface(kIID_ZinObjectMgr, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(kZinInvalidArg, mgr->QueryInterface(IID_IUnknown, nullptr));
  // The link object answers its own identifier.
  IZinMgrRef* link = mgr->getBasicData()->getMgrRef();
  EXPECT_EQ(kZinOk, link->QueryInterface(kIID_ZinMgrRef, &out));
  EXPECT_EQ(static_cast<IUnknown*>(link), out);
  link->Release();
  EXPECT_EQ(link, mgr->getObjectLink()->getLinkRef());

  struct Recorder : Quorve::XIReporter {
    void Report(Quorve::EReportLevel, const char*) override {}
  } recorder;
  IZinReporterControl* control = nullptr;
  ASSERT_EQ(kZinOk, mgr->QueryInterface(IZinReporterControl::sIID, reinterpret_cast<void**>(&control)));
  EXPECT_EQ(nullptr, control->setThreadReporter(&recorder));
  EXPECT_EQ(&recorder, control->setThreadReporter(nullptr));
  EXPECT_EQ(nullptr, control->setProcessReporter(&recorder));
  EXPECT_EQ(&recorder, control->setProcessReporter(nullptr));
  control->Release();
}

TEST(Manager, GetMgrExRange) {
  FeedbackRecorder feedback;
  IZinMgr* mgr = NewManager(&feedback);
  EXPECT_EQ(nullptr, mgr->getMgrEx(static_cast<EVersionZIN>(4)));
  EXPECT_EQ(nullptr, mgr->getMgrEx(static_cast<EVersionZIN>(51)));
  EXPECT_NE(nullptr, mgr->getMgrEx(static_cast<EVersionZIN>(5)));
  EXPECT_NE(nullptr, mgr->getMgrEx(eZinVersionCurrent));
  ASSERT_EQ(2u, feedback.warnings.size());
  EXPECT_EQ(mgr, feedback.warnings[0].mgr);
  EXPECT_EQ((Texts{"Client is obsolete for this Zin Library!", "Client is newer than Zin Library!"}), feedback.texts());
  mgr->Release();
  // Without feedback: null, silently.
  IZinMgr* silent = NewManager();
  EXPECT_EQ(nullptr, silent->getMgrEx(static_cast<EVersionZIN>(4)));
  silent->Release();
}

TEST(Manager, LanguageRules) {
  FeedbackRecorder feedback;
  IZinMgr* mgr = NewManager(&feedback);
  mgr->setLanguage("fr");
  EXPECT_STREQ("fr", mgr->getLanguage());
  const char* bad[] = {"f", "fra", "", nullptr};
  for (const char* language : bad) mgr->setLanguage(language);
  EXPECT_STREQ("fr", mgr->getLanguage());
  EXPECT_EQ(Texts(4, "IZinMgr::setLanguage - Invalid language"), feedback.texts());
  EXPECT_EQ(mgr, feedback.warnings[0].mgr);
  EXPECT_STREQ("fr", mgr->getBasicData()->getMgrRef()->getLanguage());
  mgr->Release();
}

TEST(Manager, TransformationRules) {
  ManagerHold hold;
  IZinMgrRef* link = hold->getBasicData()->getMgrRef();
  // Rows are the images of the axes; a NaN counts as different from the identity,
  // and the fourth column is not used by points.
  const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const double translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
  const double swapScale[16] = {0, 2, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 10, 0, 0, 1};
  const double lastNaN[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, std::nan("")};
  const struct {
    const double* matrix;
    std::vector<double> point, pointAfter, vectorAfter;
  } cases[] = {
      {identity, {4, 5, 6}, {4, 5, 6}, {4, 5, 6}},
      {translate, {0, 0, 0}, {1, 2, 3}, {0, 0, 0}},
      {swapScale, {1, 3, 5}, {16, 2, 10}, {6, 2, 10}},
      {lastNaN, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    hold->setTransformation(c.matrix);
    std::vector<double> point = c.point, vector = c.point;
    link->transformPoint(point.data());
    link->transformVector(vector.data());
    EXPECT_EQ(c.pointAfter, point);
    EXPECT_EQ(c.vectorAfter, vector);
  }
  hold->setTransformation(swapScale);
  double matrix[16];
  std::copy(identity, identity + 16, matrix);
  link->transformMatrix(matrix);
  EXPECT_TRUE(std::equal(swapScale, swapScale + 16, matrix));
  hold->setTransformation(nullptr);  // ignored
  link->transformPoint(nullptr);
  link->transformVector(nullptr);
  link->transformMatrix(nullptr);
  EXPECT_EQ(0.0, hold->getTransformation()[0]);
}

TEST(Manager, LinkForwardsWarningsAndFallsSilentAfterTheManager) {
  FeedbackRecorder feedback;
  IZinMgr* mgr = NewManager(&feedback);
  IZinMgrRef* link = mgr->getBasicData()->getMgrRef();
  link->AddRef();
  link->warning("w");
  link->exception("Place::op", std::runtime_error("boom"));
  link->otherException("Place::op");
  mgr->getBasicData()->setName(nullptr);
  EXPECT_EQ((Texts{"w", "Exception in Place::op : boom", "Unknown exception in Place::op",
                   "CZinBasicData::setName - inName is NULL"}),
            feedback.texts());
  for (const auto& w : feedback.warnings) EXPECT_EQ(mgr, w.mgr);
  const std::string longWhere(2000, 'x');
  link->exception(longWhere.c_str(), std::runtime_error("e"));
  EXPECT_EQ(1023u, feedback.warnings.back().text.size());

  mgr->Release();
  feedback.warnings.clear();
  EXPECT_EQ(nullptr, link->getMgr());
  link->warning("dropped");
  link->exception("x", std::runtime_error("y"));
  link->setLanguage("f");  // its warning goes nowhere
  EXPECT_TRUE(feedback.warnings.empty());
  EXPECT_STREQ("en", link->getLanguage());
  link->Release();
}
