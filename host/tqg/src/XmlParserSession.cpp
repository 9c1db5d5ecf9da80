#include <dg/XmlParserSession.h>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

namespace dg {
namespace {

//! The process's one preparation of the parser library. The library counts its preparations, so
//! a user outside our readers that prepares it too keeps its own count undisturbed.
class XmlParserSession
{
public:
  XmlParserSession()
  {
    try {
      xercesc::XMLPlatformUtils::Initialize("en_US");
      m_ready = true;
    } catch (const xercesc::XMLException&) {
    }
  }
  ~XmlParserSession()
  {
    if (m_ready)
      xercesc::XMLPlatformUtils::Terminate();
  }
  XmlParserSession(const XmlParserSession&) = delete;
  XmlParserSession& operator=(const XmlParserSession&) = delete;

  bool IsReady() const noexcept { return m_ready; }

private:
  bool m_ready = false;
};

} // namespace

bool PrepareXmlParser()
{
  // A function-local static: made exactly once, and every other caller waits until it is made.
  static const XmlParserSession session;
  return session.IsReady();
}

} // namespace dg
