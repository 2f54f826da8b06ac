#pragma once
// The graphic editor: the program text of its memo and the geometry that text produces.
#include <QDialog>
#include <QImage>
#include <QStringList>
#include <cstdint>

#include "platform/core/window_list.h"

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace movra {

class TFormaGeom;

class TFormaEditor : public QDialog, public platform::NotifyReceiver {
  Q_OBJECT

 public:
  // FormCreate. Geom holds the element store the memo is interpreted into; the window takes
  // part in the broadcast through Windows.
  TFormaEditor(platform::WindowList& Windows, TFormaGeom& Geom, QWidget* parent = nullptr);
  ~TFormaEditor() override;

  // Repaints with the current colours on NotifyRepaint.
  void FormaNotify(int Code) override;

  QStringList ProgramHead;    // written ahead of the thread panel's block; emptied at showing
  QStringList GeneratedText;  // text of the machining panels and the ISO view
  std::uint8_t Activated = 0; // 1 from the first activation on
  QImage BackBuffer;          // off-screen picture, 24 bits per pixel

  QPushButton* SpeedButtonCaption = nullptr;  // the interpreter's error text
  QWidget* PanelSave = nullptr;
  QPushButton* SpeedButtonSave = nullptr;
  QWidget* PanelMemo = nullptr;  // hidden at creation
  QPlainTextEdit* Memo = nullptr;
  QWidget* PanelIso = nullptr;

  TFormaGeom& FormaGeom;

 private:
  platform::WindowList& windows_;
};

}  // namespace movra
