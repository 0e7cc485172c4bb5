// frmLinkInact, the editor of the menu entry code of the page being viewed:
// custom code, or KESTO's own inactive entry, or neither.
#pragma once

#include <QDialog>
#include <memory>

struct EditorMemory;
namespace Ui {
class frmLinkInact;
}

/// What the editor edits.
struct InactiveLink {
  QString code;            // LinkInact
  bool custom = false;     // UseLinkInact: "Use custom code"
  bool automatic = false;  // InactAuto: "Auto-inactive"
};

class frmLinkInact : public QDialog {
  Q_OBJECT

 public:
  /// The editor showing `link` over `owner`; its colour box inserts through
  /// `editors`.
  frmLinkInact(const InactiveLink& link, EditorMemory* editors, QWidget* owner);
  ~frmLinkInact() override;

  /// The values as they stand.
  InactiveLink link() const;

 private:
  std::unique_ptr<Ui::frmLinkInact> ui_;
};
