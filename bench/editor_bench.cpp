// The editor with a project of 10,000 pages, the most it holds: opening the file
// into the frame (the model, its lists in the views, the windows shown) and
// closing it again, on Qt's off-screen platform. The peak resident memory of the
// whole run is reported beside the times.

#include "editor/editor_frame.h"
#include "player/music/fluid_sequencer.h"
#include "project/project_file.h"
#include "tests/support/sample_projects.h"
#include "tests/support/scripted_dialogs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace {

using namespace pryx;

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void openAndCloseTenThousandPages(benchmark::State& state) {
  QTemporaryDir folder;
  std::string path = folder.filePath("large.PXK").toStdString();
  std::ofstream(path, std::ios::binary)
      << project::encodeProjectFile(project::samples::sampleProject({.pages = project::kMaxPages, .seed = 11})).bytes;
  testing::ScriptedDialogs dialogs;
  std::ostringstream notices;
  player::FluidSequencer silent({}, player::AudioOutput::Memory, notices);
  editor::EditorFrame frame({&dialogs, &silent, {}});
  frame.show();
  for (auto _ : state) {
    frame.openFromCommandLine(QString::fromStdString(path));
    QCoreApplication::processEvents();  // the views lay out and paint what they show
    dialogs.answers = {editor::Answer::Ok};
    frame.actions().file_close->trigger();
    QCoreApplication::processEvents();
  }
  state.counters["peak_MB"] = peakMegabytes();
}

BENCHMARK(openAndCloseTenThousandPages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
