#include "framework/dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include "framework/window.h"
#include "widgets.h"

namespace fw {

namespace internal {

std::function<void(const std::string&)>& MessageBoxPresenter() {
  static std::function<void(const std::string&)> presenter;
  return presenter;
}

std::function<void()>& BeepSound() {
  static std::function<void()> sound;
  return sound;
}

}  // namespace internal

void MsgBox(const std::string& text) {
  if (const auto& presenter = internal::MessageBoxPresenter()) {
    presenter(text);
    return;
  }
  internal::RequireApplication();
  QWidget* parent = nullptr;
  if (Ref<Window> front = FrontWindow()) parent = front->impl().frame;
  QMessageBox box(
      QMessageBox::NoIcon, QApplication::applicationName(),
      internal::Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n'),
      QMessageBox::Ok, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void Beep() {
  if (const auto& sound = internal::BeepSound()) {
    sound();
    return;
  }
  QApplication::beep();
}

}  // namespace fw
