// Picture titles made from file names.
#pragma once

#include <string>

#include "pages/page_output.h"
#include "settings/records.h"

/// The title of `file_name` by naming pattern 0 ("John Smith.jpg"),
/// 1 ("JohnSmith.jpg") or 2 ("John_Smith.jpg"); any other pattern gives "".
std::string GuessTitle(const std::string& file_name, int pattern);

/// `name` cut to FNameMaxLet characters at the start, middle or end, with
/// FNameReplaceStr standing for the cut part. Throws PageError for a cut of
/// negative length (a maximum below the replacement text, an empty name with
/// its extension dropped).
std::string ShortenName(const std::string& name, const AdvancedSettings& settings);

/// The Advanced "[IMAGE TITLE]": extension dropped, title guessed and name
/// shortened as the settings ask; shortening only when `allow_shortening`.
/// Throws PageError.
std::string PictureTitle(const std::string& file_name, bool allow_shortening,
                         const AdvancedSettings& settings);
