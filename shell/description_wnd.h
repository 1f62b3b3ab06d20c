// The Description window: the styled description text of the statistics, with its references and
// notices, and its printing. The user may edit the text; a new window starts from the fixed text.
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/window.h"

class DescriptionWnd : public fw::Window {
  FW_CLASS(DescriptionWnd, fw::Window, "DescriptionWnd.DescriptionWnd", "Open", "Close",
           "EnableMenuItems")
 public:
  // The one live Description window; made (and thereby shown) when there is none.
  static fw::Ref<DescriptionWnd> Instance();

  void Layout() override;
  void CreateControls() override;
  virtual void CreateControls0();

  fw::Ref<fw::TextArea> DescribeFld();
  fw::Ref<fw::TextArea> DescribeFld2();

  void AddMenuHandlers() override;
  void Event_Close() override;
  void Event_Open() override;
  void Event_EnableMenuItems() override;
  bool ControlMenuItem_Action();
  bool AboutMenuItem_Action();
  bool FilePrint_Action();

  bool IsEventImplemented(const std::string& eventName) override;
};
