#pragma once
// Forms as declared component trees. A form class derives from TForm, declares its
// components in one table and handles their events in methods named after the component
// and the event (btApplyClick, tbCoreChange, tmRecordTimer). Code reads and writes
// component state only through this model; a FormRenderer turns it into windows
// (ui/win32/) or lets a test play the user (SimFormRenderer).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "ui/picture.h"

namespace corvane::ui {

enum class ComponentKind {
  Form,         // the first row of every table: the window itself
  Button,       // bt/btn: may close a modal form with its modal result
  CheckBox,     // cb
  RadioButton,  // exclusive among radio buttons of the same parent and group index
  Label,        // lb/st: static text
  Edit,         // ed: single line, or several with multiLine
  ComboBox,     // cb: drop-down list; with `editable`, typing as well as picking
  ListBox,
  ListView,     // lv: a report list with columns; each item is one row, its cells separated by '\t'
  TrackBar,     // tb
  GroupBox,     // gb: framed container with a caption
  Panel,        // plain container, optionally framed
  PageControl,  // pc: its tab sheets are its children; ItemIndex is the active sheet
  TabSheet,     // ts: caption is the tab's text
  Timer,        // tm: no window; Interval, Enabled, OnTimer
  Image,        // an icon or bitmap (see Picture)
  LinkLabel,    // caption shown as a link to Address
  Led,          // led: a round lamp, lit while Checked; a disabled lamp is drawn dimmed
  HotKey,       // hk: captures a key combination; Position is its shortcut code (virtual key in
                // the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt), 0 for none
  TreeView,     // tv: nodes (SetNodes) shown as a tree; ItemIndex is the selected node
  UpDown,       // ud: a number in an edit box with up and down arrows; Position within [Min, Max]
};

// Shortcut code modifiers of a HotKey component.
namespace ShortCutFlag {
inline constexpr int Shift = 0x2000;
inline constexpr int Ctrl = 0x4000;
inline constexpr int Alt = 0x8000;
}  // namespace ShortCutFlag

// One node of a tree view, in the order the tree shows them from top to bottom: a node of
// level n + 1 is a child of the nearest node of level n above it. `imageIndex` is into the
// tree view's Picture strip (-1: none); `data` is the caller's.
struct TreeNode {
  std::wstring caption;
  int level = 0;
  int imageIndex = -1;
  int data = 0;
  bool operator==(const TreeNode&) const = default;
};

// Lamp colours (COLORREF: red in the low byte).
namespace LedColor {
inline constexpr uint32_t Green = 0x00E000;
inline constexpr uint32_t Red = 0x0000E0;
inline constexpr uint32_t Yellow = 0x00E0E0;
}  // namespace LedColor

// The numbers are the ones MessageBox and Windows' dialog functions use.
enum class TModalResult { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

enum class FormBorder { Dialog, None, ToolWindow };

// A list view's column: its header text and width in pixels.
struct ListColumn {
  std::wstring caption;
  int width = 75;
};

// A list view row from its cells, and the cells of a row.
std::wstring JoinCells(const std::vector<std::wstring>& cells);
std::vector<std::wstring> SplitCells(std::wstring_view row);
enum class TextAlign { Left, Center, Right };

// One row of a form's table. The first nine fields are common and may be given in order;
// the rest belong to some kinds only and are best given by designator:
//   {ComponentKind::Label, L"lbCore", L"核心:", L"gbClocks", 8, 20, 60, 13},
//   {.kind = ComponentKind::Button, .name = L"btOk", .caption = L"确定", .left = 120, .top = 200,
//    .width = 75, .height = 25, .modalResult = TModalResult::Ok, .isDefault = true},
// Positions are in pixels, relative to the parent's client area (a group box's or tab
// sheet's inside); for the form row, width and height are the client size.
struct ComponentDecl {
  ComponentKind kind = ComponentKind::Label;
  std::wstring name{};
  std::wstring caption{};
  std::wstring parent{};  // empty: the form
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int tag = 0;

  bool enabled = true;
  bool visible = true;
  bool checked = false;                          // check box, radio button; LED: lit
  int groupIndex = 0;                            // radio button
  TModalResult modalResult = TModalResult::None; // button
  bool isDefault = false;                        // button: Enter presses it
  bool isCancel = false;                         // button: Esc presses it
  wchar_t altKey = 0;                            // button: Alt with this capital letter presses it
  int min = 0;                                   // track bar, up-down
  int max = 10;                                  // track bar, up-down
  int position = 0;                              // track bar, up-down
  int frequency = 1;                             // track bar: a tick every this many steps
  bool vertical = false;                         // track bar
  std::vector<std::wstring> items{};             // combo box, list box, list view (rows)
  int itemIndex = -1;                            // combo box, list box, list view; page control: active sheet
  std::vector<ListColumn> columns{};             // list view
  bool editable = false;                         // combo box: takes typed text
  std::wstring text{};                           // edit
  bool readOnly = false;                         // edit
  bool multiLine = false;                        // edit
  int maxLength = 0;                             // edit: 0 is unlimited
  bool numbersOnly = false;                      // edit: typing takes digits only
  int interval = 1000;                           // timer, in milliseconds
  int imageIndex = -1;                           // tab sheet: its tab's image in the page control's strip
  int helpContext = 0;                           // the help file's topic; 0: the parent's
  Picture picture{};                             // image; page control, tree view: the strip of its images
  std::wstring address{};                        // link label
  TextAlign align = TextAlign::Left;             // label
  bool bold = false;                             // label, link label
  bool framed = false;                           // panel
  FormBorder border = FormBorder::Dialog;        // form
  bool stayOnTop = false;                        // form
  uint32_t color = LedColor::Green;              // LED: its colour when lit
};

// What a model change touched, so a renderer updates only that.
enum class ComponentProperty {
  Caption, Enabled, Visible, Checked, Bounds, Tag, ImageIndex, Picture, Position, Range,
  Items, ItemIndex, Text, Interval, Address, ModalResult, Focus,
};

class TForm;
class TComponent;
using TNotifyEvent = std::function<void(TComponent& sender)>;

// One component's state. Setters change the model and tell the renderer; they never run
// event handlers. The user's actions (the renderer's input, or a test playing the user)
// go through Click/UserSet*/UserSelect*, which run the handlers the way Windows would.
class TComponent {
 public:
  TComponent(TForm& form, const ComponentDecl& decl, TComponent* parent);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  ComponentKind Kind() const { return kind_; }
  const std::wstring& Name() const { return name_; }
  TComponent* Parent() const { return parent_; }
  TForm& Form() const { return form_; }
  const ComponentDecl& Declared() const { return decl_; }

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(std::wstring caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Visible itself, every parent visible, and on the active sheet of any page control.
  bool Showing() const;
  int Tag() const { return tag_; }
  void SetTag(int tag);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  const Picture& GetPicture() const { return picture_; }
  void SetPicture(Picture picture);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  // Check box, radio button and LED (lit). Checking a radio button unchecks the others of
  // its group.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  int GroupIndex() const { return groupIndex_; }
  TModalResult ModalResult() const { return modalResult_; }

  // Track bar, up-down and hot key. The position is kept within [Min, Max]; a range with
  // max < min is made empty at min. A hot key's range is 0..0xFFFF.
  int Position() const { return position_; }
  void SetPosition(int position);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);

  // Combo box, list box and list view. ItemIndex is -1 (nothing) or a valid index; anything else reads
  // as -1. Replacing the items keeps the index when it is still valid.
  const std::vector<std::wstring>& Items() const { return items_; }
  void SetItems(std::vector<std::wstring> items);
  void AddItem(std::wstring item);
  void ClearItems();
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  // Tree view: its nodes (Items are their captions). ItemIndex counts them from the top.
  const std::vector<TreeNode>& Nodes() const { return nodes_; }
  void SetNodes(std::vector<TreeNode> nodes);
  // Page control: the active sheet (ItemIndex counts the sheets), nullptr when none.
  TComponent* ActivePage() const;
  void SetActivePage(std::wstring_view sheetName);

  // Edit and editable combo box: its text. Combo box and list box: the selected item (""
  // when none). Setting it selects the first item equal to it, or nothing; an editable
  // combo box keeps the text either way, and selecting an item there sets its text.
  std::wstring Text() const;
  void SetText(std::wstring text);

  // Combo box: whether the user may type into it. The window takes this when it is made,
  // so change it while the form is not showing. Turning it on keeps the selected item as
  // the text.
  bool Editable() const { return editable_; }
  void SetEditable(bool editable);

  // Timer: runs OnTimer every Interval ms while Enabled, from the moment it has a handler.
  int Interval() const { return interval_; }
  void SetInterval(int intervalMs);

  // Link label.
  const std::wstring& Address() const { return address_; }
  void SetAddress(std::wstring address);

  TNotifyEvent OnClick;
  TNotifyEvent OnChange;
  TNotifyEvent OnTimer;
  TNotifyEvent OnDblClick;

  // --- What the user does. Nothing happens for a disabled or hidden component. ---
  // Button: sets the form's ModalResult to the button's, then runs OnClick (which may
  // set it back to None to keep the form open). Check box: toggles, then OnClick. Radio
  // button: checks, then OnClick. Others: OnClick.
  void Click();
  // Track bar, up-down, hot key: moves to the position (clamped); OnChange when it moved.
  void UserSetPosition(int position);
  // Combo box and tree view: selects (an editable combo box takes the item as its text),
  // then OnChange when the selection changed. List box and list view: selects, then OnClick. Page control: activates the
  // sheet, then OnChange when it changed.
  void UserSelect(int index);
  // Edit and editable combo box: replaces the text, then OnChange when it changed.
  void UserSetText(std::wstring text);
  // List box and list view: the item under the pointer double-clicked: selects it, then OnDblClick.
  void UserDoubleClick(int index);
  // Timer: what the clock calls when the interval has passed.
  void FireTimer();
  // F1 or the caption's "?" on this component: asks the application's help event for the
  // topic of the component, or of its nearest parent that has one, as a context popup.
  // False when no topic is declared or nothing handled it.
  bool UserHelp();

  // Gives it the keyboard focus: the form's ActiveControl from now on. Put its page in
  // front first; a component that is not showing cannot take it.
  void SetFocus();

 private:
  friend class TForm;
  void Changed(ComponentProperty what);
  bool AcceptsInput() const { return enabled_ && Showing(); }
  void UncheckGroupSiblings();
  std::vector<TComponent*> Sheets() const;

  TForm& form_;
  const ComponentDecl decl_;
  const ComponentKind kind_;
  const std::wstring name_;
  TComponent* parent_;
  std::wstring caption_;
  bool enabled_, visible_, checked_, editable_;
  int tag_, imageIndex_;
  Picture picture_;
  int left_, top_, width_, height_;
  int groupIndex_;
  TModalResult modalResult_;
  int min_, max_, position_;
  std::vector<std::wstring> items_;
  std::vector<TreeNode> nodes_;
  int itemIndex_;
  std::wstring text_;
  int interval_;
  std::wstring address_;
  std::unique_ptr<platform::Timer> runningTimer_;
};

class FormRenderer;

// What every form needs from its surroundings.
struct FormContext {
  FormRenderer& renderer;
  platform::Clock& clock;
};

class TForm {
 public:
  // `components[0]` declares the form itself (kind Form); every other row names an
  // earlier row, or nothing, as parent. A broken table throws std::logic_error.
  TForm(const FormContext& context, std::span<const ComponentDecl> components);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  const std::wstring& Name() const { return self().Name(); }
  const std::wstring& Caption() const { return self().Caption(); }
  void SetCaption(std::wstring caption) { self().SetCaption(std::move(caption)); }
  int ClientWidth() const { return self().Width(); }
  int ClientHeight() const { return self().Height(); }
  void SetClientSize(int width, int height);
  const ComponentDecl& Declared() const { return self().Declared(); }

  // The component of that name; std::out_of_range for a name not in the table.
  TComponent& operator[](std::wstring_view name) const;
  TComponent* Find(std::wstring_view name) const;
  // Every component, the form first, in table order (parents before children).
  const std::vector<std::unique_ptr<TComponent>>& Components() const { return components_; }
  TComponent& Self() const { return self(); }

  // Shows the form modally: FormShow, the renderer's loop until ModalResult is set,
  // FormClose. Returns the modal result (Cancel when the user closed the form).
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  // Non-modal showing, for forms that stay up while the program works.
  void Show();
  void Hide();
  bool Showing() const { return showing_; }
  // What the close box and Esc do: asks FormCloseQuery, then ends a modal form with
  // Cancel or hides a non-modal one.
  void Close();

  FormRenderer& Renderer() const { return context_.renderer; }

  // Alt with a letter, as the user types it: clicks the button declared with that
  // `altKey`. False when no button has it, or it is disabled or hidden.
  bool UserPressAlt(wchar_t letter);

  // The component that last took the keyboard focus through SetFocus; nullptr before.
  TComponent* ActiveControl() const { return activeControl_; }
  // The system's default sound: what a form does when it refuses input.
  void Beep();

 protected:
  virtual void FormShow() {}
  virtual bool FormCloseQuery() { return true; }
  virtual void FormClose() {}

  // Binds a component's event to a handler method of the derived form:
  //   HandleClick(L"btApply", &TfrmOver::btApplyClick);
  template <class F>
  void HandleClick(std::wstring_view name, void (F::*handler)(TComponent&)) {
    (*this)[name].OnClick = Bound(handler);
  }
  template <class F>
  void HandleChange(std::wstring_view name, void (F::*handler)(TComponent&)) {
    (*this)[name].OnChange = Bound(handler);
  }
  template <class F>
  void HandleTimer(std::wstring_view name, void (F::*handler)(TComponent&)) {
    TComponent& timer = (*this)[name];
    timer.OnTimer = Bound(handler);
    RestartTimer(timer);
  }

 private:
  friend class TComponent;
  template <class F>
  TNotifyEvent Bound(void (F::*handler)(TComponent&)) {
    F* form = static_cast<F*>(this);
    return [form, handler](TComponent& sender) { (form->*handler)(sender); };
  }
  TComponent& self() const { return *components_.front(); }
  void Changed(TComponent& component, ComponentProperty what);
  void RestartTimer(TComponent& timer);

  FormContext context_;
  std::vector<std::unique_ptr<TComponent>> components_;
  TModalResult modalResult_ = TModalResult::None;
  bool modal_ = false;
  bool showing_ = false;
  TComponent* activeControl_ = nullptr;
};

// WinHelp's HELP_CONTEXTPOPUP: how a component's help topic is asked for.
inline constexpr uint32_t kHelpContextPopup = 8;

// Turns forms into windows (ui/win32/) or plays them in tests (SimFormRenderer).
class FormRenderer {
 public:
  // The application's help event: a WinHelp command and its data; true when handled.
  using HelpEvent = std::function<bool(uint32_t command, uintptr_t data)>;

  virtual ~FormRenderer() = default;
  // Installed once by the main form; every form shown through this renderer uses it.
  void SetHelpEvent(HelpEvent event) { helpEvent_ = std::move(event); }
  bool ApplicationHelp(uint32_t command, uintptr_t data) const { return helpEvent_ && helpEvent_(command, data); }
  // Shows the form, runs until form.ModalResult() is not None, removes the form, returns.
  // Other windows of the program are disabled meanwhile.
  virtual void RunModal(TForm& form) = 0;
  // Shows the form without waiting, painted at once (the caller is about to be busy).
  virtual void Show(TForm& form) = 0;
  virtual void Hide(TForm& form) = 0;
  // Puts a showing form in front again, after another program's window (a plug-in's) had
  // the foreground.
  virtual void BringToFront(TForm& form) { (void)form; }
  // The model changed: bring the screen up to date.
  virtual void ComponentChanged(TComponent& component, ComponentProperty what) = 0;
  // The form is being destroyed: forget it.
  virtual void FormDestroyed(TForm& form) = 0;
  // The system's default sound.
  virtual void Beep() = 0;

 private:
  HelpEvent helpEvent_;
};

}  // namespace corvane::ui
