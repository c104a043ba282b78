#include "common/ui/folder_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <vector>

#include "tests/support/temp_folder.h"

namespace quillon {
namespace {

using testing::TempFolder;

TEST(RecentFolders, MostRecentFirstWithoutRepeatsUpToTheLimit) {
  const TempFolder config;
  RecentFolders recent(QString::fromStdString(config.file("quillon.ini")));
  EXPECT_TRUE(recent.folders().isEmpty());
  for (int k = 0; k < RecentFolders::kLimit + 2; ++k) recent.add(QStringLiteral("/data/%1").arg(k));
  const QString newest = QStringLiteral("/data/%1").arg(RecentFolders::kLimit + 1);
  ASSERT_EQ(recent.folders().size(), RecentFolders::kLimit);
  EXPECT_EQ(recent.folders().front(), newest);
  EXPECT_FALSE(recent.folders().contains(QStringLiteral("/data/0")));  // the oldest went

  // Another spelling of a folder is the same folder: it moves to the front.
  recent.add(QStringLiteral("/data/3/../2/"));
  EXPECT_EQ(recent.folders().front(), QStringLiteral("/data/2"));
  EXPECT_EQ(recent.folders().count(QStringLiteral("/data/2")), 1);
  recent.remove(QStringLiteral("/data/2/"));
  EXPECT_FALSE(recent.folders().contains(QStringLiteral("/data/2")));

  // Kept in the given file, where the other program finds it.
  EXPECT_EQ(RecentFolders(QString::fromStdString(config.file("quillon.ini"))).folders(),
            recent.folders());
}

// A bare window with a chooser, as the programs' windows carry one.
struct ChooserWindow : QWidget {
  explicit ChooserWindow(const std::string& folder)
      : chooser(*this, QRect(300, 8, 113, 33), QString::fromStdString(folder)) {}
  FolderChooser chooser;
};

class FolderWindowsTest : public ::testing::Test {
 protected:
  FolderWindowsTest() {
    for (const char* name : {"a", "b"}) std::filesystem::create_directory(root.file(name));
    windows.setRefusalNotice([this](const Failure& failure) { refused.push_back(failure); });
  }

  FolderChooser& chooser() { return static_cast<ChooserWindow*>(windows.window())->chooser; }
  // The entries of the chooser's menu as it shows them, valid while menu lives.
  QList<QAction*> menuEntries() {
    menu = std::make_unique<QMenu>();
    chooser().addTo(*menu);
    return menu->actions().back()->menu()->actions();
  }

  TempFolder root;
  std::vector<std::string> made;
  std::vector<Failure> refused;
  std::unique_ptr<QMenu> menu;
  FolderWindows windows{[this](const std::string& folder) {
                          made.push_back(folder);
                          auto window = std::make_unique<ChooserWindow>(folder);
                          FolderChooser* chooser = &window->chooser;
                          return FolderWindow{std::move(window), chooser};
                        },
                        RecentFolders(QString::fromStdString(root.file("config/quillon.ini"))),
                        "Quillon"};
};

TEST_F(FolderWindowsTest, AnOpenedFolderGetsAWindowOfItsOwnInThePlaceOfTheOld) {
  windows.show(root.file("a"));
  QPointer<QWidget> first = windows.window();
  first->setGeometry(40, 50, 500, 400);
  EXPECT_TRUE(chooser().button().isVisible());
  EXPECT_NE(chooser().button().toolTip().indexOf(QString::fromStdString(root.file("a"))), -1);

  windows.open(QString::fromStdString(root.file("b") + "/"));
  EXPECT_EQ(made, (std::vector<std::string>{root.file("a"), root.file("b")}));
  ASSERT_NE(windows.window(), first.data());
  EXPECT_TRUE(windows.window()->isVisible());
  EXPECT_EQ(windows.window()->geometry(), QRect(40, 50, 500, 400));
  EXPECT_FALSE(first->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());  // deleted once the choosing event is done

  // Both folders are offered, the window's own ticked and not to be chosen again.
  const QList<QAction*> entries = menuEntries();
  ASSERT_EQ(entries.size(), 4);  // open another, separator, b, a
  EXPECT_EQ(entries[0], &chooser().openOther());
  EXPECT_EQ(entries[2]->text(), QString::fromStdString(root.file("b")));
  EXPECT_TRUE(entries[2]->isChecked());
  EXPECT_FALSE(entries[2]->isEnabled());
  entries[3]->trigger();
  EXPECT_EQ(made.back(), root.file("a"));
}

TEST_F(FolderWindowsTest, AFolderThatIsGoneIsRefusedAndForgotten) {
  windows.show(root.file("a"));
  windows.show(root.file("b"));
  QWidget* window = windows.window();
  std::filesystem::remove(root.file("a"));
  root.write("file", "");
  windows.open(QString::fromStdString(root.file("a")));
  windows.open(QString::fromStdString(root.file("file")));
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(refused[0].kind, FailureKind::ProgramFolderMissing);
  EXPECT_EQ(refused[1].kind, FailureKind::ProgramFolderNotAFolder);
  EXPECT_EQ(windows.window(), window);
  EXPECT_EQ(menuEntries().size(), 3);  // open another, separator, b
}

TEST_F(FolderWindowsTest, TheFolderStaysWhileACommandRuns) {
  windows.show(root.file("a"));
  FolderChooser& folders = chooser();
  std::vector<QString> asked;
  folders.setFolderDialog([&](QWidget&, const QString& start) {
    asked.push_back(start);
    return QString::fromStdString(root.file("b"));
  });
  {
    const FolderChooser::Busy loading = folders.busy();
    {
      const FolderChooser::Busy drawing = folders.busy();  // a drawing inside a load
    }
    EXPECT_FALSE(folders.button().isEnabled());
    folders.openOther().trigger();  // the key does nothing either
    EXPECT_TRUE(asked.empty());
  }
  EXPECT_TRUE(folders.button().isEnabled());
  folders.openOther().trigger();
  EXPECT_EQ(asked, std::vector<QString>{QString::fromStdString(root.file("a"))});
  EXPECT_EQ(made.back(), root.file("b"));
}

}  // namespace
}  // namespace quillon
