// A Host for tests: records every label text and message, answers prompts from
// a script, and can raise the close request after a number of event pumps.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/host.h"

namespace quillon::testing {

class FakeHost : public Host {
 public:
  struct LabelChange {
    Label label;
    std::string text;
  };

  void setLabel(Label label, std::string_view text) override {
    labels[label] = std::string(text);
    history.push_back({label, std::string(text)});
  }
  void processEvents() override {
    ++eventPumps;
    if (quitAfterPumps >= 0 && eventPumps >= quitAfterPumps) QuitRequested = true;
  }
  bool askYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void showMessage(std::string_view text) override { messages.emplace_back(text); }
  void showError(std::string_view text) override { errors.emplace_back(text); }
  void setProgressLine(std::string_view text) override { progressLines.emplace_back(text); }

  std::string label(Label which) const {
    const auto it = labels.find(which);
    return it == labels.end() ? std::string() : it->second;
  }
  // Every text one label took, in order.
  std::vector<std::string> textsOf(Label which) const {
    std::vector<std::string> texts;
    for (const auto& change : history)
      if (change.label == which) texts.push_back(change.text);
    return texts;
  }

  std::map<Label, std::string> labels;
  std::vector<LabelChange> history;
  std::vector<std::string> questions;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> progressLines;
  std::deque<bool> answers;  // answers to askYesNo, in order; No when empty
  int eventPumps = 0;
  int quitAfterPumps = -1;  // raise QuitRequested at this pump count (-1: never)
};

}  // namespace quillon::testing
