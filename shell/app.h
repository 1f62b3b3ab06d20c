// The application object.
#pragma once

#include <string>

#include "framework/application.h"

class Vantrel : public fw::Application {
  FW_CLASS(Vantrel, fw::Application, "Vantrel")
 public:
  void Constructor() override {}
  bool IsEventImplemented(const std::string& name) override;
};

// The registered application object; raises IllegalCastException when it is of another class.
fw::Ref<Vantrel> App();
