#include "dialogs/form_binding.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
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

void Show(const Control& control, QObject* widget) {
  switch (control.kind) {
    case kText:
      if (auto* box = qobject_cast<QLineEdit*>(widget)) box->setText(Q(control.text));
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
    case kCode:
    case kCaption:
    case kRowList:
      break;  // not in the dialogs bound so far
  }
}

void Read(const QObject* widget, Control* control) {
  if (auto* box = qobject_cast<const QLineEdit*>(widget)) {
    control->text = box->text().toStdString();
  } else if (auto* action = qobject_cast<const QAction*>(widget)) {
    control->checked = action->isChecked();
  } else if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    control->checked = button->isChecked();
  } else if (auto* list = qobject_cast<const QComboBox*>(widget)) {
    control->index = list->currentIndex();
    if (control->index >= 0) control->text = list->currentText().toStdString();
  } else if (auto* label = qobject_cast<const ColourLabel*>(widget)) {
    control->colour = label->colour();
  }
}

}  // namespace

void ShowControls(const Form& form, QWidget* window) {
  for (const auto& [name, control] : form)
    if (QObject* widget = window->findChild<QObject*>(Q(name))) Show(control, widget);
}

void ReadControls(const QWidget* window, Form* form) {
  for (auto& [name, control] : *form)
    if (const QObject* widget = window->findChild<QObject*>(Q(name))) Read(widget, &control);
}
