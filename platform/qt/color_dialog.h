#pragma once
// The colour dialog: shows a colour, gives the one the user chose. It keeps its colour between
// showings, as the windows' colour dialogs do.
#include <QObject>
#include <functional>
#include <optional>

#include "platform/core/colors.h"

class QWidget;

namespace movra::platform {

class ColorDialog : public QObject {
  Q_OBJECT

 public:
  explicit ColorDialog(const QString& Name, QObject* parent = nullptr);

  ColorValue Color = 0;  // shown at the start; the chosen colour after Execute

  // Shows the dialog modally; Color := the chosen colour. False when cancelled (Color stays).
  bool Execute(QWidget* Parent);

  // The dialog behind Execute: gets this dialog, gives the chosen colour or nothing. Tests put
  // their own in; by default it is the platform's modal colour dialog.
  std::function<std::optional<ColorValue>(const ColorDialog&)> Runner;
};

}  // namespace movra::platform
