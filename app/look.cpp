#include "app/look.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QStyleFactory>

static void InitTallyraResources() { Q_INIT_RESOURCE(resources); }

namespace tallyra {

void ApplyLook(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  // Every window's icon, at 48 px: a 256 px picture cost 1.7 ms of decoding before the login
  // window's first frame. The Windows program file carries it at every size (tallyra.ico).
  app.setWindowIcon(QIcon(QStringLiteral(":/icons/app.png")));
  const QColor frame(198, 196, 215);
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(236, 235, 241));
  palette.setColor(QPalette::Button, QColor(226, 225, 233));
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, QColor(245, 245, 249));
  palette.setColor(QPalette::Highlight, QColor(122, 128, 168));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::Mid, frame);
  palette.setColor(QPalette::Dark, frame.darker(130));
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  app.setPalette(palette);
  app.setStyleSheet(
      QStringLiteral("QLineEdit { border: 1px solid rgb(198, 196, 215); border-radius: 2px;"
                     " padding: 1px 2px; background: white; }"
                     "QLineEdit:focus { border-color: rgb(122, 128, 168); }"
                     "QLineEdit:read-only { background: rgb(236, 235, 241); }"
                     "QLineEdit[narrow=\"true\"] { padding: 0px; border-radius: 0px; }"));
}

// Substitutes are tried only when a face itself is missing, so they are set without
// asking the font database first: that question resolves font aliases through
// fontconfig and cost a third of the start-up. Windows names the faces themselves
// ("SimSun" and "KaiTi" where a version uses the English names; KaiTi replaced
// 楷体_GB2312); Linux has the AR PL faces instead.
void MapFonts() {
  const struct {
    const char* face;
    const char* windowsName;
    const char* installed;
  } mappings[] = {
      {"宋体", "SimSun", "AR PL UMing CN"},
      {"楷体_GB2312", "KaiTi", "AR PL UKai CN"},
  };
  for (const auto& mapping : mappings) {
    QFont::insertSubstitutions(
        QString::fromUtf8(mapping.face),
        {QString::fromUtf8(mapping.windowsName), QString::fromUtf8(mapping.installed)});
  }
}

void InitResources() { InitTallyraResources(); }

}  // namespace tallyra
