// The text of the Description window: the statistics Vantrel computes, their references, the
// notices, how to cite the program and the disclaimer.
#pragma once

#include <string>

// The heading, the first line of the text, shown bold.
inline constexpr const char* kDescriptionHeading = "Vantrel";

// 32 lines separated by a single CR each (no LF, no CR after the last); the field wraps each
// line, so a paragraph or a reference is one line.
const std::string& DescriptionText();
