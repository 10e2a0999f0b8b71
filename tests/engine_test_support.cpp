#include "engine_test_support.h"

#include "platform/paths.h"
#include "platform/progress.h"
#include "player/gamefile/chains.h"
#include "script/compiler.h"
#include "script_test_support.h"

namespace pryx::player::testing {

std::int64_t ClockedEvents::momentOf(std::string_view what) const {
  for (const Event& event : events_) {
    if (event.what == what) return event.at;
  }
  return -1;
}

void ClockedEvents::waitStarted(std::int32_t, WaitKind kind) {
  static const char* const kNames[] = {"wait prompt", "wait page", "wait click", "wait choice"};
  note(kNames[static_cast<int>(kind)]);
}

std::unique_ptr<GameRun> GameRun::fromScript(std::string_view utf8Script, std::string name) {
  return fromBytes(script::testing::compiled(utf8Script), std::move(name));
}

std::unique_ptr<GameRun> GameRun::fromBytes(std::vector<std::uint8_t> gameFile, std::string name) {
  return std::unique_ptr<GameRun>(new GameRun(std::move(gameFile), std::move(name)));
}

GameRun::GameRun(std::vector<std::uint8_t> gameFile, std::string name) : gameFile_(std::move(gameFile)) {
  std::string gamePath = write(name + ".PRY", QByteArray(reinterpret_cast<const char*>(gameFile_.data()),
                                                         static_cast<qsizetype>(gameFile_.size())));
  location_ = locationOfGameFile(gamePath);
  observers_.add(host);
  observers_.add(traceWriter_);
  observers_.add(clocked);
}

std::int32_t GameRun::labelPosition(int label) const {
  auto chain = gamefile::loadLabelChain(gamefile::GameImage(gameFile_));
  if (label < 1 || static_cast<std::size_t>(label) > chain.positions.size()) return -1;
  return chain.positions[static_cast<std::size_t>(label - 1)] - 1;
}

std::string GameRun::write(const std::string& fileName, const QByteArray& bytes) const {
  return folder_.write(fileName, bytes);
}

std::string GameRun::writePicture(const std::string& fileName, const QImage& picture) const {
  if (fileName.ends_with(".BMP") || fileName.ends_with(".bmp")) return write(fileName, bmpFile(picture));
  std::string path = folder_.path(fileName);
  picture.save(QString::fromStdString(path), "JPG", 100);
  return path;
}

bool SampleDistribution::buildSample(const std::string& script, const std::string& folder) {
  script::CompileRequest request;
  request.scriptPath = kSampleFolder + "/" + script;
  request.distributionFolder = folder;
  request.name = "tsukiyo";
  request.programFolder = folder;
  platform::SilentProgress progress;
  return script::progcompile(request, progress).gameFileWritten;
}

void GameRun::followRoute(headless::Route route) { pendingRoute_ = std::make_unique<headless::Route>(route); }

Player& GameRun::player() {
  if (!player_) {
    auto image = readGameFile(gameFilePath(location_));
    PlayerOptions options;
    options.observer = &observers_;
    options.instructionLimit = instructionLimit;
    player_ = std::make_unique<Player>(host.host(clock, sequencer, display), location_,
                                       image.value_or(gamefile::GameImage()), options);
    host.attach(*player_);
    if (pendingRoute_) route_ = std::make_unique<headless::RouteDriver>(host, *player_, *pendingRoute_);
  }
  return *player_;
}

RunEnd GameRun::run() { return player().run(); }

std::vector<std::string> GameRun::trace(std::string_view event) const {
  std::vector<std::string> lines;
  std::istringstream in(traceText_.str());
  std::string wanted = "{\"event\":\"" + std::string(event) + "\"";
  for (std::string line; std::getline(in, line);) {
    if (event.empty() || line.starts_with(wanted)) lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> GameRun::messageTexts() const {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& request : host.messages()) texts.push_back(request.text);
  return texts;
}

std::int64_t numberField(const std::string& line, std::string_view key) {
  std::string marker = "\"" + std::string(key) + "\":";
  auto at = line.find(marker);
  return at == std::string::npos ? 0 : std::stoll(line.substr(at + marker.size()));
}

std::vector<std::int64_t> numberFields(const std::vector<std::string>& lines, std::string_view key) {
  std::vector<std::int64_t> numbers;
  for (const std::string& line : lines) numbers.push_back(numberField(line, key));
  return numbers;
}

std::vector<std::uint8_t> rawGame(const std::vector<std::uint8_t>& code) {
  std::vector<std::uint8_t> file = {'P', 'R', 'Y', 'X'};
  auto poolStart = static_cast<std::uint32_t>(37 + code.size());
  for (int pool = 0; pool < 5; ++pool) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(poolStart >> (8 * i)));
  }
  for (int chain = 0; chain < 3; ++chain) file.insert(file.end(), 4, 0xFF);
  file.insert(file.end(), code.begin(), code.end());
  return file;
}

headless::Route clickThrough(std::vector<int> choices) {
  headless::Route route;
  route.choices = std::move(choices);
  return route;
}

}  // namespace pryx::player::testing
