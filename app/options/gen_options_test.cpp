#include "app/options/gen_options_form.h"

#include <gtest/gtest.h>

#include <map>

#include "app/options/autostart.h"
#include "platform/registry_values.h"
#include "platform/sim/choosers_sim.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/ini_file_sim.h"
#include "platform/sim/program_update_sim.h"
#include "platform/sim/recording_files_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/shell_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "platform/sim/wave_in_sim.h"
#include "platform/sim/whole_file_sim.h"
#include "settings/program_settings.h"
#include "ui/form_renderer_sim.h"

namespace corvane::options {
namespace {

using platform::MessageAnswer;
using ui::TForm;

constexpr wchar_t kProgram[] = L"C:\\Program Files\\Corvane\\corvane.exe";
constexpr wchar_t kFolder[] = L"C:\\Program Files\\Corvane\\";
const std::string kPcm8kMono("\x01\x00\x01\x00\x40\x1F\x00\x00\x80\x3E\x00\x00\x02\x00\x10\x00\x00\x00", 18);
const std::vector<uint8_t> kPcm44kStereo = {0x01, 0x00, 0x02, 0x00, 0x44, 0xAC, 0x00, 0x00, 0x10, 0xB1,
                                            0x02, 0x00, 0x04, 0x00, 0x10, 0x00, 0x00, 0x00};

// A file regedit writes: while it is empty, reading it gives what the last regedit run
// with those switches exports (nothing for switches that regedit does not take).
class ExportedFile final : public platform::WholeFile {
 public:
  ExportedFile(platform::SimShell& shell, const std::map<std::wstring, std::string>& exports, std::string& contents)
      : shell_(shell), exports_(exports), contents_(contents) {}
  std::optional<std::string> Read(size_t maxBytes) override {
    const auto starts = shell_.Starts();
    if (contents_.empty() && !starts.empty()) {
      const std::wstring& line = starts.back().file;
      for (const auto& [switches, script] : exports_)
        if (line.starts_with(L"regedit " + switches + L" ")) contents_ = script;
    }
    return contents_.substr(0, maxBytes);
  }
  bool Replace(std::string_view bytes) override {
    contents_ = bytes;
    return true;
  }

 private:
  platform::SimShell& shell_;
  const std::map<std::wstring, std::string>& exports_;
  std::string& contents_;
};

class GenOptionsTest : public ::testing::Test {
 protected:
  GenOptionsTest() {
    formatFile.contents = kPcm8kMono;
    recorder.LoadAudioFormat();
    reg1->SetValue(L"AudioComp", std::wstring(L"PCM"));
    reg1->SetValue(L"AudioFormat", std::wstring(L"8.000 kHz, 16 位, 单声道"));
    shell.EndStartsAtOnce(true);
    update.versions[kProgram] = {1, 2, 3, 40};
  }

  GenOptionsContext Context() {
    GenOptionsContext context{{renderer, clock}, registry, *reg1, user, shell, iniFiles, kProgram, kFolder};
    context.choosers = &choosers;
    context.update = &update;
    context.recorder = &recorder;
    context.openFile = [this](const std::wstring&) -> std::unique_ptr<platform::WholeFile> {
      return std::make_unique<ExportedFile>(shell, exports, backup);
    };
    context.UseSkinnedMenu = [this](bool on) { skinned.push_back(on); };
    return context;
  }

  // Shows the dialog and plays `script` in it; true when it closed with OK.
  bool Run(std::function<void(TForm&)> script) {
    renderer.OnModal(std::move(script));
    TfrmGenOptions dialog(Context());
    return dialog.ShowModal() == ui::TModalResult::Ok;
  }

  std::optional<std::wstring> RunValue() {
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kRunKey, false);
    return key ? platform::ReadRegString(*key, kRunValueName) : std::nullopt;
  }

  void SetUpdateServer(const std::wstring& server, const std::wstring& url) {
    iniFiles.SetText(std::wstring(kFolder) + L"corvane.ini",
                     L"[main]\nupdate_server=" + server + L"\nfileurl=" + url + L"\n");
  }

  const platform::MessageBoxRequest& LastMessage() const { return user.History().back().request; }

  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  platform::SimShell shell;
  platform::SimIniFiles iniFiles;
  platform::SimChoosers choosers;
  platform::SimProgramUpdate update{iniFiles};
  platform::SimThreading threading;
  platform::SimWaveIn waveIn;
  platform::SimRecordingFiles files;
  platform::SimWholeFile formatFile;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  audio::AudioRecording recorder{{threading, clock, waveIn, files, formatFile, *reg1}};
  std::map<std::wstring, std::string> exports;
  std::string backup;
  std::vector<bool> skinned;
};

TEST_F(GenOptionsTest, TheRunValueIsRecognisedQuotedOrNotAndOkWritesItQuoted) {
  struct Case {
    const char* what;
    std::optional<std::wstring> stored;  // nothing: no value
    bool dword = false;
    bool ticked;
  } cases[] = {
      {"absent", std::nullopt, false, false},
      {"quoted", L"\"" + std::wstring(kProgram) + L"\"", false, true},
      {"unquoted", kProgram, false, true},
      {"another program", L"\"C:\\other.exe\"", false, false},
      {"not a string", std::nullopt, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    registry.DeleteKey(platform::RegistryRoot::CurrentUser, kRunKey);
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, kRunKey, true);
    if (c.stored) platform::WriteRegString(*key, kRunValueName, *c.stored);
    if (c.dword) platform::WriteRegDword(*key, kRunValueName, 1);
    bool shown = false;
    ASSERT_TRUE(Run([&](TForm& form) {
      shown = form[L"cbStart"].Checked();
      form[L"btnOk"].Click();
    }));
    EXPECT_EQ(shown, c.ticked);
    if (c.ticked)
      EXPECT_EQ(RunValue(), L"\"" + std::wstring(kProgram) + L"\"");
    else
      EXPECT_FALSE(key->QueryValue(kRunValueName));
  }
}

TEST_F(GenOptionsTest, SettingsAreWrittenOnOkOnlyAndTheMenuSkinSwitchesAtOnce) {
  const std::vector<std::wstring> boxes = {L"cbStart", L"cbUseLimit", L"cbSB",     L"cbSkin",   L"cbNew3D",
                                           L"cbConfirmClocks", L"cbDontAsk", L"cbSelMax", L"cbDontWait", L"cbAddTime"};
  auto change = [&](TForm& form) {
    for (int page : {0, 1, 2}) {
      form[L"pc1"].UserSelect(page);
      for (const auto& box : boxes) form[box].Click();  // those on other pages do not take it
    }
    form[L"pc1"].UserSelect(0);
    form[L"udUp"].UserSetPosition(250);  // beyond the up-down's range
    form[L"udDown"].UserSetPosition(15);
    form[L"pc1"].UserSelect(1);
    form[L"rbLimit"].Click();
    form[L"UpDown1"].UserSetPosition(90);
  };
  ASSERT_FALSE(Run([&](TForm& form) {
    change(form);
    form[L"btnCancel"].Click();
  }));
  EXPECT_FALSE(RunValue());
  EXPECT_TRUE(skinned.empty());
  settings::TRegValues fresh(registry);
  settings::DeclareProgramSettings(fresh);
  fresh.Loaded();
  EXPECT_FALSE(fresh.GetBool(L"confirm_new_clocks"));
  EXPECT_EQ(fresh.GetInteger(L"up_limit"), 50);

  ASSERT_TRUE(Run([&](TForm& form) {
    change(form);
    form[L"btnOk"].Click();
  }));
  fresh.LoadAll();
  EXPECT_TRUE(RunValue());
  EXPECT_FALSE(fresh.GetBool(L"use_limits"));
  EXPECT_TRUE(fresh.GetBool(L"swap_buttons"));
  EXPECT_FALSE(fresh.GetBool(L"use_skinned_menu"));
  EXPECT_FALSE(fresh.GetBool(L"UseNew3DApply"));
  EXPECT_TRUE(fresh.GetBool(L"confirm_new_clocks"));
  EXPECT_TRUE(fresh.GetBool(L"res_dont_ask_rate"));
  EXPECT_TRUE(fresh.GetBool(L"res_select_refresh_max"));
  EXPECT_TRUE(fresh.GetBool(L"res_dont_wait"));
  EXPECT_TRUE(fresh.GetBool(L"SSAddTime"));
  EXPECT_EQ(fresh.GetInteger(L"up_limit"), 100);
  EXPECT_EQ(fresh.GetInteger(L"down_limit"), 15);
  EXPECT_EQ(fresh.GetInteger(L"AudioLimit"), 1);
  EXPECT_EQ(fresh.GetInteger(L"AudioSeconds"), 90);
  EXPECT_EQ(skinned, std::vector<bool>{false});
}

TEST_F(GenOptionsTest, ANewRecordingFormatReachesAudioDatOnlyOnOk) {
  const platform::AudioFormatChoice chosen{kPcm44kStereo, L"PCM", L"44.100 kHz, 16 位, 立体声"};
  auto choose = [&](TForm& form) {
    EXPECT_EQ(form[L"lbFormat"].Caption(), L"8.000 kHz, 16 位, 单声道");
    choosers.AnswerAudioFormat(chosen);
    form[L"pc1"].UserSelect(1);
    form[L"Button12"].Click();
    EXPECT_EQ(form[L"lbFormat"].Caption(), chosen.formatName);
  };
  ASSERT_FALSE(Run([&](TForm& form) {
    choose(form);
    form[L"btnCancel"].Click();
  }));
  EXPECT_EQ(formatFile.contents, kPcm8kMono);
  EXPECT_EQ(formatFile.replaceCalls, 0);
  EXPECT_EQ(reg1->GetString(L"AudioFormat"), L"8.000 kHz, 16 位, 单声道");
  // The chooser started at the format in use.
  EXPECT_EQ(choosers.formatStarts.back(), std::vector<uint8_t>(kPcm8kMono.begin(), kPcm8kMono.end()));

  // A chooser answer that is no usable format changes nothing.
  ASSERT_TRUE(Run([&](TForm& form) {
    choose(form);
    choosers.AnswerAudioFormat(platform::AudioFormatChoice{{0x01, 0x00, 0x00}, L"?", L"?"});
    form[L"Button12"].Click();
    form[L"btnOk"].Click();
  }));
  EXPECT_EQ(formatFile.contents, std::string(kPcm44kStereo.begin(), kPcm44kStereo.end()));
  EXPECT_EQ(reg1->GetString(L"AudioFormat"), chosen.formatName);
  EXPECT_EQ(recorder.Format().size(), kPcm44kStereo.size());
}

TEST_F(GenOptionsTest, WithoutARecordingFormatTheCodecReadsNotConfigured) {
  formatFile.contents.reset();
  recorder.LoadAudioFormat();
  ASSERT_FALSE(Run([&](TForm& form) {
    EXPECT_EQ(form[L"lbCodec"].Caption(), L"未配置!");
    form[L"btnOk"].Click();
    form.SetModalResult(ui::TModalResult::Cancel);
  }));
  EXPECT_FALSE(formatFile.contents);
}

TEST_F(GenOptionsTest, FolderButtonsBrowseFromTheShownFolder) {
  ASSERT_TRUE(Run([&](TForm& form) {
    choosers.AnswerFolder(L"D:\\Sounds");
    form[L"pc1"].UserSelect(1);
    form[L"SpeedButton12"].Click();
    choosers.AnswerFolder(std::nullopt);
    form[L"pc1"].UserSelect(2);
    form[L"SpeedButton1"].Click();
    form[L"btnOk"].Click();
  }));
  ASSERT_EQ(choosers.folderRequests.size(), 2u);
  EXPECT_EQ(choosers.folderRequests[0].startFolder, L"c:\\");
  EXPECT_EQ(choosers.folderRequests[0].title, L"选择文件夹");
  EXPECT_EQ(reg1->GetString(L"AudioFolder"), L"D:\\Sounds");
  EXPECT_EQ(reg1->GetString(L"SSFolder"), L"c:\\");
}

TEST_F(GenOptionsTest, TheUpdateCheckComparesVersionsAndSaysWhatItFound) {
  struct Case {
    const char* what;
    std::optional<std::wstring> server;  // nothing: no update server in corvane.ini
    std::optional<std::wstring> description;  // nothing: the download fails
    std::wstring caption;
    std::wstring text;
  } cases[] = {
      {"no server", std::nullopt, L"", L"错误", L"ini 文件中未发现升级服务器!"},
      {"download fails", L"update.example", std::nullopt, L"错误", L"无法获得更新信息!"},
      {"equal", L"update.example", L"hversion=1\nlversion=2\nrversion=3\nbuild=40", L"信息", L"未发现新版本."},
      {"higher build, lower release", L"update.example", L"hversion=1\nlversion=2\nrversion=2\nbuild=99", L"信息",
       L"未发现新版本."},
      {"older minor", L"update.example", L"hversion=1\nlversion=1\nrversion=9\nbuild=9", L"信息", L"未发现新版本."},
      {"beyond a version word", L"update.example", L"hversion=70000", L"信息", L"未发现新版本."},
      {"newer build", L"update.example", L"hversion=1\nlversion=2\nrversion=3\nbuild=41\nnewfile=http://u/c.zip",
       L"确认", L"发现新版本 1.2.3 build 41!\r要下载此更新吗?"},
      {"newer major", L"update.example", L"hversion=2\nnewfile=http://u/c.zip", L"确认",
       L"发现新版本 2.0.0 build 0!\r要下载此更新吗?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUpdateServer(c.server.value_or(L""), L"/corvane/update.ini");
    update.description = c.description ? std::optional(L"[corvane.exe]\n" + *c.description) : std::nullopt;
    shell.ClearStarts();
    user.Answer(c.caption == L"确认" ? MessageAnswer::Yes : MessageAnswer::Ok);
    Run([&](TForm& form) { form[L"bt2"].Click(); });
    EXPECT_EQ(LastMessage().caption, c.caption);
    EXPECT_EQ(LastMessage().text, c.text);
    EXPECT_FALSE(update.DescriptionPresent());
    EXPECT_EQ(shell.Starts().size(), c.caption == L"确认" ? 1u : 0u);
  }
  EXPECT_EQ(shell.Starts().back().file, L"http://u/c.zip");
  EXPECT_EQ(update.runs.back().library, std::wstring(kFolder) + L"support.dll");
  EXPECT_EQ(update.runs.back().server, L"update.example");
  EXPECT_EQ(update.runs.back().fileUrl, L"/corvane/update.ini");
  EXPECT_EQ(renderer.ShowingForms().size(), 0u);  // the wait form went
}

TEST(ProfileBackupScript, TheDeletingLineFollowsTheHeaderInTheScriptsEncoding) {
  const std::string ansi = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\r\n";
  EXPECT_EQ(WithDeletingLine(ansi),
            "REGEDIT4\r\n[-HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\r\n\r\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\r\n");
  EXPECT_EQ(WithDeletingLine("REGEDIT4\n\n[x]\n"),
            "REGEDIT4\n[-HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\n\n[x]\n");
  // UTF-16LE: "V5\r\n" after its mark.
  const std::string unicode("\xFF\xFEV\x00" "5\x00\r\x00\n\x00", 10);
  const std::optional<std::string> inserted = WithDeletingLine(unicode);
  ASSERT_TRUE(inserted);
  const std::string line = "[-HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\r\n";
  std::string wide;
  for (char ch : line) wide += std::string{ch, '\0'};
  EXPECT_EQ(*inserted, unicode + wide);
  // No header line: no script.
  EXPECT_FALSE(WithDeletingLine(""));
  EXPECT_FALSE(WithDeletingLine("REGEDIT4"));
  EXPECT_FALSE(WithDeletingLine(std::string("\xFF\xFE\n", 3)));
}

TEST_F(GenOptionsTest, TheBackupExportsTheProfilesAndFallsBackToTheUnicodeExport) {
  const std::string script = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles\\over]\r\n";
  const std::string restoring =
      "REGEDIT4\r\n[-HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles]\r\n\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles\\over]\r\n";
  const std::wstring key = L"\"HKEY_CURRENT_USER\\SOFTWARE\\Quillon\\Corvane\\Profiles\"";
  struct Case {
    const char* what;
    std::map<std::wstring, std::string> exports;  // what regedit writes for each switch
    std::vector<std::wstring> commands;
    std::string file;
    std::wstring caption;
  } cases[] = {
      {"ANSI export", {{L"/ea", script}}, {L"regedit /ea \"D:\\b.reg\" " + key}, restoring, L"信息"},
      {"no /ea",
       {{L"/e", script}},
       {L"regedit /ea \"D:\\b.reg\" " + key, L"regedit /e \"D:\\b.reg\" " + key},
       restoring,
       L"信息"},
      {"regedit fails",
       {},
       {L"regedit /ea \"D:\\b.reg\" " + key, L"regedit /e \"D:\\b.reg\" " + key},
       "",
       L"错误"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    exports = c.exports;
    backup = "old";
    shell.ClearStarts();
    user.ChooseFile(L"D:\\b.reg");
    Run([&](TForm& form) { form[L"bt1"].Click(); });
    std::vector<std::wstring> commands;
    for (const auto& start : shell.Starts()) {
      EXPECT_EQ(start.kind, platform::StartKind::CreateProcess);
      EXPECT_EQ(start.show, platform::ShowCommand::Hide);
      commands.push_back(start.file);
    }
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(backup, c.file);
    EXPECT_EQ(LastMessage().caption, c.caption);
  }
  EXPECT_EQ(LastMessage().text, L"配置未能保存到 D:\\b.reg!");
  EXPECT_EQ(user.History().front().request.text, L"配置已保存到 D:\\b.reg.");
  const platform::OpenFileRequest& asked = user.FileChoices().back().request;
  EXPECT_EQ(asked.filter, L"注册表文件 (*.reg)|*.reg");
  EXPECT_EQ(asked.defaultExtension, L"reg");

  // Cancelled: nothing runs.
  shell.ClearStarts();
  Run([&](TForm& form) { form[L"bt1"].Click(); });
  EXPECT_TRUE(shell.Starts().empty());
}

}  // namespace
}  // namespace corvane::options
