#include "gui/ColumnPickerDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/ControlImpl.h"
#include "gui/DialogScript.h"
#include "gui/QtStrings.h"

namespace {

bool ExecuteScripted(DialogScript& script, ColumnPickerDialog& dialog) {
  std::vector<std::string> names;
  for (const ColumnPickerDialog::TColumn& column : dialog.Columns) {
    names.push_back(column.Name);
  }
  script.ColumnPickerOffers.push_back({names, names.at(dialog.Selected)});
  if (script.ColumnAnswers.empty()) {
    return false;
  }
  const std::optional<DialogScript::ColumnAnswer> answer = script.ColumnAnswers.front();
  script.ColumnAnswers.pop_front();
  if (!answer) {
    return false;
  }
  if (answer->Column) {
    const auto chosen = std::find(names.begin(), names.end(), *answer->Column);
    if (chosen == names.end()) {
      return false;
    }
    dialog.Selected = static_cast<std::size_t>(chosen - names.begin());
  }
  dialog.FillPanes = answer->FillPanes;
  return true;
}

QTreeWidget* ColumnList(QDialog& dialog, const ColumnPickerDialog& picker) {
  auto* list = new QTreeWidget(&dialog);
  list->setColumnCount(2);
  list->setHeaderLabels({QObject::tr("Column"), QObject::tr("First values")});
  list->setRootIsDecorated(false);
  for (const ColumnPickerDialog::TColumn& column : picker.Columns) {
    list->addTopLevelItem(new QTreeWidgetItem({QtText(column.Name), QtText(column.FirstValues)}));
  }
  list->setCurrentItem(list->topLevelItem(static_cast<int>(picker.Selected)));
  list->resizeColumnToContents(0);
  return list;
}

}  // namespace

bool ColumnPickerDialog::Execute(Control* owner) {
  FillPanes = false;
  if (DialogScript* script = DialogScript::Current()) {
    return ExecuteScripted(*script, *this);
  }
  QDialog dialog(ParentWidget(owner));
  dialog.setWindowTitle(QtText(Caption));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QObject::tr("Show which column in this pane?"), &dialog));
  QTreeWidget* list = ColumnList(dialog, *this);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* fill = buttons->addButton(QObject::tr("Fill the panes"), QDialogButtonBox::AcceptRole);
  QObject::connect(fill, &QPushButton::clicked, [this] { FillPanes = true; });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) {
    FillPanes = false;
    return false;
  }
  Selected = static_cast<std::size_t>(std::max(0, list->indexOfTopLevelItem(list->currentItem())));
  return true;
}
