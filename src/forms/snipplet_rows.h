// The snipplet row list lstRows of the Advanced dialog: one entry per table
// row of an index page, naming the snippet file written after that row, and
// the two fields made from it, SnippletRows ("2,4") and SnippletFiles
// ("path?3^^$$^^", one item per row with a file).
//
// An entry is the row number with a blank before it, padded with blanks to 5
// characters (" 1   "); a row with a file keeps the first 4 of those and the
// path follows (" 1  /home/me/ad.html"). A selected entry's snippet is in use.
#pragma once

#include <string>
#include <string_view>

#include "forms/form_model.h"
#include "settings/records.h"

/// The list holds at most this many rows, so a row number fits its entry.
inline constexpr int kMaxSnippletRows = 9999;

/// The entry of `row` without a file: " 1   ", " 12  ".
std::string RowEntry(int row);

/// The path of an entry (characters 5 onward), "" when the entry has none.
std::string EntryPath(std::string_view entry);

/// Clears `list` and adds the rows 1 to the numeric value of `rows` (rounded,
/// at most kMaxSnippletRows), attaches the files of `files` to the rows their
/// indexes name and selects the rows `selected_rows` names. Items for rows
/// beyond the list are dropped; the last item for a row wins. An item is
/// read up to its "^^$$^^", so a path holding "^" or "$" stays whole; an
/// item without a whole number after its last "?", and the item after it,
/// attach nothing.
void FillSnippletList(std::string_view rows, std::string_view files, std::string_view selected_rows,
                      Control* list);

/// Sets SnippletRows and SnippletFiles from the list.
void CaptureSnippletList(const Control& list, AdvancedSettings* settings);

/// What a change of txtRows does: captures a non-empty list into `settings`
/// first, so that the remaining rows keep their files and selections, then
/// fills the list for `rows` from the settings.
void RebuildSnippletList(std::string_view rows, Control* list, AdvancedSettings* settings);

/// Attaches `path` to the current entry, keeping its selection. Returns false,
/// changing nothing, when there is no current entry or the path holds what
/// SnippletFiles cannot carry: "^^$$^^" or a line break.
bool LoadSnipplet(std::string_view path, Control* list);

/// Detaches the file of the current entry and unselects it; no current entry
/// does nothing.
void ClearSnipplet(Control* list);

/// Clear All after a Yes: the plain rows of `rows`, nothing selected.
void ClearAllSnipplets(std::string_view rows, Control* list);
