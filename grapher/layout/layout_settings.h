// The values that tune the two drawing commands, read at the start of each.
#pragma once

#include <cstdint>
#include <string>

namespace quillon::grapher {

struct LayoutSettings {
  float GraphDefaultDistance = 0;
  float GraphSameKeyWordDistance = 0;
  float GraphDifferentKeyWordDistance = 0;
  std::int32_t CloseCount = 0;
  float ProductCloseForce = 0;
  float ProductCloseForceByKeyWord = 0;
  float KeyWordCloseForce = 0;
  bool DrawProductName = false;
  bool DrawCircle = false;
  bool DrawLine = false;
  bool DrawKeyWord = false;
};

// Reads every key in table order (withKeyWordDistances false skips the two
// keyword distances, as the keyword relation graph does, leaving them as they were).
void ReadLayoutSettings(const std::string& programFolder, LayoutSettings& settings,
                        bool withKeyWordDistances = true);

// The same as a fresh value, as each drawing command reads it at its start;
// skipped distances stay 0.
inline LayoutSettings ReadLayoutSettings(const std::string& programFolder,
                                         bool withKeyWordDistances = true) {
  LayoutSettings settings;
  ReadLayoutSettings(programFolder, settings, withKeyWordDistances);
  return settings;
}

// What the window does around every drawing, beside the drawings' own settings.
struct DrawingChoices {
  bool FitAfterDrawing = false;  // fit the view once a drawing or layout ends
  std::uint32_t RandomSeed = 0;  // 0: new random directions for every drawing
};

// Reads FitAfterDrawing and RandomSeed; a seed that is not a whole number from 1
// to 4294967295 reads as 0.
DrawingChoices ReadDrawingChoices(const std::string& programFolder);

}  // namespace quillon::grapher
