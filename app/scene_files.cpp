#include "app/scene_files.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

#include "app/startup_marks.h"
#include "core/game_state.h"

namespace {

struct SceneFiles {
  FruitModelFiles models[FruitKinds];
  TexturePicture pictures[TextureCount];
  // How many of each the thread has finished; guarded by the mutex.
  int modelsRead = 0;
  int picturesRead = 0;
  bool done = false;
  std::mutex mutex;
  std::condition_variable finished;
  std::thread reader;
};

std::unique_ptr<SceneFiles> Files;

void ReadModel(SceneFiles& files, int index) {
  char path[32];
  std::snprintf(path, sizeof path, "base/%d.ms3d", index + 1);
  FruitModelFiles& read = files.models[index];
  read.model = std::make_unique<MilkshapeModel>();
  if (read.model->Read(path)) read.materialPictures = read.model->ReadMaterialPictures();
}

void Publish(SceneFiles& files, int& count) {
  const std::lock_guard<std::mutex> lock(files.mutex);
  ++count;
  files.finished.notify_all();
}

void ReadAll(SceneFiles& files) {
  NoteStartupMark(StartupMark::FilesDecodeStarted);
  for (int index = 0; index < FruitKinds; ++index) {
    ReadModel(files, index);
    Publish(files, files.modelsRead);
  }
  NoteStartupMark(StartupMark::ModelFilesDecoded);
  for (int n = 0; n < TextureCount; ++n) {
    files.pictures[n] = ReadTexturePicture(n);
    const bool failed = !files.pictures[n].read.image;
    Publish(files, files.picturesRead);
    if (failed) break;
  }
  NoteStartupMark(StartupMark::TextureFilesDecoded);
  const std::lock_guard<std::mutex> lock(files.mutex);
  files.done = true;
  files.finished.notify_all();
}

// Waits until `count` passes `index`, or the thread is done.
void AwaitRead(const int& count, int index) {
  std::unique_lock<std::mutex> lock(Files->mutex);
  Files->finished.wait(lock, [&] { return count > index || Files->done; });
}

}  // namespace

void StartReadingSceneFiles() {
  if (Files) return;
  Files = std::make_unique<SceneFiles>();
  Files->reader = std::thread(ReadAll, std::ref(*Files));
}

FruitModelFiles TakeFruitModelFiles(int kind) {
  StartReadingSceneFiles();
  AwaitRead(Files->modelsRead, kind - 1);
  return std::move(Files->models[kind - 1]);
}

TexturePicture TakeTexturePicture(int n) {
  StartReadingSceneFiles();
  AwaitRead(Files->picturesRead, n);
  TexturePicture picture = std::move(Files->pictures[n]);
  // Past a picture that failed nothing was read: as after a missing file.
  if (n >= Files->picturesRead) picture.read.missing = true;
  return picture;
}

void EndReadingSceneFiles() {
  if (!Files) return;
  Files->reader.join();
  Files.reset();
}
