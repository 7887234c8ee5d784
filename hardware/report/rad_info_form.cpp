#include "hardware/report/rad_info_form.h"

#include <optional>

#include "platform/text_encoding.h"

namespace corvane::hardware {

namespace {

using ui::ComponentKind;

const ui::ComponentDecl kComponents[] = {
    {.kind = ComponentKind::Form, .name = L"frmRadInfo", .caption = L"系统信息", .width = 520, .height = 420},
    {.kind = ComponentKind::Edit, .name = L"mmReport", .left = 8, .top = 8, .width = 504, .height = 370,
     .readOnly = true, .multiLine = true},
    {.kind = ComponentKind::Button, .name = L"btRefresh", .caption = L"刷新(&R)", .left = 8, .top = 387, .width = 75,
     .height = 25, .altKey = L'R'},
    {.kind = ComponentKind::Button, .name = L"btSave", .caption = L"保存(&S)", .left = 89, .top = 387, .width = 75,
     .height = 25, .altKey = L'S'},
    {.kind = ComponentKind::Button, .name = L"btClose", .caption = L"确定", .left = 437, .top = 387, .width = 75,
     .height = 25, .modalResult = ui::TModalResult::Ok, .isDefault = true, .isCancel = true},
};

}  // namespace

std::string ReportFileBytes(const std::wstring& report) { return "\xEF\xBB\xBF" + platform::ToUtf8(report); }

TfrmRadInfo::TfrmRadInfo(RadInfoContext context) : TForm(context.form, kComponents), context_(std::move(context)) {
  HandleClick(L"btRefresh", &TfrmRadInfo::btRefreshClick);
  HandleClick(L"btSave", &TfrmRadInfo::btSaveClick);
  btRefreshClick((*this)[L"btRefresh"]);
}

void TfrmRadInfo::btRefreshClick(ui::TComponent&) {
  (*this)[L"mmReport"].SetText(JoinReportLines(HardwareReportLines(context_.sources)));
}

void TfrmRadInfo::btSaveClick(ui::TComponent&) {
  platform::OpenFileRequest request;
  request.filter = L"文本文件 (*.txt)|*.txt";
  const std::optional<std::wstring> path = context_.user.ChooseSaveFile(request);
  if (!path) return;
  std::unique_ptr<platform::WholeFile> file = context_.openFile ? context_.openFile(*path) : nullptr;
  // A report that did not reach the disk is not passed over in silence.
  if (!file || !file->Replace(ReportFileBytes((*this)[L"mmReport"].Text())))
    context_.user.ShowMessage({L"错误", L"无法保存文件 " + *path, platform::MessageIcon::Error});
}

}  // namespace corvane::hardware
