// The application object.
#pragma once

#include <string>

#include "framework/application.h"

// The copyright notice of the application's version data.
inline constexpr const char* kVersionCopyright = "Copyright \u00A9 2026 the Vantrel authors";

class Vantrel : public fw::Application {
  FW_CLASS(Vantrel, fw::Application, "Vantrel")
 public:
  void Constructor() override {}
  bool IsEventImplemented(const std::string& name) override;
};

// The registered application object; raises IllegalCastException when it is of another class.
fw::Ref<Vantrel> App();
