#include "Frame.h"

#include "Dialogs.h"
#include "Files.h"
#include "Text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

namespace zotra {

Frame::Frame(Program program, const QString& folder, QString commandLine)
    : program_(program),
      folder_(WithSeparator(folder)),
      commandLine_(std::move(commandLine)),
      settings_(folder_, program) {}

QString Frame::ExecutableFolder() { return QCoreApplication::applicationDirPath(); }

QString Frame::ProcessCommandLine() {
  QStringList args = QCoreApplication::arguments();
  if (!args.isEmpty()) args.removeFirst();
  return args.join(QLatin1Char(' '));
}

QString Frame::Path(const QString& name) const { return ResolveInFolder(folder_, name); }

bool Frame::CheckStartedFromMenu(Dialogs& dialogs) const {
  const StartRule rule = StartRuleOf(program_);
  if (!rule.required || commandLine_.size() >= rule.minimumLength) return true;
  dialogs.Tell(rule.message, Name());
  return false;
}

QString Frame::LocateEnvironmentFile(Dialogs& dialogs) const {
  if (program_ == Program::Extract) {
    // The extraction takes the name from its command line when the settings
    // hold none, and says so in its own words.
    const QString name = ReadSetting(QStringLiteral("CFG"), commandLine_.mid(1));
    const QString path = Path(name);
    if (name.isEmpty() || !FileExists(path)) {
      dialogs.Tell(QStringLiteral("環境ﾌｧｲﾙ ") + folder_ + name + QStringLiteral(" が見つからない為実行できません"),
                   Name());
      return {};
    }
    return path;
  }
  const QString name = ReadSetting(QStringLiteral("CFG"), QString());
  const QString path = name.isEmpty() ? folder_ : Path(name);
  if (!FileExists(path)) {
    dialogs.Tell(QStringLiteral("環境ファイル ") + path + QStringLiteral(" が見つかりません"), Name());
    return {};
  }
  return path;
}

QString Frame::LocateDefinitionFile(const QString& defaultName) const {
  return Path(ReadSetting(QStringLiteral("TST"), defaultName));
}

bool Frame::StartProgram(Program program, const QStringList& arguments) const {
  return StartDetached(Path(ProgramExecutable(program)), arguments, folder_);
}

bool Frame::StartMenu() const {
  return StartProgram(Program::Menu, MenuRestartArguments(program_, commandLine_));
}

QString StationFolderName(const QString& callSign) {
  const QString call = Upper(ToNarrow(TrimBlanks(callSign)));
  const int slash = call.indexOf(QLatin1Char('/'));
  if (slash < 0) return call;
  const double position = slash + 1;  // counted from 1
  if (position <= call.size() / 2.0) return call.mid(slash + 1);
  return call.left(slash);
}

namespace {

// A folder name that stays inside its folder and names a folder everywhere.
bool FitFolderName(const QString& name) {
  static const QString kUnfit = QStringLiteral("\\/:*?\"<>|");
  if (name.count(QLatin1Char('.')) == name.size()) return false;  // empty, ".", "..", "..."
  for (const QChar c : name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7f || kUnfit.contains(c)) return false;
  }
  return true;
}

}  // namespace

QString StationFolderProblem(const QString& callSign) {
  const QString call = TrimBlanks(callSign);
  if (call.isEmpty()) {
    return QStringLiteral("コールサインが設定されていないので 局のフォルダが作れません\n"
                          "コンテストの設定でコールサインを入れてください");
  }
  const QString name = StationFolderName(call);
  if (FitFolderName(name)) return {};
  return QStringLiteral("コールサイン ") + call + QStringLiteral(" からは局のフォルダが作れません\n") +
         (name.isEmpty() ? QStringLiteral("フォルダ名が空になります\n")
                         : QStringLiteral("フォルダ名 ") + name +
                               QStringLiteral(" は プログラムのフォルダの外を指すか フォルダ名に使えない文字を含んでいます\n")) +
         QStringLiteral("コンテストの設定でコールサインを直してください");
}

QString StationFolderPath(const QString& folder, const QString& callSign, const QString& suffix) {
  if (!StationFolderProblem(callSign).isEmpty()) return {};
  return ResolveInFolder(folder, StationFolderName(callSign) + suffix);
}

bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) {
  const QString log = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZOTRA_START_LOG"));
  if (!log.isEmpty()) {
    QFile f(log);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    f.write((QStringList{program} + arguments).join(QLatin1Char('\t')).toUtf8());
    f.write("\n");
    return true;
  }
  return QProcess::startDetached(program, arguments, workingFolder);
}

}  // namespace zotra
