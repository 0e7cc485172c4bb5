// Runs that sort by or show the pictures' metadata, and its cache.
#include <chrono>

#include "engine/run/run_fixture.h"
#include "run/photo_facts_cache.h"
#include "settings/text.h"

namespace {

using namespace run_test;

// The folder holds pictures whose names and dates disagree, and two undated.
class PhotoRun : public RunTest {
 protected:
  void SetUp() override {
    for (const char* name : {"zebra.jpg", "apple.jpg", "mango.jpg", "banana.jpg", "cherry.gif"})
      Copy(pics_ + "/" + name, std::string("photos/") + name);
  }
  RunInput Sorted(bool by_date) { return {{pics_}, {}, 2, {}, by_date}; }
  std::string Cache() const { return temp_.Read("pics/thumbs/" + std::string(kFactsCacheName)); }
};

TEST_F(PhotoRun, PagesFollowTheDateTakenWithUndatedPicturesLast) {
  AdvancedSettings advanced =
      Advanced("CellCode=[IMAGE FILE NAME] [DATE TAKEN] [EXPOSURE]|\nCols=9\nGenMenu=0");
  advanced.DateFormat = "%e %b %Y";
  Run(true, Sorted(true), advanced);
  std::string page = temp_.Read("pics/page_01.html");
  EXPECT_NE(page.find("<TR>\r\nmango.jpg  4 Mar 2018 2 s, f/2.8|\r\nzebra.jpg  1 May 2019 1/250 s, "
                      "f/8, ISO 100, 35 mm|\r\napple.jpg  2 Jan 2020 |\r\nbanana.jpg  |\r\n"
                      "cherry.gif  |\r\n</TR>"),
            page.npos)
      << page;
  ExpressSettings express;
  express.ExpressShowDate = express.ExpressShowCaption = express.ExpressSepPage = "1";
  express.ExpressShowName = express.ExpressShowSize = "0";
  express.ExpressLinkTarget = "viewer";
  Run(false, Sorted(true), {}, express);
  page = temp_.Read("pics/page1.html");
  size_t at = 0;
  for (const char* thumb : {"mango_tn", "zebra_tn", "apple_tn", "banana_tn", "cherry_tn"})
    EXPECT_NE(at = page.find(thumb, at), page.npos) << thumb << page;
  const std::string zebra = temp_.Read("pics/zebra.html");
  for (const char* text :
       {"<br>2019-05-01 08:00<br>Zebra &amp; friends</FONT>", "\"mango.html\">Previous"})
    EXPECT_NE(zebra.find(text), zebra.npos) << zebra;
  EXPECT_NE(
      temp_.Read("pics/kesto-viewer.js")
          .find(R"(["zebra.jpg","zebra.jpg\u000a2019-05-01 08:00\u000aZebra \u0026 friends",1])"),
      std::string::npos);
}

TEST_F(PhotoRun, TheCacheIsReusedAndRefreshedWhenAPictureChanges) {
  Run(false, Sorted(false));
  Run(true, Sorted(false));
  EXPECT_FALSE(fs::exists(pics_ + "/thumbs/" + kFactsCacheName));
  ExpressSettings caption;
  caption.ExpressShowCaption = "1";
  Run(false, Sorted(false), {}, caption);
  ASSERT_TRUE(Cache().starts_with(kFactsCacheMark));
  // A caption only the cache knows shows that the picture was not read again.
  temp_.Write("pics/thumbs/.kesto-facts",
              ReplaceAll(Cache(), "Zebra & friends", "From\\tthe cache"));
  Run(false, Sorted(false), {}, caption);
  EXPECT_NE(temp_.Read("pics/page1.html").find("From\tthe cache"), std::string::npos);
  fs::last_write_time(pics_ + "/zebra.jpg",
                      fs::last_write_time(pics_ + "/zebra.jpg") + std::chrono::seconds(5));
  fs::remove(pics_ + "/apple.jpg");
  Run(false, Sorted(false), {}, caption);
  EXPECT_NE(temp_.Read("pics/page1.html").find("Zebra &amp; friends"), std::string::npos);
  EXPECT_EQ(Cache().find("apple.jpg"), std::string::npos);
}

// A file of the user's at the cache's path, or a link there, stays as it is.
TEST_F(PhotoRun, AFileThatIsNotTheCacheIsLeftAlone) {
  const std::string cache = Dir("pics/thumbs") + "/.kesto-facts";
  temp_.Write("elsewhere", "mine\n");
  ExpressSettings dated;
  dated.ExpressShowDate = "1";
  for (bool link : {false, true}) {
    fs::remove(cache);
    link ? fs::create_symlink(temp_.Path("elsewhere"), cache) : WriteFile(cache, "mine\n");
    EXPECT_EQ(Run(false, Sorted(true), {}, dated),
              Names{cache + " is not KESTO's metadata cache: it is left as it is"});
    EXPECT_EQ(Cache() + temp_.Read("elsewhere"), "mine\nmine\n");
    EXPECT_EQ(fs::is_symlink(cache), link);
    EXPECT_NE(temp_.Read("pics/page1.html").find("<br>2018-03-04 05:06"), std::string::npos);
  }
}

}  // namespace
