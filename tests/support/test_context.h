#pragma once
// The shared context the tests' panels point at, as the application's panels point at its own.
#include "core/panel_context.h"

namespace nrv::test {

inline PanelContext& Context() {
  static PanelContext context;
  return context;
}

inline Settings& TestSettings() { return Context().settings; }

// A panel of the tests' context on the given side.
inline Panel& Attach(Panel& panel) {
  panel.context = &Context();
  return panel;
}

}  // namespace nrv::test

namespace nrv {
// Panels of the tests start attached to the tests' context.
inline Panel AttachedPanel() {
  Panel panel;
  panel.context = &test::Context();
  return panel;
}
}  // namespace nrv
