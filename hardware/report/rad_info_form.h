#pragma once
// TfrmRadInfo (uRadInfo): the card's information report in a read-only text box, built
// when the dialog opens and again on "刷新(&R)", and saved as a text file on "保存(&S)".

#include <functional>
#include <memory>
#include <string>

#include "hardware/report/hardware_report.h"
#include "platform/user_interaction.h"
#include "platform/whole_file.h"
#include "ui/form.h"

namespace corvane::hardware {

using ReportFileOpener = std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)>;

struct RadInfoContext {
  ui::FormContext form;
  platform::UserInteraction& user;
  HardwareReportSources sources;
  ReportFileOpener openFile;
};

// The report as a text file: UTF-8 with its byte-order mark, which Notepad and every
// editor read the same whatever the system's code page.
std::string ReportFileBytes(const std::wstring& report);

class TfrmRadInfo : public ui::TForm {
 public:
  explicit TfrmRadInfo(RadInfoContext context);

 private:
  void btRefreshClick(ui::TComponent&);
  void btSaveClick(ui::TComponent&);

  RadInfoContext context_;
};

}  // namespace corvane::hardware
