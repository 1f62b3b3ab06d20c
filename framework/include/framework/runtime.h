// The run time: start-up primitives, the initialiser table, finalisers, the exit status, the
// exception helper and the guard that runs every handler.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>

#include "framework/object.h"

namespace fw {

class Delegate;

// One row of the start-up initialiser table; fini, when given, runs at the end in reverse order.
struct Initializer {
  const char* name;
  void (*init)();
  void (*fini)() = nullptr;
};

// Prepares the run time and the platform. Without a graphical display (no DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM) it prints "Vantrel needs a graphical display: ..." to
// standard error and ends the process with status 1.
void RuntimeInit(int argc, char** argv);
void RuntimePerformInitializers(std::span<const Initializer> table);
void RuntimePerformFinalizers();
// The run's exit status: the code given to Quit, 0 when none was; 1 once the run has failed.
std::int32_t RuntimeExit();
// The run failed: an exception ended the main routine, before or instead of the normal end of its
// event loop. RuntimeExit gives 1 from here on, unless a later Quit gives a code of its own.
void RuntimeFailed();
void RuntimeSetFrameworkVersion(double version);
double RuntimeFrameworkVersion();

// The exception helper "( Ptr, Ptr ) as Object": calls function(argument); returns nil when the
// call completes, the exception when a RuntimeException escapes; raises any other again.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);
void RuntimeSetExceptionHelper(ExceptionHelper helper);
// The same, from a delegate of that signature; another signature raises RuntimeException.
void RuntimeSetExceptionHelper(const Ref<Delegate>& helper);
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);

// Runs a handler of the system. An exception that escapes it gets the default handling of
// unhandled exceptions (a modal message naming it; the program goes on); none reaches the
// platform's event loop.
void RunGuarded(const std::function<void()>& handler);
// The default handling of an unhandled exception.
void UnhandledException(std::exception_ptr exception);
// The name the default handling gives an exception ("NilObjectException", ...).
std::string ExceptionName(std::exception_ptr exception);

// Initialises the framework's platform side, then calls the late-start-up delegate ("(  )").
void RunFrameworkInitialization(const Ref<Delegate>& lateStartup);
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();
// The event loop; returns once the application quits.
void RuntimeRun();
// Ends the event loop with that exit status.
void Quit(std::int32_t code);

// Whether the class named className implements the event (from its class record's events).
bool RuntimeIsEventHandled(const Object& object, const std::string& className,
                           const std::string& eventName, bool inherited);

}  // namespace fw
