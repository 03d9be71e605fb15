#pragma once
// The model's error type. Its message is short and meant for the user: the editor shows it in
// its error box and the command-line tool prints it.

#include <stdexcept>
#include <string>

class EVelmoraError : public std::runtime_error {
 public:
  explicit EVelmoraError(const std::string& message) : std::runtime_error(message) {}
};
