// The test fixture in each kind of context (CTest runs this executable once
// per kind, see vrenk_add_context_variants): it makes the kind the
// environment names, the state snapshot reads without GL errors, and the
// debug output records the errors a context reports.
#include <gtest/gtest.h>

#include <string>

#include "VrenkPlatform.h"
#include "support/context_kind.h"
#include "support/debug_output.h"
#include "support/env.h"
#include "support/gl_fixture.h"
#include "support/gl_state.h"

namespace {

using vrenktest::ContextKind;

class ContextFixtureTest : public vrenktest::GLTest {};

TEST_F(ContextFixtureTest, MakesTheKindTheEnvironmentNames) {
  ContextKind wanted = ContextKind::Compat;
  std::string error;
  ASSERT_TRUE(vrenktest::ContextKindFromEnvironment(&wanted, &error)) << error;
  EXPECT_EQ(Kind(), wanted);
  const vrenktest::CurrentContextInfo info = vrenktest::QueryCurrentContext();
  EXPECT_EQ(HasFixedFunction(), info.fixedFunction) << info.version;
  EXPECT_EQ(vrenktest::KindIsES(Kind()), info.es) << info.version;
  EXPECT_TRUE(vrenktest::CurrentMatchesKind(Kind(), &error)) << error;
}

TEST_F(ContextFixtureTest, StateSnapshotReadsWithoutErrorsAndSeesChanges) {
  const vrenktest::GLStateSnapshot before = vrenktest::GLStateSnapshot::Capture();
  EXPECT_EQ(before.error, GLenum(GL_NO_ERROR));
  EXPECT_EQ(before.fixedFunction, HasFixedFunction());
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glViewport(1, 2, 30, 40);
  const vrenktest::GLStateSnapshot after = vrenktest::GLStateSnapshot::Capture();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_TRUE(vrenktest::DebugErrors().empty()) << vrenktest::DebugErrors().front();
  const std::string diff = vrenktest::DiffGLState(before, after);
  for (const char* field : {"blend:", "blendSrc:", "blendDst:", "viewport[0]"}) {
    EXPECT_NE(diff.find(field), std::string::npos) << field << " missing from\n" << diff;
  }
}

TEST_F(ContextFixtureTest, DebugOutputRecordsEachError) {
  if (!vrenktest::InstallDebugErrorRecorder()) GTEST_SKIP() << "no debug output in " << KindName();
  vrenktest::ClearDebugErrors();
  glEnable(GL_BLEND);
  EXPECT_TRUE(vrenktest::DebugErrors().empty());
  glEnable(0x7FFF);  // no such capability
  EXPECT_EQ(vrenktest::DebugErrors().size(), 1u);
  EXPECT_EQ(glGetError(), GLenum(GL_INVALID_ENUM));
  vrenktest::ClearDebugErrors();
  EXPECT_TRUE(vrenktest::DebugErrors().empty());
}

TEST(ContextKindNames, AnUnknownKindIsAnErrorNotTheDefault) {
  vrenktest::ScopedEnv env("VRENK_TEST_CONTEXT", "core");
  ContextKind kind = ContextKind::Es20;
  std::string error;
  EXPECT_FALSE(vrenktest::ContextKindFromEnvironment(&kind, &error));
  EXPECT_NE(error.find("core33"), std::string::npos) << error;
  for (ContextKind each : {ContextKind::Compat, ContextKind::Core33, ContextKind::Es30, ContextKind::Es20}) {
    vrenktest::ScopedEnv named("VRENK_TEST_CONTEXT", vrenktest::ContextKindName(each));
    ASSERT_TRUE(vrenktest::ContextKindFromEnvironment(&kind, &error));
    EXPECT_EQ(kind, each);
  }
}

}  // namespace
