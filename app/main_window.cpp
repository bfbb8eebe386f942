#include "app/main_window.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/about_window.h"
#include "app/roll_up_menu.h"
#include "app/version.h"
#include "forms/windows/form_window.h"
#include "ui/form_keys.h"
#include "ui/self_placing_window.h"

namespace tallyra {
namespace {

const QString kSuperAdministrator = QStringLiteral("超级管理员");

QString ToolbarIcon(Destination destination) {
  switch (destination) {
    case Destination::kAdministrators:
      return QStringLiteral(":/icons/users.png");
    case Destination::kSelectionSettings:
      return QStringLiteral(":/icons/maintain.png");
    case Destination::kPrintPositions:
      return QStringLiteral(":/icons/adjust_all.png");
    case Destination::kDepositSlipPositions:
      return QStringLiteral(":/icons/adjust_part.png");
    case Destination::kHelp:
      return QStringLiteral(":/icons/help.png");
    default:
      return QStringLiteral(":/icons/about.png");
  }
}

QString MenuIcon(Destination destination) {
  switch (destination) {
    case Destination::kCashDepositSlip:
      return QStringLiteral(":/icons/cash_slip.png");
    case Destination::kCheque:
      return QStringLiteral(":/icons/cheque.png");
    case Destination::kDepositSlip:
      return QStringLiteral(":/icons/deposit_slip.png");
    case Destination::kWireTransfer:
      return QStringLiteral(":/icons/wire_transfer.png");
    case Destination::kReceiptVoucher:
      return QStringLiteral(":/icons/receipt.png");
    case Destination::kPaymentVoucher:
      return QStringLiteral(":/icons/payment.png");
    case Destination::kTransferVoucher:
      return QStringLiteral(":/icons/transfer.png");
    case Destination::kAdministrators:
      return QStringLiteral(":/icons/password.png");
    case Destination::kSelectionSettings:
      return QStringLiteral(":/icons/tables.png");
    default:
      return ToolbarIcon(destination);
  }
}

QString WeekdayName(int weekday) {
  static const char* const kNames[] = {"星期日", "星期一", "星期二", "星期三",
                                       "星期四", "星期五", "星期六"};
  return QString::fromUtf8(kNames[(weekday - 1) % 7]);
}

QLabel* AddPane(QStatusBar* bar, int width, const QString& text, const QString& tip = {}) {
  auto* pane = new QLabel(text, bar);
  pane->setFixedWidth(width);
  pane->setToolTip(tip);
  bar->addWidget(pane);
  return pane;
}

QLabel* AddPicture(QWidget* parent, const char* name, const QString& path, QRect geometry) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QString::fromUtf8(name));
  picture->setPixmap(QPixmap(path));
  picture->setGeometry(geometry);
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  return picture;
}

}  // namespace

MainWindow::MainWindow(AppContext& context, WindowFactories windows)
    : context_(context), windows_(std::move(windows)) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Tallyra V" TALLYRA_VERSION_SHORT));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(796, 600);
  move(112, 1);
  background_.load(QStringLiteral(":/pictures/main_background.png"));

  BuildDecoration();
  BuildToolbar();
  BuildMenu();
  BuildStatusBar();
  WindowKeys::EscClosesWindow(this);

  RecordStore& store = context_.store;
  context_.state.OperatorLevel = QString::fromStdString(store.ReadText("管理权限"));
  context_.state.OperatorName = QString::fromStdString(store.ReadText("帐户名"));
  if (context_.state.OperatorLevel != kSuperAdministrator) {
    menu_->SetItemCaption(1, 0, QStringLiteral("修改密码"));
  }
  operatorPane_->setText(context_.state.OperatorName);
  levelPane_->setText(context_.state.OperatorLevel);

  const QDate start = context_.state.StartTime.date();
  dateText_ = QStringLiteral("%1年%2月%3日").arg(start.year()).arg(start.month()).arg(start.day());
  weekday_ = start.dayOfWeek() % 7 + 1;  // Qt counts Monday as 1 and Sunday as 7

  clockTimer_ = new QTimer(this);
  clockTimer_->setObjectName(QStringLiteral("时钟1"));
  connect(clockTimer_, &QTimer::timeout, this, &MainWindow::ClockTick);
  dragTimer_ = new QTimer(this);
  dragTimer_->setObjectName(QStringLiteral("好时钟3"));
  connect(dragTimer_, &QTimer::timeout, this, [this] { DragTick(QCursor::pos()); });
  ClockTick();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildDecoration() {
  AddPicture(this, "图片框_主界面_汽车", QStringLiteral(":/pictures/car.png"), {148, 63, 450, 338});
  AddPicture(this, "图片框_主界面_笔记本", QStringLiteral(":/pictures/notebook.png"),
             {700, 456, 320, 215});

  titleLabel_ = new QLabel(QStringLiteral("Tallyra V" TALLYRA_VERSION_SHORT), this);
  titleLabel_->setObjectName(QStringLiteral("透明标签2"));
  titleLabel_->setGeometry(237, 292, 359, 48);
  titleLabel_->setFont(QFont(QStringLiteral("楷体_GB2312"), 26));
  titleLabel_->setAttribute(Qt::WA_TranslucentBackground);
  titleLabel_->setAlignment(Qt::AlignCenter);

  auto* exit = new QPushButton(this);
  exit->setObjectName(QStringLiteral("按钮_主界面_退出系统"));
  exit->setGeometry(696, 444, 91, 96);
  exit->setIcon(QIcon(QStringLiteral(":/pictures/exit_button.png")));
  exit->setIconSize(QSize(91, 96));
  exit->setFlat(true);
  exit->setToolTip(QStringLiteral("退出系统"));
  exit->setCursor(Qt::PointingHandCursor);
  connect(exit, &QPushButton::clicked, this, [this] { context_.services.process.EndProgram(); });
}

void MainWindow::BuildToolbar() {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName(QStringLiteral("工具条_主界面_常用功能"));
  toolbar_->setGeometry(0, 0, 794, 57);
  toolbar_->setIconSize(QSize(32, 32));
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolbar_->setMovable(false);
  int next = 0;
  for (const ToolbarEntry& button : ToolbarEntries()) {
    for (; next < button.index; ++next) toolbar_->addSeparator();
    QAction* action =
        toolbar_->addAction(QIcon(ToolbarIcon(button.entry.destination)), button.entry.caption);
    action->setObjectName(QStringLiteral("工具条按钮%1").arg(button.index));
    action->setToolTip(button.entry.tip);
    const int index = button.index;
    connect(action, &QAction::triggered, this, [this, index] { OnToolbarClicked(index); });
    next = button.index + 1;
  }
}

void MainWindow::BuildMenu() {
  menu_ = new RollUpMenu(this);
  menu_->setObjectName(QStringLiteral("卷帘式菜单1"));
  menu_->setGeometry(1, 64, 131, 481);
  for (const MenuGroup& group : MenuGroups()) {
    const int g = menu_->AddGroup(group.caption);
    for (const NavEntry& item : group.items) {
      menu_->AddItem(g, item.caption, item.tip, MenuIcon(item.destination));
    }
  }
  menu_->RollOut(0);
  connect(menu_, &RollUpMenu::ItemClicked, this, &MainWindow::OnMenuItemClicked);
  connect(menu_, &RollUpMenu::DragPressed, this, &MainWindow::BeginDrag);
  connect(menu_, &RollUpMenu::DragReleased, this, &MainWindow::EndDrag);
}

void MainWindow::BuildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("状态条1"));
  bar->setGeometry(0, 579, 702, 20);
  bar->setSizeGripEnabled(false);
  AddPane(bar, 50, QStringLiteral("操作员："));
  operatorPane_ = AddPane(bar, 60, {}, QStringLiteral("当前操作员"));
  AddPane(bar, 40, QStringLiteral("级别："));
  levelPane_ = AddPane(bar, 80, {}, QStringLiteral("当前操作员权限的级别"));
  AddPane(bar, 60, QStringLiteral("系统时间："));
  clockPane_ = AddPane(bar, 220, {}, QStringLiteral("当前系统时间"));
  operatorPane_->setObjectName(QStringLiteral("状态条1_操作员"));
  levelPane_->setObjectName(QStringLiteral("状态条1_级别"));
  clockPane_->setObjectName(QStringLiteral("状态条1_系统时间"));
}

void MainWindow::OnToolbarClicked(int index) {
  for (const ToolbarEntry& button : ToolbarEntries()) {
    if (button.index == index) Go(button.entry);
  }
}

void MainWindow::OnMenuItemClicked(int group, int item) {
  const auto& groups = MenuGroups();
  if (group < 0 || group >= static_cast<int>(groups.size())) return;
  const auto& items = groups[static_cast<std::size_t>(group)].items;
  if (item < 0 || item >= static_cast<int>(items.size())) return;
  Go(items[static_cast<std::size_t>(item)]);
}

void MainWindow::Go(const NavEntry& entry) {
  if (entry.superAdministratorOnly && !CheckSuperAdministrator()) return;
  if (entry.closesCurrentForm) CloseCurrentForm(context_.state);
  OpenDestination(entry.destination);
}

bool MainWindow::CheckSuperAdministrator() {
  if (context_.state.OperatorLevel == kSuperAdministrator) return true;
  context_.services.messages.ShowError(
      this, QStringLiteral("您无权操作此模块，请使用超级管理员用户登录！"));
  return false;
}

void MainWindow::OpenDestination(Destination destination) {
  if (destination == Destination::kHelp) return OpenHelp();
  if (destination == Destination::kAbout) return OpenAbout();
  const auto factory = windows_.find(destination);
  if (factory == windows_.end()) return;
  QWidget* window = OpenForm(context_.state, [&] { return factory->second(context_, this); });
  if (!window) return;
  // Beside the roll-up menu, not over it, unless the window keeps its own place.
  const auto* placing = dynamic_cast<const SelfPlacingWindow*>(window);
  if (!placing || !placing->PlacesItself()) window->move(mapToGlobal(QPoint(140, 62)));
  if (auto* form = qobject_cast<FormWindow*>(window)) {
    form->GreetOperator(context_.state.OperatorName + context_.state.OperatorLevel);
  }
}

void MainWindow::OpenHelp() {
  const QString dir = context_.state.ProgramDir;
  Shell& shell = context_.services.shell;
  // A desktop without a CHM viewer still gets the manual, as HTML.
  if (shell.OpenFile(dir + QStringLiteral("/help.chm")) ||
      shell.OpenFile(dir + QStringLiteral("/help/index.html"))) {
    return;
  }
  context_.services.messages.ShowError(
      this, QStringLiteral("无法打开帮助文件 help.chm，也无法打开帮助目录中的 index.html。"));
}

void MainWindow::OpenAbout() {
  if (about_) about_->close();
  about_ = new AboutWindow(this, [this] { return clockPane_->text(); });
  about_->move(mapToGlobal(rect().center() - about_->rect().center()));
  about_->show();
}

AboutWindow* MainWindow::About() const { return about_; }

QString MainWindow::DateTimeText() const { return clockPane_->text(); }

void MainWindow::ClockTick() {
  clockTimer_->start(1000);
  const QTime now = context_.services.clock.Now().time();
  const QString time = QStringLiteral("%1时%2分%3秒")
                           .arg(now.hour())
                           .arg(now.minute(), 2, 10, QLatin1Char('0'))
                           .arg(now.second(), 2, 10, QLatin1Char('0'));
  clockPane_->setText(dateText_ + QLatin1Char(' ') + WeekdayName(weekday_) + QLatin1Char(' ') +
                      time);
}

void MainWindow::BeginDrag(QPoint globalMouse) {
  dragMenuStart_ = menu_->pos();
  dragMouseStart_ = globalMouse;
  dragTimer_->start(10);
}

void MainWindow::EndDrag() { dragTimer_->stop(); }

bool MainWindow::IsDragging() const { return dragTimer_->isActive(); }

void MainWindow::DragTick(QPoint mouse) {
  const QRect window = frameGeometry();
  if (mouse.x() < window.left()) {
    menu_->move(0, menu_->y());
  } else if (mouse.y() < window.top()) {
    menu_->move(menu_->x(), 0);
  } else if (mouse.x() - (window.left() + window.width()) > 0) {
    menu_->move(window.width() - 20, menu_->y());
  } else if (mouse.y() - (window.top() + window.height()) > 0) {
    menu_->move(menu_->x(), window.height() - 50);
  } else {
    menu_->move(dragMenuStart_ + (mouse - dragMouseStart_));
    return;
  }
  dragTimer_->stop();
}

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(rect(), background_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  titleLabel_->setAlignment(Qt::AlignCenter);
  QWidget::resizeEvent(event);
}

}  // namespace tallyra
