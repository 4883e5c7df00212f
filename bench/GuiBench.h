#pragma once
// The main of the desktop program's benchmarks: the offscreen platform unless
// QT_QPA_PLATFORM says otherwise, and the window's settings in a folder of the
// benchmark's own, never the user's.

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

inline int RunGuiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
