#include "ui/sheet_page.h"

#include "app/databases.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "world/plane.h"

namespace wf::ui {

std::optional<int> CategoryByName(std::string_view name) {
  for (int c = 0; c < kCategoryCount; ++c) {
    for (const char* known : {kCategoryListNames[c], kCategoryBoxNames[c], CategoryName(c)}) {
      if (EqualsIgnoringCase(name, known)) return c;
    }
  }
  return std::nullopt;
}

std::string SheetPage::FirstProblem(std::initializer_list<const NumberBox*> boxes) {
  for (const NumberBox* box : boxes) {
    std::string problem = box->Problem();
    if (!problem.empty()) return problem;
  }
  return {};
}

bool SheetPage::SaveSettingsFile(Session& session, const std::function<void(IniFile&)>& write) {
  try {
    IniFile ini = IniFile::Load(session.SettingsPath());
    write(ini);
    ini.Save(session.SettingsPath());
    return true;
  } catch (const FileError& e) {
    session.prompter->Message(std::string(e.what()) + ". The settings are used until the program ends.",
                              MessageIcon::kStop);
    return false;
  }
}

bool SheetPage::SaveAirports() {
  const bool saved = SaveAirportDatabase(session_);
  session_.airportDatabaseUnsaved = !saved;
  return saved;
}

bool SheetPage::Acceptable() const {
  const std::string problem = Problem();
  if (problem.empty()) return true;
  session_.prompter->Message(problem, MessageIcon::kStop);
  return false;
}

bool SheetPage::Ask(const std::string& question) {
  const bool yes = session_.prompter->AskYesNo(question);
  if (!yes) answeredNo_ = true;
  return yes;
}

}
