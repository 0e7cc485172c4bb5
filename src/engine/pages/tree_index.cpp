#include "pages/tree_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "pages/html_text.h"
#include "pages/page_output.h"

namespace {

constexpr int kColumns = 4;

// A relative path as a link: each name of it written as HtmlUrl().
std::string PathUrl(std::string_view path) {
  std::string url;
  for (size_t start = 0;;) {
    size_t slash = path.find('/', start);
    url += HtmlUrl(path.substr(start, slash - start));
    if (slash == std::string_view::npos) return url;
    url += '/';
    start = slash + 1;
  }
}

std::string Cell(std::string_view title, const TreeGallery& g) {
  std::string folder = g.folder.empty() ? "" : PathUrl(g.folder) + "/";
  std::string image;
  if (!g.thumb.empty()) image = "<img src=\"" + folder + PathUrl(g.thumb) + "\" border=1><br>";
  std::string label = HtmlText(g.folder.empty() ? title : std::string_view(g.folder));
  return "<TD align=center valign=bottom><a href=\"" + folder + HtmlUrl(g.first_page) + "\">" +
         image + label + "</a><br><br></TD>";
}

}  // namespace

std::string TreeIndexText(std::string_view title, const std::vector<TreeGallery>& galleries) {
  PageText page;
  page.Start();
  page.Line(kTreeIndexMark);
  std::string shown = HtmlText(title);
  page.Line("<HTML><HEAD><TITLE>" + shown + "</TITLE></HEAD>");
  page.Line("<BODY bgcolor=#000000 text=#FFFFFF link=#FFFFFF vlink=#C0C0C0 alink=#FFFFFF>");
  page.Line("<div align=\"center\"><br><font size=5><B>" + shown + "</B></font><br><br>");
  page.Line("<TABLE cellpadding=7 cellspacing=0 border=0>");
  for (size_t i = 0; i < galleries.size(); ++i) {
    if (i % kColumns == 0) page.Line("<TR>");
    page.Line(Cell(title, galleries[i]));
    if (i % kColumns == kColumns - 1 || i + 1 == galleries.size()) page.Line("</TR>");
  }
  page.Line("</TABLE></div></BODY></HTML>");
  return std::move(page.text);
}

bool IsOwnTreeIndex(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  std::string head(kUtf8Bom);
  head += kTreeIndexMark;
  std::string read(head.size(), '\0');
  struct stat st;
  bool own = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
             pread(fd, read.data(), read.size(), 0) == static_cast<ssize_t>(read.size()) &&
             read == head;
  close(fd);
  return own;
}

bool WriteTreeIndex(const std::string& path, std::string_view text, std::string* error) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && !IsOwnTreeIndex(path)) {
    *error = path + " is not a tree index the program wrote; it is left as it is";
    return false;
  }
  return WritePage(path, text, error);
}
