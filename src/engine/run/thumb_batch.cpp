#include "run/thumb_batch.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_set>

#include "pictures/thumbnails.h"
#include "settings/file_io.h"
#include "settings/text.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);

std::string JoinPath(const std::string& dir, const std::string& name) { return dir + "/" + name; }

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

bool IsDue(const ThumbNaming& naming, const std::string& name, bool exists) {
  if (!exists && !naming.affix.empty() && name.find(naming.affix) == std::string::npos) return true;
  if (naming.overwrite && exists) return true;
  return !exists && naming.affix.empty() && naming.store_in_sub;
}

// Shared by the workers and the calling thread; guarded by `mutex`.
struct Batch {
  struct Event {
    size_t task;
    bool finished;
    bool written;
    std::string error;
  };

  Batch(const std::vector<ThumbTask>& all, int64_t side, const ThumbOptions& thumbs,
        ExtraFormats types, int workers)
      : tasks(all),
        target(side),
        options(thumbs),
        formats(types),
        workers_left(workers),
        failed(all.size()) {}

  const std::vector<ThumbTask>& tasks;
  int64_t target;
  const ThumbOptions& options;
  ExtraFormats formats;
  std::mutex mutex;
  std::condition_variable work_changed;  // for workers: a path came free, or STOP
  std::condition_variable news;          // for the caller: events, or a worker left
  size_t next = 0;
  bool stop = false;
  int workers_left = 0;
  std::set<std::string> busy_paths;  // thumbnails being written
  std::deque<Event> events;
  std::vector<bool> failed;
};

// The end of the tasks of the picture whose first task is `first`: its
// thumbnail and its double, made together from one decode.
size_t PictureEnd(const std::vector<ThumbTask>& tasks, size_t first) {
  size_t end = first + 1;
  while (end < tasks.size() && tasks[end].index == tasks[first].index) ++end;
  return end;
}

std::vector<ThumbResult> MakePicture(const Batch& batch, size_t first, size_t end) {
  std::vector<ThumbOutput> outputs;
  for (size_t i = first; i < end; ++i)
    outputs.push_back({batch.tasks[i].thumb_path, batch.tasks[i].scale});
  try {
    return MakeThumbnails(batch.tasks[first].picture, outputs, batch.target, batch.options,
                          batch.formats);
  } catch (const std::exception& e) {
    std::vector<ThumbResult> results;
    for (const ThumbOutput& output : outputs)
      results.push_back({IsRegularFile(output.path), e.what()});
    return results;
  }
}

void Work(Batch* b) {
  std::unique_lock lock(b->mutex);
  while (!b->stop && b->next < b->tasks.size()) {
    size_t first = b->next, end = PictureEnd(b->tasks, first);
    bool waits = false;
    for (size_t i = first; i < end; ++i)
      waits = waits || b->busy_paths.count(b->tasks[i].thumb_path);
    if (waits) {
      b->work_changed.wait(lock);
      continue;
    }
    b->next = end;
    for (size_t i = first; i < end; ++i) {
      b->busy_paths.insert(b->tasks[i].thumb_path);
      b->events.push_back({i, false, false, {}});
    }
    b->news.notify_one();
    lock.unlock();
    std::vector<ThumbResult> made = MakePicture(*b, first, end);
    lock.lock();
    for (size_t i = first; i < end; ++i) {
      b->busy_paths.erase(b->tasks[i].thumb_path);
      b->failed[i] = !made[i - first].exists;
      b->events.push_back({i, true, made[i - first].exists, std::move(made[i - first].error)});
    }
    b->news.notify_one();
    b->work_changed.notify_all();
  }
  --b->workers_left;
  b->news.notify_one();
}

// Hands the queued events to the listener with the lock released.
void Report(Batch* b, std::unique_lock<std::mutex>* lock, ThumbListener* listener) {
  while (!b->events.empty()) {
    Batch::Event e = std::move(b->events.front());
    b->events.pop_front();
    if (!listener) continue;
    lock->unlock();
    const ThumbTask& task = b->tasks[e.task];
    e.finished ? listener->Finished(task, e.written, e.error) : listener->Starting(task);
    lock->lock();
  }
}

void Drive(Batch* b, ThumbListener* listener) {
  std::unique_lock lock(b->mutex);
  while (true) {
    Report(b, &lock, listener);
    if (b->workers_left == 0 && b->events.empty()) return;
    lock.unlock();
    bool stop = listener && listener->Poll();
    lock.lock();
    if (stop && !b->stop) {
      b->stop = true;
      b->work_changed.notify_all();
    }
    b->news.wait_for(lock, kPollInterval,
                     [b] { return !b->events.empty() || b->workers_left == 0; });
  }
}

}  // namespace

std::string ThumbFileName(const ThumbNaming& naming, const std::string& picture_name) {
  std::string base = BaseName(picture_name);
  return (naming.before ? naming.affix + base : base + naming.affix) + ".jpg";
}

std::string DoubleThumbFileName(const ThumbNaming& naming, const std::string& picture_name) {
  std::string name = ThumbFileName(naming, picture_name);
  return name.insert(name.size() - 4, kDoubleMark);
}

std::vector<ThumbTask> PlanThumbnails(const std::string& dir, const std::string& thumb_dir,
                                      const std::vector<PictureFile>& pictures,
                                      const ThumbNaming& naming, std::vector<ThumbTask>* kept) {
  std::vector<ThumbTask> tasks;
  if (naming.affix.empty() &&
      (!naming.store_in_sub || SameFile(dir.empty() ? "/" : dir, thumb_dir)))
    return tasks;
  std::vector<std::string> listed = RegularFileNames(thumb_dir);
  RemoveAbandonedTemps(thumb_dir, listed);
  std::unordered_set<std::string> thumbs(listed.begin(), listed.end());
  std::set<std::string> planned, refused;
  // Plans the thumbnail `thumb_name` of picture `i` when it is due.
  auto plan = [&](size_t i, const std::string& thumb_name, int scale) {
    const PictureFile& picture = pictures[i];
    ThumbTask task{i,
                   JoinPath(dir, picture.name),
                   picture.name,
                   picture.size,
                   JoinPath(thumb_dir, thumb_name),
                   scale};
    // The listing answers most look-ups; a miss is looked up by its path,
    // which also sees an affix naming a folder and names a folder holds under
    // another letter case.
    bool on_disk = thumbs.count(thumb_name) > 0 || IsRegularFile(task.thumb_path);
    bool exists = on_disk || planned.count(task.thumb_path) > 0;
    if (!IsDue(naming, picture.name, exists)) return;
    if (on_disk && SameFile(task.picture, task.thumb_path)) return;
    if (refused.count(task.thumb_path)) return;
    if (!planned.count(task.thumb_path) && !MayWriteThumbnail(task.thumb_path)) {
      refused.insert(task.thumb_path);
      if (kept) kept->push_back(std::move(task));
      return;
    }
    planned.insert(task.thumb_path);
    tasks.push_back(std::move(task));
  };
  for (size_t i = 0; i < pictures.size(); ++i) {
    plan(i, ThumbFileName(naming, pictures[i].name), 1);
    if (naming.doubles) plan(i, DoubleThumbFileName(naming, pictures[i].name), 2);
  }
  return tasks;
}

std::vector<std::string> RunThumbnailBatch(const std::vector<ThumbTask>& tasks, int64_t target,
                                           const ThumbOptions& options, int workers,
                                           ThumbListener* listener, ExtraFormats formats) {
  if (tasks.empty() || (listener && listener->Poll())) return {};
  if (workers <= 0) workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  workers = static_cast<int>(std::min<size_t>(static_cast<size_t>(workers), tasks.size()));
  Batch batch(tasks, target, options, formats, workers);
  std::vector<std::thread> threads;
  for (int i = 0; i < workers; ++i) threads.emplace_back(Work, &batch);
  Drive(&batch, listener);
  for (std::thread& t : threads) t.join();
  std::vector<std::string> corrupted;
  for (size_t i = 0; i < tasks.size(); ++i)
    if (batch.failed[i] && tasks[i].scale == 1) corrupted.push_back(tasks[i].picture);
  return corrupted;
}
