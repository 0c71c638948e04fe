#include "Settings.h"

#include "Dialogs.h"
#include "Files.h"
#include "Text.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace zotra {
namespace {

const QString kSettingsFileName = QStringLiteral("ZOTRAW.INI");

// A line "[name]" (blanks around allowed); false for any other line.
bool SectionHeader(const QString& line, QString* name) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return false;
  const int close = t.indexOf(QLatin1Char(']'));
  if (close < 0) return false;
  *name = t.mid(1, close - 1).trimmed();
  return true;
}

// A line "key=value"; false for comments and lines without "=".
bool KeyLine(const QString& line, QString* key, QString* value) {
  const QString t = line.trimmed();
  if (t.isEmpty() || t.startsWith(QLatin1Char(';'))) return false;
  const int eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return false;
  *key = line.left(eq).trimmed();
  if (value) *value = line.mid(eq + 1).trimmed();
  return !key->isEmpty();
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// One line of the file as it stands: its bytes without the line end, and the
// line end it had (CR LF, LF, CR, or none at the end of the file).
struct RawLine {
  QByteArray bytes;
  QByteArray end;
};

QList<RawLine> SplitRawLines(const QByteArray& file) {
  QList<RawLine> lines;
  qsizetype at = 0;
  while (at < file.size()) {
    qsizetype end = at;
    while (end < file.size() && file.at(end) != '\r' && file.at(end) != '\n') ++end;
    RawLine line{file.mid(at, end - at), {}};
    if (end < file.size()) {
      const qsizetype width = file.at(end) == '\r' && end + 1 < file.size() && file.at(end + 1) == '\n' ? 2 : 1;
      line.end = file.mid(end, width);
      end += width;
    }
    lines.append(line);
    at = end;
  }
  return lines;
}

}  // namespace

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue) {
  QStringList lines;
  if (!ReadLines(path, &lines)) return LeftBytes(defaultValue, kSettingValueBytes);
  bool inSection = false;
  for (const QString& line : lines) {
    QString name;
    if (SectionHeader(line, &name)) {
      inSection = SameName(name, section);
      continue;
    }
    if (!inSection) continue;
    QString k, v;
    if (KeyLine(line, &k, &v) && SameName(k, key)) {
      // The value is taken up to its first NUL, within the 128-byte buffer.
      const int nul = v.indexOf(QChar(0));
      if (nul >= 0) v.truncate(nul);
      // A value in double quotes is read without them.
      if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) v = v.mid(1, v.size() - 2);
      return LeftBytes(v, kSettingValueBytes);
    }
  }
  return LeftBytes(defaultValue, kSettingValueBytes);
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
  QByteArray file;
  // A file that is there but cannot be read is never replaced by one that
  // holds only this key.
  if (!ReadBytes(path, &file) && QFileInfo::exists(path)) return false;
  // Only the line of the key is written anew: every other line keeps its
  // bytes, whatever another program put there.
  QList<RawLine> lines = SplitRawLines(file);
  const QByteArray newLine = EncodeCp932(OneLine(key) + QLatin1Char('=') + OneLine(value));
  const QByteArray crLf("\r\n");

  int sectionStart = -1;   // index of the header line
  int lastInSection = -1;  // last non-blank line of the section
  int keyLine = -1;
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = DecodeCp932(lines.at(i).bytes);
    QString name;
    if (SectionHeader(line, &name)) {
      if (sectionStart >= 0) break;  // the section ended
      if (SameName(name, section)) {
        sectionStart = i;
        lastInSection = i;
      }
      continue;
    }
    if (sectionStart < 0) continue;
    if (!line.trimmed().isEmpty()) lastInSection = i;
    QString k;
    if (keyLine < 0 && KeyLine(line, &k, nullptr) && SameName(k, key)) keyLine = i;
  }

  if (keyLine >= 0) {
    lines[keyLine].bytes = newLine;
    if (lines[keyLine].end.isEmpty()) lines[keyLine].end = crLf;
  } else {
    int at = lines.size();
    QList<RawLine> added;
    if (sectionStart >= 0) {
      at = lastInSection + 1;
    } else {
      added.append({EncodeCp932(QLatin1Char('[') + section + QLatin1Char(']')), crLf});
    }
    added.append({newLine, crLf});
    // The line before the new ones ends as it did, or with CR LF when it
    // ended the file without a line end.
    if (at > 0 && lines[at - 1].end.isEmpty()) lines[at - 1].end = crLf;
    for (int i = 0; i < added.size(); ++i) lines.insert(at + i, added.at(i));
  }
  QByteArray out;
  for (const RawLine& line : lines) out += line.bytes + line.end;
  return WriteBytes(path, out, WriteMode::Safe);
}

QString SettingsSectionForRead(Program program, const QString& key) {
  const QString k = key.toUpper();
  const QString menu = ProgramName(Program::Menu);
  switch (program) {
    case Program::Menu: return menu;
    case Program::Define:
      if (k == QLatin1String("CFG") || k == QLatin1String("TST")) return menu;
      break;
    case Program::Extract:
      if (k == QLatin1String("CFG") || k == QLatin1String("TST") || k == QLatin1String("MARQEN") ||
          k == QLatin1String("MST"))
        return menu;
      break;
    case Program::Check:
    case Program::Log:
      if (k == QLatin1String("CFG") || k == QLatin1String("TST") || k == QLatin1String("MARQEN")) return menu;
      break;
    case Program::Summary:
      if (k == QLatin1String("CFG") || k == QLatin1String("TST") || k == QLatin1String("MARQEN") ||
          k == QLatin1String("EDITOR"))
        return menu;
      if (key == QStringLiteral("電子ログのみ")) return ProgramName(Program::Log);
      break;
  }
  return ProgramName(program);
}

QString SettingsSectionForWrite(Program program, const QString& key) {
  const QString k = key.toUpper();
  if (program == Program::Define && (k == QLatin1String("CFG") || k == QLatin1String("TST"))) {
    return ProgramName(Program::Menu);
  }
  return ProgramName(program);
}

Settings::Settings(QString folder, Program program) : folder_(std::move(folder)), program_(program) {}

QString Settings::FilePath() const { return ResolveInFolder(folder_, kSettingsFileName); }

QString Settings::ReadSetting(const QString& key, const QString& defaultValue) const {
  return ReadProfileString(FilePath(), SettingsSectionForRead(program_, key), key, defaultValue);
}

bool Settings::WriteSetting(const QString& key, const QString& value) const {
  // What CP932 cannot hold would come back as "?": a path under a folder
  // named in another script would no longer name its file.
  if (!IsCp932Encodable(key + value)) {
    CurrentDialogs().Tell(QStringLiteral("設定 ") + key + QStringLiteral(" の値 ") + value +
                              QStringLiteral(" には 日本語の文字コード（シフトJIS）で書けない文字があるので 保存できません\n"
                                             "日本語と英数字だけの名前を選んでください"),
                          {}, Icon::Warning);
    return false;
  }
  const QString path = FilePath();
  if (WriteProfileString(path, SettingsSectionForWrite(program_, key), key, value)) return true;
  ReportSettingsWriteFailure(path);
  return false;
}

void ReportSettingsWriteFailure(const QString& path) {
  // Once per file and program run: a program that cannot write its settings
  // fails at every key it saves on closing.
  static QSet<QString> told;
  if (told.contains(path)) return;
  told.insert(path);
  CurrentDialogs().Tell(QStringLiteral("設定ファイル ") + QDir::toNativeSeparators(path) +
                            QStringLiteral(" に書き込めません\n以前の設定はそのまま残っています"),
                        {}, Icon::Warning);
}

}  // namespace zotra
