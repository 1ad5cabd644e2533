#pragma once
// Errors of file reads and writes. The operation that started the read catches them and reports
// the message through the Prompter; the message names the file and says what went wrong.
#include <stdexcept>
#include <string>

namespace wf {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}
