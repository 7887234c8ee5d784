#include "settings/reg_values.h"

#include <cmath>
#include <cstring>

#include "platform/registry_values.h"
#include "platform/text_encoding.h"

namespace corvane::settings {
namespace {

std::vector<uint8_t> DoubleBytes(double value) {
  std::vector<uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// A REG_BINARY of exactly eight bytes holding a finite double.
std::optional<double> ReadStoredDouble(const platform::RegistryKey& key, const std::wstring& name) {
  auto bytes = platform::ReadRegBinary(key, name);
  if (!bytes || bytes->size() != sizeof(double)) return std::nullopt;
  double value = 0;
  std::memcpy(&value, bytes->data(), sizeof value);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// The stored value in the item's type, or nothing when it is missing or stored with
// another type or size than the item writes; such data is treated as absent.
std::optional<Value> ReadStored(const platform::RegistryKey& key, const std::wstring& name, TValueType type) {
  switch (type) {
    case TValueType::vtFloat:
      if (auto v = ReadStoredDouble(key, name)) return Value{*v};
      return std::nullopt;
    case TValueType::vtBoolean:
      if (auto v = platform::ReadRegDword(key, name)) return Value{*v != 0};
      return std::nullopt;
    case TValueType::vtString:
      if (auto v = platform::ReadRegString(key, name)) return Value{*v};
      return std::nullopt;
    case TValueType::vtInteger:
      if (auto v = platform::ReadRegDword(key, name)) return Value{static_cast<int32_t>(*v)};
      return std::nullopt;
    case TValueType::vtDateTime:
      if (auto v = ReadStoredDouble(key, name)) return Value{TDateTime{*v}};
      return std::nullopt;
  }
  return std::nullopt;
}

void WriteStored(platform::RegistryKey& key, const std::wstring& name, const Value& value) {
  if (auto* f = std::get_if<double>(&value)) {
    platform::WriteRegBinary(key, name, DoubleBytes(*f));
  } else if (auto* b = std::get_if<bool>(&value)) {
    platform::WriteRegDword(key, name, *b ? 1 : 0);
  } else if (auto* s = std::get_if<std::wstring>(&value)) {
    platform::WriteRegString(key, name, *s);
  } else if (auto* i = std::get_if<int32_t>(&value)) {
    platform::WriteRegDword(key, name, static_cast<uint32_t>(*i));
  } else if (auto* d = std::get_if<TDateTime>(&value)) {
    platform::WriteRegBinary(key, name, DoubleBytes(d->days));
  }
}

}  // namespace

platform::RegistryRoot ToRegistryRoot(TRootKey root) {
  using platform::RegistryRoot;
  switch (root) {
    case TRootKey::rkHKEY_CURRENT_USER: return RegistryRoot::CurrentUser;
    case TRootKey::rkHKEY_CLASSES_ROOT: return RegistryRoot::ClassesRoot;
    case TRootKey::rkHKEY_LOCAL_MACHINE: return RegistryRoot::LocalMachine;
    case TRootKey::rkHKEY_USERS: return RegistryRoot::Users;
    case TRootKey::rkHKEY_PERFORMANCE_DATA: return RegistryRoot::PerformanceData;
    case TRootKey::rkHKEY_CURRENT_CONFIG: return RegistryRoot::CurrentConfig;
    case TRootKey::rkHKEY_DYN_DATA: return RegistryRoot::DynData;
  }
  return RegistryRoot::CurrentUser;
}

ENameInvalid::ENameInvalid(const std::wstring& name)
    : std::runtime_error(platform::ToUtf8(L"无效的数值名!" + name)), message_(L"无效的数值名!" + name) {}

TRegValue::TRegValue(std::wstring valueName, TValueType type, const std::wstring& defValue)
    : type_(type), valueName_(std::move(valueName)), value_(EmptyValue(type)), default_(EmptyValue(type)) {
  if (!defValue.empty() || type == TValueType::vtString) SetDefValue(defValue);
}

void TRegValue::SetValueType(TValueType type) {
  if (type == type_) return;
  default_ = ConvertValue(default_, type);
  value_ = ConvertValue(value_, type);
  type_ = type;
}

void TRegValue::SetDefValue(const std::wstring& text) {
  default_ = ValueFromText(type_, text);
  value_ = default_;
}

void TRegValue::SetCurrent(const Value& value) { value_ = ConvertValue(value, type_); }

TRegValue& TRegCollection::Add(std::wstring valueName, TValueType type, const std::wstring& defValue) {
  items_.push_back(std::make_unique<TRegValue>(std::move(valueName), type, defValue));
  return *items_.back();
}

TRegValue* TRegCollection::Find(const std::wstring& name) {
  for (auto& item : items_) {
    if (platform::EqualsNoCase(item->ValueName(), name)) return item.get();
  }
  return nullptr;
}

const TRegValue* TRegCollection::Find(const std::wstring& name) const {
  return const_cast<TRegCollection*>(this)->Find(name);
}

TRegValues::TRegValues(platform::Registry& registry) : registry_(registry) {}

TRegValues::~TRegValues() {
  if (!AutoSave) return;
  try {
    SaveAutoStored();
  } catch (...) {
    // Nothing may escape a destructor; the registry keeps what it had.
  }
}

void TRegValues::Loaded() {
  if (AutoLoad) LoadAll();
}

void TRegValues::LoadAll() {
  for (size_t i = 0; i < Items.Count(); ++i) LoadItem(Items[i]);
}

void TRegValues::SaveAll() {
  for (size_t i = 0; i < Items.Count(); ++i) SaveItem(Items[i]);
}

void TRegValues::SaveAutoStored() {
  for (size_t i = 0; i < Items.Count(); ++i) {
    if (Items[i].AutoStore()) SaveItem(Items[i]);
  }
}

std::unique_ptr<platform::RegistryKey> TRegValues::OpenItemKey(TRegValue& item) {
  const std::wstring path = item.SubKey().empty() ? Key : Key + L"\\" + item.SubKey();
  auto key = registry_.OpenKey(ToRegistryRoot(RootKey), path, CanCreate);
  if (!key && item.OnErrorOpenKey) item.OnErrorOpenKey(item);
  return key;
}

void TRegValues::LoadItem(TRegValue& item) {
  auto key = OpenItemKey(item);
  if (!key) return;
  if (auto stored = ReadStored(*key, item.ValueName(), item.ValueType())) {
    item.value_ = std::move(*stored);
    return;
  }
  if (item.OnGetDefValueEvent) {
    Value value = item.value_;
    item.OnGetDefValueEvent(item, value);
    item.SetCurrent(value);
  } else {
    item.value_ = item.default_;
  }
}

void TRegValues::SaveItem(TRegValue& item) {
  auto key = OpenItemKey(item);
  if (key) WriteStored(*key, item.ValueName(), item.value_);
}

const TRegValue& TRegValues::ItemByName(const std::wstring& name) const {
  const TRegValue* item = Items.Find(name);
  if (!item) throw ENameInvalid(name);
  return *item;
}

Value TRegValues::GetValue(const std::wstring& name) const { return ItemByName(name).Current(); }

void TRegValues::StoreValue(const std::wstring& name, const Value& value) {
  SetValue(name, value);
  SaveItem(const_cast<TRegValue&>(ItemByName(name)));
}

void TRegValues::SetValue(const std::wstring& name, const Value& value) {
  const_cast<TRegValue&>(ItemByName(name)).SetCurrent(value);
}

bool TRegValues::GetBool(const std::wstring& name) const {
  return std::get<bool>(ConvertValue(GetValue(name), TValueType::vtBoolean));
}

int32_t TRegValues::GetInteger(const std::wstring& name) const {
  return std::get<int32_t>(ConvertValue(GetValue(name), TValueType::vtInteger));
}

double TRegValues::GetFloat(const std::wstring& name) const {
  return std::get<double>(ConvertValue(GetValue(name), TValueType::vtFloat));
}

std::wstring TRegValues::GetString(const std::wstring& name) const { return ValueToText(GetValue(name)); }

}  // namespace corvane::settings
