#pragma once

#include <QFrame>
#include <QPoint>
#include <QString>
#include <vector>

class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace tallyra {

// A vertical menu of groups; one group is rolled out at a time and shows its items.
// Pressing the left button on the menu's own surface (not on an item) starts a drag.
class RollUpMenu final : public QFrame {
  Q_OBJECT

 public:
  explicit RollUpMenu(QWidget* parent = nullptr);

  int AddGroup(const QString& caption);
  void AddItem(int group, const QString& caption, const QString& description,
               const QString& iconPath = {});
  void SetItemCaption(int group, int item, const QString& caption);
  QToolButton* Item(int group, int item) const;
  void RollOut(int group);
  int RolledOutGroup() const { return rolledOut_; }

 signals:
  void ItemClicked(int group, int item);
  void DragPressed(QPoint globalMouse);
  void DragReleased();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct Group {
    QPushButton* header;
    QWidget* body;
    std::vector<QToolButton*> items;
  };
  QVBoxLayout* layout_;
  std::vector<Group> groups_;
  int rolledOut_ = -1;
};

}  // namespace tallyra
