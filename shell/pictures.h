// The program's two pictures, loaded on first use and kept; nil while the file cannot be had.
#pragma once

#include "framework/picture.h"

fw::Ref<fw::Picture> chi();
fw::Ref<fw::Picture> Quest32();
