#include "editor/frame_actions.h"

#include "editor/accessible.h"

#include <QMenuBar>
#include <QStyle>
#include <QToolButton>

namespace pryx::editor {
namespace {

struct ButtonSpec {
  int number;
  const char* key;
  const char* toolTip;
  QStyle::StandardPixmap icon;
};

constexpr ButtonSpec kButtons[] = {
    {1, "file_new", "新規作成", QStyle::SP_FileIcon},
    {2, "file_open", "ファイルを開く", QStyle::SP_DialogOpenButton},
    {4, "file_saveas", "ファイルに名前を付けて保存", QStyle::SP_DriveFDIcon},
    {5, "file_save", "ファイルの上書き保存", QStyle::SP_DialogSaveButton},
    {7, "mainwindow", "メインウィンドウの表示", QStyle::SP_DesktopIcon},
    {8, "messagewindow", "メッセージウィンドウの表示", QStyle::SP_FileDialogDetailedView},
    {9, "commandwindow", "コマンドウィンドウの表示", QStyle::SP_FileDialogListView},
    {10, "eventwindow", "イベント設定ウィンドウの表示", QStyle::SP_FileDialogInfoView},
    {12, "run", "実行（デバッグ）", QStyle::SP_MediaPlay},
    {13, "stop", "停止（デバッグ）", QStyle::SP_MediaStop},
    {14, "play", "プレイヤーで実行", QStyle::SP_MediaSeekForward},
    {15, "storymap", "ストーリーマップの表示", QStyle::SP_FileDialogContentsView},
};

}  // namespace

QAction* namedItem(QMenu* menu, const char* name, const QString& caption, bool checkable) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(checkable);
  return action;
}

QMenu* namedMenu(QMenuBar* bar, const char* name, const QString& caption) {
  QMenu* added = bar->addMenu(caption);
  added->setObjectName(name);
  added->menuAction()->setObjectName(name);
  return added;
}

void setUsable(QAction* button, bool usable) {
  button->setEnabled(usable);
  button->setChecked(!usable);
}

FrameActions buildFrameActions(QMainWindow& frame) {
  FrameActions a;
  QMenuBar* bar = frame.menuBar();

  a.file = namedMenu(bar, "file", QStringLiteral("ファイル(&F)"));
  a.file_new = namedItem(a.file, "file_new", QStringLiteral("新規作成(&N)"));
  a.file_open = namedItem(a.file, "file_open", QStringLiteral("開く(&O)"));
  a.file->addSeparator()->setObjectName("file_sepa1");
  a.file_saveas = namedItem(a.file, "file_saveas", QStringLiteral("名前を付けて保存(&N)"));
  a.file_save = namedItem(a.file, "file_save", QStringLiteral("上書き保存(&S)"));
  a.file->addSeparator()->setObjectName("file_sepa2");
  a.file_close = namedItem(a.file, "file_close", QStringLiteral("閉じる(&C)"));
  a.file->addSeparator()->setObjectName("file_sepa3");
  a.file_recent = a.file->addMenu(QStringLiteral("最近使ったファイル(&R)"));
  a.file_recent->setObjectName("file_recent");
  a.file->addSeparator();
  a.file_end = namedItem(a.file, "file_end", QStringLiteral("プログラムの終了(&E)"));

  a.edit = namedMenu(bar, "edit", QStringLiteral("編集(&E)"));
  a.edit_undo = namedItem(a.edit, "edit_undo", QStringLiteral("元に戻す(&U)"));
  a.edit_undo->setShortcuts(QKeySequence::Undo);
  a.edit_redo = namedItem(a.edit, "edit_redo", QStringLiteral("やり直し(&R)"));
  a.edit_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  a.edit->addSeparator();
  a.edit_find = namedItem(a.edit, "edit_find", QStringLiteral("検索と置換(&F)"));
  a.edit_find->setShortcut(QKeySequence::Find);
  a.edit_find->setShortcutContext(Qt::ApplicationShortcut);  // also from the page list and the map

  a.view = namedMenu(bar, "view", QStringLiteral("表示(&V)"));
  a.view_main = namedItem(a.view, "view_main", QStringLiteral("メインウインドウ(&M)"), true);
  a.view_text = namedItem(a.view, "view_text", QStringLiteral("メッセージウインドウ(&T)"), true);
  a.view_command = namedItem(a.view, "view_command", QStringLiteral("コマンド入力ウインドウ(&C)"), true);
  a.view_event = namedItem(a.view, "view_event", QStringLiteral("イベント設定ウインドウ(&E)"), true);
  a.view_map = namedItem(a.view, "view_map", QStringLiteral("ストーリーマップ(&S)"), true);

  a.project = namedMenu(bar, "project", QStringLiteral("プロジェクト(&P)"));
  a.project_run = namedItem(a.project, "project_run", QStringLiteral("実行(&R)"));
  a.project_play = namedItem(a.project, "project_play", QStringLiteral("プレイヤーで実行(&G)"));
  a.project_pac = namedItem(a.project, "project_pac", QStringLiteral("配布用ファイルの作成(&X)"));
  a.project->addSeparator()->setObjectName("project_sepa1");
  a.project_option = namedItem(a.project, "project_option", QStringLiteral("オプション(&O)"));

  a.tool = namedMenu(bar, "tool", QStringLiteral("ツール(&T)"));
  a.tool_pro = namedItem(a.tool, "tool_pro", QStringLiteral("非ＧＵＩモード(&P)"));

  a.window = namedMenu(bar, "window", QStringLiteral("ウィンドウ(&W)"));
  a.window_reset = namedItem(a.window, "window_reset", QStringLiteral("再配置(&R)"));
  a.window->addSeparator()->setObjectName("window_sepa");
  a.window_main = namedItem(a.window, "window_main", QStringLiteral("メインウィンドウ"), true);
  a.window_message = namedItem(a.window, "window_message", QStringLiteral("メッセージウィンドウ"), true);
  a.window_command = namedItem(a.window, "window_command", QStringLiteral("コマンド入力ウィンドウ"), true);
  a.window_event = namedItem(a.window, "window_event", QStringLiteral("イベント設定ウィンドウ"), true);
  a.window_map = namedItem(a.window, "window_map", QStringLiteral("ストーリーマップ"), true);

  a.version = bar->addAction(QStringLiteral("バージョン情報(&V)"));
  a.version->setObjectName("version");

  a.Menu = new QMenu(QStringLiteral("メニュー"), &frame);
  a.Menu->setObjectName("Menu");
  a.Menu_Next = namedItem(a.Menu, "Menu_Next", QStringLiteral("次のページへ→"));
  a.Menu_Last = namedItem(a.Menu, "Menu_Last", QStringLiteral("←前のページへ"));
  a.Menu->addSeparator()->setObjectName("Menu_Sepa");
  a.Menu_ZORVEX = namedItem(a.Menu, "Menu_ZORVEX", QStringLiteral("ZORVEX"), true);

  a.Toolbar1 = frame.addToolBar(QStringLiteral("ツールバー"));
  a.Toolbar1->setObjectName("Toolbar1");
  a.Toolbar1->setMovable(false);
  int number = 1;
  for (const ButtonSpec& spec : kButtons) {
    for (; number < spec.number; ++number) a.Toolbar1->addSeparator();
    QAction* button = a.Toolbar1->addAction(frame.style()->standardIcon(spec.icon), QString::fromUtf8(spec.toolTip));
    button->setObjectName(spec.key);
    button->setToolTip(QString::fromUtf8(spec.toolTip));
    button->setCheckable(true);  // pressed while unusable
    if (auto* tool = qobject_cast<QToolButton*>(a.Toolbar1->widgetForAction(button))) {
      tool->setObjectName(spec.key);
      describe(tool, button->toolTip(), button->toolTip());
    }
    a.buttons[static_cast<std::size_t>(spec.number)] = button;
    ++number;
  }
  return a;
}

}  // namespace pryx::editor
