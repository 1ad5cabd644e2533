#include "aiconvert/shell_file_op.h"

#include "platform/text.h"

namespace wf {

CShellFileOp::CShellFileOp(Prompter* owner, unsigned operation, const std::filesystem::path& from,
                           const std::filesystem::path& to, std::uint16_t flags, const std::string& title)
    : owner_(owner), flags_(flags) {
  SetTitle(title);
  AddFile(0, from);
  if (!to.empty()) AddFile(1, to);
  switch (operation) {
    case FO_MOVE:
      Move();
      break;
    case FO_COPY:
      Copy();
      break;
    case FO_DELETE:
      Delete();
      break;
    case FO_RENAME:
      Rename();
      break;
    default:
      break;
  }
}

void CShellFileOp::AddFile(int selector, const std::filesystem::path& path) {
  std::string& list = selector == 0 ? source_ : destination_;
  // The list ends in its closing NUL; the new path and its NUL go in front of it.
  list.pop_back();
  list += PathUtf8(path);
  list.push_back('\0');
  list.push_back('\0');
}

void CShellFileOp::ReserveList(int selector, std::size_t bytes) {
  (selector == 0 ? source_ : destination_).reserve(bytes);
}

void CShellFileOp::SetTitle(const std::string& title) {
  title_ = title;
}

std::vector<std::filesystem::path> CShellFileOp::Paths(const std::string& list) const {
  std::vector<std::filesystem::path> paths;
  std::size_t start = 0;
  while (start < list.size() && list[start] != '\0') {
    const std::size_t end = list.find('\0', start);
    paths.push_back(PathFromUtf8(list.substr(start, end - start)));
    start = end + 1;
  }
  return paths;
}

int CShellFileOp::Perform(FileOperationKind kind) {
  aborted_ = false;
  FileOperationRequest request;
  request.kind = kind;
  request.from = Paths(source_);
  request.to = Paths(destination_);
  request.askFirst = (flags_ & FOF_NOCONFIRMATION) == 0;
  request.silent = (flags_ & FOF_SILENT) != 0;
  request.title = title_;
  Prompter* owner = owner_;
  const auto ask = [owner](const std::filesystem::path& existing, const std::filesystem::path& replacement) {
    if (owner == nullptr) return Answer::kNo;
    if (replacement.empty()) return owner->AskYesNoAllCancel("Delete " + PathUtf8(existing) + "?");
    return owner->AskYesNoAllCancel("The file " + PathUtf8(existing) + " already exists. Replace it with " +
                                    PathUtf8(replacement) + "?");
  };
  result_ = PerformFileOperation(request, ask);
  aborted_ = result_.aborted;
  return result_.aborted || !result_.kept.empty() || !result_.failures.empty() || result_.matchedNothing ? 1
                                                                                                         : 0;
}

}
