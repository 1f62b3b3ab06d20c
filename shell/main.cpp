// The process entry.
#include <cstdint>
#include <exception>

#include "framework/runtime.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  fw::RuntimePerformInitializers(StartupInitializers());
  // Main reports what escapes it; only a failure of that report itself reaches here. The
  // finalisers and the exit run all the same before it goes on.
  std::exception_ptr escaped;
  try {
    Main();
  } catch (...) {
    escaped = std::current_exception();
  }
  fw::RuntimePerformFinalizers();
  const std::int32_t status = fw::RuntimeExit();
  if (escaped) std::rethrow_exception(escaped);
  return status;
}
