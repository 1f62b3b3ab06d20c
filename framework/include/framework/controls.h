// Controls. Every RectControl is placed in window content coordinates (Left, Top, Width,
// Height), also when its parent is another control (InitialParent).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/events.h"
#include "framework/object.h"

namespace fw {

class Window;
class Picture;
class Graphics;
class StyledTextPrinter;

class Control : public Object {
  FW_CLASS(Control, Object, "Control")
 public:
  Control();
  ~Control() override;

  // The framework's constructor of the control: makes its platform widget on its window.
  virtual void Constructor();

  Ref<fw::Window> Window() const;  // nil once the window is gone
  std::string Name() const;

  // Binds a delegate to one of the control's events (RuntimeAddEventHandler calls this).
  virtual void AddEventHandler(int eventId, const Ref<Delegate>& handler);
  void SetProperty(const std::string& name, const PropertyValue& value) override;

  struct Impl;
  Impl& impl() const { return *impl_; }

 protected:
  std::unique_ptr<Impl> impl_;
};

class RectControl : public Control {
  FW_CLASS(RectControl, Control, "RectControl")
 public:
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  void SetFocus();
  bool HasFocus() const;
  std::int64_t TabIndex() const;
};

// A text field: one line (with a character limit) or several lines of styled text.
class TextArea : public RectControl {
  FW_CLASS(TextArea, RectControl, "TextArea")
 public:
  void Constructor() override;
  std::string Text() const;
  void SetText(const std::string& text);
  std::int64_t SelStart() const;
  void SetSelStart(std::int64_t start);
  std::int64_t SelLength() const;
  void SetSelLength(std::int64_t length);
  bool SelBold() const;
  void SetSelBold(bool bold);
  bool Multiline() const;
  bool ReadOnly() const;
  std::int64_t MaximumCharactersAllowed() const;

  // Prints this field's current styled text onto the page, in blocks of the given width.
  Ref<fw::StyledTextPrinter> StyledTextPrinter(const Ref<Graphics>& page, double width);

  void AddEventHandler(int eventId, const Ref<Delegate>& handler) override;
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

// Static text; a CR (code 13) breaks the line.
class Label : public RectControl {
  FW_CLASS(Label, RectControl, "Label")
 public:
  void Constructor() override;
  std::string Text() const;
  void SetText(const std::string& text);
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

// A button; neither default nor cancel, so Return and Escape press nothing.
class PushButton : public RectControl {
  FW_CLASS(PushButton, RectControl, "PushButton")
 public:
  void Constructor() override;
  std::string Caption() const;
  void AddEventHandler(int eventId, const Ref<Delegate>& handler) override;
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

// A picture area: shows its backdrop, reports the pointer entering and leaving, and clicks.
class Canvas : public RectControl {
  FW_CLASS(Canvas, RectControl, "Canvas")
 public:
  void Constructor() override;
  Ref<Picture> Backdrop() const;
  void SetBackdrop(const Ref<Picture>& picture);
  void AddEventHandler(int eventId, const Ref<Delegate>& handler) override;
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

// A filled rectangle with rounded corners; may be the parent of other controls.
class RoundRectangle : public RectControl {
  FW_CLASS(RoundRectangle, RectControl, "RoundRectangle")
 public:
  void Constructor() override;
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

// Fires its Action after Period ms; RunMode 1 fires once, 2 repeatedly, 0 not at all.
// Precise, since coarse timers may fire early.
class Timer : public Control {
  FW_CLASS(Timer, Control, "Timer")
 public:
  void Constructor() override;
  std::int64_t Period() const;
  std::int64_t RunMode() const;
  void AddEventHandler(int eventId, const Ref<Delegate>& handler) override;
  void SetProperty(const std::string& name, const PropertyValue& value) override;
};

}  // namespace fw
