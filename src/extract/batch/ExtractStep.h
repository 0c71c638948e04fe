// The extraction as zotra-batch runs it, shared by `extract` and `all`: the
// window's options given on the command line, and a run from the logbook the
// settings name ("MARQEN" of the menu's section) into "zotra.wk1".
//
//   --key-region REGION       the key region: 0 or "全都道府県" (default), or a
//                             region's number (1–50) or name ("東京都")
//   --key LEVEL[,OPTION...]   the key region's group (every region with "全都道府県")
//   --other LEVEL[,OPTION...] the other regions' group (needs a key region)
//       LEVEL: prefecture, city, town, as-logged
//       OPTION: wards ("区は市に"), tokyo-wards ("東京の区は市扱い"),
//               drop-prefecture ("県名は消す")
//   --hokkaido whole|subprefecture   Hokkaido at prefecture level ("01 北海道" default)
//   --ogasawara 10|48|49|50   the answer to the Ogasawara question (default 48)
//   --qth-from-jcc            "Qth 欄は Jcc 欄から変換して使用"
//   --frequency-note          "10.1GHz 帯以上の場合 Rmk に使用バンドを印刷"
// The area-code editing ("下記編集機能を使用する") is on when --key or --other
// gives a group's level.
#pragma once

#include "extract/Extraction.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zotra {

class Dialogs;

// The options in a command's usage text (a literal, so that usages can be joined).
#define ZOTRA_EXTRACT_OPTIONS_USAGE                                                   \
  "[--key-region REGION] [--key LEVEL[,OPTION...]] [--other LEVEL[,OPTION...]] " \
  "[--hokkaido whole|subprefecture] [--ogasawara 10|48|49|50] [--qth-from-jcc] [--frequency-note]"

struct ExtractArguments {
  ExtractOptions options;
  std::optional<AreaGroupOptions> key, other;
  int region = 0;      // index of the key region's choice
  int ogasawara = -1;  // index of the Ogasawara answer; -1: the question's default
};

enum class ArgumentTaken { Taken, NotAnExtractOption, Bad };

// Takes one extraction option (with its value) from the front of `args`:
// NotAnExtractOption leaves `args` as it was.
ArgumentTaken TakeExtractArgument(QStringList& args, ExtractArguments* out);

// Runs the extraction in the program folder with the options set as the
// window sets them (the key region first, then the groups). None when the run
// could not start (told: no environment file, definition or logbook settings,
// or --other without a key region). *definition (when given) gets the
// definition the run took.
std::optional<ExtractResult> RunExtractStep(const QString& folder, const ExtractArguments& arguments,
                                            Dialogs& dialogs, ExtractDefinition* definition = nullptr);

}  // namespace zotra
