// The run time: initialisers, exit status, casts, the guard and its default handling.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "demo_window.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "framework/testing/testing.h"

namespace {

std::vector<std::string> calls;

TEST(Runtime, InitialisersRunInTableOrderAndFinalisersInReverseAtTheEnd) {
  calls.clear();
  const fw::Initializer table[] = {
      {"a", [] { calls.push_back("init a"); }, [] { calls.push_back("fini a"); }},
      {"b", [] { calls.push_back("init b"); }},
      {"c", [] { calls.push_back("init c"); }, [] { calls.push_back("fini c"); }},
  };
  fw::RuntimePerformInitializers(table);
  EXPECT_EQ(calls, (std::vector<std::string>{"init a", "init b", "init c"}));
  fw::RuntimePerformFinalizers();
  EXPECT_EQ(calls, (std::vector<std::string>{"init a", "init b", "init c", "fini c", "fini a"}));
  fw::RuntimePerformFinalizers();  // each finaliser runs once
  EXPECT_EQ(calls.size(), 5u);
}

TEST(Runtime, TheLoopEndsWithTheStatusGivenToQuit) {
  // Quit before the loop runs (left over from other tests too): the loop ends at once.
  fw::Quit(5);
  fw::RuntimeRun();
  EXPECT_EQ(fw::RuntimeExit(), 5);

  fw::Ref<fw::Timer> timer = fw::RuntimeNewObject<fw::Timer>();
  timer->Constructor();
  fw::RuntimeAddEventHandler(timer, fw::EventId::TimerAction,
                             fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::Timer>)>(
                                                           [](fw::Ref<fw::Timer>) { fw::Quit(3); }),
                                                       "( Timer )"));
  fw::SetProperties(timer, fw::PropertyListBuilder().Add("Period", 10).Add("RunMode", 1).Bytes());
  fw::RuntimeRun();
  EXPECT_EQ(fw::RuntimeExit(), 3);
}

// After Quit inside the running loop every nested loop returns at once; a test's wait must then
// give up at once too, not spin to its deadline asking its question over and over.
TEST(Runtime, AWaitAfterAQuitGivesUpAtOnce) {
  fw::Quit(0);
  fw::RuntimeRun();  // takes a quit left pending by another test

  int asked = 0;
  bool met = true;
  auto quitThenWait = [&](fw::Ref<fw::Timer>) {
    fw::Quit(4);
    met = fw::testing::WaitUntil([&] { return ++asked < 0; }, 2000);
  };
  fw::Ref<fw::Timer> timer = fw::RuntimeNewObject<fw::Timer>();
  timer->Constructor();
  fw::RuntimeAddEventHandler(
      timer, fw::EventId::TimerAction,
      fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::Timer>)>(quitThenWait),
                                "( Timer )"));
  fw::SetProperties(timer, fw::PropertyListBuilder().Add("Period", 10).Add("RunMode", 1).Bytes());
  fw::RuntimeRun();
  EXPECT_FALSE(met);
  EXPECT_LE(asked, 2) << "asked before giving up, and for the answer";
  EXPECT_EQ(fw::RuntimeExit(), 4);
}

TEST(Runtime, LateStartupRunsOnceThePlatformIsUp) {
  static int lateStartups = 0;
  fw::RunFrameworkInitialization(
      fw::RuntimeCreateDelegate(static_cast<void (*)()>([] { ++lateStartups; }), nullptr, "(  )"));
  EXPECT_EQ(lateStartups, 1);
  EXPECT_THROW(fw::RunFrameworkInitialization(
                   fw::RuntimeCreateDelegate(static_cast<void (*)()>([] {}), nullptr, "( Ptr )")),
               fw::RuntimeException);
}

TEST(Runtime, CheckCastKeepsNilAndRefusesAnotherClass) {
  fw::Ref<fw::Object> nil;
  EXPECT_FALSE(fw::RuntimeCheckCast<fw::Label>(nil));

  fw::Ref<fw::Object> label = fw::RuntimeNewObject<fw::Label>();
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::Label>(label));
  EXPECT_TRUE(fw::RuntimeCheckCast<fw::RectControl>(label)) << "a base class";
  EXPECT_THROW(fw::RuntimeCheckCast<fw::TextArea>(label), fw::IllegalCastException);

  fw::Ref<fw::Label> none;
  EXPECT_THROW(none->Text(), fw::NilObjectException);
}

TEST(Runtime, IsEventHandledAnswersFromTheClassRecord) {
  fw::Ref<DemoWnd> demo = fw::RuntimeNewObject<DemoWnd>();
  fw::Ref<PlainWnd> plain = fw::RuntimeNewObject<PlainWnd>();
  EXPECT_TRUE(fw::RuntimeIsEventHandled(*demo, "DemoWnd.DemoWnd", "Activate", true));
  EXPECT_TRUE(demo->IsEventImplemented("MouseDown"));
  EXPECT_FALSE(demo->IsEventImplemented("Action"));
  EXPECT_FALSE(plain->IsEventImplemented("Open")) << "it has the method, not the event";
  EXPECT_FALSE(fw::RuntimeIsEventHandled(*plain, "DemoWnd.DemoWnd", "Open", true))
      << "a class the object is not";
}

// ---- The guard ----

class Guard : public fw::testing::GuiTest {
 protected:
  fw::testing::MessageBoxRecorder boxes;
};

TEST_F(Guard, AnEscapedExceptionIsReportedByItsClassAndTheProgramGoesOn) {
  struct Case {
    std::function<void()> raise;
    std::string message;
  };
  const std::vector<Case> cases = {
      {[] { throw fw::NilObjectException(); },
       "An exception of class NilObjectException was not handled."},
      {[] { throw fw::IllegalCastException("x"); },
       "An exception of class IllegalCastException was not handled."},
      {[] { throw fw::RuntimeException("x"); },
       "An exception of class RuntimeException was not handled."},
      {[] { throw std::out_of_range("x"); },
       "An exception of class std::out_of_range was not handled."},
      {[] { throw 42; }, "An exception of class UnknownException was not handled."},
  };
  for (const Case& c : cases) {
    boxes.Clear();
    fw::RunGuarded(c.raise);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
  }
  boxes.Clear();
  fw::RunGuarded([] {});
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(Guard, HandlersCalledFromThePlatformAreGuarded) {
  fw::Ref<DemoWnd> w = DemoWnd::Instance();
  fw::RuntimeAddEventHandler(
      w->Button(), fw::EventId::Action,
      fw::RuntimeCreateDelegate(std::function<void(fw::Ref<fw::PushButton>)>(
                                    [](fw::Ref<fw::PushButton>) { fw::Ref<fw::Label>()->Text(); }),
                                "( PushButton )"));
  fw::testing::Click(w->Button());
  fw::testing::Click(w->Button());
  EXPECT_EQ(boxes.Texts().size(), 2u) << "each click reported, and the loop still runs";
  EXPECT_EQ(boxes.Texts().at(0), "An exception of class NilObjectException was not handled.");
}

std::exception_ptr CountingHelper(void (*function)(void*), void* argument) {
  calls.push_back("helper");
  return fw::CallFunctionWithExceptionHandling(function, argument);
}

TEST_F(Guard, AnExceptionHelperRunsEveryHandler) {
  calls.clear();
  fw::RuntimeSetExceptionHelper(&CountingHelper);
  fw::RunGuarded([] { calls.push_back("handler"); });
  fw::RunGuarded([] { throw fw::NilObjectException(); });
  // The helper hands back framework exceptions and lets others through; both are reported.
  fw::RunGuarded([] { throw std::logic_error("x"); });
  fw::RuntimeSetExceptionHelper(fw::ExceptionHelper{nullptr});
  EXPECT_EQ(calls, (std::vector<std::string>{"helper", "handler", "helper", "helper"}));
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{"An exception of class NilObjectException was not handled.",
                                      "An exception of class std::logic_error was not handled."}));
}

TEST_F(Guard, AnExceptionHelperMayComeAsADelegateOfItsOwnSignature) {
  calls.clear();
  EXPECT_THROW(fw::RuntimeSetExceptionHelper(
                   fw::RuntimeCreateDelegate(&CountingHelper, nullptr, "( Ptr ) as Object")),
               fw::RuntimeException);
  fw::RuntimeSetExceptionHelper(
      fw::RuntimeCreateDelegate(&CountingHelper, nullptr, "( Ptr, Ptr ) as Object"));
  fw::RunGuarded([] { calls.push_back("handler"); });
  fw::RuntimeSetExceptionHelper(fw::ExceptionHelper{nullptr});
  EXPECT_EQ(calls, (std::vector<std::string>{"helper", "handler"}));
}

TEST(Runtime, CallFunctionWithExceptionHandlingReturnsFrameworkExceptionsOnly) {
  auto nil = [](void*) { throw fw::NilObjectException(); };
  auto other = [](void*) { throw std::runtime_error("x"); };
  auto fine = [](void*) {};
  EXPECT_EQ(fw::CallFunctionWithExceptionHandling(fine, nullptr), nullptr);
  EXPECT_EQ(fw::ExceptionName(fw::CallFunctionWithExceptionHandling(nil, nullptr)),
            "NilObjectException");
  EXPECT_THROW(fw::CallFunctionWithExceptionHandling(other, nullptr), std::runtime_error);
}

}  // namespace
