#include "ExtractStep.h"

#include "common/Dialogs.h"
#include "common/Frame.h"
#include "extract/ExtractSetup.h"

namespace zotra {
namespace {

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

}  // namespace

ArgumentTaken TakeExtractArgument(QStringList& args, ExtractArguments* out) {
  if (args.isEmpty()) return ArgumentTaken::NotAnExtractOption;
  const QString option = args.first();
  const bool hasValue = args.size() > 1;
  const QString value = hasValue ? args.at(1) : QString();
  auto taken = [&args](int count, bool ok) {
    if (!ok) return ArgumentTaken::Bad;
    args.remove(0, count);
    return ArgumentTaken::Taken;
  };
  if (option == QLatin1String("--key-region") && hasValue) return taken(2, ParseRegion(value, &out->region));
  if ((option == QLatin1String("--key") || option == QLatin1String("--other")) && hasValue) {
    AreaGroupOptions group;
    if (!ParseGroup(value, &group)) return ArgumentTaken::Bad;
    (option == QLatin1String("--key") ? out->key : out->other) = group;
    return taken(2, true);
  }
  if (option == QLatin1String("--hokkaido") && hasValue) {
    if (value == QLatin1String("whole")) out->options.area.hokkaido = HokkaidoChoice::WholeHokkaido;
    else if (value == QLatin1String("subprefecture")) out->options.area.hokkaido = HokkaidoChoice::Subprefecture;
    else return ArgumentTaken::Bad;
    return taken(2, true);
  }
  if (option == QLatin1String("--ogasawara") && hasValue) {
    out->ogasawara = AreaCodeConverter::OgasawaraCodes().indexOf(value);
    return taken(2, out->ogasawara >= 0);
  }
  if (option == QLatin1String("--qth-from-jcc")) {
    out->options.area.qthFromAreaCode = true;
    return taken(1, true);
  }
  if (option == QLatin1String("--frequency-note")) {
    out->options.frequencyNote = true;
    return taken(1, true);
  }
  return ArgumentTaken::NotAnExtractOption;
}

std::optional<ExtractResult> RunExtractStep(const QString& folder, const ExtractArguments& arguments,
                                            Dialogs& tool, ExtractDefinition* definition) {
  // The options as the window sets them: the key region first, then the groups.
  ExtractOptions options = arguments.options;
  SelectKeyRegion(&options.area, arguments.region);
  if (arguments.other && !OtherRegionsEnabled(options.area)) {
    tool.Tell(QStringLiteral("--other はキー地域 (--key-region) を選んだときだけ使えます"), QStringLiteral("ZOTRAH"));
    return std::nullopt;
  }
  if (arguments.key) options.area.groups[kKeyGroup] = *arguments.key;
  if (arguments.other) options.area.groups[kOtherGroup] = *arguments.other;
  options.editAreas = arguments.key || arguments.other;

  AnsweringDialogs dialogs(tool, arguments.ogasawara);
  const Frame frame(Program::Extract, folder);
  const QString environment = frame.LocateEnvironmentFile(dialogs);
  if (environment.isEmpty()) return std::nullopt;
  ExtractSetup setup;
  if (!LoadExtractSetup(frame, environment, frame.LocateDefinitionFile(), dialogs, &setup)) return std::nullopt;
  if (definition) *definition = setup.definition;
  return RunExtraction(MakeExtractInput(setup, frame, options), dialogs);
}

}  // namespace zotra
