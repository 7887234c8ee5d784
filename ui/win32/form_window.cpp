#include "ui/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "ui/win32/led_painter.h"
#include "ui/win32/picture_loader.h"

namespace corvane::ui::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"CorvaneForm";

// The module this code is linked into: the program, or a plug-in library that shows its
// own forms. Each registers the form class for itself, so a library's windows never run
// the program's copy of the window procedure, nor the other way round.
HINSTANCE CodeModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void SelectListViewRow(HWND list, int index) {
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (index >= 0) {
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, index, FALSE);
  }
}

void FillListView(HWND list, const TComponent& component) {
  ListView_DeleteAllItems(list);
  int row = 0;
  for (const std::wstring& item : component.Items()) {
    const std::vector<std::wstring> cells = SplitCells(item);
    LVITEMW entry{};
    entry.mask = LVIF_TEXT;
    entry.iItem = row;
    entry.pszText = const_cast<wchar_t*>(cells[0].c_str());
    ListView_InsertItem(list, &entry);
    for (size_t cell = 1; cell < cells.size(); ++cell)
      ListView_SetItemText(list, row, static_cast<int>(cell), const_cast<wchar_t*>(cells[cell].c_str()));
    ++row;
  }
  SelectListViewRow(list, component.ItemIndex());
}

void AddListViewColumns(HWND list, const ComponentDecl& decl) {
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  int index = 0;
  for (const ListColumn& column : decl.columns) {
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH;
    header.cx = column.width;
    header.pszText = const_cast<wchar_t*>(column.caption.c_str());
    ListView_InsertColumn(list, index++, &header);
  }
}
// The model's shortcut code and the hotkey control's word (virtual key in the low byte,
// HOTKEYF_* in the high one).
int ShortCutOfHotKeyWord(WORD word) {
  const BYTE modifiers = HIBYTE(word);
  int code = LOBYTE(word);
  if (modifiers & HOTKEYF_SHIFT) code |= ShortCutFlag::Shift;
  if (modifiers & HOTKEYF_CONTROL) code |= ShortCutFlag::Ctrl;
  if (modifiers & HOTKEYF_ALT) code |= ShortCutFlag::Alt;
  return code;
}

WORD HotKeyWordOfShortCut(int code) {
  BYTE modifiers = 0;
  if (code & ShortCutFlag::Shift) modifiers |= HOTKEYF_SHIFT;
  if (code & ShortCutFlag::Ctrl) modifiers |= HOTKEYF_CONTROL;
  if (code & ShortCutFlag::Alt) modifiers |= HOTKEYF_ALT;
  return MAKEWORD(static_cast<BYTE>(code & 0xFF), modifiers);
}

// Below these are IDOK, IDCANCEL and the rest, which IsDialogMessage sends for Enter and Esc.
constexpr UINT kFirstId = 100;
// A drop-down list's window height includes the list it drops.
constexpr int kDropDownListHeight = 200;
// The images of tabs, like those of menu items.
constexpr int kTabImageSize = 16;
// The arrows of an up-down, beside its edit box.
constexpr int kUpDownArrowsWidth = 16;

void RegisterFormClass(WNDPROC proc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = CodeModule();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kFormClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "RegisterClassExW");
}

struct WindowStyle {
  DWORD style;
  DWORD exStyle;
};

WindowStyle FormStyle(const ComponentDecl& decl) {
  WindowStyle result{WS_POPUP, decl.stayOnTop ? DWORD{WS_EX_TOPMOST} : 0};
  switch (decl.border) {
    case FormBorder::Dialog:
      result.style |= WS_CAPTION | WS_SYSMENU;
      result.exStyle |= WS_EX_DLGMODALFRAME;
      break;
    case FormBorder::ToolWindow:
      result.style |= WS_CAPTION | WS_SYSMENU;
      result.exStyle |= WS_EX_TOOLWINDOW;
      break;
    case FormBorder::None:
      result.exStyle |= WS_EX_TOOLWINDOW;  // no taskbar button for a bare box
      break;
  }
  // A form with help topics gets the caption's "?" button.
  if (decl.helpContext != 0 && decl.border == FormBorder::Dialog) result.exStyle |= WS_EX_CONTEXTHELP;
  return result;
}

bool IsDefaultButton(const ComponentDecl& decl) { return decl.isDefault; }
bool IsCancelButton(const ComponentDecl& decl) { return decl.isCancel; }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// CB_SETCURSEL also rewrites an editable combo box's text (to nothing for no selection):
// its typed text and the caret in it are put back as the model has them.
void SelectComboItem(HWND combo, const TComponent& component) {
  if (!component.Editable()) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(component.ItemIndex()), 0);
    return;
  }
  const LRESULT caret = SendMessageW(combo, CB_GETEDITSEL, 0, 0);
  const bool sameText = WindowText(combo) == component.Text();
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(component.ItemIndex()), 0);
  if (WindowText(combo) != component.Text()) SetWindowTextW(combo, component.Text().c_str());
  if (sameText) SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(caret), HIWORD(caret)));
}

// A tab's sheet: its index among all sheets of the page control, hidden ones included,
// which is what the model's ItemIndex counts. -1 for no tab.
int SheetOfTab(HWND tabs, int tab) {
  TCITEMW item{};
  item.mask = TCIF_PARAM;
  if (tab < 0 || !TabCtrl_GetItem(tabs, tab, &item)) return -1;
  return static_cast<int>(item.lParam);
}

// Controls that hold others; the others are their siblings on screen.
bool IsContainer(ComponentKind kind) {
  return kind == ComponentKind::PageControl || kind == ComponentKind::GroupBox || kind == ComponentKind::Panel;
}

int Depth(const TComponent& component) {
  int depth = 0;
  for (const TComponent* parent = component.Parent(); parent; parent = parent->Parent()) ++depth;
  return depth;
}

// Controls that show what lies under them around their text or picture.
bool ShowsBackground(ComponentKind kind) {
  switch (kind) {
    case ComponentKind::Label:
    case ComponentKind::LinkLabel:
    case ComponentKind::Panel:
    case ComponentKind::Image:
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
    case ComponentKind::GroupBox:
    case ComponentKind::TrackBar:
    case ComponentKind::Led:
      return true;
    default:
      return false;
  }
}

}  // namespace

void UnregisterFormClass() { UnregisterClassW(kFormClass, CodeModule()); }

FormWindow::FormWindow(TForm& form, HWND owner, const FormFonts& fonts, std::function<void(std::exception_ptr)> onError)
    : form_(form), fonts_(fonts), onError_(std::move(onError)) {
  EnsureCommonControls();
  RegisterFormClass(WindowProc);
  for (const auto& component : form.Components()) controls_.push_back(Control{component.get()});
  CreateFormWindow(owner);
  for (size_t i = 1; i < controls_.size(); ++i) CreateControl(controls_[i]);
  // The tabs exist only now that every sheet is made.
  for (Control& control : controls_)
    if (control.component->Kind() == ComponentKind::PageControl) ShowTabs(*control.component);
  StackContainersUnderTheirContents();
  LayOut();
}

// The window goes first: its controls still show the icons and bitmaps held here.
FormWindow::~FormWindow() { window_.reset(); }

void FormWindow::CreateFormWindow(HWND owner) {
  const TComponent& self = form_.Self();
  const WindowStyle style = FormStyle(self.Declared());
  RECT frame{0, 0, self.Width(), self.Height()};
  AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the work area, as dialogs of this kind are.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  window_.reset(CreateWindowExW(style.exStyle, kFormClass, self.Caption().c_str(), style.style, left, top, width,
                                height, owner, nullptr, CodeModule(), this));
  if (!window_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
  controls_.front().handle = window_.get();
  SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.normal), FALSE);
}

void FormWindow::CreateControl(Control& control) {
  const TComponent& component = *control.component;
  const ComponentDecl& decl = component.Declared();
  const wchar_t* windowClass = nullptr;
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  HFONT font = decl.bold ? fonts_.bold : fonts_.normal;
  switch (component.Kind()) {
    case ComponentKind::TabSheet:  // only a tab, made with its page control's
    case ComponentKind::Form:
    case ComponentKind::Timer:
      return;
    case ComponentKind::Button:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | (decl.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case ComponentKind::CheckBox:
      // Not BS_AUTOCHECKBOX: the model decides the check, the control shows it.
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_CHECKBOX;
      break;
    case ComponentKind::RadioButton:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_RADIOBUTTON;
      break;
    case ComponentKind::GroupBox:
      windowClass = L"BUTTON";
      style |= BS_GROUPBOX | WS_CLIPSIBLINGS;
      break;
    case ComponentKind::Label:
      windowClass = L"STATIC";
      style |= SS_NOTIFY | (decl.align == TextAlign::Center ? SS_CENTER
                            : decl.align == TextAlign::Right ? SS_RIGHT
                                                             : SS_LEFT);
      break;
    case ComponentKind::LinkLabel:
      windowClass = L"STATIC";
      style |= SS_NOTIFY | SS_NOPREFIX;
      font = fonts_.link;
      break;
    case ComponentKind::Panel:
      windowClass = L"STATIC";
      style |= SS_CENTER | SS_CENTERIMAGE | WS_CLIPSIBLINGS | (decl.framed ? WS_BORDER : 0);
      break;
    case ComponentKind::Image:
      windowClass = L"STATIC";
      style |= SS_NOTIFY | SS_CENTERIMAGE | (component.GetPicture().type == Picture::Type::Icon ? SS_ICON : SS_BITMAP);
      break;
    case ComponentKind::Led:
      // Drawn by PaintLed when the form gets WM_DRAWITEM.
      windowClass = L"STATIC";
      style |= SS_NOTIFY | SS_OWNERDRAW;
      break;
    case ComponentKind::Edit:
      windowClass = L"EDIT";
      exStyle = WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (decl.readOnly ? ES_READONLY : 0) |
               (decl.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : 0) |
               (decl.numbersOnly ? ES_NUMBER : 0);
      break;
    case ComponentKind::ComboBox:
      // Windows fixes the kind of combo box when it makes it.
      windowClass = L"COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | (component.Editable() ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
      break;
    case ComponentKind::ListBox:
      windowClass = L"LISTBOX";
      exStyle = WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      break;
    case ComponentKind::ListView:
      windowClass = WC_LISTVIEWW;
      exStyle = WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
      break;
    case ComponentKind::TrackBar:
      windowClass = TRACKBAR_CLASSW;
      style |= WS_TABSTOP | TBS_AUTOTICKS | (decl.vertical ? TBS_VERT : TBS_HORZ);
      break;
    case ComponentKind::HotKey:
      windowClass = HOTKEY_CLASSW;
      style |= WS_TABSTOP;
      break;
    case ComponentKind::TreeView:
      windowClass = WC_TREEVIEWW;
      exStyle = WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
      break;
    case ComponentKind::UpDown:
      // The edit box is the control; the arrows are made beside it, below.
      windowClass = L"EDIT";
      exStyle = WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER;
      break;
    case ComponentKind::PageControl:
      windowClass = WC_TABCONTROLW;
      // Its pages' controls are its siblings, stacked over it.
      style |= WS_TABSTOP | WS_CLIPSIBLINGS;
      break;
  }
  const UINT id = kFirstId + static_cast<UINT>(&control - controls_.data());
  control.handle = CreateWindowExW(exStyle, windowClass, L"", style, 0, 0, 0, 0, window_.get(),
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), CodeModule(), nullptr);
  if (!control.handle) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
  SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (component.Kind() == ComponentKind::ListView) AddListViewColumns(control.handle, decl);
  if (component.Kind() == ComponentKind::HotKey)
    SendMessageW(control.handle, HKM_SETRULES, 0, 0);  // no combination is refused or forced
  if (component.Kind() == ComponentKind::UpDown) {
    control.arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
                                     window_.get(), nullptr, CodeModule(), nullptr);
    if (!control.arrows)
      throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
  }
  if (component.Kind() == ComponentKind::TreeView && !component.GetPicture().Empty()) {
    control.images = LoadPictureStrip(component.GetPicture(), kTabImageSize);
    TreeView_SetImageList(control.handle, control.images.get(), TVSIL_NORMAL);
  }
  FillControl(control);
}

void FormWindow::FillControl(Control& control) {
  for (ComponentProperty what : {ComponentProperty::Caption, ComponentProperty::Enabled, ComponentProperty::Checked,
                                 ComponentProperty::Range, ComponentProperty::Position, ComponentProperty::Items,
                                 ComponentProperty::ItemIndex, ComponentProperty::Text, ComponentProperty::Picture})
    Apply(*control.component, what);
  if (control.component->Kind() == ComponentKind::Edit && control.component->Declared().maxLength > 0)
    SendMessageW(control.handle, EM_LIMITTEXT, static_cast<WPARAM>(control.component->Declared().maxLength), 0);
}

HWND FormWindow::ControlOf(const TComponent& component) const {
  for (const Control& control : controls_)
    if (control.component == &component) return control.handle;
  return nullptr;
}

FormWindow::Control& FormWindow::ControlFor(const TComponent& component) {
  for (Control& control : controls_)
    if (control.component == &component) return control;
  throw std::logic_error("component of another form");
}

FormWindow::Control* FormWindow::ControlById(UINT id) {
  if (id < kFirstId || id - kFirstId >= controls_.size()) return nullptr;
  return &controls_[id - kFirstId];
}

FormWindow::Control* FormWindow::ControlByHandle(HWND handle) {
  for (Control& control : controls_)
    if (handle && control.handle == handle) return &control;
  return nullptr;
}

POINT FormWindow::ClientOrigin(const TComponent& component) const {
  const TComponent* parent = component.Parent();
  if (!parent || parent->Kind() == ComponentKind::Form) return {component.Left(), component.Top()};
  if (parent->Kind() == ComponentKind::TabSheet) {
    // A sheet fills its page control's display area; its own position is not used.
    const TComponent* pageControl = parent->Parent();
    POINT origin = ClientOrigin(*pageControl);
    RECT display{0, 0, pageControl->Width(), pageControl->Height()};
    if (HWND tabs = ControlOf(*pageControl)) TabCtrl_AdjustRect(tabs, FALSE, &display);
    return {origin.x + display.left + component.Left(), origin.y + display.top + component.Top()};
  }
  const POINT origin = ClientOrigin(*parent);
  return {origin.x + component.Left(), origin.y + component.Top()};
}

void FormWindow::LayOut() {
  for (size_t i = 1; i < controls_.size(); ++i) {
    Control& control = controls_[i];
    if (!control.handle) continue;
    const POINT origin = ClientOrigin(*control.component);
    int height = control.component->Height();
    if (control.component->Kind() == ComponentKind::ComboBox) height += kDropDownListHeight;
    int width = control.component->Width();
    if (control.arrows) {
      width = std::max(0, width - kUpDownArrowsWidth);
      MoveWindow(control.arrows, origin.x + width, origin.y, kUpDownArrowsWidth, height, TRUE);
    }
    MoveWindow(control.handle, origin.x, origin.y, width, height, TRUE);
  }
  ShowShowingControls();
}

// A container is a sibling of what it holds: it lies under its contents, an inner one
// over the outer one, and clips them out of what it paints. Otherwise a group box or tab
// pane painted later would cover them, and an outer page control would cover an inner one
// entirely. The other controls keep the table's order, which is also the Tab key's.
void FormWindow::StackContainersUnderTheirContents() {
  std::vector<const Control*> containers;
  for (const Control& control : controls_)
    if (control.handle && IsContainer(control.component->Kind())) containers.push_back(&control);
  std::stable_sort(containers.begin(), containers.end(), [](const Control* a, const Control* b) {
    return Depth(*a->component) > Depth(*b->component);
  });
  // Each goes to the bottom in turn: the outermost ends lowest.
  for (const Control* container : containers)
    SetWindowPos(container->handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::ShowShowingControls() {
  // Which panes lie under the controls may have changed with what shows.
  background_.Invalidate();
  for (size_t i = 1; i < controls_.size(); ++i)
    for (HWND window : {controls_[i].handle, controls_[i].arrows})
      if (window) ShowWindow(window, controls_[i].component->Showing() ? SW_SHOWNA : SW_HIDE);
}

// Only visible sheets have a tab. A hidden sheet's tab goes, and the tabs after it move
// up; each tab keeps its sheet's index for the way back to the model.
void FormWindow::ShowTabs(const TComponent& pageControl) {
  const HWND tabs = ControlOf(pageControl);
  if (!tabs) return;
  background_.Invalidate();  // it shows the tabs too
  Control& control = ControlFor(pageControl);
  if (!control.images && !pageControl.GetPicture().Empty()) {
    control.images = LoadPictureStrip(pageControl.GetPicture(), kTabImageSize);
    TabCtrl_SetImageList(tabs, control.images.get());
  }
  TabCtrl_DeleteAllItems(tabs);
  int sheet = 0;
  int tab = 0;
  for (const auto& component : form_.Components()) {
    if (component->Parent() != &pageControl || component->Kind() != ComponentKind::TabSheet) continue;
    if (component->Visible()) {
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_PARAM | TCIF_IMAGE;
      item.pszText = const_cast<wchar_t*>(component->Caption().c_str());
      item.lParam = sheet;
      item.iImage = control.images ? component->ImageIndex() : -1;
      TabCtrl_InsertItem(tabs, tab++, &item);
    }
    ++sheet;
  }
  SelectTab(pageControl);
  // The strip got shorter or longer: what the tabs covered is drawn again, from the form
  // up, as the tab control leaves the strip beside its tabs to what lies under it.
  RECT bounds{};
  GetWindowRect(tabs, &bounds);
  MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&bounds), 2);
  RedrawWindow(window_.get(), &bounds, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The tab of the model's active sheet; none when that sheet is hidden.
void FormWindow::SelectTab(const TComponent& pageControl) {
  const HWND tabs = ControlOf(pageControl);
  if (!tabs) return;
  int selected = -1;
  const int count = TabCtrl_GetItemCount(tabs);
  for (int tab = 0; tab < count && selected < 0; ++tab)
    if (SheetOfTab(tabs, tab) == pageControl.ItemIndex()) selected = tab;
  TabCtrl_SetCurSel(tabs, selected);
}

// `painter` is the window whose client coordinates `dc` uses: a control painting itself,
// or the form (its own DC, or a themed control's, moved to where it lies on the form).
HBRUSH FormWindow::BackgroundBrush(HDC dc, HWND painter) {
  std::vector<HWND> pageControls;
  for (const Control& control : controls_)
    if (control.handle && control.component->Kind() == ComponentKind::PageControl && control.component->Showing())
      pageControls.push_back(control.handle);
  POINT origin{};
  MapWindowPoints(painter, window_.get(), &origin, 1);
  return background_.BrushFor(dc, origin, window_.get(), pageControls);
}

void FormWindow::LoadPicture(Control& control) {
  const Picture& picture = control.component->GetPicture();
  const int size = std::min(control.component->Width(), control.component->Height());
  control.icon = LoadPictureIcon(picture, size > 0 ? size : 32);
  control.bitmap = LoadPictureBitmap(picture);
  if (control.icon)
    SendMessageW(control.handle, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(control.icon.get()));
  else
    SendMessageW(control.handle, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(control.bitmap.get()));
}

// A bitmap beside the button's caption (common controls 6 show both); none when missing.
void FormWindow::ShowButtonGlyph(Control& control) {
  if (control.component->GetPicture().Empty() && !control.bitmap) return;
  control.bitmap = LoadPictureBitmap(control.component->GetPicture());
  SendMessageW(control.handle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(control.bitmap.get()));
}

// Each node goes under the nearest node above it of one level less (the root when none).
void FormWindow::FillTreeView(Control& control) {
  TreeView_DeleteAllItems(control.handle);
  control.nodes.clear();
  std::vector<HTREEITEM> lastOfLevel;
  const std::vector<TreeNode>& nodes = control.component->Nodes();
  for (size_t i = 0; i < nodes.size(); ++i) {
    const TreeNode& node = nodes[i];
    const size_t level = std::min(static_cast<size_t>(std::max(node.level, 0)), lastOfLevel.size());
    TVINSERTSTRUCTW insert{};
    insert.hParent = level == 0 ? TVI_ROOT : lastOfLevel[level - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(node.caption.c_str());
    insert.item.lParam = static_cast<LPARAM>(i);
    insert.item.iImage = insert.item.iSelectedImage = control.images ? node.imageIndex : -1;
    const HTREEITEM item = TreeView_InsertItem(control.handle, &insert);
    control.nodes.push_back(item);
    lastOfLevel.resize(level);
    lastOfLevel.push_back(item);
  }
  for (const HTREEITEM item : control.nodes) TreeView_Expand(control.handle, item, TVE_EXPAND);
}

// Typing goes to the model as it comes, limited to the range there; the box shows the
// limited number once the user leaves it.
void FormWindow::OnUpDownText(Control& control) {
  const std::wstring text = WindowText(control.handle);
  if (text.empty()) return;
  long long number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return;
    number = std::min(number * 10 + (c - L'0'), 1LL << 31);
  }
  TComponent& component = *control.component;
  typingNumber_ = true;
  component.UserSetPosition(static_cast<int>(std::min<long long>(number, component.Max())));
  typingNumber_ = false;
  SendMessageW(control.arrows, UDM_SETPOS32, 0, component.Position());
}

void FormWindow::Apply(TComponent& component, ComponentProperty what) {
  Control& control = ControlFor(component);
  const bool wasApplying = applyingModel_;
  applyingModel_ = true;
  const HWND handle = control.handle;
  const ComponentKind kind = component.Kind();
  switch (what) {
    case ComponentProperty::Caption:
      if (kind == ComponentKind::TabSheet) {
        ShowTabs(*component.Parent());  // a sheet's caption is its tab's text
      } else if (handle && kind != ComponentKind::Edit && kind != ComponentKind::ComboBox &&
                 kind != ComponentKind::ListBox && kind != ComponentKind::ListView && kind != ComponentKind::TrackBar &&
                 kind != ComponentKind::Image && kind != ComponentKind::HotKey && kind != ComponentKind::TreeView &&
                 kind != ComponentKind::UpDown) {
        SetWindowTextW(handle, component.Caption().c_str());
      }
      break;
    case ComponentProperty::Enabled:
      if (handle && kind != ComponentKind::Form) EnableWindow(handle, component.Enabled());
      if (control.arrows) EnableWindow(control.arrows, component.Enabled());
      if (kind == ComponentKind::Led) InvalidateRect(handle, nullptr, TRUE);
      break;
    case ComponentProperty::Visible:
      if (kind == ComponentKind::TabSheet) ShowTabs(*component.Parent());
      if (kind != ComponentKind::Form) ShowShowingControls();
      break;
    case ComponentProperty::Checked:
      if (kind == ComponentKind::CheckBox || kind == ComponentKind::RadioButton)
        SendMessageW(handle, BM_SETCHECK, component.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
      if (kind == ComponentKind::Led) InvalidateRect(handle, nullptr, TRUE);
      break;
    case ComponentProperty::Bounds:
      if (kind == ComponentKind::Form) {
        RECT frame{0, 0, component.Width(), component.Height()};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE)));
        SetWindowPos(handle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      LayOut();
      break;
    case ComponentProperty::Range:
      if (kind == ComponentKind::TrackBar) {
        SendMessageW(handle, TBM_SETRANGEMIN, FALSE, component.Min());
        SendMessageW(handle, TBM_SETRANGEMAX, TRUE, component.Max());
        SendMessageW(handle, TBM_SETTICFREQ, static_cast<WPARAM>(std::max(1, component.Declared().frequency)), 0);
      }
      if (control.arrows) SendMessageW(control.arrows, UDM_SETRANGE32, static_cast<WPARAM>(component.Min()), component.Max());
      break;
    case ComponentProperty::Position:
      if (kind == ComponentKind::TrackBar) SendMessageW(handle, TBM_SETPOS, TRUE, component.Position());
      if (kind == ComponentKind::HotKey &&
          ShortCutOfHotKeyWord(LOWORD(SendMessageW(handle, HKM_GETHOTKEY, 0, 0))) != component.Position())
        SendMessageW(handle, HKM_SETHOTKEY, HotKeyWordOfShortCut(component.Position()), 0);
      if (kind == ComponentKind::UpDown) {
        const std::wstring number = std::to_wstring(component.Position());
        if (!typingNumber_ && WindowText(handle) != number) SetWindowTextW(handle, number.c_str());
        SendMessageW(control.arrows, UDM_SETPOS32, 0, component.Position());
      }
      break;
    case ComponentProperty::Items:
      if (kind == ComponentKind::ListView) FillListView(handle, component);
      if (kind == ComponentKind::TreeView) FillTreeView(control);
      if (kind == ComponentKind::ComboBox || kind == ComponentKind::ListBox) {
        const bool combo = kind == ComponentKind::ComboBox;
        SendMessageW(handle, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        for (const std::wstring& item : component.Items())
          SendMessageW(handle, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        // The sorted styles are not used, so item n of the model is item n of the control.
        if (combo)
          SelectComboItem(handle, component);
        else
          SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(component.ItemIndex()), 0);
      }
      break;
    case ComponentProperty::ItemIndex:
      if (kind == ComponentKind::ComboBox)
        SelectComboItem(handle, component);
      else if (kind == ComponentKind::ListBox)
        SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(component.ItemIndex()), 0);
      else if (kind == ComponentKind::ListView)
        SelectListViewRow(handle, component.ItemIndex());
      else if (kind == ComponentKind::TreeView) {
        const int index = component.ItemIndex();
        TreeView_SelectItem(handle, index >= 0 && static_cast<size_t>(index) < control.nodes.size()
                                        ? control.nodes[static_cast<size_t>(index)]
                                        : nullptr);
      }
      else if (kind == ComponentKind::PageControl) {
        SelectTab(component);
        ShowShowingControls();
      }
      break;
    case ComponentProperty::Text:
      if ((kind == ComponentKind::Edit || (kind == ComponentKind::ComboBox && component.Editable())) &&
          WindowText(handle) != component.Text())
        SetWindowTextW(handle, component.Text().c_str());
      break;
    case ComponentProperty::Picture:
      if (kind == ComponentKind::Image) LoadPicture(control);
      if (kind == ComponentKind::Button) ShowButtonGlyph(control);
      if (kind == ComponentKind::PageControl) {
        TabCtrl_SetImageList(handle, nullptr);  // before the list it holds goes
        control.images.reset();
        ShowTabs(component);
      }
      break;
    case ComponentProperty::ImageIndex:
      if (kind == ComponentKind::TabSheet) ShowTabs(*component.Parent());
      break;
    case ComponentProperty::Focus:
      if (handle && kind != ComponentKind::Form) ::SetFocus(handle);
      break;
    case ComponentProperty::Tag:
    case ComponentProperty::Interval:
    case ComponentProperty::Address:
    case ComponentProperty::ModalResult:
      break;
  }
  applyingModel_ = wasApplying;
}

void FormWindow::Guarded(const std::function<void()>& action) {
  try {
    action();
  } catch (...) {
    onError_(std::current_exception());
  }
}

void FormWindow::ClickButtonWhere(bool (*which)(const ComponentDecl&)) {
  for (size_t i = 1; i < controls_.size(); ++i) {
    TComponent& component = *controls_[i].component;
    if (component.Kind() == ComponentKind::Button && which(component.Declared()) && component.Enabled() &&
        component.Showing())
      return component.Click();
  }
  if (which == IsCancelButton) form_.Close();
}

void FormWindow::OnCommand(UINT id, UINT code, HWND source) {
  if (!source) {
    // Enter and Esc, as IsDialogMessage reports them.
    if (id == IDOK) ClickButtonWhere(IsDefaultButton);
    if (id == IDCANCEL) ClickButtonWhere(IsCancelButton);
    return;
  }
  Control* control = ControlById(id);
  if (!control || applyingModel_) return;
  TComponent& component = *control->component;
  switch (component.Kind()) {
    case ComponentKind::Button:
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
      if (code == BN_CLICKED) component.Click();
      // A refused click (the model said no) leaves the control as the model has it.
      Apply(component, ComponentProperty::Checked);
      break;
    case ComponentKind::Label:
    case ComponentKind::LinkLabel:
    case ComponentKind::Image:
    case ComponentKind::Led:
      if (code == STN_CLICKED) component.Click();
      break;
    case ComponentKind::ComboBox:
      if (code == CBN_SELCHANGE)
        component.UserSelect(static_cast<int>(SendMessageW(control->handle, CB_GETCURSEL, 0, 0)));
      else if (code == CBN_EDITCHANGE)
        component.UserSetText(WindowText(control->handle));
      break;
    case ComponentKind::ListBox:
      if (code == LBN_SELCHANGE)
        component.UserSelect(static_cast<int>(SendMessageW(control->handle, LB_GETCURSEL, 0, 0)));
      else if (code == LBN_DBLCLK)
        component.UserDoubleClick(static_cast<int>(SendMessageW(control->handle, LB_GETCURSEL, 0, 0)));
      break;
    case ComponentKind::Edit:
      if (code == EN_CHANGE) component.UserSetText(WindowText(control->handle));
      break;
    case ComponentKind::HotKey:
      if (code == EN_CHANGE) {
        component.UserSetPosition(ShortCutOfHotKeyWord(LOWORD(SendMessageW(control->handle, HKM_GETHOTKEY, 0, 0))));
        Apply(component, ComponentProperty::Position);
      }
      break;
    case ComponentKind::UpDown:
      if (code == EN_CHANGE) OnUpDownText(*control);
      if (code == EN_KILLFOCUS) Apply(component, ComponentProperty::Position);
      break;
    default:
      break;
  }
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Guarded([&] { OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); });
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      for (Control& control : controls_) {
        if (!control.arrows || control.arrows != reinterpret_cast<HWND>(lParam) || applyingModel_) continue;
        Guarded([&] {
          control.component->UserSetPosition(static_cast<int>(SendMessageW(control.arrows, UDM_GETPOS32, 0, 0)));
          Apply(*control.component, ComponentProperty::Position);
        });
        return 0;
      }
      if (Control* control = ControlByHandle(reinterpret_cast<HWND>(lParam));
          control && control->component->Kind() == ComponentKind::TrackBar && !applyingModel_) {
        Guarded([&] {
          TComponent& trackBar = *control->component;
          trackBar.UserSetPosition(static_cast<int>(SendMessageW(control->handle, TBM_GETPOS, 0, 0)));
          // A refused move (disabled, or clamped by the model) snaps back.
          if (SendMessageW(control->handle, TBM_GETPOS, 0, 0) != trackBar.Position())
            Apply(trackBar, ComponentProperty::Position);
        });
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (Control* control = ControlByHandle(header->hwndFrom);
          control && control->component->Kind() == ComponentKind::ListView && !applyingModel_) {
        if (header->code == static_cast<UINT>(LVN_ITEMCHANGED)) {
          const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
          if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
              !(change->uOldState & LVIS_SELECTED))
            Guarded([&] { control->component->UserSelect(change->iItem); });
        } else if (header->code == static_cast<UINT>(NM_DBLCLK)) {
          const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
          if (activate->iItem >= 0) Guarded([&] { control->component->UserDoubleClick(activate->iItem); });
        }
        return 0;
      }
      if (Control* control = ControlByHandle(header->hwndFrom);
          control && control->component->Kind() == ComponentKind::TreeView) {
        if (header->code == static_cast<UINT>(TVN_SELCHANGEDW) && !applyingModel_) {
          const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lParam);
          if (change->itemNew.hItem)
            Guarded([&] { control->component->UserSelect(static_cast<int>(change->itemNew.lParam)); });
        }
        return 0;
      }
      if (header->code == static_cast<UINT>(TCN_SELCHANGE) && !applyingModel_) {
        if (Control* control = ControlByHandle(header->hwndFrom)) {
          const int sheet = SheetOfTab(header->hwndFrom, TabCtrl_GetCurSel(header->hwndFrom));
          Guarded([&] { control->component->UserSelect(sheet); });
        }
        return 0;
      }
      break;
    }
    case WM_DRAWITEM:
      if (Control* control = ControlByHandle(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem);
          control && control->component->Kind() == ComponentKind::Led) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        PaintLed(item, *control->component, BackgroundBrush(item.hDC, item.hwndItem));
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // Read-only edits ask too; they keep their own colours.
      if (Control* control = ControlByHandle(reinterpret_cast<HWND>(lParam));
          control && ShowsBackground(control->component->Kind())) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        const LRESULT dialogColour = DefWindowProcW(window_.get(), message, wParam, lParam);  // and the text colour
        if (control->component->Kind() == ComponentKind::LinkLabel) SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        const HBRUSH brush = BackgroundBrush(dc, control->handle);
        return brush ? reinterpret_cast<LRESULT>(brush) : dialogColour;
      }
      break;
    case WM_ERASEBKGND:
      // Also what themed controls ask for to fill around themselves (their DC, moved to
      // where they lie on the form).
      if (background_.Drawing()) return 1;
      if (const HBRUSH brush = BackgroundBrush(reinterpret_cast<HDC>(wParam), window_.get())) {
        RECT box{};
        GetClipBox(reinterpret_cast<HDC>(wParam), &box);
        FillRect(reinterpret_cast<HDC>(wParam), &box, brush);
        return 1;
      }
      break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      background_.Invalidate();
      break;
    case WM_SETCURSOR:
      if (Control* control = ControlByHandle(reinterpret_cast<HWND>(wParam));
          control && control->component->Kind() == ComponentKind::LinkLabel) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case DM_GETDEFID:
      for (size_t i = 1; i < controls_.size(); ++i)
        if (controls_[i].component->Declared().isDefault && controls_[i].component->Kind() == ComponentKind::Button)
          return MAKELRESULT(kFirstId + i, DC_HASDEFID);
      return 0;
    case WM_HELP: {
      // F1, or the caption's "?" and then a click on a control.
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      Control* control =
          info->iContextType == HELPINFO_WINDOW ? ControlByHandle(static_cast<HWND>(info->hItemHandle)) : nullptr;
      TComponent& asked = control ? *control->component : form_.Self();
      Guarded([&] { asked.UserHelp(); });
      return TRUE;
    }
    case WM_CLOSE:
      Guarded([&] { form_.Close(); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_.get(), message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // window_ is set once CreateWindowExW returns; messages before that are the defaults.
  if (!self || !self->window_ || message == WM_NCDESTROY) {
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

}  // namespace corvane::ui::win32
