// Driving the whole program while its own event loop runs.
#include <QString>
#include <QTimer>
#include <QtGlobal>
#include <exception>
#include <functional>
#include <memory>
#include <utility>

#include "framework/runtime.h"
#include "framework/testing/testing.h"
#include "widgets.h"

namespace fw::testing {

struct LoopDriver::State {
  QTimer timer;
  std::function<void()> step;
  bool inStep = false;
};

LoopDriver::LoopDriver(std::function<void()> step) : state_(std::make_unique<State>()) {
  State* s = state_.get();
  s->step = std::move(step);
  s->timer.setInterval(0);
  QObject::connect(&s->timer, &QTimer::timeout, [s] {
    // A step runs the loop itself; the next one waits until it is done.
    if (s->inStep) return;
    s->inStep = true;
    try {
      s->step();
    } catch (...) {
      // Nothing may raise through the platform's loop.
      ADD_FAILURE() << "a driver step raised " << ExceptionName(std::current_exception());
      s->timer.stop();
      Quit(1);
    }
    s->inStep = false;
  });
  s->timer.start();
}

LoopDriver::~LoopDriver() = default;

bool QuitRequested() {
  return internal::QuitPending();
}

namespace {

QtMessageHandler handlerBeforeFilter = nullptr;

void DropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtWarningMsg &&
      (text == QLatin1String("This plugin does not support raise()") ||
       text == QLatin1String("This plugin does not support grabbing the keyboard")))
    return;
  if (handlerBeforeFilter) handlerBeforeFilter(type, context, text);
}

}  // namespace

PlatformNoticeFilter::PlatformNoticeFilter() {
  handlerBeforeFilter = qInstallMessageHandler(DropPlatformNotices);
}

PlatformNoticeFilter::~PlatformNoticeFilter() {
  qInstallMessageHandler(handlerBeforeFilter);
  handlerBeforeFilter = nullptr;
}

}  // namespace fw::testing
