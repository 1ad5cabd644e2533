#include "gui/collect_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "gui/gui_prompter.h"

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
          work_.session().prompter->Message(ui::CollectionSummary(*result), result->saved
                                                                                ? MessageIcon::kInformation
                                                                                : MessageIcon::kWarning);
        }
      });
}

}
