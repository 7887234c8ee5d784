#include "ui/form.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text_encoding.h"

namespace corvane::ui {

namespace {

bool IsListKind(ComponentKind kind) {
  return kind == ComponentKind::ComboBox || kind == ComponentKind::ListBox || kind == ComponentKind::ListView ||
         kind == ComponentKind::TreeView;
}

constexpr int kLargestShortCut = 0xFFFF;

int ValidIndexOrNone(int index, size_t count) {
  return index >= 0 && static_cast<size_t>(index) < count ? index : -1;
}

}  // namespace

std::wstring JoinCells(const std::vector<std::wstring>& cells) {
  std::wstring row;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) row += L'\t';
    row += cells[i];
  }
  return row;
}

std::vector<std::wstring> SplitCells(std::wstring_view row) {
  std::vector<std::wstring> cells;
  size_t start = 0;
  for (;;) {
    const size_t tab = row.find(L'\t', start);
    cells.emplace_back(row.substr(start, tab == std::wstring_view::npos ? std::wstring_view::npos : tab - start));
    if (tab == std::wstring_view::npos) return cells;
    start = tab + 1;
  }
}

TComponent::TComponent(TForm& form, const ComponentDecl& decl, TComponent* parent)
    : form_(form),
      decl_(decl),
      kind_(decl.kind),
      name_(decl.name),
      parent_(parent),
      caption_(decl.caption),
      enabled_(decl.enabled),
      visible_(decl.visible),
      checked_(decl.checked),
      editable_(decl.kind == ComponentKind::ComboBox && decl.editable),
      tag_(decl.tag),
      imageIndex_(decl.imageIndex),
      picture_(decl.picture),
      left_(decl.left),
      top_(decl.top),
      width_(decl.width),
      height_(decl.height),
      groupIndex_(decl.groupIndex),
      modalResult_(decl.modalResult),
      min_(decl.kind == ComponentKind::HotKey ? 0 : decl.min),
      max_(decl.kind == ComponentKind::HotKey ? kLargestShortCut : std::max(decl.min, decl.max)),
      position_(std::clamp(decl.position, min_, max_)),
      items_(decl.items),
      itemIndex_(decl.itemIndex),
      text_(decl.text),
      interval_(decl.interval),
      address_(decl.address) {
  if (IsListKind(kind_)) itemIndex_ = ValidIndexOrNone(itemIndex_, items_.size());
  // An editable combo box's text is the truth; a selected item is always what it shows.
  if (editable_ && itemIndex_ >= 0) text_ = items_[static_cast<size_t>(itemIndex_)];
}

void TComponent::Changed(ComponentProperty what) { form_.Changed(*this, what); }

void TComponent::SetCaption(std::wstring caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Changed(ComponentProperty::Caption);
}

void TComponent::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (kind_ == ComponentKind::Timer) form_.RestartTimer(*this);
  Changed(ComponentProperty::Enabled);
}

void TComponent::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Changed(ComponentProperty::Visible);
}

bool TComponent::Showing() const {
  if (!visible_) return false;
  if (!parent_) return true;
  if (parent_->kind_ == ComponentKind::PageControl && parent_->ActivePage() != this) return false;
  return parent_->Showing();
}

void TComponent::SetTag(int tag) {
  if (tag == tag_) return;
  tag_ = tag;
  Changed(ComponentProperty::Tag);
}

void TComponent::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed(ComponentProperty::ImageIndex);
}

void TComponent::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  Changed(ComponentProperty::Picture);
}

void TComponent::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Changed(ComponentProperty::Bounds);
}

void TComponent::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked_ && kind_ == ComponentKind::RadioButton) UncheckGroupSiblings();
  Changed(ComponentProperty::Checked);
}

void TComponent::UncheckGroupSiblings() {
  for (const auto& other : form_.Components()) {
    if (other.get() == this || other->kind_ != ComponentKind::RadioButton) continue;
    if (other->parent_ == parent_ && other->groupIndex_ == groupIndex_) other->SetChecked(false);
  }
}

void TComponent::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (position == position_) return;
  position_ = position;
  Changed(ComponentProperty::Position);
}

void TComponent::SetRange(int min, int max) {
  max = std::max(min, max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  Changed(ComponentProperty::Range);
  SetPosition(position_);
}

void TComponent::SetItems(std::vector<std::wstring> items) {
  items_ = std::move(items);
  Changed(ComponentProperty::Items);
  int index = ValidIndexOrNone(itemIndex_, items_.size());
  // Typed text stays; the selection only while its item still reads the same.
  if (editable_ && index >= 0 && items_[static_cast<size_t>(index)] != text_) index = -1;
  // The renderer's list lost its selection with the old items; restate it.
  itemIndex_ = index;
  Changed(ComponentProperty::ItemIndex);
}

void TComponent::SetNodes(std::vector<TreeNode> nodes) {
  std::vector<std::wstring> captions;
  captions.reserve(nodes.size());
  for (const TreeNode& node : nodes) captions.push_back(node.caption);
  nodes_ = std::move(nodes);
  SetItems(std::move(captions));
}

void TComponent::AddItem(std::wstring item) {
  items_.push_back(std::move(item));
  Changed(ComponentProperty::Items);
  Changed(ComponentProperty::ItemIndex);
}

void TComponent::ClearItems() { SetItems({}); }

std::vector<TComponent*> TComponent::Sheets() const {
  std::vector<TComponent*> sheets;
  for (const auto& component : form_.Components())
    if (component->parent_ == this && component->kind_ == ComponentKind::TabSheet) sheets.push_back(component.get());
  return sheets;
}

void TComponent::SetItemIndex(int index) {
  const size_t count = kind_ == ComponentKind::PageControl ? Sheets().size() : items_.size();
  index = ValidIndexOrNone(index, count);
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (editable_ && index >= 0 && text_ != items_[static_cast<size_t>(index)]) {
    text_ = items_[static_cast<size_t>(index)];
    Changed(ComponentProperty::Text);
  }
  Changed(ComponentProperty::ItemIndex);
}

TComponent* TComponent::ActivePage() const {
  if (kind_ != ComponentKind::PageControl) return nullptr;
  const std::vector<TComponent*> sheets = Sheets();
  return ValidIndexOrNone(itemIndex_, sheets.size()) < 0 ? nullptr : sheets[static_cast<size_t>(itemIndex_)];
}

void TComponent::SetActivePage(std::wstring_view sheetName) {
  const std::vector<TComponent*> sheets = Sheets();
  for (size_t i = 0; i < sheets.size(); ++i)
    if (sheets[i]->name_ == sheetName) return SetItemIndex(static_cast<int>(i));
  throw std::out_of_range("no tab sheet " + platform::ToUtf8(sheetName) + " in " + platform::ToUtf8(name_));
}

std::wstring TComponent::Text() const {
  if (IsListKind(kind_) && !editable_) return itemIndex_ < 0 ? std::wstring() : items_[static_cast<size_t>(itemIndex_)];
  return text_;
}

void TComponent::SetText(std::wstring text) {
  if (IsListKind(kind_)) {
    const auto found = std::find(items_.begin(), items_.end(), text);
    const int index = found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
    if (editable_ && text != text_) {
      text_ = std::move(text);
      Changed(ComponentProperty::Text);
    }
    return SetItemIndex(index);
  }
  if (text == text_) return;
  text_ = std::move(text);
  Changed(ComponentProperty::Text);
}

void TComponent::SetEditable(bool editable) {
  if (kind_ != ComponentKind::ComboBox || editable == editable_) return;
  text_ = editable ? Text() : std::wstring();
  editable_ = editable;
}

void TComponent::SetInterval(int intervalMs) {
  if (intervalMs == interval_) return;
  interval_ = intervalMs;
  form_.RestartTimer(*this);
  Changed(ComponentProperty::Interval);
}

void TComponent::SetAddress(std::wstring address) {
  if (address == address_) return;
  address_ = std::move(address);
  Changed(ComponentProperty::Address);
}

void TComponent::Click() {
  if (!AcceptsInput()) return;
  switch (kind_) {
    case ComponentKind::Button:
      if (modalResult_ != TModalResult::None) form_.SetModalResult(modalResult_);
      break;
    case ComponentKind::CheckBox:
      SetChecked(!checked_);
      break;
    case ComponentKind::RadioButton:
      SetChecked(true);
      break;
    default:
      break;
  }
  if (OnClick) OnClick(*this);
}

void TComponent::UserSetPosition(int position) {
  if (!AcceptsInput()) return;
  const int before = position_;
  SetPosition(position);
  if (position_ != before && OnChange) OnChange(*this);
}

void TComponent::UserSelect(int index) {
  if (!AcceptsInput()) return;
  const int before = itemIndex_;
  SetItemIndex(index);
  if (kind_ == ComponentKind::ListBox || kind_ == ComponentKind::ListView) {
    if (OnClick) OnClick(*this);
  } else if (itemIndex_ != before && OnChange) {
    OnChange(*this);
  }
}

void TComponent::UserDoubleClick(int index) {
  if (!AcceptsInput()) return;
  SetItemIndex(index);
  if (OnDblClick) OnDblClick(*this);
}

void TComponent::UserSetText(std::wstring text) {
  if (!AcceptsInput()) return;
  if (text == text_) return;
  SetText(std::move(text));
  if (OnChange) OnChange(*this);
}

bool TComponent::UserHelp() {
  for (const TComponent* component = this; component; component = component->parent_) {
    const int topic = component->decl_.helpContext;
    if (topic != 0) return form_.Renderer().ApplicationHelp(kHelpContextPopup, static_cast<uintptr_t>(topic));
  }
  return false;
}

void TComponent::FireTimer() {
  if (kind_ == ComponentKind::Timer && enabled_ && OnTimer) OnTimer(*this);
}

void TComponent::SetFocus() {
  if (!AcceptsInput() || kind_ == ComponentKind::Form) return;
  form_.activeControl_ = this;
  Changed(ComponentProperty::Focus);
}

TForm::TForm(const FormContext& context, std::span<const ComponentDecl> components) : context_(context) {
  if (components.empty() || components.front().kind != ComponentKind::Form)
    throw std::logic_error("a form's table starts with the form itself");
  for (const ComponentDecl& decl : components) {
    if (decl.kind == ComponentKind::Form && !components_.empty())
      throw std::logic_error("a second form row in " + platform::ToUtf8(components.front().name));
    if (Find(decl.name))
      throw std::logic_error("component " + platform::ToUtf8(decl.name) + " declared twice");
    TComponent* parent = nullptr;
    if (!components_.empty()) {
      parent = decl.parent.empty() ? components_.front().get() : Find(decl.parent);
      if (!parent)
        throw std::logic_error("component " + platform::ToUtf8(decl.name) + " names an undeclared parent " +
                               platform::ToUtf8(decl.parent));
    }
    components_.push_back(std::make_unique<TComponent>(*this, decl, parent));
  }
  // A page control always shows a page when it has any, the first unless declared.
  for (auto& component : components_)
    if (component->kind_ == ComponentKind::PageControl && component->itemIndex_ < 0) component->SetItemIndex(0);
}

TForm::~TForm() {
  for (auto& component : components_) component->runningTimer_.reset();
  context_.renderer.FormDestroyed(*this);
}

void TForm::Beep() { context_.renderer.Beep(); }

bool TForm::UserPressAlt(wchar_t letter) {
  if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
  for (const auto& component : components_) {
    if (component->Kind() != ComponentKind::Button || component->Declared().altKey != letter) continue;
    if (!component->AcceptsInput()) return false;
    component->Click();
    return true;
  }
  return false;
}

void TForm::SetClientSize(int width, int height) { self().SetBounds(self().Left(), self().Top(), width, height); }

TComponent* TForm::Find(std::wstring_view name) const {
  for (const auto& component : components_)
    if (component->Name() == name) return component.get();
  return nullptr;
}

TComponent& TForm::operator[](std::wstring_view name) const {
  TComponent* component = Find(name);
  if (!component) throw std::out_of_range("no component " + platform::ToUtf8(name) + " in " + platform::ToUtf8(Name()));
  return *component;
}

TModalResult TForm::ShowModal() {
  if (showing_) throw std::logic_error("form " + platform::ToUtf8(Name()) + " is already showing");
  modalResult_ = TModalResult::None;
  modal_ = true;
  showing_ = true;
  struct Ending {
    TForm& form;
    ~Ending() {
      form.modal_ = false;
      form.showing_ = false;
    }
  } ending{*this};
  FormShow();
  // A FormShow that already decided (a dialog with nothing to show) skips the loop.
  if (modalResult_ == TModalResult::None) context_.renderer.RunModal(*this);
  FormClose();
  return modalResult_;
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  Changed(self(), ComponentProperty::ModalResult);
}

void TForm::Show() {
  if (showing_) return;
  showing_ = true;
  FormShow();
  context_.renderer.Show(*this);
}

void TForm::Hide() {
  if (!showing_ || modal_) return;
  showing_ = false;
  context_.renderer.Hide(*this);
  FormClose();
}

void TForm::Close() {
  if (!showing_ || !FormCloseQuery()) return;
  if (modal_)
    SetModalResult(TModalResult::Cancel);
  else
    Hide();
}

void TForm::Changed(TComponent& component, ComponentProperty what) {
  if (showing_) context_.renderer.ComponentChanged(component, what);
}

void TForm::RestartTimer(TComponent& timer) {
  timer.runningTimer_.reset();
  if (!timer.enabled_ || timer.interval_ <= 0 || !timer.OnTimer) return;
  TComponent* target = &timer;
  timer.runningTimer_ = context_.clock.StartTimer(static_cast<uint32_t>(timer.interval_), true,
                                                  [target] { target->FireTimer(); });
}

}  // namespace corvane::ui
