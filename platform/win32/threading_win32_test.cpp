#include "platform/win32/threading_win32.h"

#include <gtest/gtest.h>

#include "platform/threading_contract_test.h"

namespace corvane::platform {
namespace {

struct Win32Platform {
  Threading& threading() { return win32; }
  Win32Threading win32;
};

}  // namespace
}  // namespace corvane::platform

namespace corvane::platform::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ThreadingContract, Win32Platform);
}  // namespace corvane::platform::contract
