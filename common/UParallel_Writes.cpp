#include "common/UParallel_Writes.h"

#include <QThreadPool>

// Enough to keep the disk's queue full; the jobs wait, they do not compute.
constexpr int Writers = 16;

std::vector<QString> Run_Writes(const std::vector<std::function<QString()>> &jobs)
{
    // Sized before any job starts, so each job writes only its own slot; the
    // pool's end (waitForDone) makes every answer visible to the caller.
    std::vector<QString> answers(jobs.size());
    QThreadPool pool;
    pool.setMaxThreadCount(Writers);
    for (size_t i = 0; i < jobs.size(); ++i)
        pool.start([&answers, &jobs, i] { answers[i] = jobs[i](); });
    pool.waitForDone();
    return answers;
}
