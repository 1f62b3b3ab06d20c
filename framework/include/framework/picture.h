// Pictures read from the program's resources folder.
#pragma once

#include <memory>
#include <string>

#include "framework/object.h"

namespace fw {

class Picture : public Object {
  FW_CLASS(Picture, Object, "Picture")
 public:
  Picture();
  ~Picture() override;
  // The picture of that file name in the resources folder; nil when missing or unreadable.
  static Ref<Picture> OpenFromApp(const std::string& fileName);
  int Width() const;
  int Height() const;

  struct Impl;
  Impl& impl() const { return *impl_; }
  std::unique_ptr<Impl> impl_;
};

// The resources folder: beside the executable ("resources"), else the installed tree's.
std::string ResourcesFolder();

}  // namespace fw
