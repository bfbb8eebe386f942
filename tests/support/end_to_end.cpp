#include "tests/support/end_to_end.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "app/login_window.h"
#include "app/navigation.h"

namespace tallyra {

std::vector<Word> ReadWords(const QString& pdf) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  EXPECT_TRUE(pdftotext.waitForFinished(30000));
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression word(QStringLiteral(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<Word> words;
  for (auto match = word.globalMatch(html); match.hasNext();) {
    const auto m = match.next();
    constexpr double kMmPerPoint = 25.4 / 72.0;
    words.push_back({m.captured(5), m.captured(1).toDouble() * kMmPerPoint,
                     m.captured(2).toDouble() * kMmPerPoint, m.captured(3).toDouble() * kMmPerPoint,
                     m.captured(4).toDouble() * kMmPerPoint});
  }
  return words;
}

bool HasWordAt(const std::vector<Word>& words, const QString& text, int x, int y) {
  return std::any_of(words.begin(), words.end(), [&](const Word& w) {
    return w.text == text && std::fabs(w.xMm - x / 10.0) <= 0.3 &&
           std::fabs(w.yMm - y / 10.0) <= 0.3;
  });
}

void TypeText(QWidget* field, const QString& text) {
  field->setFocus();
  for (QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                        Qt::NoModifier);
  }
}

EndToEndTest::EndToEndTest()
    : printing_(fakes_.messages, fakes_.clock), services_{fakes_.messages, fakes_.clock,
                                                          fakes_.sound,    fakes_.shell,
                                                          fakes_.process,  printing_,
                                                          fakes_.files} {
  qputenv("TALLYRA_PDF_DIR", pdfDir_.path().toUtf8());
}

EndToEndTest::~EndToEndTest() {
  main_.reset();
  qunsetenv("TALLYRA_PDF_DIR");
}

bool PdfToTextAvailable() {
#ifdef _WIN32
  static const bool available = [] {
    QProcess probe;
    probe.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
    return probe.waitForFinished(10000);
  }();
  return available;
#else
  return true;
#endif
}

void EndToEndTest::LogIn() {
  AddOperator("admin", "secret", "超级管理员");
  auto* login = new LoginWindow(programContext_, [&] {
    main_ = std::make_unique<MainWindow>(programContext_, ProgramWindows());
    main_->show();
  });
  login->show();
  login->findChild<QLineEdit*>(QStringLiteral("登录名编辑框"))->setText("admin");
  login->findChild<QLineEdit*>(QStringLiteral("登录密码编辑框"))->setText("secret");
  login->findChild<QPushButton*>(QStringLiteral("首页登陆按钮"))->click();
  ASSERT_NE(main_, nullptr);
}

QString EndToEndTest::OnlyPdf(const QString& jobName) {
  const QStringList pdfs = QDir(pdfDir_.path()).entryList({QStringLiteral("*.pdf")});
  EXPECT_EQ(pdfs.size(), 1);
  if (pdfs.size() != 1) return {};
  EXPECT_TRUE(pdfs[0].startsWith(jobName)) << pdfs[0].toStdString();
  return pdfDir_.filePath(pdfs[0]);
}

}  // namespace tallyra
