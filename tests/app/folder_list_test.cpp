// The folder list and its path label: opening entries, highlighting without
// opening, going up, and shortening a long path to fit.
#include <QDir>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "app/gui/drive_selector.h"
#include "app/gui/folder_list.h"
#include "support/temp_folder.h"

namespace {

using app::gui::FolderList;

QStringList entries(const FolderList& list) {
  QStringList names;
  for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
  return names;
}

QListWidgetItem* entry(const FolderList& list, const QString& name) {
  const auto found = list.findItems(name, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.first();
}

// The folder list keeps Qt's form of a path ("C:/x" on Windows).
QString qpath(const std::filesystem::path& path) {
  return QDir::fromNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace

class FolderListTest : public QObject {
  Q_OBJECT

 private slots:
  void listsSubfoldersUnderTheParentEntry() {
    support::TempFolder folder;
    for (const char* name : {"b", "A", "c"}) std::filesystem::create_directory(folder.path() / name);
    std::ofstream(folder.path() / "file.txt") << "not a folder";
    FolderList list(qpath(folder.path()), nullptr);
    QCOMPARE(entries(list), (QStringList{"..", "A", "b", "c"}));
  }

  void singleClickOnlyHighlights() {
    support::TempFolder folder;
    std::filesystem::create_directory(folder.path() / "dae");
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

  void openingMakesTheEntryCurrent_data() {
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("double-click") << false;
    QTest::newRow("Enter") << true;
  }
  void openingMakesTheEntryCurrent() {
    QFETCH(bool, byEnter);
    support::TempFolder folder;
    std::filesystem::create_directories(folder.path() / "dae" / "2024");
    FolderList list(qpath(folder.path()), nullptr);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &FolderList::folderChanged);
    QListWidgetItem* dae = entry(list, "dae");
    list.setCurrentItem(dae);
    if (byEnter) {
      QTest::keyClick(&list, Qt::Key_Return);
    } else {
      // A double-click: a click, then the second press that the system
      // reports as a double-click.
      const QPoint at = list.visualItemRect(dae).center();
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }
    const QString opened = qpath(folder.path() / "dae");
    QCOMPARE(list.currentFolder(), opened);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), opened);
    QCOMPARE(entries(list), (QStringList{"..", "2024"}));
  }

  void parentEntryGoesUp() {
    support::TempFolder folder;
    std::filesystem::create_directory(folder.path() / "dae");
    FolderList list(qpath(folder.path() / "dae"), nullptr);
    list.setCurrentItem(entry(list, ".."));
    QTest::keyClick(&list, Qt::Key_Enter);
    QCOMPARE(list.currentFolder(), qpath(folder.path()));
  }

  void rootHasNoParentEntry() {
    FolderList list(QDir::rootPath(), nullptr);
    QVERIFY(!entry(list, ".."));
  }

  void driveSelectorShowsTheVolumeOfTheCurrentFolder() {
    support::TempFolder folder;
    std::filesystem::create_directory(folder.path() / "dae");
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
