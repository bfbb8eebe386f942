#include "app/roll_up_menu.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tallyra {

RollUpMenu::RollUpMenu(QWidget* parent) : QFrame(parent), layout_(new QVBoxLayout(this)) {
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  layout_->setContentsMargins(2, 2, 2, 2);
  layout_->setSpacing(1);
  layout_->addStretch(1);
}

int RollUpMenu::AddGroup(const QString& caption) {
  const int index = static_cast<int>(groups_.size());
  auto* header = new QPushButton(caption, this);
  header->setObjectName(QStringLiteral("卷帘组%1").arg(index));
  header->setFocusPolicy(Qt::NoFocus);
  header->setMinimumHeight(24);
  auto* body = new QWidget(this);
  auto* bodyLayout = new QVBoxLayout(body);
  bodyLayout->setContentsMargins(4, 4, 4, 4);
  bodyLayout->setSpacing(2);
  // Insert before the stretch so the groups stay packed at the top.
  layout_->insertWidget(layout_->count() - 1, header);
  layout_->insertWidget(layout_->count() - 1, body);
  groups_.push_back({header, body, {}});
  connect(header, &QPushButton::clicked, this, [this, index] { RollOut(index); });
  RollOut(rolledOut_ < 0 ? index : rolledOut_);
  return index;
}

void RollUpMenu::AddItem(int group, const QString& caption, const QString& description,
                         const QString& iconPath) {
  Group& g = groups_.at(static_cast<std::size_t>(group));
  const int index = static_cast<int>(g.items.size());
  auto* button = new QToolButton(g.body);
  button->setObjectName(QStringLiteral("卷帘项%1_%2").arg(group).arg(index));
  button->setText(caption);
  button->setToolTip(description);
  if (!iconPath.isEmpty()) button->setIcon(QIcon(iconPath));
  button->setIconSize(QSize(24, 24));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  button->setFocusPolicy(Qt::NoFocus);
  g.body->layout()->addWidget(button);
  g.items.push_back(button);
  connect(button, &QToolButton::clicked, this,
          [this, group, index] { emit ItemClicked(group, index); });
}

void RollUpMenu::SetItemCaption(int group, int item, const QString& caption) {
  Item(group, item)->setText(caption);
}

QToolButton* RollUpMenu::Item(int group, int item) const {
  return groups_.at(static_cast<std::size_t>(group)).items.at(static_cast<std::size_t>(item));
}

void RollUpMenu::RollOut(int group) {
  rolledOut_ = group;
  for (std::size_t i = 0; i < groups_.size(); ++i) {
    groups_[i].body->setVisible(static_cast<int>(i) == group);
  }
}

void RollUpMenu::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DragPressed(event->globalPosition().toPoint());
  QFrame::mousePressEvent(event);
}

void RollUpMenu::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DragReleased();
  QFrame::mouseReleaseEvent(event);
}

}  // namespace tallyra
