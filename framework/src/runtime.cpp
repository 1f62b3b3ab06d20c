#include "framework/runtime.h"

#include <cxxabi.h>

#include <QApplication>
#include <QEventLoop>
#include <QLoggingCategory>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/events.h"
#include "widgets.h"

namespace fw {

namespace {

struct RunState {
  std::vector<void (*)()> finalizers;  // in the order their initialisers ran
  std::int32_t exitStatus = 0;
  bool running = false;
  bool quitBeforeLoop = false;  // Quit while no loop ran: the next RuntimeRun returns at once
  bool loopEnding = false;      // Quit while the loop ran: it has been told to end
  double frameworkVersion = 0;
  std::function<std::exception_ptr(void (*)(void*), void*)> helper;
  QApplication* app = nullptr;  // made by RuntimeInit, never deleted
  int argc = 0;
  std::vector<std::string> args;
  std::vector<char*> argv;
};

RunState& State() {
  static RunState state;
  return state;
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* v = std::getenv(name);
    if (v != nullptr && *v != '\0') return true;
  }
  return false;
}

[[noreturn]] void NoDisplay(const std::string& why) {
  std::fprintf(stderr, "Vantrel needs a graphical display: %s\n", why.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

// While the application starts, the platform's messages are held back: a display that cannot be
// reached ends in one clear line of ours instead of the platform's abort.
std::vector<std::pair<QtMsgType, QString>>* startupMessages = nullptr;

void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::string why = "the platform could not start";
    if (platform != nullptr && *platform != '\0')
      why += std::string(" (QT_QPA_PLATFORM=") + platform + ")";
    else if (display != nullptr && *display != '\0')
      why += std::string(" (cannot connect to DISPLAY=") + display + ")";
    NoDisplay(why);
  }
  if (startupMessages) startupMessages->emplace_back(type, qFormatLogMessage(type, context, text));
}

void CallStdFunction(void* handler) {
  (*static_cast<const std::function<void()>*>(handler))();
}

std::string Demangle(const char* name) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> out(abi::__cxa_demangle(name, nullptr, nullptr, &status),
                                             std::free);
  return status == 0 && out ? std::string(out.get()) : std::string(name);
}

}  // namespace

namespace internal {

QApplication* RequireApplication() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) throw RuntimeException("the run time is not initialised (RuntimeInit has not run)");
  return app;
}

bool SameSignature(std::string_view a, std::string_view b) {
  auto next = [](std::string_view s, std::size_t& i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return i < s.size() ? s[i++] : '\0';
  };
  std::size_t i = 0, j = 0;
  for (;;) {
    const char x = next(a, i), y = next(b, j);
    if (x != y) return false;
    if (x == '\0') return true;
  }
}

}  // namespace internal

void RuntimeInit(int argc, char** argv) {
  if (!HasDisplay())
    NoDisplay(
        "set DISPLAY (an X server such as Xvfb) or WAYLAND_DISPLAY, or run it with "
        "QT_QPA_PLATFORM=offscreen");
  RunState& s = State();
  if (QCoreApplication::instance()) {
    QApplication::setQuitOnLastWindowClosed(false);
    return;
  }
  // The application keeps a reference to argc and the argument strings for its whole life.
  for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i)
    s.args.emplace_back(argv[i]);
  if (s.args.empty()) s.args.emplace_back("vantrel");
  for (std::string& a : s.args) s.argv.push_back(a.data());
  s.argv.push_back(nullptr);
  s.argc = static_cast<int>(s.args.size());

  std::vector<std::pair<QtMsgType, QString>> held;
  startupMessages = &held;
  QtMessageHandler previous = qInstallMessageHandler(StartupMessageHandler);
  s.app = new QApplication(s.argc, s.argv.data());
  qInstallMessageHandler(previous);
  startupMessages = nullptr;
  for (const auto& [type, text] : held) {
    (void)type;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }

  QApplication::setApplicationName(QStringLiteral("Vantrel"));
  QApplication::setQuitOnLastWindowClosed(false);
  // The application lives until the process ends: deleting it after main returned would run
  // into the platform's statics, some of which are destroyed by then.
}

void RuntimePerformInitializers(std::span<const Initializer> table) {
  for (const Initializer& row : table) {
    if (row.init != nullptr) row.init();
    if (row.fini != nullptr) State().finalizers.push_back(row.fini);
  }
}

void RuntimePerformFinalizers() {
  std::vector<void (*)()> finalizers = std::move(State().finalizers);
  State().finalizers.clear();
  for (auto it = finalizers.rbegin(); it != finalizers.rend(); ++it) (*it)();
}

std::int32_t RuntimeExit() {
  return State().exitStatus;
}

void RuntimeFailed() {
  State().exitStatus = 1;
}

void RuntimeSetFrameworkVersion(double version) {
  State().frameworkVersion = version;
}
double RuntimeFrameworkVersion() {
  return State().frameworkVersion;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  State().helper = helper;
}

void RuntimeSetExceptionHelper(const Ref<Delegate>& helper) {
  if (!helper) throw NilObjectException("the exception helper is nil");
  if (!internal::SameSignature(helper->Signature(), "( Ptr, Ptr ) as Object"))
    throw RuntimeException(
        "the exception helper has the signature \"( Ptr, Ptr ) as Object\", "
        "not \"" +
        helper->Signature() + "\"");
  State().helper = helper->As<std::exception_ptr(void (*)(void*), void*)>();
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
  try {
    function(argument);
  } catch (const RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

void RunGuarded(const std::function<void()>& handler) {
  std::exception_ptr failure;
  try {
    if (const auto& helper = State().helper)
      failure = helper(&CallStdFunction, const_cast<void*>(static_cast<const void*>(&handler)));
    else
      handler();
  } catch (...) {
    failure = std::current_exception();
  }
  if (!failure) return;
  try {
    UnhandledException(failure);
  } catch (...) {
    // The default handling itself failed; the platform's loop must still not see it.
    std::fprintf(stderr, "Vantrel: an exception of class %s was not handled.\n",
                 ExceptionName(failure).c_str());
  }
}

std::string ExceptionName(std::exception_ptr exception) {
  if (!exception) return "";
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    return e.ClassName();
  } catch (const std::exception& e) {
    return Demangle(typeid(e).name());
  } catch (...) {
    return "UnknownException";
  }
}

void UnhandledException(std::exception_ptr exception) {
  if (!exception) return;
  MsgBox("An exception of class " + ExceptionName(exception) + " was not handled.");
}

void RunFrameworkInitialization(const Ref<Delegate>& lateStartup) {
  internal::RequireApplication();
  QApplication::setQuitOnLastWindowClosed(false);
  if (!lateStartup) return;
  if (!internal::SameSignature(lateStartup->Signature(), "()"))
    throw RuntimeException("the late start-up has the signature \"(  )\", not \"" +
                           lateStartup->Signature() + "\"");
  lateStartup->Callable<void>()();
}

void RuntimeInitExternalClasses() {}
void InitPluginEntrypoints() {}

void RuntimeRun() {
  internal::RequireApplication();
  RunState& s = State();
  if (s.quitBeforeLoop) {
    s.quitBeforeLoop = false;
    return;
  }
  s.running = true;
  QApplication::exec();
  s.running = false;
  s.quitBeforeLoop = false;
  s.loopEnding = false;
}

void Quit(std::int32_t code) {
  RunState& s = State();
  s.exitStatus = code;
  if (s.running) {
    s.loopEnding = true;
    QCoreApplication::exit(code);
  } else {
    s.quitBeforeLoop = true;
  }
}

// The quit that is pending is the one the running loop has been told of; a Quit made while no
// loop ran only stops the next loop from starting.
bool internal::QuitPending() {
  return State().loopEnding;
}

bool RuntimeIsEventHandled(const Object& object, const std::string& className,
                           const std::string& eventName, bool inherited) {
  const ClassRecord* record = &object.ClassRecordOf();
  while (record != nullptr && record->name != className) record = record->base;
  for (; record != nullptr; record = inherited ? record->base : nullptr)
    for (const std::string& e : record->events)
      if (e == eventName) return true;
  return false;
}

}  // namespace fw
