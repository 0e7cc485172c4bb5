// The one font list of both front ends: the Express dialog, the font tag
// builder and kesto-cli, which names the font of an ExpressFontFace index.
#pragma once

#include <string>
#include <vector>

#include "settings/records.h"

/// The installed families as fontconfig gives them, without its aliases
/// ("Monospace", "Sans Serif", "Serif") and duplicates, sorted by character
/// codes.
std::vector<std::string> FontFamilies();

/// The family at `index` of FontFamilies(), or "" when there is none there.
std::string FontFamilyAt(long long index);

/// A name the page writer can use: a record without ExpressFontName gets the
/// family at its ExpressFontFace ("" beyond the list).
void FillFontName(ExpressSettings* settings);
