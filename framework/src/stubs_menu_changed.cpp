// placeholder until the window side draws menus
#include "internal.h"
namespace fw::internal { void MenuModelChanged(MenuItem&) {} }
