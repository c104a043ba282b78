#include <gtest/gtest.h>

#include <memory>

#include "tests/grapher/qt_test_support.h"

namespace quillon::grapher::testing {
namespace {

class QtEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    // The tests need no display, even when run by hand outside CTest.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    app_->setQuitOnLastWindowClosed(false);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[17] = "grapher_ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// gtest owns the environment and calls it around the whole run.
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

QApplication& Application() {
  return *static_cast<QApplication*>(QApplication::instance());
}

}  // namespace quillon::grapher::testing
