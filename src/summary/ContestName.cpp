// Kept apart: the log program's header names the points file as this
// program's does.
#include "ContestName.h"

#include "log/LogSession.h"

namespace zotra {

QString ContestNameWithoutWord(const QString& name) { return NormaliseContestName(name); }

}  // namespace zotra
