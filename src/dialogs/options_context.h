// What the Advanced settings dialog and the editors it opens work on besides
// their own controls. The main window owns all of it, so what the editors
// remember outlives the dialog.
#pragma once

#include <optional>
#include <string>

#include "dialogs/frm_font.h"
#include "dialogs/insertion_target.h"
#include "forms/settings_transfer.h"

/// What the code editors keep for the life of the program.
struct EditorMemory {
  InsertionTarget target;
  FontMemory font;
  bool template_known = false;  // the template editor's text came from, or went to, a file
};

struct OptionsContext {
  AdvancedSettings* record = nullptr;  // SnippletRows and SnippletFiles change without OK
  CommittedFlags* flags = nullptr;
  std::optional<Form>* thumb_codes = nullptr;  // frmNPControl while it is loaded
  EditorMemory* editors = nullptr;
  std::string program_folder;  // the state folder, where the default template lies
  std::string config_dir;      // ConfigDir: a template name without a folder is looked for there
};
