// The contest name as headings write it, shared with the log program's log
// sheets so that every document names the contest alike.
#pragma once

#include <QString>

namespace zotra {

// A trailing contest word ("CONTEST", "Contest", "Ｃｏｎｔｅｓｔ",
// "ＣＯＮＴＥＳＴ", "コンテスト", "ｺﾝﾃｽﾄ") removed once, and the blanks around
// it ("ALL JA1 コンテスト" gives "ALL JA1").
QString ContestNameWithoutWord(const QString& name);

}  // namespace zotra
