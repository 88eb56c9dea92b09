#pragma once
// Whole-file writes side by side. Each save file waits until the disk confirms
// it, and on a disk that takes milliseconds for that (a slow one, or one busy
// with another program's writes) a thousand such waits one after another keep
// the user waiting for seconds; side by side, the system confirms many at once.
//
// This is sound under three conditions, which every caller keeps: each job
// writes only files that no other job touches, through the core's writers
// (each file whole or not at all, a failure naming the file and the system's
// reason); a job works on values of its own (its copies, and a result slot
// that no other job touches) and reads nothing that changes while the jobs
// run, as the core below the windows keeps no program-wide state; and the
// caller reports the answers only after Run_Writes has returned, in the order
// of the jobs, whichever job finished first.

#include <QString>
#include <functional>
#include <vector>

// Runs every job, several at a time, and gives each one's answer (an error
// message, or "" when it went through) in the order of the jobs.
std::vector<QString> Run_Writes(const std::vector<std::function<QString()>> &jobs);
