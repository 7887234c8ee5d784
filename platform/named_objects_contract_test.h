#pragma once
// What every NamedObjects adapter must do, instantiated by each test executable for its
// platform, so the single-instance check, the hook libraries' events and the shared
// mappings behave on the simulation as they do on Windows.
// The type parameter is default-constructible and has `Threading& threading()`,
// `NamedObjects& namedObjects()` (whose events that threading's WaitAny takes) and
// `std::wstring Name(std::wstring_view)`, a name no other test process uses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/named_objects.h"
#include "platform/threading.h"

namespace corvane::platform::contract {

template <typename Platform>
class NamedObjectsContract : public testing::Test {
 protected:
  Platform platform_;
  NamedObjects& named = platform_.namedObjects();
};

TYPED_TEST_SUITE_P(NamedObjectsContract);

TYPED_TEST_P(NamedObjectsContract, MutexReportsAnEarlierHolderUntilEveryHandleIsClosed) {
  NamedObjects& named = this->named;
  const std::wstring name = this->platform_.Name(L"single-instance");
  NamedMutexResult first = named.CreateNamedMutex(name);
  NamedMutexResult second = named.CreateNamedMutex(name);
  ASSERT_TRUE(first.mutex && second.mutex);
  EXPECT_FALSE(first.alreadyExisted);
  EXPECT_TRUE(second.alreadyExisted);

  first.mutex.reset();
  EXPECT_TRUE(named.CreateNamedMutex(name).alreadyExisted) << "the second handle keeps it alive";
  second.mutex.reset();
  EXPECT_FALSE(named.CreateNamedMutex(name).alreadyExisted);

  NamedMutexResult lower = named.CreateNamedMutex(this->platform_.Name(L"case"));
  EXPECT_FALSE(named.CreateNamedMutex(this->platform_.Name(L"CASE")).alreadyExisted) << "names keep their case";
  EXPECT_EQ(named.CreateNamedMutex(L"").mutex, nullptr);
  // One namespace for every kind: the mutex's name is not free for an event or a mapping.
  EXPECT_EQ(named.CreateNamedEvent(this->platform_.Name(L"case"), true, false), nullptr);
  EXPECT_EQ(named.CreateNamedMapping(this->platform_.Name(L"case"), 64), nullptr);
}

TYPED_TEST_P(NamedObjectsContract, NamedEventsAreSharedByNameAndWaitableWithPlainOnes) {
  Threading& t = this->platform_.threading();
  NamedObjects& named = this->named;
  const std::wstring name = this->platform_.Name(L"hook-event");
  EXPECT_EQ(named.OpenNamedEvent(name), nullptr);
  auto created = named.CreateNamedEvent(name, false, false);
  auto opened = named.OpenNamedEvent(name);
  auto again = named.CreateNamedEvent(name, true, true);
  ASSERT_TRUE(created && opened && again);
  EXPECT_FALSE(again->Wait(0)) << "creating an existing event opens it as it is";

  auto plain = t.NewEvent(true, false);
  Event* list[] = {plain.get(), created.get()};
  opened->Set();
  EXPECT_EQ(t.WaitAny(list, 1000), 1u);
  EXPECT_FALSE(again->Wait(0)) << "still auto-reset: one wait took the signal for every handle";

  created.reset();
  opened.reset();
  again.reset();
  EXPECT_EQ(named.OpenNamedEvent(name), nullptr) << "gone with its last handle";
}

TYPED_TEST_P(NamedObjectsContract, MappingsStartZeroedAndAreSharedByName) {
  NamedObjects& named = this->named;
  const std::wstring name = this->platform_.Name(L"mapping");
  auto created = named.CreateNamedMapping(name, 512);
  auto opened = named.OpenNamedMapping(name, 512);
  auto smallerView = named.CreateNamedMapping(name, 64);
  ASSERT_TRUE(created && opened && smallerView);
  ASSERT_EQ(created->Bytes().size(), 512u);
  EXPECT_EQ(smallerView->Bytes().size(), 64u);
  EXPECT_TRUE(std::all_of(opened->Bytes().begin(), opened->Bytes().end(), [](uint8_t b) { return b == 0; }));
  created->Bytes()[0] = 0x5A;
  opened->Bytes()[511] = 0xA5;
  EXPECT_EQ(smallerView->Bytes()[0], 0x5A);
  EXPECT_EQ(created->Bytes()[511], 0xA5);

  // Windows rounds the mapping up to a page: only a view past that is sure to fail.
  EXPECT_EQ(named.OpenNamedMapping(name, 512 + 4096), nullptr);
  EXPECT_EQ(named.CreateNamedMapping(name, 512 + 4096), nullptr);
  EXPECT_EQ(named.CreateNamedMapping(this->platform_.Name(L"empty"), 0), nullptr);
  EXPECT_EQ(named.OpenNamedMapping(this->platform_.Name(L"absent"), 64), nullptr);

  created.reset();
  opened.reset();
  smallerView.reset();
  EXPECT_EQ(named.CreateNamedMapping(name, 512)->Bytes()[0], 0) << "a new mapping once the old one is gone";
}

REGISTER_TYPED_TEST_SUITE_P(NamedObjectsContract, MutexReportsAnEarlierHolderUntilEveryHandleIsClosed,
                            NamedEventsAreSharedByNameAndWaitableWithPlainOnes,
                            MappingsStartZeroedAndAreSharedByName);

}  // namespace corvane::platform::contract
