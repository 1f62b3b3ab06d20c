// A seeded random run of the whole program: thousands of user actions on all three windows, the
// program started (and, whenever an action quits it, started again) as the process entry starts
// it. After every action the program must still run and no exception may have escaped a handler;
// at the end a known table must still give its known results.
//
// The seed and the number of actions are fixed for the suite. VANTREL_RANDOM_SEED and
// VANTREL_RANDOM_ACTIONS give another seed or a longer run; VANTREL_RANDOM_TRACE=1 prints each
// action before it is done. The actions a seed draws do not depend on the program's state; what
// they meet does, and only the About window's own timer makes that depend on the clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "control_window/cell_grid.h"
#include "control_window/control_wnd.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "framework/window.h"
#include "shell/about_wnd.h"
#include "shell/description_wnd.h"
#include "shell/startup.h"

namespace {

using fw::testing::Key;
using fw::testing::NonText;

constexpr std::uint64_t kSuiteSeed = 14;
constexpr std::int64_t kSuiteActions = 2000;

std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text, &end, 10);
  return *end == '\0' ? value : fallback;
}

// The same numbers for a seed with every standard library: the engine's output is fixed by the
// standard, the distributions' are not.
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
  int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }
  template <class T>
  const T& Pick(const std::vector<T>& from) {
    return from[Below(from.size())];
  }

 private:
  std::mt19937_64 engine_;
};

// ---- What the actions put in ----

const std::vector<std::string> kUnicode = {"\u00e9",     "\u00df",  "\u03a9",     "\u6f22\u5b57",
                                           "\U0001F642", "e\u0301", "\u202e",     "\u200b",
                                           "\ufeff",     "\u0663",  "\uff11",     "\u00a0",
                                           "\u00bd",     "\u2212",  "\U0001D7D9", "\u0627\u0644"};
const std::vector<std::string> kControl = {"\t",   "\r",   "\n",   "\r\n", std::string(1, '\0'),
                                           "\x01", "\x1b", "\x7f", "\b",   "\x0c"};
const std::vector<std::string> kWords = {"Chi",  "square", " ",   "-",   ".",   ",", "+",
                                         "1e3",  "0x1F",   "NaN", "inf", "(",   ")", "%",
                                         "data", "\u00a9", "  ",  "-0",  "1.5", "'", "\""};

std::string Digits(Random& r, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += static_cast<char>('0' + r.Below(10));
  return s;
}

// A piece of any kind: digits, words, Unicode, control characters.
std::string Piece(Random& r) {
  switch (r.Below(4)) {
    case 0:
      return Digits(r, r.Between(1, 4));
    case 1:
      return r.Pick(kWords);
    case 2:
      return r.Pick(kUnicode);
    default:
      return r.Pick(kControl);
  }
}

std::string Pieces(Random& r, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += Piece(r);
  return s;
}

// What a clipboard or a drag holds.
struct Content {
  std::optional<NonText> nonText;
  std::string text;
};

// Each draw in a statement of its own: the operands of one expression have no fixed order.
Content DrawContent(Random& r) {
  Content c;
  switch (r.Below(12)) {
    case 0:
      break;  // empty
    case 1:
      c.nonText = NonText::NoFormat;
      break;
    case 2:
      c.nonText = NonText::Image;
      break;
    case 3:
      c.nonText = NonText::UnknownType;
      break;
    case 4:
      c.text = Digits(r, r.Between(1, 5));
      break;
    case 5:
      c.text = "-" + Digits(r, r.Between(1, 4));
      break;
    case 6:
      c.text = Digits(r, r.Between(1000, 6000));
      break;
    case 7:
      c.text = Pieces(r, r.Between(400, 1500));
      break;
    case 8:
      c.text = r.Pick(kUnicode);
      c.text += Digits(r, r.Between(0, 3));
      break;
    case 9:
      c.text = Pieces(r, r.Between(1, 3));
      c.text += r.Pick(kControl);
      break;
    case 10:
      // A table as a spreadsheet copies it.
      for (const char* separator : {"\t", "\r\n", "\t", ""}) {
        c.text += Digits(r, 2);
        c.text += separator;
      }
      break;
    default:
      c.text = Pieces(r, r.Between(1, 12));
      break;
  }
  return c;
}

// Text for the log: control characters escaped, cut after the first limit bytes.
std::string Shown(const std::string& text, std::size_t limit = 40) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += "\"";
  if (text.size() > limit) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

std::string Shown(const Content& c) {
  if (!c.nonText) return c.text.empty() ? "nothing" : Shown(c.text);
  switch (*c.nonText) {
    case NonText::NoFormat:
      return "data with no format";
    case NonText::Image:
      return "an image";
    case NonText::UnknownType:
      return "data of an unknown type";
  }
  return "";
}

// ---- Where the actions go ----

enum class Wnd { About, Control, Description };
const char* NameOf(Wnd w) {
  switch (w) {
    case Wnd::About:
      return "the About window";
    case Wnd::Control:
      return "the main window";
    case Wnd::Description:
      return "the Description window";
  }
  return "";
}

// A text field: one of the 100 cells (counted among those shown), or a Description field.
struct Field {
  enum class Kind { Cell, DescriptionText, DescriptionReadOnly } kind;
  std::size_t cell = 0;
};

Field DrawField(Random& r) {
  const std::size_t roll = r.Below(20);
  const std::size_t cell = r.Below(kCells.size());
  if (roll < 12) return {Field::Kind::Cell, cell};
  if (roll < 19) return {Field::Kind::DescriptionText, 0};
  return {Field::Kind::DescriptionReadOnly, 0};
}

std::string NameOf(const Field& f) {
  switch (f.kind) {
    case Field::Kind::Cell:
      return "cell #" + std::to_string(f.cell);
    case Field::Kind::DescriptionText:
      return "the Description text";
    case Field::Kind::DescriptionReadOnly:
      return "the Description window's read-only field";
  }
  return "";
}

class RandomRun;

struct Action {
  std::string what;
  bool mayQuit = false;  // may end the run: the program is quit or its main window closed
  std::function<void(RandomRun&)> apply;
};

// ---- The run ----

// The seed and the action under way, for a fatal signal to print before the usual report.
char crashNote[512] = "random input: no action yet\n";
volatile std::sig_atomic_t crashNotePrinted = 0;
constexpr std::array kFatalSignals = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
std::array<struct sigaction, kFatalSignals.size()> previousActions;

void OnFatalSignal(int signal, siginfo_t* info, void* context) {
  if (!crashNotePrinted) {
    crashNotePrinted = 1;
    const ssize_t ignored = write(STDERR_FILENO, crashNote, std::strlen(crashNote));
    (void)ignored;
  }
  for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
    if (kFatalSignals[i] != signal) continue;
    const struct sigaction& before = previousActions[i];
    if ((before.sa_flags & SA_SIGINFO) && before.sa_sigaction) {
      before.sa_sigaction(signal, info, context);
      return;
    }
    if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
      before.sa_handler(signal);
      return;
    }
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// While it lives, a fatal signal first prints crashNote, then goes on to the handler that was
// there (a sanitizer's report) or the default action.
class FatalSignalNote {
 public:
  FatalSignalNote() {
    struct sigaction mine = {};
    mine.sa_sigaction = &OnFatalSignal;
    mine.sa_flags = SA_SIGINFO;
    sigemptyset(&mine.sa_mask);
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
      sigaction(kFatalSignals[i], &mine, &previousActions[i]);
  }
  ~FatalSignalNote() {
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i)
      sigaction(kFatalSignals[i], &previousActions[i], nullptr);
  }
};

template <class W>
fw::Ref<W> Live() {
  fw::Ref<fw::Window> w = fw::GetImplicitWindow(W::Class().name);
  return w ? fw::RuntimeCheckCast<W>(w) : nullptr;
}

class RandomRun {
 public:
  RandomRun(std::uint64_t seed, std::int64_t actions)
      : seed_(seed), total_(actions), random_(seed) {}

  // Runs the program until all actions are done or a fault is found.
  void Go();

  // For the actions: the windows, made as a user would make them; nil when that cannot be.
  fw::Ref<ControlWnd> MainWindow();
  fw::Ref<DescriptionWnd> DescriptionWindow();
  fw::Ref<AboutWnd> ShownAboutWindow();
  fw::Ref<fw::Window> ShownWindow(Wnd which);
  fw::Ref<fw::TextArea> FieldOf(const Field& f);
  void NotPossible(const std::string& why) { ++notPossible_[why]; }

 private:
  void Step();
  void CheckAfter(const Action& action);
  void FinalCheck();
  std::string Where() const;
  void Summary() const;

  const std::uint64_t seed_;
  const std::int64_t total_;
  Random random_;
  fw::testing::MessageBoxRecorder boxes_;
  fw::testing::BeepRecorder beeps_;
  fw::testing::PrintDialogStandIn printDialog_ = fw::testing::PrintDialogStandIn::Cancelling();
  bool trace_ = FromEnvironment("VANTREL_RANDOM_TRACE", 0) != 0;

  std::int64_t done_ = 0;  // actions done
  bool sessionStarted_ = false;
  bool finished_ = false;  // the final check has run
  bool fault_ = false;
  int sessions_ = 0;
  std::deque<std::string> recent_;  // the last actions, for the report of a fault
  std::map<std::string, int> kindCounts_, boxCounts_, notPossible_, quitBy_;
  std::set<std::string> chiSquareLines_;  // the different ones shown
};

std::string RandomRun::Where() const {
  std::string s = "seed " + std::to_string(seed_) + ", action " + std::to_string(done_) + " of " +
                  std::to_string(total_) + "; the last actions:";
  for (const std::string& a : recent_) s += "\n  " + a;
  return s;
}

fw::Ref<ControlWnd> RandomRun::MainWindow() {
  if (fw::Ref<ControlWnd> main = Live<ControlWnd>()) return main;
  fw::Ref<AboutWnd> about = Live<AboutWnd>();
  if (!about || !about->Visible() || fw::testing::QuitRequested()) return nullptr;
  // Before the hand-over a key in the About window is the way to the main window.
  fw::testing::TypeKeyInWindow(about, "x");
  fw::Ref<ControlWnd> main = Live<ControlWnd>();
  EXPECT_TRUE(main) << "a key in the About window brought up no main window; " << Where();
  return main;
}

fw::Ref<DescriptionWnd> RandomRun::DescriptionWindow() {
  if (fw::Ref<DescriptionWnd> d = Live<DescriptionWnd>()) return d;
  fw::Ref<ControlWnd> main = MainWindow();
  if (!main) return nullptr;
  fw::testing::Activate(main);
  fw::testing::ChooseMenuItem(main, "DescriptionMenuItem");
  fw::Ref<DescriptionWnd> d = Live<DescriptionWnd>();
  EXPECT_TRUE(d) << "Window > Description brought up no Description window; " << Where();
  return d;
}

fw::Ref<AboutWnd> RandomRun::ShownAboutWindow() {
  fw::Ref<AboutWnd> about = Live<AboutWnd>();
  if (about && about->Visible()) return about;
  if (!MainWindow()) return nullptr;
  fw::Ref<fw::Window> front = fw::FrontWindow();
  if (!front) return nullptr;
  fw::testing::ChooseMenuItem(front, "AboutMenuItem");
  about = Live<AboutWnd>();
  return about && about->Visible() ? about : nullptr;
}

fw::Ref<fw::Window> RandomRun::ShownWindow(Wnd which) {
  fw::Ref<fw::Window> w;
  switch (which) {
    case Wnd::About:
      w = Live<AboutWnd>();
      break;
    case Wnd::Control:
      w = Live<ControlWnd>();
      break;
    case Wnd::Description:
      w = Live<DescriptionWnd>();
      break;
  }
  return w && w->Visible() ? w : nullptr;
}

fw::Ref<fw::TextArea> RandomRun::FieldOf(const Field& f) {
  if (f.kind == Field::Kind::Cell) {
    fw::Ref<ControlWnd> main = MainWindow();
    if (!main) return nullptr;
    // A user reaches only the cells shown; a Calculate run hides those outside its table.
    std::vector<fw::Ref<fw::TextArea>> shown;
    for (const GridCell& cell : kCells)
      if (fw::Ref<fw::TextArea> c = (main.get()->*cell.accessor)(); c->Visible())
        shown.push_back(c);
    if (shown.empty()) return nullptr;
    return shown[f.cell % shown.size()];
  }
  fw::Ref<DescriptionWnd> d = DescriptionWindow();
  if (!d) return nullptr;
  return f.kind == Field::Kind::DescriptionText ? d->DescribeFld2() : d->DescribeFld();
}

// ---- The actions ----

// Actions on a text field; the field's window is brought up first when it is not there.
Action OnField(std::string what, const Field& field,
               std::function<void(RandomRun&, const fw::Ref<fw::TextArea>&)> act) {
  return {what + " into " + NameOf(field), false, [field, act = std::move(act)](RandomRun& run) {
            fw::Ref<fw::TextArea> target = run.FieldOf(field);
            if (!target) return run.NotPossible("no such field now");
            act(run, target);
          }};
}

Action TypeIntoField(Random& r) {
  const Field field = DrawField(r);
  std::string text;
  if (field.kind == Field::Kind::Cell)
    text = r.OneIn(4) ? Pieces(r, r.Between(1, 3)) : Digits(r, r.Between(1, 3));
  else
    text = Pieces(r, r.Between(1, 10));
  return OnField("type " + Shown(text), field, [text](RandomRun&, const fw::Ref<fw::TextArea>& t) {
    fw::testing::TypeText(t, text);
  });
}

Action NamedKey(Random& r) {
  static const std::vector<std::pair<Key, const char*>> keys = {{Key::Backspace, "Backspace"},
                                                                {Key::Tab, "Tab"},
                                                                {Key::Return, "Return"},
                                                                {Key::Enter, "Enter"},
                                                                {Key::Escape, "Escape"},
                                                                {Key::Left, "Left"},
                                                                {Key::Right, "Right"},
                                                                {Key::Up, "Up"},
                                                                {Key::Down, "Down"},
                                                                {Key::Delete, "Delete"},
                                                                {Key::Home, "Home"},
                                                                {Key::End, "End"},
                                                                {Key::PageUp, "PageUp"},
                                                                {Key::PageDown, "PageDown"},
                                                                {Key::F1, "F1"},
                                                                {Key::Shift, "Shift"},
                                                                {Key::Control, "Control"}};
  const Field field = DrawField(r);
  const auto& [key, name] = r.Pick(keys);
  const bool ctrl = r.OneIn(4);
  return OnField(std::string("press ") + (ctrl ? "Ctrl+" : "") + name, field,
                 [key, ctrl](RandomRun&, const fw::Ref<fw::TextArea>& t) {
                   fw::testing::TypeKey(t, key, ctrl);
                 });
}

// A key whose text no keyboard map gives, or more than one character at once.
Action OddKeyText(Random& r) {
  const Field field = DrawField(r);
  std::string text = r.OneIn(2) ? r.Pick(kUnicode) : r.Pick(kControl);
  if (r.OneIn(3)) {
    text = Digits(r, 1);
    text += Piece(r);
  }
  return OnField(
      "key text " + Shown(text), field,
      [text](RandomRun&, const fw::Ref<fw::TextArea>& t) { fw::testing::TypeKeyText(t, text); });
}

Action EditingKeys(Random& r) {
  static const std::vector<std::string> combos = {
      "Ctrl+A",     "Ctrl+Z",           "Ctrl+Shift+Z",  "Ctrl+Y",         "Ctrl+X",
      "Ctrl+C",     "Ctrl+V",           "Shift+Ins",     "Shift+Del",      "Ctrl+Ins",
      "Shift+Left", "Shift+Right",      "Shift+Home",    "Shift+End",      "Ctrl+Home",
      "Ctrl+End",   "Shift+Up",         "Shift+Down",    "Ctrl+Backspace", "Ctrl+Del",
      "Ctrl+Left",  "Ctrl+Shift+Right", "Ctrl+Shift+Ins"};
  const Field field = DrawField(r);
  const std::string combo = r.Pick(combos);
  return OnField("press " + combo, field, [combo](RandomRun&, const fw::Ref<fw::TextArea>& t) {
    fw::testing::TypeKeys(t, combo);
  });
}

// Every road by which text reaches a field without being typed.
Action PasteIntoField(Random& r) {
  enum class Road { EditItem, EditMenu, CtrlV, ShiftIns, ContextMenu, InputMethod, Drop };
  static const std::vector<std::pair<Road, const char*>> roads = {
      {Road::EditItem, "the Edit command"},
      {Road::EditMenu, "the drawn Edit menu"},
      {Road::CtrlV, "Ctrl+V"},
      {Road::ShiftIns, "Shift+Ins"},
      {Road::ContextMenu, "the context menu"},
      {Road::InputMethod, "an input method"},
      {Road::Drop, "a drop"}};
  const Field field = DrawField(r);
  const Content content = DrawContent(r);
  const auto& [road, roadName] = r.Pick(roads);
  const std::string preedit = r.OneIn(3) ? Pieces(r, 1) : "";
  const std::string preeditAfter = r.OneIn(4) ? Pieces(r, 1) : "";
  return OnField(
      std::string("paste ") + Shown(content) + " by " + roadName, field,
      [road, content, preedit, preeditAfter](RandomRun& run, const fw::Ref<fw::TextArea>& t) {
        auto toClipboard = [&] {
          if (content.nonText)
            fw::testing::SetClipboardData(*content.nonText);
          else
            fw::testing::SetClipboardText(content.text);
        };
        switch (road) {
          case Road::EditItem:
            toClipboard();
            fw::testing::PasteFromEditMenu(t);
            break;
          case Road::EditMenu:
            toClipboard();
            fw::testing::Activate(t->Window());
            t->SetFocus();
            fw::testing::ChooseMenuItem(t->Window(), "EditPaste");
            break;
          case Road::CtrlV:
            toClipboard();
            fw::testing::TypeKeys(t, "Ctrl+V");
            break;
          case Road::ShiftIns:
            toClipboard();
            fw::testing::TypeKeys(t, "Shift+Ins");
            break;
          case Road::ContextMenu:
            // A read-only field's context menu has no Paste.
            if (t->ReadOnly())
              return run.NotPossible("paste by the context menu of a read-only field");
            toClipboard();
            fw::testing::PasteFromContextMenu(t);
            break;
          case Road::InputMethod:
            fw::testing::CommitFromInputMethod(t, content.nonText ? "" : content.text, preedit,
                                               preeditAfter);
            break;
          case Road::Drop:
            if (content.nonText)
              fw::testing::DropData(t, *content.nonText);
            else
              fw::testing::DropText(t, content.text);
            break;
        }
      });
}

Action PressTab(Random&) {
  return {"press Tab in the front window", false, [](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            fw::testing::PressTab(front);
          }};
}

// A click on one of the main window's controls.
Action ClickInMain(const char* what, fw::Ref<fw::RectControl> (*control)(ControlWnd&)) {
  return {std::string("click ") + what, false, [control](RandomRun& run) {
            fw::Ref<ControlWnd> main = run.MainWindow();
            if (!main) return run.NotPossible("no main window");
            fw::testing::Click(control(*main));
          }};
}

Action Calculate(Random&) {
  return ClickInMain("Calculate",
                     [](ControlWnd& w) -> fw::Ref<fw::RectControl> { return w.CalcBtn(); });
}
Action Clear(Random&) {
  return ClickInMain("Clear",
                     [](ControlWnd& w) -> fw::Ref<fw::RectControl> { return w.ClearBtn(); });
}
Action QuestionMark(Random&) {
  return ClickInMain("the question mark",
                     [](ControlWnd& w) -> fw::Ref<fw::RectControl> { return w.Canvas1(); });
}

// A whole table typed into the top left of the grid, cell by cell as a user moves on, often after
// Clear and followed by Calculate: counts small and huge, zeros, now and then a cell left empty.
Action TypeTable(Random& r) {
  const int rows = r.OneIn(4) ? r.Between(1, kGridSize) : r.Between(2, 4);
  const int columns = r.OneIn(4) ? r.Between(1, kGridSize) : r.Between(2, 4);
  std::vector<std::string> texts;
  for (int i = 0; i < rows * columns; ++i) {
    const std::size_t roll = r.Below(20);
    texts.push_back(roll == 0   ? ""
                    : roll < 3  ? "0"
                    : roll == 3 ? Digits(r, r.Between(7, 19))
                                : std::to_string(r.Between(1, 60)));
  }
  const bool clearFirst = !r.OneIn(3);
  const bool calculate = !r.OneIn(4);
  return {std::string(clearFirst ? "Clear, " : "") + "type a " + std::to_string(rows) + " x " +
              std::to_string(columns) + " table" + (calculate ? ", Calculate" : ""),
          false, [=](RandomRun& run) {
            fw::Ref<ControlWnd> main = run.MainWindow();
            if (!main) return run.NotPossible("no main window");
            if (clearFirst) fw::testing::Click(main->ClearBtn());
            for (int i = 0; i < rows * columns; ++i) {
              fw::Ref<fw::TextArea> cell =
                  (main.get()->*CellAt(i / columns + 1, i % columns + 1).accessor)();
              if (!texts[i].empty() && cell->Visible()) fw::testing::TypeText(cell, texts[i]);
            }
            if (calculate) fw::testing::Click(main->CalcBtn());
          }};
}

Action ClickCell(Random& r) {
  const Field field{Field::Kind::Cell, r.Below(kCells.size())};
  return OnField("click", field,
                 [](RandomRun&, const fw::Ref<fw::TextArea>& t) { fw::testing::Click(t); });
}

Action PointerOverTitle(Random& r) {
  const int how = r.Between(0, 2);
  return {"the pointer over the title, then " + std::string(how == 0   ? "away"
                                                            : how == 1 ? "a click"
                                                                       : "nothing"),
          false, [how](RandomRun& run) {
            fw::Ref<ControlWnd> main = run.MainWindow();
            if (!main) return run.NotPossible("no main window");
            fw::testing::MoveMouseInto(main->ChiTitle());
            if (how == 0) fw::testing::MoveMouseOutOf(main->ChiTitle());
            if (how == 1) fw::testing::Click(main->ChiTitle());
          }};
}

// A click at a spot of the front window, given as a fraction of its size.
Action ClickInFrontWindow(Random& r) {
  const double fx = static_cast<double>(r.Below(1000)) / 1000;
  const double fy = static_cast<double>(r.Below(1000)) / 1000;
  return {"click the front window at (" + std::to_string(fx) + ", " + std::to_string(fy) + ")",
          false, [fx, fy](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            const fw::testing::ShownWindow shown = fw::testing::ShownWindowOf(front);
            fw::testing::ClickWindow(front, static_cast<int>(fx * shown.width),
                                     static_cast<int>(fy * shown.height));
          }};
}

// Every item a user can choose, except Quit (an action of its own); items with no caption are
// not drawn and cannot be chosen.
Action MenuItem(Random& r) {
  static const std::vector<std::string> items = {"FilePrint",
                                                 "EditUndo",
                                                 "EditCut",
                                                 "EditCopy",
                                                 "EditPaste",
                                                 "ControlMenuItem",
                                                 "DescriptionMenuItem",
                                                 "AboutMenuItem",
                                                 "AboutVantrel"};
  const std::string item = r.Pick(items);
  return {"choose " + item + " in the front window", false, [item](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            fw::testing::ChooseMenuItem(front, item);
          }};
}

Action OpenMenu(Random& r) {
  static const std::vector<std::string> menus = {"File", "Edit", "Window", "Help"};
  const std::string menu = r.Pick(menus);
  return {"open the " + menu + " menu", false, [menu](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            fw::testing::OpenMenu(front, menu);
          }};
}

// A menu opened from the keyboard, walked with the arrow keys, then Return or Escape: Return may
// land on Quit.
Action MenuByKeyboard(Random& r) {
  static const std::vector<std::string> openers = {"F10", "Alt+F", "Alt+E", "Alt+W", "Alt+H"};
  static const std::vector<std::string> moves = {"Down", "Down", "Up", "Left", "Right"};
  std::vector<std::string> keys = {r.Pick(openers)};
  for (int i = r.Between(0, 4); i > 0; --i) keys.push_back(r.Pick(moves));
  keys.push_back(r.OneIn(3) ? "Escape" : "Return");
  std::string what = "keys";
  for (const std::string& k : keys) what += " " + k;
  return {what, true, [keys](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            for (const std::string& k : keys) {
              if (fw::testing::QuitRequested()) break;
              fw::testing::PressKeys(front, k);
            }
            if (!fw::testing::QuitRequested()) fw::testing::CloseOpenMenus();
          }};
}

Action Shortcut(Random& r) {
  static const std::vector<std::string> keys = {"Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V",
                                                "Ctrl+A", "Escape", "Return", "Space"};
  const std::string k = r.Pick(keys);
  return {"press " + k + " in the front window", false, [k](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            fw::testing::PressKeys(front, k);
          }};
}

Wnd DrawWindow(Random& r) {
  return static_cast<Wnd>(r.Below(3));
}

Action Resize(Random& r) {
  static const std::vector<int> extremes = {0, 1, 10, 63, 64, 65, 2000};
  const Wnd which = DrawWindow(r);
  const int width = r.OneIn(4) ? r.Pick(extremes) : r.Between(0, 1600);
  const int height = r.OneIn(4) ? r.Pick(extremes) : r.Between(0, 1200);
  return {"resize " + std::string(NameOf(which)) + " to " + std::to_string(width) + " x " +
              std::to_string(height),
          false, [which, width, height](RandomRun& run) {
            fw::Ref<fw::Window> w = run.ShownWindow(which);
            if (!w) return run.NotPossible("window not shown");
            fw::testing::ResizeByUser(w, width, height);
          }};
}

// Closing the main window ends the program.
Action Close(Random& r) {
  const Wnd which = DrawWindow(r);
  return {"close " + std::string(NameOf(which)), which != Wnd::Description,
          [which](RandomRun& run) {
            fw::Ref<fw::Window> w = run.ShownWindow(which);
            if (!w) return run.NotPossible("window not shown");
            fw::testing::CloseByUser(w);
          }};
}

Action ActivateWindow(Random& r) {
  const Wnd which = DrawWindow(r);
  return {"bring " + std::string(NameOf(which)) + " to the front", false, [which](RandomRun& run) {
            fw::Ref<fw::Window> w = run.ShownWindow(which);
            if (!w) return run.NotPossible("window not shown");
            fw::testing::Activate(w);
          }};
}

// A key or a click in the About window, shown first by its menu item when it is hidden.
Action InAboutWindow(Random& r) {
  const int how = r.Between(0, 3);
  const std::string key =
      r.OneIn(2) ? Piece(r) : std::string(1, static_cast<char>('a' + r.Below(26)));
  const int x = r.Between(0, 505), y = r.Between(0, 199);
  std::string what = how == 0   ? "key " + Shown(key)
                     : how == 1 ? "click at (" + std::to_string(x) + ", " + std::to_string(y) + ")"
                     : how == 2 ? "click on the picture"
                                : "click on the notice";
  return {what + " in the About window", false, [how, key, x, y](RandomRun& run) {
            fw::Ref<AboutWnd> about = run.ShownAboutWindow();
            if (!about) return run.NotPossible("no About window");
            switch (how) {
              case 0:
                fw::testing::TypeKeyInWindow(about, key);
                break;
              case 1:
                fw::testing::ClickWindow(about, x, y);
                break;
              case 2:
                fw::testing::Click(about->Canvas1());
                break;
              default:
                fw::testing::Click(about->StaticText5());
                break;
            }
          }};
}

// File > Print in the Description window; the dialog is cancelled.
Action Print(Random&) {
  return {"print the Description, dialog cancelled", false, [](RandomRun& run) {
            fw::Ref<DescriptionWnd> d = run.DescriptionWindow();
            if (!d) return run.NotPossible("no Description window");
            fw::testing::Activate(d);
            fw::testing::ChooseMenuItem(d, "FilePrint");
          }};
}

Action QuitProgram(Random& r) {
  const bool byKey = r.OneIn(2);
  return {byKey ? "press Ctrl+Q" : "choose Quit", true, [byKey](RandomRun& run) {
            fw::Ref<fw::Window> front = fw::FrontWindow();
            if (!front) return run.NotPossible("no window in front");
            if (byKey)
              fw::testing::PressKeys(front, "Ctrl+Q");
            else
              fw::testing::ChooseMenuItem(front, "FileQuit");
          }};
}

struct Kind {
  const char* name;
  int weight;  // in thousandths, about
  Action (*draw)(Random&);
};

const std::vector<Kind> kKinds = {
    {"type into a field", 150, TypeIntoField},
    {"a named key in a field", 80, NamedKey},
    {"an odd key text in a field", 30, OddKeyText},
    {"editing keys in a field", 60, EditingKeys},
    {"paste", 170, PasteIntoField},
    {"Tab", 50, PressTab},
    {"Calculate", 60, Calculate},
    {"Clear", 20, Clear},
    {"type a table", 25, TypeTable},
    {"the question mark", 20, QuestionMark},
    {"click a cell", 30, ClickCell},
    {"the pointer over the title", 10, PointerOverTitle},
    {"click in the front window", 20, ClickInFrontWindow},
    {"a menu item", 70, MenuItem},
    {"open a menu", 20, OpenMenu},
    {"a menu from the keyboard", 25, MenuByKeyboard},
    {"a key in the front window", 25, Shortcut},
    {"resize a window", 30, Resize},
    {"close a window", 15, Close},
    {"bring a window to the front", 20, ActivateWindow},
    {"the About window", 20, InAboutWindow},
    {"print", 20, Print},
    {"quit", 4, QuitProgram},
};

Action DrawAction(Random& r, std::string& kind) {
  int total = 0;
  for (const Kind& k : kKinds) total += k.weight;
  int roll = static_cast<int>(r.Below(static_cast<std::size_t>(total)));
  for (const Kind& k : kKinds) {
    if (roll < k.weight) {
      kind = k.name;
      return k.draw(r);
    }
    roll -= k.weight;
  }
  kind = kKinds.back().name;
  return kKinds.back().draw(r);
}

// ---- Running it ----

void RandomRun::Step() {
  if (finished_ || fault_ || fw::testing::QuitRequested()) return;
  if (!sessionStarted_) {
    sessionStarted_ = true;
    // The program was started (again): it shows the About window first.
    fw::Ref<AboutWnd> about = Live<AboutWnd>();
    if (!about || !about->Visible()) {
      ADD_FAILURE() << "the program started without its About window; " << Where();
      fault_ = true;
      fw::Quit(0);
      return;
    }
  }
  if (done_ == total_) {
    FinalCheck();
    finished_ = true;
    if (!fw::testing::QuitRequested()) fw::Quit(0);
    return;
  }

  std::string kind;
  const Action action = DrawAction(random_, kind);
  ++done_;
  ++kindCounts_[kind];
  const std::string line = "#" + std::to_string(done_) + " " + action.what;
  recent_.push_back(line);
  if (recent_.size() > 12) recent_.pop_front();
  std::snprintf(crashNote, sizeof crashNote, "random input: seed %llu, action %lld of %lld: %s\n",
                static_cast<unsigned long long>(seed_), static_cast<long long>(done_),
                static_cast<long long>(total_), action.what.c_str());
  if (trace_) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
  }

  try {
    action.apply(*this);
  } catch (const fw::RuntimeException& e) {
    // The testing layer refuses what a user could not do now (a menu not drawn, a window not
    // shown); anything else raised here is a fault.
    const std::string message = e.what();
    if (message.rfind("testing: ", 0) == 0) {
      NotPossible(message);
    } else {
      ADD_FAILURE() << e.ClassName() << " \"" << message << "\" raised; " << Where();
      fault_ = true;
    }
  }
  CheckAfter(action);
  if (fault_ && !fw::testing::QuitRequested()) fw::Quit(0);
}

void RandomRun::CheckAfter(const Action& action) {
  for (const std::string& text : boxes_.Texts()) {
    if (text.rfind("An exception of class", 0) == 0) {
      ADD_FAILURE() << "message box \"" << text << "\"; " << Where();
      fault_ = true;
    }
    ++boxCounts_[text];
  }
  boxes_.Clear();
  if (fw::testing::QuitRequested()) {
    ++quitBy_[action.what];
    if (!action.mayQuit) {
      ADD_FAILURE() << "the program quit; " << Where();
      fault_ = true;
    }
    return;
  }
  if (fw::Ref<ControlWnd> main = Live<ControlWnd>(); main && main->ctext()->Visible())
    chiSquareLines_.insert(main->ctext()->Text());
  // While the program runs, the user has the main window or the About window to go on from.
  if (!Live<ControlWnd>() && !Live<AboutWnd>()) {
    ADD_FAILURE() << "the program runs with neither its main nor its About window; " << Where();
    fault_ = true;
  }
}

// A known table on a cleared grid gives its known results, whatever came before.
void RandomRun::FinalCheck() {
  std::snprintf(crashNote, sizeof crashNote, "random input: seed %llu, the final table\n",
                static_cast<unsigned long long>(seed_));
  fw::testing::CloseOpenMenus();
  fw::Ref<ControlWnd> main = MainWindow();
  ASSERT_TRUE(main) << Where();
  fw::testing::Activate(main);
  fw::testing::Click(main->ClearBtn());
  const std::array<std::pair<fw::Ref<fw::TextArea>, const char*>, 4> table = {
      {{main->data11(), "10"},
       {main->data12(), "20"},
       {main->data21(), "30"},
       {main->data22(), "40"}}};
  for (const auto& [cell, text] : table) fw::testing::TypeText(cell, text);
  fw::testing::Click(main->CalcBtn());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{}) << Where();
  const std::array<std::pair<fw::Ref<fw::Label>, const char*>, 4> lines = {
      {{main->ctext(), "Chi-square = .794  (df = 1, p = .3730)"},
       {main->cctext(), "Contingency coefficient = .089"},
       {main->ptext(), "Phi coefficient = .089"},
       {main->ktext(), "Kappa = -.087"}}};
  for (const auto& [label, text] : lines) {
    EXPECT_TRUE(label->Visible()) << label->Name() << "; " << Where();
    EXPECT_EQ(label->Text(), text) << Where();
  }
  fw::testing::ChooseMenuItem(main, "FileQuit");
  EXPECT_TRUE(fw::testing::QuitRequested()) << "Quit did not end the run";
}

void RandomRun::Go() {
  const FatalSignalNote note;
  const fw::testing::PlatformNoticeFilter quiet;
  std::printf("random input: seed %llu, %lld actions\n", static_cast<unsigned long long>(seed_),
              static_cast<long long>(total_));
  std::fflush(stdout);
  ::testing::Test::RecordProperty("seed", std::to_string(seed_));
  ::testing::Test::RecordProperty("actions", std::to_string(total_));

  while (!finished_ && !fault_) {
    const std::int64_t before = done_;
    // As the process entry starts the program: the initialisers, then Main until it quits.
    fw::testing::DestroyAllWindows();
    fw::RuntimePerformInitializers(StartupInitializers());
    fw::testing::ParkMouse();
    sessionStarted_ = false;
    {
      const fw::testing::LoopDriver driver([this] { Step(); });
      Main();
    }
    ++sessions_;
    EXPECT_EQ(fw::RuntimeExit(), 0) << Where();
    if (!finished_ && !fault_ && done_ == before) {
      ADD_FAILURE() << "the program ended before any action; " << Where();
      break;
    }
  }
  fw::testing::DestroyAllWindows();
  Summary();
}

void RandomRun::Summary() const {
  std::printf("random input: %lld actions in %d runs of the program\n",
              static_cast<long long>(done_), sessions_);
  for (const auto& [kind, n] : kindCounts_) std::printf("  %5d  %s\n", n, kind.c_str());
  std::printf("ended by:\n");
  for (const auto& [what, n] : quitBy_) std::printf("  %5d  %s\n", n, what.c_str());
  std::printf("message boxes:\n");
  for (const auto& [text, n] : boxCounts_) std::printf("  %5d  %s\n", n, Shown(text, 200).c_str());
  std::printf("different chi-square lines shown: %zu\n", chiSquareLines_.size());
  std::printf("beeps: %d; print dialogs: %d\n", beeps_.Count(), printDialog_.DialogsOpened());
  std::printf("not possible at the time:\n");
  for (const auto& [why, n] : notPossible_) std::printf("  %5d  %s\n", n, why.c_str());
  std::fflush(stdout);
}

TEST(RandomInput, ThousandsOfActionsLeaveTheProgramRunningAndCalculating) {
  RandomRun run(
      FromEnvironment("VANTREL_RANDOM_SEED", kSuiteSeed),
      static_cast<std::int64_t>(FromEnvironment("VANTREL_RANDOM_ACTIONS", kSuiteActions)));
  run.Go();
}

}  // namespace
