#include "settings/express_config.h"

#include <utility>

#include "settings/file_io.h"
#include "settings/ini.h"
#include "settings/text.h"

namespace {

constexpr std::string_view kSection = "Express";

bool Problem(std::string* err, std::string_view problem) {
  if (err) *err = problem;
  return false;
}

bool ParseThumbOptions(const IniValues& keys, ThumbOptions* thumbs, std::string* err) {
  if (!ValInRange(IniLookup(keys, "Quality"), 1, 100, &thumbs->Quality))
    return Problem(err, "Quality is missing or not between 1 and 100");
  thumbs->ResizeMethod = IniLookup(keys, "ResizeMethod");
  thumbs->Height = NumberText(Val(IniLookup(keys, "Height")));
  thumbs->Width = NumberText(Val(IniLookup(keys, "Width")));
  if (!ValInRange(IniLookup(keys, "Progressive"), 0, 2, &thumbs->Progressive))
    return Problem(err, "Progressive is not 0, 1 or 2");
  return true;
}

bool ParseField(const IniValues& keys, const RecordField<ExpressSettings>& f,
                ExpressSettings* settings, std::string* err) {
  std::string value = IniLookup(keys, f.name);
  if (f.text == &ExpressSettings::ExpressFontName)
    settings->ExpressFontName = value == kNoValue ? "" : value;
  else if (f.text)
    settings->*f.text = value;
  else if (!ParseBoolean(value, &(settings->*f.flag)))
    return Problem(err, std::string(f.name) + " is not True, False or a number");
  return true;
}

}  // namespace

std::string UpdateExpressConfig(std::string_view old_text, const ExpressSettings& settings,
                                const ThumbOptions& thumbs) {
  IniEntries entries = {{"Quality", NumText(thumbs.Quality)},
                        {"ResizeMethod", thumbs.ResizeMethod},
                        {"Height", thumbs.Height},
                        {"Width", thumbs.Width},
                        {"Progressive", NumText(thumbs.Progressive)}};
  for (const RecordField<ExpressSettings>& f : kExpressFields)
    entries.emplace_back(f.name, f.text ? settings.*f.text : BooleanText(settings.*f.flag));
  IniDocument ini = ParseIni(old_text);
  for (const OptInKey& key : kExpressOptIns)
    if (IsOn(settings.*key.text) || IniGet(ini, kSection, key.name) != kNoValue)
      entries.emplace_back(key.name, settings.*key.text);
  IniSetAll(&ini, kSection, entries);
  return IniText(ini);
}

bool ParseExpressConfig(std::string_view text, ExpressSettings* settings, ThumbOptions* thumbs,
                        std::string* err) {
  IniValues keys = IniSectionValues(ParseIni(text), kSection);
  if (!ParseThumbOptions(keys, thumbs, err)) return false;
  for (const RecordField<ExpressSettings>& f : kExpressFields)
    if (!ParseField(keys, f, settings, err)) return false;
  for (const OptInKey& key : kExpressOptIns) {
    std::string value = IniLookup(keys, key.name);
    settings->*key.text = value == kNoValue ? "0" : value;
  }
  return true;
}

bool SaveExpressConfig(const std::string& path, const ExpressSettings& settings,
                       const ThumbOptions& thumbs, std::string* err) {
  std::string old;
  return ReadIniText(path, &old, err) &&
         WriteSettingsFile(path, UpdateExpressConfig(old, settings, thumbs), err);
}

bool LoadExpressConfig(const std::string& path, ExpressSettings* settings, ThumbOptions* thumbs,
                       std::string* err) {
  std::string text;
  if (!ReadWholeFile(path, &text, err)) return false;
  if (ParseExpressConfig(text, settings, thumbs, err)) return true;
  if (err) *err = path + ": " + *err;
  return false;
}
