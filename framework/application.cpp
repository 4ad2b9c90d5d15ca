#include "framework/application.h"

#include "framework/error.h"

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

Application::Application() : title_(TitleFromModule()) {}

std::string StandardErrorText(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

void Application::ShowException(const std::exception& error) {
  MessageBoxA(handle_, StandardErrorText(error.what()).c_str(), title_.c_str(), MB_ICONERROR);
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
