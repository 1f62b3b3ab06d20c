#include "shell/app.h"

#include "framework/runtime.h"

bool Vantrel::IsEventImplemented(const std::string& name) {
  return fw::RuntimeIsEventHandled(*this, "Vantrel", name, true);
}

fw::Ref<Vantrel> App() { return fw::RuntimeCheckCast<Vantrel>(fw::GetAppObject()); }
