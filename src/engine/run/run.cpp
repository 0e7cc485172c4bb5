#include "run/run.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <functional>
#include <future>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "pages/advanced_pages.h"
#include "pages/express_pages.h"
#include "pages/page_names.h"
#include "pages/page_output.h"
#include "pages/photo_tags.h"
#include "pages/picture_list.h"
#include "pictures/thumbnails.h"
#include "run/cleanup.h"
#include "run/photo_facts_cache.h"
#include "run/run_report_text.h"
#include "run/thumb_batch.h"
#include "settings/file_io.h"
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
  bool needs_facts = false;  // the pages show or sort by the pictures' metadata
  ReportPaths paths;
  // Writes a directory's pages, noting what went wrong on the way.
  std::function<void(const std::string&, const std::vector<PictureFile>&, PageWarnings*)>
      write_pages;
};

// Every text the host shows has the control characters of names written
// visibly, so that no file name can forge a line.
void Warn(RunHost* host, const std::string& text) { host->Warn(VisibleControls(text)); }

void WarnNoThumbnail(RunHost* host, const ThumbTask& task, const std::string& why) {
  Warn(host, "no thumbnail of " + task.picture + ": " + why);
}

// Turns the thumbnail batch's events into the host's progress display and
// remembers a STOP until the driver acts on it.
class Progress : public ThumbListener {
 public:
  Progress(RunHost* host, ProgressState state) : host_(host), state_(std::move(state)) {}

  void Starting(const ThumbTask& task) override {
    state_.file_label = VisibleControls(ShortenText(task.name, 28));
    state_.size_label = SizeLabel(task.size);
    host_->ShowProgress(state_);
  }
  void Finished(const ThumbTask& task, bool, const std::string& error) override {
    ++state_.value;
    host_->ShowProgress(state_);
    if (!error.empty()) WarnNoThumbnail(host_, task, error);
  }
  bool Poll() override { return stopped_ = stopped_ || host_->PollStop(); }

  void Show() { host_->ShowProgress(state_); }
  bool stopped() const { return stopped_; }

 private:
  RunHost* host_;
  ProgressState state_;
  bool stopped_ = false;
};

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
    Warn(host, "cannot make the thumbnail folder " + folder + ": " + ec.message());
  return folder;
}

ProgressState FirstProgress(size_t index, const RunInput& input, const std::string& current,
                            size_t due, bool advanced) {
  ProgressState state;
  state.dir_index = index;
  state.dir_count = input.directories.size();
  state.maximum = 1 + static_cast<int64_t>(due);
  state.dir_label = VisibleControls(ShortenText(current.empty() ? "/" : current, 36));
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
  PageWarnings warnings;
  mode.write_pages(current, pictures, &warnings);
  for (const std::string& warning : warnings) Warn(host, warning);
  *stop = host->PollStop() || *stop;
  host->SetStatusVisible(false);
}

// Pictures whose names differ only in the extension share one thumbnail and
// one picture page; the user is told which.
void WarnSharedNames(const std::string& dir, const std::vector<PictureFile>& pictures,
                     const ThumbNaming& naming, RunHost* host) {
  std::unordered_map<std::string_view, std::vector<size_t>> by_base;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::string& name = pictures[i].name;
    if (Trim(naming.affix).empty() || name.find(naming.affix) == std::string::npos)
      by_base[std::string_view(name).substr(0, BaseName(name).size())].push_back(i);
  }
  std::vector<std::vector<size_t>> shared;  // in list order of their first picture
  for (auto& [base, indices] : by_base)
    if (indices.size() > 1) shared.push_back(std::move(indices));
  std::sort(shared.begin(), shared.end());
  for (const std::vector<size_t>& indices : shared) {
    std::string list = pictures[indices[0]].name;
    for (size_t i = 1; i < indices.size(); ++i)
      list += (i + 1 == indices.size() ? " and " : ", ") + pictures[indices[i]].name;
    Warn(host, dir + ": " + list + " share one thumbnail and one picture page");
  }
}

// One directory of the list; false when STOP ends the run here.
bool RunDirectory(size_t index, const RunInput& input, const Mode& mode, RunHost* host,
                  RunReport* report, bool* stop) {
  const std::string& entry = input.directories[index];
  if (entry.size() >= PATH_MAX) {  // a folder deep in a tree: the system takes no such path
    Warn(host, entry + ": the path is longer than " + NumText(PATH_MAX - 1) +
                   " bytes, more than the system takes; the folder is left out");
    return true;
  }
  if (!IsDirectory(entry)) {
    report->InvalidPaths += VisibleControls(entry) + "\r\n";
    return true;
  }
  std::string current = StripTrailingSlashes(FullPath(entry));
  bool readable = false;
  std::vector<PictureFile> pictures = ListPictures(current, &readable, input.formats);
  if (!readable) {  // a folder that cannot be read is reported like a missing one
    report->InvalidPaths += VisibleControls(entry) + "\r\n";
    return true;
  }
  WarnSharedNames(current, pictures, mode.naming, host);
  RemoveAbandonedTemps(current);
  std::string thumb_dir = ThumbFolder(current, mode, host);
  std::vector<ThumbTask> kept;
  std::vector<ThumbTask> due = PlanThumbnails(current, thumb_dir, pictures, mode.naming, &kept);
  for (const ThumbTask& task : kept) WarnNoThumbnail(host, task, KeptFileError(task.thumb_path));
  Progress progress(host, FirstProgress(index, input, current, due.size(), mode.advanced));
  if (!due.empty()) progress.Show();
  // STOP is looked at before a picture: later folders without pictures are
  // still given their pages and clean-up.
  if (!pictures.empty() && (*stop || progress.Poll())) return false;
  std::future<std::string> facts;  // read on a thread of its own while thumbnails are made
  if (mode.needs_facts)
    facts = std::async(std::launch::async, FillPhotoFacts, current, thumb_dir, &pictures);
  for (const std::string& picture : RunThumbnailBatch(due, ThumbTarget(input.thumbs), input.thumbs,
                                                      input.workers, &progress, input.formats))
    report->CorruptedFiles += VisibleControls(picture) + "\r\n";
  if (progress.stopped()) return false;
  if (mode.delete_html) DeleteOldHtml(current, mode.advanced, host);
  if (facts.valid())
    if (std::string warning = facts.get(); !warning.empty()) Warn(host, warning);
  if (input.sort_by_date) SortByDateTaken(&pictures);
  WritePages(current, pictures, mode, host, stop);
  if (mode.clean_house) CleanOrphanThumbs(thumb_dir, current, mode.naming, host, input.formats);
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

// The mode's old-page mask ("*.html;*.htm;..."), without regard to case.
bool HasOldPageExtension(const std::string& name, bool advanced) {
  std::string extension = "." + LowerCase(GetExtension(name));
  for (std::string_view old : OldPageExtensions(advanced))
    if (extension == old) return true;
  return false;
}

bool PathHoldsOldPageExtension(const std::string& path, bool advanced) {
  for (std::string_view old : OldPageExtensions(advanced))
    if (path.find(old) != std::string::npos) return true;
  return false;
}

}  // namespace

std::string FullPath(const std::string& path) {
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

std::string StripTrailingSlashes(const std::string& path) {
  size_t end = path.find_last_not_of('/');
  return end == std::string::npos ? "" : path.substr(0, end + 1);
}

void DeleteOldHtml(const std::string& dir, bool advanced, RunHost* host) {
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
  for (const std::string& path : doomed)
    if (!fs::remove(path, ec) && ec)
      Warn(host, path + ": the old page cannot be deleted (" + ec.message() + ")");
}

std::string ThumbSizeError(const ThumbOptions& thumbs) {
  auto side_error = [](const char* field, const std::string& value) -> std::string {
    int64_t side = RoundHalfEven(Val(value));
    if (ValidThumbSide(side)) return "";
    return std::string(field) + " is \"" + VisibleControls(value) +
           "\": a thumbnail side must be from 1 to " + NumText(kMaxThumbSide) + " pixels";
  };
  ResizeBy by = EffectiveResize(thumbs);
  std::string error = by == ResizeBy::kWidth ? "" : side_error("Height", thumbs.Height);
  if (error.empty() && by != ResizeBy::kHeight) error = side_error("Width", thumbs.Width);
  return error;
}

std::string SubfolderError(const AdvancedSettings& settings) {
  const std::string& name = settings.SubFolderName;
  std::string trimmed = Trim(name);
  if (!IsOn(settings.StoreInSub) || (!trimmed.empty() && trimmed != "." && trimmed != ".." &&
                                     name.find('/') == std::string::npos))
    return "";
  return "SubFolderName is \"" + VisibleControls(name) +
         "\": the thumbnail folder must be one plain folder name, not empty, \".\", \"..\" or "
         "holding \"/\"";
}

std::string RunSettingsError(bool advanced, const AdvancedSettings& settings,
                             const ThumbOptions& thumbs) {
  std::string error = ThumbSizeError(thumbs);
  if (error.empty() && advanced) error = SubfolderError(settings);
  return error;
}

void RunAdvanced(const RunInput& input, const AdvancedSettings& settings, RunHost* host,
                 RunReport* report) {
  Mode mode;
  mode.advanced = true;
  mode.naming = {settings.ThumbExt, settings.Before, IsOn(settings.StoreInSub), settings.Overwrite};
  if (mode.naming.store_in_sub) mode.subfolder = settings.SubFolderName;
  mode.delete_html = IsOn(settings.DelHTML);
  mode.clean_house = IsOn(settings.CleanHouse);
  mode.needs_facts = input.sort_by_date || ShowsPhotoFacts(settings);
  mode.paths = {settings.Header, settings.Footer, settings.TmplAddy};
  mode.write_pages = [&](const std::string& dir, const std::vector<PictureFile>& pictures,
                         PageWarnings* warnings) {
    WriteAdvancedPages(dir, pictures, settings, report, warnings);
  };
  Run(input, mode, host, report);
}

void RunExpress(const RunInput& input, const ExpressSettings& settings, RunHost* host,
                RunReport* report) {
  Mode mode;
  mode.naming = {kExpressAffix, false, true, settings.ExpressOverwrite,
                 IsOn(settings.ExpressHiDpi)};
  mode.subfolder = kExpressThumbFolder;
  mode.delete_html = IsOn(settings.ExpressDelHTML);
  mode.clean_house = IsOn(settings.ExpressCleanHouse);
  mode.needs_facts =
      input.sort_by_date || IsOn(settings.ExpressShowDate) || IsOn(settings.ExpressShowCaption);
  mode.write_pages = [&](const std::string& dir, const std::vector<PictureFile>& pictures,
                         PageWarnings* warnings) {
    WriteExpressPages(dir, pictures, settings, warnings);
  };
  Run(input, mode, host, report);
}

void Process(bool advanced, const RunInput& input, const AdvancedSettings& advanced_settings,
             const ExpressSettings& express_settings, RunHost* host, RunReport* report) {
  *report = RunReport();
  std::string error = RunSettingsError(advanced, advanced_settings, input.thumbs);
  if (!error.empty()) return host->Warn(error);
  if (advanced)
    RunAdvanced(input, advanced_settings, host, report);
  else
    RunExpress(input, express_settings, host, report);
}
