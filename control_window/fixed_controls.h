// Property lists of the main window and of its fixed controls (every control but the cells).
#pragma once

#include <string>

namespace design {

extern const char* const kCopyrightNotice;

std::string WindowList();
std::string ChiTitleList();
std::string CalcBtnList();
std::string ClearBtnList();
std::string CopyrightList();
std::string Var1TextList();
std::string Var2TextList();
std::string CtextList();
std::string CctextList();
std::string KtextList();
std::string PtextList();
std::string RoundRectangle1List();
std::string Canvas1List();

}  // namespace design
