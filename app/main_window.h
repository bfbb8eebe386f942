#pragma once

#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "app/navigation.h"
#include "ui/app_context.h"

class QLabel;
class QTimer;
class QToolBar;

namespace tallyra {

class AboutWindow;
class RollUpMenu;

// The working desk after login: toolbar and roll-up menu open the other windows, the
// status bar shows the operator, his level and the clock.
class MainWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(MainWindow)

 public:
  // The operator table must be current with the operator's record at the pointer.
  MainWindow(AppContext& context, WindowFactories windows);
  ~MainWindow() override;

  void OnToolbarClicked(int index);
  void OnMenuItemClicked(int group, int item);
  bool CheckSuperAdministrator();
  void ClockTick();
  QString DateTimeText() const;

  // Dragging the roll-up menu: the 10 ms timer calls DragTick with the mouse position.
  void BeginDrag(QPoint globalMouse);
  void EndDrag();
  void DragTick(QPoint globalMouse);
  bool IsDragging() const;

  AboutWindow* About() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildToolbar();
  void BuildMenu();
  void BuildStatusBar();
  void BuildDecoration();
  void Go(const NavEntry& entry);
  void OpenDestination(Destination destination);
  void OpenHelp();
  void OpenAbout();

  AppContext& context_;
  WindowFactories windows_;
  QToolBar* toolbar_ = nullptr;
  RollUpMenu* menu_ = nullptr;
  QLabel* operatorPane_ = nullptr;
  QLabel* levelPane_ = nullptr;
  QLabel* clockPane_ = nullptr;
  QLabel* titleLabel_ = nullptr;
  QTimer* clockTimer_ = nullptr;
  QTimer* dragTimer_ = nullptr;
  QString dateText_;
  int weekday_ = 1;  // 1 is Sunday
  QPoint dragMenuStart_;
  QPoint dragMouseStart_;
  QPointer<AboutWindow> about_;
  QPixmap background_;
};

}  // namespace tallyra
