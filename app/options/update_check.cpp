#include "app/options/update_check.h"

#include <cstdio>
#include <tuple>

#include "settings/main_ini.h"
#include "ui/wait_form.h"

namespace corvane::options {
namespace {

constexpr wchar_t kDescriptionFile[] = L"update.ini";
constexpr wchar_t kDescriptionSection[] = L"corvane.exe";

// A release offered by the description: numbers as written there, not yet cut to 16 bits.
struct Offer {
  int major = 0, minor = 0, release = 0, build = 0;
  std::wstring newFile;
};

auto Ordered(const platform::FileVersion& v) { return std::make_tuple(v.major, v.minor, v.release, v.build); }

// Numbers beyond what a version word holds are no version this program could have.
bool InVersionRange(const Offer& offer) {
  for (int part : {offer.major, offer.minor, offer.release, offer.build})
    if (part < 0 || part > 0xFFFF) return false;
  return true;
}

platform::FileVersion VersionOf(const Offer& offer) {
  return {static_cast<uint16_t>(offer.major), static_cast<uint16_t>(offer.minor), static_cast<uint16_t>(offer.release),
          static_cast<uint16_t>(offer.build)};
}

Offer ReadOffer(const platform::IniFile& description) {
  Offer offer;
  offer.major = description.ReadInteger(kDescriptionSection, L"hversion", 0);
  offer.minor = description.ReadInteger(kDescriptionSection, L"lversion", 0);
  offer.release = description.ReadInteger(kDescriptionSection, L"rversion", 0);
  offer.build = description.ReadInteger(kDescriptionSection, L"build", 0);
  offer.newFile = description.ReadString(kDescriptionSection, L"newfile", L"");
  return offer;
}

void Tell(platform::UserInteraction& user, const wchar_t* caption, const std::wstring& text, platform::MessageIcon icon) {
  user.ShowMessage({caption, text, icon, platform::MessageButtons::Ok});
}

}  // namespace

bool IsNewer(const platform::FileVersion& offer, const platform::FileVersion& running) {
  return Ordered(offer) > Ordered(running);
}

void RunUpdateCheck(const UpdateCheckContext& context) {
  const auto ini = context.iniFiles.Open(context.programFolder + settings::kMainIniFileName);
  const settings::MainIniSwitches switches = settings::ReadMainIniSwitches(*ini);
  if (switches.updateServer.empty() || switches.fileUrl.empty()) {
    Tell(context.user, L"错误", L"ini 文件中未发现升级服务器!", platform::MessageIcon::Error);
    return;
  }

  bool downloaded = false;
  {
    ui::TfrmWait wait(context.forms);
    ui::WaitingWhile waiting(wait);
    downloaded =
        context.update.RunUpdate(context.programFolder + L"support.dll", switches.updateServer, switches.fileUrl);
  }
  if (!downloaded) {
    Tell(context.user, L"错误", L"无法获得更新信息!", platform::MessageIcon::Error);
    return;
  }

  const platform::FileVersion running =
      context.update.VersionOf(context.programFile).value_or(context.builtInVersion);
  const std::wstring descriptionPath = context.update.TempFolder() + kDescriptionFile;
  Offer offer;
  {
    const auto description = context.iniFiles.Open(descriptionPath);
    offer = ReadOffer(*description);
  }
  context.update.RemoveFile(descriptionPath);

  if (InVersionRange(offer) && IsNewer(VersionOf(offer), running)) {
    wchar_t text[160];
    std::swprintf(text, std::size(text), L"发现新版本 %d.%d.%d build %d!\r要下载此更新吗?", offer.major, offer.minor,
                  offer.release, offer.build);
    const platform::MessageAnswer answer =
        context.user.ShowMessage({L"确认", text, platform::MessageIcon::Question, platform::MessageButtons::YesNo});
    if (answer == platform::MessageAnswer::Yes && !offer.newFile.empty()) {
      platform::ShellExecuteRequest request;
      request.verb = L"open";
      request.file = offer.newFile;
      request.show = platform::ShowCommand::Show;
      context.shell.Execute(request);
    }
    return;
  }
  Tell(context.user, L"信息", L"未发现新版本.", platform::MessageIcon::Information);
}

}  // namespace corvane::options
