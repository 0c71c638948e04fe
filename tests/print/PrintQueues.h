// Real print queues for the printing tests: a CUPS scheduler of the test's
// own, started in a temporary folder that holds its configuration, spool,
// logs and printed output, listening only on a Unix socket there. While it
// runs, CUPS_SERVER (and libcups in this process) point at that socket, so
// neither the test nor the programs it starts ever meet the machine's own
// scheduler. The scheduler is stopped, by its process id, when the object
// goes, and dies with the test process should that end first.
//
// The queues have the cups-pdf driver's PPD (a PostScript printer without
// margins) and a file device: the scheduler runs each job through the real
// filter chain and writes the PostScript that comes out into the queue's
// file, which PrintedPdf turns into PDF as the cups-pdf backend does.
#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QProcess;

namespace zotra::test {

class PrintQueues {
 public:
  static inline const QString kA4 = QStringLiteral("zotra-a4");           // A4 portrait, the default
  static inline const QString kSecondA4 = QStringLiteral("zotra-a4-2");   // A4 portrait
  static inline const QString kLetter = QStringLiteral("zotra-letter");   // Letter by default

  // Starts the scheduler and adds the queues; a failure fails the test
  // (Ready() then is false).
  PrintQueues();
  ~PrintQueues();
  PrintQueues(const PrintQueues&) = delete;
  PrintQueues& operator=(const PrintQueues&) = delete;

  bool Ready() const { return ready_; }
  // Makes a queue refuse every job from now on.
  bool RefuseJobs(const QString& queue);

  struct Job {
    int id = 0;
    QString queue;
    QString title;
    int state = 0;  // the job's IPP state: 9 completed
  };
  // Waits until every job sent since the last call has finished and returns
  // them in the order sent. A job that did not complete (aborted, cancelled,
  // stopped) fails the test, with the scheduler's log of it.
  QList<Job> FinishedJobs();
  // Waits as FinishedJobs does; whether there was exactly one job, on
  // `queue` (titled `title` when one is given). Fails the test when not.
  bool OnlyJob(const QString& queue, const QString& title = {});
  // What the queue printed of its last job, as a PDF file.
  QString PrintedPdf(const QString& queue);

 private:
  bool Start();
  bool Admin(const QString& tool, const QStringList& arguments);

  QTemporaryDir dir_;
  std::unique_ptr<QProcess> scheduler_;
  QString socket_;
  int lastJob_ = 0;
  bool ready_ = false;
};

// Whether a printed PDF (PrintedPdf) carries the same texts and rules at the
// same places as the PDF file of the same printout: the same pages, and on
// each every dark dot of either within `tolerance` mm of ink of the other,
// checked word by word for the texts of `expected`. With ZOTRA_QUEUE_SHOTS
// set, the first pages of both (printed left) are also kept side by side
// there as "<name>.png".
void ExpectSamePrintout(const QString& printed, const QString& expected, const QString& name,
                        double tolerance = 0.5);

}  // namespace zotra::test
