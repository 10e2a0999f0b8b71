#include "platform/distribution_files.h"

#include "platform/paths.h"

namespace pryx::platform {

DistributionFiles::DistributionFiles(std::string folder, std::string gameName)
    : folder_(std::move(folder)), gameName_(std::move(gameName)) {}

std::string DistributionFiles::playerCopyName() const { return gameName_ + std::string(kExecutableSuffix); }

std::string DistributionFiles::gameFilePath() const {
  return GetPath(folder_, gameName_ + std::string(kGameFileSuffix));
}

bool DistributionFiles::isKitFileName(std::string_view fileName) const {
  return equalIgnoringAsciiCase(fileName, gameName_ + std::string(kGameFileSuffix)) ||
         equalIgnoringAsciiCase(fileName, playerCopyName()) ||
         equalIgnoringAsciiCase(fileName, kDisplayLibraryFileName);
}

FileCopy DistributionFiles::copyResource(std::string source, std::string_view fileName, bool keepExisting) const {
  std::string target = GetPath(folder_, fileName);
  if (isKitFileName(fileName)) {
    return {std::move(source), std::move(target), CopyOutcome::Failed,
            std::string(kResourceNameTakenText) + std::string(fileName), true};
  }
  return recordedCopy(std::move(source), std::move(target), keepExisting);
}

std::vector<FileCopy> DistributionFiles::copyProgramFiles(std::string_view programFolder, bool keepExisting) const {
  std::vector<FileCopy> copies;
  copies.push_back(
      recordedCopy(GetPath(programFolder, playerProgramFileName()), GetPath(folder_, playerCopyName()), keepExisting));
  copies.push_back(recordedCopy(GetPath(programFolder, kDisplayLibraryFileName),
                                GetPath(folder_, kDisplayLibraryFileName), keepExisting));
  return copies;
}

}  // namespace pryx::platform
