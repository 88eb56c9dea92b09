#pragma once
// A record kept as a text file of blocks: each block opens with a line that
// starts with the record's mark, the newest is last, and the last Keep are
// kept. Writers in any process or thread take turns through a lock file
// beside it (its name with ".lock"), so two that append at once both land;
// the file is written whole through a save file. Only what the wanted blocks
// need is read, from the end in growing chunks, so the newest block of a big
// record costs a few kilobytes (and, but on Windows, no lock). Only a
// regular file (or a link to one) is taken: a folder, a pipe or a device is
// reported and left as it is.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

struct TBlock_Record
{
    QString Path;
    QByteArray Mark;   // the start of each block's first line
    int Keep = 200;    // the newest blocks kept, at least 1
    // Read from the end at most: blocks older than this are dropped as those
    // beyond Keep are, and a file with no block starting in it is no record.
    qint64 Max_Read_Bytes = 16 * 1024 * 1024;
    // How long another writer's lock is waited for.
    int Lock_Wait_Ms = 10000;
};

// Adds block (opening with the mark, ending with a line end) as the newest
// and drops the oldest beyond Keep; text before the first block stays until
// Keep - 1 blocks follow it. False, with error naming the file and the
// reason, when the lock is not had within Lock_Wait_Ms, the path is no
// regular file, or the file cannot be read or written: it then stays as it was.
bool Append_Block(const TBlock_Record &record, const QByteArray &block, QString *error);

// The last count blocks, oldest first, each with its line ends: fewer when
// the file holds fewer, none when there is no file yet. On Windows, which
// cannot replace an open file, read under the lock where one can be made;
// elsewhere without one (a writer replaces the file whole, so a reader sees
// the blocks from before or after it). False, with error, as for Append_Block.
bool Read_Last_Blocks(const TBlock_Record &record, int count, QList<QByteArray> &blocks, QString *error);

// The newest block alone, as Read_Last_Blocks reads it, handed to read:
// found is false when the file holds none (or is not there yet). False, with
// error, when the file cannot be read or read returns false (a block it does
// not understand).
bool Read_Newest_Block(const TBlock_Record &record, bool &found,
                       const std::function<bool(const QByteArray &block)> &read, QString *error);
