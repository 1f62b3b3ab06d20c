#include "framework/application.h"

#include "framework/menu.h"
#include "widgets.h"

namespace fw {

namespace {
Ref<Application>& AppObject() {
  static Ref<Application> app;
  return app;
}
}  // namespace

void Application::SetMenuBar(const Ref<fw::MenuBar>& bar) {
  menuBar_ = bar;
  // Windows without a bar of their own show the application's.
  internal::RefreshAllMenuBars();
}

void Application::_x_SetVersionData(std::int64_t major, std::int64_t minor, std::int64_t bug,
                                    std::int64_t nonRelease, std::int64_t stage,
                                    const std::string& longVersion, const std::string& shortVersion,
                                    const std::string& packageInfo) {
  major_ = major;
  minor_ = minor;
  bug_ = bug;
  nonRelease_ = nonRelease;
  stage_ = stage;
  longVersion_ = longVersion;
  shortVersion_ = shortVersion;
  packageInfo_ = packageInfo;
}

void Application::SetSupportsHiDPI(bool) {
  // The platform scales every window for its screen; nothing to choose here.
}

void RuntimeRegisterAppObject(const Ref<Application>& app) {
  AppObject() = app;
  internal::RefreshAllMenuBars();
}

Ref<Application> GetAppObject() {
  return AppObject();
}

}  // namespace fw
