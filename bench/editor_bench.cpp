// The editor with a project of 10,000 pages, the most it holds, on Qt's off-screen
// platform: opening the file into the frame (the model, its lists in the views, the
// windows shown) and closing it; choosing a page; typing a character into the
// message window; deleting page 1 with every view following. The peak resident
// memory of the whole run is reported beside the times.

#include "authoring/page_operations.h"
#include "editor/editor_frame.h"
#include "editor/message_window.h"
#include "player/music/fluid_sequencer.h"
#include "project/project_file.h"
#include "tests/support/sample_projects.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <sys/resource.h>

namespace {

using namespace pryx;

double peakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Declines every question: the sample's pictures do not exist, and their removal is never wanted here.
class Declining final : public editor::Dialogs {
 public:
  editor::Answer show(const project::Message&) override { return editor::Answer::Cancel; }
  std::optional<std::string> input(const project::InputRequest&) override { return std::nullopt; }
  std::optional<std::string> openFile(const project::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> saveFile(const project::FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::int32_t> chooseColour(std::int32_t) override { return std::nullopt; }
};

// The editor with the large project's file at hand.
struct Editor {
  QTemporaryDir folder;
  std::string path = folder.filePath("large.PXK").toStdString();
  Declining dialogs;
  std::ostringstream notices;
  player::FluidSequencer silent{{}, player::AudioOutput::Memory, notices};
  editor::EditorFrame frame{{&dialogs, &silent, {}}};

  Editor() {
    std::ofstream(path, std::ios::binary)
        << project::encodeProjectFile(project::samples::sampleProject({.pages = project::kMaxPages, .seed = 11})).bytes;
    frame.show();
  }
  void open() { frame.openFromCommandLine(QString::fromStdString(path)); }
};

std::unique_ptr<Editor> editorInstance;  // goes before the application does

Editor& openEditor() {
  if (!editorInstance) editorInstance = std::make_unique<Editor>();
  if (!editorInstance->frame.files().isOpen()) editorInstance->open();
  return *editorInstance;
}

void openAndCloseTenThousandPages(benchmark::State& state) {
  Editor& editor = openEditor();
  for (auto _ : state) {
    if (!editor.frame.files().isOpen()) editor.open();
    QCoreApplication::processEvents();  // the views lay out and paint what they show
    editor.frame.files().close(false);
    QCoreApplication::processEvents();
  }
  state.counters["peak_MB"] = peakMegabytes();
}

void choosePage(benchmark::State& state) {
  Editor& editor = openEditor();
  int page = 1;
  for (auto _ : state) {
    page = page == 1 ? 5000 : 1;
    editor.frame.state().setCurrentPage(page);
    QCoreApplication::processEvents();
  }
}

void typeOneCharacter(benchmark::State& state) {
  Editor& editor = openEditor();
  editor.frame.state().setCurrentPage(1);
  QPlainTextEdit* text = editor.frame.messageWindow()->textBox();
  for (auto _ : state) {
    text->insertPlainText(QStringLiteral("月"));
    QCoreApplication::processEvents();
  }
}

void deleteFirstPage(benchmark::State& state) {
  Editor& editor = openEditor();
  project::ProjectDocument& document = *editor.frame.files().document();
  platform::SilentProgress progress;
  editor.frame.state().setCurrentPage(1);
  for (auto _ : state) {
    authoring::deletePage(document, 1, progress);
    QCoreApplication::processEvents();
    state.PauseTiming();
    document.undo();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}

BENCHMARK(openAndCloseTenThousandPages)->Unit(benchmark::kMillisecond);
BENCHMARK(choosePage)->Unit(benchmark::kMillisecond);
BENCHMARK(typeOneCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK(deleteFirstPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the recent files stay out of the user's settings
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  editorInstance.reset();
  return 0;
}
