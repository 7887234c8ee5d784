#pragma once
// The profiles under one key of the program's, kept between popups. The names are listed
// again only after something under the key changed, and then only the profiles whose own
// keys changed (or that are new) are read again; the others keep what was read. Changes
// by any program count: regedit, a restored backup, the program itself.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/menus/menu_text.h"
#include "platform/key_watch.h"
#include "platform/registry.h"

namespace corvane::menus {

template <typename Entry>
class WatchedProfiles {
 public:
  // What the menu needs of one profile, read from its open key. Without a reader only the
  // names are kept.
  using ReadEntry = std::function<Entry(platform::RegistryKey& key)>;

  struct Profile {
    std::wstring name;
    platform::KeyWatch watch;
    // Empty when the profile's key could not be opened; such a profile shows no item.
    std::optional<Entry> entry;
  };

  // `root` is under HKEY_CURRENT_USER; it is made when missing, as the profile dialogs
  // expect to find it.
  WatchedProfiles(platform::Registry& registry, std::wstring root, ReadEntry read = nullptr)
      : registry_(registry),
        root_(std::move(root)),
        read_(std::move(read)),
        rootWatch_(registry_, platform::RegistryRoot::CurrentUser, root_) {}

  // The profiles as they are now, in the registry's order. Makes no registry call when
  // nothing under the key changed since the last call.
  const std::vector<Profile>& Current() {
    if (rootWatch_.Changed()) Reread();
    return profiles_;
  }

 private:
  void Reread() {
    using platform::RegistryRoot;
    auto key = registry_.OpenKey(RegistryRoot::CurrentUser, root_, true);
    const std::vector<std::wstring> names = key ? key->SubKeyNames() : std::vector<std::wstring>{};
    std::vector<Profile> next;
    next.reserve(names.size());
    for (const std::wstring& name : names) {
      Profile* kept = Find(name, next.size());
      if (!read_) {
        next.push_back(kept ? std::move(*kept) : Profile{name, {}, Entry{}});
        continue;
      }
      Profile profile = kept ? std::move(*kept)
                             : Profile{name, {registry_, RegistryRoot::CurrentUser, ChildKey(root_, name)}, {}};
      // The watch is looked at (which arms it again) before the read, so that a change
      // made while reading shows next time. A new profile's first look says changed.
      if (profile.watch.Changed() || !profile.entry) {
        auto own = registry_.OpenKey(RegistryRoot::CurrentUser, ChildKey(root_, name), false);
        profile.entry = own ? std::optional<Entry>(read_(*own)) : std::nullopt;
      }
      next.push_back(std::move(profile));
    }
    profiles_ = std::move(next);
  }

  // The kept profile of that name; the lists mostly keep their order, so the same place
  // is looked at first. Names are compared exactly: a name changed only in case is read
  // again, as the menu shows it as stored.
  Profile* Find(const std::wstring& name, size_t hint) {
    if (hint < profiles_.size() && profiles_[hint].name == name) return &profiles_[hint];
    for (Profile& profile : profiles_)
      if (profile.name == name) return &profile;
    return nullptr;
  }

  platform::Registry& registry_;
  std::wstring root_;
  ReadEntry read_;
  platform::KeyWatch rootWatch_;
  std::vector<Profile> profiles_;
};

}  // namespace corvane::menus
