#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"

namespace {
void Load(TXMLDocument& D, const std::string& Text, const std::string& Name = "test.xml") {
  D.LoadFromMemory(Text.data(), Text.size(), Name);
}
}  // namespace

TEST(XMLDocument, Latin1FileReachesTheGameAsBytes) {
  TXMLDocument D;
  Load(D, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<root name=\"Gr\xFC\xDF\">\xE4</root>");
  EXPECT_EQ(D.Root().Attribute("name"), "Gr\xFC\xDF");
  EXPECT_EQ(D.Root().Text(), "\xE4");
}

TEST(XMLDocument, Utf8FileReachesTheGameAsBytes) {
  TXMLDocument D;
  Load(D, "<?xml version=\"1.0\" encoding=\"UTF-8\"?><root name=\"Gr\xC3\xBC\xC3\x9F\"/>");
  EXPECT_EQ(D.Root().Attribute("name"), "Gr\xFC\xDF");
  TXMLDocument E;
  Load(E, "\xEF\xBB\xBF<root name=\"\xC3\xA4\"/>");
  EXPECT_EQ(E.Root().Attribute("name"), "\xE4");
}

TEST(XMLDocument, ChildrenSkipCommentsAndText) {
  TXMLDocument D;
  Load(D, "<r><!-- note --><a/>text<b x=\"1\"/><a/></r>");
  auto C = D.Root().Children();
  ASSERT_EQ(C.size(), 3u);
  EXPECT_EQ(C[0].Name(), "a");
  EXPECT_EQ(C[1].Name(), "b");
  EXPECT_EQ(D.Root().ChildCount(), 3u);
  EXPECT_EQ(D.Root().ChildAt(1).Attribute("x"), "1");
  EXPECT_TRUE(D.Root().ChildAt(3).IsNull());
  EXPECT_EQ(D.Root().Child("b").Name(), "b");
  EXPECT_TRUE(D.Root().Child("c").IsNull());
  EXPECT_EQ(C[0].NextSibling().Name(), "b");
  EXPECT_FALSE(D.Root().Attribute("x").has_value());
  EXPECT_EQ(D.Root().AttributeOr("x", "d"), "d");
}

TEST(XMLDocument, ParseErrorNamesFileAndLine) {
  TXMLDocument D;
  try {
    Load(D, "<root>\n<a>\n</b>\n</root>", "data\\XML\\broken.xml");
    FAIL() << "no error";
  } catch (const EDataError& E) {
    std::string M = E.what();
    EXPECT_NE(M.find("\"data\\XML\\broken.xml\" line 3"), std::string::npos) << M;
  }
  EXPECT_TRUE(D.Root().IsNull());
}

TEST(XMLDocument, MissingRequiredAttributeNamesElementAndLine) {
  TXMLDocument D;
  Load(D, "<units>\n  <unit id=\"a\"/>\n  <unit/>\n</units>", "units.xml");
  EXPECT_EQ(D.Root().ChildAt(0).RequiredAttribute("id"), "a");
  try {
    D.Root().ChildAt(1).RequiredAttribute("id");
    FAIL();
  } catch (const EDataError& E) {
    EXPECT_STREQ(E.what(), "\"units.xml\" line 3, element <unit>: attribute \"id\" is missing");
  }
}

TEST(XMLDocument, EmptyOrRootlessInputIsAnError) {
  TXMLDocument D;
  EXPECT_THROW(Load(D, ""), EDataError);
  EXPECT_THROW(Load(D, "<?xml version=\"1.0\"?>"), EDataError);
  EXPECT_THROW(D.LoadFromFile("/nonexistent/file.xml"), EDataError);
}

TEST(XMLDocument, SavesAsLatin1AndReadsBackTheSame) {
  TXMLDocument D;
  TXMLNode R = D.CreateRoot("savestate");
  TXMLNode N = R.AppendChild("nation");
  N.SetAttribute("name", "\xC4gypten");
  N.SetAttribute("name", "\xC4gypten & <Co>");
  N.AppendChild("note").SetText("\x80 \xFF");
  std::string Bytes = D.SaveToString();
  EXPECT_EQ(Bytes.rfind("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", 0), 0u) << Bytes;
  EXPECT_NE(Bytes.find("name=\"\xC4gypten &amp; &lt;Co>\""), std::string::npos) << Bytes;

  TXMLDocument Back;
  Load(Back, Bytes);
  EXPECT_EQ(Back.Root().Child("nation").Attribute("name"), "\xC4gypten & <Co>");
  EXPECT_EQ(Back.Root().Child("nation").Child("note").Text(), "\x80 \xFF");
  EXPECT_EQ(Back.SaveToString(), Bytes);
}

TEST(XMLDocument, SaveToFileWritesThroughTheSafeWriter) {
  TTempFolder T;
  TXMLDocument D;
  D.CreateRoot("gamesettings").SetAttribute("language", "eng");
  std::string Error;
  ASSERT_TRUE(D.SaveToFile(T.Path() / "settings.xml", &Error)) << Error;
  TXMLDocument Back;
  Back.LoadFromFile(T.Path() / "settings.xml");
  EXPECT_EQ(Back.Root().Attribute("language"), "eng");
  EXPECT_FALSE(D.SaveToFile(T.Path() / "missing/settings.xml", &Error));
}
