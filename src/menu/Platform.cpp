#include "Platform.h"

#include "common/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace zotra {

QString FileCreationDate(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return {};
  QDateTime when = info.birthTime();
  if (!when.isValid()) when = info.lastModified();
  return when.toLocalTime().toString(QStringLiteral("yyyy/MM/dd"));
}

QString DefaultEditorSetting() { return QStringLiteral("notepad.exe"); }

QString DesktopTextEditor() {
#ifdef Q_OS_WIN
  return DefaultEditorSetting();
#else
  // $VISUAL and $EDITOR name terminal editors, useless without a terminal.
  static const char* const kEditors[] = {"gedit", "gnome-text-editor", "mousepad", "kate", "kwrite",
                                         "xed",   "pluma",             "featherpad", "leafpad", "geany"};
  for (const char* name : kEditors) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!found.isEmpty()) return found;
  }
  return QStringLiteral("xdg-open");
#endif
}

QString EditorProgram(const QString& setting) {
  const QString editor = setting.trimmed();
#ifndef Q_OS_WIN
  const QString lower = editor.toLower();
  if (editor.isEmpty() || lower == QLatin1String("notepad.exe") || lower == QLatin1String("notepad")) {
    return DesktopTextEditor();
  }
#endif
  return editor.isEmpty() ? DefaultEditorSetting() : editor;
}

QString ExecutableFilter() {
#ifdef Q_OS_WIN
  return QStringLiteral("実行ファイル (*.EXE)|*.EXE");
#else
  return QStringLiteral("実行ファイル (*)|*");
#endif
}

QString SpreadsheetWorkbookName() { return QStringLiteral("zotrawxl.xls"); }

QString SpreadsheetProgram(const QString& folder) {
#ifdef Q_OS_WIN
  const QString workbook = ResolveInFolder(folder, SpreadsheetWorkbookName());
  if (!FileExists(workbook)) return {};
  // The application associated with ".xls", when it is the spreadsheet
  // application whose macros the workbook needs.
  const QSettings classes(QStringLiteral("HKEY_CLASSES_ROOT"), QSettings::NativeFormat);
  const QString type = classes.value(QStringLiteral(".xls/Default")).toString();
  if (type.isEmpty()) return {};
  QString command = classes.value(type + QStringLiteral("/shell/open/command/Default")).toString().trimmed();
  if (!command.toUpper().contains(QLatin1String("EXCEL.EXE"))) return {};
  // The program is the command's first word, quoted or not.
  if (command.startsWith(QLatin1Char('"'))) return command.mid(1, command.indexOf(QLatin1Char('"'), 1) - 1);
  return command.left(command.toUpper().indexOf(QLatin1String("EXCEL.EXE")) + 9);
#else
  Q_UNUSED(folder);
  return {};
#endif
}

QString HostLogbookStartFolder() {
#ifdef Q_OS_WIN
  return QStringLiteral("c:\\marqen");
#else
  const QString home = QDir::homePath();
  const QString marqen = ResolveInFolder(home, QStringLiteral("marqen"));
  return FolderExists(marqen) ? marqen : home;
#endif
}

}  // namespace zotra
