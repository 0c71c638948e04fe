// zotra-batch: the suite's steps without windows, for scripts and tests.
//   zotra-batch [--folder DIR] COMMAND [ARGUMENTS...]
// --folder names the program folder (default: the folder of zotra-batch).
#include "BatchCommand.h"

#include "common/Files.h"
#include "common/Frame.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

void PrintUsage() {
  zotra::PrintLine(QStringLiteral("使い方: zotra-batch [--folder DIR] COMMAND [ARGUMENTS...]"));
  for (const zotra::BatchCommandInfo& c : zotra::BatchCommands()) zotra::PrintLine(QStringLiteral("  ") + c.usage);
}

// Qt's own notices (font cache, runtime folder) are not the tool's messages:
// standard error carries only the suite's messages, one line each.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg || !qEnvironmentVariableIsEmpty("ZOTRA_DEBUG")) {
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
  }
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQtMessages);
  // Printing needs the GUI module; without a display it draws off screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("zotra-batch"));

  std::unique_ptr<zotra::Dialogs> dialogs = zotra::ScriptedDialogs::FromEnvironment();
  if (!dialogs) dialogs = std::make_unique<zotra::ConsoleDialogs>();
  dialogs->SetDefaultTitle(QStringLiteral("zotra-batch"));
  zotra::SetCurrentDialogs(dialogs.get());

  QStringList args = QCoreApplication::arguments().mid(1);
  QString folder = zotra::Frame::ExecutableFolder();
  while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
    const QString option = args.takeFirst();
    if (option == QLatin1String("--folder") && !args.isEmpty()) {
      folder = QFileInfo(args.takeFirst()).absoluteFilePath();
    } else if (option == QLatin1String("--help")) {
      PrintUsage();
      return 0;
    } else {
      dialogs->Tell(QStringLiteral("不明なオプションです: ") + option);
      return 1;
    }
  }
  if (args.isEmpty()) {
    PrintUsage();
    return 1;
  }
  if (!zotra::FolderExists(folder)) {
    dialogs->Tell(QStringLiteral("フォルダが見つかりません: ") + folder);
    return 1;
  }
  const QString name = args.takeFirst();
  for (const zotra::BatchCommandInfo& c : zotra::BatchCommands()) {
    if (c.name == name) {
      zotra::BatchContext context{QDir::cleanPath(folder), args, *dialogs};
      const int status = c.run(context);
      zotra::SetCurrentDialogs(nullptr);
      return status;
    }
  }
  dialogs->Tell(QStringLiteral("不明なコマンドです: ") + name);
  PrintUsage();
  return 1;
}
