#pragma once
// The message of the EVelmoraError that `work` throws, or "" when it throws none.

#include <functional>
#include <string>

#include "model/Errors.h"

inline std::string ErrorText(const std::function<void()>& work) {
  try {
    work();
  } catch (const EVelmoraError& e) {
    return e.what();
  }
  return "";
}
