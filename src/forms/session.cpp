#include "forms/session.h"

#include <sys/stat.h>

#include "settings/advanced_config.h"
#include "settings/express_config.h"

namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string StatePath(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

StartUpResult StartSession(const std::string& folder, Session* session, std::string* err) {
  std::string ini = StatePath(folder, "nd.ini");
  if (!Exists(ini)) return StartUpResult::kNoStateFile;
  if (!ReadProgramState(ini, &session->state, err)) return StartUpResult::kFailed;
  if (!session->state.LoadLast) return StartUpResult::kReady;
  ThumbOptions* thumbs = &session->state.Thumbs;
  std::string cfg = StatePath(folder, "temp.cfg");
  if (Exists(cfg) && !LoadAdvancedConfig(cfg, &session->advanced, thumbs, err))
    return StartUpResult::kFailed;
  std::string cfe = StatePath(folder, "tempexp.cfe");
  if (Exists(cfe) && !LoadExpressConfig(cfe, &session->express, thumbs, err))
    return StartUpResult::kFailed;
  return StartUpResult::kReady;
}

bool EndSession(const std::string& folder, const Session& session, std::string* err) {
  const ThumbOptions& thumbs = session.state.Thumbs;
  std::string cfg = session.state.LoadLast ? "temp.cfg" : "SAVE_BUTT.cfg";
  std::string cfe = session.state.LoadLast ? "tempexp.cfe" : "SAVE_BUTT.cfe";
  return WriteProgramState(StatePath(folder, "nd.ini"), session.state, err) &&
         SaveAdvancedConfig(StatePath(folder, cfg), session.advanced, thumbs, err) &&
         SaveExpressConfig(StatePath(folder, cfe), session.express, thumbs, err);
}
