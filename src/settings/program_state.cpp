#include "settings/program_state.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "settings/file_io.h"
#include "settings/ini.h"
#include "settings/text.h"

namespace {

void ParseThumbOptions(const IniDocument& ini, ThumbOptions* thumbs) {
  int64_t quality = RoundHalfEven(Val(IniGet(ini, "JPEG", "Quality")));
  thumbs->Quality = static_cast<int>(std::clamp<int64_t>(quality, 1, 100));
  thumbs->ResizeMethod = IniGet(ini, "JPEG", "ResizeMethod");
  thumbs->Height = NumberText(Val(IniGet(ini, "JPEG", "Height")));
  thumbs->Width = NumberText(Val(IniGet(ini, "JPEG", "Width")));
  ValInRange(IniGet(ini, "JPEG", "Progressive"), 0, 2, &thumbs->Progressive);
}

// The known names of the key; a name this program does not know is left out.
ExtraFormats ParseFormats(const IniDocument& ini) {
  ExtraFormats formats;
  std::string unknown;
  for (const std::string& item : ParseString(IniGet(ini, "General", "ExtraFormats"), ","))
    if (ExtraFormats one; ParseExtraFormats(item, &one, &unknown)) formats.bits |= one.bits;
  return formats;
}

std::vector<std::string> ParseDirectoryList(const IniDocument& ini) {
  IniValues keys = IniSectionValues(ini, "DIRs");
  double count = std::min<double>(std::floor(Val(IniLookup(keys, "#"))), kMaxDirectoryEntries);
  std::vector<std::string> list;
  for (int i = 1; i <= count; ++i) list.push_back(IniLookup(keys, NumText(i)));
  return list;
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool IsWritableFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         access(path.c_str(), W_OK | X_OK) == 0;
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool MakeFolder(const std::string& folder, std::string* err) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!ec) return true;
  if (err) *err = folder + ": cannot be made (" + ec.message() + ")";
  return false;
}

// $XDG_CONFIG_HOME/kesto or ~/.config/kesto, made when missing.
bool MakeUserFolder(const StateFolderInputs& in, std::string* folder, std::string* err) {
  std::string base = in.xdg_config_home;
  if (base.empty() || base.front() != '/') base = in.home.empty() ? "" : in.home + "/.config";
  if (base.empty()) {
    if (err) *err = "no folder for the settings: neither XDG_CONFIG_HOME nor HOME is set";
    return false;
  }
  *folder = WithoutTrailingSlash(base) + "/kesto";
  return MakeFolder(*folder, err);
}

// Copies the shipped `name` into `folder` unless the folder has one.
bool CopyDefault(const std::string& data_folder, const std::string& folder, const char* name,
                 std::string* err) {
  std::string source = data_folder + "/" + name, target = folder + "/" + name;
  if (Exists(target) || !Exists(source)) return true;
  std::string text;
  return ReadWholeFile(source, &text, err) && WriteSettingsFile(target, text, err);
}

}  // namespace

void ParseProgramState(std::string_view text, ProgramState* state) {
  IniDocument ini = ParseIni(text);
  state->Express = Trim(IniGet(ini, "General", "Mode")) == "exp";
  state->LoadLast = IsOn(IniGet(ini, "General", "LoadLast"));
  ParseThumbOptions(ini, &state->Thumbs);
  state->DirectoryList = ParseDirectoryList(ini);
  state->Formats = ParseFormats(ini);
  state->SortByDate = LowerCase(Trim(IniGet(ini, "General", "SortBy"))) == "date";
}

std::string UpdateProgramState(std::string_view old_text, const ProgramState& state) {
  const ThumbOptions& thumbs = state.Thumbs;
  IniDocument ini = ParseIni(old_text);
  IniEntries general = {{"Mode", state.Express ? "exp" : "adv"},
                        {"LoadLast", state.LoadLast ? "1" : "0"}};
  if (!state.Formats.empty() || IniGet(ini, "General", "ExtraFormats") != kNoValue)
    general.emplace_back("ExtraFormats", ExtraFormatsText(state.Formats));
  if (state.SortByDate || IniGet(ini, "General", "SortBy") != kNoValue)
    general.emplace_back("SortBy", state.SortByDate ? "date" : "name");
  IniSetAll(&ini, "General", general);
  IniSetAll(&ini, "JPEG",
            {{"Quality", NumText(thumbs.Quality)},
             {"ResizeMethod", thumbs.ResizeMethod},
             {"Height", thumbs.Height},
             {"Width", thumbs.Width},
             {"Progressive", NumText(thumbs.Progressive)}});
  IniEntries dirs;
  for (size_t i = 0; i < state.DirectoryList.size(); ++i)
    dirs.emplace_back(NumText(i + 1), state.DirectoryList[i]);
  dirs.emplace_back("#", NumText(state.DirectoryList.size()));
  IniSetAll(&ini, "DIRs", dirs);
  return IniText(ini);
}

bool ReadProgramState(const std::string& path, ProgramState* state, std::string* err) {
  std::string text;
  if (!ReadIniText(path, &text, err)) return false;
  ParseProgramState(text, state);
  return true;
}

bool WriteProgramState(const std::string& path, const ProgramState& state, std::string* err) {
  std::string old;
  return ReadIniText(path, &old, err) &&
         WriteSettingsFile(path, UpdateProgramState(old, state), err);
}

bool PrepareStateFolder(const StateFolderInputs& inputs, std::string* folder, std::string* err) {
  std::string chosen;
  if (!inputs.named_folder.empty()) {
    chosen = WithoutTrailingSlash(inputs.named_folder);
    if (!MakeFolder(chosen, err)) return false;
  } else {
    chosen = WithoutTrailingSlash(inputs.program_folder);
    bool own_folder = !inputs.installed && IsWritableFolder(chosen);
    if (!own_folder && !MakeUserFolder(inputs, &chosen, err)) return false;
  }
  *folder = chosen;
  if (inputs.data_folder.empty()) return true;
  return CopyDefault(inputs.data_folder, chosen, "nd.ini", err) &&
         CopyDefault(inputs.data_folder, chosen, "default.tpl", err);
}
