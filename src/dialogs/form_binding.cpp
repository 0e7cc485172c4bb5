#include "dialogs/form_binding.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "dialogs/colour_label.h"

namespace {

using enum ControlKind;

QString Q(const std::string& text) { return QString::fromStdString(text); }

void ShowChecked(bool checked, QObject* widget) {
  if (auto* action = qobject_cast<QAction*>(widget)) {
    action->setChecked(checked);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    bool exclusive = button->autoExclusive();
    button->setAutoExclusive(exclusive && checked);  // else the checked one refuses to go off
    button->setChecked(checked);
    button->setAutoExclusive(exclusive);
  }
}

void ShowList(const Control& control, QComboBox* list) {
  QStringList entries;
  for (const std::string& entry : control.entries) entries << Q(entry);
  QStringList shown;
  for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
  if (shown != entries) {
    list->clear();
    list->addItems(entries);
  }
  list->setCurrentIndex(control.index < list->count() ? control.index : -1);
}

// Entries, selections and the current entry; each entry's whole text is its
// tool tip, so a path too long for the list can be read under the pointer.
void ShowRows(const Control& control, QListWidget* list) {
  QSignalBlocker quiet(list);
  list->clear();
  for (size_t i = 0; i < control.entries.size(); ++i) {
    auto* item = new QListWidgetItem(Q(control.entries[i]), list);
    item->setToolTip(item->text());
    item->setSelected(i < control.selected.size() && control.selected[i]);
  }
  list->setCurrentRow(control.index, QItemSelectionModel::NoUpdate);
}

void ReadRows(const QListWidget* list, Control* control) {
  control->entries.clear();
  control->selected.clear();
  for (int i = 0; i < list->count(); ++i) {
    control->entries.push_back(list->item(i)->text().toStdString());
    control->selected.push_back(list->item(i)->isSelected());
  }
  control->index = list->currentRow();
}

}  // namespace

void ShowControl(const Control& control, QObject* widget) {
  switch (control.kind) {
    case kText:
      if (auto* box = qobject_cast<QLineEdit*>(widget)) box->setText(Q(control.text));
      break;
    case kCode:
      if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) box->setPlainText(Q(control.text));
      break;
    case kCaption:
      if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(Q(control.text));
      break;
    case kCheck:
    case kOption:
      ShowChecked(control.checked, widget);
      break;
    case kList:
      if (auto* list = qobject_cast<QComboBox*>(widget)) ShowList(control, list);
      break;
    case kColour:
      if (auto* label = qobject_cast<ColourLabel*>(widget)) label->setColour(control.colour);
      break;
    case kRowList:
      if (auto* list = qobject_cast<QListWidget*>(widget)) ShowRows(control, list);
      break;
  }
}

void ReadControl(const QObject* widget, Control* control) {
  if (auto* box = qobject_cast<const QLineEdit*>(widget)) {
    control->text = box->text().toStdString();
  } else if (auto* code = qobject_cast<const QPlainTextEdit*>(widget)) {
    control->text = code->toPlainText().toStdString();
  } else if (auto* rows = qobject_cast<const QListWidget*>(widget)) {
    ReadRows(rows, control);
  } else if (auto* action = qobject_cast<const QAction*>(widget)) {
    control->checked = action->isChecked();
  } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    control->checked = button->isChecked();
  } else if (auto* list = qobject_cast<const QComboBox*>(widget)) {
    control->index = list->currentIndex();
    if (control->index >= 0) control->text = list->currentText().toStdString();
  } else if (auto* colour = qobject_cast<const ColourLabel*>(widget)) {
    control->colour = colour->colour();
  } else if (auto* label = qobject_cast<const QLabel*>(widget)) {
    control->text = label->text().toStdString();
  }
}

void ShowControls(const Form& form, QWidget* window) {
  for (const auto& [name, control] : form)
    if (QObject* widget = window->findChild<QObject*>(Q(name))) ShowControl(control, widget);
}

void ReadControls(const QWidget* window, Form* form) {
  for (auto& [name, control] : *form)
    if (const QObject* widget = window->findChild<QObject*>(Q(name))) ReadControl(widget, &control);
}
