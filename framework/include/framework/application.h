// The application object.
#pragma once

#include <cstdint>
#include <string>

#include "framework/object.h"

namespace fw {

class MenuBar;

class Application : public Object {
  FW_CLASS(Application, Object, "Application")
 public:
  virtual void Constructor() {}
  virtual bool IsEventImplemented(const std::string&) { return false; }

  Ref<fw::MenuBar> MenuBar() const { return menuBar_; }
  void SetMenuBar(const Ref<fw::MenuBar>& bar);

  void _x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                         std::int64_t nonRelease, std::int64_t stage,
                         const std::string& longVersion, const std::string& shortVersion,
                         const std::string& packageInfo);
  std::int64_t NonReleaseVersion() const { return nonRelease_; }
  std::int64_t StageCode() const { return stage_; }
  const std::string& LongVersion() const { return longVersion_; }
  const std::string& ShortVersion() const { return shortVersion_; }
  const std::string& PackageInfo() const { return packageInfo_; }
  std::string Copyright() const { return LongVersion(); }
  std::string Version() const { return ShortVersion(); }
  std::string Description() const { return PackageInfo(); }

  static void SetSupportsHiDPI(bool supports);

 private:
  Ref<fw::MenuBar> menuBar_;
  std::int64_t major_ = 0, minor_ = 0, bug_ = 0, nonRelease_ = 0, stage_ = 0;
  std::string longVersion_, shortVersion_, packageInfo_;
};

void RuntimeRegisterAppObject(const Ref<Application>& app);
Ref<Application> GetAppObject();  // nil before registration

}  // namespace fw
