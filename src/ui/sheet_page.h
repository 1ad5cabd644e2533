#pragma once
// What every page of the main sheet shares: the session it edits, its field table, the modified
// state that enables the sheet's Apply button, and the sheet's "Generate Flightplan" button that the
// tree pages enable.
//
// A front end binds its widgets or options to the page's fields (Fields()), hands each edit to the
// field's handler, and after every call shows again the fields that changed (FieldWatch).
#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/session.h"
#include "platform/ini_profile.h"
#include "ui/number_field.h"

namespace wf::ui {

// The operator categories as the pages name them, index = category: the Flightplan generation
// page's list and the Planes page's boxes.
inline constexpr std::array<const char*, kCategoryCount> kCategoryListNames = {
    "Privat", "Club", "Students", "Rental", "Buisiness", "Taxi"};
inline constexpr std::array<const char*, kCategoryCount> kCategoryBoxNames = {"Privat", "Club",     "Student",
                                                                              "Rental", "Business", "Taxi"};
// The category named `name`, without regard to case, in either list or as the planes name it
// (CategoryName: "Private", "Training", "Rentable").
std::optional<int> CategoryByName(std::string_view name);

class SheetPage {
 public:
  explicit SheetPage(Session& session) : session_(session) {}
  virtual ~SheetPage() = default;
  SheetPage(const SheetPage&) = delete;
  SheetPage& operator=(const SheetPage&) = delete;

  // The page's field table, in the order the page shows its fields.
  virtual std::span<const PageField> Fields() const = 0;
  // The page is shown for the first time (its window is created).
  virtual void OnInitDialog() = 0;
  // The first number the user typed that the page refuses, as a message naming the box and its
  // range; empty when every box holds a number in range. A refusal is an error (MessageIcon::kStop):
  // nothing was taken.
  virtual std::string Problem() const { return {}; }
  // The sheet's apply. A refused number is reported through the Prompter and nothing is applied;
  // the result is then false.
  virtual bool OnApply() = 0;

  // Whether the page has changes to apply (this enables the sheet's Apply button): edits that a step
  // to another node, a generation or the end of the program would lose.
  bool IsModified() const { return modified_; }
  // What the page's edits change, for a question about them: the name of the node they are for;
  // empty when they are the page's own settings.
  virtual std::string EditedItem() const { return {}; }
  // Drops the edits: the page shows what is stored again and is no longer modified.
  virtual void DropEdits() {
    OnInitDialog();
    SetModified(false);
  }
  // Whether the user answered No to a question of the last apply, so that it stored something other
  // than what was typed (the stored values, or the normal fee or money); the question said what.
  bool AnsweredNo() const { return answeredNo_; }

  // Called by the page when the sheet's "Generate Flightplan" button is to be enabled.
  std::function<void()> enableGenerateButton;

 protected:
  void SetModified(bool modified = true) { modified_ = modified; }
  void EnableGenerateButton() {
    if (enableGenerateButton) enableGenerateButton();
  }
  // Reports Problem() through the Prompter; true when there is none.
  bool Acceptable() const;
  // Asks through the Prompter; a No is remembered for AnsweredNo() until ForgetAnswers(), which
  // an apply that asks calls first.
  bool Ask(const std::string& question);
  void ForgetAnswers() { answeredNo_ = false; }
  static std::string FirstProblem(std::initializer_list<const NumberBox*> boxes);
  // Changes Wingfold.ini with `write` and saves it; a failure is reported (the values stay in use
  // until the program ends) and gives false.
  static bool SaveSettingsFile(Session& session, const std::function<void(IniFile&)>& write);
  // Saves the airport database (SaveAirportDatabase); afterwards it counts as saved, or, when the
  // save failed, as unsaved, so that the next apply of the Collect data page tries again.
  bool SaveAirports();

  Session& session_;

 private:
  bool modified_ = false;
  bool answeredNo_ = false;
};

}
