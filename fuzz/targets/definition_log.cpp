// The log program's reader of the definition, for the definition target.
#include "log/LogSession.h"

using namespace zotra;

void ReadAsTheLogProgram(const QString& path) {
  const LogDefinition log = ReadLogDefinition(path);
  log.AnyMultiplierUsed();
  NormaliseContestName(log.contestName);
}
