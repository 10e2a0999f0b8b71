#include <gtest/gtest.h>

#include "player/gamefile/chains.h"
#include "player/gamefile/header.h"
#include "script/definitions.h"
#include "script_test_support.h"

namespace pryx::script {
namespace {

using gamefile::GameImage;
using gamefile::HeaderSlot;
using testing::codeOf;
using testing::compiled;
using testing::compiledImage;
using testing::scriptBytes;

using Bytes = std::vector<std::uint8_t>;
constexpr int FF = 255;

Bytes bytes(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

std::vector<int> code(std::initializer_list<int> values) { return values; }

std::string poolText(const GameImage& image, HeaderSlot pool, std::int64_t length) {
  return std::string(image.textAt(image.headerSlot(pool).value(), length).value());
}

TEST(CompilerOutput, EmptyScriptIsTheHeaderAndTheEndOfCode) {
  EXPECT_EQ(compiled(""), bytes({'P', 'R', 'Y', 'X', 40, 0,  0,  0,  39, 0,  0,  0,  41, 0,  0,  0,  42, 0, 0,
                                 0,   43,  0,   0,   0,  FF, FF, FF, FF, FF, FF, FF, FF, FF, FF, FF, FF, FF}));
}

TEST(CompilerOutput, TwoCgDefinitionsAndTheirPool) {
  EXPECT_EQ(compiled("@DEF,CG,forest,C:\\pic\\forest.BMP\n@DEF,CG,sea,sea.JPG\n"),
            bytes({'P', 'R', 'Y', 'X', 59, 0,  0,  0,  49, 0,  0,   0,   60,  0,   0,   0,   61,  0,   0,
                   0,   62,  0,   0,   0,  FF, FF, FF, FF, FF, FF,  FF,  FF,  FF,  FF,  FF,  FF,  2,   1,
                   0,   6,   0,   2,   2,  0,  3,  0,  FF, 0,  'f', 'o', 'r', 'e', 's', 't', 's', 'e', 'a'}));
}

TEST(CompilerOutput, ThreeLabelsFormAChain) {
  auto file = compiled("#,A\n#,B\n#,C\n");
  EXPECT_EQ(codeOf(file), code({5, 43, 0, 0, 0, 5, 48, 0, 0, 0, 5, FF, FF, FF, FF, FF}));
  EXPECT_EQ(GameImage(file).headerSlot(HeaderSlot::LabelChain), 38);
}

TEST(CompilerOutput, TextRecordWithItsBlockBytes) {
  auto file = compiled("@TEXT,{\nA\nB\n}\n");
  EXPECT_EQ(codeOf(file), code({130, FF, FF, FF, FF, 1, 0, 4, 0, 7, 8, FF}));
  GameImage image(file);
  EXPECT_EQ(image.headerSlot(HeaderSlot::TextChain), 38);
  EXPECT_EQ(poolText(image, HeaderSlot::MessagePool, 4), "A\r\nB");
  EXPECT_EQ(image.length(), 57);
}

TEST(CompilerOutput, ButtonRecordsGroupsAndSlots) {
  auto file = compiled("@BTN, 2,あいう,{\n@JMP,\n}\n@EVTWAIT\n@BTN, 1,x,{\n}\n");
  EXPECT_EQ(codeOf(file), code({131, 53, 0,  0,  0,  1, 0, 1, 6, 7, 10, 0, 0, 8, 9,  //
                                131, FF, FF, FF, FF, 2, 0, 0, 1, 7, 8,  FF}));
  GameImage image(file);
  EXPECT_EQ(image.headerSlot(HeaderSlot::ButtonChain), 38);
  EXPECT_EQ(poolText(image, HeaderSlot::CaptionPool, 7), "\x82\xA0\x82\xA2\x82\xA4x");
}

TEST(CompilerOutput, SaveAndLoadKeepOnlySlotsOneToNinetyNine) {
  EXPECT_EQ(codeOf(compiled("@SAVE, 0\n@SAVE, 5\n@LOAD,100\n@LOAD,99\n@SAVE,-1\n@LOAD,1\n")),
            code({140, 5, 141, 99, 141, 1, FF}));
}

TEST(CompilerOutput, ResourceNamesResolveExactlyOverTheWholeScript) {
  EXPECT_EQ(codeOf(compiled("@CG,forest\n@DEF,CG,forest,forest.BMP\n@CG,Forest\n@CG,\n@DEF,CHR,girl,g.BMP\n"
                            "@MSGW,girl\n@CHR,girl\n@BGM,girl\n")),
            code({129, 1, 0, 2, 1, 0, 6, 0, 129, 0, 0, 129, 0, 0, 16, 1, 0, 1, 0, 142, 1, 0, 137, 1, 0, 6, 0, 0, FF}));
}

TEST(CompilerOutput, SimpleCommandsAndTheirOperands) {
  EXPECT_EQ(codeOf(compiled("@VERSION,1,5\n@TCOLORA\n@TCOLORB, 1,2,3\n@FCOLORL,4,5,6\n@FCOLORD,7,8,9\n"
                            "@EFFECT,3\n@END\n@RET\n@QUICK\n{\n}\n@EVTWAIT\n")),
            code({1, 1, 5, 138, 139, 1, 2, 3, 17, 4, 5, 6, 18, 7, 8, 9, 136, 3, 15, 21, 22, 7, 8, 9, FF}));
}

TEST(CompilerOutput, ConditionsOperationsAndJumps) {
  auto file = compiled(
      "@DEF,PARAM,v\n#,L\n@IFA,v,!=,-5,L\n@IFA,v,<>,3000000000,\n@,v,RND,40000\n@,v,%,1\n"
      "@IFB,v,=,1,&&,w,>,2,\n@SUB,L\n@SUBR,\n@JMP,nowhere\n");
  EXPECT_EQ(codeOf(file),
            code({5,  FF, FF, FF, FF,                                                  //
                  12, 1,  0,  4,  0xFB, FF,   FF, FF,   1, 0,                          // "!=" and -5
                  12, 1,  0,  4,  FF,   FF,   FF, 0x7F, 0, 0,                          // held at the int32 end
                  14, 1,  0,  7,  FF,   0x7F,                                          // RND, held at 32767
                  14, 1,  0,  0,  1,    0,                                             // no such operation
                  13, 1,  0,  1,  1,    0,    0,  0,    1, 0, 0, 2, 2, 0, 0, 0, 0, 0,  // w unknown, no label
                  19, 1,  0,  20, 0,    0,    10, 0,    0, FF}));
}

TEST(CompilerOutput, NumbersAreReadLeadingAndHeldInsideTheirField) {
  EXPECT_EQ(codeOf(compiled("@WAIT,300\n@WAIT,-5\n@WAIT, 2.5\n@WAIT,3.5\n@EFFECT,abc\n@WAIT, 7px\n")),
            code({4, FF, 4, 0, 4, 2, 4, 4, 136, 0, 4, 7, FF}));
  EXPECT_EQ(codeOf(compiled("@GAMEMODE,2\n@GAMEMODE,3\n@GAMEMODE,1\n")), code({11, 1, 11, 0, 11, 0, FF}));
  EXPECT_EQ(codeOf(compiled("@BTN,0,a,{\n}\n@BTN,6,b,{\n}\n@BTN, 5,c,{\n}\n")),
            code({131, 49, 0,  0,  0,  1, 0, 0, 1, 7, 8, 131, 60, 0, 0, 0, 1, 0, 0, 1, 7, 8,  //
                  131, FF, FF, FF, FF, 1, 0, 4, 1, 7, 8, FF}));
}

TEST(CompilerReading, KeywordsInAnyCaseKindWordsInCapitalsOnly) {
  EXPECT_EQ(compiled("@def,CG,f,f.BMP\n@cg,f\n@Jmp,\n"), compiled("@DEF,CG,f,f.BMP\n@CG,f\n@JMP,\n"));
  // A kind word in small letters defines nothing; the elements after it are skipped.
  EXPECT_EQ(codeOf(compiled("@DEF,cg,f,f.BMP\n@CG,f\n")), code({129, 0, 0, FF}));
}

TEST(CompilerReading, TextWithoutBlockConsumesOneElement) {
  EXPECT_EQ(codeOf(compiled("@TEXT,@CG\n@END\n")), code({130, FF, FF, FF, FF, 1, 0, 0, 0, 15, FF}));
  EXPECT_EQ(codeOf(compiled("@TEXT,{\n}\n@TEXT,{\nA\nB")),
            code({130, 49, 0, 0, 0, 1, 0, 0, 0, 7, 8, 130, FF, FF, FF, FF, 2, 0, 4, 0, 7, 8, FF}));
}

TEST(CompilerReading, OperandsAreTakenWhateverTheyHold) {
  // A label named like a command is only a label.
  EXPECT_EQ(codeOf(compiled("#,@END\n@JMP,@END\n")), code({5, FF, FF, FF, FF, 10, 1, 0, FF}));
  // "@CG" without its operand takes the next command word as its name.
  EXPECT_EQ(codeOf(compiled("@DEF,CHR,x,x.BMP\n@CG\n@CHR,x\n")), code({16, 1, 0, 1, 0, 129, 0, 0, FF}));
  // "PARAM" and the variable name are operands, and a "PARAM" after a resource
  // definition declares nothing.
  EXPECT_EQ(codeOf(compiled("@DEF,PARAM,@END\n")), code({FF}));
  EXPECT_EQ(codeOf(compiled("@DEF,CG,a,a.BMP,PARAM,v\n@,v,=,1\n")), code({2, 1, 0, 1, 0, 14, 0, 0, 1, 1, 0, FF}));
}

TEST(CompilerReading, MessageTextNeverDefinesAnything) {
  auto file = compiled("#,A\n@TEXT,{\n#,B\n@DEF,CG,x,x.BMP\n@DEF,PARAM,v\n}\n#,C\n@JMP,C\n@JMP,B\n@,v,=,1\n");
  EXPECT_EQ(codeOf(file), code({5,   54, 0,  0,  0,                       // label 1
                                130, FF, FF, FF, FF, 1, 0,  34, 0, 7, 8,  // the message
                                5,   FF, FF, FF, FF,                      // label 2
                                10,  2,  0,  10, 0,  0, 14, 0,  0, 1, 1, 0, FF}));
}

TEST(CompilerReading, FirstDefinitionWins) {
  EXPECT_EQ(codeOf(compiled("#,A\n#,A\n@JMP,A\n")), code({5, 43, 0, 0, 0, 5, FF, FF, FF, FF, 10, 1, 0, FF}));
  auto file = compiled("@DEF,CG,f,a.BMP\n@DEF,CG,f,bb.BMP\n@CG,f\n@DEF,PARAM,v\n@DEF,PARAM,v\n@,v,=,1\n");
  EXPECT_EQ(codeOf(file), code({2, 1, 0, 1, 0, 2, 2, 0, 2, 0, 129, 1, 0, 14, 1, 0, 1, 1, 0, FF}));
}

TEST(CompilerReading, EveryBaseNameGoesIntoItsPool) {
  auto image = compiledImage("@DEF,CG,a,dir/forest.BMP\n@DEF,CG,b,\n@DEF,CG,c,sea.BMP\n@DEF,BGM,m,x\\表.MID\n");
  EXPECT_EQ(poolText(image, HeaderSlot::CgPool, 9), "forestsea");
  EXPECT_EQ(poolText(image, HeaderSlot::BgmPool, 2), "\x95\x5C");  // 0x5C as a trail byte is no separator
}

TEST(CompilerReading, LineEndsOfEitherKindReadAlike) {
  std::string script = "#,TopPage\n@TEXT,{\nline one\nline two\n}\n@BTN, 1,ok,{\n@JMP,TopPage\n}\n@EVTWAIT\n";
  std::string lf = platform::encodeSjis(script);
  EXPECT_EQ(compileScriptText(lf), compiled(script));
}

TEST(CompilerReading, LongCaptionsAndTextsAreCutAtCharacterBoundaries) {
  std::string caption(254, 'x');
  caption += "あ";
  std::string longText(40000, 'y');
  auto image = compiledImage("@BTN, 1," + caption + ",{\n}\n@TEXT,{\n" + longText + "\n}\n@TEXT,{\nafter\n}\n");
  auto button = image.headerSlot(HeaderSlot::ButtonChain).value();
  EXPECT_EQ(image.byteAt(button + 7), 254);
  auto tables = gamefile::loadTextTables(image);
  EXPECT_EQ(tables.caption(0, 1), std::string(254, 'x'));
  EXPECT_EQ(tables.message(1), std::string(32767, 'y'));
  EXPECT_EQ(tables.message(2), "after");  // the pool holds exactly what the records announce
}

TEST(CompilerReading, FileNamesFollowTheLastSeparator) {
  EXPECT_EQ(scriptFileName("C:\\pic\\forest.BMP"), "forest.BMP");
  EXPECT_EQ(scriptFileName("pic/forest.BMP"), "forest.BMP");
  EXPECT_EQ(scriptFileName("pic\\"), "");
}

}  // namespace
}  // namespace pryx::script
