#pragma once
// The program's error: an exception that carries the message shown to the user.
#include <exception>
#include <string>

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// The message texts carry one "%s" for a name; it is replaced verbatim (no printf
// semantics, so a name containing '%' cannot misformat the message).
std::string FormatWithName(const char* pattern, const std::string& name);
