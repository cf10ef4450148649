#pragma once
// The bar on standard error that follows one input through the whole run:
// reading the drawing from its file and the conversion.
// Each stage fills its own stretch of the bar, so the bar only ever grows.

namespace lorvane::cli {

enum class progressStage { readingDrawing, converting };

void enableProgressBar(bool enabled, const char* label);
void enterProgressStage(progressStage stage);
// How far the current stage has come, from 0 to 1.
void showStageProgress(double share);
// The module's progress callback: the converting stage in percent.
extern "C" void drawProgress(double percent, const char* text);
// Ends the bar's line, if one was drawn.
void finishProgressBar();

}  // namespace lorvane::cli
