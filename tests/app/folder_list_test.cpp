// The folder list and its path label: the path down to the current folder
// and its subfolders, opening entries of either, highlighting without
// opening, and shortening a long path to fit.
#include <QDir>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "app/gui/drive_selector.h"
#include "app/gui/folder_list.h"
#include "toolkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using app::gui::FolderList;

// Every entry as its name and how far in it is drawn: "name@depth".
QStringList entries(const FolderList& list) {
  QStringList shown;
  for (int row = 0; row < list.count(); ++row) {
    const QListWidgetItem* item = list.item(row);
    shown << item->text() + "@" + item->data(FolderList::kDepthRole).toString();
  }
  return shown;
}

// The entries of the path down to folder: the root as the system writes it
// ("/", or "C:\" on Windows, one entry although a path iterates "C:" and the
// separator apart), then each folder.
QStringList pathEntries(const fs::path& folder) {
  QStringList shown{QString::fromStdString(folder.root_path().string()) + "@0"};
  for (const fs::path& part : folder.relative_path()) {
    if (!part.empty()) shown << QString::fromStdString(part.string()) + "@" + QString::number(shown.size());
  }
  return shown;
}

QListWidgetItem* entry(const FolderList& list, const QString& name) {
  const auto found = list.findItems(name, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.first();
}

// The folder list keeps Qt's form of a path ("C:/x" on Windows).
QString qpath(const fs::path& path) {
  return QDir::fromNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace

class FolderListTest : public QObject {
  Q_OBJECT

 private slots:
  void listsThePathDownToTheFolderThenItsSubfolders() {
    test_support::TempFolder folder;
    for (const char* name : {"b", "A", "c"}) fs::create_directory(folder.path() / name);
    std::ofstream(folder.path() / "file.txt") << "not a folder";
    FolderList list(qpath(folder.path()), nullptr);
    const QStringList path = pathEntries(folder.path());
    const QString inner = "@" + QString::number(path.size());
    const QStringList subfolders{"A" + inner, "b" + inner, "c" + inner};
    QCOMPARE(entries(list), path + subfolders);
    // The keyboard starts on the current folder, which every entry of the
    // path shows open.
    QCOMPARE(list.currentRow(), path.size() - 1);
    QCOMPARE(list.currentItem()->data(FolderList::kPathRole).toString(), qpath(folder.path()));
  }

  void singleClickOnlyHighlights() {
    test_support::TempFolder folder;
    fs::create_directory(folder.path() / "dae");
    FolderList list(qpath(folder.path()), nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &FolderList::folderChanged);
    QListWidgetItem* dae = entry(list, "dae");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(dae).center());
    QCOMPARE(list.currentItem(), dae);
    QCOMPARE(list.currentFolder(), qpath(folder.path()));
    QCOMPARE(changes.size(), 0);
  }

  // From folder/dae: a subfolder, a folder of the path and the root, each
  // opened by a double-click or by Enter.
  void openingMakesTheEntryCurrent_data() {
    QTest::addColumn<QString>("opened");  // under the folder; "" the folder itself, "/" the root
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("subfolder, double-click") << "dae/2024" << false;
    QTest::newRow("subfolder, Enter") << "dae/2024" << true;
    QTest::newRow("folder of the path, double-click") << "" << false;
    QTest::newRow("folder of the path, Enter") << "" << true;
    QTest::newRow("root, double-click") << "/" << false;
  }
  void openingMakesTheEntryCurrent() {
    QFETCH(QString, opened);
    QFETCH(bool, byEnter);
    test_support::TempFolder folder;
    fs::create_directories(folder.path() / "dae" / "2024");
    FolderList list(qpath(folder.path() / "dae"), nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &FolderList::folderChanged);
    const fs::path target =
        opened == "/" ? folder.path().root_path() : (folder.path() / opened.toStdString()).lexically_normal();
    const QString targetPath = QDir::cleanPath(qpath(target));
    QListWidgetItem* item = nullptr;
    for (int row = 0; row < list.count() && !item; ++row) {
      if (list.item(row)->data(FolderList::kPathRole).toString() == targetPath) item = list.item(row);
    }
    QVERIFY(item);
    list.setCurrentItem(item);
    if (byEnter) {
      QTest::keyClick(&list, Qt::Key_Return);
    } else {
      // A double-click: a click, then the second press that the system
      // reports as a double-click.
      const QPoint at = list.visualItemRect(item).center();
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(list.currentFolder(), targetPath);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), targetPath);
    const QStringList path = pathEntries(target);
    QCOMPARE(entries(list).mid(0, path.size()), path);
    QCOMPARE(list.currentRow(), path.size() - 1);
  }

  void folderThatWentAwayStaysListed() {
    test_support::TempFolder folder;
    fs::create_directory(folder.path() / "dae");
    FolderList list(qpath(folder.path()), nullptr);
    fs::remove(folder.path() / "dae");
    list.setCurrentItem(entry(list, "dae"));
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(list.currentFolder(), qpath(folder.path()));
    QVERIFY(entry(list, "dae"));
  }

  void rootListsItselfThenItsFolders() {
    FolderList list(QDir::rootPath(), nullptr);
    QCOMPARE(list.item(0)->text(), QDir::toNativeSeparators(QDir::rootPath()));
    QCOMPARE(list.currentRow(), 0);
    for (int row = 1; row < list.count(); ++row) {
      QCOMPARE(list.item(row)->data(FolderList::kDepthRole).toInt(), 1);
      QVERIFY(list.item(row)->text() != "..");
    }
  }

  void driveSelectorShowsTheVolumeOfTheCurrentFolder() {
    test_support::TempFolder folder;
    fs::create_directory(folder.path() / "dae");
    QWidget window;
    auto* list = new FolderList(qpath(folder.path()), &window);
    app::gui::DriveSelector drives(list, &window);
    QVERIFY(drives.count() >= 1);
    const QString volume = QStorageInfo(qpath(folder.path())).rootPath();
    QCOMPARE(drives.currentData().toString(), volume);
    // Choosing the volume goes to the folder last shown on it, not its root.
    list->setCurrentFolder(qpath(folder.path() / "dae"));
    list->setCurrentFolder(volume);
    list->setCurrentFolder(qpath(folder.path()));
    emit drives.activated(drives.currentIndex());
    QCOMPARE(list->currentFolder(), qpath(folder.path()));
  }

  void elidePathKeepsRootAndLastFolders_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("widthInChars");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits") << "/home/ana/dae" << 40 << "/home/ana/dae";
    QTest::newRow("leading folders give way")
        << "/home/ana/escuela/dae/2024" << 16 << QString::fromUtf8("/…/dae/2024");
    QTest::newRow("only the last folder fits")
        << "/home/ana/escuela/dae/2024" << 10 << QString::fromUtf8("/…/2024");
  }
  void elidePathKeepsRootAndLastFolders() {
    QFETCH(QString, path);
    QFETCH(int, widthInChars);
    QFETCH(QString, expected);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QString(widthInChars, QLatin1Char('x')));
    // The window passes the path with the system's separators and shows what comes back.
    QCOMPARE(app::gui::elidePath(QDir::toNativeSeparators(path), metrics, width),
             QDir::toNativeSeparators(expected));
  }

  void elidedPathAlwaysFits() {
    const QFontMetrics metrics(QFont("DejaVu Sans"));
    const QString path = "/a_very_long_folder_name_that_alone_is_wider_than_the_label";
    const QString shown = app::gui::elidePath(path, metrics, 100);
    QVERIFY(metrics.horizontalAdvance(shown) <= 100);
    QVERIFY(shown.endsWith(QString::fromUtf8("…")));
  }
};

QTEST_MAIN(FolderListTest)
#include "folder_list_test.moc"
