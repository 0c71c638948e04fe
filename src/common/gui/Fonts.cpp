#include "Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace zotra {
namespace {

struct Substitution {
  QString name;
  QStringList standIns;
};

const QList<Substitution>& Substitutions() {
  static const QList<Substitution> list = {
      {QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")}},
      {QStringLiteral("ＭＳ Ｐ明朝"), {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")}},
      {QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")}},
      {QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}},
      {QStringLiteral("MS Mincho"), {QStringLiteral("IPAMincho")}},
      {QStringLiteral("MS Gothic"), {QStringLiteral("IPAGothic")}},
  };
  return list;
}

}  // namespace

void InstallFontSubstitutions() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList installed = QFontDatabase::families();
  for (const Substitution& s : Substitutions()) {
    if (installed.contains(s.name)) continue;
    QFont::insertSubstitutions(s.name, s.standIns);
  }
}

QString EffectiveFontFamily(const QString& name) {
  if (QFontDatabase::families().contains(name)) return name;
  for (const Substitution& s : Substitutions()) {
    if (s.name == name) {
      for (const QString& standIn : s.standIns) {
        if (QFontDatabase::families().contains(standIn)) return standIn;
      }
    }
  }
  return name;
}

bool FontInstalled(const QString& name) { return !name.isEmpty() && QFontDatabase::families().contains(name); }

}  // namespace zotra
