#pragma once
// Where a window appears when it is shown.
class QWidget;

namespace movra::platform {

// In the middle of the screen the window is on (the primary screen when it has none yet).
// A maximised window stays where it is.
void CentreOnScreen(QWidget& Window);
// In the middle of Over; on the screen when Over is not shown.
void CentreOver(QWidget& Window, const QWidget* Over);

}  // namespace movra::platform
