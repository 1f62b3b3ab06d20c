// The splash/About window: the title picture and the copyright notice. It hands over to the main
// window 4000 ms after it is made, or at once on a key press or a mouse-down in it, and is hidden
// (never closed) by the program.
#pragma once

#include <cstdint>
#include <string>

#include "framework/controls.h"
#include "framework/object.h"
#include "framework/window.h"

class AboutWnd;

// The About window's one-shot timer. It is a class of its own only to link the timer back to its
// window; the link is weak, so that the timer never keeps a closed window alive.
class AboutWndTimer1 : public fw::Timer {
  FW_CLASS(AboutWndTimer1, fw::Timer, "AboutWnd.Timer1")
 public:
  fw::Ref<AboutWnd> Owner() const { return owner_.Lock(); }
  void SetOwner(const fw::Ref<AboutWnd>& window) { owner_ = window; }

 private:
  fw::WeakRef<AboutWnd> owner_;
};

class AboutWnd : public fw::Window {
  FW_CLASS(AboutWnd, fw::Window, "AboutWnd.AboutWnd", "KeyDown", "MouseDown")
 public:
  // The one live About window; made (and thereby shown) when there is none.
  static fw::Ref<AboutWnd> Instance();

  void Layout() override;
  void CreateControls() override;
  virtual void CreateControls0();

  fw::Ref<fw::Label> StaticText5();
  fw::Ref<fw::Canvas> Canvas1();
  fw::Ref<fw::Timer> Timer1();

  void Timer1_Action(fw::Ref<fw::Timer> sender);

  void AddMenuHandlers() override;
  bool Event_KeyDown(const std::string& key) override;
  bool Event_MouseDown(std::int64_t x, std::int64_t y) override;
  bool AboutMenuItem_Action();

  bool IsEventImplemented(const std::string& eventName) override;
};

// The notice StaticText5 shows: one line, 49 characters.
extern const char* const kAboutNotice;
