// The settings records of both modes and the thumbnail options.
//
// Nearly every field is text, as the user or a file gave it: flags hold "1" or
// "0", numbers and choices their decimal text, colours a decimal 0x00BBGGRR
// value. Only the option-button groups ("switches") are Booleans. The page
// writers convert a value when they use it (settings/text.h), so an odd value
// read from a file survives a save and load unchanged.
#pragma once

#include <array>
#include <string>
#include <string_view>

/// The JPEG thumbnail options shared by both modes (the main window's controls).
struct ThumbOptions {
  int Quality = 75;                     // 1 to 100
  std::string ResizeMethod = "Height";  // "Height", "Width" or "Both"
  std::string Height = "100";           // number-text, pixels
  std::string Width = "100";            // number-text, pixels
  int Progressive = 0;                  // 0 or 1
};

// The records' fields are declared in settings/advanced_fields.h and
// settings/express_fields.h, each once with its initial value.
#define TEXT(name, control, kind, rule, initial, ...) std::string name = initial;
#define NP_TEXT TEXT
#define SWITCH(name, control, initial) bool name = initial;
#define PLAIN(name, initial) std::string name = initial;

/// The settings of Advanced mode, in the order of the .cfg file (lines 6 to 92).
struct AdvancedSettings {
#include "settings/advanced_fields.h"
  // How [DATE TAKEN] writes a date, strftime-style; "" for kDefaultDateFormat.
  // Not among kAdvancedFields: a .cfg holds it on a line of its own after the
  // others only when it is set.
  std::string DateFormat = "";
};

/// The form of [DATE TAKEN] when DateFormat is empty.
inline constexpr char kDefaultDateFormat[] = "%Y-%m-%d %H:%M";

/// The settings of Express mode. Each name is also its key in a .cfe file.
struct ExpressSettings {
#include "settings/express_fields.h"
  // A second thumbnail at twice the size for sharp screens, "1" or "0". Not
  // among kExpressFields: a .cfe holds the key only when it asks for it.
  std::string ExpressHiDpi = "0";
  // Index pages that reflow to the screen's width, "1" or "0"; also opt-in.
  std::string ExpressResponsive = "0";
  // The date a picture was taken and its caption under each thumbnail and on
  // its picture page, "1" or "0"; kept in a .cfe as ExpressHiDpi is.
  std::string ExpressShowDate = "0";
  std::string ExpressShowCaption = "0";
};

/// The opt-in keys of ExpressSettings, in the order they follow the others.
struct OptInKey {
  const char* name;
  std::string ExpressSettings::*text;
};
inline constexpr std::array<OptInKey, 4> kExpressOptIns = {
    {{"ExpressHiDpi", &ExpressSettings::ExpressHiDpi},
     {"ExpressResponsive", &ExpressSettings::ExpressResponsive},
     {"ExpressShowDate", &ExpressSettings::ExpressShowDate},
     {"ExpressShowCaption", &ExpressSettings::ExpressShowCaption}}};

#undef TEXT
#undef NP_TEXT
#undef SWITCH
#undef PLAIN

/// The index page extensions HTMLExt chooses from, by its value "0" to "7".
inline constexpr std::array<std::string_view, 8> kPageExtensions = {
    ".html", ".htm", ".shtml", ".cgi", ".pl", ".asp", ".js", ".c"};

/// One field of a record by name: exactly one of `text` and `flag` is set.
template <typename Record>
struct RecordField {
  const char* name;
  std::string Record::*text;
  bool Record::*flag;
};

/// Every field of AdvancedSettings in .cfg order (lines 6 to 82, then 85 to 92).
extern const std::array<RecordField<AdvancedSettings>, 85> kAdvancedFields;

/// Every field of ExpressSettings in .cfe key order, ExpressFontName last.
extern const std::array<RecordField<ExpressSettings>, 39> kExpressFields;
