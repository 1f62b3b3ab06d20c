// Test seams and input simulation, for the test binaries only. Input goes through real platform
// events on the offscreen platform, so key filters, focus and tab order act as for a user.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/menu.h"
#include "framework/printing.h"
#include "framework/window.h"

namespace fw::testing {

// What a window shows at one moment, as the platform shows it.
struct WindowMoment {
  std::string title;                              // "" when there is no window
  std::vector<std::string> hidden;                // controls not shown, in creation order
  std::map<std::string, std::string> shownTexts;  // each shown label and text field: its text
  std::string focused;                            // the control with the focus; "" for none
};
WindowMoment MomentOf(const Ref<Window>& window);

// ---- Recorders: while one lives, it replaces the real thing. ----

// Records every MsgBox instead of showing a box; the box counts as dismissed at once. Each box
// keeps its text and what the frontmost window showed when the box appeared, so that tests can
// tell which effects came before it and which after.
class MessageBoxRecorder {
 public:
  struct Box {
    std::string text;
    WindowMoment front;
  };
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  std::vector<std::string> Texts() const;  // the boxes' texts, in order
  const std::vector<Box>& Boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }

 private:
  std::vector<Box> boxes_;
};

// Counts Beep calls instead of sounding.
class BeepRecorder {
 public:
  BeepRecorder();
  ~BeepRecorder();
  int Count() const { return count_; }

 private:
  int count_ = 0;
};

// The paper a user chooses in the print dialog, with the margins of the printer's printable
// area, in points. fullPage: the painter starts at the sheet's corner, not the printable area's.
struct Paper {
  enum class Size { A4, Letter, A5, A6 };
  Size size = Size::A4;
  bool landscape = false;
  double left = 18, top = 18, right = 18, bottom = 18;
  bool fullPage = false;
};

// What else the user chooses in the print dialog: the pages from firstPage to lastPage (numbered
// from 1; 0 and 0 for all), the number of copies and whether they are collated, and whether the
// last page comes first.
struct PrintChoices {
  int firstPage = 0, lastPage = 0;
  int copies = 1;
  bool collate = true;
  bool lastPageFirst = false;
};

// A block of text as it was placed on the sheet, in points from the sheet's top left corner:
// its origin, the width its text is laid out in, and how far its lines reach down. Blocks on
// pages outside the chosen range are not there.
struct PrintedBlock {
  double x = 0, y = 0, width = 0, height = 0;
};

// The size of a page, in points.
struct PdfPage {
  double width = 0, height = 0;
};

// Stands in for the print dialog: cancels (OpenPrinterDialog gives nil), or prints into a PDF
// file at pdfPath on the paper given with the choices given, as if the user had chosen them.
// Counts what the printing did.
class PrintDialogStandIn {
 public:
  static PrintDialogStandIn Cancelling();
  static PrintDialogStandIn PrintingTo(const std::string& pdfPath, const Paper& paper = {},
                                       const PrintChoices& choices = {});
  ~PrintDialogStandIn();
  PrintDialogStandIn(PrintDialogStandIn&&) noexcept;
  int DialogsOpened() const;
  std::int64_t PagesStarted() const;  // pages of the last job, 0 when none
  std::int64_t BlocksDrawn() const;   // DrawBlock calls of the last job
  // The last job's blocks that had text to draw, in order, and its sheet as it lies.
  std::vector<PrintedBlock> Blocks() const;
  PdfPage Sheet() const;
  double Scale() const;  // the last job's page on the paper: 1 at real size, less when shrunk

 private:
  PrintDialogStandIn();
  struct State;
  State* state_;
};

// What the platform's print dialog offers, as OpenPrinterDialog shows it (cancelled at once):
// for each of "page range", "copies", "collate", "reverse", "selection" and "current page",
// whether the dialog shows it and whether it can be used. Any stand-in is set aside meanwhile.
struct DialogChoice {
  bool shown = false, enabled = false;
};
std::map<std::string, DialogChoice> PrintDialogOffers();

// The pages of a PDF file that a PrintingTo stand-in wrote, each with its size in points, in
// order; empty when there is no such file. Reads the page dictionaries, not the text.
std::vector<PdfPage> PdfPagesOf(const std::string& pdfPath);

// What a PDF reader finds in a PDF file's text layer (through pdftotext, run once per call):
// the document's title and, per page, its size and its lines of text with their boxes, in
// points from the page's top left corner, words joined by one blank. Raises when the file
// cannot be read.
struct PdfTextLine {
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string text;
};
struct PdfTextPage {
  double width = 0, height = 0;
  std::vector<PdfTextLine> lines;
};
struct PdfText {
  std::string title;
  std::vector<PdfTextPage> pages;
};
PdfText PdfTextOf(const std::string& pdfPath);

// Points Picture::OpenFromApp at another folder while it lives.
class ResourcesFolderOverride {
 public:
  explicit ResourcesFolderOverride(const std::string& folder);
  ~ResourcesFolderOverride();

 private:
  std::string previous_;
};

// Number of files read by Picture::OpenFromApp so far.
int PictureFilesRead();

// Points the framework at another folder for its faces' files while it lives. The faces are
// loaded once, when the first font is made, so only a process that has made none sees it.
class FaceFolderOverride {
 public:
  explicit FaceFolderOverride(const std::string& folder);
  ~FaceFolderOverride();

 private:
  std::string previous_;
};

// ---- Input simulation ----

// Named keys for TypeKey.
enum class Key {
  Backspace,
  Tab,
  Return,
  Enter,
  Escape,
  Left,
  Right,
  Up,
  Down,
  Delete,
  Home,
  End,
  PageUp,
  PageDown,
  F1,
  Shift,
  Control
};

// Types the characters of text (UTF-8) into the focused control of the control's window, after
// giving the control the focus; one key press each.
void TypeText(const Ref<RectControl>& control, const std::string& text);
// Presses a named key in the control (given the focus first); ctrl holds the primary modifier.
void TypeKey(const Ref<RectControl>& control, Key key, bool ctrl = false);
// Presses the primary modifier with a letter (Ctrl+V), through the platform's shortcut handling:
// a focused text field takes its editing keys, a menu shortcut fires otherwise.
void TypeCtrlKey(const Ref<RectControl>& control, char letter);
// Presses a key with an explicit key text, for characters no keyboard map gives.
void TypeKeyText(const Ref<RectControl>& control, const std::string& text);
// A key press sent to the window itself (not to a control).
void TypeKeyInWindow(const Ref<Window>& window, const std::string& text);
// Pastes text into the control as the Edit menu's Paste would: the text goes on the clipboard,
// then into the control (given the focus first), held to the rule for text that is not typed.
void Paste(const Ref<TextArea>& control, const std::string& text);
// Puts text on the clipboard ("" empties it).
void SetClipboardText(const std::string& text);
// Data that holds no text, as other programs leave it on the clipboard or drag it: data with no
// format at all (what a paste meets when nothing owns the X11 clipboard), an image only, or a
// type no field knows.
enum class NonText { NoFormat, Image, UnknownType };
void SetClipboardData(NonText what);
// The Edit menu's Paste of whatever the clipboard holds, into the control (given the focus first).
void PasteFromEditMenu(const Ref<TextArea>& control);
// The Edit menu's Undo in the control (given the focus first).
void UndoFromEditMenu(const Ref<TextArea>& control);
// The text on the clipboard ("" when it holds none).
std::string ClipboardText();

// ---- Text that is not typed (framework/testing/inserted_input.cpp) ----

// Presses a key combination, written as the platform's portable text ("Ctrl+V", "Shift+Ins"), in
// the control (given the focus first), through the shortcut handling as TypeCtrlKey does.
void TypeKeys(const Ref<RectControl>& control, const std::string& combination);
// Opens the control's context menu as the menu key does and chooses its Paste.
void PasteFromContextMenu(const Ref<TextArea>& control);
// An input method at work in the control (given the focus first): it shows preedit when given,
// then commits the text, and goes on composing preeditAfter when that is given.
void CommitFromInputMethod(const Ref<TextArea>& control, const std::string& commit,
                           const std::string& preedit = "", const std::string& preeditAfter = "");
// A drag of text from elsewhere that ends in the control's middle.
void DropText(const Ref<TextArea>& control, const std::string& text);
// The same drag, of data that holds no text.
void DropData(const Ref<TextArea>& control, NonText what);

void Click(const Ref<RectControl>& control);  // press and release in its middle
void ClickWindow(const Ref<Window>& window, int x, int y);
void MoveMouseInto(const Ref<RectControl>& control);
void MoveMouseOutOf(const Ref<RectControl>& control);
// Moves the simulated pointer to a spot where no window is.
void ParkMouse();

// The control of the window that has the keyboard focus, or nil.
Ref<RectControl> FocusedControl(const Ref<Window>& window);
// Presses Tab in whatever has the focus in the window.
void PressTab(const Ref<Window>& window);

// Closes the window as the user's close button does.
void CloseByUser(const Ref<Window>& window);
// Minimises the window as the user's minimise button does.
void MinimizeByUser(const Ref<Window>& window);
// Makes the window the active, frontmost one, as a user's click on its frame does.
void Activate(const Ref<Window>& window);
// Drags the window's frame until its content area is width x height (or as near as the window's
// minimum, maximum or fixed size lets it come), as a user does.
void ResizeByUser(const Ref<Window>& window, int width, int height);

// Opens the menu bar's top-level menu of that name on the window as a user would (delivering
// EnableMenuItems first), then closes it.
void OpenMenu(const Ref<Window>& window, const std::string& topLevelName);
// Chooses the item of that name in the window's menu bar as a user would.
void ChooseMenuItem(const Ref<Window>& window, const std::string& itemName);
// What the window's drawn menu bar shows: top-level captions, and per item its caption,
// shortcut text in the platform's form, enabled and separator state.
struct ShownMenuItem {
  std::string name, caption, shortcut;
  bool enabled = true, separator = false;
};
// The top-level menus the bar draws, in order, as the user reads them (no mnemonic marks); and
// the items a menu draws (a top-level menu named by its item's name, or by its caption).
std::vector<std::string> ShownTopLevelCaptions(const Ref<Window>& window);
std::vector<ShownMenuItem> ShownItems(const Ref<Window>& window, const std::string& topLevelName);

// Presses a key combination in the platform's form ("F10", "Alt+F", "Down", "Return", "Alt+1")
// as a keyboard does, through the platform's shortcut handling: into the open menu when one is
// open, else into the window's focused control (the window itself when none has the focus).
void PressKeys(const Ref<Window>& window, const std::string& keys);
// The caption of the menu that is open now (as the user reads it), or "" when none is.
std::string OpenMenuCaption();
// Closes whatever menu is open.
void CloseOpenMenus();

// Runs the event loop for the given time (timers fire, deferred deletions happen).
void ProcessEvents(int milliseconds = 0);
// Runs the event loop until pred is true or the time is up; returns pred().
bool WaitUntil(const std::function<bool()>& pred, int timeoutMilliseconds);

// What the platform shows of a control: its geometry in window content coordinates, whether it
// is shown on screen, its font family and pixel size, its text colour, for layout tests.
struct Shown {
  int left = 0, top = 0, width = 0, height = 0;
  bool visibleOnScreen = false;
  std::string fontFamily;
  int fontPixelSize = 0;
  bool bold = false;
  bool monospaced = false;  // its glyphs all advance alike
  std::string alignment;    // of the text: "left", "center" or "right"; empty for no text
  std::uint32_t textColor = 0;
  std::string text;
  // Labels only: the advance of the text's widest line in the face the label draws with, and
  // the width the label lays its text out in. The text is cut off when textWidth > textRoom.
  int textWidth = 0, textRoom = 0;
};
Shown ShownOf(const Ref<RectControl>& control);
// The window as the platform shows it: content size, title, resizable, which frame buttons,
// and as assistive tools meet it: whether in the role of a window, and its name.
struct ShownWindow {
  int width = 0, height = 0;
  std::string title;
  bool resizable = false, minimizeButton = false, maximizeButton = false, closeButton = false;
  bool visible = false, active = false, minimized = false;
  bool accessibleAsWindow = false;
  std::string accessibleName;
  std::uint32_t background = 0;
};
ShownWindow ShownWindowOf(const Ref<Window>& window);

// The face the framework draws a design font in (a FontName and a FontSize of the design data),
// as the platform resolved it, with its line height (from one line's top to the next one's):
// on screen in pixels, and printed, where the size becomes points, in points.
struct Face {
  std::string family;
  bool monospaced = false;  // its glyphs all advance alike, as a user sees it
  double lineHeight = 0, printedLineHeight = 0;
};
Face FaceOf(const std::string& fontName, double size);
// The family the platform gives a generic kind of face: "serif", "monospace" or "sans-serif".
std::string GenericFamily(const std::string& kind);

// ---- A program that runs its own event loop (framework/testing/whole_runs.cpp) ----

// Calls step on each turn of the running event loop while it lives, as a user's next action
// comes once the program is idle again. It is no window, so the program's windows stay the only
// ones the program knows (the last one closed still quits). A step that raises fails the test
// and ends the loop with status 1.
class LoopDriver {
 public:
  explicit LoopDriver(std::function<void()> step);
  ~LoopDriver();
  LoopDriver(const LoopDriver&) = delete;
  LoopDriver& operator=(const LoopDriver&) = delete;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Whether the program has asked its running event loop to end (Quit) and the loop has not yet.
bool QuitRequested();

// While it lives, the offscreen platform's notices that it cannot raise a window or grab the
// keyboard (one per activation or menu) are not printed; every other message is.
class PlatformNoticeFilter {
 public:
  PlatformNoticeFilter();
  ~PlatformNoticeFilter();
  PlatformNoticeFilter(const PlatformNoticeFilter&) = delete;
  PlatformNoticeFilter& operator=(const PlatformNoticeFilter&) = delete;
};

// Closes and forgets every window; for test teardown.
void DestroyAllWindows();

// A fixture for tests with windows: the pointer starts where no window is, and every window is
// gone after the test.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace fw::testing
