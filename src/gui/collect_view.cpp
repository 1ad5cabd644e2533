#include "gui/collect_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "gui/gui_prompter.h"
#include "platform/text.h"

namespace wf::gui {

CollectView::CollectView(ui::CCollect& page, LongWork& work, GuiPrompter* folderDialogs, QWidget* parent)
    : PageView(page, work, parent), page_(page), folderDialogs_(folderDialogs) {
  auto* browse = new QPushButton("Browse", this);
  auto* collect = new QPushButton("Collect Airports", this);
  browse->setObjectName("browse");
  collect->setObjectName("collectAirports");

  QWidget* path = FieldWidget(ui::CCollect::kAirportPath);
  auto* grid = new QGridLayout(this);
  auto* label = new QLabel(Q(ui::CCollect::kAirportPath.label) + ":", this);
  label->setBuddy(path);
  grid->addWidget(label, 0, 0, 1, 2);
  grid->addWidget(path, 1, 0);
  grid->addWidget(browse, 1, 1);
  grid->addWidget(collect, 2, 0, Qt::AlignLeft);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(0, 1);

  connect(browse, &QPushButton::clicked, this, [this] {
    if (folderDialogs_ != nullptr) folderDialogs_->SetStartFolder(page_.airportPath);
    Edit([this] { page_.OnBrowse(); });
  });
  connect(collect, &QPushButton::clicked, this, [this] { Collect(); });
}

void CollectView::Collect() {
  auto result = std::make_shared<AirportCollectionResult>();
  work_.Run(
      window(), [this, result] { *result = page_.OnCollectAirports(); },
      [this, result](bool done) {
        if (done) {
          work_.session().prompter->Message(
              Summary(*result), result->saved ? MessageIcon::kInformation : MessageIcon::kWarning);
        }
      });
}

std::string CollectView::Summary(const AirportCollectionResult& result) {
  const ScanSummary& scan = result.scan;
  std::string text = std::to_string(scan.bglFilesRead) + " scenery files read (" +
                     std::to_string(scan.airportFilesRead) +
                     " with airports): " + std::to_string(scan.airportsAdded) + " airports added, " +
                     std::to_string(scan.airportsUpdated) + " updated, " +
                     std::to_string(scan.airportsInDatabase) + " in the database.";
  if (!scan.filesWithErrors.empty()) {
    text += "\n" + std::to_string(scan.filesWithErrors.size()) +
            " files had errors; the first: " + PathUtf8(scan.filesWithErrors.front().file) + ": " +
            scan.filesWithErrors.front().reason;
  }
  // A scan without the simulator's airports was not to be saved, and the user was told why.
  if (!result.saved && !result.noScenery)
    text += "\nThe airport database could not be saved; Apply tries again.";
  return text;
}

}
