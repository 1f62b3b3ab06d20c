// Starts the run time and nothing else; the no-display tests run it without a usable display.
#include <cstdio>

#include "framework/runtime.h"

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  std::puts("started");
  return 0;
}
