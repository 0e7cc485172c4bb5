// Reads any bytes as a private-profile file (.cfe, "nd.ini"), then checks
// that parsing keeps every byte, that a .cfe saved over it loads again, and
// that a write of one key reads back as written while another key keeps its
// value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/express_config.h"
#include "settings/ini.h"
#include "settings/program_state.h"
#include "settings/text.h"

namespace {

bool HasAny(const std::string& text, const char* chars) {
  return text.find_first_of(chars) != std::string::npos;
}

bool HasOuterBlank(const std::string& text) {
  return !text.empty() && HasAny(text.substr(0, 1) + text.substr(text.size() - 1), " \t");
}

// Names and values that a write can store and a read give back as they are.
bool Writable(const std::string& section, const std::string& key, const std::string& value) {
  if (HasAny(section, "]\r\n") || HasOuterBlank(section)) return false;
  if (key.empty() || key[0] == '[' || HasAny(key, "=\r\n") || HasOuterBlank(key)) return false;
  if (HasAny(value, "\r\n") || HasOuterBlank(value)) return false;
  return value.size() < 2 || value.front() != '"' || value.back() != '"';
}

void CheckWrite(FuzzedDataProvider& input) {
  std::string section = input.ConsumeRandomLengthString(16);
  std::string key = input.ConsumeRandomLengthString(16);
  std::string other = input.ConsumeRandomLengthString(16);
  std::string value = input.ConsumeRandomLengthString(300);
  IniDocument ini = ParseIni(input.ConsumeRemainingBytesAsString());
  if (!Writable(section, key, value)) return;
  std::string other_before = IniGet(ini, section, other);
  IniSet(&ini, section, key, value);
  IniDocument reread = ParseIni(IniText(ini));
  if (IniGet(reread, section, key) != CharLeft(value, 255)) abort();
  if (LowerCase(other) != LowerCase(key) && IniGet(reread, section, other) != other_before) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (IniText(ParseIni(text)) != text) abort();
  ExpressSettings settings;
  ThumbOptions thumbs;
  std::string err;
  ParseExpressConfig(text, &settings, &thumbs, &err);
  ExpressSettings again;
  ThumbOptions thumbs_again;
  std::string saved = UpdateExpressConfig(text, settings, thumbs);
  if (!ParseExpressConfig(saved, &again, &thumbs_again, &err)) abort();
  if (thumbs_again.Quality != thumbs.Quality || again.ExpressUpdate != settings.ExpressUpdate)
    abort();
  ProgramState state;
  ParseProgramState(text, &state);
  FuzzedDataProvider input(data, size);
  CheckWrite(input);
  return 0;
}
