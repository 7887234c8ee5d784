#include "hotkeys/editor/action_tree.h"

#include <initializer_list>

namespace corvane::hotkeys {

const std::array<std::wstring_view, 28> kHotkeyActionNames = {
    L"加载 Direct3D 配置", L"加载 OpenGL 配置", L"加载超频配置",   L"运行一个应用程序",
    L"增加 Gamma",         L"降低 Gamma",       L"增加亮度",       L"降低亮度",
    L"增加对比度",         L"降低对比度",       L"重置颜色",       L"加载颜色配置",
    L"关闭显示器",         L"打开显示器",       L"增大主音量",     L"减小主音量",
    L"静音/开启主音量",    L"标准横向 0度",     L"向右旋转 90度",  L"旋转 180度",
    L"向左旋转 90度",      L"交替旋转 (0度 和 180度)", L"默认单一显示", L"加载显示配置",
    L"开始录音",           L"停止录音",         L"屏幕截图",       L"开启/关闭 扩展桌面",
};

std::wstring_view HotkeyActionName(int action) {
  if (action < 0 || action >= static_cast<int>(kHotkeyActionNames.size())) return {};
  return kHotkeyActionNames[static_cast<size_t>(action)];
}

namespace {

constexpr int kActionImage = 21;

struct Category {
  std::wstring_view caption;
  int image;
  std::initializer_list<int> actions;
};

}  // namespace

std::vector<ui::TreeNode> HotkeyActionTree() {
  static const Category kCategories[] = {
      {L"配置", 6, {0, 1, 2}},
      {L"颜色", 14, {11, 4, 5, 6, 7, 8, 9, 10}},
      {L"旋转", 16, {17, 18, 19, 20, 21}},
      {L"显示以及 TV 输出", 4, {22, 23, 12, 13, 27}},
      {L"音量控制", 22, {14, 15, 16}},
      {L"音频录制", 22, {24, 25}},
      {L"其它", 5, {3, 26}},
  };
  std::vector<ui::TreeNode> nodes;
  for (const Category& category : kCategories) {
    nodes.push_back({std::wstring(category.caption), 0, category.image, kNoAction});
    for (int action : category.actions)
      nodes.push_back({std::wstring(HotkeyActionName(action)), 1, kActionImage, action});
  }
  return nodes;
}

}  // namespace corvane::hotkeys
