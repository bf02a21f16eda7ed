#pragma once

#include "cli/makercommon.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// brainloft-make: the headless puzzle maker. args excludes the program name.
// programFolder ends with '/'; the default puzzle folder lies inside it.
int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err);

// Exit statuses.
namespace makerstatus {
constexpr int kOk = maker::kOk;
constexpr int kFailed = maker::kFailed;
constexpr int kRefused = maker::kRefused;
constexpr int kUnplaced = maker::kUnplaced;
} // namespace makerstatus
