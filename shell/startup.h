// Start-up: the initialiser table run before Main, the main routine, the early start-up that
// makes the application object, and the late start-up that opens the first window.
#pragma once

#include <span>

#include "framework/runtime.h"

// Run by the process entry before Main, so that every module variable holds its initial value
// before any of the program's own code runs.
std::span<const fw::Initializer> StartupInitializers();

// Installs the exception helper, runs the early start-up, hands the framework the late start-up
// and runs the event loop until the application quits. An exception that escapes any of it is
// reported once through the framework's default handling, the run counts as failed (exit status
// 1), and Main returns normally.
void Main();

// File types, then the application object with its version data and menu bar. No window exists
// when it returns.
void EarlyStartup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();

// Called by the framework once it has initialised itself: opens the About window.
void LateStartup();
void MakeDefaultView();
