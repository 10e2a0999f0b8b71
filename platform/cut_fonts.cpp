#include "platform/cut_fonts.h"

namespace pryx::platform {
namespace {

constexpr std::string_view kLicenceFile = "IPA_Font_License.txt";
constexpr std::string_view kOriginals = "https://moji.or.jp/ipafont/";

}  // namespace

std::string cutFontNote(std::span<const CutFont* const> fonts) {
  std::string cut, whole;
  for (const CutFont* font : fonts) {
    cut += "  " + std::string(font->file) + " (" + std::string(font->name.family) + "): " +
           std::string(font->wholeFamily) + " (" + std::string(font->wholeFile) + ")\n";
    whole += (whole.empty() ? "" : ", ") + std::string(font->wholeFile);
  }
  const std::string licence(kLicenceFile), originals(kOriginals);
  return "このフォルダーの次のフォントは、IPAフォントをこのゲームが表示する文字だけに切り詰めた派生フォントです。\n" + cut +
         "IPAフォントライセンスv1.0（" + licence + "）の下で配布されます。元のフォントに戻すには、" + originals +
         " から入手した " + whole +
         " をこのフォルダーに置いてください。プレイヤーは元のフォントがあればそれを使います（派生フォントは削除してかまいません）。\n\n"
         "The following fonts of this folder are derived from the IPA fonts, cut down to the characters "
         "this game shows:\n" +
         cut + "They are distributed under the IPA Font License v1.0 (" + licence +
         "). To go back to the original fonts, put " + whole + " from " + originals +
         " into this folder: the player uses an original font wherever it finds one (the derived fonts may then be "
         "deleted).\n";
}

}  // namespace pryx::platform
