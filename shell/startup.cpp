#include "shell/startup.h"

#include <array>
#include <exception>
#include <span>

#include "control_window/control_wnd.h"
#include "framework/application.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "shell/about_wnd.h"
#include "shell/app.h"
#include "shell/description_wnd.h"
#include "shell/file_types.h"
#include "shell/menu.h"
#include "stats/globals.h"

namespace {

// The release of the framework this program is built for.
constexpr double kFrameworkVersion = 2019.031;

template <class C>
void BuildClassRecord() {
  C::Class();
}

// The menu bar's instance variable starts out nil by itself.
void NoWork() {}

const std::array<fw::Initializer, 15> kInitializers = {{
    {"FileTypes.pAllFileTypes", &FileTypes::pAllFileTypesInit},
    {"FileTypes.pText", &FileTypes::pTextInit},
    {"FileTypes.pUntitledType", &FileTypes::pUntitledTypeInit},
    {"ControlWnd", &BuildClassRecord<ControlWnd>},
    {"Menu.implicitInstance", &NoWork},
    {"Menu", &BuildClassRecord<Menu>},
    {"AboutWnd.Timer1", &BuildClassRecord<AboutWndTimer1>},
    {"AboutWnd", &BuildClassRecord<AboutWnd>},
    {"DescriptionWnd", &BuildClassRecord<DescriptionWnd>},
    {"globals.col", &globals::col_Init},
    {"globals.data", &globals::data_Init},
    {"globals.nc", &globals::nc_Init},
    {"globals.nr", &globals::nr_Init},
    {"globals.row", &globals::row_Init},
    {"Vantrel", &BuildClassRecord<Vantrel>},
}};

}  // namespace

std::span<const fw::Initializer> StartupInitializers() {
  return kInitializers;
}

void Main() {
  try {
    {
      // The framework keeps the function; the delegate itself is let go at once.
      fw::Ref<fw::Delegate> helper = fw::RuntimeCreateDelegate(
          &fw::CallFunctionWithExceptionHandling, nullptr, "( Ptr, Ptr ) as Object");
      fw::RuntimeSetExceptionHelper(helper);
    }
    fw::RuntimeSetFrameworkVersion(kFrameworkVersion);
    EarlyStartup();
    fw::RunFrameworkInitialization(fw::RuntimeCreateDelegate(&LateStartup, nullptr, "(  )"));
    fw::RuntimeRun();
  } catch (...) {
    // A launcher must not read this run as a success, even if the report below fails.
    fw::RuntimeFailed();
    fw::UnhandledException(std::current_exception());
  }
}

void EarlyStartup() {
  fw::Application::SetSupportsHiDPI(true);
  fw::RuntimeInitExternalClasses();
  fw::InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
}

void InitFileTypes() {
  FileTypes::Initialize();
}

void NewAppInstance() {
  fw::Ref<Vantrel> app = fw::RuntimeNewObject<Vantrel>();
  app->Constructor();
  app->_x_SetVersionData(3, 0, 0, 0, 3, kVersionCopyright, "3.0", "Vantrel");
  // The first request makes the one menu bar; the application keeps it from here on.
  app->SetMenuBar(Menu::Instance());
  fw::RuntimeRegisterAppObject(app);
}

// The application object serves no menu item: the windows register every handler.
void ApplicationAddMenuHandlers() {}

void LateStartup() {
  MakeDefaultView();
}

// The About window shows itself once made; nothing here calls Show.
void MakeDefaultView() {
  AboutWnd::Instance();
}
