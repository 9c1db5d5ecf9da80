#include <du/AssembleArgs.h>
#include <du/Localizer.h>
#include <du/MessageCatalog.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kModules = "tqbase:tqmodulesStrings";

TEST(Localizer, ShipsATextForEveryKeyThePlugInLooksUp)
{
  const du::Localizer localizer(kModules);
  for (const char* key : {"31", "68", "113", "118", "119", "2045", "2046", "2049", "2050", "5601"}) {
    const std::string text = localizer.LocalizeMessage(key, du::Localizer::RETURN_EMPTY);
    EXPECT_FALSE(text.empty()) << "key " << key;
    EXPECT_NE(text, key) << "key " << key;
  }
}

TEST(Localizer, FailureActionDecidesWhatAnUnknownKeyGives)
{
  const du::Localizer localizer(kModules);
  EXPECT_EQ(localizer.LocalizeMessage("99999", 1), "");
  EXPECT_EQ(localizer.LocalizeMessage("99999", 0), "99999");
  EXPECT_EQ(localizer.LocalizeMessage("", 1), "");
  EXPECT_EQ(localizer.LocalizeMessage("", 0), "");

  const du::Localizer unknownCatalogue("no:suchCatalogue");
  EXPECT_EQ(unknownCatalogue.LocalizeMessage("31", 1), "");
  EXPECT_EQ(unknownCatalogue.LocalizeMessage("31", 0), "31");
}

TEST(Localizer, FillsTextAndNumberPlaceholdersInOrder)
{
  const du::Localizer localizer(kModules);
  EXPECT_EQ(localizer.LocalizeMessage("68", 0, du::AssembleArgs("%s", "Note")), "Edit Note");
  EXPECT_EQ(localizer.LocalizeMessage("5601", du::AssembleArgs("%d", 3), 0), "Center Line 3");
  EXPECT_EQ(localizer.LocalizeMessage("5601", du::AssembleArgs("%d", -12), 0), "Center Line -12");

  du::MessageCatalog::Register("test:localizer", "pair", "%s has %d leaders");
  const du::Localizer test("test:localizer");
  EXPECT_EQ(test.LocalizeMessage("pair", 0, du::AssembleArgs("%s", "Callout").Add(2)),
            "Callout has 2 leaders");
  du::MessageCatalog::Unregister("test:localizer", "pair");
  EXPECT_EQ(test.LocalizeMessage("pair", 1), "");
}

TEST(Localizer, LeavesPlaceholdersWithoutArgumentsAndNeverExpandsAnArgument)
{
  du::MessageCatalog::Register("test:localizer", "odd", "100% of %s, %d%");
  const du::Localizer test("test:localizer");
  // The argument's own "%d" must come out as it is, and the trailing '%' must not be overrun.
  EXPECT_EQ(test.LocalizeMessage("odd", 0, du::AssembleArgs("%s", "%d items")), "100% of %d items, %d%");
  EXPECT_EQ(test.LocalizeMessage("odd", 0), "100% of %s, %d%");
  du::MessageCatalog::Unregister("test:localizer", "odd");
}

TEST(Localizer, RegisteredTextReplacesTheShippedOne)
{
  const du::Localizer localizer(kModules);
  const std::string shipped = localizer.LocalizeMessage("2049", 0);
  du::MessageCatalog::Register(kModules, "2049", "Notiz");
  EXPECT_EQ(localizer.LocalizeMessage("2049", 0), "Notiz");
  du::MessageCatalog::Register(kModules, "2049", shipped);
  EXPECT_EQ(localizer.LocalizeMessage("2049", 0), shipped);
}

} // namespace
