// The picture table of one directory's Advanced pages.
#pragma once

#include <string>
#include <vector>

#include "pages/picture_list.h"
#include "settings/records.h"

/// One picture as the index cells and picture pages name it (names unescaped).
struct PictureEntry {
  std::string file_name;   // as listed
  std::string page_name;   // its picture page: base name + ".html"
  std::string thumb_name;  // its thumbnail, without folder
  std::string size_kb;     // whole kilobytes, rounded down
  PhotoFacts facts;        // its metadata, when the run read it
};

/// The listed files that are pictures, in list order: a name containing
/// ThumbExt is a thumbnail and left out, unless ThumbExt is blank.
std::vector<PictureEntry> BuildPictureTable(const std::vector<PictureFile>& files,
                                            const AdvancedSettings& settings);

/// What a link to the picture page of `entry` leads to: the page, or the
/// picture itself when no page is written because it would be the folder's
/// landing page (IsLandingPage()).
std::string PageLink(const PictureEntry& entry);

/// What "[THUMB PATH]" and its neighbour tags become: SubFolderName + "/"
/// trimmed when StoreInSub is on; "" otherwise or without a folder name.
std::string ThumbPathTag(const AdvancedSettings& settings);
