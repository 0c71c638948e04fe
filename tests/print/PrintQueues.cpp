#include "PrintQueues.h"

#include "PdfTools.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtMath>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <vector>
#include <sys/prctl.h>

namespace zotra::test {
namespace {

const QString kPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

QString Program(const QString& name) {
  QString path = QStandardPaths::findExecutable(name);
  if (path.isEmpty()) path = QStandardPaths::findExecutable(name, {"/usr/sbin", "/sbin", "/usr/bin"});
  return path;
}

bool WriteFile(const QString& path, const QString& text) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

PrintQueues::PrintQueues()
    // A socket path must stay within 107 bytes: a long temporary folder gives way to /tmp.
    : dir_((QDir::tempPath().size() > 60 ? QStringLiteral("/tmp") : QDir::tempPath()) +
           QStringLiteral("/zotra-cups-XXXXXX")) {
  ready_ = Start();
}

bool PrintQueues::Start() {
  const QString cupsd = Program("cupsd");
  if (cupsd.isEmpty() || !QFile::exists(kPpd) || !dir_.isValid()) {
    ADD_FAILURE() << "cupsd or the cups-pdf PPD is missing (run scripts/setup-deps), or a temporary folder";
    return false;
  }
  // The filters of a scheduler started by root run as "lp" and must reach the spool.
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
  const QDir d(dir_.path());
  for (const char* sub : {"etc", "spool", "cache", "state", "log", "out"}) d.mkdir(sub);
  socket_ = d.filePath("cups.sock");
  const QString conf = d.filePath("etc/cupsd.conf");
  const QString files = d.filePath("etc/cups-files.conf");
  const bool written =
      WriteFile(conf, QStringLiteral("Listen %1\n"
                                     "LogLevel info\n"
                                     "Browsing No\n"
                                     "BrowseLocalProtocols none\n"
                                     "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                     "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                          .arg(socket_)) &&
      WriteFile(files, QStringLiteral("ServerRoot %1/etc\n"
                                      "RequestRoot %1/spool\n"
                                      "CacheDir %1/cache\n"
                                      "StateDir %1/state\n"
                                      "ErrorLog %1/log/error_log\n"
                                      "AccessLog %1/log/access_log\n"
                                      "PageLog %1/log/page_log\n"
                                      "Printcap %1/printcap\n"
                                      "FileDevice Yes\n")
                           .arg(d.path()));
  if (!written) {
    ADD_FAILURE() << "cannot write the scheduler's configuration";
    return false;
  }

  scheduler_ = std::make_unique<QProcess>();
  scheduler_->setStandardOutputFile(d.filePath("log/cupsd.out"));
  scheduler_->setStandardErrorFile(d.filePath("log/cupsd.out"));
  // Ends with the test process, whatever ends it.
  scheduler_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
  scheduler_->start(cupsd, {"-f", "-c", conf, "-s", files});
  if (!scheduler_->waitForStarted(10000)) {
    ADD_FAILURE() << "cupsd did not start";
    return false;
  }

  // This process and every program it starts print through this scheduler
  // only; the client settings of the machine (lpoptions) are not read.
  qputenv("CUPS_SERVER", socket_.toLocal8Bit());
  qputenv("CUPS_SERVERROOT", d.filePath("etc").toLocal8Bit());
  qunsetenv("PRINTER");
  qunsetenv("LPDEST");
  cupsSetServer(socket_.toLocal8Bit().constData());

  const QDeadlineTimer deadline(10000);
  bool listening = false;
  while (!listening && !deadline.hasExpired() && scheduler_->state() == QProcess::Running) {
    if (http_t* http = httpConnect2(socket_.toLocal8Bit().constData(), 0, nullptr, AF_UNSPEC,
                                    HTTP_ENCRYPTION_NEVER, 1, 500, nullptr)) {
      httpClose(http);
      listening = true;
    } else {
      QThread::msleep(20);
    }
  }
  if (!listening) {
    QFile log(d.filePath("log/error_log"));
    log.open(QIODevice::ReadOnly);
    ADD_FAILURE() << "cupsd does not answer on " << socket_.toStdString() << ":\n" << log.readAll().toStdString();
    return false;
  }

  for (const QString& queue : {kA4, kSecondA4, kLetter}) {
    QStringList args = {"-p", queue, "-E", "-v", "file://" + d.filePath("out/" + queue + ".ps"), "-P", kPpd,
                        "-o", "printer-error-policy=abort-job"};
    if (queue == kLetter) args << "-o" << "PageSize=Letter";
    if (!Admin("lpadmin", args)) return false;
  }
  return Admin("lpadmin", {"-d", kA4});
}

bool PrintQueues::Admin(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(Program(tool), arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
    ADD_FAILURE() << tool.toStdString() << " " << arguments.join(' ').toStdString() << ": "
                  << process.readAllStandardError().toStdString();
    return false;
  }
  return true;
}

bool PrintQueues::RefuseJobs(const QString& queue) { return Admin("cupsreject", {queue}); }

PrintQueues::~PrintQueues() {
  if (scheduler_ && scheduler_->state() != QProcess::NotRunning) {
    scheduler_->terminate();
    if (!scheduler_->waitForFinished(10000)) {
      scheduler_->kill();
      scheduler_->waitForFinished(5000);
    }
  }
  if (socket_.isEmpty()) return;
  qunsetenv("CUPS_SERVER");
  qunsetenv("CUPS_SERVERROOT");
  cupsSetServer(nullptr);
}

QList<PrintQueues::Job> PrintQueues::FinishedJobs() {
  QList<Job> jobs;
  const QDeadlineTimer deadline(60000);
  for (;;) {
    jobs.clear();
    bool busy = false;
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i) {
      const cups_job_t& j = list[i];
      if (j.id <= lastJob_) continue;
      busy = busy || j.state < IPP_JSTATE_STOPPED;
      jobs.append({j.id, QString::fromUtf8(j.dest), QString::fromUtf8(j.title), j.state});
    }
    cupsFreeJobs(count, list);
    if (!busy) break;
    if (deadline.hasExpired()) {
      ADD_FAILURE() << "print jobs still unfinished after a minute";
      break;
    }
    QThread::msleep(50);
  }
  std::sort(jobs.begin(), jobs.end(), [](const Job& a, const Job& b) { return a.id < b.id; });
  if (!jobs.isEmpty()) lastJob_ = jobs.last().id;
  for (const Job& job : jobs) {
    if (job.state == IPP_JSTATE_COMPLETED) continue;
    QFile log(QDir(dir_.path()).filePath("log/error_log"));
    log.open(QIODevice::ReadOnly);
    const QString tag = QStringLiteral("[Job %1]").arg(job.id);
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n').filter(tag);
    ADD_FAILURE() << "job " << job.id << " on " << job.queue.toStdString() << " ended in state " << job.state
                  << ":\n" << lines.join('\n').toStdString();
  }
  return jobs;
}

bool PrintQueues::OnlyJob(const QString& queue, const QString& title) {
  const QList<Job> jobs = FinishedJobs();
  if (jobs.size() == 1 && jobs.first().queue == queue && (title.isEmpty() || jobs.first().title == title)) return true;
  ADD_FAILURE() << jobs.size() << " jobs, not one on " << queue.toStdString() << " titled " << title.toStdString();
  return false;
}

QString PrintQueues::PrintedPdf(const QString& queue) {
  const QDir d(dir_.path());
  const QString pdf = d.filePath(QStringLiteral("out/%1-%2.pdf").arg(queue).arg(lastJob_));
  RunTool(Program("gs"), {"-q", "-dCompatibilityLevel=1.4", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=pdfwrite",
                          "-sOutputFile=" + pdf, "-dAutoRotatePages=/PageByPage", "-dAutoFilterColorImages=false",
                          "-dColorImageFilter=/FlateEncode", "-dPDFSETTINGS=/prepress", "-f",
                          d.filePath("out/" + queue + ".ps")});
  return pdf;
}

namespace {

// The ink of a rendered page: the pixels with a colour channel below `level`
// (so that yellow is ink too), each grown by `reach` pixels every way.
struct Ink {
  Ink(const QImage& page, int level, int reach) : width(page.width()), height(page.height()) {
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    dots.assign(size_t(width) * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
      const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < width; ++x) {
        if (std::min({qRed(line[x]), qGreen(line[x]), qBlue(line[x])}) >= level) continue;
        for (int yy = qMax(0, y - reach); yy <= qMin(height - 1, y + reach); ++yy) {
          for (int xx = qMax(0, x - reach); xx <= qMin(width - 1, x + reach); ++xx) dots[size_t(yy) * width + xx] = 1;
        }
      }
    }
  }
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && dots[size_t(y) * width + x]; }

  int width, height;
  std::vector<char> dots;
};

struct InkCount {
  int ink = 0;     // dark pixels of the one page
  int missed = 0;  // of them, those with no ink of the other page near
};

InkCount Compare(const Ink& sharp, const Ink& grown, const QRect& box) {
  InkCount c;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (!sharp.At(x, y)) continue;
      ++c.ink;
      if (!grown.At(x, y)) ++c.missed;
    }
  }
  return c;
}

}  // namespace

void ExpectSamePrintout(const QString& printed, const QString& expected, const QString& name, double tolerance) {
  const std::string what = name.toStdString();
  const PdfText want = ReadPdfText(expected);
  ASSERT_EQ(ReadPdfText(printed).pages.size(), want.pages.size()) << what;
  ASSERT_FALSE(want.words.isEmpty()) << what;
  // The printed page's fonts are the filter chain's, not searchable text:
  // the ink is compared. Every clearly dark pixel of either page must have
  // ink of the other within the tolerance.
  constexpr int kDpi = 100;
  const double dotsPerMm = kDpi / 25.4;
  const int reach = qMax(1, qRound(tolerance * dotsPerMm));
  for (int p = 1; p <= want.pages.size(); ++p) {
    const QImage a = RenderPdfPage(printed, p, kDpi);
    const QImage b = RenderPdfPage(expected, p, kDpi);
    ASSERT_EQ(a.size(), b.size()) << what << ": the paper differs";
    const QString shots = qEnvironmentVariable("ZOTRA_QUEUE_SHOTS");
    if (p == 1 && !shots.isEmpty()) {
      QImage both(a.width() * 2 + 20, a.height(), QImage::Format_RGB32);
      both.fill(Qt::darkGray);
      QPainter painter(&both);
      painter.drawImage(0, 0, a);
      painter.drawImage(a.width() + 20, 0, b);
      painter.end();
      both.save(QDir(shots).filePath(name + ".png"));
    }
    const Ink sharpA(a, 160, 0), grownA(a, 232, reach), sharpB(b, 160, 0), grownB(b, 232, reach);
    const QRect page(QPoint(0, 0), a.size());
    const InkCount drawn = Compare(sharpB, grownA, page), printedInk = Compare(sharpA, grownB, page);
    EXPECT_LE(drawn.missed + printedInk.missed, (drawn.ink + printedInk.ink) / 200) << what << " page " << p;
    for (const PdfWord& w : want.words) {
      if (w.page != p) continue;
      const QRect box(QPoint(qFloor(w.xMin * dotsPerMm), qFloor(w.yMin * dotsPerMm)),
                      QPoint(qCeil(w.xMax * dotsPerMm), qCeil(w.yMax * dotsPerMm)));
      const InkCount asked = Compare(sharpB, grownA, box), stray = Compare(sharpA, grownB, box);
      EXPECT_TRUE(asked.ink > 0 && asked.missed + stray.missed <= asked.ink / 10)
          << what << ": \"" << w.text.toStdString() << "\" at " << w.xMin << ", " << w.yMin << " mm on page " << p
          << " is not printed there (" << asked.missed << " + " << stray.missed << " of " << asked.ink
          << " dots apart)";
    }
  }
}

}  // namespace zotra::test
