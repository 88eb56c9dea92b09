#pragma once
// Blocks of Update.log and Check.log written out by hand, for the readers
// of the records (the plant's rows, the report).

#include <QByteArray>
#include <cstdint>

// An update at 12:00 (+01:00) on 2026-03-04: what was asked, how it ended,
// and the byte sum it wrote ({sum} left for the test to fill in).
QByteArray Update_Block(const char *asked, const char *result, const char *sum = "{sum}");

// A check on 2026-03-04 at time (+01:00) ending in verdict, after the status
// word read 17 and the byte count 1.
QByteArray Check_Block(const char *time, const char *verdict);

// The byte sum of an image, as its last four bytes hold it.
uint32_t Image_Sum(const QByteArray &image);
