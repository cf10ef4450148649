#pragma once
// The one bar on standard error that follows a batch of inputs through the
// whole run: how many files are done, how many drawing items they held, and
// how far the current file has come (reading its drawing, then the
// conversion). Each stage of a file fills its own stretch of that file's
// share, so the bar only ever grows.
#include <cstddef>
#include <cstdio>

namespace lorvane::cli {

enum class progressStage { readingDrawing, converting };

// Starts the bar for a batch of files, drawn on terminal (standard error on
// a terminal); null shows nothing.
void startProgressBar(std::FILE* terminal, std::size_t files);
void enterProgressStage(progressStage stage);
// How far the current stage has come, from 0 to 1.
void showStageProgress(double share);
// The module's progress callback: the converting stage in percent.
extern "C" void drawProgress(double percent, const char* text);
// One more file is done (converted or not), its drawing having held items.
void progressFileDone(std::size_t items);
// Takes the bar off its line so that a message can stand there; the next
// progress draws it again.
void clearProgressBar();
// Ends the bar's line, if one was drawn.
void finishProgressBar();

}  // namespace lorvane::cli
