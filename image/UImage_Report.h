#pragma once
// The configuration image's main fields as readable lines.

#include "image/UImage_Record.h"

#include <QStringList>

QStringList Describe_Image(const TImage_Parameters &p);
