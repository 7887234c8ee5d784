#include "app/menus/menu_tree.h"

namespace corvane::menus {

using ui::MenuDecl;

namespace {

MenuDecl Item(const wchar_t* name, const wchar_t* caption, int image = -1, int tag = 0) {
  MenuDecl decl;
  decl.name = name;
  decl.caption = caption;
  decl.imageIndex = image;
  decl.tag = tag;
  return decl;
}

MenuDecl Separator(const wchar_t* name) { return Item(name, L"-"); }

MenuDecl Submenu(const wchar_t* name, const wchar_t* caption, int image, std::vector<MenuDecl> items) {
  MenuDecl decl = Item(name, caption, image);
  decl.items = std::move(items);
  return decl;
}

// Radio items share a group index within their submenu.
MenuDecl Radio(const wchar_t* name, const wchar_t* caption, int tag, int group) {
  MenuDecl decl = Item(name, caption, -1, tag);
  decl.radioItem = true;
  decl.groupIndex = group;
  return decl;
}

std::vector<MenuDecl> Direct3DItems() {
  return {
      Submenu(L"D3DAntiAlias1", L"消除混叠", -1,
              {Radio(L"dxAAapp", L"应用程序控制", 0, 1), Radio(L"dxAA2x", L"2x", 2, 1), Radio(L"dxAA4x", L"4x", 4, 1),
               Radio(L"dxAA6x", L"6x", 6, 1)}),
      Submenu(L"D3DAniso1", L"各向异性过滤", -1,
              {Radio(L"dxAFQ1x", L"性能", 1, 2), Radio(L"dxAFQ2x", L"质量", 2, 2),
               Radio(L"dxAFQ0x", L"质量(完全三线性)", 0, 2), Separator(L"N2"),
               Radio(L"dxAFApp", L"应用程序控制", 0, 3), Radio(L"dxAF2x", L"2x", 2, 3), Radio(L"dxAF4x", L"4x", 4, 3),
               Radio(L"dxAF8x", L"8x", 8, 3), Radio(L"dxAF16x", L"16x", 16, 3)}),
      Submenu(L"D3DTexture1", L"纹理首选项", -1,
              {Radio(L"dxTP3x", L"高性能", 3, 4), Radio(L"dxtp2x", L"性能", 2, 4), Radio(L"dxTp1x", L"质量", 1, 4),
               Radio(L"dxTp0x", L"高质量", 0, 4)}),
      Submenu(L"D3DMipmap1", L"MipMap 详细程度", -1,
              {Radio(L"dxLOD3x", L"高性能", 3, 5), Radio(L"dxLOD2x", L"性能", 2, 5), Radio(L"dxLOD1x", L"质量", 1, 5),
               Radio(L"dxLOD0x", L"高质量", 0, 5)}),
      Submenu(L"D3DVaitV", L"垂直同步", -1,
              {Radio(L"dxVS0x", L"始终为关", 0, 6), Radio(L"dxVS1x", L"应用程序首选项", 1, 6),
               Radio(L"dxVS2x", L"始终为开", 2, 6)}),
      Submenu(L"WaitforVerticalSync1", L"垂直同步", -1,
              {Radio(L"dxnVS0", L"始终为关", 0, 7), Radio(L"dxnVS1", L"默认为关", 1, 7),
               Radio(L"dxnVS2", L"默认为开", 2, 7), Radio(L"dxnVS3", L"始终为开", 3, 7)}),
      Submenu(L"D3DTruform1", L"TRUFORM(tm)", -1,
              {Radio(L"dxTRUE0x", L"始终为关", 0, 8), Radio(L"dxTRUE1x", L"应用程序首选项", 1, 8)}),
      Submenu(L"D3DRefreshRate1", L"更改刷新率", -1,
              {Radio(L"dxRRdis", L"禁用", 0, 9), Radio(L"dxRRDesk", L"同桌面", 1, 9),
               Radio(L"dxRRCust", L"自定义", 2, 9)}),
      Submenu(L"D3DAdditional1", L"附加选项", -1,
              {Item(L"dxALTpix", L"交替 pixel centers"), Item(L"dxDXT", L"支持 DXT 纹理格式"),
               Item(L"d3dBump", L"支持 Bump Mapping")}),
      Submenu(L"D3DOptimise1", L"优化", -1,
              {Item(L"miAFOpt", L"开启各向异性过滤优化"), Item(L"miTROpt", L"开启三线性过滤优化")}),
      Separator(L"N28"),
      Submenu(L"ForceZBufferdepth1", L"强制 Z-Buffer 色深", -1,
              {Radio(L"nglZBDis", L"禁用", 0, 10), Radio(L"nglZB16", L"强制 16 位", 16, 10),
               Radio(L"nglZB24", L"强制 24 位", 24, 10)}),
      Submenu(L"Additionaloptions1", L"附加选项", -1, {Item(L"nglTripple", L"三倍缓冲")}),
      Separator(L"N3"),
      Item(L"sap1", L"另存为配置文件"),
      Item(L"Settings1", L"设置..."),
  };
}

std::vector<MenuDecl> OpenGLItems() {
  return {
      Submenu(L"OGLAntiAlias1", L"消除混叠", -1,
              {Radio(L"ApplicationControlled1", L"应用程序控制", 0, 1), Radio(L"glAA2x", L"2x", 2, 1),
               Radio(L"glAA4x", L"4x", 4, 1), Radio(L"glAA6x", L"6x", 6, 1)}),
      Submenu(L"OGLAniso1", L"各向异性过滤", -1,
              {Radio(L"glAFPerf", L"性能", 1, 2), Radio(L"glAFQuality", L"质量", 2, 2), Separator(L"N4"),
               Radio(L"glAFApp", L"应用程序控制", 0, 3), Radio(L"glAF2x", L"2x", 2, 3), Radio(L"glAF4x", L"4x", 4, 3),
               Radio(L"glAF8x", L"8x", 8, 3), Radio(L"glAF16x", L"16x", 16, 3)}),
      Submenu(L"OGLTexture1", L"纹理首选项", -1,
              {Radio(L"glTP3x", L"高性能", 3, 4), Radio(L"glTP2x", L"性能", 2, 4), Radio(L"glTP1x", L"质量", 1, 4),
               Radio(L"glTP0x", L"高质量", 0, 4)}),
      Submenu(L"OGLMipmap1", L"MipMap 详细程度", -1,
              {Radio(L"glLOD3x", L"高性能", 3, 5), Radio(L"glLOD2x", L"性能", 2, 5), Radio(L"glLOD1x", L"质量", 1, 5),
               Radio(L"glLOD0x", L"高质量", 0, 5)}),
      Submenu(L"OGLVSync1", L"垂直同步", -1,
              {Radio(L"glVS0x", L"始终为关", 0, 6), Radio(L"glVS1x", L"默认为关", 1, 6),
               Radio(L"glVS2x", L"默认为开", 2, 6), Radio(L"glVS3x", L"始终为开", 3, 6)}),
      Submenu(L"OGLTruform1", L"TRUFORM(tm)", -1,
              {Radio(L"glTRUE0x", L"始终为关", 0, 7), Radio(L"glTRUE1x", L"应用程序首选项", 1, 7)}),
      Submenu(L"OGLZBuffer1", L"强制 Z-Buffer 色深", -1,
              {Radio(L"glZBDis", L"禁用", 0, 8), Radio(L"glZB16b", L"强制 16 位", 16, 8),
               Radio(L"glZB24b", L"强制 24 位", 24, 8)}),
      Submenu(L"OGLRefreshRate1", L"更改刷新率", -1,
              {Radio(L"glROVdis", L"禁用", 0, 9), Radio(L"glROVDesk", L"同桌面", 1, 9),
               Radio(L"glROVCust", L"自定义", 2, 9)}),
      Submenu(L"OGLAdditional1", L"附加选项", -1, {Item(L"glTripple", L"三倍缓冲")}),
      Separator(L"N5"),
      Item(L"sap2", L"另存为配置文件"),
      Item(L"Settings2", L"设置..."),
  };
}

std::vector<MenuDecl> TweakItems() {
  return {
      Submenu(L"PixelShader1", L"Pixel Shader 版本", -1,
              {Radio(L"psDis", L"禁用替换", 0, 1), Separator(L"N7"), Radio(L"ps10", L"1.0", 10, 1),
               Radio(L"ps11", L"1.1", 11, 1), Radio(L"ps12", L"1.2", 12, 1), Radio(L"ps13", L"1.3", 13, 1),
               Radio(L"ps14", L"1.4", 14, 1), Radio(L"ps20", L"2.0", 20, 1), Radio(L"ps21", L"2.1", 21, 1)}),
      Submenu(L"VertexShader1", L"Vertex Shader 版本", -1,
              {Radio(L"vsDis", L"禁用替换", 0, 2), Separator(L"N9"), Radio(L"vs10", L"1.0", 10, 2),
               Radio(L"vs11", L"1.1", 11, 2), Radio(L"vs20", L"2.0", 20, 2)}),
      Separator(L"N10"),
      Item(L"OPSC1", L"优化 PS 代码"),
      Item(L"mGI", L"几何实例"),
      Item(L"WMVAccseleration1", L"WMV 加速"),
      Item(L"VPURecover1", L"VPU Recover"),
      Item(L"DisableDMACopy1", L"禁用 DMA Copy"),
      Item(L"DisableBlockWrite1", L"禁用 Block Write"),
      Separator(L"N11"),
      Submenu(L"TemporalAA1", L"Temporal AA", -1,
              {Radio(L"TAADis", L"禁用", 0, 3), Radio(L"TAA2x", L"2x", 2, 3), Radio(L"TAA3x", L"3x", 3, 3),
               Separator(L"N12"), Radio(L"TAAFrameDef", L"Frame Threshold 默认值", 0, 4),
               Radio(L"TAAFrameCustom", L"自定义", 1, 4)}),
      Submenu(L"CatalystAI1", L"A.I.", -1,
              {Radio(L"AIOff1", L"关闭", 0, 5), Radio(L"AILow1", L"低", 1, 5), Radio(L"AIHigh1", L"高", 2, 5)}),
      Submenu(L"HyperZ1", L"Hyper Z", -1,
              {Item(L"FastZClearEnabled1", L"开启 Fast Z Clear"), Item(L"ZMaskEnable1", L"开启 Z Mask"),
               Submenu(L"ZCompression1", L"Z 压缩模式", -1,
                       {Radio(L"ZCMDef", L"默认", 55, 6), Radio(L"ZCM0", L"0", 0, 6), Radio(L"ZCM2", L"2", 2, 6)}),
               Separator(L"N14"), Item(L"rvmall", L"重置为默认值")}),
  };
}

}  // namespace

const std::vector<const wchar_t*> kInitiallyHiddenItems = {
    L"WaitforVerticalSync1", L"N28", L"ForceZBufferdepth1", L"Additionaloptions1", L"HYDRAVISION1",
};

std::vector<MenuDecl> DeclarePm1() {
  return {
      Submenu(L"GameProfiles1", L"游戏配置", 10, {Item(L"MPG1", L"管理配置", 6), Separator(L"N21")}),
      Separator(L"N20"),
      Submenu(L"Direct3D1", L"Direct3D", 0, Direct3DItems()),
      Item(L"Direct3DP1", L"Direct3D 配置"),
      Separator(L"N6"),
      Submenu(L"OpenGL1", L"OpenGL", 1, OpenGLItems()),
      Item(L"OpenGLP1", L"OpenGL 配置"),
      Separator(L"N1"),
      Submenu(L"Overclocking1", L"硬件", 7,
              {Item(L"Overcloking1", L"", 15), Item(L"Settings6", L"常规设置..."), Item(L"sysi1", L"系统信息", 19),
               Separator(L"N16")}),
      Submenu(L"Tweaks1", L"优化", 5, TweakItems()),
      Submenu(L"ResfreshLock1", L"锁定刷新率", 13, {Item(L"mROVEnabled", L"开启"), Item(L"Customize1", L"自定义...")}),
      Submenu(L"HotKeys1", L"热键", -1, {Item(L"mEHT", L"启用热键"), Item(L"Settings4", L"自定义...")}),
      Submenu(L"Colors1", L"颜色", 14, {Item(L"Settings5", L"设置"), Separator(L"N26")}),
      Submenu(L"Plugins1", L"插件", -1, {Item(L"RunTimeplugins1", L"Run Time 插件"), Separator(L"N27")}),
      Separator(L"N13"),
      Submenu(L"Display1", L"显示", 4,
              {Item(L"Settings7", L"设置...", 2), Item(L"OverlaySettings1", L"覆盖调整..."),
               Item(L"miExtDesk", L"扩展桌面", 17), Separator(L"N30"), Item(L"ads1", L"ATI 显示设置", 3),
               Item(L"MonitorSettings1", L"显示属性"), Item(L"ResetDisplayDriver1", L"重置显示驱动", 18),
               Separator(L"N29"), Item(L"DefaultSingleDisplay1", L"默认单一显示")}),
      Submenu(L"Rotation1", L"旋转", 16,
              {Radio(L"rt0", L"标准横向 0度", 0, 1), Radio(L"rt1", L"向右旋转 90度", 1, 1),
               Radio(L"rt2", L"旋转 180度", 2, 1), Radio(L"rt3", L"向左旋转 90度", 3, 1)}),
      Submenu(L"ATISoftware1", L"ATI 软件", 3, {}),
      Submenu(L"HYDRAVISION1", L"HYDRAVISION", 9,
              {Item(L"Settings3", L"设置"), Item(L"SetupWizard1", L"安装向导"), Separator(L"N19"),
               Item(L"LoadMultiDesc1", L"", 8), Item(L"LoadDesktopManager1", L"", 9)}),
      Separator(L"N8"),
      Item(L"miCard", L""),
      Submenu(L"Options1", L"工具", 2,
              {Item(L"SaveDIP1", L"记忆桌面图标位置"), Item(L"LDIP1", L"恢复桌面图标位置"), Item(L"DSP1", L""),
               Separator(L"N25"), Item(L"Options2", L"常规选项...")}),
      Item(L"About1", L"关于..."),
      Item(L"Exit1", L"退出"),
  };
}

std::vector<MenuDecl> DeclarePm2() {
  return {
      Submenu(L"N8bpp1", L"8 bpp", -1, {}),
      Submenu(L"N16bpp1", L"16 bpp", -1, {}),
      Submenu(L"N32bpp1", L"32 bpp", -1, {}),
  };
}

}  // namespace corvane::menus
