// A small 3D program for the application hook's tests: it opens a window, creates an OpenGL
// context on it and ends. Exit code 0 when the context was created, 1 when not.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"CorvaneGlProbe";
  windowClass.style = CS_OWNDC;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"gl probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                160, 120, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);

  HDC dc = GetDC(window);
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 32;
  format.cDepthBits = 24;
  const int chosen = ChoosePixelFormat(dc, &format);
  HGLRC context = chosen && SetPixelFormat(dc, chosen, &format) ? wglCreateContext(dc) : nullptr;
  if (context) wglDeleteContext(context);
  ReleaseDC(window, dc);
  DestroyWindow(window);
  return context ? 0 : 1;
}
