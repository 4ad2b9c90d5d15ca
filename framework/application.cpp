#include "framework/application.h"

#include "framework/error.h"
#include "framework/form.h"
#include "framework/window_class_name.h"

namespace {

std::string TitleFromModule() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path);
  if (auto slash = name.find_last_of("\\/"); slash != std::string::npos) name.erase(0, slash + 1);
  if (auto dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  return name;
}
}  // namespace

Application& Application::Instance() {
  static Application instance;
  return instance;
}

Application::Application() : Component(nullptr, "Application"), title_(TitleFromModule()) {}

Application::~Application() {
  DestroyOwned();
  if (handle_) DestroyWindow(handle_);
}

void Application::Initialize() {
  if (handle_) return;
  const std::string className = WindowClassName("Application");
  WNDCLASSA wc{};
  wc.lpfnWndProc = &Application::Procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
  wc.lpszClassName = className.c_str();
  RegisterClassA(&wc);
  // A zero-sized captioned popup: invisible on screen, yet it owns the taskbar button.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  handle_ = CreateWindowExA(0, className.c_str(), title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, wc.hInstance, nullptr);
  if (!handle_) throw Error("cannot create the application window");
}

void Application::SetTitle(std::string title) {
  title_ = std::move(title);
  if (handle_) SetWindowTextA(handle_, title_.c_str());
}

LRESULT CALLBACK Application::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  Application& app = Instance();
  TForm* main = app.mainForm_;
  switch (msg) {
    case WM_CLOSE:  // the taskbar button's Close
      if (main) main->Close();
      return 0;
    case WM_SYSCOMMAND:
      // The taskbar button speaks for the main form.
      if (main && ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_RESTORE)) {
        SendMessageA(main->Handle(), WM_SYSCOMMAND, wParam, lParam);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && main && main->Showing() && IsWindowEnabled(main->Handle())) {
        SetActiveWindow(main->Handle());
        return 0;
      }
      break;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

void Application::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void Application::FormDestroyed(TForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::Run() {
  if (ShowMainForm && mainForm_) {
    if (handle_) ShowWindow(handle_, SW_SHOW);
    mainForm_->Show();
  }
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  terminated_ = true;
}

void Application::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));  // the loop that owns the program must see it too
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Application::DestroyOwned() {
  while (!owned_.empty()) {
    auto last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

int Application::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  TaskWindowsDisabled disabled;
  return MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
}

std::string StandardErrorText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

void Application::ShowException(const std::exception& error) {
  ShowMessageBox(StandardErrorText(error.what()), title_, MB_ICONERROR);
}

void Application::HandleException(Component*, const std::exception& error) { ShowException(error); }

void Application::HandleCurrentException(Component* sender) {
  try {
    throw;
  } catch (const std::exception& error) {
    HandleException(sender, error);
  } catch (...) {
    HandleException(sender, Error(""));
  }
}

namespace {
struct EnabledWindows {
  HWND except;
  std::vector<HWND>* list;
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM param) {
  auto* c = reinterpret_cast<EnabledWindows*>(param);
  if (window != c->except && IsWindowVisible(window) && IsWindowEnabled(window)) c->list->push_back(window);
  return TRUE;
}
}  // namespace

TaskWindowsDisabled::TaskWindowsDisabled(HWND except) : active_(GetActiveWindow()) {
  EnabledWindows context{except, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&context));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

TaskWindowsDisabled::~TaskWindowsDisabled() {
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}
