#include "mainwindow/format_list.h"

#include <QListWidget>
#include <QVBoxLayout>

FormatList::FormatList(ExtraFormats readable, QWidget* parent)
    : QGroupBox("Extra Picture Types", parent), readable_(readable), list_(new QListWidget(this)) {
  setObjectName("fraFormats");
  list_->setObjectName("lstFormats");
  list_->setFlow(QListView::LeftToRight);
  list_->setWrapping(true);
  list_->setToolTip("Pictures of the checked types join the JPEG, GIF and BMP pictures");
  for (const ExtraFormatInfo& info : kExtraFormats) {
    auto* item =
        new QListWidgetItem(QString::fromUtf8(info.label.data(), info.label.size()), list_);
    item->setCheckState(Qt::Unchecked);
    if (!readable_.Has(info.format)) {
      item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
      item->setToolTip("The installed libvips cannot read these pictures");
    }
  }
  list_->setFixedHeight(list_->sizeHintForRow(0) * 2 + 2 * list_->frameWidth());
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
}

void FormatList::Show(ExtraFormats chosen) {
  for (size_t i = 0; i < kExtraFormats.size(); ++i)
    list_->item(static_cast<int>(i))
        ->setCheckState(chosen.Has(kExtraFormats[i].format) ? Qt::Checked : Qt::Unchecked);
}

ExtraFormats FormatList::Chosen() const {
  ExtraFormats chosen;
  for (size_t i = 0; i < kExtraFormats.size(); ++i)
    if (list_->item(static_cast<int>(i))->checkState() == Qt::Checked)
      chosen.Add(kExtraFormats[i].format);
  return chosen;
}

ExtraFormats FormatList::ForRun() const { return CommonFormats(Chosen(), readable_); }
