#include <gtest/gtest.h>

#include "script/commands.h"
#include "script/elements.h"

namespace pryx::script {
namespace {

std::vector<Element> cutElements(std::string_view script, Findings* findings = nullptr) {
  // A few at a time, as the command reader cuts them.
  std::vector<Element> elements;
  ElementCutter cutter(script, findings);
  while (cutter.cut(elements, 2)) {
  }
  return elements;
}

std::vector<std::string> texts(std::string_view script) {
  std::vector<std::string> out;
  for (const Element& element : cutElements(script)) out.emplace_back(element.text());
  return out;
}

using Texts = std::vector<std::string>;

TEST(ElementCutter, FieldModeEndsElementsAtCommasAndLineEnds) {
  EXPECT_EQ(texts("@CG,\r\n@CHR\r\n"), (Texts{"@CG", "", "@CHR"}));
  EXPECT_EQ(texts("@WAIT, 100\r\n@BTN, 1,yes ,{"), (Texts{"@WAIT", "100", "@BTN", "1", "yes ", "{"}));
  EXPECT_EQ(texts("@CG,"), (Texts{"@CG", ""}));
  // Blank lines yield nothing, so a command may spread its operands over lines.
  EXPECT_EQ(texts("@DEF\r\n\r\n   \r\nCG\r\n"), (Texts{"@DEF", "CG"}));
  EXPECT_EQ(texts("a\nb\r\nc"), (Texts{"a", "b", "c"}));
  EXPECT_EQ(texts("a\rb\r"), (Texts{"a\rb"}));  // a lone CR is no line end
}

TEST(ElementCutter, QuotesHoldCommasButNotLines) {
  Findings findings;
  auto elements = cutElements("@BTN,\"1, 2\",x\n\"open\n\"a\" b,c\n", &findings);
  Texts got;
  for (const Element& element : elements) got.emplace_back(element.text());
  EXPECT_EQ(got, (Texts{"@BTN", "1, 2", "x", "open", "a", "c"}));
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 2);  // the quote that is not closed
  EXPECT_EQ(findings[1].line, 3);  // the text after a closing quote
}

TEST(ElementCutter, TextBlocksAreReadLineByLine) {
  auto elements = cutElements("#,p\r\n@text,{\r\n  a, \"b\"\r\n\r\n} \r\n}\r\n@CG,x\r\n");
  ASSERT_EQ(elements.size(), 10u);
  EXPECT_EQ(elements[4].text(), "  a, \"b\"");
  EXPECT_TRUE(elements[4].textLine());
  EXPECT_EQ(elements[5].text(), "");
  EXPECT_EQ(elements[6].text(), "} ");  // only a line of exactly "}" closes the block
  EXPECT_EQ(elements[7].text(), "}");
  EXPECT_FALSE(elements[7].textLine());
  EXPECT_EQ(elements[8].text(), "@CG");
  EXPECT_EQ(elements[8].line(), 7);
  // Anything but "{" after @TEXT keeps field mode.
  EXPECT_EQ(texts("@TEXT,x,{\na,b"), (Texts{"@TEXT", "x", "{", "a", "b"}));
  // A text block opened by "{," starts with the rest of its line.
  EXPECT_EQ(texts("@TEXT,{,first\nsecond\n}"), (Texts{"@TEXT", "{", "first", "second", "}"}));
}

TEST(ElementCutter, KeywordsAreFoundInAnyCaseOnly) {
  ASSERT_NE(findKeyword("@gamemode"), nullptr);
  EXPECT_EQ(findKeyword("@gamemode")->opcode, gamefile::Opcode::GameMode);
  EXPECT_EQ(findKeyword("@Def")->form, CommandForm::Definition);
  EXPECT_EQ(findKeyword("#")->form, CommandForm::Label);
  EXPECT_EQ(findKeyword("@")->opcode, gamefile::Opcode::VarOp);
  EXPECT_EQ(findKeyword("@CG "), nullptr);
  EXPECT_EQ(findKeyword("@DEF,CG"), nullptr);
  EXPECT_EQ(findKeyword("end of code"), nullptr);
  EXPECT_EQ(findKeyword(""), nullptr);
}

}  // namespace
}  // namespace pryx::script
