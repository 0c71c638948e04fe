// Fonts named in the suite's documents and windows. "ＭＳ 明朝" and
// "ＭＳ ゴシック" are the names the code uses; where those fonts are not
// installed, IPAMincho and IPAGothic stand in for them.
#pragma once

#include <QString>

namespace zotra {

inline const QString kMinchoFont = QStringLiteral("ＭＳ 明朝");
inline const QString kGothicFont = QStringLiteral("ＭＳ ゴシック");

// Registers the stand-in fonts (once per process; needs a QGuiApplication).
void InstallFontSubstitutions();

// The family actually used for a font name (the stand-in where one is set).
QString EffectiveFontFamily(const QString& name);

// Whether a font of exactly that name is installed (a stand-in does not
// count), as the choice of a special font asks.
bool FontInstalled(const QString& name);

}  // namespace zotra
