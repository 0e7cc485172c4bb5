#include "forms/snipplet_rows.h"

#include <algorithm>

#include "settings/text.h"

namespace {

constexpr std::string_view kItemEnd = "^^$$^^";

bool HasCurrent(const Control& list) {
  return list.index >= 0 && list.index < static_cast<int>(list.entries.size());
}

// The entry with `path` after the first 4 characters of its row number.
void Attach(size_t i, std::string_view path, Control* list) {
  list->entries[i] = CharLeft(list->entries[i], 4) + std::string(path);
}

// Reads "path?index"; false when no whole number follows the last "?".
bool ParseItem(std::string_view item, std::string_view* path, size_t* index) {
  size_t mark = item.rfind('?');
  if (mark == std::string_view::npos) return false;
  std::string_view digits = item.substr(mark + 1);
  if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != digits.npos)
    return false;
  *path = item.substr(0, mark);
  *index = std::stoul(std::string(digits));
  return true;
}

// An item right after one without an index may be the tail of a path that
// held "^^$$^^" itself, so it attaches nothing either.
void AttachFiles(std::string_view files, Control* list) {
  bool after_whole_item = true;
  for (size_t pos = 0; pos < files.size(); pos += kItemEnd.size()) {
    size_t end = std::min(files.find(kItemEnd, pos), files.size());
    std::string_view path;
    size_t index = 0;
    bool whole = ParseItem(files.substr(pos, end - pos), &path, &index);
    if (whole && after_whole_item && index < list->entries.size()) Attach(index, path, list);
    after_whole_item = whole;
    pos = end;
  }
}

void SelectRows(std::string_view selected_rows, Control* list) {
  for (const std::string& token : ParseString(selected_rows, ",")) {
    int64_t row = RoundHalfEven(Val(token));
    if (row >= 1 && row <= static_cast<int64_t>(list->entries.size()))
      list->selected[row - 1] = true;
  }
}

void FillPlainRows(std::string_view rows, Control* list) {
  int64_t count = std::clamp<int64_t>(RoundHalfEven(Val(rows)), 0, kMaxSnippletRows);
  list->entries.clear();
  for (int row = 1; row <= count; ++row) list->entries.push_back(RowEntry(row));
  list->selected.assign(count, false);
  list->index = -1;
}

}  // namespace

std::string RowEntry(int row) {
  std::string entry = SignedNumText(row);
  if (entry.size() < 5) entry.resize(5, ' ');
  return entry;
}

std::string EntryPath(std::string_view entry) {
  if (CharCount(entry) <= 5) return "";
  return std::string(entry.substr(CharLeft(entry, 4).size()));
}

void FillSnippletList(std::string_view rows, std::string_view files, std::string_view selected_rows,
                      Control* list) {
  FillPlainRows(rows, list);
  AttachFiles(files, list);
  SelectRows(selected_rows, list);
}

void CaptureSnippletList(const Control& list, AdvancedSettings* settings) {
  std::string rows, files;
  for (size_t i = 0; i < list.entries.size(); ++i) {
    if (i < list.selected.size() && list.selected[i])
      rows += (rows.empty() ? "" : ",") + NumText(i + 1);
    std::string path = EntryPath(list.entries[i]);
    if (!path.empty()) files += path + "?" + NumText(i) + std::string(kItemEnd);
  }
  settings->SnippletRows = rows;
  settings->SnippletFiles = files;
}

void RebuildSnippletList(std::string_view rows, Control* list, AdvancedSettings* settings) {
  if (!list->entries.empty()) CaptureSnippletList(*list, settings);
  FillSnippletList(rows, settings->SnippletFiles, settings->SnippletRows, list);
}

bool LoadSnipplet(std::string_view path, Control* list) {
  if (!HasCurrent(*list) || path.find(kItemEnd) != path.npos ||
      path.find_first_of("\r\n") != path.npos)
    return false;
  Attach(list->index, path, list);
  return true;
}

void ClearSnipplet(Control* list) {
  if (!HasCurrent(*list)) return;
  Attach(list->index, "", list);
  if (static_cast<size_t>(list->index) < list->selected.size()) list->selected[list->index] = false;
}

void ClearAllSnipplets(std::string_view rows, Control* list) { FillPlainRows(rows, list); }
