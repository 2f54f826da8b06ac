#include "geometry/forma_daten.h"

#include "platform/core/window_list.h"

namespace movra {

TFormaDaten::TFormaDaten(platform::WindowList* windows) : windows_(windows) {
  Vars.Fill(0.0);
  values_.Fill(NoValue);
}

void TFormaDaten::BroadcastToForms(int Msg, int Code) {
  if (windows_) windows_->Send(Msg, Code);
}

}  // namespace movra
