#include <cstdint>
#include <cstdio>
#include <exception>

#include "framework/runtime.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  fw::RuntimePerformInitializers(StartupInitializers());
  // Main marks the run failed before it reports what escapes it; only a failure of that report
  // reaches here, with the run already marked. It is told on standard error, and the finalisers
  // and the exit status follow all the same: rethrowing out of main would abort the process.
  try {
    Main();
  } catch (...) {
    std::fprintf(stderr, "Vantrel: the report of an unhandled exception failed: %s\n",
                 fw::ExceptionName(std::current_exception()).c_str());
  }
  fw::RuntimePerformFinalizers();
  return fw::RuntimeExit();
}
