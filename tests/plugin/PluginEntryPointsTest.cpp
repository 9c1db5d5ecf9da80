#include <tqannotations/Callout.h>
#include <tqannotations/CombinedCallout.h>
#include <tqannotations/PluginEntryPoints.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct Marker : du::RefCounted
{
  explicit Marker(bool& destroyed) : m_destroyed(destroyed) {}
  ~Marker() override { m_destroyed = true; }
  bool& m_destroyed;
};

//! The plug-in as the host sees it: loaded by path, entry points found by their plain names.
class LoadedPlugin : public ::testing::Test
{
protected:
  void SetUp() override
  {
    m_handle = dlopen(TQ_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_handle, nullptr) << dlerror();
    m_create = reinterpret_cast<TQDllCreateComponentFunction>(dlsym(m_handle, "TQDllCreateComponent"));
    ASSERT_NE(m_create, nullptr);
  }
  void TearDown() override
  {
    if (m_handle)
      dlclose(m_handle);
  }

  void* m_handle = nullptr;
  TQDllCreateComponentFunction m_create = nullptr;
};

TEST_F(LoadedPlugin, ExportsTheEntryPointsUnmangled)
{
  auto init = reinterpret_cast<TQDllInitFunction>(dlsym(m_handle, "TQDllInit"));
  auto terminate = reinterpret_cast<TQDllTerminateFunction>(dlsym(m_handle, "TQDllTerminate"));
  ASSERT_NE(init, nullptr);
  ASSERT_NE(terminate, nullptr);
  init();
  terminate();
  init(); // any number of times, in any order
}

TEST_F(LoadedPlugin, RefusesUnknownRequestsAndKeepsTheOutReference)
{
  // Whole strings are compared: a name that merely begins with the right one, also before a NUL
  // that a C-string comparison would stop at, is refused.
  using namespace std::string_literals;
  const struct
  {
    std::string verb;
    std::string kind;
    std::string subtype;
  } refused[] = {
      {"Create", "annotation", "centerline"},
      {"create", "annotations", "centerline"},
      {"create", "annotation", "centerline "},
      {"create", "annotation", "callout"},
      {"create", "annotation", "CalloutLabel"},
      {"", "", ""},
      {"create", "", "calloutlabel"},
      {"", "annotation", "combinedcallout"},
      {"create\0"s, "annotation", "centerline"},
      {"create", "annotation\0"s, "calloutlabel"},
      {"create", "annotation", "combinedcallout\0x"s},
  };
  bool destroyed = false;
  du::SmartPtr<du::RefCounted> out(new Marker(destroyed));
  const du::SmartPtr<du::RefCounted> before = out;
  for (const auto& request : refused) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(m_create(request.verb, request.kind, request.subtype, out))
        << request.verb << "/" << request.kind << "/" << request.subtype;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "a refusal prints nothing";
    EXPECT_TRUE(out == before);
  }
  EXPECT_FALSE(destroyed);
}

// Every kind prints its line once per call, hands out its only reference, and releases what out
// held.
TEST_F(LoadedPlugin, EachCreationPrintsItsLineAndReleasesWhatTheOutReferenceHeld)
{
  const struct
  {
    const char* subtype;
    const char* line;
  } kinds[] = {
      {"centerline", "Create new centerline\n"},
      {"calloutlabel", "Create new callout\n"},
      {"combinedcallout", "Create new combined callout\n"},
  };
  for (const auto& kind : kinds) {
    bool markerDestroyed = false;
    du::SmartPtr<du::RefCounted> out(new Marker(markerDestroyed));
    testing::internal::CaptureStdout();
    const bool created = m_create("create", "annotation", kind.subtype, out);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(created) << kind.subtype;
    EXPECT_EQ(printed, kind.line);
    EXPECT_TRUE(markerDestroyed) << "the previous object lost its last reference";
    ASSERT_TRUE(out) << kind.subtype;
    EXPECT_EQ(out->GetReferenceCount(), 1) << "the out reference is the only one";

    const du::SmartPtr<du::RefCounted> first = out;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(m_create("create", "annotation", kind.subtype, out));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), kind.line);
    EXPECT_TRUE(out != first) << "every call makes a new object";
    EXPECT_EQ(first->GetReferenceCount(), 1) << "the second call released the first object";
    EXPECT_EQ(out->GetReferenceCount(), 1);
  }
}

TEST_F(LoadedPlugin, CalloutLabelMakesANewDefaultCallout)
{
  du::SmartPtr<du::RefCounted> out;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(m_create("create", "annotation", "calloutlabel", out));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Create new callout\n");
  const auto callout = du::SmartPtr<tqannotations::Callout>::DynamicCast(out);
  ASSERT_TRUE(callout) << "the object made is a callout";
  EXPECT_EQ(callout->GetType(), tqannotations::Callout::CALLOUT_LEADERS);
  EXPECT_FALSE(callout->IsInitialized());
  EXPECT_FALSE(callout->HasItemId());
  EXPECT_EQ(callout->GetText(), " ");
  EXPECT_EQ(callout->GetFontFace(), "Arial");
  EXPECT_FLOAT_EQ(callout->GetFontSize(), 10.0f);
  EXPECT_EQ(callout->GetLeaderLineCount(true), 0u);
  EXPECT_EQ(callout->GetReferenceCount(), 2) << "the out reference and this test's";
}

TEST_F(LoadedPlugin, CombinedCalloutMakesANewCombinedCalloutWithoutMembers)
{
  du::SmartPtr<du::RefCounted> out;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(m_create("create", "annotation", "combinedcallout", out));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Create new combined callout\n");
  const auto combined = du::SmartPtr<tqannotations::CombinedCallout>::DynamicCast(out);
  ASSERT_TRUE(combined) << "the object made is a combined callout";
  EXPECT_EQ(combined->GetCount(), 0u);
  EXPECT_FALSE(combined->IsInitialized());
  EXPECT_FALSE(combined->HasItemId());
}

} // namespace
