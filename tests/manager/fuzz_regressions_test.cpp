// The fuzz findings of the manager (quick reads, geometry blocks, whole documents),
// each kept as a named input under fuzz/regressions/<target>/, and the seed corpora:
// every file runs through the same harness as in the fuzzer, and each finding's
// behaviour is pinned down here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fuzz/manager_targets.h"
#include "fuzz/material_targets.h"
#include "fuzz_inputs.h"

namespace {

using FuzzInputs::Harness;
using FuzzInputs::Regression;

/// The bytes of each of rounds resaves of input (read into a new manager, written).
std::vector<std::string> Resaves(std::string input, int rounds) {
  std::vector<std::string> writes;
  for (int round = 0; round < rounds; ++round) {
    ZinFuzz::CRecordingFeedback feedback;
    ZinFuzz::CManager mgr(&feedback);
    QvZin::CZinMemoryReadStream in(input);
    EXPECT_TRUE(mgr->read(&in, nullptr)) << round;
    QvZin::CZinMemoryWriteStream out;
    EXPECT_TRUE(mgr->write(&out, nullptr)) << round;
    input = out.bytes();
    writes.push_back(input);
  }
  return writes;
}

TEST(FuzzRegressions, EveryManagerSeedAndRegressionInputPassesItsHarness) {
  const std::pair<const char*, Harness> targets[] = {{"quick_reads", ZinFuzz::QuickReads},
                                                     {"geometry_blocks", ZinFuzz::GeometryBlocks},
                                                     {"document_read", ZinFuzz::DocumentRead},
                                                     {"shader_file", ZinFuzz::ShaderFile}};
  for (const auto& [target, harness] : targets) FuzzInputs::ReplayAll(target, harness);
}

TEST(FuzzRegressions, DocumentReadFindings) {
  // A render parameter written "inf.000000" scanned as infinity, was written "inf"
  // and read back as 1: now it reads as 1 at once, and the second write equals the
  // first.
  const std::string file = Regression("document_read", "infinite_render_double");
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  const QvZin::CZinRenderConfig* config = mgr->getMgrEx(QvZin::eZinVersionCurrent)->getRenderConfig();
  EXPECT_EQ(config->maximums[0], 1.0);
  QvZin::CZinMemoryWriteStream out;
  ASSERT_TRUE(mgr->write(&out, nullptr));
  EXPECT_NE(out.bytes().find("<Double1.Max>1.000000</Double1.Max>"), std::string::npos);
}

TEST(FuzzRegressions, AShaderReadMayRecoverBeforeItFails) {
  // A custom node whose data is unusable warns and goes on with a fresh one; a later
  // node without its "UI.Value" then fails the read: two warnings, the failure last.
  const std::string file = Regression("shader_file", "custom_data_warning_before_a_failure");
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::IZinProperty* property = mgr->getProperties()->newZinObject(QvZin::kZinEndOfList);
  QvZin::CZinMemoryReadStream in(file);
  EXPECT_FALSE(mgr->getMgrEx(QvZin::eZinVersionCurrent)->readShader(property, &in));
  EXPECT_EQ(feedback.mWarnings, (std::vector<std::string>{"ICustomNode::initWithXML - invalid parameter",
                                                          "CZinXMLGet::GetElement - NULL ptr for tag UI.Value"}));
}

TEST(FuzzRegressions, DataBlockAfterATextFailsWithoutLeakingItsProvider) {
  // An "Image" element holding a text before its block: the block decodes, but the
  // element refuses a second data node, and the provider made for it must go (the
  // leak checker of the test binary watches).
  const std::string file = Regression("document_read", "text_before_data_block");
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(file);
  EXPECT_FALSE(mgr->read(&in, nullptr));
  EXPECT_EQ(feedback.mWarnings,
            (std::vector<std::string>{"Error \"Only one data node for an element\" while parsing 'Image' data block",
                                      "exception (assertion failed)"}));
}

TEST(FuzzRegressions, NegativeZeroPointsSettleAfterOneWrite) {
  // A coordinate just below zero is written "-0.0", which reads as a zero written
  // "0.0": the only change a second write may make.
  const std::string input = Regression("geometry_blocks", "negative_zero_point");
  ASSERT_FALSE(input.empty());
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  auto* manager = static_cast<QvZin::CZIN*>(mgr.get());
  ZinFuzz::CBytesReadStream block(input.data() + 1, input.size() - 1);  // the first byte is the harness's mode
  EXPECT_EQ(ZinFuzz::CGeometryBlockReader::ReadBlock(manager, manager, true, &block), "");
  QvZin::CZinMemoryWriteStream first;
  ASSERT_TRUE(mgr->write(&first, nullptr));
  EXPECT_NE(first.bytes().find(" -0.0 "), std::string::npos);
  ZinFuzz::CManager again(&feedback);
  QvZin::CZinMemoryReadStream in(first.bytes());
  ASSERT_TRUE(again->read(&in, nullptr));
  QvZin::CZinMemoryWriteStream second;
  ASSERT_TRUE(again->write(&second, nullptr));
  EXPECT_NE(second.bytes(), first.bytes());
  EXPECT_EQ(second.bytes(), ZinFuzz::WithoutNegativeZeros(first.bytes()));
}

TEST(FuzzRegressions, ZeroBytesEndATextAndTheDocumentSettlesAfterOneRound) {
  // Zero bytes stand where an unknown element's blanks were: the text ends at the
  // first of them, the element keeps an empty text, and an empty text keeps the
  // first child on the start tag's line. Read again, the element has no text and
  // the child goes on a line of its own; from then on every write is the same.
  const std::string file = Regression("document_read", "zero_bytes_in_text");
  ASSERT_NE(file.find(std::string("<Perspectiv.Vieews>\0\0", 21)), std::string::npos);
  const std::vector<std::string> writes = Resaves(file, 3);
  EXPECT_NE(writes[0].find("\t<Perspectiv.Vieews><Perspective.View>\n"), std::string::npos);
  EXPECT_NE(writes[1].find("\t<Perspectiv.Vieews>\n\t\t<Perspective.View>\n"), std::string::npos);
  EXPECT_EQ(writes[1], writes[2]);
}

TEST(FuzzRegressions, TextsThatReadAsNothingOrStartWithABlank) {
  // A reference to nothing ("&#;") under "Zin.File" made an empty text, which kept the
  // first child on the root's line; read again, the text was gone and the child moved.
  // Now such a text is no text at all: the first resave is already the settled one.
  const std::string empty = Regression("document_read", "empty_text_from_a_character_reference");
  ASSERT_EQ(empty.size(), 63u);
  std::vector<std::string> writes = Resaves(empty, 2);
  EXPECT_NE(writes[0].find("<Zin.File>\n\t<Preview.Image>"), std::string::npos);
  EXPECT_EQ(writes[0], writes[1]);

  // A text whose first byte comes from a reference to a blank keeps the blank, is
  // written with a raw blank, and the next read skips it, as it skips the leading
  // whitespace of every text: the document settles one round later.
  const std::string blank = Regression("document_read", "text_starting_with_a_referenced_blank");
  writes = Resaves(blank, 3);
  EXPECT_NE(writes[0].find("\t<Note> kept</Note>\n"), std::string::npos);
  EXPECT_NE(writes[1].find("\t<Note>kept</Note>\n"), std::string::npos);
  EXPECT_EQ(writes[1], writes[2]);
}

TEST(FuzzRegressions, ImageBlocksAreRoutedByTheirElementsNameAlone) {
  // An "Image" block inside an element the library does not know is still read into
  // the images collection, and the unknown element is kept as it was: every write
  // holds the image twice, and every read of that adds one more.
  const std::string file = Regression("document_read", "image_outside_images");
  ASSERT_NE(file.find("<Lmages>"), std::string::npos);
  std::string input = file;
  for (uint32_t round = 1; round <= 3; ++round) {
    ZinFuzz::CRecordingFeedback feedback;
    ZinFuzz::CManager mgr(&feedback);
    QvZin::CZinMemoryReadStream in(input);
    ASSERT_TRUE(mgr->read(&in, nullptr)) << round;
    EXPECT_EQ(ZinFuzz::BlockCounts(mgr.get())[0], round);
    QvZin::CZinMemoryWriteStream out;
    ASSERT_TRUE(mgr->write(&out, nullptr)) << round;
    input = out.bytes();
    EXPECT_NE(input.find("\t<Lmages>\n\t\t<Image UUID="), std::string::npos);
  }
}

TEST(FuzzRegressions, BlocksUnderAnotherElementWithAnIdReadButDoNotWrite) {
  // A block is read as a component's only under an "InternalComponentDefinition", but
  // written as the component's of the "UUID" of its element's parent, whatever that
  // parent's name. Kept inside elements the library does not know, such blocks read
  // into the scene, and the write then asks for a component that does not exist.
  const std::string file = Regression("document_read", "block_under_another_element_with_an_id");
  ASSERT_NE(file.find("<ExternalComponentDefinition UUID="), std::string::npos);
  ZinFuzz::CRecordingFeedback feedback;
  ZinFuzz::CManager mgr(&feedback);
  QvZin::CZinMemoryReadStream in(file);
  ASSERT_TRUE(mgr->read(&in, nullptr));
  EXPECT_EQ(mgr->getPoints()->getCount(), 2u);
  EXPECT_EQ(mgr->getInternalComponentDefinitions()->getCount(), 0u);
  feedback.mWarnings.clear();
  QvZin::CZinMemoryWriteStream out;
  EXPECT_FALSE(mgr->write(&out, nullptr));
  EXPECT_EQ(feedback.mWarnings,
            (std::vector<std::string>{"CZIN::createGeometryWriter - Invalid component id",
                                      "Error \"CPointsProvider::Write2 - No geometry writer\" while writting"}));
}

}  // namespace
