#include "ui/win32/gl_frame_source.h"

#include <atomic>
#include <memory>

#include "platform/win32/whole_file_win32.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/gl_scene.h"

namespace corvane::ui::win32 {
namespace {

constexpr wchar_t kSceneClass[] = L"CorvaneArtifactScene";

LRESULT CALLBACK SceneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // OpenGL covers all of it
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterSceneClass() {
  WNDCLASSW windowClass{};
  // OpenGL keeps using the same device context, from the render thread too.
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = SceneWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kSceneClass;
  RegisterClassW(&windowClass);  // fails harmlessly once registered
}

class GlFrameSource final : public artifacts::FrameSource {
 public:
  GlFrameSource(artifacts::FrameStore& store, artifacts::FaultCheck faults, UniqueWindow window,
                std::unique_ptr<GlScene> scene)
      : store_(store), faults_(std::move(faults)), window_(std::move(window)), scene_(std::move(scene)) {}

  ~GlFrameSource() override {
    closing_ = true;
    thread_.reset();  // waits for the last frame
  }

  bool Start(platform::Threading& threading) {
    thread_ = threading.StartThread([this] { Render(); });
    return thread_ != nullptr;
  }

  void Step() override { faulty_ = faults_ && faults_(); }

 private:
  void Render() {
    if (!scene_->MakeCurrent()) return;
    DWORD last = GetTickCount();
    float averageMs = 0.0f;
    float angleX = 0.0f;
    float angleY = 0.0f;
    uint32_t frame = 0;
    while (!closing_) {
      scene_->Draw(angleX, angleY);
      if (store_.Comparing()) {
        const bool faulty = faulty_;
        store_.Offer([&](std::span<uint8_t> pixels) {
          scene_->ReadPixels(pixels, artifacts::FrameStore::kWidth, artifacts::FrameStore::kHeight);
          if (faulty) pixels[(size_t{frame} * 7919) % pixels.size()] ^= 0x5A;
        });
      } else {
        // Turns at a speed set by the frame time, so a slow card turns as fast.
        const DWORD now = GetTickCount();
        averageMs = averageMs * 0.9f + static_cast<float>(now - last) * 0.1f;
        last = now;
        angleX += averageMs / 12.0f;
        angleY += averageMs / 8.0f;
      }
      scene_->Swap();
      ++frame;
    }
    scene_->ReleaseCurrent();
  }

  artifacts::FrameStore& store_;
  artifacts::FaultCheck faults_;
  UniqueWindow window_;
  std::unique_ptr<GlScene> scene_;
  std::atomic<bool> closing_{false};
  std::atomic<bool> faulty_{false};
  // Last: it ends first, before the scene and the window it draws on.
  std::unique_ptr<platform::Thread> thread_;
};

// The tester's window goes beside the dialog that opened it (its owner), on the left.
void PlaceBesideOwner(HWND window) {
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) return;
  RECT ownerBounds{};
  RECT bounds{};
  GetWindowRect(owner, &ownerBounds);
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int left = ownerBounds.left - width > 0 ? ownerBounds.left - width : 0;
  SetWindowPos(window, nullptr, left, ownerBounds.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

artifacts::FrameSourceFactory GlFrameSources(GlFrameSourceSetup setup) {
  return [setup](ui::TForm& form, artifacts::FrameStore& store) -> std::unique_ptr<artifacts::FrameSource> {
    const artifacts::FileOpener open = [](const std::wstring& path) {
      return std::make_unique<platform::Win32WholeFile>(path);
    };
    const std::optional<artifacts::SceneFiles> files = artifacts::LoadSceneFiles(setup.programFolder, open, setup.user);
    if (!files) return nullptr;

    HWND owner = setup.forms.WindowOf(form);
    if (!owner) return nullptr;
    PlaceBesideOwner(owner);
    RegisterSceneClass();
    RECT client{};
    GetClientRect(owner, &client);
    UniqueWindow window(CreateWindowExW(0, kSceneClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                        client.right, client.bottom, owner, nullptr, GetModuleHandleW(nullptr),
                                        nullptr));
    std::wstring problem;
    std::unique_ptr<GlScene> scene;
    if (window) scene = GlScene::Create(GetDC(window.get()), client.right, client.bottom, *files, problem);
    if (!scene) {
      setup.user.ShowMessage({.caption = L"错误", .text = problem.empty() ? L"Unable to set up OpenGL" : problem,
                              .icon = platform::MessageIcon::Error});
      return nullptr;
    }
    auto source = std::make_unique<GlFrameSource>(store, setup.faults, std::move(window), std::move(scene));
    if (!source->Start(setup.threading)) return nullptr;
    return source;
  };
}

}  // namespace corvane::ui::win32
