#include <gtest/gtest.h>

#include <string>

#include "pictures/photo_facts_read.h"

namespace {

const std::string kPhotos = std::string(KESTO_TEST_DATA) + "/photos/";

// Each picture of tests/data/photos (scripts/make-test-photos) gives exactly these facts; damaged
// or missing metadata gives none and prints nothing.
TEST(PhotoFactsTest, ReadsTheFactsOfEachPicture) {
  const struct {
    const char* file;
    PhotoFacts facts;
  } cases[] = {
      {"zebra.jpg",
       {"2019-05-01 08:00:00", "Zebra & friends", "Canon EOS 5D", "EF 35mm f/2",
        "1/250 s, f/8, ISO 100, 35 mm", "zoo, stripes"}},
      {"apple.jpg", {"2020-01-02 00:00:00", "Apple tree", "", "", "", "garden, fruit"}},
      {"mango.jpg", {"2018-03-04 05:06:07", "", "NIKON D750", "", "2 s, f/2.8", ""}},
      {"banana.jpg", {}},
      {"cherry.gif", {}},
      {"broken-exif.jpg", {}},
      {"broken-xmp.jpg", {}},  // the EXIF block beside it says nothing either
      {"broken-iptc.jpg",
       {"2019-05-01 08:00:00", "", "Canon EOS 5D", "EF 35mm f/2", "1/250 s, f/8, ISO 100, 35 mm",
        ""}},
      {"cut.jpg", {}},
  };
  testing::internal::CaptureStderr();
  for (const auto& c : cases) EXPECT_EQ(ReadPhotoFacts(kPhotos + c.file), c.facts) << c.file;
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

}  // namespace
