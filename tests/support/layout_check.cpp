#include "tests/support/layout_check.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCursor>

namespace tallyra {
namespace {

std::string Name(const QWidget* widget) {
  const QString name = widget->objectName();
  return (name.isEmpty() ? QString::fromUtf8(widget->metaObject()->className()) : name)
      .toStdString();
}

// Containers are looked into; every other widget is one control, its insides its own.
bool IsContainer(const QWidget* widget) {
  return qobject_cast<const QGroupBox*>(widget) ||
         widget->metaObject() == &QWidget::staticMetaObject;
}

// The width a control needs to show its caption whole; 0 for controls without one.
int CaptionWidth(const QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  const auto advance = [&metrics](QString text) {
    text.remove(QLatin1Char('&'));
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
  };
  if (auto* label = qobject_cast<const QLabel*>(widget)) return advance(label->text());
  if (auto* group = qobject_cast<const QGroupBox*>(widget)) return advance(group->title()) + 12;
  if (auto* box = qobject_cast<const QAbstractButton*>(widget);
      qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget)) {
    // The caption is drawn right of the indicator, in what the style leaves of the box.
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QStyle::SubElement contents = qobject_cast<const QCheckBox*>(widget)
                                            ? QStyle::SE_CheckBoxContents
                                            : QStyle::SE_RadioButtonContents;
    const QRect room = box->style()->subElementRect(contents, &option, box);
    return box->width() - room.width() + advance(box->text());
  }
  if (auto* button = qobject_cast<const QPushButton*>(widget)) return advance(button->text()) + 8;
  if (auto* list = qobject_cast<const QComboBox*>(widget); list && !list->isEditable()) {
    return list->sizeHint().width();
  }
  return 0;
}

void Check(const QWidget* container, std::vector<std::string>& problems) {
  std::vector<const QWidget*> shown;
  for (const QObject* child : container->children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget && !widget->isWindow() && widget->isVisible()) shown.push_back(widget);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const QWidget* widget = shown[i];
    if (!container->rect().contains(widget->geometry())) {
      problems.push_back(Name(widget) + " reaches past " + Name(container));
    }
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      if (widget->geometry().intersects(shown[j]->geometry())) {
        problems.push_back(Name(widget) + " and " + Name(shown[j]) + " overlap");
      }
    }
    if (widget->width() < CaptionWidth(widget)) {
      problems.push_back(Name(widget) + " is " + std::to_string(widget->width()) +
                         " wide for a caption of " + std::to_string(CaptionWidth(widget)));
    }
    if (IsContainer(widget)) Check(widget, problems);
  }
}

}  // namespace

std::vector<std::string> CutControls(const QWidget* window) {
  std::vector<std::string> problems;
  Check(window, problems);
  return problems;
}

bool ShowsWhole(QLineEdit* box, const QString& text) {
  const auto cursorX = [box] {
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
  };
  box->clear();
  const int start = cursorX();
  box->setText(text);
  box->setCursorPosition(static_cast<int>(text.size()));
  box->repaint();  // the box works out how far it scrolls as it paints
  // A text wider than the box is scrolled so that its end stays in view.
  return cursorX() - start >= box->fontMetrics().horizontalAdvance(text);
}

bool ShowsBeginning(QLineEdit* box) {
  const auto cursorX = [](QLineEdit* edit) {
    edit->repaint();  // a box works out how far it scrolls as it paints
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
  };
  // Where an empty box like it puts the cursor: where an unscrolled text begins.
  QLineEdit empty(box->parentWidget());
  empty.setStyleSheet(box->styleSheet());
  empty.setFont(box->font());
  empty.setGeometry(box->geometry());
  empty.show();
  const QString before = box->text().left(box->cursorPosition());
  return cursorX(box) - box->fontMetrics().horizontalAdvance(before) >= cursorX(&empty);
}

bool ShowsWhole(const QPlainTextEdit* box) {
  QTextCursor end(box->document());
  end.movePosition(QTextCursor::End);
  // Lines wrap at the box's width; the last one must end above the box's bottom.
  return box->lineWrapMode() == QPlainTextEdit::WidgetWidth &&
         box->verticalScrollBar()->maximum() == 0 &&
         box->cursorRect(end).bottom() < box->viewport()->height();
}

bool NoFontsToMeasure() { return QFontDatabase::families().isEmpty(); }

}  // namespace tallyra
