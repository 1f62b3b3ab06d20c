#include "shell/pictures.h"

namespace {

// One picture per accessor, shared by every canvas that shows it. A load that gives nil keeps
// nothing, so the next request tries the file again.
fw::Ref<fw::Picture> Cached(bool& used, fw::Ref<fw::Picture>& cache, const char* fileName) {
  if (!used) {
    used = true;
    cache = nullptr;
  }
  if (!cache) cache = fw::Picture::OpenFromApp(fileName);
  return cache;
}

}  // namespace

fw::Ref<fw::Picture> chi() {
  static bool used = false;
  static fw::Ref<fw::Picture> cache;
  return Cached(used, cache, "chi.png");
}

fw::Ref<fw::Picture> Quest32() {
  static bool used = false;
  static fw::Ref<fw::Picture> cache;
  return Cached(used, cache, "Quest32.png");
}
