#include "engine/run.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "engine/advanced_pages.h"
#include "engine/cleanup.h"
#include "engine/express_pages.h"
#include "engine/picture_list.h"
#include "engine/run_report_text.h"
#include "engine/thumb_batch.h"
#include "engine/thumbnails.h"
#include "settings/text.h"

namespace fs = std::filesystem;

namespace {

// What differs between the two modes.
struct Mode {
  bool advanced = false;
  ThumbNaming naming;
  std::string subfolder;  // empty: thumbnails lie beside the pictures
  bool delete_html = false;
  bool clean_house = false;
  ReportPaths paths;
  // Writes a directory's pages; gives why they ended early, else "".
  std::function<std::string(const std::string&, const std::vector<PictureFile>&)> write_pages;
};

// Turns the thumbnail batch's events into the host's progress display and
// remembers a STOP until the driver acts on it.
class Progress : public ThumbListener {
 public:
  Progress(RunHost* host, ProgressState state) : host_(host), state_(std::move(state)) {}

  void Starting(const ThumbTask& task) override {
    state_.file_label = ShortenText(task.name, 28);
    state_.size_label = SizeLabel(task.size);
    host_->ShowProgress(state_);
  }
  void Finished(const ThumbTask& task, bool, const std::string& error) override {
    ++state_.value;
    host_->ShowProgress(state_);
    if (!error.empty()) host_->Warn("no thumbnail of " + task.picture + ": " + error);
  }
  bool Poll() override { return stopped_ = stopped_ || host_->PollStop(); }

  void Show() { host_->ShowProgress(state_); }
  bool stopped() const { return stopped_; }

 private:
  RunHost* host_;
  ProgressState state_;
  bool stopped_ = false;
};

// A folder given relative to the working folder, made full, so that page
// titles name the folder and the old-page test sees the whole path.
std::string FullPath(const std::string& path) {
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

// The folder that receives the directory's thumbnails, made when missing.
std::string ThumbFolder(const std::string& current, const Mode& mode, RunHost* host) {
  if (mode.subfolder.empty()) return current;
  std::string folder = current + "/" + mode.subfolder;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(folder, ec)) && !fs::create_directory(folder, ec) && ec)
    host->Warn("cannot make the thumbnail folder " + folder + ": " + ec.message());
  return folder;
}

ProgressState FirstProgress(size_t index, const RunInput& input, const std::string& current,
                            size_t due, bool advanced) {
  ProgressState state;
  state.dir_index = index;
  state.dir_count = input.directories.size();
  state.maximum = 1 + static_cast<int64_t>(due);
  state.dir_label = ShortenText(current.empty() ? "/" : current, 36);
  state.status_label = advanced ? "Processing Directory..."
                                : "Processing Directory " + NumText(index + 1) + " of " +
                                      NumText(input.directories.size());
  return state;
}

// The pages list the pictures found before the thumbnails were made: new
// thumbnails carry the affix, which keeps them out of the pages anyway.
void WritePages(const std::string& current, const std::vector<PictureFile>& pictures,
                const Mode& mode, RunHost* host, bool* stop) {
  host->SetStatusVisible(true);
  *stop = host->PollStop() || *stop;
  std::string error = mode.write_pages(current, pictures);
  if (!error.empty()) host->Warn("the pages stopped early: " + error);
  *stop = host->PollStop() || *stop;
  host->SetStatusVisible(false);
}

// One directory of the list; false when STOP ends the run here.
bool RunDirectory(size_t index, const RunInput& input, const Mode& mode, RunHost* host,
                  RunReport* report, bool* stop) {
  const std::string& entry = input.directories[index];
  if (!IsDirectory(entry)) {
    report->InvalidPaths += entry + "\r\n";
    return true;
  }
  std::string current = StripTrailingSlashes(FullPath(entry));
  bool readable = false;
  std::vector<PictureFile> pictures = ListPictures(current, &readable);
  if (!readable) {  // a folder that cannot be read is reported like a missing one
    report->InvalidPaths += entry + "\r\n";
    return true;
  }
  std::string thumb_dir = ThumbFolder(current, mode, host);
  std::vector<ThumbTask> due = PlanThumbnails(current, thumb_dir, pictures, mode.naming);
  Progress progress(host, FirstProgress(index, input, current, due.size(), mode.advanced));
  if (!due.empty()) progress.Show();
  // STOP is looked at before a picture: later folders without pictures are
  // still given their pages and clean-up.
  if (!pictures.empty() && (*stop || progress.Poll())) return false;
  for (const std::string& picture :
       RunThumbnailBatch(due, ThumbTarget(input.thumbs), input.thumbs, input.workers, &progress))
    report->CorruptedFiles += picture + "\r\n";
  if (progress.stopped()) return false;
  if (mode.delete_html) DeleteOldHtml(current, mode.advanced);
  WritePages(current, pictures, mode, host, stop);
  if (mode.clean_house) CleanOrphanThumbs(thumb_dir, current, mode.naming, host);
  return true;
}

void ShowRunReport(const ReportPaths& paths, RunHost* host, RunReport* report) {
  std::string text = RunReportText(*report, paths);
  if (!text.empty()) host->ShowReport(text);
  report->CorruptedFiles.clear();
  report->MissingSnippets.clear();
}

void Run(const RunInput& input, const Mode& mode, RunHost* host, RunReport* report) {
  bool stop = false;
  for (size_t i = 0; i < input.directories.size(); ++i)
    if (!RunDirectory(i, input, mode, host, report, &stop)) break;
  host->HideProgress();
  ShowRunReport(mode.paths, host, report);
}

bool HasOldPageExtension(const std::string& name, bool advanced) {
  static const std::vector<std::string> kAdvanced = {"html", "htm", "shtml", "cgi",
                                                     "pl",   "js",  "c",     "asp"};
  static const std::vector<std::string> kExpress = {"html", "htm", "shtml"};
  std::string ext = LowerCase(GetExtension(name));
  for (const std::string& e : advanced ? kAdvanced : kExpress)
    if (ext == e) return true;
  return false;
}

bool PathHoldsOldPageExtension(const std::string& path, bool advanced) {
  static const std::vector<std::string> kAdvanced = {".html", ".htm", ".shtml", ".cgi",
                                                     ".pl",   ".js",  ".asp",   ".c"};
  static const std::vector<std::string> kExpress = {".html", ".htm", ".shtml"};
  for (const std::string& e : advanced ? kAdvanced : kExpress)
    if (path.find(e) != std::string::npos) return true;
  return false;
}

}  // namespace

std::string StripTrailingSlashes(const std::string& path) {
  size_t end = path.find_last_not_of('/');
  return end == std::string::npos ? "" : path.substr(0, end + 1);
}

void DeleteOldHtml(const std::string& dir, bool advanced) {
  std::error_code ec;
  std::vector<std::string> doomed;
  for (fs::directory_iterator it(dir.empty() ? "/" : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    std::error_code entry_ec;
    if (name[0] == '.' || !it->is_regular_file(entry_ec)) continue;
    std::string path = dir + "/" + name;
    if (HasOldPageExtension(name, advanced) && PathHoldsOldPageExtension(path, advanced))
      doomed.push_back(path);
  }
  for (const std::string& path : doomed) fs::remove(path, ec);
}

void RunAdvanced(const RunInput& input, const AdvancedSettings& settings, RunHost* host,
                 RunReport* report) {
  Mode mode;
  mode.advanced = true;
  mode.naming = {settings.ThumbExt, settings.Before, IsOn(settings.StoreInSub), settings.Overwrite};
  if (mode.naming.store_in_sub) mode.subfolder = settings.SubFolderName;
  mode.delete_html = IsOn(settings.DelHTML);
  mode.clean_house = IsOn(settings.CleanHouse);
  mode.paths = {settings.Header, settings.Footer, settings.TmplAddy};
  mode.write_pages = [&](const std::string& dir, const std::vector<PictureFile>& pictures) {
    std::string error;
    WriteAdvancedPages(dir, pictures, settings, report, &error);
    return error;
  };
  Run(input, mode, host, report);
}

void RunExpress(const RunInput& input, const ExpressSettings& settings, RunHost* host,
                RunReport* report) {
  Mode mode;
  mode.naming = {"_tn", false, true, settings.ExpressOverwrite};
  mode.subfolder = "thumbs";
  mode.delete_html = IsOn(settings.ExpressDelHTML);
  mode.clean_house = IsOn(settings.ExpressCleanHouse);
  mode.write_pages = [&](const std::string& dir, const std::vector<PictureFile>& pictures) {
    std::string error;
    WriteExpressPages(dir, pictures, settings, &error);
    return error;
  };
  Run(input, mode, host, report);
}

void Process(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings,
             const ExpressSettings& express_settings, RunHost* host, RunReport* report) {
  *report = RunReport();
  if (advanced)
    RunAdvanced(input, advanced_settings, host, report);
  else
    RunExpress(input, express_settings, host, report);
}
