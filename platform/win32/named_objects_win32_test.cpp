#include "platform/win32/named_objects_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>

#include "platform/named_objects_contract_test.h"
#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

// Other test executables run at the same time in the same Wine session.
std::wstring UniqueName(std::wstring_view base) {
  return L"Local\\corvane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::wstring(base);
}

struct Win32Platform {
  Threading& threading() { return win32Threading; }
  NamedObjects& namedObjects() { return win32Named; }
  std::wstring Name(std::wstring_view base) { return UniqueName(base); }

  Win32Threading win32Threading;
  Win32NamedObjects win32Named;
};

constexpr wchar_t kPrefixVariable[] = L"CORVANE_TEST_CHILD_PREFIX";
constexpr char kParentText[] = "from the parent";
constexpr char kChildText[] = "from the child";
constexpr size_t kChildOffset = 256;

// Runs one disabled test of this executable in a second process, with our environment
// less GTEST_OUTPUT (its report would overwrite ours) plus the names' prefix. Its exit code.
DWORD RunChildTest(const std::wstring& test, const std::wstring& prefix) {
  std::wstring environment;
  std::unique_ptr<wchar_t, decltype(&FreeEnvironmentStringsW)> strings(GetEnvironmentStringsW(),
                                                                        &FreeEnvironmentStringsW);
  for (const wchar_t* entry = strings.get(); *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"GTEST_OUTPUT=", 13) != 0) environment.append(entry).push_back(L'\0');
  }
  environment.append(kPrefixVariable).append(L"=").append(prefix).append(2, L'\0');

  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(exe) +
                             L"\" --gtest_brief=1 --gtest_also_run_disabled_tests --gtest_filter=" + test;
  STARTUPINFOW startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), nullptr, &startup, &process)) {
    return ~0u;
  }
  UniqueHandle processHandle(process.hProcess);
  UniqueHandle threadHandle(process.hThread);
  DWORD exitCode = ~0u;
  if (WaitForSingleObject(processHandle.Get(), 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(processHandle.Get(), &exitCode);
  } else {
    TerminateProcess(processHandle.Get(), exitCode);
  }
  return exitCode;
}

// The second instance's side; runs only when the test below starts it.
TEST(NamedObjectsChildProcess, DISABLED_UsesTheParentsObjects) {
  wchar_t prefix[256] = {};
  ASSERT_GT(GetEnvironmentVariableW(kPrefixVariable, prefix, 256), 0u);
  Win32NamedObjects named;
  EXPECT_TRUE(named.CreateNamedMutex(prefix + std::wstring(L"mutex")).alreadyExisted);
  auto mapping = named.OpenNamedMapping(prefix + std::wstring(L"mapping"), 512);
  auto done = named.OpenNamedEvent(prefix + std::wstring(L"done"));
  ASSERT_TRUE(mapping && done);
  const uint8_t* bytes = mapping->Bytes().data();
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes), kParentText);
  EXPECT_EQ(bytes[kChildOffset], 0);
  std::memcpy(mapping->Bytes().data() + kChildOffset, kChildText, sizeof kChildText);
  done->Set();
}

TEST(NamedObjectsWin32, ASecondProcessSeesTheMutexMappingAndEvent) {
  Win32NamedObjects named;
  const std::wstring prefix = UniqueName(L"shared-");
  NamedMutexResult mutex = named.CreateNamedMutex(prefix + L"mutex");
  auto mapping = named.CreateNamedMapping(prefix + L"mapping", 512);
  auto done = named.CreateNamedEvent(prefix + L"done", false, false);
  ASSERT_TRUE(mutex.mutex && mapping && done);
  std::memcpy(mapping->Bytes().data(), kParentText, sizeof kParentText);

  EXPECT_EQ(RunChildTest(L"NamedObjectsChildProcess.DISABLED_UsesTheParentsObjects", prefix), 0u);
  // These also prove the child ran the test rather than matching none.
  EXPECT_TRUE(done->Wait(0));
  EXPECT_STREQ(reinterpret_cast<const char*>(mapping->Bytes().data() + kChildOffset), kChildText);

  mutex.mutex.reset();
  EXPECT_FALSE(named.CreateNamedMutex(prefix + L"mutex").alreadyExisted) << "the child's handle ended with it";
}

}  // namespace
}  // namespace corvane::platform

namespace corvane::platform::contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, NamedObjectsContract, Win32Platform);
}  // namespace corvane::platform::contract
