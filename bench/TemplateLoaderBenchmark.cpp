// The cost of reading templates with TemplateLoader::GetTemplateList, against a bare parse of the
// same text by the same parser, set up with the same features, whose handler does nothing. The
// loader should take at most 1.2 times the bare parse on a document of 10,000 templates that uses
// every element and attribute; the summary at the end states the ratios, and the one-template
// runs give the fixed cost of a call. The documents are written at build time by the project's
// template generator (tools/gen_templates.py of the shared folder).

#include <tqannotations/TemplateLoader.h>

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Templates = std::vector<du::SmartPtr<tqannotations::TAnnotation>>;

//! The text of a template document that the build wrote beside this benchmark.
std::string ReadDocument(const char* name)
{
  const std::string path = std::string(TQ_TEMPLATE_DOCUMENTS) + "/" + name;
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const std::string& LargeDocument()
{
  static const std::string document = ReadDocument("templates-10000.xml");
  return document;
}

const std::string& OneTemplateDocument()
{
  static const std::string document = ReadDocument("templates-1.xml");
  return document;
}

//! The parse that the loader makes, with a handler that does nothing.
void BareParse(const std::string& text)
{
  using xercesc::XMLUni;
  xercesc::SecurityManager securityManager;
  securityManager.setEntityExpansionLimit(10000);
  xercesc::DefaultHandler handler;
  xercesc::SAX2XMLReaderImpl reader(xercesc::XMLPlatformUtils::fgMemoryManager, nullptr);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpaces, true);
  reader.setFeature(XMLUni::fgXercesSchema, true);
  reader.setFeature(XMLUni::fgXercesSchemaFullChecking, false);
  reader.setFeature(XMLUni::fgXercesIdentityConstraintChecking, true);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
  reader.setFeature(XMLUni::fgSAX2CoreValidation, true);
  reader.setFeature(XMLUni::fgXercesDynamic, true);
  reader.setFeature(XMLUni::fgXercesLoadSchema, false);
  reader.setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader.setProperty(XMLUni::fgXercesSecurityManager, &securityManager);
  reader.setContentHandler(&handler);
  reader.setErrorHandler(&handler);
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.c_str()), text.size() + 1,
                                    "example", false);
  try {
    reader.parse(source);
  } catch (...) {
    // The trailing zero byte ends the document with a fatal error, as it does for the loader.
  }
}

void Load(benchmark::State& state, const std::string& text, std::size_t expected)
{
  tqannotations::TemplateLoader loader;
  for (auto _ : state) {
    Templates templates;
    loader.GetTemplateList(text, templates);
    if (templates.size() != expected) {
      state.SkipWithError("the loader did not read every template");
      break;
    }
    // Releasing the templates, and the list that held them, is their owner's work, not the
    // loader's.
    state.PauseTiming();
    Templates().swap(templates);
    state.ResumeTiming();
  }
}

void BareParseOfTenThousandTemplates(benchmark::State& state)
{
  xercesc::XMLPlatformUtils::Initialize();
  for (auto _ : state)
    BareParse(LargeDocument());
  state.SetBytesProcessed(state.iterations() * std::int64_t(LargeDocument().size()));
}
BENCHMARK(BareParseOfTenThousandTemplates)->Unit(benchmark::kMillisecond);

void LoadTenThousandTemplates(benchmark::State& state)
{
  Load(state, LargeDocument(), 10000);
  state.SetBytesProcessed(state.iterations() * std::int64_t(LargeDocument().size()));
}
BENCHMARK(LoadTenThousandTemplates)->Unit(benchmark::kMillisecond);

void BareParseOfOneTemplate(benchmark::State& state)
{
  xercesc::XMLPlatformUtils::Initialize();
  for (auto _ : state)
    BareParse(OneTemplateDocument());
}
BENCHMARK(BareParseOfOneTemplate)->Unit(benchmark::kMicrosecond);

void LoadOneTemplate(benchmark::State& state) { Load(state, OneTemplateDocument(), 1); }
BENCHMARK(LoadOneTemplate)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(
      argc, argv,
      {
          {"LoadTenThousandTemplates", "BareParseOfTenThousandTemplates", 1.2},
          {"LoadOneTemplate", "BareParseOfOneTemplate", 0.0},
      });
}
