#include <gtest/gtest.h>

#include "pictures/photo_facts_read.h"

namespace {

// Each picture of tests/data/photos (scripts/make-test-photos) gives exactly these facts; damaged
// or missing metadata gives none (nor does the EXIF block beside broken-xmp.jpg's) and no output.
TEST(PhotoFactsTest, ReadsTheFactsOfEachPicture) {
  const PhotoFacts zebra{
      "2019-05-01 08:00:00",          "Zebra & friends", "Canon EOS 5D", "EF 35mm f/2",
      "1/250 s, f/8, ISO 100, 35 mm", "zoo, stripes"};
  PhotoFacts no_iptc = zebra;
  no_iptc.caption = no_iptc.keywords = "";
  const std::pair<const char*, PhotoFacts> cases[] = {
      {"zebra.jpg", zebra},
      {"apple.jpg", {"2020-01-02 00:00:00", "Apple tree", "", "", "", "garden, fruit"}},
      {"broken-iptc.jpg", no_iptc}};
  testing::internal::CaptureStderr();
  for (const char* f : {"banana.jpg", "cherry.gif", "broken-exif.jpg", "broken-xmp.jpg", "cut.jpg"})
    EXPECT_EQ(ReadPhotoFacts(KESTO_TEST_DATA "/photos/" + std::string(f)), PhotoFacts()) << f;
  for (const auto& [file, facts] : cases)
    EXPECT_EQ(ReadPhotoFacts(KESTO_TEST_DATA "/photos/" + std::string(file)), facts) << file;
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
