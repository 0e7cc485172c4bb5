#include "settings/express_config.h"

#include <cstdint>

#include "settings/file_io.h"
#include "settings/ini.h"
#include "settings/text.h"

namespace {

constexpr std::string_view kSection = "Express";

bool Problem(std::string* err, std::string_view problem) {
  if (err) *err = problem;
  return false;
}

std::string Get(const IniDocument& ini, std::string_view key) { return IniGet(ini, kSection, key); }

// The 16-bit value of `key` when it lies in [low, high].
bool GetNumber(const IniDocument& ini, std::string_view key, int low, int high, int* value) {
  int16_t number = 0;
  if (!ValToInt16(Get(ini, key), &number) || number < low || number > high) return false;
  *value = number;
  return true;
}

bool ParseThumbOptions(const IniDocument& ini, ThumbOptions* thumbs, std::string* err) {
  if (!GetNumber(ini, "Quality", 1, 100, &thumbs->Quality))
    return Problem(err, "Quality is missing or not between 1 and 100");
  thumbs->ResizeMethod = Get(ini, "ResizeMethod");
  thumbs->Height = NumberText(Val(Get(ini, "Height")));
  thumbs->Width = NumberText(Val(Get(ini, "Width")));
  if (!GetNumber(ini, "Progressive", 0, 2, &thumbs->Progressive))
    return Problem(err, "Progressive is not 0, 1 or 2");
  return true;
}

bool ParseField(const IniDocument& ini, const RecordField<ExpressSettings>& f,
                ExpressSettings* settings, std::string* err) {
  std::string value = Get(ini, f.name);
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
  IniDocument ini = ParseIni(old_text);
  IniSet(&ini, kSection, "Quality", NumText(thumbs.Quality));
  IniSet(&ini, kSection, "ResizeMethod", thumbs.ResizeMethod);
  IniSet(&ini, kSection, "Height", thumbs.Height);
  IniSet(&ini, kSection, "Width", thumbs.Width);
  IniSet(&ini, kSection, "Progressive", NumText(thumbs.Progressive));
  for (const RecordField<ExpressSettings>& f : kExpressFields)
    IniSet(&ini, kSection, f.name, f.text ? settings.*f.text : BooleanText(settings.*f.flag));
  return IniText(ini);
}

bool ParseExpressConfig(std::string_view text, ExpressSettings* settings, ThumbOptions* thumbs,
                        std::string* err) {
  IniDocument ini = ParseIni(text);
  if (!ParseThumbOptions(ini, thumbs, err)) return false;
  for (const RecordField<ExpressSettings>& f : kExpressFields)
    if (!ParseField(ini, f, settings, err)) return false;
  return true;
}

bool SaveExpressConfig(const std::string& path, const ExpressSettings& settings,
                       const ThumbOptions& thumbs, std::string* err) {
  IniDocument old;
  if (!ReadIniFile(path, &old, err)) return false;
  return WriteFileAtomic(path, UpdateExpressConfig(IniText(old), settings, thumbs), err);
}

bool LoadExpressConfig(const std::string& path, ExpressSettings* settings, ThumbOptions* thumbs,
                       std::string* err) {
  std::string text;
  if (!ReadWholeFile(path, &text, err)) return false;
  if (ParseExpressConfig(text, settings, thumbs, err)) return true;
  if (err) *err = path + ": " + *err;
  return false;
}
