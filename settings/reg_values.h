#pragma once
// A named, typed collection of values with defaults, loaded from and saved to one
// registry key. The main form keeps the program's flat settings in one of these.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "settings/value_text.h"
#include "platform/registry.h"

namespace corvane::settings {

enum class TRootKey {
  rkHKEY_CURRENT_USER,
  rkHKEY_CLASSES_ROOT,
  rkHKEY_LOCAL_MACHINE,
  rkHKEY_USERS,
  rkHKEY_PERFORMANCE_DATA,
  rkHKEY_CURRENT_CONFIG,
  rkHKEY_DYN_DATA,
};

platform::RegistryRoot ToRegistryRoot(TRootKey root);

// A get or set by a name that no value has.
class ENameInvalid : public std::runtime_error {
 public:
  explicit ENameInvalid(const std::wstring& name);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

class TRegValue;
using TErrorOpenKeyEvent = std::function<void(TRegValue& sender)>;
using TGetDefValueEvent = std::function<void(TRegValue& sender, Value& value)>;

class TRegValue {
 public:
  TRegValue(std::wstring valueName, TValueType type, const std::wstring& defValue);

  TErrorOpenKeyEvent OnErrorOpenKey;
  TGetDefValueEvent OnGetDefValueEvent;

  const std::wstring& SubKey() const { return subKey_; }
  void SetSubKey(std::wstring subKey) { subKey_ = std::move(subKey); }
  TValueType ValueType() const { return type_; }
  // Changing the type converts the default and current values through their text.
  void SetValueType(TValueType type);
  // The default as text: "TRUE"/"FALSE" for Booleans.
  std::wstring DefValue() const { return ValueToText(default_); }
  // Throws EConvertError when the text does not fit the type.
  void SetDefValue(const std::wstring& text);
  const std::wstring& ValueName() const { return valueName_; }
  bool AutoStore() const { return autoStore_; }
  void SetAutoStore(bool autoStore) { autoStore_ = autoStore; }

  const Value& Current() const { return value_; }
  // Converted to the item's type; throws EConvertError when that is impossible.
  void SetCurrent(const Value& value);
  const Value& Default() const { return default_; }

 private:
  friend class TRegValues;
  std::wstring subKey_;
  TValueType type_;
  std::wstring valueName_;
  bool autoStore_ = true;
  Value value_;
  Value default_;
};

class TRegValues;

// The values, in the order they were added.
class TRegCollection {
 public:
  explicit TRegCollection(TRegValues& owner) : owner_(owner) {}
  TRegValue& Add(std::wstring valueName, TValueType type, const std::wstring& defValue = L"");
  size_t Count() const { return items_.size(); }
  TRegValue& operator[](size_t index) { return *items_.at(index); }
  const TRegValue& operator[](size_t index) const { return *items_.at(index); }
  TRegValue* Find(const std::wstring& name);
  const TRegValue* Find(const std::wstring& name) const;
  TRegValues& Owner() const { return owner_; }

 private:
  TRegValues& owner_;
  std::vector<std::unique_ptr<TRegValue>> items_;
};

class TRegValues {
 public:
  explicit TRegValues(platform::Registry& registry);
  // Saves the auto-stored values when AutoSave is set.
  virtual ~TRegValues();
  TRegValues(const TRegValues&) = delete;
  TRegValues& operator=(const TRegValues&) = delete;

  TRootKey RootKey = TRootKey::rkHKEY_CURRENT_USER;
  std::wstring Key = L"SOFTWARE\\Your Company\\Your Program";
  bool CanCreate = true;
  bool AutoLoad = true;
  bool AutoSave = true;
  TRegCollection Items{*this};

  // Called once the items are declared: loads everything when AutoLoad is set.
  virtual void Loaded();
  virtual void LoadAll();
  virtual void SaveAll();
  virtual void SaveAutoStored();

  // Names compare without case; both throw ENameInvalid for an unknown name.
  Value GetValue(const std::wstring& name) const;
  void SetValue(const std::wstring& name, const Value& value);
  // Sets the value and writes it to the registry at once, for a value that must survive
  // a reload from the registry before the next save.
  void StoreValue(const std::wstring& name, const Value& value);

  // The typed reads other code uses, converting like the text conversions do.
  bool GetBool(const std::wstring& name) const;
  int32_t GetInteger(const std::wstring& name) const;
  double GetFloat(const std::wstring& name) const;
  std::wstring GetString(const std::wstring& name) const;

 private:
  std::unique_ptr<platform::RegistryKey> OpenItemKey(TRegValue& item);
  void LoadItem(TRegValue& item);
  void SaveItem(TRegValue& item);
  const TRegValue& ItemByName(const std::wstring& name) const;

  platform::Registry& registry_;
};

}  // namespace corvane::settings
