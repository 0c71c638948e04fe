#include "Program.h"

namespace zotra {

QString ProgramName(Program program) {
  switch (program) {
    case Program::Menu: return QStringLiteral("ZOTRAM");
    case Program::Define: return QStringLiteral("ZOTRAS");
    case Program::Extract: return QStringLiteral("ZOTRAH");
    case Program::Check: return QStringLiteral("ZOTRAC");
    case Program::Log: return QStringLiteral("ZOTRAL");
    case Program::Summary: return QStringLiteral("ZOTRAT");
  }
  return QStringLiteral("ZOTRA");
}

QString ProgramExecutable(Program program) { return ProgramName(program).toLower(); }

bool ProgramFromName(const QString& name, Program* program) {
  QString n = name.trimmed();
  if (n.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) n.chop(4);
  for (Program p : {Program::Menu, Program::Define, Program::Extract, Program::Check, Program::Log,
                    Program::Summary}) {
    if (n.compare(ProgramName(p), Qt::CaseInsensitive) == 0) {
      *program = p;
      return true;
    }
  }
  return false;
}

QString ProgramVersion() { return QStringLiteral(ZOTRA_VERSION); }

StartRule StartRuleOf(Program program) {
  switch (program) {
    case Program::Menu: return {false, 0, {}};
    case Program::Define:
      return {true, 1, QStringLiteral("必ずメニュープログラムから起動してください")};
    case Program::Extract:
      // The text after the first character names the environment file.
      return {true, 3, QStringLiteral("必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")};
    case Program::Check:
      return {true, 1, QStringLiteral("必ず ﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")};
    case Program::Log:
    case Program::Summary:
      return {true, 1, QStringLiteral("必ずﾒﾆｭｰﾌﾟﾛｸﾞﾗﾑから起動して下さい")};
  }
  return {};
}

PositionKeys MainWindowPositionKeys(Program program) {
  switch (program) {
    case Program::Check:
    case Program::Log:
    case Program::Summary: return {QStringLiteral("Form1Top"), QStringLiteral("Form1Left")};
    default: return {QStringLiteral("FormTop"), QStringLiteral("FormLeft")};
  }
}

QStringList MenuRestartArguments(Program program, const QString& ownCommandLine) {
  switch (program) {
    case Program::Extract:
    case Program::Check: return {QStringLiteral("/")};
    case Program::Summary:
      return ownCommandLine.isEmpty() ? QStringList{} : QStringList{ownCommandLine};
    default: return {};
  }
}

}  // namespace zotra
