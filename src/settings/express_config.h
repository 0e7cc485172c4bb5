// Express configuration files (.cfe): the thumbnail options and the Express
// settings as keys of the INI section "Express".
#pragma once

#include <string>
#include <string_view>

#include "settings/records.h"

/// The text of `old_text` (an existing file's text, or "") with the keys
/// Quality, ResizeMethod, Height, Width, Progressive, the fields of
/// kExpressFields (switches as "True" or "False") and last ExpressFontName
/// set in section "Express"; other sections, keys and lines stay as they were.
/// ExpressHiDpi, ExpressShowDate and ExpressShowCaption follow, each only
/// when it is on or the text has the key already.
std::string UpdateExpressConfig(std::string_view old_text, const ExpressSettings& settings,
                                const ThumbOptions& thumbs);

/// Reads a .cfe text into the records, key by key in this order: Quality,
/// ResizeMethod, Height, Width, Progressive, the two switches, the other
/// fields. Fails at the first value the records cannot take, a Quality not
/// between 1 and 100, a Progressive other than 0, 1 or 2, a switch neither
/// "True"/"False" nor a number; `err` names the key and what was read before
/// stays set. A missing text key gives the text kNoValue ("<no value>"). A
/// missing ExpressFontName empties that field: the caller then takes the
/// font at ExpressFontFace of its font list. A missing ExpressHiDpi,
/// ExpressShowDate or ExpressShowCaption is "0".
bool ParseExpressConfig(std::string_view text, ExpressSettings* settings, ThumbOptions* thumbs,
                        std::string* err);

/// Sets the keys of UpdateExpressConfig() in `path`, creating the file when it
/// is missing. Fails, leaving the file alone, when the old file cannot be read
/// or the new one cannot be written.
bool SaveExpressConfig(const std::string& path, const ExpressSettings& settings,
                       const ThumbOptions& thumbs, std::string* err);

/// Reads `path` with ParseExpressConfig(). Errors begin with `path`; a file
/// that cannot be read changes nothing.
bool LoadExpressConfig(const std::string& path, ExpressSettings* settings, ThumbOptions* thumbs,
                       std::string* err);
