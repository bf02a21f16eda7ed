#pragma once

#include <QString>

// The system's print queues, through the print system's own library: which queue is the
// default, whether a queue takes jobs, and a PDF file handed to a queue as one job.
namespace cupsqueue {

// The default queue's name; "" when there is none (or no print system answers).
QString DefaultQueue();

// Why queue cannot take a job now, in the queue's own words where it gives any: it does not
// exist, refuses jobs, or is stopped (a job would wait there unprinted). "" when it is ready.
QString Refusal(const QString& queue);

// Hands the PDF file at path to queue as one job named title. Returns the job's number once the
// queue has accepted the job, or 0 with why set to the refusal or the print system's error.
int Submit(const QString& queue, const QString& path, const QString& title, QString* why);

// The print system's answer to the last request of this thread when it was an error, else "".
QString LastError();

} // namespace cupsqueue
