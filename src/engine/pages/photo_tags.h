// The picture's own metadata in pages: the fact tags of Advanced code and the
// date of both modes.
#pragma once

#include <string>
#include <string_view>

#include "settings/photo_facts.h"
#include "settings/records.h"

/// `date_taken` ("YYYY-MM-DD HH:MM:SS") in a strftime-style `format`: %Y %y
/// %m %d %e %H %I %M %S %p %b %B %a %A %j and %%, names in English; any other
/// "%x" is kept as it stands. "" for no date.
std::string FormatDateTaken(const std::string& date_taken, std::string_view format);

/// `code` with each fact tag (tags.h) filled in for where it lands, as the
/// name tags are (FillNameTag()); the date in DateFormat.
std::string FillFactTags(const std::string& code, const PhotoFacts& facts,
                         const AdvancedSettings& s);

/// True when the Advanced code in use holds a fact tag: the cell (CellCode,
/// or JavaCell with UseJava), or the template file when UseTmpl is on.
bool ShowsPhotoFacts(const AdvancedSettings& s);
