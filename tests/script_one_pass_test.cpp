#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "script/compiler.h"

namespace pryx::script {
namespace {

// A build reads the script once and fills in the names defined further down
// afterwards; a check reads it twice. Both must write the same game file.
std::vector<std::uint8_t> checked(std::string_view script) {
  Findings findings;
  CompileHooks hooks;
  hooks.findings = &findings;
  return compileScriptText(script, hooks);
}

// Scripts pieced together at random from definitions and uses of every kind of
// name, before and after each other, duplicated, empty and cut off.
TEST(OnePassBuild, WritesWhatTheTwoPassCheckWrites) {
  const std::vector<std::string> pieces = {
      "#,a\n", "#,b\n", "#,\n", "#,a\n", "@JMP,a\n", "@JMP,b\n", "@JMP,\n", "@IFA,v,>,1,b\n",
      "@IFB,v,=,1,&&,w,!=,0,a\n", "@,v,+,1\n", "@,,=,2\n", "@DEF,PARAM,v\n", "@DEF,PARAM,w\n", "@DEF,PARAM,\n",
      "@DEF,CG,c,x\\c.BMP\n", "@DEF,CG,c,d.BMP\n", "@DEF,CG,,e.BMP\n", "@CG,c\n", "@CG,\n", "@DEF,CHR,h,h.BMP\n",
      "@CHR,h\n", "@DEF,BGM,m,m.MID\n", "@BGM,m\n", "@TEXT,{\nline\n\nnext\n}\n", "@TEXT,{\r\nline\r\n}\r\n",
      "@BTN,1,go,{\n@JMP,b\n}\n@EVTWAIT\n", "@SAVE,0\n", "@JMP", "@DEF,CG", ",", "\n", "\r\n"};
  std::mt19937 random(20261208);
  for (int round = 0; round < 600; ++round) {
    std::string script;
    for (std::size_t count = random() % 24; count > 0; --count) script += pieces[random() % pieces.size()];
    EXPECT_EQ(compileScriptText(script), checked(script)) << script;
  }
}

TEST(OnePassBuild, NumbersBeyondTheirFieldAreHeldAlikeWhenFilledIn) {
  // 40,000 labels, each jumped to from above: numbers past 32767 are held at the
  // end of the 16-bit field, whether known at once or filled in.
  std::string script;
  for (int label = 0; label < 40000; ++label) {
    script += "@JMP,l" + std::to_string(label) + "\n#,l" + std::to_string(label) + "\n@JMP,l" +
              std::to_string(label) + "\n";
  }
  EXPECT_EQ(compileScriptText(script), checked(script));
}

}  // namespace
}  // namespace pryx::script
