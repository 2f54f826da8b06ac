#pragma once
// The graphic editor: the program text of its memo and the geometry that text produces.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/editor_view.h"
#include "editor/navigation.h"
#include "editor/geo_file.h"
#include "platform/core/window_list.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTimer;
class QToolButton;
class QWidget;

namespace movra {

class TFormaEditorInsel;
class TFormaEditorTurn;
class TFormaGeom;
class TFormaInput;
class TFormaSettings;
class TFormaSyntax;
struct InselRunResult;

namespace platform {
class Canvas;
class ColorDialog;
class OneShotTimer;
}

// The view fields (ViewCenterX, ViewScale, MousePixel, CursorX, PoleX, the hover record, the
// tool shape) and WorldToScreen / ScreenToWorld come from EditorView, which needs no window;
// the gesture fields (ZoomRepeat, PressPixel, SavedScreenCenterX/Y) from EditorNavigation.
class TFormaEditor : public QDialog,
                     public platform::NotifyReceiver,
                     public EditorView,
                     public EditorNavigation {
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
  QImage BackBuffer;          // off-screen picture, 24-bit colour
  // 24-bit colour in 32-bit pixels, the format the rasteriser draws fastest.
  static constexpr QImage::Format BackBufferFormat = QImage::Format_RGB32;

  QPushButton* SpeedButtonCaption = nullptr;  // the interpreter's error text
  QWidget* PanelSave = nullptr;
  QPushButton* SpeedButtonSave = nullptr;
  QWidget* PanelMemo = nullptr;  // hidden at creation
  QPlainTextEdit* Memo = nullptr;
  QWidget* PanelIso = nullptr;

  TFormaGeom& FormaGeom;

  // ---- Windows created after the editor; start-up hands them over once they exist. Without
  // the settings nothing is drawn; without a generator its overlay is left out ----
  TFormaSettings* FormaSettings = nullptr;
  TFormaEditorTurn* FormaEditorTurn = nullptr;
  TFormaEditorInsel* FormaEditorInsel = nullptr;
  TFormaSyntax* FormaSyntax = nullptr;

  // ---- Showing, the text panel and the files (forma_editor_text.cpp) ----
  // The one way the main window opens the editor: the memo gets Lines (its modified mark
  // cleared), PanelSave is hidden, PanelIso shown, and the editor runs modally until it is
  // closed. True when SpeedButtonSave closed it, false for every other way of closing.
  bool ExecuteWithText(const QStringList& Lines);

  // The questions and file names the editor asks for; tests put their own answers here.
  struct DialogProvider {
    std::function<bool(const QString& Text)> AskYesNo;
    std::function<QString(const QString& Folder)> OpenFileName;  // empty = cancelled
    std::function<QString(const QString& Folder)> SaveFileName;  // empty = cancelled
    std::function<void(const QString& Text)> ShowMessage;
  };
  DialogProvider Dialogs;

  QMenuBar* MainMenu = nullptr;
  QMenu* PFile = nullptr;
  QAction* PNew = nullptr;
  QAction* POpen = nullptr;
  QAction* PClose = nullptr;
  QMenu* PTools = nullptr;
  QAction* PSyntax = nullptr;
  QAction* PScrollBar = nullptr;
  QAction* AutoShow = nullptr;  // check: every re-interpretation ends with a fit
  QAction* PIso = nullptr;
  QAction* ActionEditor = nullptr;  // "Edit text": shows or hides the text panel
  QToolButton* SpeedButtonText = nullptr;
  QToolButton* SpeedButtonAlign = nullptr;
  QPlainTextEdit* MemoIso = nullptr;  // the ISO view's text; hidden
  QWidget* Splitter = nullptr;        // drags the width of a left-docked text panel
  QTimer* TimerStart = nullptr;       // 200 ms after creation and after each activation

  // Re-interprets the memo into the store and shows the verdict on SpeedButtonCaption. From
  // inside a run in progress the memo's text is asked to run after it instead.
  void ActionAutoExecute();
  void ActionClearExecute();
  void ActionEditorExecute();
  void SpeedButtonAlignClick();
  void SpeedButtonSaveClick();
  void PSyntaxClick();
  void PNewClick();
  void POpenClick();
  void PSaveClick();
  void PSaveAsClick();
  void PCloseClick();
  void TimerStartTimer();

  // The *.geo file of the memo: its path (the caption shows it) and the form it is written in.
  QString FileName;
  GeoFileFormat FileFormat;
  // The memo's lines as the interpreter and the files take them.
  std::vector<std::string> MemoLines() const;
  // True when the text panel is shown docked at the left.
  bool MemoDockedLeft() const;

  // ---- Colour, tool and ISO panels (forma_editor_colour_panel.cpp, forma_editor_iso_panel.cpp);
  // their rules without a window are editor/colour_tool_iso.h ----
  QToolButton* SpeedButtonColor = nullptr;  // shows or hides GroupBoxColor
  QComboBox* ComboBoxColor = nullptr;       // the ten colour rows
  QWidget* PanelColor = nullptr;            // preview of the colour being edited
  QScrollBar* ScrollBarColorR = nullptr;
  QScrollBar* ScrollBarColorG = nullptr;
  QScrollBar* ScrollBarColorB = nullptr;
  std::array<std::uint8_t, 3> ScrollBarColorTag{};  // R, G, B: 1 = its moves are ignored
  QToolButton* SpeedButtonColorClose = nullptr;
  QAction* Default = nullptr;  // the box's popup item: the standard colours
  platform::ColorDialog* ColorDialog = nullptr;  // Enter in the colour list; tests set its Runner
  QWidget* PanelTool = nullptr;                  // holds ComboBoxTool; hidden
  QToolButton* SpeedButton_G17_Abort = nullptr;
  QToolButton* SpeedButton_G17 = nullptr;
  QToolButton* SpeedButton_G18 = nullptr;
  QToolButton* SpeedButton_G19 = nullptr;
  QWidget* PanelIndex = nullptr;
  QLineEdit* EditIndex = nullptr;  // geometry number of the ISO view; empty = all

  void SpeedButtonColorClick();
  void SpeedButtonColorCloseClick();
  // The colour list's row was chosen by the user.
  void ComboBoxColorSelect();
  // A key in the colour list, before the list acts on it.
  void ComboBoxColorKeyDown(int Key);
  // A user's move of one of the three bars (never a position set by the program).
  void ScrollBarColorRScroll();
  void ScrollBarColorRMouseLeave();
  void DefaultClick();
  void ComboBoxToolChange();
  void ResetTool();
  // Shows the geometries as subprograms in plane Plane (17, 18, 19) in MemoIso.
  void SpeedButton_G17Click(int Plane);
  void SpeedButton_G17_AbortClick();
  void PanelIsoResize();
  void PIsoClick();
  // Tools / Check: the element bar and the tool field together.
  void PScrollBarClick();

  // ---- Turning and pocket panels (forma_editor_panels.cpp, forma_editor_turn_panel.cpp,
  // forma_editor_insel_panel.cpp); their logic without a window is editor/turn_panel.h and
  // editor/insel_panel.h ----
  QMenu* PopupMenuSelect = nullptr;
  QAction* SelectTurn = nullptr;
  QAction* SelectThread = nullptr;
  QAction* SelectInsel = nullptr;
  QListWidget* ListBoxTurn = nullptr;
  QComboBox* ComboBoxTurnI = nullptr;
  QComboBox* ComboBoxTurnL = nullptr;
  QComboBox* ComboBoxTurnF = nullptr;
  QComboBox* ComboBoxTurnK = nullptr;
  QComboBox* ComboBoxTurnA1 = nullptr;
  QComboBox* ComboBoxTurnL1 = nullptr;
  QComboBox* ComboBoxTurnA2 = nullptr;
  QComboBox* ComboBoxTurnL2 = nullptr;
  QComboBox* ComboBoxTurnE1 = nullptr;
  QComboBox* ComboBoxTurnE2 = nullptr;
  QComboBox* ComboBoxTurnE3 = nullptr;
  QComboBox* ComboBoxTurnTyp = nullptr;
  QGroupBox* GroupBoxTurnParam = nullptr;
  QPushButton* ButtonTurnSave = nullptr;
  QPushButton* ButtonTurnClose = nullptr;
  QComboBox* ComboBoxInsel_D = nullptr;
  QComboBox* ComboBoxInsel_K = nullptr;
  QComboBox* ComboBoxInsel_E = nullptr;
  QComboBox* ComboBoxInsel_A = nullptr;
  QListWidget* CheckListBoxInsel = nullptr;
  QToolButton* SpeedButtonInselTyp = nullptr;
  QPushButton* ButtonInselClick = nullptr;
  QComboBox* ComboBoxView = nullptr;
  QPushButton* ButtonInselSave = nullptr;
  QPushButton* ButtonInselClose = nullptr;
  platform::OneShotTimer* TimerTurn = nullptr;
  platform::OneShotTimer* TimerInsel = nullptr;
  int PanelDragX = -1;  // drag anchor in the box; -1 = the next mouse position
  int PanelDragY = -1;
  // What the panels keep between events; FormClose resets it in one assignment.
  struct PanelStateT {
    std::uint8_t TurnWaiting = 0;   // the box's tag: shown by the next mouse move
    std::uint8_t InselWaiting = 0;
    std::uint8_t ThreadWaiting = 0;
    std::uint8_t InselFit = 0;      // TimerInsel's tag: fit the view after the next run
    std::uint8_t InselRunning = 0;  // a pocket calculation is under way (it pumps)
    std::uint8_t ResetPending = 0;  // closed during that calculation: reset when it returns
  };
  PanelStateT Panels;

  void SelectTurnClick();
  void SelectThreadClick();
  void SelectInselClick();
  // First step of a mouse move in the drawing: shows the first waiting panel. True if one was.
  bool ShowWaitingPanel();
  void ResetTurnPanel();
  double NormalizeComboValue(QString& Text);
  // Parameter events: they cancel a running pocket calculation or arm the panel's timer.
  void ComboBoxTurnA1Click();
  void ListBoxTurnClick();
  void TimerTurnTimer();
  void ButtonTurnSaveClick();
  void ButtonTurnCloseClick();
  void ComboBoxInsel_DClick();
  void CheckListBoxInselClickCheck();
  void ButtonInselClickClick();
  void SpeedButtonInselTypClick();
  void TimerInselTimer();
  void ButtonInselSaveClick();
  void ButtonInselCloseClick();
  // Double click on a panel: a running pocket calculation stops.
  void GroupBoxTurnDblClick();
  // Dragging of the four floating boxes; positions relative to Box.
  void GroupBoxInselMouseDown(QGroupBox* Box, QPoint Position);
  void GroupBoxInselMouseMove(QGroupBox* Box, QPoint Position, bool LeftOnly);
  void GroupBoxTurnEnter();
  // The panels' part of FormClose.
  void PanelsFormClose();
  // Puts Lines into the memo and saves it under a chosen name. True once the file is written;
  // otherwise the memo gets its text and modified mark back and false is returned.
  bool SaveResultAs(const QStringList& Lines);

  // ---- Thread panel (forma_editor_thread_panel.cpp); its generator without a window is
  // editor/thread_panel.h ----
  QComboBox* ComboBoxThreadTyp = nullptr;   // thread kind = item index
  QComboBox* ComboBoxThreadTyp1 = nullptr;  // external table
  QComboBox* ComboBoxThreadTyp2 = nullptr;  // internal table
  QLineEdit* EditThreadF = nullptr;
  QLineEdit* EditThreadH = nullptr;
  QComboBox* ComboBoxThreadP = nullptr;
  QCheckBox* CheckBoxThreadNorm = nullptr;  // "Change direction"
  QLineEdit* EditThreadValue = nullptr;     // thread start and end
  QComboBox* ComboBoxThreadV = nullptr;     // safe point
  QComboBox* ComboBoxThreadW = nullptr;
  QComboBox* ComboBoxThreadL1 = nullptr;
  QComboBox* ComboBoxThreadL2 = nullptr;
  QComboBox* ComboBoxThreadE1 = nullptr;
  QComboBox* ComboBoxThreadE2 = nullptr;
  QPushButton* ButtonThreadSave = nullptr;
  QPushButton* ButtonThreadClose = nullptr;
  platform::OneShotTimer* TimerThread = nullptr;
  void ResetThreadPanel();
  // The parameter event of every thread control: arms TimerThread while the panel shows.
  void EditThreadFClick();
  void ComboBoxThreadTypChange();
  // A row of either table: its pitch and depth into EditThreadF and EditThreadH.
  void ComboBoxThreadTyp1Change(QComboBox* Table);
  // Writes the thread block after the program as block 254 and draws it.
  void TimerThreadTimer();
  void ButtonThreadSaveClick();
  void ButtonThreadCloseClick();
  void GroupBoxThreadDblClick();

  // ---- Painting (forma_editor_paint.cpp) ----
  // Controls the painting reads; the navigation, the panels and the menus give them their
  // places and their work.
  QStatusBar* StatusBar = nullptr;
  std::array<QLabel*, 6> StatusPanels{};  // x, y, z, distance, angle, hovered element
  QToolButton* SpeedButtonWindow = nullptr;  // down: a left drag spans a zoom window
  QToolButton* SpeedButtonPolus = nullptr;   // return the pole; enabled while a pole is set
  QWidget* PanelScroll = nullptr;            // hidden; holds ScrollBarIndex
  QScrollBar* ScrollBarIndex = nullptr;      // picks one element
  int ScrollBarIndexTag = 0;                 // 1 while the element scroll bar has the focus
  QComboBox* ComboBoxTool = nullptr;         // the tool panel's choice; hidden
  QGroupBox* GroupBoxTurn = nullptr;         // turning panel, hidden
  QScrollBar* ScrollBarTurn = nullptr;       // picks one turning move
  QGroupBox* GroupBoxInsel = nullptr;        // pocket panel, hidden
  QScrollBar* ScrollBarInsel = nullptr;      // picks one pocket path item
  QComboBox* ComboBoxSelect = nullptr;       // pocket chain shown thick; index 0 = none
  QGroupBox* GroupBoxColor = nullptr;        // floating panels, centred by FormResize
  QGroupBox* GroupBoxThread = nullptr;
  QAction* ActionDiametr = nullptr;          // check: y shown as a diameter
  QAction* ActionParameter = nullptr;        // check, ticked: all snap candidates
  QAction* ActionReferens0 = nullptr;
  QAction* ActionReferensX = nullptr;
  QAction* ActionReferensY = nullptr;
  QAction* ActionReferensInput = nullptr;
  QAction* ActionPolus = nullptr;
  QAction* PSave = nullptr;
  QAction* PSaveAs = nullptr;

  std::uint8_t FillNextArc = 0;  // 1 = the next arc is a filled polygon
  std::array<QPoint, ArcPointCount> ArcPoints{};  // work buffer of the arc drawing
  QStringList LabelTexts;  // the lines last written beside the mouse

  // Lines, arcs and markers into BackBuffer with the current pen of the canvas being painted.
  void DrawSegment(double X1, double Y1, double X2, double Y2, double Z1, double Z2);
  void DrawSegmentIfDefined(double X1, double Y1, double X2, double Y2);
  void DrawArc(double CX, double CY, double R, double A1, double A2);
  void DrawArcIfDefined(double CX, double CY, double R, double A1, double A2);
  void DrawPointMarker(double X, double Y);
  void DrawHandle(double X, double Y);
  void DrawZoomWindow();
  void DrawAxesAndMarkers();
  void DrawToolSymbol(double X, double Y, double Feed);
  // The hole circles of Element's geometry number around its two ends.
  void DrawHoleCircles(const TFormaGeom::GeomT& Element);
  // Hover record and cursor point from a picked turning or pocket item.
  template <class Item>
  void SetHoverFromItem(const Item& It);
  // The hovered element drawn thick, then its handles and construction lines.
  void DrawSnapConstruction();
  // Empties the hover record, the cursor point and the pole, and status panels 0 to 4.
  void ClearHover();
  // The snap search from MousePixel over the store, the pocket path and the turning moves
  // (snap_search.h); the callers repaint afterwards.
  void FindSnapPoint();

  // The whole repaint into BackBuffer. While an interpreter run or a pocket computation is
  // in progress the last finished picture stays.
  void PaintView();
  // Enables the actions that need elements or a pole, then PaintView.
  void FormPaint();
  // Sizes the picture and the panels to the window and fits the view.
  void FormResize();
  // The picture's top in the window: the toolbar's bottom.
  int DrawingTop() const;

  // ---- Navigation, zoom and pole (forma_editor_nav.cpp) ----
  QToolButton* SpeedButtonWindowMinus = nullptr;  // hold: zoom out
  QToolButton* SpeedButtonWindowPlus = nullptr;   // hold: zoom in
  QToolButton* SpeedButtonReferens = nullptr;     // fit to extents
  QAction* ActionReferens = nullptr;
  QTimer* Timer = nullptr;              // 100 ms repeat of the held zoom button
  QWidget* EditFocus = nullptr;         // focus sink for the navigation keys
  QMenu* PopupMenuDefault = nullptr;    // opens on a plain right click in the drawing
  TFormaInput* FormaInput = nullptr;    // asks for typed pole coordinates; set by start-up

  // Mouse in the drawing, by the exact buttons and keys held (for the release: held after it).
  void FormMouseDown(ShiftState Shift, int X, int Y);
  void FormMouseMove(ShiftState Shift, int X, int Y);
  void FormMouseUp(ShiftState Shift, int X, int Y);
  // The wheel, dispatched by the focused control; true when it was used up here.
  bool FormMouseWheel(ShiftState Shift, int Delta);
  void FormDblClick();
  // Keys: the window sees every key first (Esc, repaint); the focus sink navigates.
  void FormKeyDown(int Key);
  bool EditFocusKeyDown(int Key, Qt::KeyboardModifiers Modifiers);
  void HandleEscape();
  // Zoom buttons held down, released, and the repeat's tick.
  void SpeedButtonWindowPlusMouseDown();
  void SpeedButtonWindowMinusMouseDown();
  void TimeStop();
  void TimerTimer();
  void SpeedButtonWindowClick();
  // Fit to extents; the cursor point becomes (0, 0).
  void ActionReferensExecute();
  // The pole.
  void ActionPolusExecute();
  void ActionReferens0Execute();
  void ActionReferensXExecute();
  void ActionReferensYExecute();
  void ActionReferensInputExecute();
  // The element scroll bar.
  void ScrollBarIndexEnter();
  void ScrollBarIndexExit();
  void ScrollBarIndexScroll();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Every way of closing (Esc, Exit, the window's close box, the panels' buttons) passes
  // here: a modified memo is asked about unless Save closed the editor.
  void done(int Result) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PaintLayers(bool& AxesFlag, double& ToolX, double& ToolY, double& ToolFeed);
  void PaintLabelsAndStatus();
  // A segment in pixels, cut to the picture when it reaches far beyond it.
  void DrawPixelSegment(double SX1, double SY1, double SX2, double SY2);

  platform::WindowList& windows_;
  platform::Canvas* canvas_ = nullptr;  // while PaintView runs
  bool elementDrawn_ = false;           // the repaint under way drew an element
  std::array<QPoint, ArcPointCount> arcKept_;  // the arc's points less those on the same pixel
  std::array<QString, 6> statusTexts_;         // the status texts of the repaint under way
  QWidget* toolBar_ = nullptr;          // the row of buttons over the picture

  // ---- Panels ----
  void CreateMachiningPanels();
  // Stops the panels' event routing; the window is going away.
  void ReleaseMachiningPanels();
  QObject* panelEvents_ = nullptr;
  void CreateTurnPanel();
  void CreateInselPanel();
  void CreateThreadPanel();
  // Where the block the thread panel last wrote after "%254" starts in the memo; -1 when the
  // memo does not end with it.
  int ThreadBlockStart() const;
  QStringList threadBlock_;  // the lines of that block
  void EnterPanelMode();
  void FinishInselRun(const InselRunResult& Result);
  // Item texts of a panel list as the controls take them.
  static QStringList PanelItems(const std::vector<std::string>& Items);
  // The first step of a panel's timer event: the timer stops; fired from inside a run that
  // pumps (an interpreter run or a pocket calculation), it is armed again to act after that
  // run, and true is returned.
  bool PanelTimerWaits(platform::OneShotTimer& Timer);

  // Navigation (forma_editor_nav.cpp).
  void SetUpNavigation();
  PictureSize Picture() const;
  QObject* navigationFilter_ = nullptr;  // key preview and wheel dispatch over the window
  bool popupArmed_ = false;  // a plain right press: the release opens the popup menu
  void CreateMenusAndTextPanel();
  void CreateColourToolIsoPanels();
  void CreateIsoPanel();
  // Caption button, element bar, fit and repaint after a run that gave ErrorText.
  void FinishAutoExecute(const std::string& ErrorText);
  // FormClose: the editor back to its plain state.
  void FormClose();
  void FormShow();
  // Writes the memo to Path; tells the user and keeps the modified mark when it fails.
  bool WriteMemo(const QString& Path);
  void SetFileName(const QString& Path);
  // The text panel over the client area (filled) or at its left edge.
  void PlaceMemoPanel();
  bool RussianInterface() const;
  QString Message(int Slot, const char* English) const;
  bool memoDockedLeft_ = false;
  int memoDockWidth_ = 0;
  bool savedClose_ = false;  // the close under way comes from SpeedButtonSave
};

}  // namespace movra
