// What the desktop program keeps from one start to the next, and the files of
// the state folder it reads when it starts and writes when it closes.
#pragma once

#include <string>

#include "settings/program_state.h"
#include "settings/records.h"

/// The program's settings between windows.
struct Session {
  ProgramState state;  // "nd.ini"; state.Thumbs are the main window's thumbnail options
  AdvancedSettings advanced;
  ExpressSettings express;
  std::string ConfigDir;  // folder of the .cfg last loaded, with its "/"; "" until then
};

/// `name` in the state folder `folder`.
std::string StatePath(const std::string& folder, const std::string& name);

enum class StartUpResult {
  kReady,        // everything there was to read was read
  kNoStateFile,  // `folder` holds no "nd.ini"; nothing was read
  kFailed,       // a file could not be read; `err` says which
};

/// Start-up: reads "nd.ini" into session->state; then, when it has LoadLast
/// on, "temp.cfg" and "tempexp.cfe" when they exist, in that order, into the
/// records (each also sets the thumbnail options). On kFailed what was read
/// before the failure stays.
StartUpResult StartSession(const std::string& folder, Session* session, std::string* err);

/// Shut-down: writes "nd.ini", then both records, to "temp.cfg" and
/// "tempexp.cfe" with LoadLast on, else to "SAVE_BUTT.cfg" and "SAVE_BUTT.cfe"
/// (the autosaves then keep what they held). Stops at the first failure.
bool EndSession(const std::string& folder, const Session& session, std::string* err);
