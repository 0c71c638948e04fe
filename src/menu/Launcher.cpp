#include "Launcher.h"

#include "Environment.h"
#include "Platform.h"
#include "common/Dialogs.h"
#include "common/Files.h"
#include "common/ListFile.h"
#include "common/Settings.h"
#include "common/Text.h"

#include <QDir>
#include <QFileInfo>

namespace zotra {
namespace {

struct HostFileKind {
  QString key;          // the setting
  QString notFound;     // first line of the question at the start
  QString filter;
  QString defaultName;  // the dialog's file name when none is set
  QStringList endings;  // accepted endings, upper case
};

HostFileKind KindOf(HostFile file) {
  if (file == HostFile::Logbook) {
    return {QStringLiteral("MARQEN"), QStringLiteral("MARQEN ﾌｧｲﾙが見つかりません"),
            QStringLiteral("Marqen Ver4.x(*.DBS), Marqen Ver5.x(*.HDB)|*.DBS;*.HDB"),
            QStringLiteral("MARQEN.HDB"), {QStringLiteral(".DBS"), QStringLiteral(".HDB")}};
  }
  return {QStringLiteral("MST"), QStringLiteral("MARQEN.Mst ﾌｧｲﾙが見つかりません"),
          QStringLiteral("Marqen (*.MST)|*.MST"), QStringLiteral("MARQEN.MST"), {QStringLiteral(".MST")}};
}

const QString kUnset = QStringLiteral("ERR");

bool HasEnding(const QString& path, const QStringList& endings) {
  const QString upper = Upper(path);
  for (const QString& e : endings) {
    if (upper.endsWith(e)) return true;
  }
  return false;
}

// The folder part of a path, up to and including its last separator; empty
// for a bare name.
QString FolderPart(const QString& path) {
  const int cut = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
  return cut < 0 ? QString() : path.left(cut + 1);
}

}  // namespace

MenuLauncher::MenuLauncher(const Frame& frame, Dialogs& dialogs) : frame_(frame), dialogs_(dialogs) {}

void MenuLauncher::MigrateSettings() const {
  if (frame_.ReadSetting(QStringLiteral("Ver"), kUnset) == QLatin1String("4.1")) {
    frame_.WriteSetting(QStringLiteral("Tst"), QStringLiteral("ZOTRAW.TST"));
  }
  frame_.WriteSetting(QStringLiteral("Ver"), QString::fromLatin1(kSettingsVersion));
}

bool MenuLauncher::ChooseEnvironment() {
  environmentName_ = ChooseEnvironmentFile(frame_.Folder());
  if (environmentName_.isEmpty()) {
    dialogs_.Tell(MissingEnvironmentMessage(frame_.Folder()), QStringLiteral("ZOTRAM"));
    return false;
  }
  frame_.WriteSetting(QStringLiteral("Cfg"), environmentName_);
  return true;
}

QString MenuLauncher::EnvironmentPath() const { return frame_.Path(environmentName_); }

bool MenuLauncher::Prepare() {
  if (LocateHostFile(HostFile::Logbook, true) == Located::Quit) return false;
  if (LocateHostFile(HostFile::Master, true) == Located::Quit) return false;
  CheckEnvironmentFile(EnvironmentPath(), frame_.Folder(), dialogs_);
  RecheckHostFiles();
  EnsurePointsFile();
  FindStationFolders();
  return true;
}

QString MenuLauncher::HostFilePath(HostFile file) const {
  const QString path = frame_.ReadSetting(KindOf(file).key, kUnset);
  return path == kUnset ? QString() : path;
}

void MenuLauncher::RecheckHostFiles() {
  logbookFound_ = FileExists(frame_.ReadSetting(KindOf(HostFile::Logbook).key, kUnset));
  masterFound_ = FileExists(frame_.ReadSetting(KindOf(HostFile::Master).key, kUnset));
  spreadsheetEnabled_ = DataStepsEnabled() && !SpreadsheetProgram(frame_.Folder()).isEmpty();
}

QString MenuLauncher::DataStepsOffReason() const {
  if (logbookFound_ && masterFound_) return {};
  QString what;
  QString where;
  if (!logbookFound_ && !masterFound_) {
    what = QStringLiteral("MARQEN のデータファイル (.HDB / .DBS) とマスターファイル (.MST)");
    where = QStringLiteral("「Marqen.DBS /HDB 設定」と「Marqen.Mst 設定」");
  } else if (!logbookFound_) {
    what = QStringLiteral("MARQEN のデータファイル (.HDB / .DBS)");
    where = QStringLiteral("「Marqen.DBS /HDB 設定」");
  } else {
    what = QStringLiteral("MARQEN のマスターファイル (.MST)");
    where = QStringLiteral("「Marqen.Mst 設定」");
  }
  return what + QStringLiteral(" が見つからないため使えません\nOption の ") + where +
         QStringLiteral(" で指定すると使えるようになります");
}

QString MenuLauncher::SpreadsheetOffReason() const {
  if (spreadsheetEnabled_) return {};
  if (!DataStepsEnabled()) return DataStepsOffReason();
  return QStringLiteral("Excel と プログラムフォルダの ") + SpreadsheetWorkbookName() +
         QStringLiteral(" がそろっているときに使えます");
}

Located MenuLauncher::LocateHostFile(HostFile file, bool atStart) {
  const Located located = FindHostFile(file, atStart);
  if (!atStart) RecheckHostFiles();
  return located;
}

Located MenuLauncher::FindHostFile(HostFile file, bool atStart) {
  const HostFileKind kind = KindOf(file);
  bool& found = file == HostFile::Logbook ? logbookFound_ : masterFound_;
  if (atStart) {
    // A folder, a missing drive or an unreadable file all count as not found.
    found = FileExists(frame_.ReadSetting(kind.key, kUnset));
    if (found) return Located::Found;
    const Button answer = dialogs_.Ask(kind.notFound + QStringLiteral("\n探して指定しますか？"), Buttons::YesNoCancel);
    if (answer == Button::Cancel) return Located::Quit;
    if (answer == Button::No) return Located::NotFound;
  }
  for (;;) {
    const QString current = frame_.ReadSetting(kind.key, kUnset);
    FileDialogRequest request;
    request.title = QStringLiteral("Marqen ﾌｧｲﾙを定義します");
    request.filter = kind.filter;
    if (current == kUnset) {
      request.folder = HostLogbookStartFolder();
      request.fileName = kind.defaultName;
    } else {
      const QFileInfo info(current);
      request.folder = FolderExists(info.path()) ? info.path() : HostLogbookStartFolder();
      request.fileName = info.fileName();
    }
    const std::optional<QString> chosen = dialogs_.OpenFile(request);
    if (!chosen) return found ? Located::Found : Located::NotFound;
    if (!HasEnding(*chosen, kind.endings) || !FileExists(*chosen)) continue;
    const QString path = QDir::toNativeSeparators(QFileInfo(*chosen).absoluteFilePath());
    if (Cp932Length(path) > kSettingValueBytes) {
      // The settings keep 127 bytes of a value: a longer path would be lost.
      dialogs_.Tell(QStringLiteral("ファイルのパスが長すぎて設定に保存できません\n") + path +
                    QStringLiteral("\n127 バイト以内のパスのフォルダに置いてください"));
      continue;
    }
    frame_.WriteSetting(kind.key, path);
    found = true;
    return Located::Found;
  }
}

LibraryCheck MenuLauncher::CheckLibrary() const {
  LibraryCheck check;
  check.required = ReadRequiredLibraryDate(EnvironmentPath());
  // Without a logbook location there is no folder to look in.
  const QString folder = FolderPart(frame_.ReadSetting(QStringLiteral("MARQEN"), kUnset));
  check.path = folder.isEmpty() ? QStringLiteral("Marqen50.dll") : ResolveInFolder(folder, QStringLiteral("Marqen50.dll"));
  if (folder.isEmpty() || !FileExists(check.path)) return check;
  check.date = FileCreationDate(check.path);
  check.state = check.date < check.required ? LibraryState::Old : LibraryState::Current;
  return check;
}

QString MenuLauncher::MissingLibraryMessage() {
  return QStringLiteral("MARQEN.HDB ファイルのフォルダに MARQEN50.DLL ファイルが見つかりません");
}

QString MenuLauncher::LibraryWarningTitle() { return QStringLiteral("MARQEN50.dll 警告"); }

QString MenuLauncher::LibraryWarningText() {
  return QStringLiteral(
      "警告\n"
      "この ZOTRA では 指定された MARQEN.HDB フォルダ内にある\n"
      "MARQEN50.DLL を使用します\n"
      "使用している MARQEN50.DLL は ZOTRA で想定しているものより古いものです\n"
      "もっと新しいものを使用されることを推奨いたします\n"
      "新しい MARQEN50.DLL は MARQEN の最新版をインストールすると\n"
      "MARQEN{ インストールにフォルダにコピーされます");
}

bool MenuLauncher::StartStep(Program program) const {
  if (frame_.StartProgram(program, {QLatin1Char('/') + environmentName_})) return true;
  dialogs_.Tell(QStringLiteral("プログラム ") + frame_.Path(ProgramExecutable(program)) +
                QStringLiteral(" を起動できません"));
  return false;
}

QString MenuLauncher::Editor() const {
  return EditorProgram(frame_.ReadSetting(QStringLiteral("EDITOR"), DefaultEditorSetting()));
}

bool MenuLauncher::OpenWithEditor(const QString& path) const {
  const QString editor = Editor();
  if (StartDetached(editor, {path}, frame_.Folder())) return true;
  dialogs_.Tell(QStringLiteral("エディタ ") + editor + QStringLiteral(" を起動できません\n") +
                QStringLiteral("Option の エディタの選択 で指定してください"));
  return false;
}

bool MenuLauncher::EditEnvironmentFile() const { return OpenWithEditor(EnvironmentPath()); }

void MenuLauncher::ChooseEditor() const {
  FileDialogRequest request;
  request.title = QStringLiteral("エディタを設定します");
  request.filter = ExecutableFilter();
  const QFileInfo current(Editor());
  if (current.isAbsolute()) request.folder = current.path();
  const std::optional<QString> chosen = dialogs_.OpenFile(request);
  if (!chosen) return;
  const QString editor = TrimBlanks(*chosen);
  if (editor.isEmpty()) return;
  frame_.WriteSetting(QStringLiteral("EDITOR"), editor);
}

void MenuLauncher::ResetEditor() const { frame_.WriteSetting(QStringLiteral("EDITOR"), QStringLiteral("NOTEPAD.EXE")); }

bool MenuLauncher::ShowLogFile(bool jarl) const {
  FileDialogRequest request;
  request.title = jarl ? QStringLiteral("JARL 形式") : QStringLiteral("VQ 形式");
  request.folder = jarl ? jarlFolder_ : vqFolder_;
  request.filter = QStringLiteral("すべてのファイル (*.*)|*.*|テキスト ファイル (*.txt)|*.txt|");
  request.filterIndex = 2;
  const std::optional<QString> chosen = dialogs_.OpenFile(request);
  if (!chosen || chosen->isEmpty()) return false;
  return OpenWithEditor(*chosen);
}

bool MenuLauncher::OpenSpreadsheet() const {
  const QString program = SpreadsheetProgram(frame_.Folder());
  const QString workbook = frame_.Path(SpreadsheetWorkbookName());
  if (!program.isEmpty() && StartDetached(program, {workbook}, frame_.Folder())) return true;
  dialogs_.Tell(QStringLiteral("ファイル ") + workbook + QStringLiteral(" を開けません"));
  return false;
}

void MenuLauncher::EnsurePointsFile() const {
  // Created only where nothing lies: an unreadable points file is never emptied.
  const QString path = frame_.Path(QStringLiteral("ZOTRAPOI.dat"));
  if (!QFileInfo::exists(path)) WriteBytes(path, QByteArray());
}

void MenuLauncher::FindStationFolders() {
  jarlFolder_.clear();
  vqFolder_.clear();
  jarlFolderFound_ = vqFolderFound_ = false;
  const QString definition = frame_.LocateDefinitionFile();
  if (!FileExists(definition)) return;
  ListReader reader = ListReader::FromFile(definition);
  QString field;
  QString call;
  while (reader.Next(&field)) {
    if (Upper(field) == QLatin1String("MYCALL")) {
      call = reader.NextField();
      break;
    }
  }
  // The definition editor makes the folders from the normalised call sign.
  const QString name = StationFolderName(call);
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
      name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))) {
    return;
  }
  vqFolder_ = frame_.Path(name);
  jarlFolder_ = frame_.Path(name + QStringLiteral("_JARL"));
  jarlFolderFound_ = FolderFound(jarlFolder_);
  vqFolderFound_ = FolderFound(vqFolder_);
}

}  // namespace zotra
