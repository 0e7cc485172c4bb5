// The pictures of one directory, in the order every pass of a run walks them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/photo_facts.h"
#include "settings/picture_formats.h"

/// One listed picture: its file name (no folder) and its length in bytes.
struct PictureFile {
  std::string name;
  uint64_t size = 0;
  int64_t mtime_ns = 0;  // last modification, nanoseconds since the epoch
  PhotoFacts facts{};    // filled in by the run only when the pages show them or sort by them
};

/// The names of the regular files in `dir` (links to regular files too),
/// read in one pass; empty when the folder cannot be read.
std::vector<std::string> RegularFileNames(const std::string& dir);

/// Sorts names lower-cased, ties by their bytes ("10.jpg" before "9.jpg").
void SortByName(std::vector<PictureFile>* files);

/// Sorts pictures by the date they were taken, oldest first; those without
/// a date follow, each group keeping the order it had.
void SortByDateTaken(std::vector<PictureFile>* files);

/// The regular, non-hidden files of `dir` with the extension of a standard
/// picture type or of one of the `extra` types, sorted by name. A directory
/// that cannot be read gives an empty list and, when asked, *readable false.
std::vector<PictureFile> ListPictures(const std::string& dir, bool* readable = nullptr,
                                      ExtraFormats extra = {});
