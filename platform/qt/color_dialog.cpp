#include "platform/qt/color_dialog.h"

#include <QColorDialog>

#include "platform/qt/colors.h"

namespace movra::platform {

ColorDialog::ColorDialog(const QString& Name, QObject* parent) : QObject(parent) {
  setObjectName(Name);
}

bool ColorDialog::Execute(QWidget* Parent) {
  std::optional<ColorValue> chosen;
  if (Runner) {
    chosen = Runner(*this);
  } else {
    const QColor picked = QColorDialog::getColor(ToQColor(Color), Parent);
    if (picked.isValid()) chosen = FromQColor(picked);
  }
  if (!chosen) return false;
  Color = MakeColor(ColorRed(*chosen), ColorGreen(*chosen), ColorBlue(*chosen));
  return true;
}

}  // namespace movra::platform
