// zotra-batch extract [OPTIONS]: the extraction as "実行する" runs it, from the
// logbook the settings name ("MARQEN" of the menu's section) into
// "zotra.wk1". The count of QSOs kept goes to standard output.
//
// The area-code editing ("下記編集機能を使用する") is on when --key or --other
// gives a group's level:
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
// A conversion error is printed and the run goes on, as OK does.
#include "batch/BatchCommand.h"

#include "common/Frame.h"
#include "common/Text.h"
#include "extract/ExtractSetup.h"
#include "extract/Extraction.h"

namespace zotra {
namespace {

const char kUsage[] =
    "extract [--key-region REGION] [--key LEVEL[,OPTION...]] [--other LEVEL[,OPTION...]] "
    "[--hokkaido whole|subprefecture] [--ogasawara 10|48|49|50] [--qth-from-jcc] [--frequency-note]";

// The tool's dialogs, with a fixed answer to the Ogasawara question.
class AnsweringDialogs : public Dialogs {
 public:
  AnsweringDialogs(Dialogs& inner, int ogasawara) : inner_(inner), ogasawara_(ogasawara) {
    SetDefaultTitle(QStringLiteral("ZOTRAH"));
  }
  Button Message(const MessageBox& box) override {
    MessageBox titled = box;
    titled.title = TitleOf(box);
    return inner_.Message(titled);
  }
  std::optional<QString> Input(const QString& title, const QString& prompt, const QString& text) override {
    return inner_.Input(title, prompt, text);
  }
  std::optional<QString> OpenFile(const FileDialogRequest& request) override { return inner_.OpenFile(request); }
  std::optional<QString> SaveFile(const FileDialogRequest& request) override { return inner_.SaveFile(request); }
  int Choose(const ChoiceRequest& request) override {
    if (ogasawara_ < 0) return inner_.Choose(request);
    ChoiceRequest fixed = request;
    fixed.defaultChoice = ogasawara_;
    return inner_.Choose(fixed);
  }

 private:
  Dialogs& inner_;
  int ogasawara_;
};

bool ParseGroup(const QString& text, AreaGroupOptions* group) {
  const QStringList words = text.toLower().split(QLatin1Char(','));
  const QString level = words.first();
  if (level == QLatin1String("prefecture")) group->level = AreaLevel::Prefecture;
  else if (level == QLatin1String("city")) group->level = AreaLevel::CityCounty;
  else if (level == QLatin1String("town")) group->level = AreaLevel::Town;
  else if (level == QLatin1String("as-logged")) group->level = AreaLevel::AsLogged;
  else return false;
  for (int i = 1; i < words.size(); ++i) {
    if (words.at(i) == QLatin1String("wards")) group->wardsAsCities = true;
    else if (words.at(i) == QLatin1String("tokyo-wards")) group->tokyoWardsAsCities = true;
    else if (words.at(i) == QLatin1String("drop-prefecture")) group->dropPrefectureName = true;
    else return false;
  }
  return true;
}

bool ParseRegion(const QString& text, int* region) {
  const QStringList choices = KeyRegionChoices();
  const int index = choices.indexOf(text);
  if (index >= 0) {
    *region = index;
    return true;
  }
  bool number = false;
  const int value = text.toInt(&number);
  if (!number || value < 0 || value >= choices.size()) return false;
  *region = value;
  return true;
}

int RunExtract(BatchContext& context) {
  const QString usage = QString::fromUtf8(kUsage);
  ExtractOptions options;
  std::optional<AreaGroupOptions> key, other;
  int region = 0;
  int ogasawara = -1;
  QStringList args = context.args;
  while (!args.isEmpty()) {
    const QString option = args.takeFirst();
    const bool hasValue = !args.isEmpty();
    if (option == QLatin1String("--key-region") && hasValue) {
      if (!ParseRegion(args.takeFirst(), &region)) return UsageError(context, usage);
    } else if ((option == QLatin1String("--key") || option == QLatin1String("--other")) && hasValue) {
      AreaGroupOptions group;
      if (!ParseGroup(args.takeFirst(), &group)) return UsageError(context, usage);
      (option == QLatin1String("--key") ? key : other) = group;
    } else if (option == QLatin1String("--hokkaido") && hasValue) {
      const QString value = args.takeFirst();
      if (value == QLatin1String("whole")) options.area.hokkaido = HokkaidoChoice::WholeHokkaido;
      else if (value == QLatin1String("subprefecture")) options.area.hokkaido = HokkaidoChoice::Subprefecture;
      else return UsageError(context, usage);
    } else if (option == QLatin1String("--ogasawara") && hasValue) {
      ogasawara = AreaCodeConverter::OgasawaraCodes().indexOf(args.takeFirst());
      if (ogasawara < 0) return UsageError(context, usage);
    } else if (option == QLatin1String("--qth-from-jcc")) {
      options.area.qthFromAreaCode = true;
    } else if (option == QLatin1String("--frequency-note")) {
      options.frequencyNote = true;
    } else {
      return UsageError(context, usage);
    }
  }
  // The options as the window sets them: the key region first, then the groups.
  SelectKeyRegion(&options.area, region);
  if (other && !OtherRegionsEnabled(options.area)) {
    context.dialogs.Tell(QStringLiteral("--other はキー地域 (--key-region) を選んだときだけ使えます"),
                         QStringLiteral("ZOTRAH"));
    return 1;
  }
  if (key) options.area.groups[kKeyGroup] = *key;
  if (other) options.area.groups[kOtherGroup] = *other;
  options.editAreas = key || other;

  AnsweringDialogs dialogs(context.dialogs, ogasawara);
  const Frame frame(Program::Extract, context.folder);
  const QString environment = frame.LocateEnvironmentFile(dialogs);
  if (environment.isEmpty()) return 1;
  ExtractSetup setup;
  if (!LoadExtractSetup(frame, environment, frame.LocateDefinitionFile(), dialogs, &setup)) return 1;
  const ExtractResult result = RunExtraction(MakeExtractInput(setup, frame, options), dialogs);
  PrintLine(QStringLiteral("抽出交信数: ") + QString::number(result.kept));
  return result.status == ExtractResult::Status::Finished ? 0 : 1;
}

}  // namespace
}  // namespace zotra

ZOTRA_BATCH_COMMAND("extract", zotra::kUsage, zotra::RunExtract);
