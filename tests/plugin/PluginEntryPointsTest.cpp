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
  const struct
  {
    const char* verb;
    const char* kind;
    const char* subtype;
  } refused[] = {
    {"Create", "annotation", "centerline"},     {"create", "annotations", "centerline"},
    {"create", "annotation", "centerline "},    {"create", "annotation", "callout"},
    {"create", "annotation", "CalloutLabel"},   {"", "", ""},
    {"create", "", "calloutlabel"},             {"", "annotation", "combinedcallout"},
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

} // namespace
