#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/files.h"
#include "platform/paths.h"
#include "script/check.h"
#include "script_test_support.h"

namespace pryx::script {
namespace {

Findings findingsOf(std::string_view utf8Script) { return checkScriptText(testing::scriptBytes(utf8Script)); }

using Lines = std::vector<std::string>;

// Each finding as "line: message" must begin with the expected text, in order.
void expectFindings(const Findings& findings, const Lines& expected) {
  Lines got;
  for (const Finding& finding : findings) got.push_back(std::to_string(finding.line) + ": " + finding.message);
  bool match = got.size() == expected.size();
  for (std::size_t i = 0; match && i < got.size(); ++i) match = got[i].starts_with(expected[i]);
  EXPECT_TRUE(match) << ::testing::PrintToString(got);
}

TEST(Check, EveryFindingHasAJapaneseTextWithTheSameArguments) {
  const std::vector<std::string> arguments = {"ARG1", "ARG2", "ARG3", "ARG4", "ARG5"};
  std::set<std::string> english, japanese;
  for (int kind = 0; kind <= static_cast<int>(FindingKind::NoLabel); ++kind) {
    Finding found = finding(1, static_cast<FindingKind>(kind), arguments);
    std::string inJapanese = findingText(found, Language::Japanese);
    SCOPED_TRACE(found.message);
    EXPECT_EQ(findingText(found, Language::English), found.message);
    EXPECT_TRUE(std::any_of(inJapanese.begin(), inJapanese.end(), [](char c) { return (c & 0x80) != 0; }));
    for (const std::string& argument : arguments) {
      EXPECT_EQ(found.message.find(argument) == std::string::npos, inJapanese.find(argument) == std::string::npos)
          << argument << " in " << inJapanese;
    }
    english.insert(found.message);
    japanese.insert(inJapanese);
  }
  const std::size_t kinds = static_cast<std::size_t>(FindingKind::NoLabel) + 1;
  EXPECT_EQ(english.size(), kinds);  // a text of its own for each kind, in each language
  EXPECT_EQ(japanese.size(), kinds);
  EXPECT_EQ(finding(3, FindingKind::OperandsMissing, {"@CG", "1", "1"}).message,
            "@CG at the end of the script lacks 1 operand of 1");

  // The locale's language: the first of LC_ALL, LC_MESSAGES and LANG that is set.
  EXPECT_EQ(languageOf(nullptr, nullptr, "ja_JP.UTF-8"), Language::Japanese);
  EXPECT_EQ(languageOf("C", nullptr, "ja_JP.UTF-8"), Language::English);
  EXPECT_EQ(languageOf("", "ja", "en_GB"), Language::Japanese);
  EXPECT_EQ(languageOf(nullptr, nullptr, nullptr), Language::English);
}

TEST(Check, ACleanScriptHasNoFindings) {
  EXPECT_TRUE(findingsOf("@VERSION,1,5\n@DEF,CG,森,森.BMP\n@DEF,PARAM,好感度\n#,TopPage\n@CG,森\n@TEXT,{\n"
                         "こんばんは。\n}\n@BTN, 1,はい,{\n@,好感度,+,1\n@IFA,好感度,!=,0,TopPage\n@JMP,TopPage\n}\n"
                         "@EVTWAIT\n@SAVE, 1\n@BTN, 1,おわり,{\n@END\n}\n@BTN, 2,戻る,{\n@RET\n}\n@EVTWAIT\n")
                  .empty());
}

TEST(Check, ReportsUnknownWordsAndNames) {
  expectFindings(findingsOf("#,a\n@FOO\n@CG ,x\n@CG,x\n@CHR,y\n@BGM,z\n@JMP,b\n@,v,=,1\n@MSGW,\n"),
                 Lines{"2: unknown command \"@FOO\" ", "3: unknown command \"@CG \" ", "3: unknown command \"x\" is",
                       "4: unknown CG name \"x\": C", "5: unknown CHR name \"y\": ", "6: unknown BGM name \"z\": ",
                       "7: unknown label \"b\": lab", "8: unknown variable \"v\": "});
  auto blanks = findingsOf("@CG ,x\n#,a\n");
  EXPECT_NE(blanks[0].message.find("blanks after a command word"), std::string::npos);
}

TEST(Check, ReportsDuplicatesAndCommandsThatRanTogether) {
  expectFindings(findingsOf("#,a\n#,a\n@DEF,CG,f,f.BMP\n@DEF,CG,f,g.BMP\n@DEF,PARAM,v\n@DEF,PARAM,v\n@CG\n"
                            "@CHR,\n@DEF,cg,x\n@JMP"),
                 Lines{"2: label \"a\" is defined a", "4: CG name \"f\" is defined", "6: variable \"v\" is declare",
                       "7: @CG takes 1 operand: it", "8: unknown CG name \"@CHR\"", "9: @DEF kind \"cg\" is not ",
                       "9: unknown command \"cg\" i", "9: unknown command \"x\" is", "10: @JMP at the end of the s"});
}

// The script is cut as each pass reads it; findings on one line still come in the
// order cutting, collecting and translating see them, however far apart in the
// script the causes lie.
TEST(Check, FindingsOnOneLineKeepTheirOrderWhereverTheLineLies) {
  std::string padding;
  for (int i = 0; i < 3000; ++i) padding += "@WAIT, 1\n";
  for (const std::string& before : {std::string(), padding}) {
    const int offset = before.empty() ? 0 : 3000;
    auto line = [&](int n) { return std::to_string(n + offset) + ": "; };
    expectFindings(findingsOf(before + "#,a\n#,a,\"open\n@JMP,b,\"x\" y\n"),
                   Lines{line(2) + "a double quote is not closed", line(2) + "label \"a\" is defined again",
                         line(2) + "unknown command \"open\"", line(3) + "text after a closing double quote",
                         line(3) + "unknown label \"b\"", line(3) + "unknown command \"x\""});
  }
}

TEST(Check, ReportsNumbersOutsideTheirOperand) {
  expectFindings(
      findingsOf("#,a\n@DEF,PARAM,v\n@WAIT,300\n@WAIT,x\n@,v,+,-5\n@,v,=,-300\n@,v,=,70000\n"
                 "@IFA,v,=,-2,a\n@IFA,v,=,-20000000,a\n@IFA,v,=,-1,a\n@GAMEMODE,0\n@BTN,7,c,{\n}\n"),
      Lines{"3: @WAIT value 300 is outside 0 ", "4: @WAIT operand \"x\" is not a ", "5: @ value -5 is read by the pl",
            "6: @ value -300 lies outside wh", "7: @ value 70000 is outside -32", "8: @IFA value -2 is read by the ",
            "11: @GAMEMODE 0 is neither 1 (n", "12: button slot \"7\" is not 1 to"});
}

TEST(Check, ReportsWhatIsCutDroppedOrLeftOpen) {
  std::string longCaption(300, 'c');
  std::string longText(33000, 't');
  expectFindings(findingsOf("#,a\n@BTN, 1," + longCaption + ",{\n@CG,\n}\n@TEXT,{\n" + longText +
                            "\n}\n@SAVE,0\n@LOAD,100\n@IFA,v,=>,1,a\n@BTN, 1,x,@END\n@TEXT,{\nopen"),
                 Lines{"2: the caption is 300 byte", "3: \"@CG\" in a button body:", "5: the message is 33000 by",
                       "6: the message is cut in thi", "8: @SAVE slot 0 is outside ", "9: @LOAD slot 100 is outsid", "10: unknown variable \"v\": ",
                       "10: \"=>\" is no comparison ", "11: @BTN is not followed by", "12: the text block has no c"});
}

TEST(Check, ReportsScriptsWithoutLabelsAndInvalidBytes) {
  expectFindings(
      checkScriptText("@END\r\n\x81\r\n"),
      Lines{"0: the script has no label", "2: the line holds bytes th", "2: unknown command \"\xEF\xBF\xBD"});
}

// Where the player cuts a message or refuses a button, the finding says so on the
// line the author has to mend, not only where the symptom shows.
TEST(Check, SaysWhatThePlayerDoesWhereTheCauseIs) {
  std::string longMessage;
  for (int i = 0; i < 40; ++i) longMessage += std::string(1000, 'x') + "\n";  // 1002 bytes a line in the message
  expectFindings(findingsOf("#,a\n@TEXT,{\nfirst half\n}\nsecond half\n@EVTWAIT\n"           // 1-6
                            "@BTN, 1,\"open caption,{\n@JMP,a\n}\n@EVTWAIT\n"                  // 7-10
                            "@BTN, 1,@TEXT,{\n@JMP,a\n}\n@EVTWAIT\n"                          // 11-14
                            "@TEXT,{\n" + longMessage + "}\n@BTN, 1,x,{\n@JMP,a\n}\n@BTN, 2,\"y,{"),  // 15-60
                 Lines{"4: a message line of only \"}", "5: unknown command \"second ",
                       "7: a double quote is not cl", "7: the caption's double quo",
                       "11: the caption \"@TEXT\" bef", "12: message lines outside a",
                       "15: the message is 40078 byt", "48: the message is cut in t",
                       "60: a double quote is not c", "60: the caption's double qu"});
}

TEST(Check, RecognisesAScriptSavedAsUtf8InOneFinding) {
  const std::string utf8 = "#,始まり\n@TEXT,{\nこんにちは。\n}\n@BTN, 1,はい,{\n@END\n}\n@EVTWAIT\n";
  const auto utf8Findings = [](const Findings& findings) {
    Lines lines;
    for (const Finding& finding : findings) {
      EXPECT_EQ(finding.message.find("no Shift-JIS"), std::string::npos) << finding.line << ": " << finding.message;
      if (finding.message.find("UTF-8") != std::string::npos) lines.push_back(std::to_string(finding.line));
    }
    return lines;
  };
  EXPECT_EQ(utf8Findings(checkScriptText("\xEF\xBB\xBF" + utf8)), Lines{"1"});
  EXPECT_EQ(utf8Findings(checkScriptText("@VERSION,1,5\n" + utf8)), Lines{"2"});
  // "ア" in UTF-8 (E3 82 A2) is also a valid Shift-JIS kanji and half-width katakana.
  expectFindings(checkScriptText("#,x\n\n@TEXT,{\n\xE3\x82\xA2\n}\n"),
                 Lines{"4: the file looks like UTF-8 text; scripts are Shift-JIS (code page 932)"});
  EXPECT_EQ(utf8Findings(findingsOf(utf8)), Lines{});  // the same text in Shift-JIS
}

TEST(Check, ReportsTableLimits) {
  std::string script;
  for (int i = 0; i <= 10000; ++i) script += "#,L" + std::to_string(i) + "\n@TEXT,{\n}\n";
  auto findings = findingsOf(script);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_NE(findings[0].message.find("more than 10000 labels"), std::string::npos);
  EXPECT_NE(findings[1].message.find("more than 10000 @TEXT"), std::string::npos);
  EXPECT_EQ(findings[0].line, 30001);
}

TEST(Check, ReportsResourcesFromOutsideTheScriptsFolderAndFileNamesTwoPathsShare) {
  expectFindings(findingsOf("@DEF,CG,a,..\\shared\\sky.BMP\n@DEF,CG,b,/home/x/moon.BMP\n@DEF,CG,c,C:\\pics\\sun.BMP\n"
                            "@DEF,CHR,d,cg\\SKY.bmp\n@DEF,CG,e,cg\\sea.BMP\n@DEF,BGM,f,cg\\sea.BMP\n"
                            "@DEF,CG,g,cg..x\\m.BMP\n@DEF,CG,h,海/sea.BMP\n#,p\n"),
                 Lines{"1: resource file ..\\shared\\sky.BMP lies outside the script's folder",
                       "2: resource file /home/x/moon.BMP lies outside the script's folder",
                       "3: resource file C:\\pics\\sun.BMP lies outside the script's folder",
                       "4: resource file cg\\SKY.bmp has the same file name as ..\\shared\\sky.BMP (line 1)",
                       "8: resource file 海/sea.BMP has the same file name as cg\\sea.BMP (line 5)"});
}

TEST(Check, LooksForResourceFilesWhereTheBuildWould) {
  namespace fs = std::filesystem;
  fs::path folder = fs::temp_directory_path() / "pryx-check-resources";
  fs::create_directories(folder / "pics");
  ASSERT_TRUE(platform::writeFileReplacing(platform::fromFsPath(folder / "pics" / "here.BMP"), "x"));
  ASSERT_TRUE(
      platform::writeFileReplacing(platform::fromFsPath(folder / "story.PXJ"),
                                   testing::scriptBytes("@DEF,CG,a,pics\\here.BMP\n@DEF,CG,b,pics\\gone.BMP\n#,p\n")));
  CheckResult result = checkScript(platform::fromFsPath(folder / "story.PXJ"));
  ASSERT_TRUE(result.scriptRead);
  ASSERT_EQ(result.findings.size(), 1u);
  EXPECT_EQ(result.findings[0].line, 2);
  EXPECT_NE(result.findings[0].message.find("gone.BMP does not exist"), std::string::npos);
  EXPECT_FALSE(checkScript(platform::fromFsPath(folder / "missing.PXJ")).scriptRead);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace pryx::script
