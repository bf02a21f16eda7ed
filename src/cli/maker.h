#pragma once

#include "shell/makerkit.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

// brainloft-make: the headless puzzle maker. args excludes the program name.
// programFolder ends with '/'; the default puzzle folder lies inside it.
int RunMaker(const maker::Registry& registry, const QStringList& args, const QString& programFolder, QTextStream& out,
             QTextStream& err);
// The same with every verb (maker::AllVerbs), for a program that links the part that draws.
int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err);

// The application object a run needs: a QCoreApplication, or a QGuiApplication where it draws.
using MakeApplication = std::function<std::unique_ptr<QCoreApplication>(int& argc, char** argv)>;

// The whole program once its verbs are chosen: the standard descriptors made safe, the
// application made, the data folder found, the verb run, its output written. Returns the exit
// status.
int MakerMain(int& argc, char** argv, const maker::Registry& registry, const MakeApplication& makeApplication);

// The part that draws is a module of its own, loaded for the verbs that need it; it runs the
// whole program with every verb. Its entry point, by this name.
#define BRAINLOFT_DRAWING_ENTRY "brainloft_make_drawing_main"
using DrawingEntry = int(int* argc, char** argv);

// Exit statuses.
namespace makerstatus {
constexpr int kOk = maker::kOk;
constexpr int kFailed = maker::kFailed;
constexpr int kRefused = maker::kRefused;
constexpr int kUnplaced = maker::kUnplaced;
} // namespace makerstatus
