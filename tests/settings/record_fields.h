// Records whose every field holds a value of its own, and their comparison.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings/records.h"
#include "settings/text.h"

/// Every text field gets a value naming it (with a non-ASCII letter); every
/// switch is `flag`.
template <typename Record, typename Fields>
Record Distinct(const Fields& fields, bool flag) {
  Record r;
  for (size_t i = 0; i < fields.size(); ++i)
    (fields[i].text
         ? void(r.*fields[i].text = std::string(fields[i].name) + " <" + std::to_string(i) + "> é")
         : void(r.*fields[i].flag = flag));
  return r;
}

template <typename Record, typename Fields>
void ExpectSameFields(const Fields& fields, const Record& a, const Record& b) {
  for (const auto& f : fields)
    EXPECT_EQ(f.text ? a.*f.text : std::to_string(a.*f.flag),
              f.text ? b.*f.text : std::to_string(b.*f.flag))
        << f.name;
}

/// Sets fields of `record` as lines "Name=value" ("True" or "False" for a
/// switch) ask, "{in}" in a value standing for `in`.
template <typename Record, typename Fields>
void Assign(const Fields& fields, const std::string& lines, Record* record,
            const std::string& in = "") {
  for (const std::string& line : ParseString(lines, "\n")) {
    std::string name = line.substr(0, line.find('='));
    auto f = std::find_if(fields.begin(), fields.end(),
                          [&](const auto& field) { return field.name == name; });
    ASSERT_NE(f, fields.end()) << line;
    std::string value = ReplaceAll(line.substr(name.size() + 1), "{in}", in);
    (f->text ? void(record->*f->text = value) : void(record->*f->flag = value == "True"));
  }
}

/// Thumbnail options unlike the initial ones in every field, and those
/// options as one text, to compare them whole.
inline const ThumbOptions kThumbs = {42, "Both", "120", "90", 1};
inline std::string ThumbsText(const ThumbOptions& t) {
  return std::to_string(t.Quality) + "|" + t.ResizeMethod + "|" + t.Height + "|" + t.Width + "|" +
         std::to_string(t.Progressive);
}

/// Saves records whose fields all differ (switches on, then off) to `path`
/// and loads each over its opposite: every field and the thumbnail options
/// come back. Loading a missing file fails naming it and changes nothing.
template <typename Record, typename Fields, typename Save, typename Load>
void ExpectRoundTrip(const Fields& fields, const std::string& path, Save save, Load load) {
  std::string err;
  for (bool flag : {true, false}) {
    Record saved = Distinct<Record>(fields, flag), loaded = Distinct<Record>(fields, !flag);
    ThumbOptions thumbs;
    ASSERT_TRUE(save(path, saved, kThumbs, &err)) << err;
    ASSERT_TRUE(load(path, &loaded, &thumbs, &err)) << err;
    ExpectSameFields(fields, saved, loaded);
    EXPECT_EQ(ThumbsText(thumbs), ThumbsText(kThumbs));
  }
  Record kept = Distinct<Record>(fields, true);
  ThumbOptions thumbs = kThumbs;
  EXPECT_FALSE(load(path + "x", &kept, &thumbs, &err));
  EXPECT_EQ(err, path + "x: cannot be opened (No such file or directory)");
  ExpectSameFields(fields, kept, Distinct<Record>(fields, true));
  EXPECT_EQ(ThumbsText(thumbs), ThumbsText(kThumbs));
}
