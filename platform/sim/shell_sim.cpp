#include "platform/sim/shell_sim.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <optional>

#include "platform/text_encoding.h"
#include "platform/threading.h"

namespace corvane::platform {

// Process states live apart from the shell so that a handle can outlive it.
struct SimProcessTable {
  std::mutex mutex;
  std::condition_variable ended;
  std::map<uint32_t, std::optional<uint32_t>> exitCodes;  // nothing while running
  std::map<uint32_t, uint64_t> startTimes;
  uint32_t nextId = 1000;
  uint64_t nextStart = 0x01D0000000000000;

  // Under `mutex`.
  uint32_t Add(std::optional<uint32_t> exitCode) {
    const uint32_t id = nextId;
    nextId += 4;
    exitCodes[id] = exitCode;
    startTimes[id] = ++nextStart;
    return id;
  }
};

namespace {

class SimProcess : public Process {
 public:
  SimProcess(std::shared_ptr<SimProcessTable> table, uint32_t id) : table_(std::move(table)), id_(id) {}

  uint32_t Id() const override { return id_; }

  bool Wait(uint32_t timeoutMs) override {
    std::unique_lock lock(table_->mutex);
    auto hasEnded = [&] { return table_->exitCodes[id_].has_value(); };
    if (timeoutMs == kWaitForever) {
      table_->ended.wait(lock, hasEnded);
      return true;
    }
    return table_->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), hasEnded);
  }

  std::optional<uint32_t> ExitCode() const override {
    std::lock_guard lock(table_->mutex);
    return table_->exitCodes[id_];
  }

  uint64_t StartTime() const override {
    std::lock_guard lock(table_->mutex);
    return table_->startTimes[id_];
  }

 private:
  std::shared_ptr<SimProcessTable> table_;
  uint32_t id_;
};

}  // namespace

SimShell::SimShell() : table_(std::make_shared<SimProcessTable>()) {}
SimShell::~SimShell() = default;

uint32_t SimShell::Start(SimStart start) {
  std::lock_guard lock(mutex_);
  if (!failStarts_) {
    std::lock_guard tableLock(table_->mutex);
    start.processId = table_->Add(endAtOnce_ ? std::optional<uint32_t>(endAtOnceCode_) : std::nullopt);
  }
  starts_.push_back(start);
  return start.processId;
}

bool SimShell::Execute(const ShellExecuteRequest& request) {
  return Start({StartKind::ShellExecute, request.verb, request.file, request.parameters, request.directory,
                request.show, 0}) != 0;
}

std::unique_ptr<Process> SimShell::ExecuteProcess(const ShellExecuteRequest& request) {
  const uint32_t id = Start({StartKind::ShellExecute, request.verb, request.file, request.parameters,
                             request.directory, request.show, 0});
  if (id == 0) return nullptr;
  return std::make_unique<SimProcess>(table_, id);
}

bool SimShell::RunCommand(const std::wstring& commandLine, int show) {
  return Start({StartKind::WinExec, L"", commandLine, L"", L"", show, 0}) != 0;
}

std::unique_ptr<Process> SimShell::StartProcess(const std::wstring& commandLine, int show) {
  const uint32_t id = Start({StartKind::CreateProcess, L"", commandLine, L"", L"", show, 0});
  if (id == 0) return nullptr;
  return std::make_unique<SimProcess>(table_, id);
}

std::unique_ptr<Process> SimShell::OpenProcess(uint32_t processId) {
  // As with OpenProcess, a process that has ended cannot be opened any more.
  if (!IsRunning(processId)) return nullptr;
  return std::make_unique<SimProcess>(table_, processId);
}

bool SimShell::AllowForeground(uint32_t processId) {
  std::lock_guard lock(mutex_);
  foregroundAllowed_.push_back(processId);
  return true;
}

bool SimShell::WindowClassExists(const std::wstring& className) {
  std::lock_guard lock(mutex_);
  return windowClasses_.count(UpperAscii(className)) != 0;
}

bool SimShell::FileExists(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  return files_.count(UpperAscii(path)) != 0;
}

void SimShell::AddFile(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  files_.insert(UpperAscii(path));
}

void SimShell::RemoveFile(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  files_.erase(UpperAscii(path));
}

uint32_t SimShell::CurrentProcessId() {
  std::lock_guard lock(mutex_);
  return currentProcessId_;
}

std::wstring SimShell::ProgramFilePath() {
  std::lock_guard lock(mutex_);
  return programFilePath_;
}

std::wstring SimShell::AppDataFolder() {
  std::lock_guard lock(mutex_);
  return appDataFolder_;
}

std::wstring SimShell::FileDescription(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  auto found = descriptions_.find(UpperAscii(path));
  return found == descriptions_.end() ? std::wstring() : found->second;
}

void SimShell::SetFileDescription(const std::wstring& path, const std::wstring& description) {
  std::lock_guard lock(mutex_);
  descriptions_[UpperAscii(path)] = description;
}

bool SimShell::CreateShortcut(const std::wstring& library, const ShortcutRequest& request) {
  std::lock_guard lock(mutex_);
  shortcuts_.push_back({library, request});
  return true;
}

std::vector<SimShell::SimShortcut> SimShell::Shortcuts() const {
  std::lock_guard lock(mutex_);
  return shortcuts_;
}

std::vector<SimStart> SimShell::Starts() const {
  std::lock_guard lock(mutex_);
  return starts_;
}

void SimShell::ClearStarts() {
  std::lock_guard lock(mutex_);
  starts_.clear();
}

bool SimShell::EndProcess(uint32_t processId, uint32_t exitCode) {
  {
    std::lock_guard lock(table_->mutex);
    auto process = table_->exitCodes.find(processId);
    if (process == table_->exitCodes.end() || process->second) return false;
    process->second = exitCode;
  }
  table_->ended.notify_all();
  return true;
}

uint32_t SimShell::AddRunningProcess() {
  std::lock_guard lock(table_->mutex);
  return table_->Add(std::nullopt);
}

bool SimShell::IsRunning(uint32_t processId) const {
  std::lock_guard lock(table_->mutex);
  auto process = table_->exitCodes.find(processId);
  return process != table_->exitCodes.end() && !process->second;
}

void SimShell::FailStarts(bool fail) {
  std::lock_guard lock(mutex_);
  failStarts_ = fail;
}

void SimShell::EndStartsAtOnce(bool atOnce, uint32_t exitCode) {
  std::lock_guard lock(mutex_);
  endAtOnce_ = atOnce;
  endAtOnceCode_ = exitCode;
}

void SimShell::AddWindowClass(const std::wstring& className) {
  std::lock_guard lock(mutex_);
  windowClasses_.insert(UpperAscii(className));
}

void SimShell::RemoveWindowClass(const std::wstring& className) {
  std::lock_guard lock(mutex_);
  windowClasses_.erase(UpperAscii(className));
}

std::vector<uint32_t> SimShell::ForegroundAllowed() const {
  std::lock_guard lock(mutex_);
  return foregroundAllowed_;
}

void SimShell::SetCurrentProcessId(uint32_t id) {
  std::lock_guard lock(mutex_);
  currentProcessId_ = id;
}

void SimShell::SetProgramFilePath(const std::wstring& path) {
  std::lock_guard lock(mutex_);
  programFilePath_ = path;
}

void SimShell::SetAppDataFolder(const std::wstring& folder) {
  std::lock_guard lock(mutex_);
  appDataFolder_ = folder;
}

}  // namespace corvane::platform
