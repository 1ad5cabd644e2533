#include "gui/collect_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gui/gui_prompter.h"
#include "platform/text.h"

namespace wf::gui {

CollectView::CollectView(ui::CCollect& page, Session& session, GuiPrompter* folderDialogs, QWidget* parent)
    : PageView(parent),
      page_(page),
      session_(session),
      folderDialogs_(folderDialogs),
      airportPath_(MakeEdit(this, "airportPath")),
      browse_(new QPushButton("Browse", this)),
      collect_(new QPushButton("Collect Airports", this)) {
  airportPath_->setReadOnly(true);
  browse_->setObjectName("browse");
  collect_->setObjectName("collectAirports");

  auto* grid = new QGridLayout(this);
  auto* label = new QLabel("AFCAD files Path:", this);
  label->setBuddy(airportPath_);
  grid->addWidget(label, 0, 0, 1, 2);
  grid->addWidget(airportPath_, 1, 0);
  grid->addWidget(browse_, 1, 1);
  grid->addWidget(collect_, 2, 0, Qt::AlignLeft);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(0, 1);

  connect(browse_, &QPushButton::clicked, this, [this] {
    if (folderDialogs_ != nullptr) folderDialogs_->SetStartFolder(page_.airportPath);
    page_.OnBrowse();
    Refresh();
    Edited();
  });
  connect(collect_, &QPushButton::clicked, this, [this] { Collect(); });
}

void CollectView::Refresh() {
  ShowText(airportPath_, page_.airportPath);
}

void CollectView::Collect() {
  AirportCollectionResult result;
  RunLong([this, &result] { result = page_.OnCollectAirports(); });
  Refresh();
  Edited();
  session_.prompter->Message(Summary(result),
                             result.saved ? MessageIcon::kInformation : MessageIcon::kWarning);
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
