// What the menu asks of the desktop it runs on: file dates, the text editor,
// the spreadsheet application, where the host logbook usually
// lies. src/menu/README.md says how each maps to Windows and to Linux.
#pragma once

#include <QString>
#include <QStringList>

namespace zotra {

// The file's creation date as yyyy/mm/dd (local time): its birth time where
// the file system keeps one, else its last modification. Empty when the file
// does not exist.
QString FileCreationDate(const QString& path);

// The editor setting's default value.
QString DefaultEditorSetting();  // "notepad.exe"
// The editor to start for a setting: the setting itself, except that on a
// desktop without Notepad an empty setting or one naming Notepad means the
// desktop's own text editor.
QString EditorProgram(const QString& setting);
// The desktop's text editor: "notepad.exe" on Windows; elsewhere the first
// graphical text editor found on the search path, else "xdg-open".
QString DesktopTextEditor();
// The file dialog filter of executable files.
QString ExecutableFilter();

// The spreadsheet application that can run the macro of the workbook
// "zotrawxl.xls" in the folder; empty where there is none (always on Linux).
QString SpreadsheetProgram(const QString& folder);
QString SpreadsheetWorkbookName();  // "zotrawxl.xls"

// Where the file dialog for the host logbook's files starts when none is set.
QString HostLogbookStartFolder();

}  // namespace zotra
