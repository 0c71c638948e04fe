// The settings file "ZOTRAW.INI": sections in brackets, key=value lines, CP932
// with CR LF. Keys and sections compare without regard to case; a value is
// read through a 128-byte buffer, so at most 127 bytes survive. Each program
// reads and writes its own section, except for the shared keys that live in
// the menu's section (the routing table below).
#pragma once

#include "Program.h"

#include <QString>

namespace zotra {

inline constexpr int kSettingValueBytes = 127;

// The private-profile functions on any file of that format.
// A missing file, section or key gives the default; a value in double quotes
// is read without them.
QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue);
// Writes key=value into the section; every other line keeps its bytes and its
// line end, whatever another program wrote there. The first write creates the
// file. CR and LF in the value are dropped, so a value can never add a line.
// The file is replaced safely (temporary file, rename).
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

// Tells the user that the settings file could not be written and keeps its
// old content; once per file and program run.
void ReportSettingsWriteFailure(const QString& path);

// The section a program reads a key from, and the one it writes it to.
QString SettingsSectionForRead(Program program, const QString& key);
QString SettingsSectionForWrite(Program program, const QString& key);

class Settings {
 public:
  // folder: the program folder (with or without its trailing separator).
  Settings(QString folder, Program program);

  QString ReadSetting(const QString& key, const QString& defaultValue = {}) const;
  // False when the file could not be written: the user has then been told
  // (once per program run) and the file is as it was. A key or value that
  // CP932 cannot hold is refused (and told each time): it would be stored as "?".
  bool WriteSetting(const QString& key, const QString& value) const;

  // Full path of the settings file.
  QString FilePath() const;
  Program program() const { return program_; }

 private:
  QString folder_;
  Program program_;
};

}  // namespace zotra
