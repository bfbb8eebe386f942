#include "tests/support/cups_test_server.h"

#ifdef __linux__
#include <cups/cups.h>
#include <sys/prctl.h>
#include <unistd.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <csignal>

namespace tallyra {

#ifdef __linux__

namespace {

constexpr double kPointsPerMm = 72 / 25.4;

struct Paper {
  const char* name;
  double widthMm;
  double heightMm;
};

QByteArray Pt(double mm) { return QByteArray::number(mm * kPointsPerMm, 'f', 3); }

// A PostScript printer description with fixed margins on every paper: *HWMargins for custom
// sizes and an *ImageableArea for each named one (with HWMargins alone cupsd trims the page).
QByteArray Ppd(const QList<Paper>& papers, const char* landscape = "Plus90") {
  const double left = CupsTestServer::kLeftMarginMm;
  const double top = CupsTestServer::kTopMarginMm;
  constexpr double kRight = CupsTestServer::kRightMarginMm;
  constexpr double kBottom = CupsTestServer::kBottomMarginMm;
  QByteArray ppd =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
      "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"TALLYRA.PPD\"\n"
      "*Manufacturer: \"Tallyra\"\n*Product: \"(Tallyra Test)\"\n"
      "*ModelName: \"Tallyra Test Printer\"\n*ShortNickName: \"Tallyra Test Printer\"\n"
      "*NickName: \"Tallyra Test Printer\"\n*PSVersion: \"(3010) 0\"\n*LanguageLevel: \"3\"\n"
      "*ColorDevice: False\n*DefaultColorSpace: Gray\n*FileSystem: False\n"
      "*LandscapeOrientation: " +
      QByteArray(landscape) +
      "\n*TTRasterizer: Type42\n"
      "*cupsFilter: \"application/vnd.cups-postscript 0 -\"\n";
  ppd += "*HWMargins: " + Pt(left) + ' ' + Pt(kBottom) + ' ' + Pt(kRight) + ' ' + Pt(top) + '\n';
  const QByteArray first = papers.front().name;
  QByteArray sizes, regions, areas, dimensions;
  for (const Paper& paper : papers) {
    const QByteArray w = Pt(paper.widthMm), h = Pt(paper.heightMm);
    const QByteArray key = QByteArray(paper.name) + '/' + paper.name + ' ' +
                           QByteArray::number(paper.widthMm) + 'x' +
                           QByteArray::number(paper.heightMm) + "mm";
    const QByteArray code = "\"<</PageSize[" + w + ' ' + h + "]/ImagingBBox null>>setpagedevice\"";
    sizes += "*PageSize " + key + ": " + code + '\n';
    regions += "*PageRegion " + key + ": " + code + '\n';
    areas += "*ImageableArea " + key + ": \"" + Pt(left) + ' ' + Pt(kBottom) + ' ' +
             Pt(paper.widthMm - kRight) + ' ' + Pt(paper.heightMm - top) + "\"\n";
    dimensions += "*PaperDimension " + key + ": \"" + w + ' ' + h + "\"\n";
  }
  ppd +=
      "*OpenUI *PageSize/Page Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n"
      "*DefaultPageSize: " +
      first + '\n' + sizes + "*CloseUI: *PageSize\n";
  ppd +=
      "*OpenUI *PageRegion: PickOne\n*OrderDependency: 10 AnySetup *PageRegion\n"
      "*DefaultPageRegion: " +
      first + '\n' + regions + "*CloseUI: *PageRegion\n";
  ppd += "*DefaultImageableArea: " + first + '\n' + areas;
  ppd += "*DefaultPaperDimension: " + first + '\n' + dimensions;
  return ppd;
}

bool WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

}  // namespace

CupsTestServer::CupsTestServer() {
  if (!Start()) Stop();
}

CupsTestServer::~CupsTestServer() {
  Stop();
  if (!cupsPdfConfig_.isEmpty()) QFile::remove(cupsPdfConfig_);
  cupsSetServer(nullptr);  // back to the system's server
}

bool CupsTestServer::Start() {
  if (geteuid() != 0) {
    problem_ = QStringLiteral("cupsd must run as root to run the PDF backend");
    return false;
  }
  for (const char* tool :
       {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/lib/cups/backend/cups-pdf"}) {
    if (!QFileInfo::exists(QString::fromLatin1(tool))) {
      problem_ = QStringLiteral("%1 is missing (scripts/setup.sh installs it)").arg(tool);
      return false;
    }
  }
  if (!dir_.isValid() || !WriteFiles()) {
    problem_ = QStringLiteral("cannot write the server's files under %1").arg(dir_.path());
    return false;
  }
  cupsd_ = std::make_unique<QProcess>();
  cupsd_->setProcessChannelMode(QProcess::MergedChannels);
  // A test that crashes takes its server with it.
  cupsd_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  cupsd_->start(QStringLiteral("/usr/sbin/cupsd"),
                {QStringLiteral("-f"), QStringLiteral("-c"), Path("etc/cupsd.conf"),
                 QStringLiteral("-s"), Path("etc/cups-files.conf")});
  if (!cupsd_->waitForStarted(5000)) {
    problem_ = QStringLiteral("cupsd did not start: ") + cupsd_->errorString();
    return false;
  }
  // From here on this process and the tools it runs ask this server only.
  cupsSetServer(Path("cups.sock").toUtf8().constData());
  const QString uri = QStringLiteral("cups-pdf:/") + cupsPdfName_;
  for (const char* queue : {kQueue, kMinus90Queue, kA4Queue}) {
    const QString ppd = Path(QStringLiteral("etc/%1.ppd").arg(QLatin1String(queue)));
    const QStringList args = {QStringLiteral("-p"),
                              QLatin1String(queue),
                              QStringLiteral("-E"),
                              QStringLiteral("-v"),
                              uri,
                              QStringLiteral("-P"),
                              ppd};
    // The first request may come before cupsd listens: retried for a while.
    QElapsedTimer clock;
    clock.start();
    QString output;
    while (!Run(QStringLiteral("lpadmin"), args, &output)) {
      if (cupsd_->state() != QProcess::Running || clock.elapsed() > 10000) {
        problem_ = QStringLiteral("lpadmin could not add %1: %2 (cupsd: %3)")
                       .arg(QLatin1String(queue), output,
                            QString::fromLocal8Bit(cupsd_->readAll()).trimmed());
        return false;
      }
      QThread::msleep(50);
    }
  }
  return true;
}

bool CupsTestServer::WriteFiles() {
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                         QFile::ExeOther);
  for (const char* sub :
       {"etc/ppd", "spool/tmp", "cache", "state", "log", "out", "pdfspool", "gstmp"}) {
    if (!QDir().mkpath(Path(QLatin1String(sub)))) return false;
  }
  const QByteArray root = dir_.path().toUtf8();
  const QByteArray cupsd = "Listen " + root + "/cups.sock\n" +
                           "LogLevel warn\nWebInterface No\nBrowsing No\n"
                           "DefaultAuthType None\nPreserveJobFiles Yes\n"
                           "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                           "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                           "  </Limit>\n</Policy>\n";
  const QByteArray files = "ServerRoot " + root + "/etc\nRequestRoot " + root + "/spool\nTempDir " +
                           root + "/spool/tmp\nCacheDir " + root + "/cache\nStateDir " + root +
                           "/state\nAccessLog " + root + "/log/access_log\nErrorLog " + root +
                           "/log/error_log\nPageLog " + root + "/log/page_log\nPrintcap " + root +
                           "/printcap\nUser lp\nGroup lp\nSystemGroup root\n";
  // A name of this run only: two test processes may each run a server at once.
  cupsPdfName_ = QStringLiteral("tallyra-test-%1").arg(getpid());
  cupsPdfConfig_ = QStringLiteral("/etc/cups/cups-pdf-%1.conf").arg(cupsPdfName_);
  const QByteArray cupsPdf = "Out " + root + "/out\nAnonDirName " + root + "/out\nSpool " + root +
                             "/pdfspool\nGSTmp " + root + "/gstmp\nLog " + root + "/log\n";
  return WriteFile(Path("etc/cupsd.conf"), cupsd) &&
         WriteFile(Path("etc/cups-files.conf"), files) &&
         WriteFile(Path(QStringLiteral("etc/%1.ppd").arg(QLatin1String(kQueue))),
                   Ppd({{"Cheque", 266, 166}, {"Voucher", 125, 266}, {"A4", 210, 297}})) &&
         WriteFile(
             Path(QStringLiteral("etc/%1.ppd").arg(QLatin1String(kMinus90Queue))),
             Ppd({{"Cheque", 266, 166}, {"Voucher", 125, 266}, {"A4", 210, 297}}, "Minus90")) &&
         WriteFile(Path(QStringLiteral("etc/%1.ppd").arg(QLatin1String(kA4Queue))),
                   Ppd({{"A4", 210, 297}})) &&
         WriteFile(cupsPdfConfig_, cupsPdf);
}

bool CupsTestServer::Run(const QString& program, const QStringList& args, QString* output) {
  QProcess tool;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("CUPS_SERVER"), Path("cups.sock"));
  tool.setProcessEnvironment(env);
  tool.setProcessChannelMode(QProcess::MergedChannels);
  tool.start(program, args);
  const bool finished = tool.waitForFinished(10000);
  if (!finished) tool.kill();
  if (output != nullptr) *output = QString::fromLocal8Bit(tool.readAll()).trimmed();
  return finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void CupsTestServer::Stop() {
  if (!cupsd_ || cupsd_->state() == QProcess::NotRunning) return;
  cupsd_->terminate();  // SIGTERM to its process id: cupsd ends its jobs' processes itself
  if (!cupsd_->waitForFinished(10000)) {
    cupsd_->kill();
    cupsd_->waitForFinished(5000);
  }
}

QStringList CupsTestServer::WaitForPdfs(int count, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    const QStringList pdfs = Pdfs();
    cups_job_t* jobs = nullptr;
    const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
    cupsFreeJobs(active, jobs);
    if ((pdfs.size() >= count && active == 0) || clock.elapsed() > timeoutMs) return pdfs;
    QThread::msleep(20);
  }
}

QStringList CupsTestServer::Pdfs() const {
  QStringList pdfs;
  for (const QFileInfo& file : QDir(Path("out")).entryInfoList({QStringLiteral("*.pdf")})) {
    pdfs << file.absoluteFilePath();
  }
  return pdfs;
}

int CupsTestServer::JobCount() {
  cups_job_t* jobs = nullptr;
  const int all = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
  cupsFreeJobs(all, jobs);
  return all;
}

QString CupsTestServer::SpoolDir() const { return Path("spool"); }

#else

// The test server runs cupsd, which the other systems do not have: every test that needs it
// is skipped (or failed in CI) with this reason.
CupsTestServer::CupsTestServer() { problem_ = QStringLiteral("no CUPS on this system"); }
CupsTestServer::~CupsTestServer() = default;
bool CupsTestServer::Run(const QString&, const QStringList&, QString*) { return false; }
void CupsTestServer::Stop() {}
QStringList CupsTestServer::WaitForPdfs(int, int) { return {}; }
QStringList CupsTestServer::Pdfs() const { return {}; }
int CupsTestServer::JobCount() { return 0; }
QString CupsTestServer::SpoolDir() const { return {}; }

#endif

}  // namespace tallyra
